#pragma once
// One print as the host does it: load the plug-in and its layout, fill the form
// through the report class's hooks, print, and write the output only on success.
#include <string>
#include <utility>
#include <vector>

#include "host/report/conjuntos_layout.h"
#include "host/report/rastro.h"

struct TnPedidoImpressao {
  std::string Plugin;                            // name or path of the plug-in
  std::string PastaPlugins;                      // empty = default folder
  std::vector<std::pair<std::string, std::string>> Parametros;  // typed in this order
  std::string ArquivoPdf;                        // empty = no PDF (tests)
  std::string PastaPng;                          // empty = no PNG pages
  std::string ArquivoRastro;                     // empty = the trace is not written to a file
  std::string ArquivoXlsx;                       // the printed rows as an XLSX spreadsheet; empty = none
  std::string ArquivoCsv;                        // the same rows as CSV; empty = none
  bool ComRastro = false;                        // keep the print trace: sections and the queries run
  bool ConferirTabelas = false;                  // once the form is filled, refuse a database without our tables
  TnConjuntosFornecidos Conjuntos;               // datasets in place of the layout's queries (tests); stay the caller's
};

struct TnResultadoImpressao {
  int Paginas = 0;                               // 0 when nothing matched the parameters
  TnRastro Rastro;
};

// Prints on the current connection. The layout's datasets are opened once the form
// is filled, read-only, handed to the report and freed after the print, however it ends. (TnDMConexao::Atual()). The outputs are
// checked first (ConferirDestinos) and replaced only on success. Raises EnParam
// for a bad parameter and Exception/std::exception for anything else; the older
// outputs stay as they were then.
TnResultadoImpressao ImprimirRelatorio(const TnPedidoImpressao& pedido);
