// Stock movement over a period: stock by stock and input by input, the opening
// balance, every movement with its quantities and values in and out and its net,
// the closing balance; a total per stock, a grand total and a signature block.
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/sql.h"
#include "host/domain/movimentacao_estoque.h"
#include "host/report/assinatura.h"

namespace {

constexpr int kSecaoSeparador = 10;
constexpr int kSecaoMovimento = 11;
constexpr int kSecaoInsumo = 12;
constexpr int kSecaoSaldo = 13;
constexpr int kSecaoAssinatura = 14;
constexpr int kSecaoTotal = 15;

constexpr int kCasasValor = 2;
constexpr int kCasasQuantidade = 4;

constexpr const char* kMascaraValor = "##,###,##0.00";
constexpr const char* kMascaraQuantidade = "##,###,##0.0000";
constexpr const char* kMascaraData = "dd/mm/yyyy";
constexpr const char* kMascaraEstoque = "0000";
constexpr const char* kMascaraReferencia = "000";

}  // namespace

class TRptStockMovement : public TnrwBaseDll {
 public:
  explicit TRptStockMovement(TnrwReport* report) : TnrwBaseDll(report) {}
  static std::string Versao() { return "[versao: 1.1.96.0]"; }

  std::vector<int> CriarListaSectionsParaZebrar() override {
    return {kSecaoSeparador, kSecaoMovimento, kSecaoInsumo, kSecaoSaldo};
  }

  void ImprimirInterno() override {
    CarregarParametros();
    CarregarMovimentacao();
    CarregarDadosEscritorio();
    ImprimirDados();
  }

 private:
  void CarregarParametros() {
    FParCodigoEscrit = StrToIntDef(RepParam("pCodigoEscrit"), 0);
    FParDataInicial = ParametroData("pDataInicial");
    FParDataFinal = ParametroData("pDataFinal");
    FParCodigoEstoqueInc = ParametroSelecao("pCodigoEstoque");
    FParCodigoInsumoInc = ParametroSelecao("pCodigoInsumo");
    FParClassigfInsumo = ParametroSelecao("pClassifInsumoCL");
    FParTipoMvtoEstoque = ParametroSelecao("pTipoMvtoEstoqueCL");
  }

  // A blank or a text that is not a date is the user's typing: point at the field.
  TDateTime ParametroData(const std::string& nome) {
    try {
      return StrToDate(Trim(RepParam(nome)));
    } catch (const std::invalid_argument& e) {
      throw EnParam(Params()->Param(nome), e.what());
    }
  }

  // A selection goes to the query object as text: one the notation refuses points at
  // its field before anything runs.
  std::string ParametroSelecao(const std::string& nome) {
    const std::string selecao = Trim(RepParam(nome));
    Params()->Param(nome)->Validar(selecao);
    return selecao;
  }

  void CarregarMovimentacao() {
    TnMovimentacaoEstoqueConsulta consulta;
    consulta.CodigoEscrit = FParCodigoEscrit;
    consulta.DataInicial = FParDataInicial;
    consulta.DataFinal = FParDataFinal;
    consulta.CodigoEstoque = FParCodigoEstoqueInc;
    consulta.CodigoInsumo = FParCodigoInsumoInc;
    consulta.ClassifInsumo = FParClassigfInsumo;
    consulta.TipoMvtoEstoque = FParTipoMvtoEstoque;
    FMovimentacaoEstoqueArray = consulta.Gerar();
  }

  void CarregarDadosEscritorio() {
    const nDMSQLDataSet::TnNomeInscricao empresa = nDMSQLDataSet::PegarNomeInscricao(FParCodigoEscrit);
    Params()->SetValues("pNomeEscrit", empresa.Nome);
    Params()->SetValues("pInscrFederal", empresa.InscFederal);
  }

  void ImprimirDados() {
    FValorTotalEstoque = 0;
    FValorTotalGeral = 0;
    const TnMovimentacaoEstoqueLista& estoques = *FMovimentacaoEstoqueArray;
    for (size_t e = 0; e < estoques.size(); ++e) {
      const TnMovimentacaoEstoque& estoque = estoques[e];
      Params()->SetValues("pDescrEstoque",
                          FormatFloat(kMascaraEstoque, estoque.CodigoEstoque) + " - " + estoque.DescrEstoque);
      for (size_t i = 0; i < estoque.Insumos.size(); ++i) {
        FMovimentacaoInsumo = &estoque.Insumos[i];
        ImprimirInsumo();
        ImprimirSaldoAnterior();
        ImprimirMovimentos();
        ImprimirSaldoFinal();
        if (i + 1 < estoque.Insumos.size()) Report->RepPrintSection(kSecaoSeparador);
      }
      ImprimirTotalEstoque();
      if (e + 1 < estoques.size()) Report->SetCSLIsPageEnd(true);
    }
    ImprimirTotalGeral();
    ImprimirAssinatura();
  }

  void ImprimirInsumo() {
    const TnMovimentacaoInsumo& i = *FMovimentacaoInsumo;
    Params()->SetValues("pDescrInsumo",
                        std::to_string(i.CodigoInsumo) + " - " + i.DescrInsumo + " - " + i.DescrComplementar);
    Report->RepPrintSection(kSecaoInsumo);
  }

  void ImprimirSaldoAnterior() {
    ImprimirSaldo("Saldo Anterior", FMovimentacaoInsumo->QtdSaldoAnterior, FMovimentacaoInsumo->ValorSaldoAnterior);
  }

