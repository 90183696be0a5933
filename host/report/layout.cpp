#include "host/report/layout.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "host/core/texto.h"
#include "host/data/varredura_sql.h"

using json = nlohmann::json;

namespace {

constexpr double kA4Menor = 794, kA4Maior = 1123;

// Collects where we are in the file so every error names the file and the element.
struct TContexto {
  std::string Arquivo;
  std::string Onde;
  [[noreturn]] void Erro(const std::string& msg) const {
    throw Exception("Layout '" + Arquivo + "'" + (Onde.empty() ? "" : ", " + Onde) + ": " + msg);
  }
};

double Numero(const json& j, const char* chave, const TContexto& ctx, double padrao = -1) {
  if (!j.contains(chave)) {
    if (padrao >= 0) return padrao;
    ctx.Erro(std::string("falta \"") + chave + "\".");
  }
  if (!j[chave].is_number()) ctx.Erro(std::string("\"") + chave + "\" deve ser um número.");
  const double v = j[chave].get<double>();
  if (v < 0) ctx.Erro(std::string("\"") + chave + "\" não pode ser negativo.");
  return v;
}

std::string Texto(const json& j, const char* chave, const TContexto& ctx, const std::string& padrao = {}) {
  if (!j.contains(chave)) return padrao;
  if (!j[chave].is_string()) ctx.Erro(std::string("\"") + chave + "\" deve ser um texto.");
  return j[chave].get<std::string>();
}

TColor Cor(const std::string& hex, const TContexto& ctx) {
  // "#RRGGBB" into the 32-bit colour whose low byte is red.
  if (hex.size() != 7 || hex[0] != '#') ctx.Erro("cor '" + hex + "' deve ter a forma #RRGGBB.");
  unsigned long v = 0;
  try {
    v = std::stoul(hex.substr(1), nullptr, 16);
  } catch (const std::exception&) {
    ctx.Erro("cor '" + hex + "' deve ter a forma #RRGGBB.");
  }
  const TColor r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
  return r | (g << 8) | (b << 16);
}

TFonte Fonte(const json& j, const TFonte& base, const TContexto& ctx) {
  TFonte f = base;
  if (!j.contains("fonte")) return f;
  const json& jf = j["fonte"];
  if (!jf.is_object()) ctx.Erro("\"fonte\" deve ser um objeto.");
  f.Familia = Texto(jf, "familia", ctx, f.Familia);
  f.Tamanho = Numero(jf, "tamanho", ctx, f.Tamanho);
  if (jf.contains("negrito")) f.Negrito = jf["negrito"].get<bool>();
  if (jf.contains("italico")) f.Italico = jf["italico"].get<bool>();
  if (jf.contains("cor")) f.Cor = Cor(jf["cor"].get<std::string>(), ctx);
  return f;
}

TAlinhamento Alinhamento(const std::string& a, const TContexto& ctx) {
  if (a.empty() || a == "esquerda") return TAlinhamento::Esquerda;
  if (a == "direita") return TAlinhamento::Direita;
  if (a == "centro") return TAlinhamento::Centro;
  ctx.Erro("alinhamento '" + a + "' desconhecido (esquerda, direita ou centro).");
}

void LerPagina(const json& j, TnLayout& l, const TContexto& ctx) {
  if (!j.contains("pagina")) return;
  const json& p = j["pagina"];
  const std::string tamanho = Texto(p, "tamanho", ctx, "A4");
  if (tamanho != "A4") ctx.Erro("tamanho de página '" + tamanho + "' não suportado (use A4).");
  const std::string orientacao = Texto(p, "orientacao", ctx, "retrato");
  if (orientacao == "retrato") {
    l.Pagina.Largura = kA4Menor;
    l.Pagina.Altura = kA4Maior;
  } else if (orientacao == "paisagem") {
    l.Pagina.Largura = kA4Maior;
    l.Pagina.Altura = kA4Menor;
  } else {
    ctx.Erro("orientação '" + orientacao + "' desconhecida (retrato ou paisagem).");
  }
  if (p.contains("margens")) {
    const json& m = p["margens"];
    l.Pagina.MargemEsquerda = Numero(m, "esquerda", ctx, l.Pagina.MargemEsquerda);
    l.Pagina.MargemTopo = Numero(m, "topo", ctx, l.Pagina.MargemTopo);
    l.Pagina.MargemDireita = Numero(m, "direita", ctx, l.Pagina.MargemDireita);
    l.Pagina.MargemBase = Numero(m, "base", ctx, l.Pagina.MargemBase);
  }
}

TnTipoParametro TipoParametro(const std::string& t, const TContexto& ctx) {
  if (t == "texto") return TnTipoParametro::Texto;
  if (t == "inteiro") return TnTipoParametro::Inteiro;
  if (t == "data") return TnTipoParametro::Data;
  if (t == "codigos") return TnTipoParametro::Codigos;
  if (t == "escolha") return TnTipoParametro::Escolha;
  ctx.Erro("tipo de parâmetro '" + t + "' desconhecido (texto, inteiro, data, codigos ou escolha).");
}

TnpqParamItem* ParametroDoLayout(const TnLayout& l, const std::string& nome) {
  for (const auto& p : l.Parametros)
    if (UpperCase(p->Nome()) == UpperCase(nome)) return p.get();
  return nullptr;
}

void LerParametros(const json& j, TnLayout& l, TContexto ctx) {
  if (!j.contains("parametros")) return;
  std::set<std::string> nomes;
  for (const json& jp : j["parametros"]) {
    const std::string nome = Texto(jp, "nome", ctx);
    ctx.Onde = "parâmetro '" + nome + "'";
    if (nome.empty()) ctx.Erro("parâmetro sem \"nome\".");
    if (!nomes.insert(nome).second) ctx.Erro("nome repetido.");
    auto item = std::make_unique<TnpqParamItem>(nome, TipoParametro(Texto(jp, "tipo", ctx, "texto"), ctx));
    item->Rotulo = Texto(jp, "rotulo", ctx, nome);
    item->Padrao = Texto(jp, "padrao", ctx);
    if (jp.contains("opcoes"))
      for (const json& jo : jp["opcoes"])
        item->Opcoes.push_back({Texto(jo, "valor", ctx), Texto(jo, "texto", ctx)});
    if (item->Tipo() == TnTipoParametro::Escolha && item->Opcoes.empty()) ctx.Erro("escolha sem \"opcoes\".");
    item->NaoAntesDe = Texto(jp, "naoAntesDe", ctx);
    if (!item->NaoAntesDe.empty()) {
      const bool dataAnterior = std::any_of(l.Parametros.begin(), l.Parametros.end(), [&](const auto& p) {
        return p->Nome() == item->NaoAntesDe && p->Tipo() == TnTipoParametro::Data;
      });
      if (item->Tipo() != TnTipoParametro::Data || !dataAnterior)
        ctx.Erro("\"naoAntesDe\" liga uma data a uma data listada antes dela.");
    }
    if (!item->Padrao.empty()) item->Validar(item->Padrao);
    item->SetAsString(item->Padrao);
    l.Parametros.push_back(std::move(item));
  }
}

// Each ":name" of a query binds the form parameter of that name: one the form lacks refuses the layout.
void ConferirNomesConsulta(const std::string& sql, const TnLayout& l, const TContexto& ctx) {
  if (Trim(sql).empty()) ctx.Erro("consulta vazia.");
  for (const std::string& nome : TraduzirParametros(sql).Nomes)
    if (!ParametroDoLayout(l, nome)) ctx.Erro("':" + nome + "' não é parâmetro do formulário.");
}

// "consulta" and "conjuntos": the datasets the host opens for the report. A conjunto is handed
// through the hidden integer parameter of its name, added when the form does not list it.
void LerConsultas(const json& j, TnLayout& l, TContexto ctx) {
  if (j.contains("consulta")) {
    ctx.Onde = "consulta";
    l.Consulta = Texto(j, "consulta", ctx);
    ConferirNomesConsulta(l.Consulta, l, ctx);
  }
  if (!j.contains("conjuntos")) return;
  if (!j["conjuntos"].is_object()) ctx.Erro("\"conjuntos\" deve ser um objeto.");
  for (const auto& [nome, jsql] : j["conjuntos"].items()) {
    ctx.Onde = "conjunto '" + nome + "'";
    if (!jsql.is_string()) ctx.Erro("a consulta deve ser um texto.");
    TnpqParamItem* parametro = ParametroDoLayout(l, nome);
    if (parametro && parametro->Tipo() != TnTipoParametro::Inteiro) ctx.Erro("o parâmetro deve ser do tipo inteiro.");
    if (!parametro) {
      auto item = std::make_unique<TnpqParamItem>(nome, TnTipoParametro::Inteiro);
      item->Rotulo = "Conjunto de dados aberto pelo sistema";
      item->Visivel = false;
      l.Parametros.push_back(std::move(item));
    }
    ConferirNomesConsulta(jsql.get<std::string>(), l, ctx);
    l.Conjuntos.emplace_back(nome, jsql.get<std::string>());
  }
}

std::unique_ptr<TnpqObjeto> LerElemento(const json& je, int secao, const TFonte& fonteBase,
                                        const TContexto& ctx) {
  const std::string tipo = Texto(je, "tipo", ctx, "rotulo");
  std::unique_ptr<TnpqObjeto> obj;
  if (tipo == "rotulo") {
    auto r = std::make_unique<TnpqLabel>();
    r->Valor = Texto(je, "valor", ctx);
    r->Texto = Texto(je, "texto", ctx);
    const std::string sistema = Texto(je, "sistema", ctx);
    if (sistema == "pagina") r->Sistema = TnSistema::Pagina;
    else if (sistema == "data") r->Sistema = TnSistema::DataImpressao;
    else if (!sistema.empty()) ctx.Erro("valor de sistema '" + sistema + "' desconhecido (pagina ou data).");
    r->Alinhamento = Alinhamento(Texto(je, "alinhamento", ctx), ctx);
    if (je.contains("multilinha")) r->MultiLinha = je["multilinha"].get<bool>();
    obj = std::move(r);
  } else if (tipo == "imagem") {
    auto i = std::make_unique<TnpqImage>();
    if (je.contains("moldura")) i->Moldura = je["moldura"].get<bool>();
    obj = std::move(i);
  } else if (tipo == "grafico") {
    auto g = std::make_unique<TnpqGrafico>();
    g->Chart()->Titulo = Texto(je, "titulo", ctx);
    obj = std::move(g);
  } else if (tipo == "linha" || tipo == "caixa") {
    auto f = std::make_unique<TnpqForma>();
    f->Linha = tipo == "linha";
    if (je.contains("preenchimento")) f->Preenchimento = Cor(Texto(je, "preenchimento", ctx), ctx);
    if (je.contains("borda")) f->CorBorda = Cor(Texto(je, "borda", ctx), ctx);
    f->Espessura = Numero(je, "espessura", ctx, 1);
    obj = std::move(f);
  } else {
    ctx.Erro("tipo de elemento '" + tipo + "' desconhecido (rotulo, imagem, grafico, linha ou caixa).");
  }
  obj->Nome = Texto(je, "nome", ctx);
  obj->Secao = secao;
  obj->Left = Numero(je, "x", ctx);
  obj->Top = Numero(je, "y", ctx);
  obj->Width = Numero(je, "largura", ctx);
  obj->Height = Numero(je, "altura", ctx, tipo == "linha" ? 0 : -1);
  obj->Fonte = Fonte(je, fonteBase, ctx);
  if (je.contains("visivel")) obj->Visible = je["visivel"].get<bool>();
  return obj;
}

void LerSecoes(const json& j, TnLayout& l, TContexto ctx) {
  if (!j.contains("secoes") || !j["secoes"].is_array()) ctx.Erro("falta a lista \"secoes\".");
  TFonte fonteBase;
  if (j.contains("fonte")) fonteBase = Fonte(j, fonteBase, ctx);
  std::set<int> numeros;
  std::set<std::string> nomes;
  const double larguraUtil = l.Pagina.Largura - l.Pagina.MargemEsquerda - l.Pagina.MargemDireita;
  double topo = l.Pagina.MargemTopo;
  for (const json& js : j["secoes"]) {
    if (!js.contains("numero") || !js["numero"].is_number_integer()) ctx.Erro("seção sem \"numero\" inteiro.");
    const int numero = js["numero"].get<int>();
    ctx.Onde = "seção " + std::to_string(numero);
    if (numero < 1) ctx.Erro("o número da seção deve ser 1 ou maior.");
    if (!numeros.insert(numero).second) ctx.Erro("número de seção repetido.");
    auto secao = std::make_unique<TnpqSection>();
    secao->Numero = numero;
    secao->SetHeight(Numero(js, "altura", ctx));
    secao->Top = topo;
    topo += secao->GetHeight();
    int indice = 0;
    for (const json& je : js.value("elementos", json::array())) {
      TContexto ce = ctx;
      ce.Onde = ctx.Onde + ", elemento " +
                (je.contains("nome") ? "'" + je["nome"].get<std::string>() + "'" : "nº " + std::to_string(indice + 1));
      auto obj = LerElemento(je, numero, fonteBase, ce);
      if (!obj->Nome.empty() && !nomes.insert(obj->Nome).second) ce.Erro("nome repetido no layout.");
      if (obj->Left + obj->Width > larguraUtil + 0.5)
        ce.Erro("passa da margem direita (x + largura = " + std::to_string(int(obj->Left + obj->Width)) +
                ", largura útil " + std::to_string(int(larguraUtil)) + ").");
      l.Objetos.push_back(std::move(obj));
      ++indice;
    }
    l.Secoes.push_back(std::move(secao));
  }
}

}  // namespace

