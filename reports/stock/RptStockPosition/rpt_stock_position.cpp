// Stock position of one company at a reference date: the balance of every stock,
// input by input (quantity, value and average unit cost), computed from all stock
// movements up to and including that date, with a total per stock and a grand total.
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/report/assinatura.h"

namespace {

// Sections of the layout.
constexpr int kSecaoAntesTotalGeral = 10;  // rule before the grand total
constexpr int kSecaoInsumo = 11;           // one input balance line
constexpr int kSecaoTotal = 12;            // stock total and grand total
constexpr int kSecaoAssinatura = 13;       // who signs the report

constexpr int kOrdenarPorCodigo = 1;       // pOrdenar: inputs by code; any other value by description
constexpr int kCasasValor = 2;             // money sums and averages
constexpr int kCasasQuantidade = 4;        // quantities

const char* const kMascaraValor = "#,##0.00";
const char* const kMascaraQuantidade = "#,##0.0000";
const char* const kMascaraEstoque = "0000";

}  // namespace

class TnMapperDados : public TnMapperBase {
 public:
  NCAMPO(CodigoEstoque);
  NCAMPO(DescrEstoque);
  NCAMPO(CodigoInsumo);
  NCAMPO(DescrInsumo);
  NCAMPO(Abreviatura);
  NCAMPO(CodigoUnidadeMedida);
  NCAMPO(SaldoValor);
  NCAMPO(SaldoQtd);
  NCAMPO(CodigoPessoaFin);
  NCAMPO(NomeEscrit);
  NCAMPO(InscrFederalEscrit);
};

