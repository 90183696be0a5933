// Queries against real embedded databases: parameter binding, value types,
// errors and what a failed statement leaves behind.
#include "host/data/conexao.h"

#include <gtest/gtest.h>

#include "host/core/datas.h"
#include "host/data/sql.h"
#include "tests/testkit/banco_teste.h"

namespace {

class ConexaoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    banco.Script(
        "create table ITEM (CODIGO integer not null primary key, NOME varchar(40), PRECO numeric(15,2),"
        " FATOR double precision, DATA date, MOMENTO timestamp, SIGLA char(4), NOTA blob sub_type text,"
        " FOTO blob sub_type binary, GRANDE bigint);"
        "insert into ITEM (CODIGO, NOME, PRECO, SIGLA) values (1, 'Cimento', 32.50, 'CP');"
        "insert into ITEM (CODIGO, NOME, PRECO, SIGLA) values (2, 'Areia', 80.00, 'AR');"
        "insert into ITEM (CODIGO, NOME, PRECO, SIGLA) values (3, 'Brita :x', 95.10, 'BR');");
  }
  TBancoTeste banco;
};

TEST_F(ConexaoTest, RepeatedNameTakesOneValueAndLiteralsAndCommentsAreNotParameters) {
  // :a appears twice and binds one value; ':x' in a literal and ":y" in comments are text.
  auto ds = ExecutarSQL(
      "select CODIGO, NOME from ITEM where (CODIGO = :a or CODIGO = :b or CODIGO = :A) "
      "and NOME <> ':x' /* :y */ -- :z\n order by CODIGO",
      {1, 3});
  ASSERT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(ds->FieldByName("nome")->AsString(), "Cimento");
  ds->Next();
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "Brita :x");

  auto literal = ExecutarSQL("select CODIGO from ITEM where NOME = 'Brita :x'");
  EXPECT_EQ(literal->RecordCount(), 1);
}

TEST_F(ConexaoTest, WrongNumberOfValuesIsRefusedBeforeTheDatabase) {
  try {
    ExecutarSQL("select * from ITEM where CODIGO = :a or CODIGO = :b", {1});
    FAIL();
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "A consulta tem 2 parâmetro(s) (:a, :b) e recebeu 1 valor(es).");
  }
}

TEST_F(ConexaoTest, EveryValueTypeRoundTripsWithNulls) {
  TDateTime dia = EncodeDate(2024, 2, 29);
  TDateTime instante = EncodeDateTime(2024, 1, 31, 23, 59, 59, 999);
  banco.Conexao().Executar(
      "insert into ITEM (CODIGO, NOME, PRECO, FATOR, DATA, MOMENTO, NOTA, FOTO, GRANDE) "
      "values (:c, :n, :p, :f, :d, :m, :nota, :foto, :g)",
      {10, "Ação 'aspas'", 2.675, 0.1, TValor::Data(dia), TValor::DataHora(instante), "memo longo",
       std::string("\x01\x00\x02", 3), int64_t{9000000000}});
  banco.Conexao().Executar("insert into ITEM (CODIGO, NOME, PRECO, DATA, MOMENTO) values (:c, :n, :p, :d, :m)",
                           {11, TValor::Nulo(), TValor::Nulo(), TValor::Nulo(), TValor::Nulo()});

  auto ds = ExecutarSQL("select * from ITEM where CODIGO >= :c order by CODIGO", {10});
  ASSERT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(ds->FieldByName("CODIGO")->DataType(), ftInteger);
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "Ação 'aspas'");
  EXPECT_EQ(ds->FieldByName("NOME")->Size(), 40);
  EXPECT_EQ(ds->FieldByName("PRECO")->DataType(), ftFloat);
  EXPECT_DOUBLE_EQ(ds->FieldByName("PRECO")->AsFloat(), 2.68);  // numeric(15,2) rounds on the server
  EXPECT_DOUBLE_EQ(ds->FieldByName("FATOR")->AsFloat(), 0.1);
  EXPECT_EQ(ds->FieldByName("DATA")->DataType(), ftDate);
  EXPECT_EQ(ds->FieldByName("DATA")->AsDateTime(), dia);
  EXPECT_EQ(ds->FieldByName("DATA")->AsString(), "29/02/2024");
  int h, m, s, ms;
  DecodeTime(ds->FieldByName("MOMENTO")->AsDateTime(), h, m, s, ms);
  EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{23, 59, 59, 999}));
  EXPECT_EQ(DateOf(ds->FieldByName("MOMENTO")->AsDateTime()), EncodeDate(2024, 1, 31));
  EXPECT_EQ(ds->FieldByName("NOTA")->AsString(), "memo longo");
  EXPECT_EQ(ds->FieldByName("FOTO")->DataType(), ftBlob);
  EXPECT_EQ(ds->FieldByName("FOTO")->AsBytes(), std::string("\x01\x00\x02", 3));
  EXPECT_EQ(ds->FieldByName("GRANDE")->AsLargeInt(), 9000000000);

  ds->Next();
  for (const char* campo : {"NOME", "PRECO", "DATA", "MOMENTO", "NOTA", "GRANDE"}) {
    SCOPED_TRACE(campo);
    EXPECT_TRUE(ds->FieldByName(campo)->IsNull());
    EXPECT_EQ(ds->FieldByName(campo)->AsString(), "");
    EXPECT_EQ(ds->FieldByName(campo)->AsFloat(), 0);
  }
}

