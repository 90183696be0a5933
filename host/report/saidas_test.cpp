// Outputs of a run: page file names, and what a run without pages leaves behind.
#include "host/report/saidas.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(Saidas, PageFilesAreOnlyOurOwnNames) {
  struct Caso {
    const char* nome;
    bool nossa;
  } casos[] = {{"pagina-0001.png", true}, {"pagina-12345.png", true}, {"pagina-1.png", false},
               {"foto.png", false},       {"pagina-0001.png.bak", false}, {"Pagina-0001.png", false}};
  for (const auto& c : casos) EXPECT_EQ(EhArquivoDePagina(c.nome), c.nossa) << c.nome;
}

// Nothing matched: the older PDF and page files go, the user's files stay, the trace comes.
TEST(Saidas, ARunWithoutPagesRemovesOnlyOurOlderFiles) {
  const fs::path d = fs::temp_directory_path() / ("rpt-saidas-" + std::to_string(getpid()));
  fs::create_directories(d / "pag");
  std::ofstream(d / "r.pdf") << "%PDF-1.4 antigo";
  std::ofstream(d / "pag" / "pagina-0001.png") << "antiga";
  std::ofstream(d / "pag" / "foto.png") << "minha";
  {
    TnSaidasTemporarias saida({(d / "r.pdf").string(), (d / "pag").string(), (d / "r.json").string(), {}, {}, {}});
    std::ofstream(saida.Rastro()) << "{\"pages\": 0}";
    saida.Confirmar(false);
  }
  EXPECT_FALSE(fs::exists(d / "r.pdf"));
  EXPECT_FALSE(fs::exists(d / "pag" / "pagina-0001.png"));
  EXPECT_TRUE(fs::exists(d / "pag" / "foto.png"));
  EXPECT_TRUE(fs::exists(d / "r.json"));
  int entradas = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(d)) ++entradas;
  EXPECT_EQ(entradas, 2);  // r.json and pag: no private folder left
  fs::remove_all(d);
}

}  // namespace
