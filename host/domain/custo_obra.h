#pragma once
// The works-cost entity: for each construction works of one company, the budgeted
// cost against the cost applied in a period, line by line (by input, input group or
// works phase) and in total, with percentages.
//
// How it computes:
// - Works: the company's, in the CodigoEmpreend developments, that have a budget
//   line or an applied cost (after the phase selection); by development, then
//   works. AreaTotal and AreaUtil are TOTALMQUADRADO and TOTALMQUADRADOUTIL of the
//   development's structure item classified "1"; dates not recorded are 0.
// - Budgeted: the lines of the works' latest budget (the greatest DATAORCAMENTO),
//   whatever the competences, in reais as stored (no currency conversion).
// - Applied: the RATEIO rows of the works (CODIGOOBRA) dated from CompetIni to
//   CompetFim (a bound not given is open), of the types of
//   TipoMvtoEstoqueListaBaixaParaCustos, types below 0 counting negative: the rule
//   of the incurred cost by unit report, so the two agree.
// - CodigoFase, a selection of phase codes, narrows budget lines and allocations
//   alike; a cost without phase then drops out.
// - Lines are the union of the budgeted and the applied keys:
//   by input: CODIGOINSUMO, DESCRINSUMO, ordered by code;
//   by group: CODIGOINSUMOGRUPO, CLASSIFGRUPO " " DESCRGRUPO, by classification;
//   by phase (ItensFase): CODIGOFASE, CLASSIFICACAO " " DESCRICAO, by classification.
//   A cost whose key is missing (no input, no group, a phase that is null or not a
//   phase of the works) goes into one line of Codigo 0, printed last.
// - ValorAplicar = ValorOrcado - ValorAplicado. Sums are rounded to 2 decimals at
//   each addition, percentages to 2 decimals, and a zero divisor gives 0:
//   PercOrcado = line budget / works budget * 100; PercAplicado = applied / line
//   budget * 100; PercAplicar = ValorAplicar / line budget * 100.
// - Works totals: budget and applied are the sums of its lines; PercOrcado is 100
//   (0 for a zero budget); PercAplicado = applied / budget * 100; PercAplicar = the
//   positive remainders of the lines printed (ItensFase when the analysis is by
//   phase, Itens otherwise) / budget * 100, so it matches the printed total.
// - Two grouped queries (budget lines, allocations) and the works list, for the
//   whole company; the rows are merged by key in memory, never joined in SQL, so
//   neither side multiplies the other.
#include <cstdint>
#include <string>
#include <vector>

#include "host/core/valor.h"

// Grouping of the Itens lines: 0 by input, any other value by input group.
enum TnTipoAgrupar : uint8_t { taInsumo = 0, taGrupoInsumo = 1 };
// Kind of analysis: 1 by works phase (ItensFase), 0 by input or input group (Itens).
enum TnTipoAnaliseCusto : uint8_t { acInsumo = 0, acFase = 1 };
// EMPREENDIMENTO.TIPOEMPREENDIMENTO.
enum TTipoEmpreendimento : uint8_t {
  teNenhum = 0, teResidencialVertical = 1, teResidencialHorizontal = 2, teComercial = 3, teLoteamento = 4
};
// EMPREENDIMENTO.FORMARATEIO: how the budget is apportioned to the units.
enum TnFormaRateio : uint8_t { frNenhuma = 0, frAreaTotal = 1, frAreaUtil = 2 };

std::string DescricaoTipoEmpreendimento(TTipoEmpreendimento tipo);  // "Residencial vertical" ... "Loteamento"; others ""
std::string DescricaoFormaRateio(TnFormaRateio forma);              // "Área total", "Área útil"; others ""

// The works record of one TnCustoObra.
struct TnObraCusto {
  int CodigoObra = 0;
  std::string DescrObra;
  int CodigoEmpreend = 0;
  std::string NomeEmpre;
  TTipoEmpreendimento TipoEmpreendimento = teNenhum;
  TnFormaRateio FormaRateio = frNenhuma;
  double AreaTotal = 0, AreaUtil = 0;                 // m², 0 when not recorded
  TDateTime PrevIniObra = 0, PrevFimObra = 0;         // planned start and end, 0 when not recorded
  TDateTime ExecIniObra = 0, ExecFimObra = 0;         // actual start and end, 0 while not reached
};

// One cost line of a works.
struct TnItemCusto {
  int Codigo = 0;                                     // input, group or phase; 0 for a cost without that key
  std::string Descricao;
  double ValorOrcado = 0, PercOrcado = 0;             // budget; share of the works budget
  double ValorAplicado = 0, PercAplicado = 0;         // applied; share of the line budget
  double ValorAplicar = 0, PercAplicar = 0;           // still to apply (negative on an overrun); share of the line budget
};

// One works with its lines and totals.
struct TnCustoObra {
  TnObraCusto Obra;
  std::vector<TnItemCusto> Itens;                     // by input or input group (TnTipoAgrupar)
  std::vector<TnItemCusto> ItensFase;                 // by works phase
  double ValorOrcado = 0, ValorAplicado = 0;          // sums of the lines
  double PercOrcado = 0, PercAplicado = 0, PercAplicar = 0;
};

class TnIncCustoOcadoAplicado {
 public:
  TnIncCustoOcadoAplicado(int codigoEscrit, TnTipoAgrupar tipoAgrupar, TnTipoAnaliseCusto tipoAnalise);

  std::string CodigoEmpreend;                         // selection of developments; empty = all
  TDateTime CompetIni = 0;                            // first day counted; 0 = open
  TDateTime CompetFim = 0;                            // last day counted; 0 = open
  std::string CodigoFase;                             // selection of phase codes; empty = all

  // Runs the queries and fills CustosObra anew; a refused selection or a database
  // error propagates and leaves CustosObra empty.
  void GerarCustos();
  std::vector<TnCustoObra> CustosObra;                // one per works, by development then works

 private:
  int FCodigoEscrit;
  TnTipoAgrupar FTipoAgrupar;
  TnTipoAnaliseCusto FTipoAnalise;
};