TEST_F(ConexaoTest, DateTimeParameterKeepsTheTimeOfDay) {
  banco.Conexao().Executar("update ITEM set MOMENTO = :m where CODIGO = 1",
                           {TValor::DataHora(EncodeDateTime(2024, 1, 31, 23, 59, 59, 500))});
  // The last instant of the month includes 23:59:59.500; midnight of the 31st would not.
  auto dentro = ExecutarSQL("select CODIGO from ITEM where MOMENTO <= :fim",
                            {TValor::DataHora(EndOfTheMonth(EncodeDate(2024, 1, 10)))});
  auto fora = ExecutarSQL("select CODIGO from ITEM where MOMENTO <= :fim", {TValor::Data(EncodeDate(2024, 1, 31))});
  EXPECT_EQ(dentro->RecordCount(), 1);
  EXPECT_EQ(fora->RecordCount(), 0);
}

TEST_F(ConexaoTest, CharIsTrimmedAndTextBindsToOtherColumnTypes) {
  auto ds = ExecutarSQL("select SIGLA from ITEM where CODIGO = :c and PRECO = :p", {"1", "32.50"});
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->Fields(0)->AsString(), "CP");
}

TEST_F(ConexaoTest, DatabaseErrorCarriesItsMessageAndLeavesTheConnectionUsable) {
  try {
    ExecutarSQL("select NAOEXISTE from ITEM");
    FAIL();
  } catch (const EnBancoDados& e) {
    EXPECT_NE(std::string(e.what()).find("NAOEXISTE"), std::string::npos) << e.what();
    EXPECT_EQ(e.CodigoSql(), -206);
  }
  // A failure while fetching (conversion of a row) releases cursor and transaction too.
  EXPECT_THROW(ExecutarSQL("select cast(NOME as integer) from ITEM"), EnBancoDados);
  // Read-only means read-only.
  EXPECT_THROW(ExecutarSQL("delete from ITEM"), EnBancoDados);
  EXPECT_EQ(ExecutarSQL("select * from ITEM")->RecordCount(), 3);
  // A failed write is rolled back and the next one works.
  EXPECT_THROW(banco.Conexao().Executar("insert into ITEM (CODIGO) values (:c)", {1}), EnBancoDados);
  banco.Conexao().Executar("insert into ITEM (CODIGO) values (:c)", {4});
  EXPECT_EQ(ExecutarSQL("select * from ITEM")->RecordCount(), 4);
}

TEST_F(ConexaoTest, ScriptHonoursSetTermAndReportsTheFailingCommand) {
  banco.Script(
      "-- a procedure body holds ';'\n"
      "SET TERM ^ ;\n"
      "create procedure DOBRO (X integer) returns (Y integer) as begin Y = X * 2; suspend; end^\n"
      "SET TERM ; ^\n"
      "commit;");
  auto ds = ExecutarSQL("select Y from DOBRO(:x)", {21});
  EXPECT_EQ(ds->Fields(0)->AsInteger(), 42);
  try {
    banco.Script("create table T1 (A integer); create tabel T2 (A integer);");
    FAIL();
  } catch (const EnBancoDados& e) {
    EXPECT_NE(std::string(e.what()).find("Comando: create tabel T2"), std::string::npos) << e.what();
  }
  EXPECT_EQ(ExecutarSQL("select count(*) from T1")->Fields(0)->AsInteger(), 0);  // committed before the failure
}

