#include "host/report/colunas_meses.h"

#include <gtest/gtest.h>

#include "host/core/datas.h"
#include "host/report/report.h"

namespace {

// Three month columns; column 2 has no value label, as a narrower layout might.
const char* kLayout = R"({
  "relatorio": "Colunas de meses",
  "secoes": [
    {"numero": 8, "altura": 20, "elementos": [
      {"tipo": "rotulo", "nome": "etqC1", "x": 100, "y": 0, "largura": 50, "altura": 12, "valor": "C1"},
      {"tipo": "rotulo", "nome": "etqC2", "x": 160, "y": 0, "largura": 50, "altura": 12, "valor": "C2"},
      {"tipo": "rotulo", "nome": "etqC3", "x": 220, "y": 0, "largura": 50, "altura": 12, "valor": "C3"}]},
    {"numero": 9, "altura": 20, "elementos": [
      {"tipo": "rotulo", "nome": "etqR1", "x": 100, "y": 0, "largura": 50, "altura": 12, "valor": "R1"},
      {"tipo": "rotulo", "nome": "etqR3", "x": 220, "y": 0, "largura": 50, "altura": 12, "valor": "R3"}]}
  ]})";

struct ColunasMeses : ::testing::Test {
  ColunasMeses() : report(TnLayout::DeTexto(kLayout, "meses.json")), colunas(&report, {"etqC", "etqR"}, 3) {}
  TnpqPowerParam* Params() { return TnpqPowerQuery::GetParams(&report); }
  TnrwReport report;
  TnColunasMeses colunas;
};

TEST_F(ColunasMeses, MonthsWrapOntoRowsOfColumns) {
  TnColunasMeses doze(&report, {"etqC"});
  struct Caso { int Mes, Meses, Coluna; bool FechaLinha; } casos[] = {
      {1, 1, 1, false}, {11, 12, 11, false}, {12, 12, 12, false},  // one full row: nothing left to wrap
      {12, 13, 12, true}, {13, 13, 1, false}, {24, 30, 12, true}, {25, 30, 1, false}, {30, 30, 6, false},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(doze.ColunaDoMes(c.Mes), c.Coluna) << c.Mes;
    EXPECT_EQ(doze.FechaLinha(c.Mes, c.Meses), c.FechaLinha) << c.Mes << " of " << c.Meses;
  }
  EXPECT_EQ(colunas.ColunaDoMes(4), 1);
  EXPECT_TRUE(colunas.FechaLinha(3, 4));
  EXPECT_EQ(TnColunasMeses::Titulo(13), "C13");
  EXPECT_EQ(TnColunasMeses::Valor(2), "R2");
}

TEST_F(ColunasMeses, DatesStepFromThePreviousMonthClippingTheDay) {
  EXPECT_EQ(TnColunasMeses::DatasMensais(EncodeDate(2026, 1, 31), 4),
            (std::vector<TDateTime>{EncodeDate(2026, 1, 31), EncodeDate(2026, 2, 28), EncodeDate(2026, 3, 28),
                                    EncodeDate(2026, 4, 28)}));
  EXPECT_EQ(TnColunasMeses::DatasMensais(EncodeDate(2025, 12, 1), 2),
            (std::vector<TDateTime>{EncodeDate(2025, 12, 1), EncodeDate(2026, 1, 1)}));
  EXPECT_TRUE(TnColunasMeses::DatasMensais(EncodeDate(2026, 1, 1), 0).empty());
}

TEST_F(ColunasMeses, CaptionsAndValuesAreWrittenAndBlankedPastThePeriod) {
  for (int n = 1; n <= 3; ++n) Params()->SetValues(TnColunasMeses::Valor(n), "x");
  Params()->SetValues("C3", "antigo");
  colunas.EscreverTitulos({"Janeiro", "Fevereiro"});
  colunas.LimparValores(2);
  EXPECT_EQ(Params()->GetValues("C1"), "Janeiro");
  EXPECT_EQ(Params()->GetValues("C2"), "Fevereiro");
  EXPECT_EQ(Params()->GetValues("C3"), "");
  EXPECT_EQ(Params()->GetValues("R1"), "x");
  EXPECT_EQ(Params()->GetValues("R2"), "");
  EXPECT_EQ(Params()->GetValues("R3"), "");
}

TEST_F(ColunasMeses, LabelsOfAColumnMoveAndHideTogetherSkippingAbsentOnes) {
  colunas.Posicionar(1, 300);
  colunas.Posicionar(2, 360);  // etqR2 is not in the layout
  colunas.Exibir(3, false);
  EXPECT_DOUBLE_EQ(report.LabelByName("etqC1")->Left, 300);
  EXPECT_DOUBLE_EQ(report.LabelByName("etqR1")->Left, 300);
  EXPECT_DOUBLE_EQ(report.LabelByName("etqC2")->Left, 360);
  EXPECT_FALSE(report.LabelByName("etqC3")->Visible);
  EXPECT_FALSE(report.LabelByName("etqR3")->Visible);
  EXPECT_TRUE(report.LabelByName("etqC2")->Visible);
  EXPECT_EQ(colunas.Rotulos(2), (std::vector<TnpqLabel*>{report.LabelByName("etqC2")}));
  EXPECT_TRUE(colunas.Rotulos(4).empty());
}

}  // namespace
