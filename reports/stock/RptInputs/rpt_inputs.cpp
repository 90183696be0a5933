// Register of inputs: every input group in classification order as a bold line and,
// under each analytic group, its inputs with code, description, unit, input type and
// input classification. Inputs can be narrowed by an input range and a group range
// (a group takes in the groups whose classification starts with its own); groups
// without inputs can be shown or hidden; a blank line can separate the groups.
#include <cstdint>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/descricoes_insumo.h"
#include "host/report/destaque_linha.h"
#include "host/report/elementos.h"

namespace {

constexpr int kSecaoSeparador = 8;  // blank line before a group
constexpr int kSecaoLinha = 11;     // a group line or an input line

constexpr int kGrupoSintetico = 1;  // TIPOGRUPO of a summary group
constexpr int kGrupoAnalitico = 2;  // TIPOGRUPO of a group that holds inputs
constexpr const char* kMarcaSintetico = "S";

constexpr int kOrdenarCodigo = 1;
constexpr int kOrdenarDescricao = 2;
constexpr int kOrdenarTipo = 3;

constexpr int kDigitosCodigoInsumo = 4;              // input codes are padded with "0" to this width
constexpr const char* kEntreCodigoEDescricao = "       ";  // seven blanks
constexpr const char* kMascaraCodigoEmpresa = "0000";

const char* const kMensagemOrdenar = "Informe a ordenação: 1 (código), 2 (descrição) ou 3 (tipo).";

}  // namespace

struct TMapEmpresas : TnMapperBase {
  NCAMPO(CODIGOPESSOAFIN);
  NCAMPO(Nome);
  NCAMPO(InscFederal);
};

