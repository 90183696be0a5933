// The reports in a real browser: Debian's chromium, headless, driven by Playwright.
//   node navegador.mjs http://127.0.0.1:PORTA Plugin1,Plugin2,...
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { conferir, playwright, textoDoPdf } from "./comum.mjs";

const [base, listaPlugins] = process.argv.slice(2);
const telas = process.env.RPT_TELAS;
mkdirSync(telas, { recursive: true });
const navegador = await playwright().chromium.launch({
  executablePath: process.env.RPT_CHROMIUM,
  args: ["--no-sandbox", "--disable-gpu"],
});
const erros = [];

async function caso(nome, corpo) {
  const contexto = await navegador.newContext({ viewport: { width: 1100, height: 900 } });
  const pagina = await contexto.newPage();
  pagina.setDefaultTimeout(30000);
  try {
    await corpo(pagina);
    console.log(`ok: ${nome}`);
  } catch (e) {
    erros.push(`${nome}: ${e.message}`);
    await pagina.screenshot({ path: join(telas, `falha-${nome.replace(/\W+/g, "_")}.png`), fullPage: true });
  } finally {
    await pagina.close({ runBeforeUnload: true });  // the tab goes: its form is released
    await contexto.close();
  }
}

async function abrirFormulario(pagina, plugin) {
  await pagina.goto(`${base}/relatorio/${plugin}`);
  await pagina.locator("#imprimir:not([disabled])").waitFor();
}

// A field typed in and left with the keyboard, as a user would.
async function digitar(pagina, rotulo, texto) {
  const campo = pagina.getByLabel(rotulo, { exact: true });
  await campo.fill(texto);
  await campo.press("Tab");
}

await caso("índice lista todos os plug-ins", async (pagina) => {
  await pagina.goto(base + "/");
  const nomes = await pagina.locator("table.lista tbody tr td:nth-child(2)").allTextContents();
  const esperados = listaPlugins.split(",").sort();
  conferir(JSON.stringify([...nomes].sort()) === JSON.stringify(esperados),
           `listados ${nomes.join(",")}; esperados ${esperados.join(",")}`);
  conferir(await pagina.getByRole("link", { name: "Pagamentos", exact: true }).count() === 1, "sem o link de Pagamentos");
  await pagina.screenshot({ path: join(telas, "indice.png"), fullPage: true });
});

await caso("RptInputsByDevelopment: o tipo do relatório habilita o detalhe", async (pagina) => {
  await abrirFormulario(pagina, "RptInputsByDevelopment");
  const tipo = pagina.getByLabel("Tipo do relatório");
  const detalhe = pagina.getByLabel("Detalhar", { exact: true });
  const fornecedores = pagina.getByLabel("Fornecedores", { exact: true });
  await tipo.focus();
  await tipo.selectOption("1");
  await pagina.waitForFunction(() => document.getElementById("campo-pDetalharFornecedor").disabled);
  conferir(await fornecedores.isDisabled(), "pCodigoPessoaFinFornec seguiu habilitado com o relatório por grupo");
  await tipo.selectOption("0");
  await pagina.waitForFunction(() => !document.getElementById("campo-pDetalharFornecedor").disabled);
  conferir(await detalhe.isEnabled() && await fornecedores.isEnabled(), "o relatório por insumo não habilitou o detalhe");
});

await caso("RptPayments: período invertido, depois as páginas e o PDF", async (pagina) => {
  await abrirFormulario(pagina, "RptPayments");
  await pagina.screenshot({ path: join(telas, "formulario.png"), fullPage: true });
  await digitar(pagina, "Pagamentos de", "31/03/2026");
  await digitar(pagina, "Pagamentos até", "01/01/2026");
  await pagina.getByRole("button", { name: "Imprimir" }).click();
  const erro = pagina.locator("#erro-pDataFinal");
  await erro.waitFor({ state: "visible" });
  const texto = await erro.textContent();
  conferir(texto === "A data inicial não pode ser maior que a data final.", `mensagem em pDataFinal: '${texto}'`);
  conferir(await pagina.getByLabel("Pagamentos até").getAttribute("aria-invalid") === "true", "pDataFinal não ficou marcado");
  await pagina.screenshot({ path: join(telas, "periodo-invertido.png"), fullPage: true });

  await digitar(pagina, "Pagamentos de", "01/01/2026");
  await pagina.getByLabel("Pagamentos até").fill("31/03/2026");
  await pagina.keyboard.press("Enter");  // submits from the keyboard, the change not told yet
  await pagina.locator("#paginas img").first().waitFor();
  await pagina.waitForFunction(() => [...document.querySelectorAll("#paginas img")].every((i) => i.complete && i.naturalWidth > 0));
  conferir(await erro.isHidden(), "a mensagem do período seguiu à vista");
  await pagina.screenshot({ path: join(telas, "impressao.png"), fullPage: true });

  const abrir = await pagina.locator("a.abrir-pdf").getAttribute("href");
  const resposta = await pagina.request.get(base + abrir);
  conferir(resposta.headers()["content-type"] === "application/pdf", "o PDF não veio como application/pdf");
  conferir(textoDoPdf(await resposta.body()).includes("Pagamentos"), "o texto do PDF não tem o título");
  const baixar = await pagina.locator("a.baixar-pdf").getAttribute("href");
  const disposicao = (await pagina.request.get(base + baixar)).headers()["content-disposition"];
  conferir(disposicao.startsWith("attachment;") &&
           disposicao.includes("filename*=UTF-8''Pagamentos%2001-01-2026%20a%2031-03-2026.pdf"),
           `Content-Disposition: ${disposicao}`);
  const planilha = await pagina.request.get(base + await pagina.locator("a.baixar-xlsx").getAttribute("href"));
  conferir((await planilha.body()).subarray(0, 2).toString() === "PK", "a planilha não veio como XLSX");
});

await caso("seleção com SQL é recusada no campo", async (pagina) => {
  await abrirFormulario(pagina, "RptPayments");
  await digitar(pagina, "Fornecedores (códigos; vazio = todos)", "1) or (1=1");
  const erro = pagina.locator("#erro-pCodigoFornecedor");
  await erro.waitFor({ state: "visible" });
  conferir((await erro.textContent()).length > 0, "sem mensagem em pCodigoFornecedor");
  const campo = pagina.getByLabel("Fornecedores (códigos; vazio = todos)");
  conferir(await campo.inputValue() === "1) or (1=1", "o campo recusado perdeu o texto digitado");
  await pagina.getByRole("button", { name: "Imprimir" }).click();  // the server refuses it again at print
  await pagina.waitForFunction(() => document.getElementById("erro-pCodigoFornecedor").textContent.length > 0);
  await pagina.waitForTimeout(500);
  conferir(await pagina.locator("#paginas img").count() === 0, "imprimiu com a seleção recusada");
});

await navegador.close();
if (erros.length) {
  console.error(erros.join("\n"));
  process.exit(1);
}
