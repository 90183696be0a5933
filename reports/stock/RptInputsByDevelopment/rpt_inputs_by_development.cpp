// Inputs consumed by each development in a period: materials through their stock
// movements, every other input through its cost apportionments, grouped by
// development and input group, optionally by competence month.
#include <cmath>
#include <cstdint>
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
#include "host/report/elementos.h"
#include "host/report/formulario.h"

namespace {

// Sections of the layout.
constexpr int kSecaoLinha = 8;             // input line and detail line
constexpr int kSecaoTotal = 9;             // input, month, development and grand totals
constexpr int kSecaoGrupo = 10;            // input-group heading with its total
constexpr int kSecaoSeparador = 11;        // after a month total, before the grand total
constexpr int kSecaoAssinatura = 12;       // who signs the report

// Report kinds and detail modes.
constexpr uint8_t kPorGrupoInsumo = 1;     // only the group headings
constexpr uint8_t kPorInsumo = 0;          // one line per input
constexpr int kDetalhePorNota = 0;         // one detail line per purchase invoice
constexpr int kDetalhePorFornecedor = 1;   // one detail line per supplier

constexpr int kInsumoMaterial = 1;         // TIPOINSUMO of the inputs that go through the stocks
constexpr int kLarguraFornecedor = 10;     // supplier code column of a detail line
constexpr int kLarguraNota = 20;           // invoice number column of a detail line

const char* const kMascaraQuantidade = "#,####0.0000";
const char* const kMascaraValor = "#,##0.00";
const char* const kMascaraCompetencia = "mm/yyyy";
const char* const kMascaraEstoque = "0000";

// Page-header labels that name the block being printed.
const char* const kRotuloEmpreend = "lblRotuloEmpreend";    // the "Empreendimento:" caption
const char* const kDescricaoEmpreend = "lblDescrEmpreend";  // the development, or the stock outside any

}  // namespace

// The columns of the main query; the supplier, invoice and month columns exist
// only in the query shapes that select them and stay unbound otherwise.
class TnMapperInsumo : public TnMapperBase {
 public:
  NCAMPO(CodigoEstoque);
  NCAMPO(DescrEstoque);
  NCAMPO(CodigoEmpreend);
  NCAMPO(NomeEmpre);
  NCAMPO(CampoCodigo);
  NCAMPO(CampoDescr);
  NCAMPO(CodigoInsumoGrupo);
  NCAMPO(Unidade);
  NCAMPO(Quantidade);
  NCAMPO(TotalCustoOpeUnit);
  NCAMPO_OPCIONAL(CodigoPessoaFin);
  NCAMPO_OPCIONAL(NumeroNota);
  NCAMPO_OPCIONAL(DataEntradaNota);
  NCAMPO_OPCIONAL(Nome);
  NCAMPO_OPCIONAL(Competencia);
};

