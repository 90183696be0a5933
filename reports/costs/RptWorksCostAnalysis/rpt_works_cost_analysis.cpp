// Works cost analysis: for each construction works of one company, the budgeted cost
// against the cost applied in a period and the cost still to apply, line by line (by
// input, input group or works phase) and in total, with percentages; one page per
// works. The figures come from the works-cost entity.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/custo_obra.h"

namespace {

constexpr int kSecaoItem = 8;                   // one cost line (striped)
constexpr int kSecaoTotalObra = 9;              // works totals
constexpr const char* kMascaraValor = "#,##0.00";
constexpr const char* kMascaraPercentual = "##0.00";
constexpr const char* kMascaraArea = "#,####0.0000";
constexpr const char* kMascaraData = "DD/MM/YYYY";
constexpr const char* kMascaraCompetencia = "mm/yyyy";
constexpr const char* kSemDetalhamentoFase = "*não contém detalhamento de valores por fase*";

// A competence typed "DD/MM/AAAA" (any day of the month) or "MM/AAAA"; 0 for any
// other text, which counts as not given.
TDateTime LerCompetencia(const std::string& texto) {
  if (const TDateTime data = StrToDateDef(texto, 0); data > 0) return data;
  const std::string t = Trim(texto);
  int mes = 0, ano = 0, lidos = 0;
  TDateTime data = 0;
  const bool mesAno = t.size() >= 6 && std::isdigit(static_cast<unsigned char>(t[0])) &&
                      std::sscanf(t.c_str(), "%2d/%4d%n", &mes, &ano, &lidos) == 2 &&
                      lidos == static_cast<int>(t.size()) && t.size() - t.find('/') == 5;
  return mesAno && TryEncodeDate(ano, mes, 1, data) ? data : 0;
}

std::string DataOuBranco(TDateTime data) { return data > 0 ? FormatDateTime(kMascaraData, data) : ""; }
std::string AreaOuBranco(double area) { return area > 0 ? FormatFloat(kMascaraArea, area) : ""; }

}  // namespace

