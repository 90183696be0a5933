// SQL literals and selection filters: what is accepted, what is refused, and
// that accepted conditions select the right rows on a real database.
#include "host/data/filtros.h"

#include <gtest/gtest.h>

#include "host/core/datas.h"
#include "host/core/texto.h"
#include "host/data/sql.h"
#include "tests/testkit/banco_teste.h"

namespace {

TEST(ValorParaSQL, LiteralsForEveryType) {
  EXPECT_EQ(ValorParaSQL(1), "1");
  EXPECT_EQ(ValorParaSQL(-2.5), "-2.5");
  EXPECT_EQ(ValorParaSQL("O'Brien"), "'O''Brien'");
  EXPECT_EQ(ValorParaSQL(TValor::Nulo()), "null");
  EXPECT_EQ(ValorParaSQL(TValor::Data(EncodeDate(2024, 1, 31))), "'2024-01-31'");
  EXPECT_EQ(ValorParaSQL(TValor::DataHora(EncodeDateTime(2024, 1, 31, 23, 59, 59, 999))),
            "'2024-01-31 23:59:59.999'");
  EXPECT_EQ(ValorParaSQL("12", ftInteger), "12");
  EXPECT_THROW(ValorParaSQL("1 or 1=1", ftInteger), std::invalid_argument);
  EXPECT_THROW(ValorParaSQL(std::string("a\0b", 3)), std::invalid_argument);
}

TEST(FilterInterval, NotationBecomesACondition) {
  struct Caso { const char* selecao; bool comAnd; const char* esperado; } casos[] = {
      {"5", true, " and (X.C = 5) "},
      {"1,3,5-9", true, " and (X.C in (1,3) or X.C between 5 and 9) "},
      {" 1 ; 2 , 10 - 12 ", false, "(X.C in (1,2) or X.C between 10 and 12) "},
      {"-3--1,0", true, " and (X.C = 0 or X.C between -3 and -1) "},
      {"", true, ""},
      {"", false, "1=1 "},
      {"1,,2,", true, " and (X.C in (1,2)) "},
  };
  for (const auto& c : casos) EXPECT_EQ(FilterInterval({"X.C"}, c.selecao, {1}, c.comAnd, 0, -1), c.esperado) << c.selecao;
  EXPECT_EQ(FilterInterval({"C"}, "4-5", {1}, true, 1), " and (C between '4' and '5') ");
  EXPECT_EQ(FilterInterval({"C"}, "4", {2}, true, 0), " and not (C = 4) ");
  EXPECT_THROW(FilterInterval({"C"}, "4", {7}, true, 0), std::invalid_argument);
  EXPECT_THROW(FilterInterval({"C; drop"}, "4", {1}, true, 0), std::invalid_argument);
}

TEST(FilterInterval, AnythingOutsideTheNotationIsRefusedNamingTheText) {
  for (const char* ataque : {"1) or (1=1", "1;drop table X", "1'--", "abc", "1-", "9-5", "1 2", "1.5",
                             "(1)", "1=1", "0x10", "1/*", "99999999999999999999"}) {
    try {
      FilterInterval({"C"}, ataque, {1}, true, 0);
      ADD_FAILURE() << ataque;
    } catch (const EnSelecaoInvalida& e) {
      std::string m = e.what();
      EXPECT_EQ(m.rfind("Seleção '" + std::string(ataque) + "' inválida: ", 0), 0u) << m;
    }
  }
}

TEST(FilterInterval, ARefusedLongSelectionIsQuotedShort) {
  const std::string longa = std::string(100000, '7') + "x";
  try {
    FilterInterval({"C"}, longa, {1}, true, 0);
    ADD_FAILURE();
  } catch (const EnSelecaoInvalida& e) {
    const std::string m = e.what();
    EXPECT_LT(m.size(), 400u) << m.size();
    EXPECT_NE(m.find("(100001 caracteres)"), std::string::npos) << m;
  }
}

TEST(FilterInterval, ExibeEmpresaRelWhenOneCompanyIsNamed) {
  EXPECT_TRUE(ExibeEmpresaRel("1"));
  EXPECT_TRUE(ExibeEmpresaRel(" 7 "));
  EXPECT_FALSE(ExibeEmpresaRel("1,2"));
  EXPECT_FALSE(ExibeEmpresaRel("1-3"));
  EXPECT_FALSE(ExibeEmpresaRel(""));
}

TEST(FilterInterval, ConditionSelectsTheRowsOnTheDatabase) {
  TBancoTeste banco;
  banco.Script("create table T (C integer, D date);");
  auto lote = banco.Conexao().PrepararLote("insert into T values (:c, :d)");
  for (int i = -2; i <= 12; ++i) lote->Executar({i, TValor::Data(EncodeDate(2024, 1, 1) + i + 2)});
  lote->Confirmar();
  auto contar = [](const std::string& sql) { return ExecutarSQL(sql)->RecordCount(); };
  EXPECT_EQ(contar("select C from T where 1=1" + FilterInterval({"T.C"}, "1,3,5-9", {1}, true, 0)), 7);
  EXPECT_EQ(contar("select C from T where " + FilterInterval({"C"}, "-2--1", {1}, false, 0, -1) + "and C < 5"), 2);
  EXPECT_EQ(contar("select C from T where " + FilterInterval({"C"}, "", {1}, false, 0) + "order by C"), 15);
  // More codes than the database takes in one list: every even code from -2 to 12, then 4,000 more beyond the table.
  std::string muitos;
  for (int i = -2; i <= 8000; i += 2) Add(muitos, std::to_string(i), ",");
  EXPECT_EQ(contar("select C from T where 1=1" + FilterInterval({"C"}, muitos + ",11-12", {1}, true, 0)), 9);
  EXPECT_EQ(contar("select C from T where 1=1" + FilterInterval({"C"}, muitos, {2}, true, 0)), 7);
  EXPECT_EQ(contar("select C from T where D between " + ValorParaSQL(TValor::Data(EncodeDate(2024, 1, 1))) +
                   " and " + ValorParaSQL(TValor::Data(EncodeDate(2024, 1, 3))) + "order by C"),
            3);
}

}  // namespace
