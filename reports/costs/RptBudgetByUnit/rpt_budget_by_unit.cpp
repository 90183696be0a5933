// Budgeted cost by unit: the latest budget of each works apportioned over the units
// (analytic) or unit types (synthetic) of its development in proportion to their
// total or usable area, one works per page, with a total line; the last line of a
// works takes what rounding left over, so the lines add up to the budget and to 100.
#include <cmath>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/custo_orcado_imovel.h"

namespace {

constexpr int kSecaoImovel = 8;                  // one unit (or unit type) line
constexpr int kSecaoTotal = 9;                   // the works total line

constexpr int kRateioPorAreaTotal = 1;           // Empreendimento.FormaRateio: by total area (else usable area)
constexpr double kPercentualTotal = 100;         // what the percentages of a works add up to
constexpr double kToleranciaArea = 0.005;        // lines whose areas come this close cover the development

const char* const kMascaraValor = "#,##0.00";
const char* const kMascaraCoeficiente = "#,##0.0000";

// a == b to the cent.
bool IguaisNoCentavo(double a, double b) { return std::llround(a * 100) == std::llround(b * 100); }

// dividendo / divisor * fator; 0 when the divisor is 0 or the result is not a number.
double Proporcao(double dividendo, double divisor, double fator) {
  if (divisor == 0) return 0;
  const double r = dividendo / divisor * fator;
  return std::isfinite(r) ? r : 0;
}

}  // namespace

class TnMapperImovel : public TnMapperBase {
 public:
  NCAMPO(CodigoEmpreend);
  NCAMPO(NomeEmpre);
  NCAMPO(Codigo);
  NCAMPO(Descricao);
  NCAMPO(CodigoObra);
  NCAMPO(DescrObra);
  NCAMPO(ValorTotalOrcado);                      // the works' budget total
  NCAMPO(FormaRateio);
  NCAMPO(TotalMQuadradoEmpreend);                // the development's total area
  NCAMPO(TotalMUtilEmpreend);                    // the development's usable area
  NCAMPO(TotalMQuadrado);                        // the line's total area
  NCAMPO(TotalMQuadradoUtil);                    // the line's usable area
  NCAMPO(CoeficienteMQuadrado);                  // the line's area coefficient
};

class TRptBudgetByUnit : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoImovel}; }
  void ImprimirInterno() override;

 private:
  void CarregarParametros();
  void ValidarSelecoes();
  void CarregarDadosEscritorio();
  void AtribuirTitulos();
  void ConsultarImoveis();
  bool NovaObra(int32_t codigoObra, int32_t codigoEmpreend) const;
  void AtribuirDadosObra();
  void ImprimirImovel();
  void AtribuirCusto();
  bool UltimaLinhaDaObra();
  bool LinhasCobremEmpreendimento() const;
  void AjustarCusto(double custo);
  void AjustarPercentual(double percentual);
  void ImprimirTotal();
  void ZerarTotais();

  bool RateioPorAreaTotal() const;
  double AreaBase() const;
  double AreaBaseEmpreendimento() const;
  double CalcularCustoImovel() const;

  TnModeloRelat FModeloRelat = moAnalitico;
  int32_t FCodigoEscrit = 0;
  std::string FCodigoEmpreend;
  std::string FCodigoObra;
  std::string FCodigoImovel;
  std::string FCodigoTPImovel;
  TnDataSetSQL FCdsImovel;
  TnMapperImovel* FCustoImovel = nullptr;        // belongs to FCdsImovel
  double FTotalArea = 0;                         // rounded to 2 at each step
  double FTotalUtil = 0;                         // rounded to 2 at each step
  double FTotalCoeficiente = 0;                  // rounded to 4 at each step
  double FTotalCustoAtrib = 0;                   // sum of the printed costs, to the cent
  double FTotalPercCustoOrcado = 0;              // sum of the printed percentages, to the cent
  double FTotalAreaRateio = 0;                   // unrounded sum of the lines' apportionment areas
};

// ---- printing ---------------------------------------------------------------

void TRptBudgetByUnit::ImprimirInterno() {
  CarregarParametros();
  CarregarDadosEscritorio();
  AtribuirTitulos();
  TnDestruirSQLAoSair liberar{&FCdsImovel};
  ConsultarImoveis();
  if (FCdsImovel->IsEmpty()) return;

  const int total = FCdsImovel->RecordCount();
  int32_t obraAnterior = 0, empreendAnterior = 0;
  ZerarTotais();
  FCdsImovel->First();
  int linha = 0;
  while (!FCdsImovel->Eof()) {
    if (NovaObra(obraAnterior, empreendAnterior)) {
      // The ending works' total goes first, so a total that spills onto a new page
      // still has its own works in the page header.
      if (obraAnterior != 0) ImprimirTotal();
      AtribuirDadosObra();
      RepEndOfPage(true);
    }
    ImprimirImovel();
    Report->CSLShowProgress(++linha, total);
    obraAnterior = FCustoImovel->CodigoObra->AsInteger();
    empreendAnterior = FCustoImovel->CodigoEmpreend->AsInteger();
    FCdsImovel->Next();
    if (FCdsImovel->Eof()) ImprimirTotal();
  }
}

