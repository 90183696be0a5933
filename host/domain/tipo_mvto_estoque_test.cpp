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

// Under ctest, LeakSanitizer's exit-time tracer crashes itself ("Tracer caught signal 11") in
// this one executable while Firebird winds down; the database paths used here are leak-checked
// by the data tests, so this executable asks for no leak check.
extern "C" int __lsan_is_turned_off() { return 1; }
