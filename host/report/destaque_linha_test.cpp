#include "host/report/destaque_linha.h"

#include <gtest/gtest.h>

#include "host/report/elementos.h"
#include "host/report/report.h"

namespace {

// Section 8 holds an italic label, a plain one and a rule; section 9 a bold label.
const char* kLayoutDestaque = R"({
  "relatorio": "Destaque",
  "secoes": [
    {"numero": 1, "altura": 20, "elementos": []},
    {"numero": 8, "altura": 16, "elementos": [
      {"tipo": "rotulo", "nome": "lblA", "x": 0, "y": 0, "largura": 100, "altura": 14, "valor": "R1", "fonte": {"italico": true}},
      {"tipo": "rotulo", "nome": "lblB", "x": 110, "y": 0, "largura": 100, "altura": 14, "valor": "R2"},
      {"tipo": "linha", "x": 0, "y": 15, "largura": 200}]},
    {"numero": 9, "altura": 16, "elementos": [
      {"tipo": "rotulo", "nome": "lblC", "x": 0, "y": 0, "largura": 100, "altura": 14, "valor": "R1", "fonte": {"negrito": true}}]}
  ]})";

TEST(DestaqueLinha, LabelsOfTheSectionTurnExactlyBoldThenExactlyPlain) {
  TnrwReport report(TnLayout::DeTexto(kLayoutDestaque, "destaque.json"));
  DestacarRotulosSecao(report, 8, true);
  EXPECT_EQ(report.LabelByName("lblA")->GetFontStyle(), TFontStyles{fsBold});
  EXPECT_EQ(report.LabelByName("lblB")->GetFontStyle(), TFontStyles{fsBold});
  DestacarRotulosSecao(report, 8, false);
  EXPECT_EQ(report.LabelByName("lblA")->GetFontStyle(), TFontStyles{});
  EXPECT_EQ(report.LabelByName("lblB")->GetFontStyle(), TFontStyles{});
  EXPECT_EQ(report.LabelByName("lblC")->GetFontStyle(), TFontStyles{fsBold});  // another section is left alone
}

}  // namespace
