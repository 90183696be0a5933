// Monthly cost tracking: for each company and development, every item of the cost
// structure with its balance before the period, its movement in each month, its balance
// at the end and its share of the development's total. Past twelve months an item's line
// continues on further lines, twelve months each; summary items in bold, each development
// on its own page, and an optional signature block.
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/client_dataset.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/acompanhamento_mensal.h"
#include "host/domain/balancete_custos.h"
#include "host/domain/tipo_mvto_estoque.h"
#include "host/report/acompanhamento_mensal.h"
#include "host/report/assinatura.h"
#include "host/report/colunas_meses.h"
#include "host/report/destaque_linha.h"

namespace {

constexpr int kSecaoCabecalhoPagina = 1;    // printed by the engine; the captions follow it
constexpr int kSecaoLinha = 11;             // one line of an item (striped)
constexpr int kSecaoAssinatura = 12;        // the person who signs
constexpr const char* kSintetica = "S";     // TIPOESTRUTURA of a summary item
constexpr const char* kMascaraData = "dd/mm/yyyy";
constexpr const char* kMascaraColunaMes = kMascaraData;  // the month columns of the monthly dataset
constexpr int kTamanhoNomeEmpre = 100;
constexpr int kTamanhoTipoEstrutura = 1;
constexpr int kTamanhoClassificacao = 200;

}  // namespace

