// Budgeted cost by area: the latest budget of each works, one works per page,
// one line per input (analytic) or input group (synthetic) with its amounts, its
// share of the works' total, the amount converted by the budget's currency rate
// and the cost per square metre of the development's units; a chart of the
// shares after each works, alone or after the lines.
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/custo_orcado.h"
#include "host/report/grafico_relatorio.h"

namespace {

constexpr int kSecaoLinha = 8;                   // one budget line
constexpr int kSecaoGrafico = 9;                 // the chart of the works' shares

constexpr int kConverterMoeda = 1;               // ObraOrcamento.ConverterMoeda: show amounts in the currency
constexpr int kRateioPorAreaTotal = 1;           // Empreendimento.FormaRateio: by total area (else usable area)

const char* const kMascaraValor = "#,##0.00";
const char* const kNomeGrafico = "Grafico";

// The page header's column headings: they belong to the pages of lines, not to a chart page.
const char* const kTitulosColunas[] = {"TituloDescricao", "TituloQtd", "TituloCustoUnit", "TituloValorTotal",
                                       "TituloParticipacao", "TituloValorConvertido", "TituloCustoPor",
                                       "TituloCustoArea"};

}  // namespace

class TnMapperCustoOrcado : public TnMapperBase {
 public:
  NCAMPO_OPCIONAL(CodigoInsumoGrupo);            // synthetic model only
  NCAMPO_OPCIONAL(ClassifGrupo);
  NCAMPO_OPCIONAL(DescrGrupo);
  NCAMPO(CodigoEmpreend);
  NCAMPO(NomeEmpre);
  NCAMPO(CodigoObra);
  NCAMPO(DescrObra);
  NCAMPO(CodigoMoeda);
  NCAMPO(NomeMoeda);
  NCAMPO_OPCIONAL(CodigoInsumo);                 // analytic model only
  NCAMPO_OPCIONAL(DescrInsumo);
  NCAMPO_OPCIONAL(Quantidade);
  NCAMPO_OPCIONAL(ValorUnitario);
  NCAMPO(ValorTotal);
  NCAMPO(ConverterMoeda);
  NCAMPO(ValorCotacaoMoeda);
  NCAMPO(FormaRateio);
  NCAMPO(TotalMQuadrado);
  NCAMPO(TotalMUtil);
  NCAMPO(ValorTotalObra);
};

class TRptBudgetByArea : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoLinha}; }
  void ImprimirInterno() override;

 private:
  void CarregarParametros();
  void CarregarDadosEscritorio();
  void AtribuirTitulos();
  void PrepararGrafico();
  std::string MontarSQLCustoOrcado();
  void ConsultarCustoOrcado();
  bool NovaObra() const;
  void AtribuirDadosObra();
  void ImprimirLinha();
  void ImprimirLinhaAnalitica();
  void ImprimirLinhaSintetica();
  void AdicionarDadoGrafico();
  void ImprimirGrafico();
  void ExibirTitulosColunas(bool exibir);

  double CalcularParticipacao() const;
  double CalcularValorConvertido() const;
  double CalcularCustoPorArea() const;
  void ImprimirValores(const std::string& descricao, const std::string& quantidade,
                       const std::string& valorUnitario);

  TnDataSetSQL FCdsCusto;
  TDBChart* FChart = nullptr;                    // belongs to the layout element "Grafico"
  TnModeloRelat FModeloRelat = moAnalitico;
  TnTipoImprimir FTipoImprimir = imRelatorio;
  int32_t FCodigoEscrit = 0;
  std::string FCodigoEmpreend;
  std::string FCodigoObra;
  std::string FCodigoInsumo;
  TnMapperCustoOrcado* FCustoOrcado = nullptr;   // belongs to FCdsCusto
  int32_t FOldCodigoObra = 0;
  int32_t FOldCodigoEmpreend = 0;
};

// ---- printing ---------------------------------------------------------------

