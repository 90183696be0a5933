#include "host/core/formato.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "host/core/datas.h"
#include "host/core/texto.h"

const TnFormatoLocal& FormatoLocal() {
  static const TnFormatoLocal local;
  return local;
}

std::string DecimalArredondado(double v, int casas) {
  if (casas < 0) casas = 0;
  if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v < 0 ? "-INF" : "INF");
  // The shortest text that reads back as v is the decimal value the user typed
  // (2.675, not 2.67499999...), so rounding on it is what people expect.
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed);
  std::string s(buf, r.ptr);
  auto ponto = s.find('.');
  std::string inteiro = ponto == std::string::npos ? s : s.substr(0, ponto);
  std::string fracao = ponto == std::string::npos ? std::string() : s.substr(ponto + 1);
  bool sobe = static_cast<int>(fracao.size()) > casas && fracao[static_cast<size_t>(casas)] >= '5';
  if (static_cast<int>(fracao.size()) > casas) fracao.resize(static_cast<size_t>(casas));
  fracao.append(static_cast<size_t>(casas) - fracao.size(), '0');
  std::string digitos = inteiro + fracao;
  if (sobe) {
    int i = static_cast<int>(digitos.size()) - 1;
    for (; i >= 0; --i) {
      if (digitos[static_cast<size_t>(i)] == '9') {
        digitos[static_cast<size_t>(i)] = '0';
      } else {
        ++digitos[static_cast<size_t>(i)];
        break;
      }
    }
    if (i < 0) digitos.insert(digitos.begin(), '1');
  }
  std::string resultado = digitos.substr(0, digitos.size() - static_cast<size_t>(casas));
  if (casas > 0) resultado += "." + digitos.substr(digitos.size() - static_cast<size_t>(casas));
  bool zero = digitos.find_first_not_of('0') == std::string::npos;
  if (v < 0 && !zero) resultado.insert(resultado.begin(), '-');
  return resultado;
}

double RoundValor(double valor, int digitos) {
  if (!std::isfinite(valor) || digitos > 15) return valor;
  return std::strtod(DecimalArredondado(valor, digitos).c_str(), nullptr);
}

namespace {

struct TSecaoMascara {
  std::string Prefixo, Sufixo;   // literal text around the number
  int MinInteiros = 0;           // '0' placeholders from the first '0' to the point
  int MinDecimais = 0;           // '0' after the point
  int MaxDecimais = 0;           // '0' and '#' after the point
  bool Agrupar = false;          // a ',' in the mask
  bool TemDigitos = false;
};

std::vector<std::string> SecoesDaMascara(const std::string& mascara) {
  std::vector<std::string> secoes(1);
  char aspas = 0;
  for (char c : mascara) {
    if (aspas) {
      if (c == aspas) aspas = 0;
    } else if (c == '\'' || c == '"') {
      aspas = c;
    } else if (c == ';') {
      secoes.emplace_back();
      continue;
    }
    secoes.back() += c;
  }
  return secoes;
}

TSecaoMascara LerSecao(const std::string& secao) {
  TSecaoMascara m;
  bool depoisDoPonto = false, vistoZero = false;
  for (size_t i = 0; i < secao.size(); ++i) {
    char c = secao[i];
    if (c == '\'' || c == '"') {
      auto fim = secao.find(c, i + 1);
      std::string literal = secao.substr(i + 1, fim == std::string::npos ? std::string::npos : fim - i - 1);
      (m.TemDigitos ? m.Sufixo : m.Prefixo) += literal;
      if (fim == std::string::npos) break;
      i = fim;
    } else if (c == '0' || c == '#') {
      m.TemDigitos = true;
      if (depoisDoPonto) {
        ++m.MaxDecimais;
        if (c == '0') m.MinDecimais = m.MaxDecimais;
      } else if (c == '0' || vistoZero) {
        vistoZero = true;
        ++m.MinInteiros;
      }
    } else if (c == '.' && !depoisDoPonto) {
      depoisDoPonto = true;
      m.TemDigitos = true;
    } else if (c == ',') {
      m.Agrupar = true;
    } else if (m.TemDigitos) {
      m.Sufixo += c;
    } else {
      m.Prefixo += c;
    }
  }
  return m;
}

std::string Agrupar(const std::string& inteiros, char separador) {
  std::string saida;
  int n = static_cast<int>(inteiros.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) saida += separador;
    saida += inteiros[static_cast<size_t>(i)];
  }
  return saida;
}

