#include "demo/quantias.h"

#include <cmath>

#include "host/core/datas.h"

namespace demo {

TDateTime DataBase() { return EncodeDate(2026, 12, 15); }

TValor Reais(TCentavos c) { return TValor(static_cast<double>(c) / 100.0); }
TValor Quatro(TQuatro v) { return TValor(static_cast<double>(v) / 10000.0); }
TValor Dia(TDateTime d) { return TValor::Data(d); }
TValor DiaOuNulo(TDateTime d) { return d > 0 ? TValor::Data(d) : TValor(); }
TValor TextoOuNulo(const std::string& s) { return s.empty() ? TValor() : TValor(s); }
TValor CodigoOuNulo(int c) { return c ? TValor(c) : TValor(); }

TCentavos Multiplicar(TQuatro qtd, TQuatro unitario) { return (qtd * unitario + 500000) / 1000000; }
TQuatro ParaQuatro(double v) { return std::llround(v * 10000.0); }

std::vector<int64_t> Repartir(int64_t total, const std::vector<int64_t>& pesos) {
  int64_t soma = 0;
  for (int64_t p : pesos) soma += p;
  std::vector<int64_t> partes(pesos.size(), 0);
  if (pesos.empty() || soma <= 0) return partes;
  int64_t usado = 0;
  for (size_t i = 0; i + 1 < pesos.size(); ++i) {
    partes[i] = static_cast<int64_t>(static_cast<long double>(total) * pesos[i] / soma);
    usado += partes[i];
  }
  partes.back() = total - usado;
  return partes;
}

}  // namespace demo
