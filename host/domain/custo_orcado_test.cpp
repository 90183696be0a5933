#include "host/domain/custo_orcado.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(CustoOrcado, DividirArredondadoRoundsAndGivesZeroForNoDivisor) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double Valor, Divisor, Esperado;
  } casos[] = {
      {25, 100, 0.25},       // a share is a fraction
      {1, 3, 0.33},          // rounded to two decimals
      {2, 3, 0.67},
      {-1, 8, -0.13},        // half away from zero
      {1000, 2087.54, 0.48}, // a converted amount
      {1000, 0, 0},          // no divisor: a zero (or null) works total, rate or area
      {0, 0, 0},
      {-5, 0, 0},
      {1, nan, 0},
      {inf, 2, 0},
  };
  for (const auto& c : casos) {
    const double r = DividirArredondado(c.Valor, c.Divisor);
    EXPECT_TRUE(std::isfinite(r)) << c.Valor << " / " << c.Divisor;
    EXPECT_DOUBLE_EQ(r, c.Esperado) << c.Valor << " / " << c.Divisor;
  }
  EXPECT_DOUBLE_EQ(DividirArredondado(1, 3, 4), 0.3333);
}
