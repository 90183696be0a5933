// Text helpers with accents and the edge counts reports pass.
#include "host/core/texto.h"

#include <gtest/gtest.h>

namespace {

TEST(Texto, JoinAndFill) {
  EXPECT_EQ(TemDados(" - ", "Obra", ""), " - Obra");
  EXPECT_EQ(TemDados(" - ", "", "!"), "");
  EXPECT_EQ(TemDados(" / ", "  ", ""), "");
  EXPECT_EQ(PreencherDireita("12", 3, " "), "12   ");
  EXPECT_EQ(PreencherEsquerda("7", 3, "0"), "0007");
  EXPECT_EQ(PreencherEsquerda("12345", -1, "0"), "12345");
  EXPECT_EQ(PreencherDireita("x", 0), "x");
}

TEST(Texto, AddAndSplit) {
  std::string lista;
  Add(lista, "2 Casa", " ");
  Add(lista, "1 Loja", " ");
  EXPECT_EQ(lista, "2 Casa 1 Loja");
  std::string codigos = "1,2";
  Add(codigos, "2", ",", true);
  Add(codigos, "3", ",", true);
  EXPECT_EQ(codigos, "1,2,3");
  EXPECT_EQ(StrToStrArray("CODIGOEMPREEND;DATA", ";"), (std::vector<std::string>{"CODIGOEMPREEND", "DATA"}));
  EXPECT_EQ(StrToStrArray("A;", ";"), (std::vector<std::string>{"A", ""}));
  EXPECT_TRUE(StrToStrArray("", ";").empty());
}

TEST(Texto, CaseWithAccents) {
  EXPECT_EQ(UpperCase("ação é"), "AÇÃO É");
  EXPECT_EQ(LowerCase("MARÇO"), "março");
  EXPECT_TRUE(SameText("CodigoNotaEnt", "CODIGONOTAENT"));
  EXPECT_FALSE(SameText("a", "ab"));
  EXPECT_EQ(CapitalizeCaption("março"), "Março");
  EXPECT_EQ(CapitalizeCaption("ÁGUA E ESGOTO"), "Água E Esgoto");
  EXPECT_EQ(Trim("\t x \n"), "x");
  EXPECT_EQ(CortarUtf8("ação", 2), "aç");
  EXPECT_EQ(TamanhoUtf8("ação"), 4);
}

TEST(Texto, Utf8AndMessageExcerpts) {
  struct Caso {
    std::string texto;
    bool valido;
  } casos[] = {{"relatório.fdb", true}, {"plain", true}, {"", true}, {"rel\xf3rio", false},
               {"\xc3", false}, {"\xe2\x82", false}, {"\xff", false}, {"\xf0\x9f\x98\x80", true}};
  for (const auto& c : casos) EXPECT_EQ(Utf8Valido(c.texto), c.valido) << c.texto;

  EXPECT_EQ(ResumoParaMensagem("1,3,5-9"), "1,3,5-9");
  const std::string longo(100000, 'x');
  const std::string resumo = ResumoParaMensagem("ç" + longo);
  EXPECT_EQ(resumo, "ç" + std::string(59, 'x') + "… (100001 caracteres)");
}

}  // namespace
