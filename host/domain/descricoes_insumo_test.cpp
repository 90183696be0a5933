#include "host/domain/descricoes_insumo.h"

#include <gtest/gtest.h>

TEST(DescricoesInsumo, EachCodeHasItsTextAndOthersNone) {
  const struct {
    int valor;
    const char* tipo;
    const char* classificacao;
    const char* simNao;
  } casos[] = {
      {-1, "", "", ""},
      {0, "", "", "Não"},  // also what a null column reads as
      {1, "Material", "Custo direto", "Sim"},
      {2, "Mão de obra", "Custo indireto", ""},
      {3, "Serviço", "Despesa administrativa", ""},
      {4, "Equipamento", "", ""},
      {5, "Despesa", "", ""},
      {6, "", "", ""},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(TIncListDescricao::GetDscTipoInsumo(c.valor), c.tipo) << c.valor;
    EXPECT_EQ(TIncListDescricao::GetDscClassifInsumo(c.valor), c.classificacao) << c.valor;
    EXPECT_EQ(THelperEnumStr::TDicSimNao(c.valor), c.simNao) << c.valor;
  }
}
