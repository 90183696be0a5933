// Every demo run of scripts/demo-relatorios.txt on a fresh demo database: each must
// print pages, and the statements it sent must run on the schema and find rows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo/banco_demo.h"
#include "host/data/conexao.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

struct TExecucaoDemo {
  std::string Nome, Plugin;
  TParametros Parametros;
};

// "NOME PLUGIN --param N=V ..." as the demo script reads it: blanks split words,
// single quotes keep blanks inside one.
std::vector<std::string> Palavras(const std::string& linha) {
  std::vector<std::string> palavras;
  std::string atual;
  bool aspas = false, tem = false;
  for (char c : linha) {
    if (c == '\'') aspas = !aspas, tem = true;
    else if (c == ' ' && !aspas) {
      if (tem) palavras.push_back(atual);
      atual.clear();
      tem = false;
    } else {
      atual += c;
      tem = true;
    }
  }
  if (tem) palavras.push_back(atual);
  return palavras;
}

std::vector<TExecucaoDemo> ExecucoesDemo() {
  std::vector<TExecucaoDemo> execucoes;
  std::ifstream arquivo(RPT_DEMO_RUNS);
  std::string linha;
  while (std::getline(arquivo, linha)) {
    const std::vector<std::string> p = Palavras(linha);
    if (p.empty() || p[0][0] == '#') continue;
    TExecucaoDemo e{p.at(0), p.at(1), {}};
    for (size_t i = 2; i + 1 < p.size(); i += 2) {
      if (p[i] != "--param") throw std::runtime_error("demo-relatorios.txt: '" + p[i] + "' em " + e.Nome);
      const auto igual = p[i + 1].find('=');
      e.Parametros.emplace_back(p[i + 1].substr(0, igual), p[i + 1].substr(igual + 1));
    }
    execucoes.push_back(std::move(e));
  }
  return execucoes;
}

class DemoRelatorios : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    FPasta = new fs::path(fs::temp_directory_path() / ("rpt-demo-relatorios-" + std::to_string(getpid())));
    fs::create_directories(*FPasta);
    CriarBancoDemo((*FPasta / "demo.fdb").string());
    FConexao = TnDMConexao::Abrir((*FPasta / "demo.fdb").string()).release();
  }
  static void TearDownTestSuite() {
    delete FConexao;
    fs::remove_all(*FPasta);
    delete FPasta;
  }
  void SetUp() override { TnDMConexao::DefinirAtual(FConexao); }
  void TearDown() override { TnDMConexao::DefinirAtual(nullptr); }

  static inline fs::path* FPasta = nullptr;
  static inline TnDMConexao* FConexao = nullptr;
};

TEST_F(DemoRelatorios, EveryRunPrintsPagesFromStatementsThatFindRows) {
  const std::vector<TExecucaoDemo> execucoes = ExecucoesDemo();
  ASSERT_GE(execucoes.size(), 12u) << RPT_DEMO_RUNS;
  for (const TExecucaoDemo& e : execucoes) {
    SCOPED_TRACE(e.Nome);
    TnResultadoImpressao r;
    try {
      r = ImprimirComRastro(e.Plugin, e.Parametros);
    } catch (const std::exception& erro) {
      ADD_FAILURE() << e.Plugin << ": " << erro.what();
      continue;
    }
    EXPECT_GT(r.Paginas, 0);
    ASSERT_FALSE(r.Rastro.Consultas.empty());
    for (const TnConsultaExecutada& c : r.Rastro.Consultas) EXPECT_GT(c.Linhas, 0) << c.Sql;
  }
}

}  // namespace
