#pragma once
// Month columns of the reports with one column per month: column n (from 1) shows
// the report value "C" + n as its caption and "R" + n as its amount, in layout
// labels named by a prefix and n ("etqC3", "R3"). A period longer than one row of
// columns wraps: month i goes to column ((i - 1) mod columns) + 1, and the report
// prints the row each time its last column fills while months remain.
#include <string>
#include <vector>

#include "host/core/valor.h"

class TnrwReport;
class TnpqLabel;

class TnColunasMeses {
 public:
  static constexpr int kColunasPadrao = 12;      // month columns of one row in the layouts

  // prefixos: the label name prefixes that make up one column ({"etqC", "etqR", "etqT"}).
  TnColunasMeses(TnrwReport* report, std::vector<std::string> prefixos, int colunas = kColunasPadrao);

  static std::string Titulo(int n);              // "C" + n: the caption value of column n
  static std::string Valor(int n);               // "R" + n: the amount value of column n
  // The first day of each of `meses` months from inicio's day, stepping a calendar month
  // from the previous date (31/01 -> 28/02 -> 28/03), as the month columns advance.
  static std::vector<TDateTime> DatasMensais(TDateTime inicio, int meses);

  int Colunas() const { return FColunas; }       // columns in one row
  int ColunaDoMes(int mes) const;                // column 1..Colunas() of month mes (from 1), wrapping
  bool FechaLinha(int mes, int meses) const;     // month mes of meses fills the row's last column and more follow

  void EscreverTitulos(const std::vector<std::string>& titulos);  // C1.. = titulos, blank up to Colunas()
  void LimparValores(int aPartirDe);             // blanks R + aPartirDe .. R + Colunas()
  void Posicionar(int n, double esquerda);       // every label of column n to that left; absent labels skipped
  void Exibir(int n, bool visivel);              // shows or hides the labels of column n; absent labels skipped
  std::vector<TnpqLabel*> Rotulos(int n) const;  // the layout labels of column n, in prefix order, absent ones left out

  // The walk of one line of months: textos[i - 1] (month i) goes to the caption (C) or value
  // (R) of ColunaDoMes(i); each time a row fills while months remain, prints secao, then blanks
  // the values named in fixos and the captions or values of columns 1..Colunas(). The lines
  // of one entry's values share a stripe (TnrwReport::ManterFaixa before each further line).
  void EscreverTitulosEmLinhas(const std::vector<std::string>& textos, int secao, const std::vector<std::string>& fixos);
  void EscreverValoresEmLinhas(const std::vector<std::string>& textos, int secao, const std::vector<std::string>& fixos);

 private:
  void EscreverEmLinhas(std::string (*nome)(int), const std::vector<std::string>& textos, int secao,
                        const std::vector<std::string>& fixos, bool mesmaFaixa);
  TnrwReport* FReport;
  std::vector<std::string> FPrefixos;
  int FColunas;
};