class TRptInputsByDevelopment : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override {
    return {kSecaoLinha, kSecaoTotal, kSecaoGrupo, kSecaoSeparador};
  }

  void ImprimirInterno() override {
    CarregarParametros();
    TnDestruirSQLAoSair liberar{&FCdsInsumo, &FCdsGrupoInsumo};
    FCdsInsumo = CarregarInsumos();
    FInsumo = Mapper<TnMapperInsumo>(FCdsInsumo.get());
    FCdsGrupoInsumo = CarregarGruposInsumo();
    if (FCdsInsumo->IsEmpty()) return;

    CarregarDadosEscritorio();
    const int total = FCdsInsumo->RecordCount();
    int feitos = 0;
    int grupoAnterior = 0;
    FOldCompetencia = 0;
    FOldCodigoEmpreed = -1;
    FTotalCompetencia = 0;
    FTotalCusOperGeral = 0;
    ZerarTotalEmpreendimento();
    ConfigurarCabecalhoColunas();
    FCdsInsumo->First();
    FCdsGrupoInsumo->First();

    while (!FCdsInsumo->Eof()) {
      const bool outroEmpreend = FInsumo->CodigoEmpreend->AsInteger() != FOldCodigoEmpreed;
      const bool outroGrupo = FInsumo->CodigoInsumoGrupo->AsInteger() != grupoAnterior;
      if (FTotalizarCompetencia &&
          (FInsumo->Competencia->AsDateTime() != FOldCompetencia || outroGrupo || outroEmpreend))
        ImprimirTotalCompetencia();
      if (outroEmpreend) ImprimirTotalEmpreendimento();
      // Named only now: the totals above close the previous development and, when they
      // run onto a new page, its header must still name that development.
      NomearBloco();
      if (outroGrupo || outroEmpreend) ImprimirGrupoInsumo();
      if (!PorGrupo()) {
        ImprimirInsumo();
        if (ComDetalhe()) {
          ImprimirDetalhesInsumo(feitos, total, grupoAnterior);
          continue;
        }
      }
      Report->CSLShowProgress(++feitos, total);
      grupoAnterior = FInsumo->CodigoInsumoGrupo->AsInteger();
      AcumularRegistro();
      FCdsInsumo->Next();
    }

    ImprimirTotalCompetencia();
    ImprimirTotalEmpreendimento();
    ImprimirTotalGeral();
    ImprimirAssinatura();
  }

  // The detail mode and the supplier filter only mean something for the report by input.
  void DoParamChange(TObject*, TnpqParamItem*) override {
    const bool porInsumo = Params()->EdFindFieldControl("pTipoRelatorio")->GetAsString() == "0";
    Params()->EdEnabledField("pDetalharFornecedor", porInsumo);
    Params()->EdEnabledField("pCodigoPessoaFinFornec", porInsumo);
  }

 private:
  bool PorGrupo() const { return FTipoRelatorio == kPorGrupoInsumo; }
  bool ComDetalhe() const {
    return FDetalharFornecedor == kDetalhePorNota || FDetalharFornecedor == kDetalhePorFornecedor;
  }
  void EscreverValor(const std::string& nome, const std::string& texto) { Params()->SetValues(nome, texto); }

  void CarregarParametros() {
    TnpqPowerParam* p = Params();
    FDataIni = p->Param("pDataInicial")->GetAsDate();
    FDataFim = p->Param("pDataFinal")->GetAsDate();
    FDetalharFornecedor = p->Param("pDetalharFornecedor")->GetAsInteger();
    FCodigoEscrit = p->Param("pCodigoEscrit")->GetAsInteger();
    FCodigoInsumo = Trim(RepParam("pCodigoInsumo"));
    FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
    FTipoRelatorio = StrToIntDef(RepParam("pTipoRelatorio"), 0) == kPorGrupoInsumo ? kPorGrupoInsumo : kPorInsumo;
    FCodigoPessoaFin = Trim(RepParam("pCodigoPessoaFinFornec"));
    FTipoMvtoEstoque = Trim(RepParam("pTipoMvtoEstoqueCL"));
    FClassifInsumo = Trim(RepParam("pClassifInsumoCL"));
    FTotalizarCompetencia = StrToIntDef(RepParam("pTotalizarCompetencia"), 0) == 1;
  }

  // ---- Queries -------------------------------------------------------------

  // What each branch of the statements calls the columns the common blocks read: the
  // stock movements read them from their own tables, the allocations from their groups.
  struct TRamo {
    std::string DescrEstoque;  // description of the line's stock
    std::string Empreend;      // development of the line
    std::string Item;          // alias holding the invoice item (CODIGONOTAENT, CODIGONOTAENTITEM)
    std::string Competencia;   // the competence month
  };
  static TRamo RamoEstoque() { return {"ET.DESCRESTOQUE", "ET.CODIGOEMPREEND", "NE", MesDe("MO.DATAMVTOESTOQUE")}; }
  static TRamo RamoRateio() { return {"ES.DESCRESTOQUE", "MO.CODIGOEMPREEND", "MO", "MO.COMPETENCIA"}; }

  std::string BlocoColunas(const TRamo& r) const {
    std::string s = "MO.CODIGOESTOQUE , " + r.DescrEstoque + " , " + r.Empreend + " , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO ";
    if (PorGrupo())
      s += ", MU.CODIGOINSUMOGRUPO CampoCodigo , GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO CampoDescr ";
    else
      s += ", MO.CODIGOINSUMO CampoCodigo , Mu.DESCRINSUMO CampoDescr ";
    s += ", IT.CODIGOUNIDADEMEDIDA , coalesce(UN.ABREVIATURA, UN.DESCRUNIDADE) Unidade ";
    if (ComDetalhe()) s += ", NENT.CODIGOPESSOAFIN , PF.NOME ";
    if (FDetalharFornecedor == kDetalhePorNota) s += ", NENT.NUMERONOTA , NENT.DATAENTRADANOTA ";
    return s;
  }

  static std::string JuncaoInsumo(const TRamo& r) {
    return "join INSUMO MU on MU.CODIGOINSUMO = MO.CODIGOINSUMO "
           "join INSUMOGRUPO GR on GR.CODIGOINSUMOGRUPO = MU.CODIGOINSUMOGRUPO "
           "join NOTAENTRADAITEM IT on IT.CODIGOESCRIT = MO.CODIGOESCRIT "
           "and IT.CODIGONOTAENT = " + r.Item + ".CODIGONOTAENT and IT.CODIGONOTAENTITEM = " + r.Item + ".CODIGONOTAENTITEM "
           "join UNIDADEMEDIDA UN on UN.CODIGOUNIDADEMEDIDA = IT.CODIGOUNIDADEMEDIDA ";
  }

  std::string BlocoJuncao(const TRamo& r) const {
    std::string s = JuncaoInsumo(r);
    if (ComDetalhe())
      s += "left join NOTAENTRADA NENT "
           "on NENT.CODIGOESCRIT = IT.CODIGOESCRIT "
           "and NENT.CODIGONOTAENT = IT.CODIGONOTAENT "
           "left join PESSOAFINANCEIRO PF "
           "on NENT.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN ";
    return s;
  }

  // The selections on a stock movement or an allocation itself.
  std::string FiltroMovimento(const std::string& alias, const std::string& empreend) const {
    std::string s = "and " + alias + ".CODIGOESCRIT = :pCodigoEscrit ";
    s += FiltroParametro(Params()->Param("pCodigoEmpreend"), {empreend});
    s += FiltroParametro(Params()->Param("pCodigoInsumo"), {alias + ".CODIGOINSUMO"});
    s += FiltroParametro(Params()->Param("pTipoMvtoEstoqueCL"), {alias + ".TIPOMVTOESTOQUE"});
    return s;
  }

  // The selections on the input and the supplier.
  std::string FiltroInsumo() const {
    std::string s = FiltroParametro(Params()->Param("pClassifInsumoCL"), {"MU.CLASSIFINSUMO"});
    // Without supplier columns there is no invoice to filter on.
    if (ComDetalhe()) s += FiltroParametro(Params()->Param("pCodigoPessoaFinFornec"), {"NENT.CODIGOPESSOAFIN"});
    return s;
  }

  std::string BlocoAgrupamento(const TRamo& r) const {
    std::string s = "group by   MO.CODIGOESTOQUE , " + r.DescrEstoque + " , " + r.Empreend + " , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO ";
    if (PorGrupo())
      s += ", MU.CODIGOINSUMOGRUPO , GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO ";
    else
      s += ", MO.CODIGOINSUMO , Mu.DESCRINSUMO ";
    s += ", IT.CODIGOUNIDADEMEDIDA , coalesce(UN.ABREVIATURA, UN.DESCRUNIDADE) ";
    if (ComDetalhe()) s += ", NENT.CODIGOPESSOAFIN, PF.NOME ";
    if (FDetalharFornecedor == kDetalhePorNota) s += ", NENT.NUMERONOTA, NENT.DATAENTRADANOTA ";
    return s;
  }

  std::string BlocoOrdenacao() const {
    std::string s = " ";
    if (FDetalharFornecedor == kDetalhePorNota)
      s += PorGrupo() ? " Order by MU.CODIGOINSUMOGRUPO " : " Order by MO.CODIGOINSUMO ";
    return s;
  }

  // The first day of the month of a date column, as the competence month.
  static std::string MesDe(const std::string& coluna) {
    return "cast(Extract(Year from " + coluna + ") || '-' || Extract(Month from " + coluna + ") || '-01' as date)";
  }

  // The competence month as a column (comNome) or as a grouping term; nothing without months.
  std::string Mes(const std::string& expressao, bool comNome) const {
    if (!FTotalizarCompetencia) return "";
    return ", " + expressao + (comNome ? " Competencia " : "");
  }

  // The signed cost of the movements, each rounded to the cent before it is added, so
  // every total printed, whatever it groups by, is the sum of the amounts printed under it.
  static std::string CustoMovimentos() {
    return ", sum(round(case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO else (MO.QUANTIDADEMVTO * -1) end * "
           "MO.VALORCUSTOOPERACIONALUNIT, 2)) TotalCustoOpeUnit ";
  }

  static std::string OrigemEstoque() {
    return "from ESTOQUEMOVIMENTO MO "
           "join ESTOQUE ET "
           "on ET.CODIGOESCRIT = MO.CODIGOESCRIT "
           "and ET.CODIGOESTOQUE = MO.CODIGOESTOQUE "
           "left join EMPREENDIMENTO EM "
           "on EM.CODIGOESCRIT = MO.CODIGOESCRIT "
           "and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND "
           "join NOTAENTRADAITEMMVTOESTOQUE NE "
           "on NE.CODIGOESCRIT = MO.CODIGOESCRIT "
           "and NE.CODIGOESTOQUE = MO.CODIGOESTOQUE "
           "and NE.CODIGOMVTOESTOQUE = MO.CODIGOMVTOESTOQUE ";
  }

  // The allocations of the period that came from invoice items, summed per development,
  // stock, input, invoice item and (when asked) month before anything else is joined: an
  // invoice item is spread over every unit of its development, and only its one group
  // meets the invoices and the inputs. The materials' allocations (most of the period's,
  // from the stock requisitions) are dropped on the input before their invoice link is
  // looked for. "+ 0" keeps the input index out of the plan: led by the inputs, every one
  // of them would scan the period's date index again. The line's development and stock
  // are the allocation's own; the selections on the allocation itself are applied here.
  std::string OrigemRateio() const {
    const std::string chave = "RA.CODIGOESCRIT , RA.CODIGOEMPREEND , RA.CODIGOESTOQUE , RA.CODIGOINSUMO , "
                              "NE.CODIGONOTAENT , NE.CODIGONOTAENTITEM " +
                              Mes("dateadd(1 - extract(day from RA.DATARATEIO) day to RA.DATARATEIO)", false);
    return "from (select " + chave + (FTotalizarCompetencia ? " COMPETENCIA " : " ") +
           ", sum(case when RA.TIPOMVTOESTOQUE <= 0 then RA.QUANTIDADERATEIO else (RA.QUANTIDADERATEIO * -1) end) "
           "QUANTIDADERATEIO , sum(case when RA.TIPOMVTOESTOQUE <= 0 then RA.VALORRATEIO else (RA.VALORRATEIO * -1) end) "
           "VALORRATEIO from RATEIO RA "
           "join INSUMO SU on SU.CODIGOINSUMO = RA.CODIGOINSUMO + 0 and SU.TIPOINSUMO <> :pMaterial "
           "join NOTAENTRADAITEMRATEIO NE "
           "on NE.CODIGOESCRIT = RA.CODIGOESCRIT "
           "and NE.CODIGOEMPREEND = RA.CODIGOEMPREEND "
           "and NE.CODIGOESTRUTURA = RA.CODIGOESTRUTURA "
           "and NE.CODIGORATEIO = RA.CODIGORATEIO "
           "where RA.DATARATEIO between :pDataIni and :pDataFim " + FiltroMovimento("RA", "RA.CODIGOEMPREEND") +
           "group by " + chave + ") MO "
           "join EMPREENDIMENTO EM "
           "on EM.CODIGOESCRIT = MO.CODIGOESCRIT "
           "and EM.CODIGOEMPREEND = MO.CODIGOEMPREEND "
           "left join ESTOQUE ES "
           "on ES.CODIGOESCRIT = MO.CODIGOESCRIT and ES.CODIGOESTOQUE = MO.CODIGOESTOQUE ";
  }

  std::vector<TValor> ValoresConsulta() const {
    return {TValor::DataHora(FDataIni), TValor::DataHora(FDataFim), TValor(FCodigoEscrit), TValor(kInsumoMaterial)};
  }

  // One line per input (or group), stock, unit and, when asked, month: materials, then the rest.
  std::string MontarSQLInsumos() const {
    const TRamo estoque = RamoEstoque(), rateio = RamoRateio();
    const std::string ordenacao = BlocoOrdenacao();
    std::string s;
    s += "select * from (select " + BlocoColunas(estoque) + Mes(estoque.Competencia, true);
    s += ", sum(case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO else (MO.QUANTIDADEMVTO * -1) end) Quantidade ";
    s += CustoMovimentos();
    s += OrigemEstoque();
    s += BlocoJuncao(estoque) + "where MO.DATAMVTOESTOQUE between :pDataIni and :pDataFim " +
         FiltroMovimento("MO", estoque.Empreend) + FiltroInsumo() + "and MU.TipoInsumo = :pMaterial ";
    s += BlocoAgrupamento(estoque) + Mes(estoque.Competencia, false) + " " + ordenacao + " ) tab " + "where Quantidade <> 0 ";
    s += "union all select * from (select " + BlocoColunas(rateio) + Mes(rateio.Competencia, true);
    s += ", sum(MO.QUANTIDADERATEIO) Quantidade , sum(MO.VALORRATEIO) TotalCustoOpeUnit ";
    s += OrigemRateio();
    s += BlocoJuncao(rateio) + "where MU.TipoInsumo <> :pMaterial " + FiltroInsumo();
    s += BlocoAgrupamento(rateio) + Mes(rateio.Competencia, false) + " " + ordenacao + " ) tab " + "where Quantidade <> 0 ";
    return s;
  }

  // Net cost per development, stock, input group and, when asked, month; no supplier filter.
  std::string MontarSQLGruposInsumo() const {
    const auto colunas = [](const TRamo& r) {
      return "MO.CODIGOESTOQUE , " + r.DescrEstoque + " , " + r.Empreend + " , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO, "
             "GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO CampoDescr ";
    };
    const auto agrupamento = [](const TRamo& r) {
      return "group by   MO.CODIGOESTOQUE , " + r.DescrEstoque + " , " + r.Empreend + " , EM.NOMEEMPRE , "
             "MU.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO ";
    };
    const std::string classif = FiltroParametro(Params()->Param("pClassifInsumoCL"), {"MU.CLASSIFINSUMO"});
    const TRamo estoque = RamoEstoque(), rateio = RamoRateio();
    std::string s;
    s += "select * from (select " + colunas(estoque) + Mes(estoque.Competencia, true);
    s += CustoMovimentos();
    s += OrigemEstoque();
    s += JuncaoInsumo(estoque) + "where MO.DATAMVTOESTOQUE between :pDataIni and :pDataFim " +
         FiltroMovimento("MO", estoque.Empreend) + classif + "and MU.TipoInsumo = :pMaterial ";
    s += agrupamento(estoque) + Mes(estoque.Competencia, false) + " " + ") tab " + "where TotalCustoOpeUnit <> 0 ";
    s += "union all select * from (select " + colunas(rateio) + Mes(rateio.Competencia, true);
    s += ", sum(MO.VALORRATEIO) TotalCustoOpeUnit ";
    s += OrigemRateio();
    s += JuncaoInsumo(rateio) + "where MU.TipoInsumo <> :pMaterial " + classif;
    s += agrupamento(rateio) + Mes(rateio.Competencia, false) + " " + ") tab " + "where TotalCustoOpeUnit <> 0 ";
    return s;
  }

  TnDataSetSQL CarregarInsumos() {
    TnDataSetSQL ds = ExecutarSQL(MontarSQLInsumos(), ValoresConsulta(), true, false, -1, "", nullptr, true);
    ds->SetIndexFieldNames(std::string("CODIGOEMPREEND;CODIGOINSUMOGRUPO") +
                           (FTotalizarCompetencia ? ";COMPETENCIA" : "") + ";CODIGOUNIDADEMEDIDA;CAMPOCODIGO");
    return ds;
  }

  TnDataSetSQL CarregarGruposInsumo() {
    TnDataSetSQL ds = ExecutarSQL(MontarSQLGruposInsumo(), ValoresConsulta(), true, false, -1, "", nullptr, true);
    ds->SetIndexFieldNames(std::string("CODIGOEMPREEND;CODIGOINSUMOGRUPO") + (FTotalizarCompetencia ? ";COMPETENCIA" : ""));
    return ds;
  }

  // ---- Printing ------------------------------------------------------------

  // The rows of one input in one development (and month), then its total.
  void ImprimirDetalhesInsumo(int& feitos, int total, int& grupoAnterior) {
    const int insumo = FInsumo->CampoCodigo->AsInteger();
    const int empreend = FInsumo->CodigoEmpreend->AsInteger();
    const TDateTime competencia = FTotalizarCompetencia ? FInsumo->Competencia->AsDateTime() : 0;
    FTotalCustoInsumo = 0;
    FTotalQuantidadeInsumo = 0;
    while (!FCdsInsumo->Eof() && FInsumo->CampoCodigo->AsInteger() == insumo &&
           FInsumo->CodigoEmpreend->AsInteger() == empreend &&
           (!FTotalizarCompetencia || FInsumo->Competencia->AsDateTime() == competencia)) {
      ImprimirDetalheInsumo();
      Report->CSLShowProgress(++feitos, total);
      FTotalCustoInsumo = RoundValor(FTotalCustoInsumo + FInsumo->TotalCustoOpeUnit->AsFloat(), 2);
      FTotalQuantidadeInsumo += FInsumo->Quantidade->AsFloat();
      grupoAnterior = FInsumo->CodigoInsumoGrupo->AsInteger();
      AcumularRegistro();
      FCdsInsumo->Next();
    }
    ImprimirTotalInsumo();
  }

  void ZerarTotalEmpreendimento() { FTotalCusOperEmpre = 0; }

  void SomarTotais() {
    const double custo = FInsumo->TotalCustoOpeUnit->AsFloat();
    FTotalCusOperEmpre = RoundValor(FTotalCusOperEmpre + custo, 2);
    FTotalCusOperGeral = RoundValor(FTotalCusOperGeral + custo, 2);
  }

  void AcumularRegistro() {
    SomarTotais();
    FOldCodigoEmpreed = FInsumo->CodigoEmpreend->AsInteger();
    if (FTotalizarCompetencia) {
      FOldCompetencia = StartOfTheMonth(FInsumo->Competencia->AsDateTime());
      FTotalCompetencia = RoundValor(FTotalCompetencia + FInsumo->TotalCustoOpeUnit->AsFloat(), 2);
    }
  }

  void CarregarDadosEscritorio() {
    const nDMSQLDataSet::TnNomeInscricao escritorio = nDMSQLDataSet::PegarNomeInscricao(FCodigoEscrit);
    EscreverValor("pRazaoSocialEscrit", escritorio.Nome);
    EscreverValor("pInscrFederalEscrit", escritorio.InscFederal);
  }

  void ConfigurarCabecalhoColunas() {
    if (PorGrupo()) {
      EscreverValor("pNomeColunaCabecalho", "Grupo Insumo");
      EscreverValor("pNomeColunaUnMedida", "");
      EscreverValor("pNomeColunaQtd", "");
      EscreverValor("pNomeColunaCustoMedio", "");
      return;
    }
    if (FDetalharFornecedor == kDetalhePorNota)
      EscreverValor("R9", "   Data Entrada/Numero Nota/Fornecedor");
    else if (FDetalharFornecedor == kDetalhePorFornecedor)
      EscreverValor("R9", "   Fornecedor");
    else
      EscreverValor("R9", " ");
    EscreverValor("pNomeColunaCabecalho", "Grupo / Insumo");
    EscreverValor("pNomeColunaUnMedida", "Un. Medida");
    EscreverValor("pNomeColunaQtd", "Quantidade");
    EscreverValor("pNomeColunaCustoMedio", "Custo Médio Unit. R$");
  }

  // The page header names the block: its development, or, for a stock outside any
  // development, that stock in the place of the development caption.
  void NomearBloco() {
    TnpqLabel* rotulo = Report->LabelByName(kRotuloEmpreend);
    TnpqLabel* descricao = Report->LabelByName(kDescricaoEmpreend);
    if (FEsquerdaDescricao < 0) FEsquerdaDescricao = descricao->Left;
    const bool semEmpreend = FInsumo->CodigoEmpreend->IsNull();
    rotulo->Visible = !semEmpreend;
    descricao->Left = semEmpreend ? rotulo->Left : FEsquerdaDescricao;
    if (semEmpreend)
      EscreverValor("pDescrEmpreend", "Sem empreendimento — Estoque " +
                                          FormatFloat(kMascaraEstoque, FInsumo->CodigoEstoque->AsInteger()) +
                                          TemDados(" - ", FInsumo->DescrEstoque->AsString(), ""));
    else
      EscreverValor("pDescrEmpreend",
                    FInsumo->CodigoEmpreend->AsString() + TemDados(" - ", FInsumo->NomeEmpre->AsString(), ""));
  }

  // The group total comes from the second query, over every month and stock of the development.
  // The keys are the row's own values: a stock outside any development has a null one.
  void ImprimirGrupoInsumo() {
    const TValor empreend = FInsumo->CodigoEmpreend->Value();
    const TValor grupo = FInsumo->CodigoInsumoGrupo->Value();
    FCdsGrupoInsumo->SetRange({empreend, grupo}, {empreend, grupo});
    FCdsGrupoInsumo->First();
    const TField* custo = FCdsGrupoInsumo->FieldByName("TotalCustoOpeUnit");
    double soma = 0;
    while (!FCdsGrupoInsumo->Eof()) {
      soma = RoundValor(soma + custo->AsFloat(), 2);
      FCdsGrupoInsumo->Next();
    }
    EscreverValor("pFechaParentese", FechaParentese(soma));
    EscreverValor("R1", FCdsGrupoInsumo->FieldByName("CODIGOINSUMOGRUPO")->AsString() + " - " +
                            FCdsGrupoInsumo->FieldByName("CampoDescr")->AsString());
    EscreverValor("R6", FormatarAbreParentese(kMascaraValor, soma));
    RepPrintSection(kSecaoGrupo);
  }

  // Unit, quantity, average and cost of the current row.
  void EscreverValoresLinha() {
    const double quantidade = FInsumo->Quantidade->AsFloat();
    const double custo = FInsumo->TotalCustoOpeUnit->AsFloat();
    EscreverValor("pFechaParentese", FechaParentese(quantidade));
    EscreverValor("R3", FInsumo->Unidade->AsString());
    EscreverValor("R4", FormatarAbreParentese(kMascaraQuantidade, quantidade));
    EscreverValor("R5", FormatFloat(kMascaraValor, RoundValor(custo / quantidade, 2)));
    EscreverValor("R6", FormatarAbreParentese(kMascaraValor, custo));
  }

  void ImprimirInsumo() {
    EscreverValor("R1", "   " + FInsumo->CampoCodigo->AsString() + " - " + FInsumo->CampoDescr->AsString());
    if (ComDetalhe()) {
      // The amounts follow on the detail lines: this line closes no parenthesis.
      EscreverValor("pFechaParentese", "");
      for (const char* r : {"R3", "R4", "R5", "R6"}) EscreverValor(r, " ");
    } else {
      EscreverValoresLinha();
    }
    RepPrintSection(kSecaoLinha);
  }

  void ImprimirDetalheInsumo() {
    const std::string fornecedor = FInsumo->CodigoPessoaFin->AsString();
    const std::string codigo = PreencherDireita(fornecedor, kLarguraFornecedor - TamanhoUtf8(fornecedor), " ");
    if (FDetalharFornecedor == kDetalhePorFornecedor) {
      EscreverValor("R1", "       " + codigo + " - " + FInsumo->Nome->AsString());
    } else {
      const std::string numero = Trim(FInsumo->NumeroNota->AsString()).empty() ? "" : FInsumo->NumeroNota->AsString();
      EscreverValor("R1", "       " + FInsumo->DataEntradaNota->AsString() + "  " +
                              PreencherDireita(numero, kLarguraNota - TamanhoUtf8(numero), " ") + codigo + " - " +
                              FInsumo->Nome->AsString());
    }
    EscreverValoresLinha();
    RepPrintSection(kSecaoLinha);
  }

  // Shown without sign, so no closing parenthesis either.
  void ImprimirTotalInsumo() {
    EscreverValor("pFechaParentese", "");
    EscreverValor("R1", "      Total do Insumo:");
    EscreverValor("R2", FormatFloat(kMascaraQuantidade, std::fabs(FTotalQuantidadeInsumo)));
    EscreverValor("R3", FormatFloat(kMascaraValor, std::fabs(FTotalCustoInsumo)));
    RepPrintSection(kSecaoTotal);
  }

  void ImprimirTotalCompetencia() {
    if (!FTotalizarCompetencia || FTotalCompetencia == 0) return;
    EscreverValor("pFechaParentese", FechaParentese(FTotalCompetencia));
    EscreverValor("R1", "Total Competência " + FormatDateTime(kMascaraCompetencia, FOldCompetencia));
    EscreverValor("R2", "");
    EscreverValor("R3", FormatarAbreParentese(kMascaraValor, FTotalCompetencia));
    RepPrintSection(kSecaoTotal);
    RepPrintSection(kSecaoSeparador);
    FTotalCompetencia = 0;
  }

  // Each development starts on its own page.
  void ImprimirTotalEmpreendimento() {
    if (FTotalCusOperEmpre == 0) return;
    EscreverValor("pFechaParentese", FechaParentese(FTotalCusOperEmpre));
    EscreverValor("R1", "Total Empreendimento");
    EscreverValor("R2", "");
    EscreverValor("R3", FormatarAbreParentese(kMascaraValor, FTotalCusOperEmpre));
    RepPrintSection(kSecaoTotal);
    ZerarTotalEmpreendimento();
    if (!FCdsInsumo->Eof()) RepEndOfPage(true);
  }

  void ImprimirTotalGeral() {
    if (FTotalCusOperGeral == 0) return;
    EscreverValor("pFechaParentese", FechaParentese(FTotalCusOperGeral));
    RepPrintSection(kSecaoSeparador);
    EscreverValor("R1", "Total Geral");
    EscreverValor("R2", "");
    EscreverValor("R3", FormatarAbreParentese(kMascaraValor, FTotalCusOperGeral));
    RepPrintSection(kSecaoTotal);
  }

  void ImprimirAssinatura() {
    if (FTotalCusOperGeral == 0) return;
    ::ImprimirAssinatura(*this, StrToIntDef(RepParam("pCodigoPessoaFin"), 0), kSecaoAssinatura);
  }

  double FEsquerdaDescricao = -1;           // designed left of the block description, once read
  TDateTime FOldCompetencia = 0;
  TDateTime FDataIni = 0;
  TDateTime FDataFim = 0;
  int32_t FOldCodigoEmpreed = 0;
  int32_t FCodigoEscrit = 0;
  int32_t FDetalharFornecedor = 0;
  double FTotalQuantidadeInsumo = 0;
  uint8_t FTipoRelatorio = kPorInsumo;
  std::string FTipoMvtoEstoque;
  std::string FClassifInsumo;
  std::string FCodigoEmpreend;
  std::string FCodigoInsumo;
  std::string FCodigoPessoaFin;
  TnDataSetSQL FCdsInsumo;
  TnDataSetSQL FCdsGrupoInsumo;
  TnMapperInsumo* FInsumo = nullptr;
  double FTotalCompetencia = 0;
  double FTotalCusOperGeral = 0;
  double FTotalCusOperEmpre = 0;
  double FTotalCustoInsumo = 0;
  bool FTotalizarCompetencia = false;
};

RPT_REGISTRAR_RELATORIO(TRptInputsByDevelopment)
