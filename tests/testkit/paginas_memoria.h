#pragma once
// Keeps the pages the engine produced, for tests that look at the page model.
#include <string>
#include <vector>

#include "host/render/pagina.h"

class TPaginasMemoria : public TnDestinoPaginas {
 public:
  void AdicionarPagina(TPagina&& pagina) override { Paginas.push_back(std::move(pagina)); }
  void Finalizar(int total) override { Total = total; }

  // The texts placed on page i (from 0), in drawing order.
  std::vector<std::string> Textos(size_t i) const {
    std::vector<std::string> t;
    for (const auto& e : Paginas.at(i).Elementos)
      if (auto* texto = std::get_if<TElementoTexto>(&e)) t.push_back(texto->Texto);
    return t;
  }
  // The first text element showing exactly this text, or null.
  const TElementoTexto* Texto(size_t pagina, const std::string& texto) const {
    for (const auto& e : Paginas.at(pagina).Elementos)
      if (auto* t = std::get_if<TElementoTexto>(&e); t && t->Texto == texto) return t;
    return nullptr;
  }

  std::vector<TPagina> Paginas;
  int Total = 0;
};
