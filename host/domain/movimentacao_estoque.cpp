#include "host/domain/movimentacao_estoque.h"

#include <tuple>

#include "host/core/datas.h"
#include "host/data/field_mapper.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"

namespace {

// The signed quantity of one movement: entries (types 0 or less) add, exits subtract.
constexpr const char* kQuantidadeComSinal =
    "case when EM.TIPOMVTOESTOQUE <= 0 then EM.QUANTIDADEMVTO else -EM.QUANTIDADEMVTO end";

struct TnMapperSaldoAnterior : TnMapperBase {
  NCAMPO(CODIGOESTOQUE);
  NCAMPO(DESCRESTOQUE);
  NCAMPO(CODIGOINSUMO);
  NCAMPO(DESCRINSUMO);
  NCAMPO(DESCRCOMPLEMENTAR);
  NCAMPO(QTDSALDOANTERIOR);
  NCAMPO(VALORSALDOANTERIOR);
};

struct TnMapperMovimento : TnMapperBase {
  NCAMPO(CODIGOESTOQUE);
  NCAMPO(DESCRESTOQUE);
  NCAMPO(CODIGOINSUMO);
  NCAMPO(DESCRINSUMO);
  NCAMPO(DESCRCOMPLEMENTAR);
  NCAMPO(DATAMVTOESTOQUE);
  NCAMPO(REFERENCIA);
  NCAMPO(DOCUMENTO);
  NCAMPO(TIPOMVTOESTOQUE);
  NCAMPO(QUANTIDADEMVTO);
  NCAMPO(VALORCUSTOOPERACIONALUNIT);
};

// One of the two ordered result sets being merged, with its row's (stock, input) key.
template <class TMapper>
struct TnCursorChave {
  explicit TnCursorChave(TnClientDataSet& ds) : Dados(ds) { FieldMapper().MapearFields(&ds, &Campos); }
  bool Fim() const { return Dados.Eof(); }
  std::tuple<int, int> Chave() const { return {Campos.CODIGOESTOQUE->AsInteger(), Campos.CODIGOINSUMO->AsInteger()}; }
  TnClientDataSet& Dados;
  TMapper Campos;
};

template <class TMapper>
TnMovimentacaoInsumo NovoInsumo(const TMapper& m) {
  TnMovimentacaoInsumo insumo;
  insumo.CodigoInsumo = m.CODIGOINSUMO->AsInteger();
  insumo.DescrInsumo = m.DESCRINSUMO->AsString();
  insumo.DescrComplementar = m.DESCRCOMPLEMENTAR->AsString();
  return insumo;
}

TnMovimento NovoMovimento(const TnMapperMovimento& m) {
  TnMovimento mv;
  mv.DataMovimento = m.DATAMVTOESTOQUE->AsDateTime();
  mv.Referencia = m.REFERENCIA->AsInteger();
  mv.Documento = m.DOCUMENTO->AsString();
  mv.TipoMvtoEstoque = static_cast<TnTipoMvtoEstoque>(m.TIPOMVTOESTOQUE->AsInteger());
  mv.ValorUnitario = m.VALORCUSTOOPERACIONALUNIT->AsFloat();
  (EntradaEstoque(mv.TipoMvtoEstoque) ? mv.QtdEntrada : mv.QtdSaida) = m.QUANTIDADEMVTO->AsFloat();
  return mv;
}

}  // namespace

std::string TnMovimentacaoEstoqueConsulta::CondicoesMovimento() const {
  return FilterInterval({"EM.CODIGOESTOQUE"}, CodigoEstoque, {1}, true) +
         FilterInterval({"EM.CODIGOINSUMO"}, CodigoInsumo, {1}, true) +
         FilterInterval({"EM.TIPOMVTOESTOQUE"}, TipoMvtoEstoque, {1}, true);
}

std::string TnMovimentacaoEstoqueConsulta::CondicaoInsumo() const {
  return FilterInterval({"IM.CLASSIFINSUMO"}, ClassifInsumo, {1}, true);
}

