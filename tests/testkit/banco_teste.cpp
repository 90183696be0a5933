#include "tests/testkit/banco_teste.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "host/data/schema.h"

namespace fs = std::filesystem;

namespace {

std::string NovoDiretorio() {
  std::string modelo = (fs::temp_directory_path() / "rpt-teste-XXXXXX").string();
  if (!mkdtemp(modelo.data())) throw std::runtime_error("Não foi possível criar o diretório temporário.");
  return modelo;
}

// Applying the whole schema costs far more than copying a file, so the first
// database with the schema becomes the model the later ones are copied from.
struct TModeloSchema {
  std::string Diretorio, Arquivo, Schema;
  ~TModeloSchema() {
    std::error_code ec;
    if (!Diretorio.empty()) fs::remove_all(Diretorio, ec);
  }
};

const std::string& ModeloComSchema(const std::string& schema) {
  static TModeloSchema modelo;
  if (modelo.Arquivo.empty() || modelo.Schema != schema) {  // another schema (RPT_SCHEMA_FILE) gets its own model
    std::string dir = NovoDiretorio();
    std::string arquivo = dir + "/modelo.fdb";
    try {
      auto c = TnDMConexao::CriarBanco(arquivo);
      c->ExecutarScript(schema);
    } catch (...) {
      std::error_code ec;
      fs::remove_all(dir, ec);
      throw;
    }
    std::error_code ec;
    if (!modelo.Diretorio.empty()) fs::remove_all(modelo.Diretorio, ec);
    modelo.Diretorio = dir;
    modelo.Arquivo = arquivo;
    modelo.Schema = schema;
  }
  return modelo.Arquivo;
}

}  // namespace

TBancoTeste::TBancoTeste(bool comSchema) : FDiretorio(NovoDiretorio()), FArquivo(FDiretorio + "/teste.fdb") {
  try {
    if (comSchema) {
      // A test that asked for the schema must not go on against an empty database:
      // a missing RPT_SCHEMA_FILE raises here.
      fs::copy_file(ModeloComSchema(LerSchemaBanco()), FArquivo);
      FConexao = TnDMConexao::Abrir(FArquivo);
      FSchemaAplicado = true;
    } else {
      FConexao = TnDMConexao::CriarBanco(FArquivo);
    }
  } catch (...) {
    std::error_code ec;
    fs::remove_all(FDiretorio, ec);
    throw;
  }
  FAnterior = TnDMConexao::Atual();
  TnDMConexao::DefinirAtual(FConexao.get());
}

TBancoTeste::~TBancoTeste() {
  if (TnDMConexao::Atual() == FConexao.get()) TnDMConexao::DefinirAtual(FAnterior);
  FConexao.reset();
  std::error_code ec;
  fs::remove_all(FDiretorio, ec);
}
