#include "demo/documentos.h"

#include <cstdio>

namespace demo {

std::string DoisDigitos(int n) { return n < 10 && n >= 0 ? "0" + std::to_string(n) : std::to_string(n); }

std::string Digitos(int64_t n, int largura) {
  char b[32];
  std::snprintf(b, sizeof b, "%0*lld", largura, static_cast<long long>(n));
  return b;
}

std::string Cnpj(int64_t raiz, int filial) {
  std::string d = Digitos(raiz % 100000000, 8) + Digitos(filial, 4);
  auto dv = [](const std::string& s, const int* pesos) {
    int soma = 0;
    for (size_t i = 0; i < s.size(); ++i) soma += (s[i] - '0') * pesos[i];
    int r = soma % 11;
    return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
  };
  static const int p1[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  static const int p2[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  d += dv(d, p1);
  d += dv(d, p2);
  return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" + d.substr(12, 2);
}

std::string Cpf(int64_t base) {
  std::string d = Digitos(base % 1000000000, 9);
  for (int k = 0; k < 2; ++k) {
    int soma = 0;
    const int n = static_cast<int>(d.size());
    for (int i = 0; i < n; ++i) soma += (d[static_cast<size_t>(i)] - '0') * (n + 1 - i);
    int r = (soma * 10) % 11;
    d += static_cast<char>('0' + (r == 10 ? 0 : r));
  }
  return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9, 2);
}

}  // namespace demo
