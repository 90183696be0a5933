#include "host/domain/custo_orcado.h"

#include <cmath>

#include "host/core/formato.h"

double DividirArredondado(double valor, double divisor, int casas) {
  if (divisor == 0) return 0;
  const double quociente = valor / divisor;
  return std::isfinite(quociente) ? RoundValor(quociente, casas) : 0;
}
