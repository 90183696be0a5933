#pragma once
// The stock movement of a company over a period, stock by stock and input by input:
// each input's opening balance and its movements of the period, ready to print.
//
// How Gerar reads it (ESTOQUEMOVIMENTO of CodigoEscrit, with its ESTOQUE and INSUMO;
// a movement whose stock or input has no record is still listed, without description):
// - The four selections narrow the openings and the movements alike: CodigoEstoque the
//   stock, CodigoInsumo the input, ClassifInsumo the input's CLASSIFINSUMO and
//   TipoMvtoEstoque the movement's type. So a closing quantity equals the stock
//   position's balance at DataFinal under the same selections.
// - Opening balance: the movements before DataInicial. The quantity is the signed sum
//   of QUANTIDADEMVTO (entries, types 0 or less, positive; exits negative); the value
//   is the signed sum of each movement's quantity times VALORCUSTOOPERACIONALUNIT,
//   rounded to the cent, half away from zero. That is the per-movement rounding the
//   movement lines use, so one period's closing is the next period's opening.
// - Movements: DataInicial <= date <= DataFinal. QtdEntrada or QtdSaida holds the
//   quantity by the type's direction, the other is 0; a missing REFERENCIA is 0.
// - An input is listed when it moved in the period or its opening quantity or value is
//   not zero; a stock with no input listed is left out. A period that ends before it
//   starts lists nothing.
// - Order: stock code, input code; movements by date, entries before exits on the same
//   day, then movement code.
// - Two statements, the openings grouped by stock and input and the period's movements,
//   both in that order, merged in one pass.
#include <memory>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/domain/tipo_mvto_estoque.h"

struct TnMovimento {
  TDateTime DataMovimento = 0;                   // date of the movement
  int Referencia = 0;                            // reference number; 0 when none
  std::string Documento;                         // the movement's document text
  TnTipoMvtoEstoque TipoMvtoEstoque = TnTipoMvtoEstoque::Compra;  // movement type
  double ValorUnitario = 0;                      // unit operational cost
  double QtdEntrada = 0;                         // quantity in (entries), else 0
  double QtdSaida = 0;                           // quantity out (exits), else 0
};

struct TnMovimentacaoInsumo {
  int CodigoInsumo = 0;                          // input code
  std::string DescrInsumo;                       // the input's description
  std::string DescrComplementar;                 // its second descriptive text
  double QtdSaldoAnterior = 0;                   // opening quantity in the stock
  double ValorSaldoAnterior = 0;                 // opening value in the stock (cent-rounded movements)
  std::vector<TnMovimento> Movimentos;           // movements of the period, in print order
};

struct TnMovimentacaoEstoque {
  int CodigoEstoque = 0;                         // stock code
  std::string DescrEstoque;                      // stock description
  std::vector<TnMovimentacaoInsumo> Insumos;     // the stock's inputs, in print order
};

using TnMovimentacaoEstoqueLista = std::vector<TnMovimentacaoEstoque>;  // one entry per stock, in print order

class TnMovimentacaoEstoqueConsulta {
 public:
  TDateTime DataInicial = 0;                     // first day of the period
  TDateTime DataFinal = 0;                       // last day of the period (included)
  int CodigoEscrit = 0;                          // company code
  std::string CodigoInsumo;                      // input selection (docs/selecao.md); empty = all
  std::string CodigoEstoque;                     // stock selection; empty = all
  std::string ClassifInsumo;                     // input-classification selection; empty = all
  std::string TipoMvtoEstoque;                   // movement-type selection; empty = all

  // Reads the movement on the current connection; a new list the caller keeps, empty
  // when nothing is listed. Throws EnSelecaoInvalida for a selection the notation refuses.
  std::unique_ptr<TnMovimentacaoEstoqueLista> Gerar() const;

 private:
  std::string CondicoesMovimento() const;        // stock, input and type selections, each " and (...)"
  std::string CondicaoInsumo() const;            // the classification selection on INSUMO IM
  std::string MontarSQLSaldoAnterior() const;    // openings by stock and input
  std::string MontarSQLMovimentos() const;       // the period's movements
};
