#pragma once
// Number and date texts with picture masks, in the user's locale (Brazilian
// Portuguese): the one place that knows separators and month names.
#include <array>
#include <cstdint>
#include <string>

#include "host/core/datas.h"

struct TnFormatoLocal {
  char SeparadorDecimal = ',';                                  // "1234,56"
  char SeparadorMilhar = '.';                                   // "1.234"
  char SeparadorData = '/';                                     // "/" in a mask
  char SeparadorHora = ':';                                     // ":" in a mask
  std::array<std::string, 12> NomesMeses{"janeiro", "fevereiro", "março", "abril", "maio", "junho",
      "julho", "agosto", "setembro", "outubro", "novembro", "dezembro"};  // "mmmm"
  std::array<std::string, 12> NomesMesesCurtos{"jan", "fev", "mar", "abr", "mai", "jun", "jul",
      "ago", "set", "out", "nov", "dez"};                       // "mmm"
  std::array<std::string, 7> NomesDias{"domingo", "segunda-feira", "terça-feira", "quarta-feira",
      "quinta-feira", "sexta-feira", "sábado"};                 // "dddd", from Sunday
  std::array<std::string, 7> NomesDiasCurtos{"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};  // "ddd"
};

const TnFormatoLocal& FormatoLocal();                           // the locale every format uses

// v rounded half away from zero on its shortest decimal text, written with '.'
// and exactly casas decimals ("2.68" for 2.675, 2); the base of RoundValor and masks.
std::string DecimalArredondado(double v, int casas);
double RoundValor(double valor, int digitos);                   // half away from zero on the decimal value

std::string FormatFloat(const std::string& mascara, double v);  // "#,##0.00", "0000", "##0.00%"...

// Signed amounts of the cost reports: the absolute value through mascara, its sign
// shown by parentheses.
constexpr const char* kMascaraSaldo = "##,###,##0.00";             // FormatarSaldo's money mask
constexpr const char* kMascaraSaldoPercentual = "##,###,##0.00%";   // its percent mask ("%" literal, no scaling)
// Negative: abre + text + ")"; else text + " " (-5 -> "(5,00)", 5 -> "5,00 ", abre " (" -> " (5,00)").
std::string FormatarComSinal(const std::string& mascara, double v, const std::string& abre = "(");
std::string FormatarAbreParentese(const std::string& mascara, double v);  // "(" + text when negative, else text
std::string FechaParentese(double v);                // ")" when negative, else "": the pFechaParentese value
std::string FormatarSaldo(double v, bool percentual = false);       // FormatarComSinal with kMascaraSaldo[Percentual]

// A text as the masks above print it, read back as a spreadsheet cell: an amount or
// quantity ("1.234,50", "(12,50)", "-3", "12,5%"), a date "dd/mm/yyyy", or text
// (codes with leading zeros such as "0007" among them, and numbers of more than 15 digits).
struct TnTextoLido {
  enum TTipo { Texto, Numero, Data };
  TTipo Tipo = Texto;
  double Valor = 0;                              // the number, a percentage as a fraction, the date
  std::string Formato;                           // the spreadsheet's number format ("#,##0.00",
                                                 // "#,##0.00;(#,##0.00)", "0.0%", "dd/mm/yyyy"); empty for text
};
TnTextoLido LerTextoImpresso(const std::string& texto);  // blanks around the text are ignored

std::string FormatDateTime(const std::string& mascara, TDateTime d);  // "dd/mm/yyyy", "mmmm"...
std::string DateToStr(TDateTime d);                              // "DD/MM/YYYY"; empty for 0
std::string DateTimeToStr(TDateTime d);                          // "DD/MM/YYYY hh:nn:ss" (date only at midnight)
TDateTime StrToDateDef(const std::string& texto, TDateTime padrao);  // DD/MM/YYYY or padrao
TDateTime StrToDate(const std::string& texto);                   // DD/MM/YYYY, throws a Portuguese error
std::string FloatToStr(double v);                               // up to 15 significant digits, "2,5"
int StrToInt(const std::string& texto);                         // throws "'x' não é um valor inteiro válido."
int64_t StrToInt64(const std::string& texto);                   // same, 64 bits
int StrToIntDef(const std::string& texto, int padrao);          // padrao when not an integer
bool TryStrToInt(const std::string& texto, int& valor);         // false when not an integer
bool TryStrToInt64(const std::string& texto, int64_t& valor);   // false when not an integer
double StrToFloat(const std::string& texto);                    // "1234,5" or "1234.5"; throws Portuguese
bool TryStrToFloat(const std::string& texto, double& valor);    // false when not a number
