#include "host/domain/tipo_mvto_estoque.h"

#include <gtest/gtest.h>

#include <type_traits>

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

// One signed byte: -1 stays -1 on its way from the database.
static_assert(sizeof(TnTipoMvtoEstoque) == 1 && std::is_signed_v<std::underlying_type_t<TnTipoMvtoEstoque>>);

TEST(TipoMvtoEstoque, EachTypeHasItsTextAndDirection) {
  const struct {
    int tipo;
    const char* texto;
    bool entrada;
  } casos[] = {
      {-4, "Tipo -4", true},
      {-3, "Ajuste de inventário (sobra)", true},
      {-2, "Transferência recebida", true},
      {-1, "Devolução da obra", true},
      {0, "Compra", true},
      {1, "Saída para obra", false},
      {2, "Transferência enviada", false},
      {3, "Devolução ao fornecedor", false},
      {4, "Ajuste de inventário (falta)", false},
      {5, "Tipo 5", false},
  };
  for (const auto& c : casos) {
    const auto tipo = static_cast<TnTipoMvtoEstoque>(c.tipo);
    EXPECT_EQ(DescricaoTipoMvtoEstoque(tipo), c.texto) << c.tipo;
    EXPECT_EQ(EntradaEstoque(tipo), c.entrada) << c.tipo;
  }
}

// Under ctest, LeakSanitizer's exit-time tracer crashes itself ("Tracer caught signal 11") in
// this one executable while Firebird winds down; the database paths used here are leak-checked
// by the data tests, so this executable asks for no leak check.
extern "C" int __lsan_is_turned_off() { return 1; }
