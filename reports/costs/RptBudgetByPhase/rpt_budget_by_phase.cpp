// Budgeted cost by phase: the latest budget total of each works spread over its
// phases by their participation percentages, sub-phases taking their share of
// their phase's amount; a total line closes each works, and a bar chart with one
// bar per phase can follow it. One works per page.
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/custo_orcado.h"
#include "host/report/destaque_linha.h"
#include "host/report/elementos.h"
#include "host/report/grafico_relatorio.h"

namespace {

constexpr int kSecaoFase = 8;                    // a phase line, also the works' total line
constexpr int kSecaoSubfase = 9;                 // a sub-phase line
constexpr int kSecaoGrafico = 10;                // the chart of the works' phases

constexpr int kTipoFase = 1;                     // OBRAFASE.TIPO of a phase; any other is a sub-phase
constexpr int kTipoSubfase = 2;                  // OBRAFASE.TIPO that never takes a bar
constexpr int kCodigoFaseObra = 1;               // the phase that stands for the whole works
constexpr double kCem = 100;                     // percentages are per cent
constexpr double kValorBarraUnica = 100;         // the bar of a works with nothing else to plot

const char* const kMascaraValor = "#,##0.00";
const char* const kNomeGrafico = "Grafico";

// The page header's column headings and the rule under them: they belong to the pages
// of lines, not to a chart page.
const char* const kTitulosColunas[] = {"TituloFase", "TituloParticipacao", "TituloValorOrcado", "LinhaTitulos"};

}  // namespace

class TnMapperCustoFase : public TnMapperBase {
 public:
  NCAMPO(CodigoFase);
  NCAMPO(ValorTotalOrcado);
  NCAMPO(Tipo);
  NCAMPO(PercentParticipacao);
  NCAMPO(Classificacao);
  NCAMPO(Descricao);
  NCAMPO(CodigoObra);
  NCAMPO(DescrObra);
  NCAMPO(NomeEmpre);
  NCAMPO(CodigoEmpreend);
};

class TRptBudgetByPhase : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoFase, kSecaoSubfase}; }
  void ImprimirInterno() override;

 private:
  void CarregarParametros();
  void CarregarDadosEscritorio();
  void PrepararGrafico();
  std::string MontarSQLFases();
  void ConsultarFases();
  bool NovaObra(int32_t oldCodigoObra, int32_t oldCodigoEmpreend) const;
  void AtribuirDadosObra();
  double CalcularValorFase();
  void ImprimirFase(double valor);
  void ImprimirTotal();
  void AdicionarSerieGrafico(double valor);
  void ImprimirGrafico();
  void AdicionarBarra(double valor, const std::string& rotulo);
  void ExibirTitulosColunas(bool exibir);
  bool EhFase() const { return FCustoFase->Tipo->AsInteger() == kTipoFase; }
  bool EhFaseObra() const { return FCustoFase->CodigoFase->AsInteger() == kCodigoFaseObra; }

  TnDataSetSQL FCdsFase;
  TnMapperCustoFase* FCustoFase = nullptr;       // belongs to FCdsFase
  TnTipoImprimir FTipoImprimir = imRelatorio;
  int32_t FCodigoEscrit = 0;
  bool FExibirSubFase = false;
  std::string FDescrFaseUm;
  std::string FCodigoObra;
  std::string FCodigoEmpreend;
  TDBChart* FChart = nullptr;                    // belongs to the layout element "Grafico"
  double FTotalPercentual = 0;
  double FOldTotalOrcado = 0;
  double FOldTotalFase = 0;
};

// ---- printing ---------------------------------------------------------------

