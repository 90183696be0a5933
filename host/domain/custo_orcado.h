#pragma once
// Switches and arithmetic the budgeted-cost reports share (by area, by phase,
// by unit): the report model, the print mode and the guarded quotients of a
// budget line (share of the works' total, converted amount, cost per area).

// Report model, the integer value of pModelo.
enum TnModeloRelat {
  moAnalitico = 0,                               // one line per input (per unit in the budget by unit)
  moSintetico = 1                                // one line per input group (per unit type)
};

// Print mode, the integer value of pTipoImprimir; a value outside the three is kept
// as it is (it matches no mode test), hence the fixed underlying type.
enum TnTipoImprimir : int {
  imRelatorio = 0,                               // lines only
  imGrafico = 1,                                 // chart only
  imRelatGrafico = 2                             // lines, then the chart
};

// RoundValor(valor / divisor, casas); 0 when the divisor is 0 (a null field reads
// as 0) or the quotient is not a finite number, so no inf or nan reaches a mask
// or a chart.
double DividirArredondado(double valor, double divisor, int casas = 2);
