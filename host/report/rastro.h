#pragma once
// The print trace: every printed section with the texts its report-value labels
// showed, in print order.
#include <string>
#include <utility>
#include <vector>

struct TnSecaoImpressa {
  int Pagina = 0;
  int Secao = 0;
  std::vector<std::pair<std::string, std::string>> Valores;  // value name -> printed text
  std::string Valor(const std::string& nome) const;          // text of one value; empty if absent
};

struct TnRastro {
  int Paginas = 0;
  std::vector<TnSecaoImpressa> Secoes;
  std::vector<int> NumerosSecoes(bool semCabecalho = true) const;  // section numbers in print order
  std::string ParaJson() const;  // {"pages": N, "sections": [{"page":..,"section":..,"values":{..}}]}
};