class TRptInputs : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.1.102.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoSeparador, kSecaoLinha}; }
  void DoParamChange(TObject*, TnpqParamItem*) override {}
  void DoParamEnter(TObject*, TnpqParamItem*) override {}
  void DoParamExit(TObject*, TnpqParamItem*) override {}

  void ImprimirInterno() override {
    CarregarParametros();
    ValidarParametros();
    TnFimImpressao fim(*this);  // every exit: OnBeforeSection none, the three datasets released
    ConsultarDados();
    if (FCdsGruposInsumos->IsEmpty()) return;
    CarregarDadosEmpresa();
    ImprimirGrupos();
  }

 private:
  struct TnFimImpressao {
    explicit TnFimImpressao(TRptInputs& r) : R(r) {}
    ~TnFimImpressao() {
      R.Report->OnBeforeSection = {};
      DestruirSQL(R.FCdsGruposInsumos);
      DestruirSQL(R.FCdsInsumos);
      DestruirSQL(R.FCdsEmpresa);
    }
    TnFimImpressao(const TnFimImpressao&) = delete;
    TnFimImpressao& operator=(const TnFimImpressao&) = delete;
    TRptInputs& R;
  };

  // ---- Parameters ------------------------------------------------------------

  void CarregarParametros() {
    FCodigoEscrit = RepParam("pCodigoEscrit");
    FCodigoInsumo = Trim(RepParam("pCodigoInsumo"));
    FCodigoInsumoGrupo = Trim(RepParam("pCodigoInsumoGrupo"));
    FGrupoSemInsumo = Params()->Param("pGrupoSemInsumo")->GetAsInteger() == 1;
    FOrdenar = RepParam("pOrdenar");
    FPularLinha = RepParam("pPularLinha") == THelperEnumStr::TDicSimNao(1);
  }

  // Every value the statements take is checked before the first one runs.
  void ValidarParametros() const {
    CondicaoSelecao("pCodigoInsumo", "I.CODIGOINSUMO");
    CondicaoSelecao("pCodigoInsumoGrupo", "GR.CODIGOINSUMOGRUPO");
    ColunaOrdenacao();
    CodigoEmpresaSQL();
  }

  // The selection typed into parametro as a condition that follows "WHERE ".
  std::string CondicaoSelecao(const std::string& parametro, const std::string& coluna) const {
    return FiltroParametro(Params()->Param(parametro), {coluna}, {1}, false, 0);
  }

  // Ties (the inputs of a group often share one type) are broken by code, so every run
  // prints them in the same order; descriptions follow the Portuguese alphabet.
  std::string ColunaOrdenacao() const {
    switch (StrToIntDef(Trim(FOrdenar), 0)) {
      case kOrdenarCodigo: return "I.CODIGOINSUMO";
      case kOrdenarDescricao: return "I.DESCRINSUMO collate UNICODE_CI_AI, I.CODIGOINSUMO";
      case kOrdenarTipo: return "I.TIPOINSUMO, I.CODIGOINSUMO";
      default: throw EnParam(Params()->Param("pOrdenar"), kMensagemOrdenar);
    }
  }

  // A blank code selects no company ("null" matches no row).
  std::string CodigoEmpresaSQL() const {
    if (FCodigoEscrit.empty()) return ValorParaSQL(TValor::Nulo());
    try {
      return ValorParaSQL(TValor(FCodigoEscrit), ftInteger);
    } catch (const std::invalid_argument& e) {
      throw EnParam(Params()->Param("pCodigoEscrit"), e.what());
    }
  }

  // ---- Queries ---------------------------------------------------------------

  void ConsultarDados() {
    ConsultarGrupos();
    ConsultarInsumos();
    ConsultarEmpresa();
  }

  void ConsultarGrupos() {
    FCdsGruposInsumos = ExecutarSQL(
        "SELECT GR.CODIGOINSUMOGRUPO, GR.DESCRGRUPO, GR.CLASSIFGRUPO, GR.TIPOGRUPO FROM INSUMOGRUPO GR ORDER BY "
        "GR.CLASSIFGRUPO ",
        {}, true, true, -1, "", nullptr, true);
    ixGRCODIGOINSUMOGRUPO = PosicaoGrupo("CODIGOINSUMOGRUPO");
    ixGRDESCRGRUPO = PosicaoGrupo("DESCRGRUPO");
    ixGRCLASSIFGRUPO = PosicaoGrupo("CLASSIFGRUPO");
    ixGRTIPOGRUPO = PosicaoGrupo("TIPOGRUPO");
  }

  // The inputs keep the statement's order inside each group; the index on the group
  // code alone serves the key lookups and ranges.
  void ConsultarInsumos() {
    FCdsInsumos = ExecutarSQL(MontarSQLInsumos(), {}, true, true, -1, "", nullptr, true);
    FCdsInsumos->SetIndexFieldNames("CODIGOINSUMOGRUPO");
    ixINCODIGOINSUMO = PosicaoInsumo("CODIGOINSUMO");
    ixINDESCRINSUMO = PosicaoInsumo("DESCRINSUMO");
    ixINCLASSIFINSUMO = PosicaoInsumo("CLASSIFINSUMO");
    ixINTIPOINSUMO = PosicaoInsumo("TIPOINSUMO");
    ixINCODIGOINSUMOGRUPO = PosicaoInsumo("CODIGOINSUMOGRUPO");
    ixINCLASSIFGRUPO = PosicaoInsumo("CLASSIFGRUPO");
    ixINABREVIATURA = PosicaoInsumo("ABREVIATURA");
  }

  std::string MontarSQLInsumos() const {
    std::string sql =
        "SELECT I.CODIGOINSUMO, I.DESCRINSUMO, I.CLASSIFINSUMO, I.TIPOINSUMO, GR.CODIGOINSUMOGRUPO, "
        "GR.CLASSIFGRUPO, UN.ABREVIATURA FROM INSUMO I JOIN INSUMOGRUPO GR ON I.CODIGOINSUMOGRUPO = "
        "GR.CODIGOINSUMOGRUPO LEFT JOIN UNIDADEMEDIDA UN ON I.CODIGOUNIDADEMEDIDA = UN.CODIGOUNIDADEMEDIDA ";
    std::string conector = "WHERE ";
    if (!FCodigoInsumo.empty()) {
      sql += conector + CondicaoSelecao("pCodigoInsumo", "I.CODIGOINSUMO");
      conector = " AND ";
    }
    if (!FCodigoInsumoGrupo.empty()) sql += conector + CondicaoClassificacoesGrupos();
    return sql + "order by I.CODIGOINSUMOGRUPO, " + ColunaOrdenacao();
  }

  // The selected groups as classification prefixes, each a quoted literal; when the
  // range matches no group, no input is selected.
  std::string CondicaoClassificacoesGrupos() const {
    TnDataSetSQL grupos;
    TnDestruirSQLAoSair liberar{&grupos};
    grupos = ExecutarSQL("SELECT GR.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO FROM INSUMOGRUPO GR WHERE " +
                             CondicaoSelecao("pCodigoInsumoGrupo", "GR.CODIGOINSUMOGRUPO"),
                         {}, true, true, -1, "", nullptr, true);
    if (grupos->IsEmpty()) return "(1=0) ";
    TField* classificacao = grupos->FieldByName("CLASSIFGRUPO");
    std::string condicoes;
    for (grupos->First(); !grupos->Eof(); grupos->Next())
      Add(condicoes, "(GR.CLASSIFGRUPO LIKE " + ValorParaSQL(TValor(classificacao->AsString() + "%")) + ")", " OR ");
    return "(" + condicoes + ")";
  }

  void ConsultarEmpresa() {
    FCdsEmpresa = nDMConexao::ExecuteQueryView(
        "select PE.CODIGOPESSOAFIN, PE.NOME, PE.INSCFEDERAL from PessoaFinanceiro PE join ESCRITORIO  EM on "
        "EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN where PE.CODIGOPESSOAFIN = " +
        CodigoEmpresaSQL());
  }

  int32_t PosicaoGrupo(const std::string& campo) const { return FCdsGruposInsumos->FieldByName(campo)->Index(); }
  int32_t PosicaoInsumo(const std::string& campo) const { return FCdsInsumos->FieldByName(campo)->Index(); }

  // ---- Printing --------------------------------------------------------------

  // Written from the company row only: without one the header stays blank.
  void CarregarDadosEmpresa() {
    TnpqPowerParam* p = Params();
    if (FCdsEmpresa->IsEmpty()) {
      p->SetValues("pNomeEmpresa", "");
      p->SetValues("pInscrFederal", "");
      return;
    }
    const TMapEmpresas& empresa = *Mapper<TMapEmpresas>(FCdsEmpresa.get());
    p->SetValues("pNomeEmpresa", FormatFloat(kMascaraCodigoEmpresa, empresa.CODIGOPESSOAFIN->AsInteger()) + " " +
                                     empresa.Nome->AsString());
    p->SetValues("pInscrFederal", TemDados("CNPJ: ", empresa.InscFederal->AsString(), ""));
  }

  void ImprimirGrupos() {
    FTotalRegistro = FCdsInsumos->RecordCount();
    FRegistro = 0;
    bool mostrar = true;
    for (FCdsGruposInsumos->First(); !FCdsGruposInsumos->Eof(); FCdsGruposInsumos->Next()) {
      if (!FGrupoSemInsumo) mostrar = PossuiInsumos();
      if (!mostrar) continue;
      ImprimirGrupo();
      ImprimirInsumos();
    }
  }

  // An analytic group has inputs when the key lookup finds one; a summary group when
  // some analytic group of its branch (the groups after it whose classification starts
  // with its own) has. The scan stops at the first group outside the branch, and the
  // group cursor is back where it was on every exit.
  bool PossuiInsumos() {
    const int registro = FCdsGruposInsumos->RecNo();
    struct TVoltar {
      TnClientDataSet& Grupos;
      int Registro;
      ~TVoltar() { Grupos.SetRecNo(Registro); }
    } voltar{*FCdsGruposInsumos, registro};
    if (TipoGrupo() == kGrupoAnalitico) return GrupoTemInsumo();
    const std::string ramo = Grupo(ixGRCLASSIFGRUPO).AsString();
    for (FCdsGruposInsumos->Next(); !FCdsGruposInsumos->Eof(); FCdsGruposInsumos->Next()) {
      if (Grupo(ixGRCLASSIFGRUPO).AsString().compare(0, ramo.size(), ramo) != 0) return false;
      if (TipoGrupo() == kGrupoAnalitico && GrupoTemInsumo()) return true;
    }
    return false;
  }

  bool GrupoTemInsumo() { return FCdsInsumos->FindKey({Grupo(ixGRCODIGOINSUMOGRUPO).Value()}); }

  void ImprimirGrupo() {
    if (FPularLinha) RepPrintSection(kSecaoSeparador);
    ConfigurarFonte({fsBold});
    EscreverLinha(Grupo(ixGRCODIGOINSUMOGRUPO).AsString(), TipoGrupo() == kGrupoSintetico ? kMarcaSintetico : "",
                  Grupo(ixGRCLASSIFGRUPO).AsString() + kEntreCodigoEDescricao + Grupo(ixGRDESCRGRUPO).AsString(), "",
                  "", "");
    RepPrintSection(kSecaoLinha);
  }

  void ImprimirInsumos() {
    if (TipoGrupo() != kGrupoAnalitico) return;
    const TValor grupo = Grupo(ixGRCODIGOINSUMOGRUPO).Value();
    struct TCancelarRange {
      TnClientDataSet& Insumos;
      ~TCancelarRange() { Insumos.CancelRange(); }
    } cancelar{*FCdsInsumos};
    FCdsInsumos->SetRange({grupo}, {grupo});
    while (!FCdsInsumos->Eof()) {
      ConfigurarFonte({});
      EscreverLinha("", "", CodigoInsumo() + kEntreCodigoEDescricao + Insumo(ixINDESCRINSUMO).AsString(),
                    Insumo(ixINABREVIATURA).AsString(),
                    TIncListDescricao::GetDscTipoInsumo(Insumo(ixINTIPOINSUMO).AsInteger()),
                    TIncListDescricao::GetDscClassifInsumo(Insumo(ixINCLASSIFINSUMO).AsInteger()));
      RepPrintSection(kSecaoLinha);
      FCdsInsumos->Next();
      Report->CSLShowProgress(++FRegistro, FTotalRegistro);
    }
  }

  // "0007"; codes of more digits than the width print as they are.
  std::string CodigoInsumo() const {
    const std::string codigo = Insumo(ixINCODIGOINSUMO).AsString();
    return PreencherEsquerda(codigo, kDigitosCodigoInsumo - TamanhoUtf8(codigo), "0");
  }

  void EscreverLinha(const std::string& r1, const std::string& r2, const std::string& r3, const std::string& r4,
                     const std::string& r5, const std::string& r6) {
    TnpqPowerParam* p = Params();
    p->SetValues("R1", r1);
    p->SetValues("R2", r2);
    p->SetValues("R3", r3);
    p->SetValues("R4", r4);
    p->SetValues("R5", r5);
    p->SetValues("R6", r6);
  }

  // The lines use the bold style (groups) or none (inputs).
  void ConfigurarFonte(TFontStyles _AStyle) { DestacarRotulosSecao(*Report, kSecaoLinha, _AStyle.Contem(fsBold)); }

  TField& Grupo(int32_t posicao) const { return *FCdsGruposInsumos->Fields(posicao); }
  TField& Insumo(int32_t posicao) const { return *FCdsInsumos->Fields(posicao); }
  int TipoGrupo() const { return Grupo(ixGRTIPOGRUPO).AsInteger(); }

  TnDataSetSQL FCdsInsumos;
  TnDataSetSQL FCdsGruposInsumos;
  TnDataSetSQL FCdsEmpresa;
  int32_t ixGRCODIGOINSUMOGRUPO = 0, ixGRDESCRGRUPO = 0, ixGRCLASSIFGRUPO = 0, ixGRTIPOGRUPO = 0;
  int32_t ixINCODIGOINSUMO = 0, ixINDESCRINSUMO = 0, ixINCLASSIFINSUMO = 0, ixINTIPOINSUMO = 0,
          ixINCODIGOINSUMOGRUPO = 0, ixINCLASSIFGRUPO = 0, ixINABREVIATURA = 0;
  std::string FCodigoInsumo;
  std::string FCodigoInsumoGrupo;
  std::string FOrdenar;
  std::string FCodigoEscrit;
  bool FGrupoSemInsumo = false;
  bool FPularLinha = false;
  int32_t FRegistro = 0;
  int32_t FTotalRegistro = 0;
};

RPT_REGISTRAR_RELATORIO(TRptInputs)