  void ImprimirMovimentos() {
    const TnMovimentacaoInsumo& insumo = *FMovimentacaoInsumo;
    FValorSaldoFinalInsumo = insumo.ValorSaldoAnterior;
    FQtdSaldoFinalInsumo = insumo.QtdSaldoAnterior;
    SomarAosTotais(insumo.ValorSaldoAnterior);
    for (const TnMovimento& m : insumo.Movimentos) {
      const double valorEntrada = RoundValor(m.QtdEntrada * m.ValorUnitario, kCasasValor);
      const double valorSaida = RoundValor(m.QtdSaida * m.ValorUnitario, kCasasValor);
      const double valorLiquido = RoundValor(valorEntrada - valorSaida, kCasasValor);
      FValorSaldoFinalInsumo = RoundValor(FValorSaldoFinalInsumo + valorLiquido, kCasasValor);
      SomarAosTotais(valorLiquido);
      const double qtdLiquida = RoundValor(m.QtdEntrada - m.QtdSaida, kCasasQuantidade);
      FQtdSaldoFinalInsumo = RoundValor(FQtdSaldoFinalInsumo + qtdLiquida, kCasasQuantidade);

      TnpqPowerParam* p = Params();
      p->SetValues("R1", FormatDateTime(kMascaraData, m.DataMovimento));
      p->SetValues("R2", (m.Referencia != 0 ? FormatFloat(kMascaraReferencia, m.Referencia) : "") + " " + m.Documento);
      p->SetValues("R3", DescricaoTipoMvtoEstoque(m.TipoMvtoEstoque));
      p->SetValues("R4", FormatFloat(kMascaraValor, m.ValorUnitario));
      p->SetValues("R5", m.QtdEntrada > 0 ? FormatFloat(kMascaraQuantidade, m.QtdEntrada) : "");
      p->SetValues("R6", m.QtdEntrada > 0 ? FormatFloat(kMascaraValor, valorEntrada) : "");
      p->SetValues("R7", m.QtdSaida > 0 ? FormatFloat(kMascaraQuantidade, m.QtdSaida) : "");
      p->SetValues("R9", m.QtdSaida > 0 ? FormatFloat(kMascaraValor, valorSaida) : "");
      p->SetValues("R8", QuantidadeComSinal(qtdLiquida));
      p->SetValues("R10", AbreValor(valorLiquido));
      p->SetValues("pFechaParentese", FechaValor(valorLiquido));
      Report->RepPrintSection(kSecaoMovimento);
    }
  }

  void ImprimirSaldoFinal() {
    ImprimirSaldo("Saldo Final", FQtdSaldoFinalInsumo, FValorSaldoFinalInsumo);
    FQtdSaldoFinalInsumo = 0;
    FValorSaldoFinalInsumo = 0;
  }

  // A balance line: the quantity carries its own parentheses, the value's ")" is
  // pFechaParentese.
  void ImprimirSaldo(const std::string& descricao, double quantidade, double valor) {
    TnpqPowerParam* p = Params();
    p->SetValues("pFechaParentese", FechaValor(valor));
    p->SetValues("pDescrSaldoIniFim", descricao);
    p->SetValues("pValorSaldoIniFim", AbreValor(valor));
    p->SetValues("pQtdeSaldoIniFim", QuantidadeComSinal(quantidade));
    Report->RepPrintSection(kSecaoSaldo);
  }

  // Each addition is rounded to the cent, so openings that cancel out total exactly 0.
  void SomarAosTotais(double valor) {
    FValorTotalEstoque = RoundValor(FValorTotalEstoque + valor, kCasasValor);
    FValorTotalGeral = RoundValor(FValorTotalGeral + valor, kCasasValor);
  }

  void ImprimirTotalEstoque() {
    ImprimirTotal("Total Estoque", FValorTotalEstoque);
    FValorTotalEstoque = 0;
  }

  void ImprimirTotalGeral() { ImprimirTotal("Total Geral", FValorTotalGeral); }

  void ImprimirTotal(const std::string& descricao, double total) {
    if (total == 0) return;
    TnpqPowerParam* p = Params();
    p->SetValues("pFechaParentese", FechaValor(total));
    Report->RepPrintSection(kSecaoSeparador);
    p->SetValues("pDescrSaldoIniFim", descricao);
    p->SetValues("pValorSaldoIniFim", AbreValor(total));
    Report->RepPrintSection(kSecaoTotal);
  }

  void ImprimirAssinatura() {
    if (FMovimentacaoEstoqueArray->empty()) return;
    ::ImprimirAssinatura(*this, StrToIntDef(RepParam("pCodigoPessoaFin"), 0), kSecaoAssinatura);
  }

  // A value opens its "(" itself and leaves the ")" to pFechaParentese; a quantity
  // carries both, so each closes only what it opened.
  static std::string AbreValor(double v) { return FormatarAbreParentese(kMascaraValor, v); }
  static std::string FechaValor(double v) { return FechaParentese(v); }
  static std::string QuantidadeComSinal(double q) { return FormatarComSinal(kMascaraQuantidade, q); }

  int FParCodigoEscrit = 0;
  double FValorTotalEstoque = 0;
  double FValorTotalGeral = 0;
  double FQtdSaldoFinalInsumo = 0;
  double FValorSaldoFinalInsumo = 0;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  std::string FParClassigfInsumo;
  std::string FParTipoMvtoEstoque;
  std::string FParCodigoEstoqueInc;
  std::string FParCodigoInsumoInc;
  const TnMovimentacaoInsumo* FMovimentacaoInsumo = nullptr;  // the input being printed, inside the result
  std::unique_ptr<TnMovimentacaoEstoqueLista> FMovimentacaoEstoqueArray;
};

RPT_REGISTRAR_RELATORIO(TRptStockMovement)