std::string AplicarSecao(const TSecaoMascara& m, double v, bool comSinal) {
  const auto& local = FormatoLocal();
  std::string dec = DecimalArredondado(std::fabs(v), m.MaxDecimais);
  auto ponto = dec.find('.');
  std::string inteiros = ponto == std::string::npos ? dec : dec.substr(0, ponto);
  std::string fracao = ponto == std::string::npos ? std::string() : dec.substr(ponto + 1);
  while (static_cast<int>(fracao.size()) > m.MinDecimais && fracao.back() == '0') fracao.pop_back();
  if (inteiros == "0") inteiros.clear();
  if (static_cast<int>(inteiros.size()) < m.MinInteiros)
    inteiros.insert(0, static_cast<size_t>(m.MinInteiros) - inteiros.size(), '0');
  if (m.Agrupar) inteiros = Agrupar(inteiros, local.SeparadorMilhar);
  std::string numero = inteiros;
  if (!fracao.empty()) numero += local.SeparadorDecimal + fracao;
  bool zero = (inteiros + fracao).find_first_not_of("0.") == std::string::npos;
  return (comSinal && v < 0 && !zero ? "-" : "") + m.Prefixo + numero + m.Sufixo;
}

}  // namespace

std::string FormatFloat(const std::string& mascara, double v) {
  if (mascara.empty() || !std::isfinite(v)) return FloatToStr(v);
  auto secoes = SecoesDaMascara(mascara);
  TSecaoMascara positiva = LerSecao(secoes[0]);
  if (!positiva.TemDigitos) return positiva.Prefixo;
  if (secoes.size() >= 3 && !secoes[2].empty() && v == 0) return AplicarSecao(LerSecao(secoes[2]), v, false);
  if (v < 0 && secoes.size() >= 2 && !secoes[1].empty()) return AplicarSecao(LerSecao(secoes[1]), v, false);
  return AplicarSecao(positiva, v, true);
}

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }

// The digits of t from i on; i ends after them.
std::string Digitos(const std::string& t, size_t& i) {
  const size_t inicio = i;
  while (i < t.size() && Digito(t[i])) ++i;
  return t.substr(inicio, i - inicio);
}

}  // namespace

TnTextoLido LerTextoImpresso(const std::string& texto) {
  const auto& local = FormatoLocal();
  const std::string t = Trim(texto);
  TnTextoLido lido;
  const bool formaDeData = t.size() == 10 && t[2] == '/' && t[5] == '/' &&
                           std::all_of(t.begin(), t.end(), [](char c) { return Digito(c) || c == '/'; });
  if (formaDeData) {
    TDateTime d;
    if (TryEncodeDate(std::stoi(t.substr(6)), std::stoi(t.substr(3, 2)), std::stoi(t.substr(0, 2)), d))
      lido = {TnTextoLido::Data, d, "dd/mm/yyyy"};
    return lido;
  }
  // What AplicarSecao writes: digits grouped by threes or not, the decimals, a literal
  // "%"; the sign as "-" or as parentheses around it all (FormatarComSinal).
  size_t i = 0;
  const bool menos = i < t.size() && t[i] == '-';
  const bool parenteses = i < t.size() && t[i] == '(';
  if (menos || parenteses) ++i;
  std::string inteiros = Digitos(t, i);
  if (inteiros.empty()) return lido;
  const bool agrupado = i < t.size() && t[i] == local.SeparadorMilhar;
  if (agrupado && inteiros.size() > 3) return lido;
  while (i < t.size() && t[i] == local.SeparadorMilhar) {
    ++i;
    const std::string grupo = Digitos(t, i);
    if (grupo.size() != 3) return lido;
    inteiros += grupo;
  }
  std::string fracao;
  if (i < t.size() && t[i] == local.SeparadorDecimal) {
    ++i;
    fracao = Digitos(t, i);
    if (fracao.empty()) return lido;
  }
  const bool percentual = i < t.size() && t[i] == '%';
  if (percentual) ++i;
  if (parenteses && (i >= t.size() || t[i++] != ')')) return lido;
  if (i != t.size()) return lido;
  if (inteiros.size() > 1 && inteiros[0] == '0') return lido;  // a code, not a quantity
  if (inteiros.size() + fracao.size() > 15) return lido;       // more than a double keeps
  std::string formato = (agrupado || !fracao.empty() ? "#,##0" : "0");
  if (!fracao.empty()) formato += "." + std::string(fracao.size(), '0');
  if (percentual) formato += "%";
  double valor = std::strtod((inteiros + (fracao.empty() ? "" : "." + fracao)).c_str(), nullptr);
  if (percentual) valor /= 100;
  if (menos || parenteses) valor = -valor;
  if (parenteses) formato += ";(" + formato + ")";
  return {TnTextoLido::Numero, valor == 0 ? 0.0 : valor, formato};
}

