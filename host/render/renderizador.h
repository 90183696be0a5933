#pragma once
// Draws the finished pages of a run to one PDF and, on request, one PNG per page
// (pagina-0001.png ...). Pages wait in a temporary file until Finalizar knows the
// page count; nothing is written to the given paths before then.
#include <memory>
#include <string>

#include "host/render/pagina.h"

class TnRenderizador : public TnDestinoPaginas {
 public:
  // pastaPng empty: no PNG; escalaPng 1 gives one pixel per layout unit (96 dpi)
  explicit TnRenderizador(std::string arquivoPdf, std::string pastaPng = {}, double escalaPng = 1.0);
  ~TnRenderizador() override;
  void AdicionarPagina(TPagina&& pagina) override;  // keeps the page until Finalizar
  void Finalizar(int totalPaginas) override;        // draws every page; throws, leaving no output, on failure

 private:
  struct TImpl;
  std::unique_ptr<TImpl> F;
};
