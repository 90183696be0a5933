#pragma once
// Geometry of the works chart (section 12), shared by the report and its tests.
// Heights and positions are layout units.
#include <algorithm>

constexpr int kSecaoGrafico = 12;                // the section holding the chart element "Grafico"
constexpr double kPosicaoSecaoGrafico = 646;     // standard bottom edge of the chart section
constexpr double kAlturaGrafico = 397;           // standard chart height, enough for 22 bars
constexpr int kEntradasAlturaPadrao = 22;        // bars the standard height holds
constexpr double kAlturaPorEntrada = 16;         // extra height per bar past the standard ones
constexpr double kAlturaMaximaGrafico = 794;     // the chart never needs more than this

// The height a chart of n bars needs; above the standard it decides whether the
// chart still fits on the current page.
constexpr double AlturaNecessariaGrafico(int entradas) {
  if (entradas <= kEntradasAlturaPadrao) return kAlturaGrafico;
  return std::min(kAlturaGrafico + kAlturaPorEntrada * (entradas - kEntradasAlturaPadrao), kAlturaMaximaGrafico);
}
