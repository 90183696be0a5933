#include "host/report/acompanhamento_mensal.h"

#include <gtest/gtest.h>

#include <string>

#include "host/report/report.h"

namespace {

// The layout of a monthly tracking report: the fixed columns, C1..C14 and R1..R13 (R14
// left out, as a layout without a percentage might).
std::string LayoutAcompanhamento() {
  std::string elementos;
  auto rotulo = [&](const std::string& nome) {
    if (!elementos.empty()) elementos += ",";
    elementos += R"({"tipo": "rotulo", "nome": ")" + nome + R"(", "x": 0, "y": 0, "largura": 56, "altura": 12, "valor": ")" +
                 nome + R"("})";
  };
  for (const char* nome : {"pTipoEstrutura", "pCabTipoEstrutura", "pClassificacao", "pCabClassificacao", "pSaldoAnt",
                           "pCabSaldoAnt"})
    rotulo(nome);
  for (int n = 1; n <= 14; ++n) {
    rotulo("C" + std::to_string(n));
    if (n < 14) rotulo("R" + std::to_string(n));
  }
  return R"({"relatorio": "Acompanhamento", "secoes": [{"numero": 11, "altura": 14, "elementos": [)" + elementos + "]}]}";
}

TEST(ColunasAcompanhamento, ColumnsMoveAndHideByTheNumberOfMonths) {
  struct TCaso {
    int Meses;
    double PrimeiroMes, LarguraClassificacao, SaldoAnt, Coluna13, Coluna14;
  } casos[] = {
      // The classification always ends one unit before the previous balance.
      {1, 489, 378, 429, 547, 605},  {3, 489, 378, 429, 663, 721},  {4, 424, 313, 364, 656, 714},
      {6, 358, 247, 298, 706, 764},  {8, 299, 188, 239, 763, 821},  {11, 299, 188, 239, 937, 995},
      {12, 299, 189, 240, 995, 1053}, {13, 299, 189, 240, 995, 1053},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Meses);
    TnrwReport report(TnLayout::DeTexto(LayoutAcompanhamento(), "acompanhamento.json"));
    report.AjusteAutomatico = true;
    PosicionarColunasAcompanhamento(report, c.Meses);
    EXPECT_TRUE(report.AjusteAutomatico) << "restored";
    for (const char* nome : {"pClassificacao", "pCabClassificacao"}) {
      EXPECT_DOUBLE_EQ(report.LabelByName(nome)->Left, 50);
      EXPECT_DOUBLE_EQ(report.LabelByName(nome)->Width, c.LarguraClassificacao);
    }
    EXPECT_DOUBLE_EQ(report.LabelByName("pCabTipoEstrutura")->Left, 33);
    EXPECT_DOUBLE_EQ(report.LabelByName("pSaldoAnt")->Left, c.SaldoAnt);
    EXPECT_DOUBLE_EQ(report.LabelByName("pCabSaldoAnt")->Left, c.SaldoAnt);
    EXPECT_DOUBLE_EQ(report.LabelByName("C1")->Left, c.PrimeiroMes);
    EXPECT_DOUBLE_EQ(report.LabelByName("R2")->Left, c.PrimeiroMes + 58);
    EXPECT_DOUBLE_EQ(report.LabelByName("C13")->Left, c.Coluna13);
    EXPECT_DOUBLE_EQ(report.LabelByName("R13")->Left, c.Coluna13);
    EXPECT_DOUBLE_EQ(report.LabelByName("C14")->Left, c.Coluna14);
    for (int n = 1; n <= 14; ++n) {
      const bool visivel = n > 12 || n <= c.Meses;
      EXPECT_EQ(report.LabelByName("C" + std::to_string(n))->Visible, visivel) << n;
      if (n < 14) {
        EXPECT_EQ(report.LabelByName("R" + std::to_string(n))->Visible, visivel) << n;
      }
    }
  }
}

TEST(ColunasAcompanhamento, AMissingFixedLabelRaisesAndTheAdjustmentIsRestored) {
  TnrwReport report(TnLayout::DeTexto(
      R"({"relatorio": "x", "secoes": [{"numero": 11, "altura": 14, "elementos": []}]})", "x.json"));
  EXPECT_ANY_THROW(PosicionarColunasAcompanhamento(report, 3));
  EXPECT_TRUE(report.AjusteAutomatico);
}

}  // namespace
