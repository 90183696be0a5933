// The command-line host end to end on the test plug-in: exit codes, messages, output files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/data/conexao.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

using Saida = TSaidaRpt;
Saida Rpt(const std::string& args) { return RodarRpt(args); }

struct Cli : ::testing::Test {
  static void SetUpTestSuite() {
    pasta = fs::temp_directory_path() / ("rpt-cli-" + std::to_string(getpid()));
    fs::create_directories(pasta);
    TnDMConexao::CriarBanco((pasta / "vazio.fdb").string());
  }
  static void TearDownTestSuite() { fs::remove_all(pasta); }
  static std::string Run(const std::string& extra) {
    return "run RptTeste --plugins " + std::string(RPT_TEST_PLUGIN_DIR) + " --db " + (pasta / "vazio.fdb").string() +
           " " + extra;
  }
  static inline fs::path pasta;
};

TEST_F(Cli, ListAndDescribe) {
  Saida s = Rpt("list --plugins " + std::string(RPT_TEST_PLUGIN_DIR));
  EXPECT_EQ(s.Codigo, 0);
  EXPECT_NE(s.Texto.find("RptTeste\tTRptTeste\t[versao: 1.2.3.0]"), std::string::npos) << s.Texto;
  s = Rpt("describe RptTeste --plugins " + std::string(RPT_TEST_PLUGIN_DIR));
  EXPECT_EQ(s.Codigo, 0);
  EXPECT_NE(s.Texto.find("pLinhas  (inteiro)  Quantidade de linhas  [padrão: 3]"), std::string::npos) << s.Texto;
}

TEST_F(Cli, RunWritesThePdfAndTheTrace) {
  const fs::path pdf = pasta / "ok.pdf", rastro = pasta / "ok.json";
  Saida s = Rpt(Run("--param pLinhas=2 --out " + pdf.string() + " --trace " + rastro.string()));
  ASSERT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_TRUE(fs::exists(pdf));
  std::ifstream in(rastro);
  const std::string json((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(json.find("\"pages\": 1"), std::string::npos) << json;
  EXPECT_NE(json.find("\"R2\": \"2.001,00\""), std::string::npos) << json;
}

TEST_F(Cli, ErrorsGiveTheirExitCodesAndLeaveNoPdf) {
  const fs::path pdf = pasta / "falha.pdf";
  struct Caso {
    std::string args;
    int codigo;
    std::string mensagem;
  } casos[] = {
      {Run("--param pLinhas=abc --out " + pdf.string()), 2, "pLinhas: 'abc' não é um valor inteiro válido."},
      {Run("--param pData=31/02/2026 --out " + pdf.string()), 2, "pData: '31/02/2026' não é uma data válida"},
      {Run("--param pModo=vazio --param pLinhas=4 --out " + pdf.string()), 2, "pLinhas: parâmetro desabilitado"},
      {Run("--param pNada=1 --out " + pdf.string()), 2, "pNada: parâmetro desconhecido"},
      {Run("--param 'pCodigos=1) or (1=1' --out " + pdf.string()), 2, "pCodigos: Seleção '1) or (1=1' inválida"},
      {Run("--param pModo=erro --out " + pdf.string()), 1, "Falha de teste."},
      {"run RptNaoExiste --plugins " + std::string(RPT_TEST_PLUGIN_DIR) + " --db x.fdb", 1, "não encontrado"},
  };
  for (const auto& c : casos) {
    std::ofstream(pdf) << "antigo";  // a stale file must not survive a failed run
    Saida s = Rpt(c.args);
    EXPECT_EQ(s.Codigo, c.codigo) << c.args << "\n" << s.Texto;
    EXPECT_NE(s.Texto.find(c.mensagem), std::string::npos) << s.Texto;
    if (c.mensagem != "não encontrado") {
      EXPECT_FALSE(fs::exists(pdf)) << c.args;
    }
  }
}

TEST_F(Cli, EmptyReportSucceedsWithoutPdf) {
  const fs::path pdf = pasta / "vazio.pdf";
  Saida s = Rpt(Run("--param pModo=vazio --out " + pdf.string()));
  EXPECT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_NE(s.Texto.find("Nada a imprimir"), std::string::npos);
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(Cli, BadLayoutNamesTheFile) {
  const fs::path dir = pasta / "plugins-ruins";
  fs::create_directories(dir);
  fs::copy_file(fs::path(RPT_TEST_PLUGIN_DIR) / "RptTeste.so", dir / "RptTeste.so", fs::copy_options::overwrite_existing);
  std::ofstream(dir / "RptTeste.json") << R"({"secoes": [{"numero": 9, "altura": 10, "elementos": [{"nome": "lblX", "tipo": "rotulo"}]}]})";
  Saida s = Rpt("run RptTeste --plugins " + dir.string() + " --db " + (pasta / "vazio.fdb").string());
  EXPECT_EQ(s.Codigo, 1);
  EXPECT_NE(s.Texto.find("RptTeste.json', seção 9, elemento 'lblX': falta \"x\""), std::string::npos) << s.Texto;
}

}  // namespace
