#pragma once
// A fresh embedded database for one test: created in its own temporary
// directory, made TnDMConexao::Atual() while it lives, removed at the end.
#include <memory>
#include <string>

#include "host/data/conexao.h"

class TBancoTeste {
 public:
  // comSchema: apply the project's schema (LerSchemaBanco: the built-in one, or the
  // file RPT_SCHEMA_FILE names); throws std::runtime_error naming the path when
  // that file is missing.
  explicit TBancoTeste(bool comSchema = false);
  ~TBancoTeste();                                   // restores the previous Atual(), deletes the files
  TBancoTeste(const TBancoTeste&) = delete;
  TBancoTeste& operator=(const TBancoTeste&) = delete;

  TnDMConexao& Conexao() { return *FConexao; }      // the open connection
  const std::string& Arquivo() const { return FArquivo; }  // database file path
  bool SchemaAplicado() const { return FSchemaAplicado; }  // the schema was applied (comSchema)
  void Script(const std::string& ddl) { FConexao->ExecutarScript(ddl); }  // DDL/DML, committed

 private:
  std::string FDiretorio, FArquivo;
  std::unique_ptr<TnDMConexao> FConexao;
  TnDMConexao* FAnterior = nullptr;
  bool FSchemaAplicado = false;
};
