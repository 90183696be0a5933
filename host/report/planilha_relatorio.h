#pragma once
// The spreadsheet of a run, gathered from the sections as the engine places them, the
// same for every report:
// - rows: one per body section that printed a text, in print order; page headers and
//   footers give none.
// - title block: the first page header's labels, a line per row of labels, apart from
//   the column headings; a later page header repeats the lines that changed (a new
//   development on its own page) as rows where it printed.
// - column headings: the sections printed with the first page header (a heading a
//   report prints after it); without one, the page header's lowest row of labels of
//   which at least kRotulosDeCabecalho, and at least half, share an edge with a body label.
// - columns: the labels' horizontal places. Sections are taken from the one with the
//   most labels down; a label joins a column of the sections taken before when it shares
//   its edge (left for left-aligned, right for right-aligned, kTolerancia units), else the
//   first column its width overlaps (the last for a right-aligned label), keeping each
//   section's left-to-right order and one label per column; otherwise it starts a column.
//   A column is as wide as the label that started it.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "host/render/planilha.h"
#include "host/report/secoes_colocadas.h"

class TnColetorPlanilha : public TnObservadorSecoes {
 public:
  static constexpr double kTolerancia = 3;       // layout units two edges may differ by and still line up
  static constexpr size_t kRotulosDeCabecalho = 3;

  void SecaoColocada(int pagina, int secao, TnPapelSecao papel, std::vector<TnRotuloColocado>&& rotulos) override;
  TnPlanilha Montar(const std::string& nome) const;  // the sheet of what was placed so far, named nome

 private:
  struct TTexto {
    size_t Lugar = 0;                            // in FLugares
    std::string Texto;
    bool Negrito = false;                        // the label's font then (reports embolden some lines)
    double TamanhoFonte = 8;
  };
  struct TSecao {
    int Pagina = 0, Numero = 0;
    TnPapelSecao Papel = TnPapelSecao::Corpo;
    std::vector<TTexto> Textos;
  };
  using TChave = std::tuple<const TnpqLabel*, double, double, double, double, TAlinhamento>;

  std::vector<TnRotuloColocado> FLugares;        // every distinct place a label printed at; its text left empty
  std::map<TChave, size_t> FIndice;              // place -> FLugares index
  std::vector<TSecao> FSecoes;                   // in print order
};
