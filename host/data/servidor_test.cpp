// A query through a Firebird server on loopback (host:path), with the
// credentials from ISC_USER / ISC_PASSWORD. scripts/start-fb-server.sh prints
// the environment this test needs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/data/conexao.h"
#include "host/data/sql.h"

namespace {

TEST(Servidor, HostPathQueriesThroughTheServer) {
  const char* banco = std::getenv("RPT_FB_SERVER");
  if (!banco || !*banco) GTEST_SKIP() << "RPT_FB_SERVER não definido: rode scripts/start-fb-server.sh";
  auto conexao = TnDMConexao::Abrir(banco);
  EXPECT_FALSE(conexao->Embutido());
  // The attachment's own protocol proves the rows came over the network.
  auto ds = ExecutarSQL(
      "select mon$remote_protocol, cast(:texto as varchar(20)) TEXTO, cast(:n as integer) + 1 N from mon$attachments "
      "where mon$attachment_id = current_connection",
      {"ação", 41}, true, false, -1, {}, conexao.get());
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->Fields(0)->AsString().rfind("TCP", 0), 0u) << ds->Fields(0)->AsString();
  EXPECT_EQ(ds->FieldByName("TEXTO")->AsString(), "ação");
  EXPECT_EQ(ds->FieldByName("N")->AsInteger(), 42);
}

TEST(Servidor, WrongPasswordFailsWithoutShowingIt) {
  const char* banco = std::getenv("RPT_FB_SERVER");
  if (!banco || !*banco) GTEST_SKIP() << "RPT_FB_SERVER não definido: rode scripts/start-fb-server.sh";
  try {
    TnDMConexao::Abrir(banco, {"SYSDBA", "senha-errada-987"});
    FAIL();
  } catch (const EnBancoDados& e) {
    EXPECT_EQ(std::string(e.what()).find("senha-errada-987"), std::string::npos) << e.what();
  }
}

}  // namespace
