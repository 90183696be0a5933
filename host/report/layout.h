#pragma once
// A report layout read from its JSON file: page, sections with their objects and
// the parameter definitions of the form. The format is described in docs/layout.md.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/report/elementos.h"
#include "host/report/params.h"

struct TnPaginaLayout {
  double Largura = 794, Altura = 1123;           // A4 portrait in layout units
  double MargemEsquerda = 38, MargemTopo = 38, MargemDireita = 38, MargemBase = 38;
};

struct TnLayout {
  static constexpr int kSecaoCabecalho = 1;      // printed by the engine at the top of every page
  static constexpr int kSecaoRodape = 2;         // optional page footer; a standard one otherwise

  std::string Arquivo;                           // file it came from, for messages
  std::string Titulo;                            // report name shown by the host
  TnPaginaLayout Pagina;
  std::vector<std::unique_ptr<TnpqSection>> Secoes;      // in design order
  std::vector<std::unique_ptr<TnpqObjeto>> Objetos;      // every object, in layout order
  std::vector<std::unique_ptr<TnpqParamItem>> Parametros;  // form definitions, in order
  std::string Consulta;                          // "consulta": the layout's own query, handed over as MainDataSet
  std::vector<std::pair<std::string, std::string>> Conjuntos;  // "conjuntos": parameter -> query handed through it

  static std::unique_ptr<TnLayout> Carregar(const std::string& arquivo);  // raises naming file and element
  static std::unique_ptr<TnLayout> DeTexto(const std::string& json, const std::string& nome);
};