TEST_F(ConexaoTest, BatchCommitsOnlyWhenConfirmed) {
  {
    auto lote = banco.Conexao().PrepararLote("insert into ITEM (CODIGO, NOME) values (:c, :n)");
    lote->Executar({20, "x"});
  }  // dropped unconfirmed: rolled back
  EXPECT_EQ(ExecutarSQL("select * from ITEM where CODIGO = 20")->RecordCount(), 0);
  auto lote = banco.Conexao().PrepararLote("insert into ITEM (CODIGO, NOME) values (:c, :n)");
  for (int i = 20; i < 25; ++i) lote->Executar({i, i % 2 ? TValor("par") : TValor::Nulo()});
  lote->Confirmar();
  EXPECT_EQ(ExecutarSQL("select * from ITEM where CODIGO >= 20")->RecordCount(), 5);
  EXPECT_THROW(lote->Executar({30, "y"}), std::logic_error);
}

TEST_F(ConexaoTest, RefreshSqlKeepsFieldsAndMaxRowsLimits) {
  auto ds = ExecutarSQL("select CODIGO, NOME from ITEM where CODIGO >= :c order by CODIGO", {1});
  TField* nome = ds->FieldByName("NOME");
  ds->SetIndexFieldNames("NOME");
  RefreshSQL(*ds, {3});
  EXPECT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("NOME"), nome);  // same field objects: mapper members stay valid
  EXPECT_EQ(nome->AsString(), "Brita :x");
  EXPECT_EQ(ds->IndexFieldNames(), "NOME");

  auto limitado = ExecutarSQL("select * from ITEM order by CODIGO", {}, true, false, 2);
  EXPECT_EQ(limitado->RecordCount(), 2);
  DestruirSQL(limitado);
  EXPECT_EQ(limitado, nullptr);
}

TEST_F(ConexaoTest, PegarValorCampoGivesTheFirstRowInListOrder) {
  auto v = nDMSQLDataSet::PegarValorCampo("ITEM", "NOME, PRECO", "CODIGO = 2");
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].AsString(), "Areia");
  EXPECT_DOUBLE_EQ(v[1].AsFloat(), 80.0);
  auto nada = nDMSQLDataSet::PegarValorCampo("ITEM", "NOME,PRECO", "CODIGO = 99");
  ASSERT_EQ(nada.size(), 2u);
  EXPECT_TRUE(nada[0].IsNull() && nada[1].IsNull());
}

TEST_F(ConexaoTest, TheObserverHearsEachQueryThatRanWithItsRows) {
  std::vector<std::pair<std::string, int>> ouvidas;
  banco.Conexao().DefinirObservador([&](const std::string& sql, int linhas) { ouvidas.emplace_back(sql, linhas); });
  ExecutarSQL("select CODIGO from ITEM where CODIGO >= :c", {TValor(1)});
  nDMSQLDataSet::PegarValorCampo("ITEM", "NOME", "CODIGO = 99");
  EXPECT_THROW(ExecutarSQL("select NADA from ITEM"), EnBancoDados);  // never ran: not heard
  banco.Conexao().DefinirObservador({});
  ExecutarSQL("select 1 from rdb$database");
  EXPECT_EQ(ouvidas, (std::vector<std::pair<std::string, int>>{{"select CODIGO from ITEM where CODIGO >= :c", 3},
                                                                {"select NOME from ITEM where CODIGO = 99", 0}}));
}

TEST(Conexao, OpeningAMissingFileFailsWithoutCredentialsInTheMessage) {
  try {
    TnDMConexao::Abrir("/tmp/nao-existe-rpt/banco.fdb", {"alguem", "segredo-123"});
    FAIL();
  } catch (const EnBancoDados& e) {
    std::string m = e.what();
    EXPECT_EQ(m.rfind("Não foi possível abrir o banco de dados '/tmp/nao-existe-rpt/banco.fdb': ", 0), 0u) << m;
    EXPECT_EQ(m.find("segredo-123"), std::string::npos);
  }
}

TEST(Conexao, AtualIsClearedWhenItsConnectionCloses) {
  {
    TBancoTeste banco;
    EXPECT_EQ(TnDMConexao::Atual(), &banco.Conexao());
    EXPECT_EQ(banco.Conexao().PegarTipoCon(), 0);
    banco.Conexao().DefinirTipoCon(2);
    EXPECT_EQ(nDMConexao::PegarTipoCon(), 2);
  }
  EXPECT_EQ(TnDMConexao::Atual(), nullptr);
  EXPECT_THROW(ExecutarSQL("select 1 from rdb$database"), std::runtime_error);
}

}  // namespace