void TRptBudgetByArea::ImprimirInterno() {
  CarregarParametros();
  CarregarDadosEscritorio();
  AtribuirTitulos();
  PrepararGrafico();
  FOldCodigoObra = 0;
  FOldCodigoEmpreend = 0;

  TnDestruirSQLAoSair liberar{&FCdsCusto};
  ConsultarCustoOrcado();
  if (FCdsCusto->IsEmpty()) return;

  const int total = FCdsCusto->RecordCount();
  FCdsCusto->First();
  int linha = 0;
  while (!FCdsCusto->Eof()) {
    if (NovaObra()) {
      if (FOldCodigoObra != 0) ImprimirGrafico();
      AtribuirDadosObra();
      RepEndOfPage(true);
    }
    ImprimirLinha();
    AdicionarDadoGrafico();
    Report->CSLShowProgress(++linha, total);
    FOldCodigoObra = FCustoOrcado->CodigoObra->AsInteger();
    FOldCodigoEmpreend = FCustoOrcado->CodigoEmpreend->AsInteger();
    FCdsCusto->Next();
  }
  ImprimirGrafico();
}

void TRptBudgetByArea::CarregarParametros() {
  TnpqPowerParam* p = Params();
  FModeloRelat = static_cast<TnModeloRelat>(p->Param("pModelo")->GetAsInteger());
  FTipoImprimir = static_cast<TnTipoImprimir>(p->Param("pTipoImprimir")->GetAsInteger());
  FCodigoEscrit = p->Param("pCodigoEscrit")->GetAsInteger();
  FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
  FCodigoObra = Trim(RepParam("pCodigoObra"));
  FCodigoInsumo = Trim(RepParam("pCodigoInsumo"));
}

void TRptBudgetByArea::CarregarDadosEscritorio() {
  const nDMSQLDataSet::TnNomeInscricao escritorio = TnDMSQLDataSet::PegarNomeInscricao(FCodigoEscrit);
  Params()->SetValues("pDescrEscrit", escritorio.Nome);
  Params()->SetValues("pInscrFedEscrit", escritorio.InscFederal);
}

void TRptBudgetByArea::AtribuirTitulos() {
  const bool analitico = FModeloRelat == moAnalitico;
  Params()->SetValues("pTituloDescricao", analitico ? "Insumo" : "Grupo Insumo");
  Params()->SetValues("pTituloQtd", analitico ? "Quantidade" : "");
  Params()->SetValues("pTituloCustoUnit", analitico ? "Custo Unitário R$" : "");
}

bool TRptBudgetByArea::NovaObra() const {
  return FCustoOrcado->CodigoObra->AsInteger() != FOldCodigoObra ||
         FCustoOrcado->CodigoEmpreend->AsInteger() != FOldCodigoEmpreend;
}

void TRptBudgetByArea::AtribuirDadosObra() {
  const TnMapperCustoOrcado& c = *FCustoOrcado;
  TnpqPowerParam* p = Params();
  p->SetValues("pDescrArea", c.FormaRateio->AsInteger() == kRateioPorAreaTotal ? "M²" : "M² Útil");
  p->SetValues("pDescrEmpreend", c.CodigoEmpreend->DisplayText() + " - " + c.NomeEmpre->DisplayText());
  p->SetValues("pDescrObra", c.CodigoObra->DisplayText() + " - " + c.DescrObra->DisplayText());
  p->SetValues("pDescrMoeda", c.CodigoMoeda->DisplayText() + " - " + c.NomeMoeda->DisplayText());
}

void TRptBudgetByArea::ImprimirLinha() {
  if (FTipoImprimir == imGrafico) return;
  if (FModeloRelat == moAnalitico)
    ImprimirLinhaAnalitica();
  else
    ImprimirLinhaSintetica();
}

void TRptBudgetByArea::ImprimirLinhaAnalitica() {
  const TnMapperCustoOrcado& c = *FCustoOrcado;
  ImprimirValores(c.CodigoInsumo->DisplayText() + " - " + c.DescrInsumo->DisplayText(),
                  FormatFloat(kMascaraValor, c.Quantidade->AsFloat()),
                  FormatFloat(kMascaraValor, c.ValorUnitario->AsFloat()));
}

void TRptBudgetByArea::ImprimirLinhaSintetica() {
  const TnMapperCustoOrcado& c = *FCustoOrcado;
  ImprimirValores(c.CodigoInsumoGrupo->DisplayText() + " - " + c.ClassifGrupo->DisplayText() + " " +
                      c.DescrGrupo->DisplayText(),
                  "", "");
}

