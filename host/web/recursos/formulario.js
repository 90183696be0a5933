// The report's parameter form, run live on the server: entering, changing and leaving
// a field are sent to it, and its answer (every field's value, enabled, visible) is shown.
"use strict";

const plugin = document.body.dataset.plugin;
const elementos = {};     // field name -> {caixa, controle, erro}
let idFormulario = null;
let fila = Promise.resolve();  // the steps reach the server in the order the user took them
let acompanhamento = null;

function el(tag, atributos, texto) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(atributos || {})) e.setAttribute(k, v);
  if (texto !== undefined) e.textContent = texto;
  return e;
}

async function pedir(metodo, endereco, corpo) {
  const r = await fetch(endereco, {
    method: metodo,
    headers: corpo === undefined ? {} : {"Content-Type": "application/json"},
    body: corpo === undefined ? undefined : JSON.stringify(corpo),
  });
  let dados = {};
  if (r.status !== 204) {
    try { dados = await r.json(); } catch (e) { dados = {erro: "Resposta inválida do servidor."}; }
  }
  return {status: r.status, dados};
}

function mostrarMensagem(texto, ehErro) {
  const m = document.getElementById("mensagem");
  m.textContent = texto || "";
  m.className = ehErro ? "erro" : "";
}

function mostrarErroCampo(nome, texto) {
  for (const [n, e] of Object.entries(elementos)) {
    const comErro = n === nome && texto;
    e.erro.textContent = comErro ? texto : "";
    e.erro.hidden = !comErro;
    e.controle.setAttribute("aria-invalid", comErro ? "true" : "false");
  }
  if (nome && elementos[nome] && texto) elementos[nome].controle.focus({preventScroll: false});
}

// A field whose text the server refused keeps it, to be corrected, until a change is taken.
const recusados = new Set();

function aplicarCampos(campos) {
  for (const c of campos) {
    const e = elementos[c.nome];
    if (!e) continue;
    const digitando = document.activeElement === e.controle && e.controle.tagName !== "SELECT";
    if (!digitando && !recusados.has(c.nome)) e.controle.value = c.valor;
    e.controle.disabled = !c.habilitado;
    e.caixa.hidden = !c.visivel;
  }
}

function criarCampo(c) {
  const id = "campo-" + c.nome;
  const caixa = el("div", {class: "campo", id: "caixa-" + c.nome});
  caixa.appendChild(el("label", {for: id}, c.rotulo || c.nome));
  let controle;
  if (c.tipo === "escolha") {
    controle = el("select", {id, name: c.nome});
    for (const o of c.opcoes) controle.appendChild(el("option", {value: o.valor}, o.texto));
  } else {
    controle = el("input", {id, name: c.nome, type: "text", autocomplete: "off"});
    if (c.tipo === "inteiro") controle.setAttribute("inputmode", "numeric");
    if (c.tipo === "data") { controle.setAttribute("placeholder", "DD/MM/AAAA"); controle.setAttribute("inputmode", "numeric"); }
  }
  const dicas = {data: "Data no formato DD/MM/AAAA.", codigos: "Códigos e faixas, ex.: 1,3,5-9.", inteiro: "Número inteiro."};
  const ajuda = [];
  if (dicas[c.tipo]) {
    const dica = el("p", {class: "dica", id: "dica-" + c.nome}, dicas[c.tipo]);
    caixa.appendChild(controle);
    caixa.appendChild(dica);
    ajuda.push(dica.id);
  } else {
    caixa.appendChild(controle);
  }
  const erro = el("p", {class: "erro", id: "erro-" + c.nome, role: "alert"});
  erro.hidden = true;
  caixa.appendChild(erro);
  ajuda.push(erro.id);
  controle.setAttribute("aria-describedby", ajuda.join(" "));
  elementos[c.nome] = {caixa, controle, erro};
  controle.addEventListener("focus", () => passo(c.nome, "entrar"));
  controle.addEventListener("change", () => passo(c.nome, "alterar", controle.value));
  controle.addEventListener("blur", () => passo(c.nome, "sair"));
  return caixa;
}

function passo(nome, evento, valor) {
  fila = fila.then(async () => {
    if (!idFormulario) return;
    const corpo = evento === "alterar" ? {evento, valor} : {evento};
    const r = await pedir("POST", `/api/formularios/${idFormulario}/campos/${encodeURIComponent(nome)}`, corpo);
    if (evento === "alterar" && r.status === 422) recusados.add(r.dados.campo);
    if (evento === "alterar" && r.status === 200) recusados.delete(nome);
    if (r.dados.campos) aplicarCampos(r.dados.campos);
    if (r.status === 422) mostrarErroCampo(r.dados.campo, r.dados.erro);
    else if (evento === "alterar" && r.status === 200) mostrarErroCampo(null, null);
    else if (r.status >= 400) mostrarMensagem(r.dados.erro, true);
  }).catch(() => mostrarMensagem("Sem resposta do servidor.", true));
  return fila;
}