class TRptStockPosition : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.1.96.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoInsumo}; }

  void ImprimirInterno() override {
    CarregarParametros();
    // The balance rows go on every path, also when the mapper or the printing fails.
    TnDestruirSQLAoSair liberar{&FCdsDados};
    CarregarDados();
    if (FCdsDados->IsEmpty()) return;
    CarregarDadosEscritorio();
    ImprimirDados();
    ImprimirAssinatura();
  }

 private:
  void EscreverValor(const std::string& nome, const std::string& texto) { Params()->SetValues(nome, texto); }

  void CarregarParametros() {
    FParCodigoEscrit = StrToIntDef(Trim(RepParam("pCodigoEscrit")), 0);
    FParData = LerData("pData");
    FParOrdenar = StrToIntDef(Trim(RepParam("pOrdenar")), 0);
    FCodigoPessoaAssinatura = StrToIntDef(Trim(RepParam("pCodigoPessoaFin")), 0);
  }

  // The date conversion's own error, bound to the parameter so the user is pointed at it.
  TDateTime LerData(const std::string& nome) {
    try {
      return StrToDate(Trim(RepParam(nome)));
    } catch (const std::invalid_argument& e) {
      throw EnParam(Params()->Param(nome), e.what());
    }
  }

  // ---- Query ---------------------------------------------------------------

  // A selection the notation refuses is refused on its own parameter, before any query.
  std::string Condicao(const std::string& coluna, const std::string& parametro) const {
    return FiltroParametro(Params()->Param(parametro), {coluna});
  }

  // Inputs without a unit of measure keep their movements: the unit is joined on the left.
  static std::string BlocoSaldos() {
    return "select P.CodigoPessoaFin, P.NOME NomeEscrit, P.INSCFEDERAL InscrFederalEscrit, EM.CodigoEstoque, "
           "ES.DescrEstoque, EM.CodigoInsumo, IM.DescrInsumo, UM.CodigoUnidadeMedida, UM.Abreviatura, "
           "sum((case when EM.TipoMvtoEstoque <= 0 then EM.QUANTIDADEMVTO else (EM.QUANTIDADEMVTO * -1) end * "
           "VALORCUSTOOPERACIONALUNIT)) SaldoValor, "
           "sum(case when EM.TipoMvtoEstoque <= 0 then EM.QUANTIDADEMVTO else (EM.QUANTIDADEMVTO * -1) end) SaldoQtd "
           "from EstoqueMovimento EM "
           "join Estoque ES on ES.CodigoEscrit = EM.CodigoEscrit and ES.CodigoEstoque = EM.CodigoEstoque "
           "join Insumo IM on IM.CodigoInsumo = EM.CodigoInsumo "
           "left join UnidadeMedida UM on UM.CodigoUnidadeMedida = IM.CodigoUnidadeMedida "
           "join PessoaFinanceiro P on P.CodigoPessoaFin = EM.CodigoEscrit "
           "where EM.CodigoEscrit = :pCodigoEscrit and EM.DataMvtoEstoque <= :pData ";
  }

  std::string BlocoFiltros() const {
    return Condicao("ES.CODIGOESTOQUE", "pCodigoEstoque") + Condicao("IM.CODIGOINSUMO", "pCodigoInsumo") +
           Condicao("IM.CLASSIFINSUMO", "pClassifInsumoCL") + Condicao("EM.TIPOMVTOESTOQUE", "pTipoMvtoEstoqueCL");
  }

  static std::string BlocoAgrupamento() {
    return std::string("group by P.CodigoPessoaFin, ") + "P.NOME, " + "P.INSCFEDERAL, " + "EM.CodigoEstoque, " +
           "ES.DescrEstoque, " + "EM.CodigoInsumo, " + "IM.DescrInsumo, " + "UM.CodigoUnidadeMedida, " +
           "UM.Abreviatura ";
  }

  std::string BlocoOrdenacao() const {
    return std::string("order by EM.CodigoEstoque, ") +
           (FParOrdenar == kOrdenarPorCodigo ? "EM.CodigoInsumo" : "IM.DescrInsumo");
  }

  std::string MontarSQL() const { return BlocoSaldos() + BlocoFiltros() + BlocoAgrupamento() + BlocoOrdenacao(); }

  void CarregarDados() {
    FCdsDados = ExecutarSQL(MontarSQL(), {TValor(FParCodigoEscrit), TValor::DataHora(DateOf(FParData))}, true,
                            false, -1, "", nullptr, true);
    FMapperDados = Mapper<TnMapperDados>(FCdsDados.get());
  }

  // ---- Printing ------------------------------------------------------------

  void CarregarDadosEscritorio() {
    FCdsDados->First();
    EscreverValor("pNomeEscrit", FMapperDados->NomeEscrit->AsString());
    EscreverValor("pInscFederal", FMapperDados->InscrFederalEscrit->AsString());
  }

  // Every stock after the first starts on a new page; a stock coded 0 is a stock like any other.
  void ImprimirDados() {
    FTotalCustoEstoque = 0;
    FTotalCustoGeral = 0;
    bool haEstoqueAnterior = false;
    int estoqueAnterior = 0;
    for (FCdsDados->First(); !FCdsDados->Eof(); FCdsDados->Next()) {
      const int estoque = FMapperDados->CodigoEstoque->AsInteger();
      if (!haEstoqueAnterior || estoque != estoqueAnterior) {
        ImprimirTotalEstoque();
        if (haEstoqueAnterior) Report->SetCSLIsPageEnd(true);
        EscreverValor("pDescrEstoque",
                      FormatFloat(kMascaraEstoque, estoque) + " - " + FMapperDados->DescrEstoque->AsString());
        estoqueAnterior = estoque;
        haEstoqueAnterior = true;
      }
      ImprimirInsumo();
    }
    ImprimirTotalEstoque();
    ImprimirTotalGeral();
  }

  // Balances print without sign and add up as absolute values.
  void ImprimirInsumo() {
    const double valor = std::fabs(FMapperDados->SaldoValor->AsFloat());
    const double quantidade = std::fabs(FMapperDados->SaldoQtd->AsFloat());
    EscreverValor("R1", FMapperDados->CodigoInsumo->AsString() + " - " + FMapperDados->DescrInsumo->AsString());
    EscreverValor("R2", FMapperDados->CodigoUnidadeMedida->IsNull()
                            ? ""
                            : FMapperDados->CodigoUnidadeMedida->AsString() + " - " +
                                  FMapperDados->Abreviatura->AsString());
    EscreverValor("R3", FormatFloat(kMascaraValor, CustoMedio(valor, quantidade)));
    EscreverValor("R5", FormatFloat(kMascaraQuantidade, quantidade));
    EscreverValor("R6", FormatFloat(kMascaraValor, valor));
    FTotalCustoEstoque = RoundValor(FTotalCustoEstoque + valor, kCasasValor);
    FTotalCustoGeral = RoundValor(FTotalCustoGeral + valor, kCasasValor);
    Report->RepPrintSection(kSecaoInsumo);
  }

  // An input fully issued has no quantity left to spread its residual value over.
  static double CustoMedio(double valor, double quantidade) {
    if (RoundValor(quantidade, kCasasQuantidade) == 0) return 0;
    return RoundValor(valor / quantidade, kCasasValor);
  }

  void ImprimirTotalEstoque() {
    if (FTotalCustoEstoque == 0) return;
    EscreverValor("R1", FormatFloat(kMascaraValor, FTotalCustoEstoque));
    EscreverValor("R2", "Estoque: " + Params()->GetValues("pDescrEstoque"));
    Report->RepPrintSection(kSecaoTotal);
    FTotalCustoEstoque = 0;
  }

  void ImprimirTotalGeral() {
    if (FTotalCustoGeral == 0) return;
    Report->RepPrintSection(kSecaoAntesTotalGeral);
    EscreverValor("R1", FormatFloat(kMascaraValor, FTotalCustoGeral));
    EscreverValor("R2", "Geral ");
    Report->RepPrintSection(kSecaoTotal);
  }

  void ImprimirAssinatura() {
    if (FTotalCustoGeral == 0) return;
    ::ImprimirAssinatura(*this, FCodigoPessoaAssinatura, kSecaoAssinatura);
  }

  TnDataSetSQL FCdsDados;
  TnMapperDados* FMapperDados = nullptr;
  int32_t FCodigoPessoaAssinatura = 0;
  int32_t FParCodigoEscrit = 0;
  int32_t FParOrdenar = 0;
  double FTotalCustoGeral = 0;
  double FTotalCustoEstoque = 0;
  TDateTime FParData = 0;
};

RPT_REGISTRAR_RELATORIO(TRptStockPosition)
