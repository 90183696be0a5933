#pragma once
// What a print placed, section by section, for the outputs that are not pages (the
// spreadsheet): each label with its text and where it stood when the section printed.
#include <string>
#include <vector>

#include "host/render/pagina.h"

class TnpqLabel;

enum class TnPapelSecao {
  Corpo,                                         // a section the report printed
  Cabecalho,                                     // the page header, or a section printed while it prints
  Rodape,                                        // the page footer
};

struct TnRotuloColocado {
  const TnpqLabel* Rotulo = nullptr;             // the layout's label; stays the report's
  TRetangulo Area;                               // inside the section, as it stood then (reports move labels)
  bool Negrito = false;                          // its font then
  double TamanhoFonte = 8;                       // points
  TAlinhamento Alinhamento = TAlinhamento::Esquerda;
  std::string Texto;                             // never empty: blank labels are left out
};

class TnObservadorSecoes {
 public:
  virtual ~TnObservadorSecoes() = default;
  // A section was placed on page pagina; rotulos are its visible labels with a text, in layout
  // order, engine values (page number, print date) left out.
  virtual void SecaoColocada(int pagina, int secao, TnPapelSecao papel, std::vector<TnRotuloColocado>&& rotulos) = 0;
};
