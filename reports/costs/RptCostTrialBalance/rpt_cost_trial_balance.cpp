// Cost trial balance: for each company and development, every item of the cost
// structure with its balance before the period, its movement in the period and its
// balance at the end; summary items in bold, each development on its own page, and an
// optional signature block.
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/balancete_custos.h"
#include "host/domain/tipo_mvto_estoque.h"
#include "host/report/assinatura.h"
#include "host/report/destaque_linha.h"

namespace {

constexpr int kSecaoLinha = 8;                   // one balance line (striped)
constexpr int kSecaoAssinatura = 10;             // the person who signs
constexpr const char* kSintetica = "S";          // TIPOESTRUTURA of a summary item
constexpr const char* kMascaraCodigoEmpresa = "0000";

}  // namespace

struct TMapEmpresas : TnMapperBase {
  NCAMPO(CODIGOPESSOAFIN);
  NCAMPO(Nome);
  NCAMPO(InscFederal);
};

class TRptCostTrialBalance : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TRptCostTrialBalance() override { FCdsBalancete = nullptr; }  // the entity's dataset: never freed here
  static std::string Versao() { return "[versao: 1.1.96.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {8, 9}; }

  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    ConfigurarParamTipoMvtoCL(Params(), FExecutarParamChange);
  }

  void DoParamChange(TObject* sender, TnpqParamItem* item) override {
    TnrwBaseDll::DoParamChange(sender, item);
    AlterarParamTipoMvtoCL(Params(), item, FExecutarParamChange);
  }

  void ImprimirInterno() override {
    TnFimImpressao fim(*this);  // every exit: OnBeforeSection none, entity and company rows freed
    CarregarParametros();
    ValidarPeriodo();
    ValidarSelecoes();
    CarregarEmpresa();
    CarregarBalanceteCustos();
    if (FCdsBalancete->IsEmpty()) return;
    ImprimirBalancete();
    ImprimirAssinatura();
  }

 private:
  struct TnFimImpressao {
    explicit TnFimImpressao(TRptCostTrialBalance& r) : R(r) {}
    ~TnFimImpressao() {
      R.Report->OnBeforeSection = {};
      R.FCdsBalancete = nullptr;
      R.FBalanceteCustos.reset();
      DestruirSQL(R.FCdsEmpresa);
    }
    TRptCostTrialBalance& R;
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

  // The entity takes the lists as texts: a refused one is pointed at before it loads.
  void ValidarSelecoes() {
    for (const char* nome : {"pCodigoEmpreend", "pClassifInsumoCL", "pTipoMvtoEstoqueCL"})
      FiltroParametro(Params()->Param(nome), {"CODIGO"});
  }

  std::string MontarSQLEmpresa() const {
    std::string sql =
        "select PE.CODIGOPESSOAFIN, PE.NOME, PE.INSCFEDERAL from PessoaFinanceiro PE join ESCRITORIO  EM on "
        "EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN ";
    if (FCodigoEscrit != 0) sql += " where PE.CODIGOPESSOAFIN = " + ValorParaSQL(TValor(FCodigoEscrit), ftInteger);
    return sql + " order by PE.CODIGOPESSOAFIN";
  }

  void CarregarEmpresa() {
    FCdsEmpresa = nDMConexao::ExecuteQueryView(MontarSQLEmpresa());
  }

  void CarregarBalanceteCustos() {
    FBalanceteCustos = std::make_unique<TnBalanceteCustos>();
    FBalanceteCustos->CodigoEscrit = FCodigoEscrit;
    FBalanceteCustos->DataInicial = FDataInicial;
    FBalanceteCustos->DataFinal = FDataFinal;
    FBalanceteCustos->CodigoEmpreend = FCodigoEmpreend;
    FBalanceteCustos->ClassifInsumo = Trim(RepParam("pClassifInsumoCL"));
    FBalanceteCustos->TipoMvtoEstoque = Trim(RepParam("pTipoMvtoEstoqueCL"));
    FBalanceteCustos->CarregarBalancete();
    FCdsBalancete = FBalanceteCustos->CdsBalancete();
  }

  void ImprimirBalancete() {
    const int total = FCdsBalancete->RecordCount();
    TMapBalancete& linha = Linha();
    FCdsBalancete->First();
    FOldCodigoEscrit = linha.CODIGOESCRIT->AsInteger();
    FOldCodigoEmpreend = linha.CODIGOEMPREEND->AsInteger();
    int impressas = 0;
    while (!FCdsBalancete->Eof()) {
      PreencherLinha();
      VerificarQuebraEmpreendimento();
      DestacarLinhaSintetica();
      RepPrintSection(kSecaoLinha);
      FCdsBalancete->Next();
      Report->CSLShowProgress(++impressas, total);
    }
  }

  TMapBalancete& Linha() { return *Mapper<TMapBalancete>(FCdsBalancete); }

  void PreencherLinha() {
    TMapBalancete& linha = Linha();
    TnpqPowerParam* p = Params();
    p->SetValues("R1", linha.CODIGOESTRUTURA->AsString());
    p->SetValues("R2", linha.TIPOESTRUTURA->AsString());
    p->SetValues("R3", linha.CLASSIFICACAO->AsString());
    p->SetValues("R4", FormatarSaldo(linha.SALDOANTERIOR->AsFloat()));
    p->SetValues("R5", FormatarSaldo(linha.MOVIMENTO->AsFloat()));
    p->SetValues("R6", FormatarSaldo(linha.SALDO->AsFloat()));
    p->SetValues("T1", UpperCase(linha.NOMEEMPRE->AsString()));
    if (FCodigoEscrit > 0) PreencherEmpresa();
  }

  // A company without its record leaves the header blank.
  void PreencherEmpresa() {
    TnpqPowerParam* p = Params();
    if (FCdsEmpresa->IsEmpty()) {
      p->SetValues("pNomeEmpresa", "");
      p->SetValues("pInscrFederal", "");
      return;
    }
    TMapEmpresas& empresa = *Mapper<TMapEmpresas>(FCdsEmpresa.get());
    p->SetValues("pNomeEmpresa", FormatFloat(kMascaraCodigoEmpresa, empresa.CODIGOPESSOAFIN->AsInteger()) + " " +
                                     empresa.Nome->AsString());
    p->SetValues("pInscrFederal", "CNPJ: " + empresa.InscFederal->AsString());
  }

  void VerificarQuebraEmpreendimento() {
    TMapBalancete& linha = Linha();
    const int escrit = linha.CODIGOESCRIT->AsInteger();
    const int empreend = linha.CODIGOEMPREEND->AsInteger();
    if (escrit == FOldCodigoEscrit && empreend == FOldCodigoEmpreend) return;
    RepEndOfPage(true);
    FOldCodigoEscrit = escrit;
    FOldCodigoEmpreend = empreend;
  }

  void DestacarLinhaSintetica() {
    DestacarRotulosSecao(*Report, kSecaoLinha, Linha().TIPOESTRUTURA->AsString() == kSintetica);
  }

  void ImprimirAssinatura() {
    ::ImprimirAssinatura(*this, StrToIntDef(RepParam("pCodigoPessoaFin"), 0), kSecaoAssinatura);
  }

  std::unique_ptr<TnBalanceteCustos> FBalanceteCustos;
  TnDataSetSQL FCdsEmpresa;
  TnClientDataSet* FCdsBalancete = nullptr;
  int FCodigoEscrit = 0;
  int FOldCodigoEscrit = 0;
  int FOldCodigoEmpreend = 0;
  std::string FCodigoEmpreend;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  bool FExecutarParamChange = false;
};

RPT_REGISTRAR_RELATORIO(TRptCostTrialBalance)
