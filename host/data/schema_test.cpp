// The schema fits the reports: the layouts' own queries run on a database created
// from schema.sql, and its views give what the host hands over. (The reports' own
// statements run in the demo-run test, on the demo database.)
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/data/schema.h"
#include "host/data/sql.h"
#include "host/data/varredura_sql.h"
#include "host/report/layout.h"
#include "tests/testkit/banco_teste.h"

namespace {

std::string Texto(TnClientDataSet& ds, const char* campo) { return ds.FieldByName(campo)->AsString(); }

// What the host hands over comes from the layouts' own queries, read from the
// layout files themselves: each one prepares and runs, its parameters null.
TEST(Schema, ConsultasDosLayoutsRodamNoBancoCriadoPeloSchema) {
  TBancoTeste banco(true);
  const char* raiz = std::getenv("RPT_SOURCE_DIR");
  ASSERT_NE(raiz, nullptr) << "RPT_SOURCE_DIR";
  int consultas = 0;
  for (const auto& arquivo : std::filesystem::recursive_directory_iterator(std::filesystem::path(raiz) / "reports")) {
    if (arquivo.path().filename() != "layout.json") continue;
    const auto layout = TnLayout::Carregar(arquivo.path().string());
    std::vector<std::string> sqls;
    if (!layout->Consulta.empty()) sqls.push_back(layout->Consulta);
    for (const auto& conjunto : layout->Conjuntos) sqls.push_back(conjunto.second);
    for (const std::string& sql : sqls) {
      ++consultas;
      try {
        EXPECT_TRUE(ExecutarSQL(sql, std::vector<TValor>(TraduzirParametros(sql).Nomes.size()))->IsEmpty()) << sql;
      } catch (const std::exception& e) {
        ADD_FAILURE() << arquivo.path() << ": " << e.what();
      }
    }
  }
  EXPECT_GE(consultas, 2);
}

// The letterhead and supplier blocks join the two address lines with ", ": a
// missing piece must leave the rest printable, never turn the line null.
TEST(Schema, EnderecoDaVisaoSaiEmDuasLinhasSemNulos) {
  TBancoTeste banco(true);
  banco.Script(
      "insert into ENDERECO values (1, 'Rua das Acácias', '120', 'Apto 101', 'Vila Mariana', 'São Paulo', 'SP', '04001-000');"
      "insert into ENDERECO (CODIGOENDERECO, LOGRADOURO) values (2, 'Rua Tuim');"
      "insert into ENDERECO (CODIGOENDERECO, LOGRADOURO, NUMERO, CIDADE, UF) values (3, 'Avenida Iguaçu', '', 'Curitiba', 'PR');");
  TnDataSetSQL ds = ExecutarSQL(
      "select ENDERECO1, ENDERECO2, ENDERECO1 || ', ' || ENDERECO2 LINHA from VENDERECO order by CODIGOENDERECO");
  ASSERT_EQ(ds->RecordCount(), 3);
  struct {
    const char *Linha1, *Linha2;
  } esperado[] = {
      {"Rua das Acácias, 120 - Apto 101", "Vila Mariana - São Paulo/SP - CEP 04001-000"},
      {"Rua Tuim", ""},
      {"Avenida Iguaçu", "Curitiba/PR"},
  };
  for (const auto& e : esperado) {
    EXPECT_EQ(Texto(*ds, "ENDERECO1"), e.Linha1);
    EXPECT_EQ(Texto(*ds, "ENDERECO2"), e.Linha2);
    EXPECT_FALSE(ds->FieldByName("LINHA")->IsNull()) << e.Linha1;
    ds->Next();
  }
}

// The city hall listing: one row per unit, its area the sum of its area rows,
// the use as text, and the owner's name; a unit without owner or area still
// comes out.
TEST(Schema, ImoveisParaPrefeituraUmaLinhaPorUnidade) {
  TBancoTeste banco(true);
  banco.Script(
      "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (10001, 'Ana Paula Conceição');"
      "insert into ENDERECO (CODIGOENDERECO, LOGRADOURO, BAIRRO) values (7, 'Rua Tuim', 'Moema');"
      "insert into TPIMOVEL values (1, 'Apartamento 2 dormitórios');"
      "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, UNIDADE, CODIGOENDERECO, NUMERO,"
      " COMPLEMENTO, UTILIZACAOIMOVEL, CODIGOPROPRIETARIO) values (1, 5, 2, 1, '101', 7, '350', 'Apto 101', 1, 10001);"
      "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, UNIDADE, UTILIZACAOIMOVEL) values (1, 6, 2, '102', 4);"
      "insert into IMOVELAREA values (1, 5, 1, 'Área privativa', 62.4, 54.1);"
      "insert into IMOVELAREA values (1, 5, 2, 'Vaga de garagem', 12, 0);");
  TnDataSetSQL ds = ExecutarSQL(
      "select Proprietario, Endereco, Numero, Bairro, Complemento, UtilizacaoImovel, TipoImovel, Unidade, AreaImovel "
      "from VIMOVELPREFEITURA where CODIGOESCRIT = :pCodigoEscrit and CODIGOEMPREEND = :pCodigoEmpreend order by CODIGOIMOVEL",
      {TValor(1), TValor(2)});
  ASSERT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(Texto(*ds, "PROPRIETARIO"), "Ana Paula Conceição");
  EXPECT_EQ(Texto(*ds, "ENDERECO"), "Rua Tuim");
  EXPECT_EQ(Texto(*ds, "BAIRRO"), "Moema");
  EXPECT_EQ(Texto(*ds, "UTILIZACAOIMOVEL"), "Residencial");
  EXPECT_EQ(Texto(*ds, "TIPOIMOVEL"), "Apartamento 2 dormitórios");
  EXPECT_DOUBLE_EQ(ds->FieldByName("AREAIMOVEL")->AsFloat(), 74.4);
  ds->Next();
  EXPECT_TRUE(ds->FieldByName("PROPRIETARIO")->IsNull());
  EXPECT_TRUE(ds->FieldByName("AREAIMOVEL")->IsNull());
  EXPECT_EQ(Texto(*ds, "UTILIZACAOIMOVEL"), "Garagem");
}

// Quotation items show the input's own unit when the item names none.
TEST(Schema, ItensDaCotacaoUsamAUnidadeDoInsumoNaFaltaDaSua) {
  TBancoTeste banco(true);
  banco.Script(
      "insert into UNIDADEMEDIDA values (6, 'Saco', 'sc');"
      "insert into UNIDADEMEDIDA values (5, 'Quilograma', 'kg');"
      "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOUNIDADEMEDIDA) values (1, 'Cimento Portland CP II-E-32', 6);"
      "insert into ORCAMENTOENTRADAITEM values (1, 1, 1, 1, null, 40);"
      "insert into ORCAMENTOENTRADAITEM values (1, 1, 2, 1, 5, 2000);");
  TnDataSetSQL ds = ExecutarSQL(
      "select SEQINSUMO, DESCRINSUMO, DESCRUNIDADE from VORCAMENTOENTRADAITEM where CODIGOESCRIT = 1 and "
      "CODIGOORCAMENTOENT = 1 order by SEQINSUMO");
  ASSERT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(Texto(*ds, "DESCRUNIDADE"), "Saco");
  ds->Next();
  EXPECT_EQ(Texto(*ds, "DESCRUNIDADE"), "Quilograma");
}

// The schema built into the library is the file of the source tree as it is now,
// and RPT_SCHEMA_FILE puts another in its place.
TEST(Schema, OEmbutidoEOArquivoDoProjetoESoOAmbienteOTroca) {
  const char* raiz = std::getenv("RPT_SOURCE_DIR");
  ASSERT_NE(raiz, nullptr) << "RPT_SOURCE_DIR";
  std::ifstream arquivo(std::filesystem::path(raiz) / "host/schema/schema.sql", std::ios::binary);
  const std::string fonte((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(fonte.empty());
  EXPECT_EQ(LerSchemaBanco(), fonte);
  const std::vector<std::string> tabelas = TabelasDoSchema(fonte);
  EXPECT_GE(tabelas.size(), 30u);
  EXPECT_NE(std::find(tabelas.begin(), tabelas.end(), "NOTAENTRADA"), tabelas.end());

  const std::string outro = (std::filesystem::temp_directory_path() / ("rpt-schema-" + std::to_string(getpid()) + ".sql")).string();
  { std::ofstream(outro) << "create table UMA (A integer);\nCREATE TABLE\n  OUTRA (B integer);\n"; }
  setenv("RPT_SCHEMA_FILE", outro.c_str(), 1);
  const std::string lido = LerSchemaBanco();
  std::filesystem::remove(outro);
  EXPECT_EQ(TabelasDoSchema(lido), (std::vector<std::string>{"UMA", "OUTRA"}));
  EXPECT_THROW(LerSchemaBanco(), std::runtime_error);  // the file it names is gone
  unsetenv("RPT_SCHEMA_FILE");
}

}  // namespace
