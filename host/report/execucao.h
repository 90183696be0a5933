#pragma once
// One print as the host does it: load the plug-in and its layout, fill the form
// through the report class's hooks, print, and write the output only on success.
#include <string>
#include <utility>
#include <vector>

#include "host/report/rastro.h"

struct TnPedidoImpressao {
  std::string Plugin;                            // name or path of the plug-in
  std::string PastaPlugins;                      // empty = default folder
  std::vector<std::pair<std::string, std::string>> Parametros;  // typed in this order
  std::string ArquivoPdf;                        // empty = no PDF (tests)
  std::string PastaPng;                          // empty = no PNG pages
  bool ComRastro = false;                        // keep the print trace: sections and the queries run
};

struct TnResultadoImpressao {
  int Paginas = 0;                               // 0 when nothing matched the parameters
  TnRastro Rastro;
};

// Prints on the current connection (TnDMConexao::Atual()). Raises EnParam for a bad
// parameter and Exception/std::exception for anything else; no output is left then.
TnResultadoImpressao ImprimirRelatorio(const TnPedidoImpressao& pedido);