class TRptMonthlyCosts : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.1.96.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {11, 10}; }

  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    ConfigurarParamTipoMvtoCL(Params(), FExecutarParamChange);
  }

  void DoParamChange(TObject* sender, TnpqParamItem* item) override {
    TnrwBaseDll::DoParamChange(sender, item);
    AlterarParamTipoMvtoCL(Params(), item, FExecutarParamChange);
  }

  void ImprimirInterno() override {
    TnFimImpressao fim(*this);  // every exit: OnBeforeSection none, monthly rows freed
    CarregarParametros();
    ValidarPeriodo();
    ValidarSelecoes();
    FIntervalo = MonthsBetween(FDataInicial, FDataFinal);
    FIntervaloDatas = TnColunasMeses::DatasMensais(StartOfTheMonth(FDataInicial), FIntervalo);
    PosicionarColunas();
    PreencherPeriodo();
    PreencherEmpresa();
    Report->OnAfterSection = TnEventoSecao(this, &TRptMonthlyCosts::DoAfterSection);
    CriarAcompanhamentoMensal();
    PreencherAcompanhamentoMensal();
    FCdsAcompMensal->SetIndexFieldNames("CODIGOESCRIT;CODIGOEMPREEND;CLASSIFICACAO");
    FTotalRegistro = FCdsAcompMensal->RecordCount();
    if (FCdsAcompMensal->IsEmpty()) return;
    ImprimirAcompanhamento();
    ImprimirAssinatura();
  }

 private:
  struct TnFimImpressao {
    explicit TnFimImpressao(TRptMonthlyCosts& r) : R(r) {}
    ~TnFimImpressao() {
      R.Report->OnBeforeSection = {};
      R.FCdsAcompMensal.reset();
    }
    TRptMonthlyCosts& R;
  };

  void CarregarParametros() {
    FCodigoEscrit = StrToIntDef(RepParam("pCodigoEscrit"), 0);
    FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
    FDataInicial = StrToDate(Trim(RepParam("pDataInicial")));
    FDataFinal = StrToDate(Trim(RepParam("pDataFinal")));
  }

  void ValidarPeriodo() {
    if (!(FDataFinal >= FDataInicial)) throw Exception("A data inicial não pode ser maior que a data final.");
  }

  // The entity takes the lists as texts: a refused one is pointed at before the first load.
  void ValidarSelecoes() {
    for (const char* nome : {"pCodigoEmpreend", "pClassifInsumoCL", "pTipoMvtoEstoqueCL"})
      FiltroParametro(Params()->Param(nome), {"CODIGO"});
  }

  void PosicionarColunas() { PosicionarColunasAcompanhamento(*Report, FIntervalo); }

  void PreencherEmpresa() { PreencherEmpresaAcompanhamento(*Params(), FCodigoEscrit); }

  // Whole months: the first day of the initial month to the last of the final one.
  void PreencherPeriodo() {
    Params()->SetValues("pPeriodo", FormatDateTime(kMascaraData, StartOfTheMonth(FDataInicial)) + " a " +
                                        FormatDateTime(kMascaraData, EndOfTheMonth(FDataFinal)));
  }

  void DoAfterSection(TObject*, int secao) {
    if (secao == kSecaoCabecalhoPagina) ImprimirCabecalhoColunas();
  }

  void CriarAcompanhamentoMensal() {
    FCdsAcompMensal = std::make_unique<TnClientDataSet>();
    TnClientDataSet& ds = *FCdsAcompMensal;
    ds.AddFieldDef("CODIGOESCRIT", ftInteger);
    ds.AddFieldDef("CODIGOEMPREEND", ftInteger);
    ds.AddFieldDef("CODIGOESTRUTURA", ftInteger);
    ds.AddFieldDef("NOMEEMPRE", ftString, kTamanhoNomeEmpre);
    ds.AddFieldDef("TIPOESTRUTURA", ftString, kTamanhoTipoEstrutura);
    ds.AddFieldDef("CLASSIFICACAO", ftString, kTamanhoClassificacao);
    ds.AddFieldDef("SALDOANTERIOR", ftFloat);
    for (TDateTime mes : FIntervaloDatas) ds.AddFieldDef(FormatDateTime(kMascaraColunaMes, mes), ftFloat);
    ds.AddFieldDef("SALDO", ftFloat);
    ds.AddFieldDef("PERCENTUAL", ftFloat);
    ds.CreateDataSet();
    ds.SetLogChanges(false);
    FIdxAcompMensalCODIGOESCRIT = ds.FieldByName("CODIGOESCRIT")->Index();
    FIdxAcompMensalCODIGOEMPREEND = ds.FieldByName("CODIGOEMPREEND")->Index();
    FIdxAcompMensalCODIGOESTRUTURA = ds.FieldByName("CODIGOESTRUTURA")->Index();
    FIdxAcompMensalNOMEEMPRE = ds.FieldByName("NOMEEMPRE")->Index();
    FIdxAcompMensalTIPOESTRUTURA = ds.FieldByName("TIPOESTRUTURA")->Index();
    FIdxAcompMensalCLASSIFICACAO = ds.FieldByName("CLASSIFICACAO")->Index();
    FIdxAcompMensalSALDOANTERIOR = ds.FieldByName("SALDOANTERIOR")->Index();
    FIdxAcompMensalSALDO = ds.FieldByName("SALDO")->Index();
    FIdxAcompMensalPERCENTUAL = ds.FieldByName("PERCENTUAL")->Index();
  }

  // One load on the entity the merge made for it: this report's inputs for the dates given.
  TnClientDataSet& CarregarBalanceteCustos(TnBalanceteCustos& entidade, TDateTime primeiroDia, TDateTime ultimoInstante) {
    entidade.CodigoEscrit = FCodigoEscrit;
    entidade.DataInicial = primeiroDia;
    entidade.DataFinal = ultimoInstante;
    entidade.CodigoEmpreend = FCodigoEmpreend;
    entidade.ClassifInsumo = Trim(RepParam("pClassifInsumoCL"));
    entidade.TipoMvtoEstoque = Trim(RepParam("pTipoMvtoEstoqueCL"));
    entidade.CarregarBalancete();
    return *entidade.CdsBalancete();
  }

  void PreencherAcompanhamentoMensal() {
    TnFusaoMensal fusao(*FCdsAcompMensal,
                        {{"CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA"},
                         {"NOMEEMPRE", "TIPOESTRUTURA", "CLASSIFICACAO"},
                         "SALDO",
                         FCdsAcompMensal->Fields(FIdxAcompMensalSALDOANTERIOR + 1)->FieldName(),
                         FIntervalo});
    fusao.Preencher(FIntervaloDatas, [this](TnBalanceteCustos& entidade, TDateTime inicio, TDateTime fim) -> TnClientDataSet& {
      return CarregarBalanceteCustos(entidade, inicio, fim);
    });
  }

  // The walk: development breaks, bold summary items, one item per pass.
  void ImprimirAcompanhamento() {
    TnClientDataSet& ds = *FCdsAcompMensal;
    ds.First();
    FOldCodigoEscrit = ds.Fields(FIdxAcompMensalCODIGOESCRIT)->AsInteger();
    FOldCodigoEmpreend = ds.Fields(FIdxAcompMensalCODIGOEMPREEND)->AsInteger();
    FTotal = ds.Fields(FIdxAcompMensalSALDO)->AsFloat();
    FRegistro = 0;
    while (!ds.Eof()) {
      VerificarQuebraEmpreendimento();
      DestacarLinhaSintetica();
      ImprimirLinha();
      ds.Next();
      Report->CSLShowProgress(++FRegistro, FTotalRegistro);
    }
  }

  void VerificarQuebraEmpreendimento() {
    TnClientDataSet& ds = *FCdsAcompMensal;
    Params()->SetValues("T1", UpperCase(ds.Fields(FIdxAcompMensalNOMEEMPRE)->AsString()));
    const int escrit = ds.Fields(FIdxAcompMensalCODIGOESCRIT)->AsInteger();
    const int empreend = ds.Fields(FIdxAcompMensalCODIGOEMPREEND)->AsInteger();
    if (escrit == FOldCodigoEscrit && empreend == FOldCodigoEmpreend) return;
    RepEndOfPage(true);
    FOldCodigoEscrit = escrit;
    FOldCodigoEmpreend = empreend;
    FTotal = ds.Fields(FIdxAcompMensalSALDO)->AsFloat();
  }

  void DestacarLinhaSintetica() {
    DestacarRotulosSecao(*Report, kSecaoLinha,
                         FCdsAcompMensal->Fields(FIdxAcompMensalTIPOESTRUTURA)->AsString() == kSintetica);
  }

  void ImprimirLinha() {
    TnClientDataSet& ds = *FCdsAcompMensal;
    TnLinhaAcompanhamento linha;
    linha.Codigo = ds.Fields(FIdxAcompMensalCODIGOESTRUTURA)->AsString();
    linha.Tipo = ds.Fields(FIdxAcompMensalTIPOESTRUTURA)->AsString();
    linha.Classificacao = ds.Fields(FIdxAcompMensalCLASSIFICACAO)->AsString();
    linha.SaldoAnterior = FormatarSaldo(ds.Fields(FIdxAcompMensalSALDOANTERIOR)->AsFloat());
    for (int mes = 1; mes <= FIntervalo; ++mes) linha.Meses.push_back(FormatarSaldo(MesDaLinha(mes)));
    const double saldo = ds.Fields(FIdxAcompMensalSALDO)->AsFloat();
    linha.Coluna13 = FormatarSaldo(saldo);
    linha.Coluna14 = FormatarSaldo(FTotal != 0 ? saldo / FTotal * 100 : 0, true);
    ImprimirLinhaAcompanhamento(*Report, linha);
  }

  // Month columns follow SALDOANTERIOR.
  double MesDaLinha(int mes) const { return FCdsAcompMensal->Fields(FIdxAcompMensalSALDOANTERIOR + mes)->AsFloat(); }

  void ImprimirCabecalhoColunas() { ImprimirTitulosAcompanhamento(*Report, FIntervaloDatas, "Saldo", "Perc."); }

  void ImprimirAssinatura() {
    ::ImprimirAssinatura(*this, StrToIntDef(RepParam("pCodigoPessoaFin"), 0), kSecaoAssinatura);
  }

  std::unique_ptr<TnClientDataSet> FCdsAcompMensal;
  std::vector<TDateTime> FIntervaloDatas;  // first day of month i at [i - 1]
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  int FRegistro = 0;
  int FTotalRegistro = 0;
  int FIntervalo = 0;
  int FCodigoEscrit = 0;
  int FOldCodigoEscrit = 0;
  int FOldCodigoEmpreend = 0;
  int FIdxAcompMensalCODIGOESCRIT = 0;
  int FIdxAcompMensalCODIGOEMPREEND = 0;
  int FIdxAcompMensalCODIGOESTRUTURA = 0;
  int FIdxAcompMensalNOMEEMPRE = 0;
  int FIdxAcompMensalTIPOESTRUTURA = 0;
  int FIdxAcompMensalCLASSIFICACAO = 0;
  int FIdxAcompMensalSALDOANTERIOR = 0;
  int FIdxAcompMensalSALDO = 0;
  int FIdxAcompMensalPERCENTUAL = 0;
  std::string FCodigoEmpreend;
  double FTotal = 0;
  bool FExecutarParamChange = false;
};

RPT_REGISTRAR_RELATORIO(TRptMonthlyCosts)
