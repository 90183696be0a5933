#include "host/report/assinatura.h"

#include <gtest/gtest.h>

#include "host/report/base_dll.h"
#include "host/report/report.h"
#include "tests/testkit/banco_teste.h"

namespace {

const char* kLayout = R"({
  "relatorio": "Assinatura",
  "secoes": [{"numero": 12, "altura": 40, "elementos": [
    {"tipo": "rotulo", "x": 0, "y": 0, "largura": 300, "altura": 16, "valor": "R1"},
    {"tipo": "rotulo", "x": 0, "y": 20, "largura": 300, "altura": 16, "valor": "R2"}]}]})";

TEST(Assinatura, PrintsNameAndTaxNumberOnlyForACodeAboveZero) {
  TBancoTeste banco(true);
  banco.Script(
      "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (90, 'João Engenheiro', '123.456.789-09');"
      "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (91, 'Maria Arquiteta');");
  TnrwReport report(TnLayout::DeTexto(kLayout, "assinatura.json"));
  report.DefinirRastro(true);
  TnrwBaseDll rel(&report);
  EXPECT_FALSE(ImprimirAssinatura(rel, 0, 12));
  EXPECT_FALSE(ImprimirAssinatura(rel, -90, 12));
  EXPECT_TRUE(ImprimirAssinatura(rel, 90, 12));
  EXPECT_TRUE(ImprimirAssinatura(rel, 91, 12));  // no tax number: blank, not the previous one
  report.Finalizar();
  const auto& secoes = report.Rastro().Secoes;
  ASSERT_EQ(report.Rastro().NumerosSecoes(), (std::vector<int>{12, 12}));
  EXPECT_EQ(secoes[0].Valor("R1"), "João Engenheiro");
  EXPECT_EQ(secoes[0].Valor("R2"), "123.456.789-09");
  EXPECT_EQ(secoes[1].Valor("R1"), "Maria Arquiteta");
  EXPECT_EQ(secoes[1].Valor("R2"), "");
}

}  // namespace
