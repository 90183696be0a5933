// Masks, rounding, number and date texts in the Brazilian locale.
#include "host/core/formato.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/core/datas.h"
#include "host/core/texto.h"
#include "host/core/valor.h"

namespace {

TEST(RoundValor, HalfAwayFromZeroOnTheDecimalValue) {
  struct Caso { double v; int d; double esperado; } casos[] = {
      {2.675, 2, 2.68},   {-0.125, 2, -0.13}, {1.005, 2, 1.01}, {0.125, 2, 0.13},  {2.5, 0, 3},
      {-2.5, 0, -3},      {1.23449, 4, 1.2345}, {0.00005, 4, 0.0001}, {9.995, 2, 10}, {-0.001, 2, 0},
      {123456789.125, 2, 123456789.13}, {1.1, 2, 1.1},
  };
  for (const auto& c : casos) EXPECT_EQ(RoundValor(c.v, c.d), c.esperado) << c.v << " / " << c.d;
  EXPECT_FALSE(std::signbit(RoundValor(-0.001, 2)));  // no "-0" to print later
}

TEST(FormatFloat, MasksTheReportsUse) {
  struct Caso { const char* mascara; double v; const char* esperado; } casos[] = {
      {"#,##0.00", 1234567.891, "1.234.567,89"},
      {"#,##0.00", 0, "0,00"},
      {"#,##0.00", -0.125, "-0,13"},
      {"#,##0.00", -0.001, "0,00"},
      {"#,##0.00", 2.675, "2,68"},
      {"#,##0.00", 999.995, "1.000,00"},
      {"##,###,##0.00", 12345678.9, "12.345.678,90"},
      {"##,###,##0.00", 5, "5,00"},
      {"#,####0.0000", 1234.5, "1.234,5000"},
      {"#,####0.0000", 0.00005, "0,0001"},
      {"##0.00", 1234.5, "1234,50"},
      {"##0.00", 0.5, "0,50"},
      {"##,###,##0.00%", 12.345, "12,35%"},
      {"##,###,##0.00%", 1500, "1.500,00%"},
      {"0000", 7, "0007"},
      {"0000", 12345, "12345"},
      {"000", 5, "005"},
      {"0", 2.5, "3"},
      {"#,##0.##", 2.5, "2,5"},
      {"#,##0.00;(#,##0.00)", -3, "(3,00)"},
  };
  for (const auto& c : casos) EXPECT_EQ(FormatFloat(c.mascara, c.v), c.esperado) << c.mascara << " " << c.v;
}

TEST(FormatDateTime, MasksTheReportsUse) {
  TDateTime d = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);
  struct Caso { const char* mascara; const char* esperado; } casos[] = {
      {"DD/MM/YYYY", "05/03/2024"}, {"dd/mm/yyyy", "05/03/2024"}, {"dd/MM/yyyy", "05/03/2024"},
      {"DD/MM/YY", "05/03/24"},     {"mm/yyyy", "03/2024"},       {"mmmm", "março"},
      {"d/m/yyyy", "5/3/2024"},     {"hh:mm:ss", "14:07:09"},     {"dddd", "terça-feira"},
  };
  for (const auto& c : casos) EXPECT_EQ(FormatDateTime(c.mascara, d), c.esperado) << c.mascara;
  EXPECT_EQ(CapitalizeCaption(FormatDateTime("mmmm", EncodeDate(2024, 12, 1))), "Dezembro");
}

TEST(Conversoes, TextToNumbersAndBack) {
  EXPECT_EQ(FloatToStr(2.5), "2,5");
  EXPECT_EQ(FloatToStr(0.1), "0,1");
  EXPECT_EQ(FloatToStr(-3), "-3");
  EXPECT_EQ(StrToInt(" 42 "), 42);
  EXPECT_EQ(StrToIntDef("4x", -1), -1);
  EXPECT_EQ(StrToIntDef("99999999999", -1), -1);  // beyond 32 bits
  try {
    StrToInt("12a");
    FAIL();
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "'12a' não é um valor inteiro válido.");
  }
  EXPECT_DOUBLE_EQ(StrToFloat("1234,5"), 1234.5);
  EXPECT_DOUBLE_EQ(StrToFloat("1234.5"), 1234.5);
  double v;
  EXPECT_FALSE(TryStrToFloat("1.234,5", v));  // ambiguous grouping is refused, not guessed
  EXPECT_FALSE(TryStrToFloat("", v));
}

TEST(Conversoes, TextsOfDates) {
  EXPECT_EQ(DateToStr(0), "");
  EXPECT_EQ(DateToStr(EncodeDate(2024, 2, 29)), "29/02/2024");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 2, 29)), "29/02/2024");
  EXPECT_EQ(StrToDate("5/3/24"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateDef("31/02/2024", -1), -1);
  EXPECT_THROW(StrToDate("31/02/2024"), std::invalid_argument);
}

