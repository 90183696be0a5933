#pragma once
// A fresh embedded database for one test: created in its own temporary
// directory, made TnDMConexao::Atual() while it lives, removed at the end.
#include <memory>
#include <string>

#include "host/data/conexao.h"

class TBancoTeste {
 public:
  // comSchema: apply the project's schema (RPT_SCHEMA_FILE, overridable by the
  // environment variable of that name); throws std::runtime_error naming the path
  // when that file is missing.
  explicit TBancoTeste(bool comSchema = false);
  ~TBancoTeste();                                   // restores the previous Atual(), deletes the files
  TBancoTeste(const TBancoTeste&) = delete;
  TBancoTeste& operator=(const TBancoTeste&) = delete;

  TnDMConexao& Conexao() { return *FConexao; }      // the open connection
  const std::string& Arquivo() const { return FArquivo; }  // database file path
  bool SchemaAplicado() const { return FSchemaAplicado; }  // the schema was applied (comSchema)
  void Script(const std::string& ddl) { FConexao->ExecutarScript(ddl); }  // DDL/DML, committed

  static std::string CaminhoSchema();               // the schema file this build uses

 private:
  std::string FDiretorio, FArquivo;
  std::unique_ptr<TnDMConexao> FConexao;
  TnDMConexao* FAnterior = nullptr;
  bool FSchemaAplicado = false;
};
