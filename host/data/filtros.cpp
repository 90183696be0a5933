#include "host/data/filtros.h"

#include <charconv>
#include <cmath>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"

namespace {

constexpr int kMaximoValoresEmLista = 1500;

std::string Aspas(const std::string& texto) {
  if (texto.find('\0') != std::string::npos)
    throw std::invalid_argument("Texto com caractere nulo não pode ir para o SQL.");
  std::string r = "'";
  for (char c : texto) {
    if (c == '\'') r += '\'';
    r += c;
  }
  return r + "'";
}

[[noreturn]] void Recusar(const std::string& selecao, const std::string& motivo) {
  throw EnSelecaoInvalida("Seleção '" + ResumoParaMensagem(selecao) + "' inválida: " + motivo +
                          ". Use códigos inteiros separados por vírgula e faixas como 5-9 (exemplo: 1,3,5-9).");
}

// Reads "[-]digits" at i, skipping blanks around it.
bool LerInteiro(const std::string& t, size_t& i, int64_t& v) {
  while (i < t.size() && t[i] == ' ') ++i;
  size_t ini = i;
  if (i < t.size() && t[i] == '-') ++i;
  size_t digitos = i;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
  if (i == digitos || i - digitos > 18) return false;
  std::from_chars(t.data() + ini, t.data() + i, v);
  while (i < t.size() && t[i] == ' ') ++i;
  return true;
}

void ValidarColuna(const std::string& coluna) {
  bool ok = !coluna.empty();
  for (char c : coluna)
    ok = ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '$' || c == '"');
  if (!ok) throw std::invalid_argument("Nome de coluna inválido no filtro: '" + coluna + "'.");
}

}  // namespace

EnSelecaoInvalida::~EnSelecaoInvalida() = default;

std::string ValorParaSQL(const TValor& valor) {
  switch (valor.Tipo()) {
    case TValor::TTipo::Nulo: return "null";
    case TValor::TTipo::Inteiro: return std::to_string(valor.AsInteger());
    case TValor::TTipo::Real: {
      double v = valor.AsFloat();
      if (!std::isfinite(v)) throw std::invalid_argument("Valor numérico inválido para o SQL.");
      char buf[64];
      auto r = std::to_chars(buf, buf + sizeof buf, v);
      return std::string(buf, r.ptr);
    }
    case TValor::TTipo::Texto: return Aspas(valor.AsString());
    case TValor::TTipo::Data: return "'" + FormatDateTime("yyyy-mm-dd", valor.AsFloat()) + "'";
    case TValor::TTipo::DataHora: return "'" + FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", valor.AsFloat()) + "'";
  }
  return "null";
}

std::string ValorParaSQL(const TValor& valor, TFieldType tipo) {
  if (valor.IsNull()) return "null";
  switch (tipo) {
    case ftInteger:
    case ftLargeint: {
      if (valor.Tipo() == TValor::TTipo::Texto) return std::to_string(StrToInt64(valor.AsString()));
      return std::to_string(valor.AsInteger());
    }
    case ftFloat: return ValorParaSQL(TValor(valor.AsFloat()));
    case ftDate: return ValorParaSQL(TValor::Data(std::trunc(valor.AsDateTime())));
    case ftDateTime: return ValorParaSQL(TValor::DataHora(valor.AsDateTime()));
    default: return Aspas(valor.AsString());
  }
}

std::vector<TnFaixaSelecao> LerSelecao(const std::string& selecao) {
  std::vector<TnFaixaSelecao> itens;
  for (const auto& parte0 : StrToStrArray(selecao, ",")) {
    for (const auto& parte : StrToStrArray(parte0, ";")) {
      std::string item = Trim(parte);
      if (item.empty()) continue;  // "1,,3" or a trailing comma: nothing to select there
      size_t i = 0;
      int64_t ini, fim;
      if (!LerInteiro(item, i, ini)) Recusar(selecao, "'" + ResumoParaMensagem(item) + "' não é um código");
      fim = ini;
      if (i < item.size() && item[i] == '-') {
        ++i;
        if (!LerInteiro(item, i, fim)) Recusar(selecao, "'" + ResumoParaMensagem(item) + "' não é uma faixa");
      }
      if (i != item.size()) Recusar(selecao, "'" + ResumoParaMensagem(item) + "' não é um código nem uma faixa");
      if (fim < ini) Recusar(selecao, "a faixa '" + ResumoParaMensagem(item) + "' começa depois de terminar");
      itens.push_back({ini, fim});
    }
  }
  return itens;
}

std::string FilterInterval(const std::vector<std::string>& campos, const std::string& selecao,
                           const std::vector<int>& tiposInclusao, bool comAnd, int tipoValor, int /*reservado*/) {
  auto itens = LerSelecao(selecao);
  if (itens.empty()) return comAnd ? std::string() : std::string("1=1 ");
  if (campos.empty()) throw std::invalid_argument("FilterInterval sem coluna.");
  auto literal = [&](int64_t v) { return tipoValor == 1 ? "'" + std::to_string(v) + "'" : std::to_string(v); };
  std::string condicoes;
  for (size_t c = 0; c < campos.size(); ++c) {
    const std::string& coluna = campos[c];
    ValidarColuna(coluna);
    int tipo = tiposInclusao.empty() ? 1 : tiposInclusao[std::min(c, tiposInclusao.size() - 1)];
    if (tipo != 1 && tipo != 2) throw std::invalid_argument("Tipo de inclusão " + std::to_string(tipo) + " desconhecido.");
    // The database takes at most kMaximoValoresEmLista values in one "in" list; longer lists are split.
    std::vector<std::string> listas;
    std::string faixas;
    int naLista = 0;
    for (const auto& f : itens) {
      if (f.Inicio != f.Fim) {
        Add(faixas, coluna + " between " + literal(f.Inicio) + " and " + literal(f.Fim), " or ");
        continue;
      }
      if (listas.empty() || naLista == kMaximoValoresEmLista) {
        listas.emplace_back();
        naLista = 0;
      }
      Add(listas.back(), literal(f.Inicio), ",");
      ++naLista;
    }
    std::string cond;
    for (const auto& lista : listas)
      Add(cond, coluna + (lista.find(',') == std::string::npos ? " = " + lista : " in (" + lista + ")"), " or ");
    if (!faixas.empty()) Add(cond, faixas, " or ");
    cond = "(" + cond + ")";
    if (tipo == 2) cond = "not " + cond;
    Add(condicoes, cond, " and ");
  }
  return (comAnd ? " and " : "") + condicoes + " ";
}

bool ExibeEmpresaRel(const std::string& codigos) {
  auto itens = LerSelecao(codigos);
  return itens.size() == 1 && itens[0].Inicio == itens[0].Fim;
}
