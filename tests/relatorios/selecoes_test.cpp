// Every selection parameter of every plug-in, as `rpt describe` lists them: a text
// outside the selection notation exits 2 naming the parameter and writes no PDF.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "host/data/conexao.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTipoCodigos = "(códigos e faixas";  // how describe names a selection

// First column of each line of `rpt list`.
std::vector<std::string> Plugins() {
  std::vector<std::string> nomes;
  std::istringstream linhas(RodarRpt("list").Texto);
  for (std::string linha; std::getline(linhas, linha);)
    if (!linha.empty()) nomes.push_back(linha.substr(0, linha.find('\t')));
  return nomes;
}

std::vector<std::string> ParametrosCodigos(const std::string& plugin) {
  std::vector<std::string> nomes;
  std::istringstream linhas(RodarRpt("describe " + plugin).Texto);
  for (std::string linha; std::getline(linhas, linha);)
    if (linha.find(kTipoCodigos) != std::string::npos) {
      const size_t inicio = linha.find_first_not_of(' ');
      nomes.push_back(linha.substr(inicio, linha.find(' ', inicio) - inicio));
    }
  return nomes;
}

TEST(SelecoesDosRelatorios, ATextOutsideTheNotationExits2NamingTheParameter) {
  const fs::path pasta = fs::temp_directory_path() / ("rpt-selecoes-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  TnDMConexao::CriarBanco((pasta / "vazio.fdb").string());  // no tables: nothing may reach a query
  const fs::path pdf = pasta / "saida.pdf";
  const std::vector<std::string> plugins = Plugins();
  ASSERT_GE(plugins.size(), 5u);
  int parametros = 0;
  for (const std::string& plugin : plugins)
    for (const std::string& parametro : ParametrosCodigos(plugin)) {
      SCOPED_TRACE(plugin + " " + parametro);
      ++parametros;
      const TSaidaRpt s = RodarRpt("run " + plugin + " --db " + (pasta / "vazio.fdb").string() + " --param '" +
                                   parametro + "=1) or (1=1' --out " + pdf.string());
      EXPECT_EQ(s.Codigo, 2) << s.Texto;
      EXPECT_NE(s.Texto.find(parametro + ": Seleção '1) or (1=1' inválida"), std::string::npos) << s.Texto;
      EXPECT_FALSE(fs::exists(pdf));
    }
  EXPECT_GE(parametros, 5);
  fs::remove_all(pasta);
}

}  // namespace