void TRptBudgetByUnit::CarregarParametros() {
  TnpqPowerParam* p = Params();
  FModeloRelat = static_cast<TnModeloRelat>(p->Param("pModelo")->GetAsInteger());
  FCodigoEscrit = p->Param("pCodigoEscrit")->GetAsInteger();
  FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
  FCodigoObra = Trim(RepParam("pCodigoObra"));
  FCodigoImovel = Trim(RepParam("pCodigoImovel"));
  FCodigoTPImovel = Trim(RepParam("pCodigoTPImovel"));
  ValidarSelecoes();
}

// The builder takes the selections as texts; a refused one is named here, before any query.
void TRptBudgetByUnit::ValidarSelecoes() {
  FiltroParametro(Params()->Param("pCodigoEmpreend"), {"OB.CodigoEmpreend"});
  FiltroParametro(Params()->Param("pCodigoObra"), {"OB.CodigoObra"});
  FiltroParametro(Params()->Param("pCodigoImovel"), {"IM.CodigoImovel"});
  FiltroParametro(Params()->Param("pCodigoTPImovel"), {"IM.CodigoTPImovel"});
}

void TRptBudgetByUnit::CarregarDadosEscritorio() {
  const nDMSQLDataSet::TnNomeInscricao escritorio = TnDMSQLDataSet::PegarNomeInscricao(FCodigoEscrit);
  Params()->SetValues("pDescrEscrit", escritorio.Nome);
  Params()->SetValues("pInscrFedEscrit", escritorio.InscFederal);
}

void TRptBudgetByUnit::AtribuirTitulos() {
  const bool analitico = FModeloRelat == moAnalitico;
  TnpqPowerParam* p = Params();
  p->SetValues("pTituloDescricao", analitico ? "Imóvel" : "Tipo Imóvel");
  p->SetValues("pTituloCoeficiente", analitico ? "Coeficiente" : "Coeficiente Total");
  p->SetValues("pTituloMQuadrado", analitico ? "M² Total" : "Área Total");
  p->SetValues("pTituloMUtil", analitico ? "M² Útil" : "Área Total Útil");
}

bool TRptBudgetByUnit::NovaObra(int32_t codigoObra, int32_t codigoEmpreend) const {
  return FCustoImovel->CodigoObra->AsInteger() != codigoObra ||
         FCustoImovel->CodigoEmpreend->AsInteger() != codigoEmpreend;
}

void TRptBudgetByUnit::AtribuirDadosObra() {
  const TnMapperImovel& c = *FCustoImovel;
  Params()->SetValues("pDescrEmpreend", c.CodigoEmpreend->DisplayText() + " - " + c.NomeEmpre->DisplayText());
  Params()->SetValues("pDescrObra", c.CodigoObra->DisplayText() + " - " + c.DescrObra->DisplayText());
}

void TRptBudgetByUnit::ImprimirImovel() {
  AtribuirCusto();
  const TnMapperImovel& c = *FCustoImovel;
  TnpqPowerParam* p = Params();
  p->SetValues("R1", c.Codigo->DisplayText() + " - " + c.Descricao->DisplayText());
  p->SetValues("R2", FormatFloat(kMascaraCoeficiente, c.CoeficienteMQuadrado->AsFloat()));
  p->SetValues("R3", FormatFloat(kMascaraValor, c.TotalMQuadrado->AsFloat()));
  p->SetValues("R4", FormatFloat(kMascaraValor, c.TotalMQuadradoUtil->AsFloat()));
  RepPrintSection(kSecaoImovel);
  FTotalArea = RoundValor(FTotalArea + c.TotalMQuadrado->AsFloat(), 2);
  FTotalUtil = RoundValor(FTotalUtil + c.TotalMQuadradoUtil->AsFloat(), 2);
  FTotalCoeficiente = RoundValor(FTotalCoeficiente + c.CoeficienteMQuadrado->AsFloat(), 4);
}

// Cost and percentage are rounded to the cent as printed and added as printed, so
// the total line is the sum of the lines above it.
void TRptBudgetByUnit::AtribuirCusto() {
  const double orcado = FCustoImovel->ValorTotalOrcado->AsFloat();
  const double custoExato = CalcularCustoImovel();
  const double custo = RoundValor(custoExato, 2);
  const double percentual = RoundValor(Proporcao(custoExato, orcado, kPercentualTotal), 2);
  FTotalCustoAtrib = RoundValor(FTotalCustoAtrib + custo, 2);
  FTotalPercCustoOrcado = RoundValor(FTotalPercCustoOrcado + percentual, 2);
  FTotalAreaRateio += AreaBase();
  Params()->SetValues("R5", FormatFloat(kMascaraValor, custo));
  Params()->SetValues("R6", FormatFloat(kMascaraValor, percentual));
  if (UltimaLinhaDaObra() && LinhasCobremEmpreendimento()) {
    AjustarCusto(custo);
    AjustarPercentual(percentual);
  }
}

