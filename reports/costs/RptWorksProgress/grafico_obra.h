#pragma once
// Geometry of the works chart (section 12), shared by the report and its tests.
// Heights and positions are layout units.
#include "host/report/grafico_relatorio.h"

// Section 12 holds the chart element "Grafico"; its standard bottom edge is 646 and the
// chart 397 high, enough for 22 bars; 16 more per bar past them, never above 794.
constexpr TnDimensoesGrafico kGraficoObra{12, 646, 397, 22, 16, 794};

// The height a chart of n bars needs; above the standard it decides whether the
// chart still fits on the current page.
constexpr double AlturaNecessariaGrafico(int entradas) { return kGraficoObra.AlturaNecessaria(entradas); }