class TRptWorksCostAnalysis : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoItem}; }

  void ImprimirInterno() override {
    CarregarParametros();
    PreencherCabecalho();
    GerarCustosObra();
    const int n = static_cast<int>(FGerarCustoObra->CustosObra.size());
    int impressas = 0;
    for (TnCustoObra& obra : FGerarCustoObra->CustosObra) {
      FCustoObra = &obra;
      FTotalAplicar = 0;
      ImprimirCabecalhoObra();
      ImprimirItens();
      ImprimirTotalObra();
      Report->CSLShowProgress(++impressas, n);
    }
    FCustoObra = nullptr;
    FGerarCustoObra.reset();
  }

 private:
  void CarregarParametros() {
    auto* params = Params();
    FCodigoEscrit = params->Param("pCodigoEscrit")->GetAsInteger();
    FTipoRelat = static_cast<TnTipoAgrupar>(params->Param("pTipoRelatorio")->GetAsInteger());
    FCompetIni = LerCompetencia(RepParam("pCompetIni"));
    FCompetFim = LerCompetencia(RepParam("pCompetFim"));
    FTipoAnaliseCusto = static_cast<TnTipoAnaliseCusto>(params->Param("pTipoAnaliseCusto")->GetAsInteger());
    FCodigoFase = Trim(RepParam("pCodigoFase"));
    // A competence is a month: two days of one month are the same competence.
    if (FCompetIni > 0 && FCompetFim > 0 && StartOfTheMonth(FCompetIni) > StartOfTheMonth(FCompetFim))
      throw EnParam(params->Param("pCompetFim"), "Competência final não pode ser menor que a inicial, verifique!");
    ValidarSelecoes();
  }

  // The entity takes the selections as texts; a refused one is named here, before any query.
  void ValidarSelecoes() {
    FiltroParametro(Params()->Param("pCodigoEmpreend"), {"OB.CODIGOEMPREEND"});
    FiltroParametro(Params()->Param("pCodigoFase"), {"RA.CODIGOFASE"});
  }

  void PreencherCabecalho() {
    auto* params = Params();
    std::string titulo;
    if (FCompetIni > 0) titulo = " DE " + FormatDateTime(kMascaraCompetencia, FCompetIni);
    if (FCompetFim > 0) titulo += " ATÉ " + FormatDateTime(kMascaraCompetencia, FCompetFim);
    params->SetValues("pTitulo", titulo);

    const nDMSQLDataSet::TnNomeInscricao empresa = nDMSQLDataSet::PegarNomeInscricao(FCodigoEscrit);
    params->SetValues("pNomeEscrit", empresa.Nome);
    params->SetValues("pInscrFedEscrit", empresa.InscFederal);

    std::string coluna = "Insumo";
    if (FTipoAnaliseCusto != acInsumo) coluna = "Fase";
    else if (FTipoRelat != taInsumo) coluna = "Grupo Insumo";
    params->SetValues("pTituloColunaDescricao", coluna);
  }

  void GerarCustosObra() {
    FGerarCustoObra = std::make_unique<TnIncCustoOcadoAplicado>(FCodigoEscrit, FTipoRelat, FTipoAnaliseCusto);
    if (FCompetIni > 0) FGerarCustoObra->CompetIni = StartOfTheMonth(DateOf(FCompetIni));
    if (FCompetFim > 0) FGerarCustoObra->CompetFim = DateOf(EndOfTheMonth(FCompetFim));
    FGerarCustoObra->CodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
    FGerarCustoObra->CodigoFase = FCodigoFase;
    FGerarCustoObra->GerarCustos();
  }

  // The works header goes into the page header of the page the works starts on.
  void ImprimirCabecalhoObra() {
    auto* params = Params();
    const TnObraCusto& obra = FCustoObra->Obra;
    params->SetValues("pAreaTotalEmpre", AreaOuBranco(obra.AreaTotal));
    params->SetValues("pAreaUtilEmpre", AreaOuBranco(obra.AreaUtil));
    params->SetValues("pPrevIniObra", DataOuBranco(obra.PrevIniObra));
    params->SetValues("pPrevFimObra", DataOuBranco(obra.PrevFimObra));
    params->SetValues("pExecIniObra", DataOuBranco(obra.ExecIniObra));
    params->SetValues("pExecFimObra", DataOuBranco(obra.ExecFimObra));
    params->SetValues("pEmpreendimento", std::to_string(obra.CodigoEmpreend) + " - " + obra.NomeEmpre);
    params->SetValues("pObra", std::to_string(obra.CodigoObra) + " - " + obra.DescrObra);
    params->SetValues("pTipoEmpre", DescricaoTipoEmpreendimento(obra.TipoEmpreendimento));
    params->SetValues("pRateioEmpre", DescricaoFormaRateio(obra.FormaRateio));
    RepEndOfPage(true);
  }

  void ImprimirItens() {
    auto* params = Params();
    const bool porFase = FTipoAnaliseCusto == acFase;
    for (const TnItemCusto& item : porFase ? FCustoObra->ItensFase : FCustoObra->Itens) {
      params->SetValues("R1", porFase && item.Codigo == 0 ? kSemDetalhamentoFase
                                                          : std::to_string(item.Codigo) + " - " + item.Descricao);
      params->SetValues("R2", FormatFloat(kMascaraValor, item.ValorOrcado));
      params->SetValues("R3", FormatFloat(kMascaraPercentual, item.PercOrcado));
      params->SetValues("R4", FormatFloat(kMascaraValor, item.ValorAplicado));
      params->SetValues("R5", FormatFloat(kMascaraPercentual, item.PercAplicado));
      // On an overrun the parentheses enclose the amount and its percentage.
      params->SetValues("R6", FormatarAbreParentese(kMascaraValor, item.ValorAplicar));
      params->SetValues("R7", FormatFloat(kMascaraPercentual, std::abs(item.PercAplicar)));
      params->SetValues("pFechaParentese", FechaParentese(item.ValorAplicar));
      if (item.ValorAplicar > 0) FTotalAplicar = RoundValor(FTotalAplicar + item.ValorAplicar, 2);
      RepPrintSection(kSecaoItem);
    }
  }

  void ImprimirTotalObra() {
    auto* params = Params();
    params->SetValues("R2", FormatFloat(kMascaraValor, FCustoObra->ValorOrcado));
    params->SetValues("R3", FormatFloat(kMascaraPercentual, FCustoObra->PercOrcado));
    params->SetValues("R4", FormatFloat(kMascaraValor, FCustoObra->ValorAplicado));
    params->SetValues("R5", FormatFloat(kMascaraPercentual, FCustoObra->PercAplicado));
    params->SetValues("R6", FormatFloat(kMascaraValor, FTotalAplicar));
    params->SetValues("R7", FormatFloat(kMascaraPercentual, FCustoObra->PercAplicar));
    RepPrintSection(kSecaoTotalObra);
  }

  int FCodigoEscrit = 0;
  TnTipoAgrupar FTipoRelat = taInsumo;
  double FTotalAplicar = 0;
  TDateTime FCompetIni = 0, FCompetFim = 0;
  std::string FCodigoFase;
  TnTipoAnaliseCusto FTipoAnaliseCusto = acInsumo;
  std::unique_ptr<TnIncCustoOcadoAplicado> FGerarCustoObra;  // owned from the moment it exists
  TnCustoObra* FCustoObra = nullptr;                          // the works being printed; belongs to the entity
};

RPT_REGISTRAR_RELATORIO(TRptWorksCostAnalysis)
