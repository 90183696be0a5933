#pragma once
// Steps of the reports that print a chart per group: the chart is reset between
// groups, takes one coloured point per entry, and its section grows with the
// number of entries up to the bottom of the page.
#include <string>

#include "host/render/grafico.h"

class TnrwReport;
class TnpqGrafico;

// Empties the chart for the next group: every point of its first series (every
// series when removerSeries), and its extra legend list.
void LimparGrafico(TDBChart& chart, bool removerSeries = false);
// One point on the chart's first series.
void AdicionarPonto(TDBChart& chart, double valor, const std::string& rotulo, TColor cor = clTeeColor);

// A chart section that keeps its design size up to EntradasPadrao entries and
// needs AlturaPorEntrada more for each entry past them, never beyond AlturaMaxima.
struct TnDimensoesGrafico {
  int Secao;                                     // section holding the chart element
  double PosicaoSecao;                           // its standard bottom edge
  double Altura;                                 // the chart element's standard height
  int EntradasPadrao;                            // entries the standard height holds
  double AlturaPorEntrada;                       // extra height per entry past them
  double AlturaMaxima;                           // cap of the needed height

  constexpr double AlturaNecessaria(int entradas) const {  // Altura up to EntradasPadrao, then grows, capped
    if (entradas <= EntradasPadrao) return Altura;
    const double h = Altura + AlturaPorEntrada * (entradas - EntradasPadrao);
    return h < AlturaMaxima ? h : AlturaMaxima;
  }
};

// Sizes the chart section before it prints: the standard position and height first;
// past the standard entries, a new page when the needed height is more than the room
// left, then the section reaches the bottom of the printable area and the chart
// element takes the section's height less one unit.
void DimensionarSecaoGrafico(TnrwReport& report, TnpqGrafico& grafico, const TnDimensoesGrafico& d, int entradas);
