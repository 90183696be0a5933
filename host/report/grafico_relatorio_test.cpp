#include "host/report/grafico_relatorio.h"

#include <gtest/gtest.h>

#include "host/report/base_dll.h"
#include "host/report/report.h"

namespace {

// A 200-unit body section and the chart section 12, 398 high with a 397 chart.
const char* kLayout = R"({
  "relatorio": "Gráfico por grupo",
  "secoes": [
    {"numero": 1, "altura": 40, "elementos": []},
    {"numero": 8, "altura": 200, "elementos": []},
    {"numero": 12, "altura": 398, "elementos": [
      {"tipo": "grafico", "nome": "Grafico", "x": 0, "y": 0, "largura": 700, "altura": 397}]}
  ]})";

constexpr TnDimensoesGrafico kDimensoes{12, 646, 397, 22, 16, 794};

struct GraficoRelatorio : ::testing::Test {
  GraficoRelatorio() : report(TnLayout::DeTexto(kLayout, "grafico.json")), rel(&report) { report.DefinirRastro(true); }
  TnpqGrafico& Grafico() { return *report.GraficoByName("Grafico"); }
  TnrwReport report;
  TnrwBaseDll rel;
};

TEST_F(GraficoRelatorio, NeededHeightGrowsPastTheStandardEntriesUpToTheCap) {
  struct Caso { int Entradas; double Altura; } casos[] = {{0, 397}, {22, 397}, {23, 413}, {46, 781}, {47, 794}, {200, 794}};
  for (const Caso& c : casos) EXPECT_DOUBLE_EQ(kDimensoes.AlturaNecessaria(c.Entradas), c.Altura) << c.Entradas;
}

TEST_F(GraficoRelatorio, StandardEntriesKeepTheDesignSize) {
  Grafico().SetHeight(10);
  DimensionarSecaoGrafico(report, Grafico(), kDimensoes, 22);
  EXPECT_DOUBLE_EQ(report.GetSections(12)->GetPosition(), 646);
  EXPECT_DOUBLE_EQ(Grafico().GetHeight(), 397);
}

TEST_F(GraficoRelatorio, MoreEntriesStretchTheSectionToThePageBottom) {
  DimensionarSecaoGrafico(report, Grafico(), kDimensoes, 30);
  TnpqSection* secao = report.GetSections(12);
  EXPECT_DOUBLE_EQ(secao->GetPosition(), report.FundoImprimivel());
  EXPECT_DOUBLE_EQ(Grafico().GetHeight(), secao->GetHeight() - 1);
  rel.RepPrintSection(12);
  EXPECT_EQ(report.Finalizar(), 1);  // 30 entries need 525 and fit under the header
}

TEST_F(GraficoRelatorio, ANewPageWhenTheNeededHeightDoesNotFit) {
  for (int i = 0; i < 3; ++i) rel.RepPrintSection(8);  // 600 of the page's body used
  DimensionarSecaoGrafico(report, Grafico(), kDimensoes, 40);  // needs 685
  rel.RepPrintSection(12);
  EXPECT_EQ(report.Finalizar(), 2);
  EXPECT_EQ(report.Rastro().Secoes.back().Pagina, 2);
}

TEST_F(GraficoRelatorio, ClearingBetweenGroupsEmptiesPointsLegendOrSeries) {
  TDBChart& chart = *Grafico().Chart();
  AdicionarPonto(chart, 40, "Fundação", 0xFF);
  AdicionarPonto(chart, 100, "Estrutura");
  ASSERT_EQ(chart.Series(0)->Count(), 2);
  EXPECT_EQ(chart.Series(0)->Pontos()[0].Cor, 0xFFu);
  EXPECT_EQ(chart.Series(0)->Pontos()[1].Cor, clTeeColor);
  chart.Legenda().push_back("Obra 1");
  LimparGrafico(chart);
  EXPECT_EQ(chart.SeriesCount(), 1);
  EXPECT_EQ(chart.Series(0)->Count(), 0);
  EXPECT_TRUE(chart.Legenda().empty());
  LimparGrafico(chart, true);
  EXPECT_EQ(chart.SeriesCount(), 0);
}

}  // namespace