std::string FormatDateTime(const std::string& mascara, TDateTime d) {
  const auto& local = FormatoLocal();
  int ano, mes, dia, h, mi, s, ms;
  DecodeDate(d, ano, mes, dia);
  DecodeTime(d, h, mi, s, ms);
  auto doisDigitos = [](int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", n);
    return std::string(b);
  };
  std::string saida;
  bool depoisDeHora = false;
  for (size_t i = 0; i < mascara.size();) {
    char c = mascara[i];
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t n = 1;
    while (i + n < mascara.size() &&
           std::tolower(static_cast<unsigned char>(mascara[i + n])) == l && std::isalpha(static_cast<unsigned char>(c)))
      ++n;
    if (c == '\'' || c == '"') {
      auto fim = mascara.find(c, i + 1);
      saida += mascara.substr(i + 1, fim == std::string::npos ? std::string::npos : fim - i - 1);
      i = fim == std::string::npos ? mascara.size() : fim + 1;
      continue;
    }
    switch (l) {
      case 'd':
        if (n == 1) saida += std::to_string(dia);
        else if (n == 2) saida += doisDigitos(dia);
        else {
          int semana = static_cast<int>(std::fmod(std::floor(d) - 1, 7.0));  // 30/12/1899 was a Saturday
          if (semana < 0) semana += 7;
          saida += n == 3 ? local.NomesDiasCurtos[static_cast<size_t>(semana)]
                          : local.NomesDias[static_cast<size_t>(semana)];
        }
        break;
      case 'm':
        if (depoisDeHora && n <= 2) saida += n == 1 ? std::to_string(mi) : doisDigitos(mi);
        else if (n == 1) saida += std::to_string(mes);
        else if (n == 2) saida += doisDigitos(mes);
        else if (n == 3) saida += local.NomesMesesCurtos[static_cast<size_t>(mes - 1)];
        else saida += local.NomesMeses[static_cast<size_t>(mes - 1)];
        break;
      case 'y':
        saida += n <= 2 ? doisDigitos(ano % 100) : std::to_string(ano);
        break;
      case 'h': saida += n == 1 ? std::to_string(h) : doisDigitos(h); break;
      case 'n': saida += n == 1 ? std::to_string(mi) : doisDigitos(mi); break;
      case 's': saida += n == 1 ? std::to_string(s) : doisDigitos(s); break;
      case 'z': {
        char b[16];
        std::snprintf(b, sizeof b, n >= 3 ? "%03d" : "%d", ms);
        saida += b;
        break;
      }
      case '/': saida += local.SeparadorData; break;
      case ':': saida += local.SeparadorHora; break;
      default: saida.append(n, c); break;
    }
    if (std::isalpha(static_cast<unsigned char>(c))) depoisDeHora = l == 'h';
    i += n;
  }
  return saida;
}

std::string FloatToStr(double v) {
  if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v < 0 ? "-INF" : "INF");
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string s(buf);
  for (auto& c : s)
    if (c == '.') c = FormatoLocal().SeparadorDecimal;
  auto e = s.find('e');
  if (e != std::string::npos) {  // "1e+20" -> "1E20"
    std::string mant = s.substr(0, e), exp = s.substr(e + 1);
    bool neg = exp[0] == '-';
    exp = exp.substr(exp.find_first_not_of("+-"));
    exp = exp.substr(std::min(exp.find_first_not_of('0'), exp.size() - 1));
    s = mant + "E" + (neg ? "-" : "") + exp;
  }
  return s;
}