TEST(TValor, ConversionsRefuseWhatTheyCannotRepresent) {
  EXPECT_EQ(TValor("  ").AsInteger(), 0);
  EXPECT_EQ(TValor(2.9).AsInteger(), 2);
  EXPECT_THROW(TValor(1e30).AsInteger(), std::out_of_range);
  EXPECT_THROW(TValor("abc").AsDateTime(), std::invalid_argument);
  EXPECT_EQ(TValor("29/02/2024").AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(TValor::Data(EncodeDate(2024, 1, 31)).AsString(), "31/01/2024");
  EXPECT_EQ(TValor::DataHora(EncodeDateTime(2024, 1, 31, 8, 5, 0, 0)).AsString(), "31/01/2024 08:05:00");
  EXPECT_EQ(TValor(2.5).AsString(), "2,5");
}

TEST(FormatoComSinal, ParenthesesCarryTheSignInEachForm) {
  struct Caso {
    double Valor;
    std::string ComSinal, ComBrancoAntes, Abre, Fecha, Saldo, Percentual;
  } casos[] = {
      {1234.5, "1.234,50 ", "1.234,50 ", "1.234,50", "", "1.234,50 ", "1.234,50% "},
      {-1234.5, "(1.234,50)", " (1.234,50)", "(1.234,50", ")", "(1.234,50)", "(1.234,50%)"},
      {0, "0,00 ", "0,00 ", "0,00", "", "0,00 ", "0,00% "},
      {-0.004, "(0,00)", " (0,00)", "(0,00", ")", "(0,00)", "(0,00%)"},  // the sign, not the rounded text, decides
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.Valor);
    EXPECT_EQ(FormatarComSinal("#,##0.00", c.Valor), c.ComSinal);
    EXPECT_EQ(FormatarComSinal("#,##0.00", c.Valor, " ("), c.ComBrancoAntes);
    EXPECT_EQ(FormatarAbreParentese("#,##0.00", c.Valor), c.Abre);
    EXPECT_EQ(FechaParentese(c.Valor), c.Fecha);
    EXPECT_EQ(FormatarSaldo(c.Valor), c.Saldo);
    EXPECT_EQ(FormatarSaldo(c.Valor, true), c.Percentual);
  }
  EXPECT_EQ(FormatarSaldo(-12345678.9), "(12.345.678,90)");
}

TEST(LerTextoImpresso, PrintedTextsBecomeCellsOfTheirKind) {
  using T = TnTextoLido;
  struct Caso { const char* texto; T::TTipo tipo; double valor; const char* formato; } casos[] = {
      {"1.234,50", T::Numero, 1234.5, "#,##0.00"},
      {" (12,50)", T::Numero, -12.5, "#,##0.00;(#,##0.00)"},
      {"1.234,50 ", T::Numero, 1234.5, "#,##0.00"},
      {"-0,13", T::Numero, -0.13, "#,##0.00"},
      {"(0,00)", T::Numero, 0, "#,##0.00;(#,##0.00)"},
      {"12,5%", T::Numero, 0.125, "#,##0.0%"},
      {"(1.500,00%)", T::Numero, -15, "#,##0.00%;(#,##0.00%)"},
      {"1.234,5000", T::Numero, 1234.5, "#,##0.0000"},
      {"12.345", T::Numero, 12345, "#,##0"},
      {"42", T::Numero, 42, "0"},
      {"0", T::Numero, 0, "0"},
      {"0,50", T::Numero, 0.5, "#,##0.00"},
      {"05/03/2024", T::Data, EncodeDate(2024, 3, 5), "dd/mm/yyyy"},
      {"0007", T::Texto, 0, ""},                   // a code keeps its zeros
      {"00,50", T::Texto, 0, ""},
      {"31/02/2024", T::Texto, 0, ""},
      {"5/3/2024", T::Texto, 0, ""},
      {"1.23", T::Texto, 0, ""},
      {"1234.567,00", T::Texto, 0, ""},
      {"(12,50", T::Texto, 0, ""},
      {"-(1,00)", T::Texto, 0, ""},
      {"1234567890123456", T::Texto, 0, ""},       // more digits than a number keeps
      {"12.345.678/0001-90", T::Texto, 0, ""},
      {"NF-12", T::Texto, 0, ""},
      {"", T::Texto, 0, ""},
  };
  for (const auto& c : casos) {
    const TnTextoLido lido = LerTextoImpresso(c.texto);
    EXPECT_EQ(lido.Tipo, c.tipo) << c.texto;
    EXPECT_DOUBLE_EQ(lido.Valor, c.valor) << c.texto;
    EXPECT_EQ(lido.Formato, c.formato) << c.texto;
  }
}

// Whatever the report masks print reads back as the value they printed.
TEST(LerTextoImpresso, ReadsBackWhatTheMasksPrint) {
  struct Mascara { const char* mascara; int casas; } mascaras[] = {
      {"#,##0.00", 2}, {kMascaraSaldo, 2}, {"#,####0.0000", 4}, {"##0.00", 2}, {"0", 0}};
  for (const auto& [mascara, casas] : mascaras)
    for (double v : {0.0, 1.0, 2.5, 999.99, 1234567.891, -0.5, -98765.4321}) {
      EXPECT_DOUBLE_EQ(LerTextoImpresso(FormatFloat(mascara, v)).Valor, RoundValor(v, casas)) << mascara << " " << v;
      EXPECT_DOUBLE_EQ(LerTextoImpresso(FormatarComSinal(mascara, v, " (")).Valor, RoundValor(v, casas)) << mascara;
    }
  EXPECT_DOUBLE_EQ(LerTextoImpresso(FormatarSaldo(-12.345, true)).Valor, -0.1235);
  EXPECT_EQ(LerTextoImpresso(FormatFloat("0000", 7)).Tipo, TnTextoLido::Texto);
}

}  // namespace