void TRptBudgetByPhase::ImprimirInterno() {
  CarregarParametros();
  CarregarDadosEscritorio();
  PrepararGrafico();
  TnDestruirSQLAoSair liberar{&FCdsFase};
  ConsultarFases();
  if (FCdsFase->IsEmpty()) return;

  const int total = FCdsFase->RecordCount();
  int32_t oldCodigoObra = 0, oldCodigoEmpreend = 0;
  FOldTotalOrcado = 0;
  FTotalPercentual = 0;
  FDescrFaseUm.clear();
  FCdsFase->First();
  int linha = 0;
  while (!FCdsFase->Eof()) {
    if (NovaObra(oldCodigoObra, oldCodigoEmpreend)) {
      if (oldCodigoObra != 0) {
        ImprimirTotal();
        ImprimirGrafico();
      }
      FDescrFaseUm.clear();
      // A sub-phase before the works' first phase has no basis of its own.
      FOldTotalFase = 0;
      AtribuirDadosObra();
      RepEndOfPage(true);
    }
    if (EhFaseObra()) FDescrFaseUm = FCustoFase->Descricao->AsString();
    const double valor = CalcularValorFase();
    ImprimirFase(valor);
    AdicionarSerieGrafico(valor);
    Report->CSLShowProgress(++linha, total);
    oldCodigoObra = FCustoFase->CodigoObra->AsInteger();
    oldCodigoEmpreend = FCustoFase->CodigoEmpreend->AsInteger();
    FOldTotalOrcado = FCustoFase->ValorTotalOrcado->AsFloat();
    FCdsFase->Next();
  }
  ImprimirTotal();
  ImprimirGrafico();
}

void TRptBudgetByPhase::CarregarParametros() {
  TnpqPowerParam* p = Params();
  FTipoImprimir = static_cast<TnTipoImprimir>(p->Param("pTipoImprimir")->GetAsInteger());
  FExibirSubFase = p->Param("pExibirSubfase")->GetAsInteger() == 1;
  FCodigoEscrit = p->Param("pCodigoEscrit")->GetAsInteger();
  FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
  FCodigoObra = Trim(RepParam("pCodigoObra"));
}

void TRptBudgetByPhase::CarregarDadosEscritorio() {
  const nDMSQLDataSet::TnNomeInscricao escritorio = TnDMSQLDataSet::PegarNomeInscricao(FCodigoEscrit);
  Params()->SetValues("pDescrEscrit", escritorio.Nome);
  Params()->SetValues("pInscrFedEscrit", escritorio.InscFederal);
}

bool TRptBudgetByPhase::NovaObra(int32_t oldCodigoObra, int32_t oldCodigoEmpreend) const {
  return FCustoFase->CodigoObra->AsInteger() != oldCodigoObra ||
         FCustoFase->CodigoEmpreend->AsInteger() != oldCodigoEmpreend;
}

void TRptBudgetByPhase::AtribuirDadosObra() {
  const TnMapperCustoFase& c = *FCustoFase;
  Params()->SetValues("pDescrEmpreend", c.CodigoEmpreend->DisplayText() + " - " + c.NomeEmpre->DisplayText());
  Params()->SetValues("pDescrObra", c.CodigoObra->DisplayText() + " - " + c.DescrObra->DisplayText());
}

// A phase takes its percentage of the works' budget and becomes the basis of the
// sub-phases after it; a sub-phase takes its percentage of that basis.
double TRptBudgetByPhase::CalcularValorFase() {
  const double percentual = FCustoFase->PercentParticipacao->AsFloat();
  if (!EhFase()) return RoundValor(percentual * FOldTotalFase / kCem, 2);
  FOldTotalFase = RoundValor(percentual * FCustoFase->ValorTotalOrcado->AsFloat() / kCem, 2);
  return FOldTotalFase;
}

void TRptBudgetByPhase::ImprimirFase(double valor) {
  if (FTipoImprimir == imGrafico) return;
  const TnMapperCustoFase& c = *FCustoFase;
  TnpqPowerParam* p = Params();
  p->SetValues("R1", c.Classificacao->AsString() + " " + c.Descricao->AsString());
  p->SetValues("R2", FormatFloat(kMascaraValor, c.PercentParticipacao->AsFloat()));
  p->SetValues("R3", FormatFloat(kMascaraValor, valor));
  if (!EhFase()) {
    RepPrintSection(kSecaoSubfase);
    return;
  }
  if (!FExibirSubFase && !EhFaseObra())
    FTotalPercentual = RoundValor(FTotalPercentual + c.PercentParticipacao->AsFloat(), 2);
  RepPrintSection(kSecaoFase);
}

// The works' budget total, under the sum of the percentages when only phases print.
void TRptBudgetByPhase::ImprimirTotal() {
  if (FTipoImprimir == imGrafico) return;
  TnpqPowerParam* p = Params();
  p->SetValues("R1", "Total");
  p->SetValues("R2", FExibirSubFase ? "" : FormatFloat(kMascaraValor, FTotalPercentual));
  p->SetValues("R3", FormatFloat(kMascaraValor, FOldTotalOrcado));
  DestacarRotulosSecao(*Report, kSecaoFase, true);
  RepPrintSection(kSecaoFase);
  DestacarRotulosSecao(*Report, kSecaoFase, false);
  FTotalPercentual = 0;
}