// R1 to R3 as the model gives them, R4 to R7 the same in both models; then the line.
void TRptBudgetByArea::ImprimirValores(const std::string& descricao, const std::string& quantidade,
                                       const std::string& valorUnitario) {
  TnpqPowerParam* p = Params();
  p->SetValues("R1", descricao);
  p->SetValues("R2", quantidade);
  p->SetValues("R3", valorUnitario);
  p->SetValues("R4", FormatFloat(kMascaraValor, FCustoOrcado->ValorTotal->AsFloat()));
  p->SetValues("R5", FormatFloat(kMascaraValor, CalcularParticipacao()));
  p->SetValues("R6", FormatFloat(kMascaraValor, CalcularValorConvertido()));
  p->SetValues("R7", FormatFloat(kMascaraValor, CalcularCustoPorArea()));
  RepPrintSection(kSecaoLinha);
}

// ---- derived values of the current row ---------------------------------------
// A zero or missing divisor (works total, currency rate, area) gives 0.

// The line's fraction of the works' total budget (0.25, not 25).
double TRptBudgetByArea::CalcularParticipacao() const {
  return DividirArredondado(FCustoOrcado->ValorTotal->AsFloat(), FCustoOrcado->ValorTotalObra->AsFloat());
}

double TRptBudgetByArea::CalcularValorConvertido() const {
  const double valor = FCustoOrcado->ValorTotal->AsFloat();
  if (FCustoOrcado->ConverterMoeda->AsInteger() != kConverterMoeda) return valor;
  return DividirArredondado(valor, FCustoOrcado->ValorCotacaoMoeda->AsFloat());
}

double TRptBudgetByArea::CalcularCustoPorArea() const {
  const bool porAreaTotal = FCustoOrcado->FormaRateio->AsInteger() == kRateioPorAreaTotal;
  const TField* area = porAreaTotal ? FCustoOrcado->TotalMQuadrado : FCustoOrcado->TotalMUtil;
  return DividirArredondado(FCustoOrcado->ValorTotal->AsFloat(), area->AsFloat());
}

// ---- chart ------------------------------------------------------------------

void TRptBudgetByArea::PrepararGrafico() {
  if (FTipoImprimir == imRelatorio) {
    FChart = nullptr;
    return;
  }
  if (!FChart) FChart = Report->GraficoByName(kNomeGrafico)->Chart();
  LimparGrafico(*FChart);
}

void TRptBudgetByArea::AdicionarDadoGrafico() {
  if (FTipoImprimir == imRelatorio) return;
  const TField* rotulo = FModeloRelat == moAnalitico ? FCustoOrcado->DescrInsumo : FCustoOrcado->DescrGrupo;
  AdicionarPonto(*FChart, CalcularParticipacao(), rotulo->AsString(), clTeeColor);
}

// The chart takes a page body of its own, so the page it opens shows the works
// without the column headings of the lines.
void TRptBudgetByArea::ImprimirGrafico() {
  if (FTipoImprimir == imRelatorio) return;
  ExibirTitulosColunas(false);
  RepPrintSection(kSecaoGrafico);
  ExibirTitulosColunas(true);
  PrepararGrafico();
}

void TRptBudgetByArea::ExibirTitulosColunas(bool exibir) {
  for (const char* nome : kTitulosColunas)
    if (TnpqLabel* titulo = Report->FindLabel(nome)) titulo->Visible = exibir;
}

// ---- query ------------------------------------------------------------------