// The movements are summed by stock and input alone, and only the sums meet their
// stock and input: grouping on the descriptions too costs several times as much.
std::string TnMovimentacaoEstoqueConsulta::MontarSQLSaldoAnterior() const {
  return std::string("select S.CODIGOESTOQUE, ES.DESCRESTOQUE, S.CODIGOINSUMO, IM.DESCRINSUMO, IM.DESCRCOMPLEMENTAR, ") +
         "S.QTDSALDOANTERIOR, S.VALORSALDOANTERIOR " +
         "from (select EM.CODIGOESTOQUE, EM.CODIGOINSUMO, " +
         "sum(" + kQuantidadeComSinal + ") QTDSALDOANTERIOR, " +
         "sum(cast((" + kQuantidadeComSinal + ") * EM.VALORCUSTOOPERACIONALUNIT as numeric(18,2))) VALORSALDOANTERIOR " +
         "from ESTOQUEMOVIMENTO EM " +
         "where EM.CODIGOESCRIT = :pCodigoEscrit and EM.DATAMVTOESTOQUE < :pDataInicial " + CondicoesMovimento() +
         "group by EM.CODIGOESTOQUE, EM.CODIGOINSUMO) S " +
         "left join ESTOQUE ES on ES.CODIGOESCRIT = :pCodigoEscrit and ES.CODIGOESTOQUE = S.CODIGOESTOQUE " +
         "left join INSUMO IM on IM.CODIGOINSUMO = S.CODIGOINSUMO " +
         "where (S.QTDSALDOANTERIOR <> 0 or S.VALORSALDOANTERIOR <> 0) " + CondicaoInsumo() +
         "order by S.CODIGOESTOQUE, S.CODIGOINSUMO";
}

// The movements lead and their stock and input follow (left joins fix that order):
// started from the stocks, the optimiser would read the period once per stock selected.
std::string TnMovimentacaoEstoqueConsulta::MontarSQLMovimentos() const {
  return std::string("select EM.CODIGOESTOQUE, ES.DESCRESTOQUE, EM.CODIGOINSUMO, IM.DESCRINSUMO, IM.DESCRCOMPLEMENTAR, ") +
         "EM.DATAMVTOESTOQUE, EM.REFERENCIA, EM.DOCUMENTO, EM.TIPOMVTOESTOQUE, EM.QUANTIDADEMVTO, " +
         "EM.VALORCUSTOOPERACIONALUNIT " +
         "from ESTOQUEMOVIMENTO EM " +
         "left join ESTOQUE ES on ES.CODIGOESCRIT = EM.CODIGOESCRIT and ES.CODIGOESTOQUE = EM.CODIGOESTOQUE " +
         "left join INSUMO IM on IM.CODIGOINSUMO = EM.CODIGOINSUMO " +
         "where EM.CODIGOESCRIT = :pCodigoEscrit " +
         "and EM.DATAMVTOESTOQUE between :pDataInicial and :pDataFinal " + CondicoesMovimento() + CondicaoInsumo() +
         "order by EM.CODIGOESTOQUE, EM.CODIGOINSUMO, EM.DATAMVTOESTOQUE, " +
         "case when EM.TIPOMVTOESTOQUE <= 0 then 0 else 1 end, EM.CODIGOMVTOESTOQUE";
}

std::unique_ptr<TnMovimentacaoEstoqueLista> TnMovimentacaoEstoqueConsulta::Gerar() const {
  auto lista = std::make_unique<TnMovimentacaoEstoqueLista>();
  const TDateTime inicio = DateOf(DataInicial), fim = DateOf(DataFinal);
  if (fim < inicio) return lista;
  TnDataSetSQL saldos = ExecutarSQL(MontarSQLSaldoAnterior(), {CodigoEscrit, TValor::Data(inicio)});
  TnDataSetSQL movimentos = ExecutarSQL(MontarSQLMovimentos(), {CodigoEscrit, TValor::Data(inicio), TValor::Data(fim)});
  TnCursorChave<TnMapperSaldoAnterior> saldo(*saldos);
  TnCursorChave<TnMapperMovimento> movimento(*movimentos);
  saldos->First();
  movimentos->First();
  // Both sets come in (stock, input) order: each step takes the smaller key, so every
  // input is made once, with its opening when it has one and its movements when it moved.
  while (!saldo.Fim() || !movimento.Fim()) {
    const bool temSaldo = !saldo.Fim() && (movimento.Fim() || saldo.Chave() <= movimento.Chave());
    const std::tuple<int, int> chave = temSaldo ? saldo.Chave() : movimento.Chave();
    const int codigoEstoque = std::get<0>(chave);
    if (lista->empty() || lista->back().CodigoEstoque != codigoEstoque) {
      TnMovimentacaoEstoque estoque;
      estoque.CodigoEstoque = codigoEstoque;
      estoque.DescrEstoque = (temSaldo ? saldo.Campos.DESCRESTOQUE : movimento.Campos.DESCRESTOQUE)->AsString();
      lista->push_back(std::move(estoque));
    }
    TnMovimentacaoInsumo& insumo = lista->back().Insumos.emplace_back(
        temSaldo ? NovoInsumo(saldo.Campos) : NovoInsumo(movimento.Campos));
    if (temSaldo) {
      insumo.QtdSaldoAnterior = saldo.Campos.QTDSALDOANTERIOR->AsFloat();
      insumo.ValorSaldoAnterior = saldo.Campos.VALORSALDOANTERIOR->AsFloat();
      saldos->Next();
    }
    for (; !movimento.Fim() && movimento.Chave() == chave; movimentos->Next())
      insumo.Movimentos.push_back(NovoMovimento(movimento.Campos));
  }
  return lista;
}
