#include "host/core/texto.h"

#include <cctype>

std::string TemDados(const std::string& antes, const std::string& texto, const std::string& depois) {
  if (Trim(texto).empty()) return {};
  return antes + texto + depois;
}

void Add(std::string& lista, const std::string& item, const std::string& separador, bool semRepetir) {
  if (semRepetir)
    for (const auto& existente : StrToStrArray(lista, separador))
      if (existente == item) return;
  if (!lista.empty()) lista += separador;
  lista += item;
}

namespace {

// Two-byte UTF-8 letters of Latin-1 (U+00C0..U+00FE) fold by 0x20 in the second byte;
// U+00D7 and U+00F7 are the signs x and ÷, not letters.
enum class TCaixa { Alta, Baixa };

void Converter(std::string& s, size_t& i, TCaixa caixa) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    s[i] = static_cast<char>(caixa == TCaixa::Alta ? std::toupper(c) : std::tolower(c));
    ++i;
    return;
  }
  if (c == 0xC3 && i + 1 < s.size()) {
    unsigned char d = static_cast<unsigned char>(s[i + 1]);
    if (caixa == TCaixa::Alta && d >= 0xA0 && d <= 0xBE && d != 0xB7) s[i + 1] = static_cast<char>(d - 0x20);
    if (caixa == TCaixa::Baixa && d >= 0x80 && d <= 0x9E && d != 0x97) s[i + 1] = static_cast<char>(d + 0x20);
    i += 2;
    return;
  }
  ++i;
  while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
}

std::string ConverterTudo(const std::string& texto, TCaixa caixa) {
  std::string s = texto;
  for (size_t i = 0; i < s.size();) Converter(s, i, caixa);
  return s;
}

}  // namespace

std::string UpperCase(const std::string& texto) { return ConverterTudo(texto, TCaixa::Alta); }
std::string LowerCase(const std::string& texto) { return ConverterTudo(texto, TCaixa::Baixa); }
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

std::string CapitalizeCaption(const std::string& texto) {
  std::string s = LowerCase(texto);
  bool inicio = true;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    bool letra = std::isalnum(c) || c >= 0x80;
    if (letra && inicio) {
      Converter(s, i, TCaixa::Alta);
    } else {
      ++i;
      while (c >= 0x80 && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    inicio = !letra;
  }
  return s;
}

std::string PreencherDireita(const std::string& texto, int quantidade, const std::string& preenchimento) {
  std::string s = texto;
  for (int i = 0; i < quantidade; ++i) s += preenchimento;
  return s;
}

std::string PreencherEsquerda(const std::string& texto, int quantidade, const std::string& preenchimento) {
  std::string s;
  for (int i = 0; i < quantidade; ++i) s += preenchimento;
  return s + texto;
}

std::vector<std::string> StrToStrArray(const std::string& texto, const std::string& separador) {
  std::vector<std::string> partes;
  if (texto.empty()) return partes;
  if (separador.empty()) return {texto};
  size_t inicio = 0;
  for (;;) {
    auto pos = texto.find(separador, inicio);
    partes.push_back(texto.substr(inicio, pos == std::string::npos ? std::string::npos : pos - inicio));
    if (pos == std::string::npos) break;
    inicio = pos + separador.size();
  }
  return partes;
}

std::string Trim(const std::string& texto) {
  size_t i = 0, f = texto.size();
  while (i < f && static_cast<unsigned char>(texto[i]) <= ' ') ++i;
  while (f > i && static_cast<unsigned char>(texto[f - 1]) <= ' ') --f;
  return texto.substr(i, f - i);
}

int TamanhoUtf8(const std::string& texto) {
  int n = 0;
  for (unsigned char c : texto)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string CortarUtf8(const std::string& texto, int caracteres) {
  int n = 0;
  for (size_t i = 0; i < texto.size(); ++i) {
    if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80) {
      if (n == caracteres) return texto.substr(0, i);
      ++n;
    }
  }
  return texto;
}

bool Utf8Valido(const std::string& texto) {
  size_t i = 0;
  while (i < texto.size()) {
    const auto c = static_cast<unsigned char>(texto[i]);
    size_t seguintes;
    if (c < 0x80) seguintes = 0;
    else if ((c & 0xE0) == 0xC0) seguintes = 1;
    else if ((c & 0xF0) == 0xE0) seguintes = 2;
    else if ((c & 0xF8) == 0xF0) seguintes = 3;
    else return false;
    if (i + seguintes >= texto.size() && seguintes > 0) return false;
    for (size_t k = 1; k <= seguintes; ++k)
      if ((static_cast<unsigned char>(texto[i + k]) & 0xC0) != 0x80) return false;
    i += seguintes + 1;
  }
  return true;
}

std::string ResumoParaMensagem(const std::string& valor) {
  constexpr int kCaracteresCitados = 60;
  const int tamanho = TamanhoUtf8(valor);
  if (tamanho <= kCaracteresCitados) return valor;
  return CortarUtf8(valor, kCaracteresCitados) + "… (" + std::to_string(tamanho) + " caracteres)";
}
