// The report-test kit on the frame's test plug-in: printing with the trace, reading
// it, expected failures, the seed company and a schema that must exist.
#include "tests/testkit/relatorio_teste.h"

#include <gtest/gtest-spi.h>

#include <cstdlib>

#include "host/data/sql.h"
#include "host/report/params.h"

namespace {

TEST(KitRelatorio, PrintsThroughTheFormAndReadsSectionsByNumber) {
  const TnResultadoImpressao r = ImprimirComRastro(Juntar({{"pLinhas", "1"}}, {{"pLinhas", "2"}}));
  EXPECT_EQ(r.Paginas, 1);
  EXPECT_EQ(r.Rastro.NumerosSecoes(), (std::vector<int>{8, 9, 9}));
  ASSERT_EQ(Secoes(r.Rastro, 9).size(), 2u);
  EXPECT_EQ(ValoresDe(r.Rastro, 9, "R2"), (std::vector<std::string>{"1.000,50", "2.001,00"}));
  EXPECT_TRUE(MostraValores(Secoes(r.Rastro, 9)[1], {{"R1", "2"}, {"R2", "2.001,00"}}));
  const ::testing::AssertionResult errado = MostraValores(Secoes(r.Rastro, 9)[1], {{"R1", "2"}, {"R2", "2,00"}});
  EXPECT_FALSE(errado);
  EXPECT_STREQ(errado.message(), "section 9 on page 1\n  R2: \"2.001,00\", expected \"2,00\"");
  EXPECT_EQ(SecoesAposCabecalho(r.Rastro), std::vector<int>{8});
  const std::pair<const char*, long long> valores[] = {{"1.000,50", 100050}, {"-2.001,07", -200107}, {"0,00", 0}};
  for (const auto& [texto, centavos] : valores) EXPECT_EQ(Centavos(texto), centavos) << texto;
}

TEST(KitRelatorio, PrintsIntoMemoryPages) {
  const TImpressaoEmMemoria m = ImprimirEmMemoria({{"pLinhas", "2"}, {"pTexto", "Norte"}});
  ASSERT_EQ(m.Paginas.size(), 1u);
  EXPECT_EQ(m.Rastro.NumerosSecoes(), (std::vector<int>{8, 9, 9}));
  bool titulo = false;
  for (const auto& e : m.Paginas[0].Elementos)
    if (auto* t = std::get_if<TElementoTexto>(&e)) titulo = titulo || t->Texto == "Relatório de teste — Norte";
  EXPECT_TRUE(titulo);
}

TEST(KitRelatorio, ExpectedFailuresAreCheckedByTypeAndMessage) {
  EXPECT_THROW_MSG(ImprimirComRastro({{"pModo", "erro"}}), Exception, "Falha de teste.");
  EXPECT_THROW_MSG(ImprimirComRastro({{"pLinhas", "abc"}}), EnParam, "'abc' não é um valor inteiro válido.");
  EXPECT_EQ(MensagemDe([] { ImprimirComRastro({{"pModo", "vazio"}}); }), "(nada)");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(ImprimirComRastro({{"pModo", "erro"}}), Exception, "Outra."), "Outra.");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(ImprimirComRastro({{"pModo", "vazio"}}), Exception, ""), "raised nothing");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(ImprimirComRastro({{"pModo", "erro"}}), EnParam, ""), "another exception");
}

// Values the form would refuse reach the report's own checks.
TEST(KitRelatorio, DirectPrintSkipsTheForm) {
  TImpressaoDireta direta(RPT_PLUGIN_PATH, {{"pLinhas", "abc"}});
  EXPECT_THROW_MSG(direta.Imprimir(), EnParam, "'abc' não é um valor inteiro válido.");
  TImpressaoDireta ok(RPT_PLUGIN_PATH, {{"pLinhas", "1"}, {"pTexto", "Sul"}});
  ok.Imprimir();
  EXPECT_EQ(ok.Valor("pTitulo"), "Relatório de teste — Sul");
}

TEST(KitRelatorio, RunsTheCommandOfThisBuild) {
  const TSaidaRpt s = RodarRpt("list --plugins " + std::string(RPT_TEST_PLUGIN_DIR));
  EXPECT_EQ(s.Codigo, 0);
  EXPECT_NE(s.Texto.find("RptTeste\tTRptTeste"), std::string::npos) << s.Texto;
  EXPECT_EQ(RodarRpt("nenhum").Codigo, 2);
}

TEST(KitRelatorio, ADatabaseWithoutItsSchemaFileIsRefused) {
  const char* antes = std::getenv("RPT_SCHEMA_FILE");
  const std::string guardado = antes ? antes : "";
  setenv("RPT_SCHEMA_FILE", "/nao/existe/schema.sql", 1);
  EXPECT_THROW_MSG(TBancoTeste(true), std::runtime_error,
                   "Arquivo do schema não encontrado: '/nao/existe/schema.sql' (RPT_SCHEMA_FILE).");
  TBancoTeste semSchema(false);  // asking for none still works
  if (antes) setenv("RPT_SCHEMA_FILE", guardado.c_str(), 1); else unsetenv("RPT_SCHEMA_FILE");
}

struct KitSemente : TesteRelatorio {};

TEST_F(KitSemente, SeedsTheCompanyAndItsDevelopments) {
  const nDMSQLDataSet::TnNomeInscricao empresa = nDMSQLDataSet::PegarNomeInscricao(semente::kEmpresa);
  EXPECT_EQ(empresa.Nome, semente::kNomeEmpresa);
  EXPECT_EQ(empresa.InscFederal, semente::kInscricaoEmpresa);
  TnDataSetSQL ds = ExecutarSQL(
      "select E.CODIGOEMPREEND, E.NOMEEMPRE from EMPREENDIMENTO E join ESCRITORIO S on S.CODIGOESCRIT = E.CODIGOESCRIT "
      "order by 1");
  ASSERT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(ds->Fields(0)->AsInteger(), semente::kEmpreendA);
  EXPECT_EQ(ds->Fields(1)->AsString(), semente::kNomeEmpreendA);
  ds->Next();
  EXPECT_EQ(ds->Fields(1)->AsString(), semente::kNomeEmpreendB);
  Sql("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (:c, :n)", {90, "Sem Inscrição"});
  EXPECT_EQ(nDMSQLDataSet::PegarNomeInscricao(90).InscFederal, "");
  EXPECT_EQ(nDMSQLDataSet::PegarNomeInscricao(404).Nome, "");  // no such person
}

}  // namespace
