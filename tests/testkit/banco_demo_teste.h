#pragma once
// What proves that a statement rewritten for speed prints what the old text printed:
// the demo database at a small scale, and the rows a statement returns there.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/data/conexao.h"
#include "host/report/rastro.h"

class TBancoDemoTeste {
 public:
  explicit TBancoDemoTeste(int escala);  // creates the demo database in a temporary folder, opens it as Atual()
  ~TBancoDemoTeste();                    // restores the previous Atual(), closes, removes the folder
  TBancoDemoTeste(const TBancoDemoTeste&) = delete;
  TBancoDemoTeste& operator=(const TBancoDemoTeste&) = delete;

  TnDMConexao& Conexao() { return *FConexao; }  // the open connection

 private:
  std::string FDiretorio;
  std::unique_ptr<TnDMConexao> FConexao;
  TnDMConexao* FAnterior = nullptr;
};

using TLinhasConsulta = std::vector<std::vector<std::string>>;

// Every row of sql on the current connection, in the order the database sent them,
// each field as its text ("<nulo>" for a null); valores bound as ExecutarSQL binds them.
TLinhasConsulta LinhasDaConsulta(const std::string& sql, const std::vector<TValor>& valores);

// The text of the first query of a run's trace that holds marca, as the report ran it;
// a failure of the calling test and "" when none does.
std::string ConsultaComMarca(const TnRastro& rastro, const std::string& marca);

// Fixture of the tests that compare a former text with the current one: one demo
// database at scale 2 for the whole suite, the current connection in every test.
class TesteBancoDemo : public ::testing::Test {
 protected:
  static constexpr int kEscala = 2;
  static void SetUpTestSuite() { FBanco = new TBancoDemoTeste(kEscala); }
  static void TearDownTestSuite() {
    delete FBanco;
    FBanco = nullptr;
  }
  void SetUp() override { TnDMConexao::DefinirAtual(&FBanco->Conexao()); }

  static inline TBancoDemoTeste* FBanco = nullptr;
};