bool TryStrToInt64(const std::string& texto, int64_t& valor) {
  std::string t = Trim(texto);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (t.empty()) return false;
  auto r = std::from_chars(t.data(), t.data() + t.size(), valor);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool TryStrToInt(const std::string& texto, int& valor) {
  int64_t v;
  if (!TryStrToInt64(texto, v) || v < INT32_MIN || v > INT32_MAX) return false;
  valor = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& texto) {
  int v;
  if (!TryStrToInt(texto, v)) throw std::invalid_argument("'" + texto + "' não é um valor inteiro válido.");
  return v;
}

int64_t StrToInt64(const std::string& texto) {
  int64_t v;
  if (!TryStrToInt64(texto, v)) throw std::invalid_argument("'" + texto + "' não é um valor inteiro válido.");
  return v;
}

int StrToIntDef(const std::string& texto, int padrao) {
  int v;
  return TryStrToInt(texto, v) ? v : padrao;
}

bool TryStrToFloat(const std::string& texto, double& valor) {
  std::string t = Trim(texto);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (t.empty()) return false;
  int separadores = 0;
  for (auto& c : t) {
    if (c == ',' || c == '.') {
      c = '.';
      ++separadores;
    } else if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != 'e' && c != 'E') {
      return false;
    }
  }
  if (separadores > 1) return false;  // "1.234,5" is ambiguous: reject rather than guess
  auto r = std::from_chars(t.data(), t.data() + t.size(), valor);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

double StrToFloat(const std::string& texto) {
  double v;
  if (!TryStrToFloat(texto, v))
    throw std::invalid_argument("'" + texto + "' não é um valor numérico válido.");
  return v;
}

std::string FormatarComSinal(const std::string& mascara, double v, const std::string& abre) {
  const std::string texto = FormatFloat(mascara, std::fabs(v));
  return v < 0 ? abre + texto + ")" : texto + " ";
}

std::string FormatarAbreParentese(const std::string& mascara, double v) {
  const std::string texto = FormatFloat(mascara, std::fabs(v));
  return v < 0 ? "(" + texto : texto;
}

std::string FechaParentese(double v) { return v < 0 ? ")" : ""; }

std::string FormatarSaldo(double v, bool percentual) {
  return FormatarComSinal(percentual ? kMascaraSaldoPercentual : kMascaraSaldo, v);
}

std::string DateToStr(TDateTime d) {
  if (d == 0) return {};
  return FormatDateTime("dd/mm/yyyy", d);
}

std::string DateTimeToStr(TDateTime d) {
  if (d == 0) return {};
  int h, m, s, ms;
  DecodeTime(d, h, m, s, ms);
  if (h == 0 && m == 0 && s == 0 && ms == 0) return DateToStr(d);
  return FormatDateTime("dd/mm/yyyy hh:nn:ss", d);
}

TDateTime StrToDateDef(const std::string& texto, TDateTime padrao) {
  std::string t = Trim(texto);
  int dia = 0, mes = 0, ano = 0, lidos = 0;
  TDateTime d;
  if (std::sscanf(t.c_str(), "%d/%d/%d%n", &dia, &mes, &ano, &lidos) == 3 ||
      std::sscanf(t.c_str(), "%d.%d.%d%n", &dia, &mes, &ano, &lidos) == 3) {
    if (lidos != static_cast<int>(t.size())) return padrao;
    if (t.size() - t.find_last_of("/.") - 1 <= 2) ano += ano < 50 ? 2000 : 1900;  // "DD/MM/YY"
    return TryEncodeDate(ano, mes, dia, d) ? d : padrao;
  }
  if (std::sscanf(t.c_str(), "%d-%d-%d%n", &ano, &mes, &dia, &lidos) == 3 &&
      lidos == static_cast<int>(t.size()))  // ISO text the database may hand back
    return TryEncodeDate(ano, mes, dia, d) ? d : padrao;
  return padrao;
}

TDateTime StrToDate(const std::string& texto) {
  TDateTime d = StrToDateDef(texto, -1e9);
  if (d == -1e9) throw std::invalid_argument("'" + texto + "' não é uma data válida.");
  return d;
}
