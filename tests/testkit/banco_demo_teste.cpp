#include "tests/testkit/banco_demo_teste.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "demo/banco_demo.h"
#include "host/data/sql.h"

namespace fs = std::filesystem;

TBancoDemoTeste::TBancoDemoTeste(int escala) {
  static std::atomic<int> sequencia{0};
  const fs::path pasta = fs::temp_directory_path() /
                         ("rpt-demo-teste-" + std::to_string(getpid()) + "-" + std::to_string(sequencia++));
  fs::create_directories(pasta);
  FDiretorio = pasta.string();
  try {
    CriarBancoDemo((pasta / "demo.fdb").string(), escala);
    FConexao = TnDMConexao::Abrir((pasta / "demo.fdb").string());
  } catch (...) {
    std::error_code erro;
    fs::remove_all(pasta, erro);
    throw;
  }
  FAnterior = TnDMConexao::Atual();
  TnDMConexao::DefinirAtual(FConexao.get());
}

TBancoDemoTeste::~TBancoDemoTeste() {
  TnDMConexao::DefinirAtual(FAnterior);
  FConexao.reset();
  std::error_code erro;
  fs::remove_all(FDiretorio, erro);
}

TLinhasConsulta LinhasDaConsulta(const std::string& sql, const std::vector<TValor>& valores) {
  TnDataSetSQL ds = ExecutarSQL(sql, valores);
  TLinhasConsulta linhas;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    std::vector<std::string> linha;
    for (int i = 0; i < ds->FieldCount(); ++i) {
      const TField* campo = ds->Fields(i);
      linha.push_back(campo->IsNull() ? "<nulo>" : campo->AsString());
    }
    linhas.push_back(std::move(linha));
  }
  DestruirSQL(ds);
  return linhas;
}

std::string ConsultaComMarca(const TnRastro& rastro, const std::string& marca) {
  for (const TnConsultaExecutada& c : rastro.Consultas)
    if (c.Sql.find(marca) != std::string::npos) return c.Sql;
  ADD_FAILURE() << "nenhuma consulta com " << marca;
  return "";
}