async function abrir() {
  const r = await pedir("POST", "/api/formularios", {plugin});
  document.getElementById("carregando").remove();
  if (r.status !== 201) return mostrarMensagem(r.dados.erro || "Não foi possível abrir o formulário.", true);
  idFormulario = r.dados.id;
  const campos = document.getElementById("campos");
  for (const c of r.dados.campos) campos.appendChild(criarCampo(c));
  aplicarCampos(r.dados.campos);
  document.getElementById("imprimir").disabled = false;
  document.body.dataset.formulario = idFormulario;
}

function limparResultado() {
  document.getElementById("paginas").replaceChildren();
  const a = document.getElementById("arquivos");
  a.replaceChildren();
  a.hidden = true;
}

function emImpressao(sim) {
  document.getElementById("imprimir").disabled = sim;
  document.getElementById("cancelar").hidden = !sim;
  document.getElementById("progresso").hidden = !sim;
}

async function imprimir(evento) {
  evento.preventDefault();
  await fila;  // the values sent below are typed in on the server where a change was not told yet
  limparResultado();
  mostrarMensagem("");
  mostrarErroCampo(null, null);
  const valores = {};
  for (const [nome, e] of Object.entries(elementos)) if (!e.controle.disabled) valores[nome] = e.controle.value;
  const r = await pedir("POST", `/api/formularios/${idFormulario}/impressao`, {valores});
  if (r.status === 422) recusados.add(r.dados.campo);
  if (r.dados.campos) aplicarCampos(r.dados.campos);
  if (r.status === 422) return mostrarErroCampo(r.dados.campo, r.dados.erro);
  if (r.status !== 202) return mostrarMensagem(r.dados.erro, true);
  acompanhamento = r.dados.impressao;
  emImpressao(true);
  mostrarMensagem("Imprimindo…");
  acompanhar(acompanhamento);
}

async function acompanhar(id) {
  while (acompanhamento === id) {
    const r = await pedir("GET", `/api/impressoes/${id}`);
    if (acompanhamento !== id) return;
    if (r.status !== 200) { emImpressao(false); return mostrarMensagem(r.dados.erro, true); }
    const s = r.dados;
    if (s.estado === "executando") {
      const barra = document.getElementById("barra");
      if (s.progresso.maximo > 0) { barra.max = s.progresso.maximo; barra.value = s.progresso.posicao; }
      else barra.removeAttribute("value");
      document.getElementById("texto-progresso").textContent = s.progresso.texto || "Imprimindo…";
      await new Promise((ok) => setTimeout(ok, 300));
      continue;
    }
    emImpressao(false);
    acompanhamento = null;
    if (s.estado === "pronta") return mostrarPronta(s);
    if (s.estado === "erro" && s.campo && elementos[s.campo]) { mostrarMensagem(""); return mostrarErroCampo(s.campo, s.mensagem); }
    return mostrarMensagem(s.mensagem, s.estado === "erro");
  }
}

function mostrarPronta(s) {
  mostrarMensagem(s.paginas === 1 ? "1 página." : `${s.paginas} páginas.`);
  const a = document.getElementById("arquivos");
  for (const f of s.arquivos) {
    const tipo = f.tipo.toUpperCase();
    if (f.tipo === "pdf") {  // a browser shows a PDF; a spreadsheet is only downloaded
      a.appendChild(el("a", {href: f.abrir, target: "_blank", rel: "noopener", class: "abrir-" + f.tipo}, `Abrir o ${tipo}`));
      a.appendChild(document.createTextNode(" · "));
    }
    a.appendChild(el("a", {href: f.baixar, download: f.nome, class: "baixar-" + f.tipo}, `Baixar ${f.nome}`));
    a.appendChild(document.createTextNode(" "));
  }
  a.hidden = false;
  const p = document.getElementById("paginas");
  s.imagens.forEach((src, i) => p.appendChild(el("img", {src, alt: `Página ${i + 1} do relatório`})));
}

async function cancelar() {
  const id = acompanhamento;
  if (!id) return;
  acompanhamento = null;
  await pedir("POST", `/api/impressoes/${id}/cancelar`);
  emImpressao(false);
  mostrarMensagem("Impressão cancelada.");
}

document.getElementById("parametros").addEventListener("submit", imprimir);
document.getElementById("cancelar").addEventListener("click", cancelar);
window.addEventListener("pagehide", () => {
  if (idFormulario) navigator.sendBeacon(`/api/formularios/${idFormulario}/liberar`);
});
abrir().catch(() => mostrarMensagem("Sem resposta do servidor.", true));
