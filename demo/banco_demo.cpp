#include "demo/banco_demo.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "demo/gerador.h"
#include "host/data/client_dataset.h"
#include "host/data/conexao.h"
#include "host/data/schema.h"

void CriarBancoDemo(const std::string& arquivo, int escala) {
  if (escala < 1) throw std::invalid_argument("A escala da base de demonstração deve ser 1 ou maior.");
  const std::string schema = LerSchemaBanco();
  std::unique_ptr<TnDMConexao> conexao = TnDMConexao::CriarBanco(arquivo);
  try {
    conexao->ExecutarScript(schema);
    demo::GerarDadosDemo(*conexao, escala);
    // The indexes were made on empty tables: without fresh selectivities the
    // optimiser joins the large tables in the worst order.
    std::unique_ptr<TnClientDataSet> indices = conexao->ExecuteQueryView(
        "select trim(RDB$INDEX_NAME) from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0");
    for (indices->First(); !indices->Eof(); indices->Next())
      conexao->Executar("SET STATISTICS INDEX " + indices->Fields(0)->AsString());
  } catch (...) {
    // A half-filled demo would pass for a good one: it goes.
    conexao.reset();
    std::remove(arquivo.c_str());
    throw;
  }
}