// ---- chart ------------------------------------------------------------------

void TRptBudgetByPhase::PrepararGrafico() {
  if (FTipoImprimir == imRelatorio) {
    FChart = nullptr;
    return;
  }
  if (!FChart) FChart = Report->GraficoByName(kNomeGrafico)->Chart();
  LimparGrafico(*FChart, true);
}

void TRptBudgetByPhase::AdicionarSerieGrafico(double valor) {
  if (FTipoImprimir == imRelatorio) return;
  if (EhFaseObra() || FCustoFase->Tipo->AsInteger() == kTipoSubfase) return;
  AdicionarBarra(valor, FCustoFase->Descricao->AsString());
}

// The chart takes the room left on the page, or a page of its own: such a page
// shows the works without the column headings of the lines.
void TRptBudgetByPhase::ImprimirGrafico() {
  if (FTipoImprimir == imRelatorio) return;
  if (FChart->SeriesCount() == 0) AdicionarBarra(kValorBarraUnica, FDescrFaseUm);
  ExibirTitulosColunas(false);
  RepPrintSection(kSecaoGrafico);
  ExibirTitulosColunas(true);
  PrepararGrafico();
}

// One bar: a series of its own with a single point. The series has no title, so
// the legend does not repeat the bar's label.
void TRptBudgetByPhase::AdicionarBarra(double valor, const std::string& rotulo) {
  TChartSeries* serie = FChart->AddSeries(std::make_unique<TBarSeries>());
  serie->Add(valor, rotulo, clTeeColor);
}

void TRptBudgetByPhase::ExibirTitulosColunas(bool exibir) {
  for (int i = 0; i < Report->GetObjectCount(); ++i) {
    TnpqObjeto* objeto = Report->GetObjects(i);
    for (const char* nome : kTitulosColunas)
      if (objeto->Nome == nome) objeto->Visible = exibir;
  }
}

// ---- query ------------------------------------------------------------------

std::string TRptBudgetByPhase::MontarSQLFases() {
  std::string sql =
      "select FA.CodigoObra , OB.DescrObra , OB.CodigoEmpreend , EM.NomeEmpre , FA.CodigoFase , "
      "FA.Classificacao , FA.Descricao , FA.Tipo , FA.PercentParticipacao , OC.ValorTotalOrcado "
      "from OBRAFASE FA "
      "join OBRA OB on OB.CodigoEscrit = FA.CodigoEscrit and OB.CodigoObra = FA.CodigoObra "
      "join ObraOrcamento OC on OC.CodigoEscrit = FA.CodigoEscrit and OC.CodigoObra = OB.CodigoObra "
      "join Empreendimento EM on EM.CodigoEscrit = FA.CodigoEscrit and EM.CodigoEmpreend = OB.CodigoEmpreend "
      "where FA.CodigoEscrit = :pCodigoEscrit "
      "and OC.DataOrcamento = (select max(OC2.DataOrcamento) from ObraOrcamento OC2 "
      "where OC2.CodigoEscrit = OC.CodigoEscrit and OC2.CodigoObra = OC.CodigoObra) ";
  if (!FCodigoEmpreend.empty()) sql += FiltroParametro(Params()->Param("pCodigoEmpreend"), {"OB.CodigoEmpreend"});
  if (!FCodigoObra.empty()) sql += FiltroParametro(Params()->Param("pCodigoObra"), {"FA.CodigoObra"});
  if (!FExibirSubFase) sql += "and FA.Tipo = " + ValorParaSQL(TValor(kTipoFase)) + " ";
  sql += "order by OB.CodigoEmpreend, FA.CodigoObra, FA.Classificacao";
  return sql;
}

void TRptBudgetByPhase::ConsultarFases() {
  FCdsFase = ExecutarSQL(MontarSQLFases(), {TValor(FCodigoEscrit)}, true, false, -1, "", nullptr, true);
  FCustoFase = Mapper<TnMapperCustoFase>(FCdsFase.get());
}

RPT_REGISTRAR_RELATORIO(TRptBudgetByPhase)