std::unique_ptr<TnLayout> TnLayout::DeTexto(const std::string& texto, const std::string& nome) {
  TContexto ctx{nome, {}};
  json j;
  try {
    j = json::parse(texto);
  } catch (const json::parse_error& e) {
    ctx.Erro(std::string("JSON inválido (") + e.what() + ").");
  }
  auto l = std::make_unique<TnLayout>();
  l->Arquivo = nome;
  try {
    l->Titulo = Texto(j, "relatorio", ctx);
    LerPagina(j, *l, ctx);
    LerParametros(j, *l, ctx);
    LerConsultas(j, *l, ctx);
    LerSecoes(j, *l, ctx);
  } catch (const json::exception& e) {
    ctx.Erro(std::string("valor de tipo errado (") + e.what() + ").");
  } catch (const EnParam& e) {
    ctx.Erro("padrão do parâmetro '" + e.NomeParametro() + "': " + e.what());
  }
  return l;
}

std::unique_ptr<TnLayout> TnLayout::Carregar(const std::string& arquivo) {
  std::ifstream in(arquivo, std::ios::binary);
  if (!in) throw Exception("Layout '" + arquivo + "' não pôde ser aberto.");
  std::ostringstream conteudo;
  conteudo << in.rdbuf();
  return DeTexto(conteudo.str(), arquivo);
}