// The last row of the data, or a next row of another works; the cursor is back on
// the current row afterwards.
bool TRptBudgetByUnit::UltimaLinhaDaObra() {
  if (FCdsImovel->RecNo() >= FCdsImovel->RecordCount()) return true;
  const int32_t obra = FCustoImovel->CodigoObra->AsInteger();
  const int32_t empreend = FCustoImovel->CodigoEmpreend->AsInteger();
  FCdsImovel->Next();
  const bool ultima = NovaObra(obra, empreend);
  FCdsImovel->Prior();
  return ultima;
}

// Only lines that hold the development's whole area take the whole budget: under a
// unit or type selection the lines keep their shares.
bool TRptBudgetByUnit::LinhasCobremEmpreendimento() const {
  const double areaEmpreend = AreaBaseEmpreendimento();
  return areaEmpreend > 0 && FCustoImovel->ValorTotalOrcado->AsFloat() > 0 &&
         std::fabs(FTotalAreaRateio - areaEmpreend) <= kToleranciaArea;
}

void TRptBudgetByUnit::AjustarCusto(double custo) {
  const double orcado = FCustoImovel->ValorTotalOrcado->AsFloat();
  double corrigido = custo;
  if (!IguaisNoCentavo(FTotalCustoAtrib, orcado)) {
    corrigido = VerificarSetemDiferenca(orcado, FTotalCustoAtrib, custo);
    FTotalCustoAtrib = RoundValor(FTotalCustoAtrib - custo + corrigido, 2);
  }
  Params()->SetValues("R5", FormatFloat(kMascaraValor, corrigido));
}

void TRptBudgetByUnit::AjustarPercentual(double percentual) {
  double corrigido = percentual;
  if (!IguaisNoCentavo(FTotalPercCustoOrcado, kPercentualTotal)) {
    corrigido = VerificarSetemDiferenca(kPercentualTotal, FTotalPercCustoOrcado, percentual);
    FTotalPercCustoOrcado = RoundValor(FTotalPercCustoOrcado - percentual + corrigido, 2);
  }
  Params()->SetValues("R6", FormatFloat(kMascaraValor, corrigido));
}

void TRptBudgetByUnit::ImprimirTotal() {
  TnpqPowerParam* p = Params();
  p->SetValues("R2", FormatFloat(kMascaraCoeficiente, FTotalCoeficiente));
  p->SetValues("R3", FormatFloat(kMascaraValor, FTotalArea));
  p->SetValues("R4", FormatFloat(kMascaraValor, FTotalUtil));
  p->SetValues("R5", FormatFloat(kMascaraValor, FTotalCustoAtrib));
  p->SetValues("R6", FormatFloat(kMascaraValor, FTotalPercCustoOrcado));
  RepPrintSection(kSecaoTotal);
  ZerarTotais();
}

void TRptBudgetByUnit::ZerarTotais() {
  FTotalArea = 0;
  FTotalUtil = 0;
  FTotalCoeficiente = 0;
  FTotalCustoAtrib = 0;
  FTotalPercCustoOrcado = 0;
  FTotalAreaRateio = 0;
}

// ---- apportionment of the current row -----------------------------------------

bool TRptBudgetByUnit::RateioPorAreaTotal() const {
  return FCustoImovel->FormaRateio->AsInteger() == kRateioPorAreaTotal;
}

double TRptBudgetByUnit::AreaBase() const {
  return (RateioPorAreaTotal() ? FCustoImovel->TotalMQuadrado : FCustoImovel->TotalMQuadradoUtil)->AsFloat();
}

double TRptBudgetByUnit::AreaBaseEmpreendimento() const {
  return (RateioPorAreaTotal() ? FCustoImovel->TotalMQuadradoEmpreend : FCustoImovel->TotalMUtilEmpreend)->AsFloat();
}

// The line's share of the budget, not rounded; 0 when the development has no area.
double TRptBudgetByUnit::CalcularCustoImovel() const {
  return Proporcao(FCustoImovel->ValorTotalOrcado->AsFloat(), AreaBaseEmpreendimento(), AreaBase());
}

// ---- query ------------------------------------------------------------------

void TRptBudgetByUnit::ConsultarImoveis() {
  const std::string sql = MontarSqlCustoOrcadoObraPorImovel(FModeloRelat, FCodigoEmpreend, FCodigoObra, FCodigoImovel,
                                                            FCodigoTPImovel, 0);
  FCdsImovel = ExecutarSQL(sql, {TValor(FCodigoEscrit)}, true, false, -1, "", nullptr, true);
  FCustoImovel = Mapper<TnMapperImovel>(FCdsImovel.get());
}

RPT_REGISTRAR_RELATORIO(TRptBudgetByUnit)
