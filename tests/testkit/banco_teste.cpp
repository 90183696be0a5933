#include "tests/testkit/banco_teste.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string NovoDiretorio() {
  std::string modelo = (fs::temp_directory_path() / "rpt-teste-XXXXXX").string();
  if (!mkdtemp(modelo.data())) throw std::runtime_error("Não foi possível criar o diretório temporário.");
  return modelo;
}

std::string LerArquivo(const std::string& caminho) {
  std::ifstream f(caminho);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Applying the whole schema costs far more than copying a file, so the first
// database with the schema becomes the model the later ones are copied from.
struct TModeloSchema {
  std::string Diretorio, Arquivo;
  ~TModeloSchema() {
    std::error_code ec;
    if (!Diretorio.empty()) fs::remove_all(Diretorio, ec);
  }
};

const std::string& ModeloComSchema(const std::string& schema) {
  static TModeloSchema modelo;
  if (modelo.Arquivo.empty()) {
    std::string dir = NovoDiretorio();
    std::string arquivo = dir + "/modelo.fdb";
    try {
      auto c = TnDMConexao::CriarBanco(arquivo);
      c->ExecutarScript(LerArquivo(schema));
    } catch (...) {
      std::error_code ec;
      fs::remove_all(dir, ec);
      throw;
    }
    modelo.Diretorio = dir;
    modelo.Arquivo = arquivo;
  }
  return modelo.Arquivo;
}

}  // namespace

std::string TBancoTeste::CaminhoSchema() {
  if (const char* e = std::getenv("RPT_SCHEMA_FILE")) return e;
#ifdef RPT_SCHEMA_FILE
  return RPT_SCHEMA_FILE;
#else
  return {};
#endif
}

TBancoTeste::TBancoTeste(bool comSchema) : FDiretorio(NovoDiretorio()), FArquivo(FDiretorio + "/teste.fdb") {
  try {
    if (comSchema) {
      // A test that asked for the schema must not go on against an empty database.
      const std::string schema = CaminhoSchema();
      if (schema.empty() || !fs::exists(schema))
        throw std::runtime_error("Arquivo do schema não encontrado: '" + schema +
                                 "' (RPT_SCHEMA_FILE); o banco de teste não pode ser criado sem ele.");
      fs::copy_file(ModeloComSchema(schema), FArquivo);
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
