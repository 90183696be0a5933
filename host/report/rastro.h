#pragma once
// The print trace: every printed section with the texts its report-value labels
// showed, in print order, and every query the report ran with its row count.
#include <string>
#include <utility>
#include <vector>

#include "host/core/progresso.h"

struct TnSecaoImpressa {
  int Pagina = 0;
  int Secao = 0;
  std::vector<std::pair<std::string, std::string>> Valores;  // value name -> printed text
  std::string Valor(const std::string& nome) const;          // text of one value; empty if absent
};

struct TnConsultaExecutada {
  std::string Sql;                               // the statement as the report sent it
  int Linhas = 0;                                // rows it returned
};

struct TnRastro {
  int Paginas = 0;
  std::vector<TnSecaoImpressa> Secoes;
  std::vector<TnConsultaExecutada> Consultas;    // every query run while the report printed, in order
  std::vector<TnQuadroProgresso> Quadros;        // the progress frames the report showed, as they last stood
  std::pair<int, int> UltimoProgresso{0, 0};     // the report's last CSLShowProgress (done, total)
  std::vector<int> NumerosSecoes(bool semCabecalho = true) const;  // section numbers in print order
  std::string ParaJson() const;  // {"pages": N, "sections": [{"page":..,"section":..,"values":{..}}],
                                 //  "queries": [{"sql": "...", "rows": N}]}
};
