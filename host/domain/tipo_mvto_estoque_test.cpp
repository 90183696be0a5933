#include "host/domain/tipo_mvto_estoque.h"

#include <gtest/gtest.h>

#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "tests/testkit/banco_teste.h"

// The list filters allocations in the database: issues, site returns and direct
// allocations pass; transfers, supplier returns and adjustments do not.
TEST(TipoMvtoEstoque, CostListSelectsIssuesReturnsAndDirectAllocationsOnly) {
  TBancoTeste banco(true);
  for (int tipo = -3; tipo <= 4; ++tipo)
    banco.Script("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, TIPOMVTOESTOQUE) "
                 "values (1, 1, 1, " + std::to_string(tipo + 10) + ", " + std::to_string(tipo) + ");");
  auto ds = ExecutarSQL("select RA.TIPOMVTOESTOQUE from RATEIO RA where 1 = 1" +
                        FilterInterval({"RA.TIPOMVTOESTOQUE"}, TipoMvtoEstoqueListaBaixaParaCustos(), {1}, true, 0, -1) +
                        "order by RA.TIPOMVTOESTOQUE");
  std::vector<int> tipos;
  for (ds->First(); !ds->Eof(); ds->Next()) tipos.push_back(ds->Fields(0)->AsInteger());
  EXPECT_EQ(tipos, (std::vector<int>{-1, 0, 1}));
}
