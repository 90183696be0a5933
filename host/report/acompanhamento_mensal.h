#pragma once
// The printed side of the monthly tracking reports (costs, inputs) on A4 landscape: the
// column geometry, the company header, the caption block after every page header and the
// lines of one row, wrapping every twelve months. The data side (the monthly dataset
// merged from the balance loads) is host/domain/acompanhamento_mensal.h.
//
// Layout contract: sections 8 (one caption line), 9 (closes the captions), 11 (one line of
// a row, striped); report values pCab... and C1..C14 in section 8, pCodigoEstrutura,
// pTipoEstrutura, pClassificacao, pSaldoAnt and R1..R14 in section 11, labels named after
// them; pNomeEscrit and pInscFederal in the page header.
#include <string>
#include <vector>

#include "host/core/valor.h"

class TnrwReport;
class TnpqPowerParam;

// The column geometry: structure code, type (33), classification (50) and previous
// balance, then up to 12 month columns 58 apart and the closing columns 13 and 14. Fewer
// than 12 months start further right.
struct TnGeometriaAcompanhamento {
  static constexpr double kEsquerdaTipo = 33;           // pTipoEstrutura
  static constexpr double kEsquerdaClassificacao = 50;  // pClassificacao
  static constexpr double kPasso = 58;                  // from one month column to the next
  double PrimeiroMes = 299;                             // left of month column 1
  double LarguraClassificacao = 189;                    // pClassificacao, ending one unit before pSaldoAnt
  double EsquerdaSaldoAnt = 240;                        // pSaldoAnt
  double Coluna13 = 995, Coluna14 = 1053;               // lefts of the closing columns
  int Visiveis = 12;                                    // month columns 1..Visiveis shown, the rest hidden
};
TnGeometriaAcompanhamento GeometriaAcompanhamento(int meses);  // meses >= 1; 12 or more share one geometry

// PosicionarColunas: moves, sizes, shows and hides the column labels for meses months (0:
// only the fixed columns). pTipoEstrutura, pClassificacao, pSaldoAnt and their pCab...
// captions must exist (LabelByName raises); C + n and R + n (n = 1..14) are skipped when
// absent. The report's automatic adjustment is off meanwhile and restored, also on failure.
void PosicionarColunasAcompanhamento(TnrwReport& report, int meses);

// Company header: blank for a code below 1, else pNomeEscrit = code "0000" + " - " + NOME
// and pInscFederal = INSCFEDERAL of the company (ESCRITORIO joined to PESSOAFINANCEIRO).
void PreencherEmpresaAcompanhamento(TnpqPowerParam& params, int codigoEscrit);

// ImprimirCabecalhoColunas: the fixed captions, "mm/yyyy" of each month in C1..C12 on as many
// lines of section 8 as the months take (later lines without the fixed captions), titulo13
// and titulo14 on the last, then section 9.
void ImprimirTitulosAcompanhamento(TnrwReport& report, const std::vector<TDateTime>& meses,
                                   const std::string& titulo13, const std::string& titulo14);

// One row of the monthly dataset as ImprimirLinha prints it.
struct TnLinhaAcompanhamento {
  std::string Codigo, Tipo, Classificacao, SaldoAnterior;  // first line only
  std::vector<std::string> Meses;                          // R1.. wrapping every 12 months
  std::string Coluna13, Coluna14;                          // last line only
};
// Prints the row on section 11, one line per twelve months: the later lines carry only their
// months, R13 and R14 close the last. A row of several lines starts a page when they do not
// fit on the current one, and its lines share a stripe.
void ImprimirLinhaAcompanhamento(TnrwReport& report, const TnLinhaAcompanhamento& linha);
