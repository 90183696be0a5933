#pragma once
// Finished pages kept compactly in an anonymous temporary file until the page
// count is known, so a long run holds one page in memory at a time.
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "host/render/pagina.h"

class TArquivoPaginas {
 public:
  TArquivoPaginas();                           // opens the temporary file; throws when it cannot
  void Gravar(const TPagina& pagina);          // appends a page
  void Rebobinar();                            // back to the first page for reading
  bool Ler(TPagina& pagina);                   // next page into pagina; false after the last
  int Quantidade() const { return FQuantidade; }  // pages written

 private:
  struct TFecha { void operator()(std::FILE* f) const { if (f) std::fclose(f); } };
  std::unique_ptr<std::FILE, TFecha> FArquivo;
  int FQuantidade = 0;
  std::string FBuffer;                         // one page's bytes
  std::map<std::tuple<std::string, double, bool, bool>, uint16_t> FIdFontes;  // writing
  std::vector<TFonte> FFontes;                 // reading, by id
  std::unordered_map<const TPicture*, uint32_t> FIdImagens;  // pictures stay in memory, by id
  std::vector<std::shared_ptr<const TPicture>> FImagens;
};