// Lines follow the input code (analytic) or the group classification (synthetic)
// inside each works, so the order does not depend on the database's plan.
std::string TRptBudgetByArea::MontarSQLCustoOrcado() {
  const bool analitico = FModeloRelat == moAnalitico;
  std::string sql;
  sql += analitico
             ? "select OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , "
               "MO.NomeMoeda , OI.CodigoInsumo , SU.DescrInsumo , OI.CodigoUnidadeMedida , OO.ConverterMoeda , "
               "OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra , "
               "sum(OI.Quantidade) Quantidade , sum(OI.ValorUnitario) ValorUnitario , sum(OI.ValorTotal) ValorTotal "
             : "select OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , "
               "MO.NomeMoeda , SU.CodigoInsumoGrupo, GR.ClassifGrupo, GR.DescrGrupo, OO.ConverterMoeda , "
               "OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra , "
               "sum(OI.ValorTotal) ValorTotal ";
  sql += "from ObraOrcamento OO "
         "join Obra OB "
         "on OB.CodigoEscrit = OO.CodigoEscrit "
         "and OB.CodigoObra = OO.CodigoObra "
         "join Empreendimento EM "
         "on EM.CodigoEscrit = OO.CodigoEscrit "
         "and EM.CodigoEmpreend = OB.CodigoEmpreend "
         "join OBRAORCAMENTOINSUMO OI "
         "on OI.CodigoEscrit = OO.CodigoEscrit "
         "and OI.CodigoObra = OO.CodigoObra "
         "and OI.DataOrcamento = OO.DataOrcamento "
         "join Insumo SU "
         "on SU.CodigoInsumo = OI.CodigoInsumo "
         "join FprMoeda MO "
         "on MO.CodigoMoeda = OO.CodigoMoeda ";
  sql += "join (select EM2.CodigoEscrit "
         ", EM2.CodigoEmpreend "
         ", sum(IA.TotalMQuadrado) TotalMQuadrado "
         ", sum(IA.TotalMUtil) TotalMUtil "
         "from Empreendimento EM2 "
         "join Imovel IM "
         "on IM.CodigoEscrit = EM2.CodigoEscrit "
         "and IM.CodigoEmpreend = EM2.CodigoEmpreend "
         "join ImovelArea IA "
         "on IA.CodigoEscrit = EM2.CodigoEscrit "
         "and IA.CodigoImovel = IM.CodigoImovel "
         "where EM2.CodigoEscrit = :pCodigoEscrit "
         "group by 1,2) AR "
         "on AR.CodigoEscrit = OO.CodigoEscrit "
         "and AR.CodigoEmpreend = OB.CodigoEmpreend ";
  sql += "join (select OI2.CodigoEscrit, OI2.CodigoObra, OI2.DataOrcamento, sum(OI2.ValorTotal) ValorTotalObra "
         "from  ObraOrcamentoInsumo OI2 "
         "where OI2.CodigoEscrit = :pCodigoEscrit "
         "group by OI2.CodigoEscrit, OI2.CodigoObra, OI2.DataOrcamento) OT "
         "on OT.CodigoEscrit = OO.CodigoEscrit "
         "and OT.CodigoObra = OO.CodigoObra "
         "and OT.DataOrcamento = OO.DataOrcamento ";
  if (!analitico) sql += "join InsumoGrupo GR on GR.CodigoInsumoGrupo = SU.CodigoInsumoGrupo ";
  sql += "where OO.CodigoEscrit = :pCodigoEscrit "
         "and OO.DataOrcamento = (select max(OO2.DataOrcamento) "
         "from ObraOrcamento OO2 "
         "where OO2.CodigoEscrit = OO.CodigoEscrit "
         "and OO2.CodigoObra = OO.CodigoObra) ";
  std::string filtro;
  if (!FCodigoEmpreend.empty()) filtro += FiltroParametro(Params()->Param("pCodigoEmpreend"), {"OB.CodigoEmpreend"});
  if (!FCodigoObra.empty()) filtro += FiltroParametro(Params()->Param("pCodigoObra"), {"OB.CodigoObra"});
  if (!FCodigoInsumo.empty()) filtro += FiltroParametro(Params()->Param("pCodigoInsumo"), {"OI.CodigoInsumo"});
  sql += filtro;
  sql += analitico
             ? " group by OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , "
               "MO.NomeMoeda , OI.CodigoInsumo , SU.DescrInsumo , OI.CodigoUnidadeMedida , OO.ConverterMoeda , "
               "OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra "
             : " group by OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , "
               "MO.NomeMoeda , SU.CodigoInsumoGrupo, GR.ClassifGrupo, GR.DescrGrupo, OO.ConverterMoeda , "
               "OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra ";
  sql += analitico ? "order by OB.CodigoEmpreend, OO.CodigoObra, OI.CodigoInsumo "
                   : "order by OB.CodigoEmpreend, OO.CodigoObra, GR.ClassifGrupo ";
  return sql;
}

void TRptBudgetByArea::ConsultarCustoOrcado() {
  FCdsCusto = ExecutarSQL(MontarSQLCustoOrcado(), {TValor(FCodigoEscrit)}, true, false, -1, "", nullptr, true);
  FCustoOrcado = Mapper<TnMapperCustoOrcado>(FCdsCusto.get());
}

RPT_REGISTRAR_RELATORIO(TRptBudgetByArea)
