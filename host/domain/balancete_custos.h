#pragma once
// The cost trial balance of the developments: per company, development and item of the
// cost structure, the balance before a period, the movement in it and the balance at its
// end, from the cost allocations (RATEIO). The cost trial balance, the monthly cost
// tracking and the monthly inputs tracking all read it.
//
// Use: create it, set the inputs, call one load, read its dataset through the mapper
// (Mapper<TMapBalancete>(b.CdsBalancete()) from frame/mapper.h), free the entity.
//
// How the figures are made (the contract the three reports rely on):
// - Source: the allocations of company CodigoEscrit (0 = every company) on the items of
//   the development's structure; an allocation whose movement type is below 0 (material
//   returned from the site) counts negative. Only the cost-relevant movement types
//   (TipoMvtoEstoqueListaBaixaParaCustos) count, further narrowed to TipoMvtoEstoque when
//   it is given. ClassifInsumo selects on the input's CLASSIFINSUMO, CodigoEmpreend on the
//   development, CodigoImovel on the unit of the item the allocation is on. An allocation
//   on an item the structure lacks is not counted (there is no line to show it on).
// - Dates by calendar day, the time of day ignored: SALDOANTERIOR sums the allocations
//   dated before the day of DataInicial; MOVIMENTO those from that day through the day of
//   DataFinal (midnight or 23:59:59.999 of that day give the same figures);
//   SALDO = SALDOANTERIOR + MOVIMENTO. Sums are exact in cents.
// - Rows: every item with at least one allocation passing the filters dated up to
//   DataFinal (also when they net to zero), plus every summary item above such an item.
//   Items without such allocations are absent, so a month's load never has a row that the
//   load of a period ending with that month lacks.
// - TIPOESTRUTURA: "S" for a summary item (structure type 1), "A" for any other item.
//   A summary item's figures are those of the items below it: the items of its
//   development whose CLASSIFESTRUTURA starts with its own followed by "." ("1.1" covers
//   "1.1.01", not "1.10.01"), plus its own allocations if it has any.
// - CLASSIFICACAO = CLASSIFESTRUTURA + " - " + DESCRESTRUTURA. Rows are ordered by company,
//   development and CLASSIFESTRUTURA (tree order: "1", "1.1", "1.1.01", "1.10").
// - CdsBalanceteDetInsumos: each item's row (INSUMO "", the same figures as in
//   CdsBalancete) followed by its input rows (INSUMO = the input code as "0000" + " - " +
//   DESCRINSUMO, TIPOESTRUTURA "I", the item's code and CLASSIFICACAO), in input code order.
//   Modelo "1" (analytic): input rows under every item that is not a summary item, with the
//   item's allocations of that input. Any other Modelo (summary): input rows under the
//   summary items only, each input totalled over the items below. An allocation without
//   input is listed as "(insumo não informado)".
// - Keys: (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA) is unique in CdsBalancete, and
//   with INSUMO in CdsBalanceteDetInsumos ("" on the item's own row, never null), so the
//   monthly reports can merge a period's load with each month's by key lookup.
// - Each load replaces its dataset's rows (same fields, so bound mappers stay valid); a load
//   that raises leaves the rows of the last successful one.
// - One statement per load, values bound, the lists through FilterInterval; a list the
//   selection notation refuses raises EnSelecaoInvalida before any query. A final day
//   before the initial day raises "A data inicial não pode ser maior que a data final.".
#include <memory>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/data/field_mapper.h"

class TnClientDataSet;

// The columns of CdsBalancete, bound by name.
struct TMapBalancete : TnMapperBase {
  NCAMPO(CODIGOESCRIT);     // integer: company
  NCAMPO(CODIGOEMPREEND);   // integer: development
  NCAMPO(NOMEEMPRE);        // text: development name ("" when the development has no record)
  NCAMPO(CODIGOESTRUTURA);  // integer: structure item
  NCAMPO(TIPOESTRUTURA);    // text: "S" summary item, "A" posting item
  NCAMPO(CLASSIFICACAO);    // text: classification + " - " + description
  NCAMPO(SALDOANTERIOR);    // number: balance before the day of DataInicial
  NCAMPO(MOVIMENTO);        // number: movement from DataInicial's day through DataFinal's day
  NCAMPO(SALDO);            // number: SALDOANTERIOR + MOVIMENTO
};

// The columns of CdsBalanceteDetInsumos: those of CdsBalancete plus the input.
struct TMapBalanceteDetInsumos : TMapBalancete {
  NCAMPO(INSUMO);           // text: "" on an item's row, "0000 - description" on an input row
};

class TnBalanceteCustos {
 public:
  TnBalanceteCustos();                           // inputs empty, both datasets empty
  ~TnBalanceteCustos();                          // frees both datasets
  TnBalanceteCustos(const TnBalanceteCustos&) = delete;
  TnBalanceteCustos& operator=(const TnBalanceteCustos&) = delete;

  static constexpr const char* kModeloAnalitico = "1";  // Modelo: inputs under every posting item

  int CodigoEscrit = 0;                          // company; 0 = every company
  TDateTime DataInicial = 0;                     // first day of the period (time ignored)
  TDateTime DataFinal = 0;                       // last day of the period (time ignored)
  std::string CodigoEmpreend;                    // selection of developments; empty = all
  std::string CodigoImovel;                      // selection of units; empty = all
  std::string Modelo;                            // "1" analytic, anything else summary (inputs rows only)
  std::string ClassifInsumo;                     // selection of input classifications; empty = all
  std::string TipoMvtoEstoque;                   // selection of movement types within the cost-relevant ones
  // Only the movement of the period: the allocations before DataInicial are not read, so
  // the rows are the items with allocations in the period (and the summary items above
  // them), SALDOANTERIOR is 0 and SALDO equals MOVIMENTO. MOVIMENTO is the same as in a
  // full load. The monthly merge takes nothing else from a month's load, and reading one
  // month instead of the whole history up to it keeps the month loads short.
  bool SomenteMovimento = false;

  void CarregarBalancete();                      // fills CdsBalancete (one row per item); raises on failure, keeping the last load
  void CarregarBalanceteDetInsumos();            // fills CdsBalanceteDetInsumos (items and their inputs); same

  TnClientDataSet* CdsBalancete() const { return FCdsBalancete.get(); }  // owned; valid while the entity lives
  TnClientDataSet* CdsBalanceteDetInsumos() const { return FCdsBalanceteDetInsumos.get(); }  // owned; same

 private:
  std::string MontarSQLBalancete(bool porInsumo, std::vector<TValor>& valores) const;
  void Carregar(bool porInsumo, TnClientDataSet& destino) const;
  std::unique_ptr<TnClientDataSet> FCdsBalancete;
  std::unique_ptr<TnClientDataSet> FCdsBalanceteDetInsumos;
};
