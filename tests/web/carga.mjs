// Eight prints at once from separate clients give the PDFs solo runs give, and the
// server keeps answering meanwhile.   node carga.mjs http://127.0.0.1:PORTA
import http from "node:http";
import { conferir, textoDoPdf } from "./comum.mjs";

const base = process.argv[2];
const kClientes = 8;
const kEsperaMaximaMs = 3000;  // an index request while the prints run

// One client: its own connection pool, nothing shared with the others.
function cliente() {
  const agente = new http.Agent({ keepAlive: false });
  return (metodo, caminho, corpo) =>
    new Promise((ok, falha) => {
      const dados = corpo === undefined ? undefined : Buffer.from(JSON.stringify(corpo));
      const req = http.request(base + caminho, {
        method: metodo, agent: agente,
        headers: dados ? { "Content-Type": "application/json", "Content-Length": dados.length } : {},
      }, (res) => {
        const partes = [];
        res.on("data", (p) => partes.push(p));
        res.on("end", () => ok({ status: res.statusCode, corpo: Buffer.concat(partes) }));
      });
      req.on("error", falha);
      req.end(dados);
    });
}

const kPedidos = [
  { plugin: "RptPayments", valores: { pDataInicial: "01/01/2026", pDataFinal: "31/03/2026" } },
  { plugin: "RptPayments", valores: { pDataInicial: "01/01/2026", pDataFinal: "31/03/2026", pOrdenar: "1" } },
  { plugin: "RptInputsByDevelopment", valores: { pTipoRelatorio: "0", pDetalharFornecedor: "0" } },
  { plugin: "RptStockPosition", valores: {} },
];

// Opens a form, prints, waits, returns the PDF's text; the form is released after.
async function imprimir(pedido) {
  const c = cliente();
  const aberto = await c("POST", "/api/formularios", { plugin: pedido.plugin });
  conferir(aberto.status === 201, `${pedido.plugin}: formulário ${aberto.status} ${aberto.corpo}`);
  const id = JSON.parse(aberto.corpo).id;
  try {
    const r = await c("POST", `/api/formularios/${id}/impressao`, { valores: pedido.valores });
    conferir(r.status === 202, `${pedido.plugin}: impressão ${r.status} ${r.corpo}`);
    const impressao = JSON.parse(r.corpo).impressao;
    for (;;) {
      const s = JSON.parse((await c("GET", `/api/impressoes/${impressao}`)).corpo);
      if (s.estado === "executando") { await new Promise((ok) => setTimeout(ok, 100)); continue; }
      conferir(s.estado === "pronta", `${pedido.plugin}: terminou ${s.estado} ${s.mensagem || ""}`);
      const pdf = await c("GET", s.arquivos[0].abrir);
      // the footer's print time may turn a minute between two runs
      return textoDoPdf(pdf.corpo).replace(/Impresso em \d\d\/\d\d\/\d{4} \d\d:\d\d/g, "Impresso em <hora>");
    }
  } finally {
    await c("POST", `/api/formularios/${id}/liberar`);
  }
}

const solos = [];
for (const p of kPedidos) solos.push(await imprimir(p));

let rodando = true;
let pior = 0, respostas = 0;
const sonda = (async () => {
  const c = cliente();
  while (rodando) {
    const inicio = Date.now();
    const r = await c("GET", "/");
    conferir(r.status === 200, `índice durante a carga: ${r.status}`);
    pior = Math.max(pior, Date.now() - inicio);
    ++respostas;
    await new Promise((ok) => setTimeout(ok, 50));
  }
})();
const juntos = await Promise.all(Array.from({ length: kClientes }, (_, i) => imprimir(kPedidos[i % kPedidos.length])));
rodando = false;
await sonda;

juntos.forEach((texto, i) => conferir(texto === solos[i % kPedidos.length],
                                      `impressão ${i} (${kPedidos[i % kPedidos.length].plugin}) difere da impressão sozinha`));
conferir(respostas > 0 && pior < kEsperaMaximaMs, `o índice levou ${pior} ms durante a carga`);
console.log(`ok: ${kClientes} impressões simultâneas iguais às sozinhas; índice respondeu ${respostas} vezes, a mais lenta em ${pior} ms`);
