#pragma once
// Money and quantities of the demo data in fixed point, so that instalments,
// items and allocations add up exactly, and the values written from them.
#include <cstdint>
#include <string>
#include <vector>

#include "host/core/valor.h"

namespace demo {

// Money is kept in cents and quantities, unit values, areas and rates in
// ten-thousandths, so that instalments, items and allocations add up exactly.
using TCentavos = int64_t;
using TQuatro = int64_t;
constexpr TQuatro kUm = 10000;

// Everything happens up to this day; later instalments are still open.
TDateTime DataBase();

TValor Reais(TCentavos c);                 // cents as a money value
TValor Quatro(TQuatro v);                  // ten-thousandths as a value
TValor Dia(TDateTime d);                   // a date
TValor DiaOuNulo(TDateTime d);             // a date, null for 0
TValor TextoOuNulo(const std::string& s);  // a text, null when empty
TValor CodigoOuNulo(int c);                // a code, null for 0

// Quantity times unit value, in cents rounded half up (both are never negative).
TCentavos Multiplicar(TQuatro qtd, TQuatro unitario);
TQuatro ParaQuatro(double v);  // v in ten-thousandths, rounded

// Shares of total in proportion to the weights; the last takes the remainder.
std::vector<int64_t> Repartir(int64_t total, const std::vector<int64_t>& pesos);

}  // namespace demo
