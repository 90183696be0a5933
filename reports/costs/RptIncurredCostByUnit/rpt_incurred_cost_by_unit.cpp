// Incurred cost by unit: per development of one company, one line per property
// unit with its previous balance, the cost allocated to it in each month of a
// period of up to twelve months, and the line total; each development on its own
// page, closed by a totals line.
#include <string>
#include <vector>

#include "frame/frame.h"
#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/tipo_mvto_estoque.h"
#include "host/report/colunas_meses.h"

namespace {

constexpr int kSecaoImovel = 8;                 // one unit line (striped)
constexpr int kSecaoTotalEmpreend = 9;          // development totals
constexpr int kMaxMeses = 12;                   // month columns of the layout
constexpr int kColunaInicial = 240;             // default left of month column 1
constexpr int kLarguraColuna = 60;              // default distance between month columns
constexpr int kEstruturaAnalitica = 2;          // TIPOESTRUTURA of the items tied to units
constexpr int kIncluir = 1;                     // FilterInterval: the codes of the selection
constexpr const char* kMascaraValor = "#,##0.00";
constexpr const char* kMascaraArea = "#,####0.0000";
constexpr const char* kValorZero = "0,00";      // a month of the period without allocations

}  // namespace

struct TnMapperCustoInsumo : TnMapperBase {
  NCAMPO(CODIGOEMPREEND);
  NCAMPO(CODIGOIMOVEL);
  NCAMPO(COEFICIENTEMQUADRADO);
  NCAMPO(TOTALMQUADRADO);
  NCAMPO(TOTALMQUADRADOUTIL);
  NCAMPO(COMPETENCIA);
  NCAMPO(SALDOMENSAL);
  NCAMPO(DESCRESTRUTURA);
};

struct TnMapperSaldoAnterior : TnMapperBase {
  NCAMPO(CODIGOEMPREEND);
  NCAMPO(CODIGOIMOVEL);
  NCAMPO(SALDOANTERIOR);
};

struct TnMapperEmpreendimento : TnMapperBase {
  NCAMPO(NOMEESCRIT);
  NCAMPO(INSCFEDERAL);
  NCAMPO(CODIGOEMPREEND);
  NCAMPO(NOMEEMPRE);
  NCAMPO(TOTALMQUADRADO);
  NCAMPO(TOTALMQUADRADOUTIL);
  NCAMPO(CODIGOTPIMOVEL);
  NCAMPO(DSTPIMOVEL);
  NCAMPO(QUANTIDADE);
};

class TRptIncurredCostByUnit : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoImovel}; }

  void ImprimirInterno() override {
    CarregarParametros();
    TnDestruirSQLAoSair liberar{&FCdsCustoImovel, &FCdsSaldoAnterior, &FCdsEmpreendimento};
    CarregarDados();
    if (FCdsCustoImovel->IsEmpty()) return;
    PreencherTitulosMeses();
    DistribuirColunas();

    const int total = FCdsCustoImovel->RecordCount();
    int impressas = 0;
    FOldCodigoEmpreend = 0;
    ZerarTotais();
    FCdsCustoImovel->First();
    while (!FCdsCustoImovel->Eof()) {
      const int empreend = FCustoInsumo->CODIGOEMPREEND->AsInteger();
      if (empreend != FOldCodigoEmpreend) {
        ImprimirTotalEmpreendimento();
        RepEndOfPage(true);
        ImprimirCabecalhoEmpreendimento();
      }
      ImprimirImovel();
      Report->CSLShowProgress(++impressas, total);
      FOldCodigoEmpreend = empreend;
      FCdsCustoImovel->Next();
    }
    ImprimirTotalEmpreendimento();
  }

 private:

  // Parameters -------------------------------------------------------------

  void CarregarParametros() {
    auto* params = Params();
    FDataInicial = params->Param("pDataInicial")->GetAsDate();
    FDataFinal = params->Param("pDataFinal")->GetAsDate();
    if (FDataInicial > FDataFinal)
      throw EnParam(params->Param("pDataFinal"), "A Data Final não pode ser anterior a Inicial, verifique!");
    FQtdMesesSelecao = WholeMonthsBetween(DateOf(EndOfTheMonth(FDataFinal)), FDataInicial) + 1;
    if (FQtdMesesSelecao > kMaxMeses)
      throw EnParam(params->Param("pDataFinal"), "O período selecionado não pode ultrapassar 12 meses, verifique!");
    FCodigoEscrit = params->Param("pCodigoEscrit")->GetAsInteger();
    FClassifInsumo = Trim(RepParam("pClassifInsumoCL"));
    FTipoInsumo = Trim(RepParam("pTipoInsumoCL"));
    FCodigoTPImovel = Trim(RepParam("pCodigoTPImovel"));
    FCodigoImovel = Trim(RepParam("pCodigoImovel"));
    FCodigoEmpreend = Trim(RepParam("pCodigoEmpreend"));
  }

  // Queries ------------------------------------------------------------------

  std::string MontarJoinInsumo() const {
    if (FClassifInsumo.empty() && FTipoInsumo.empty()) return {};
    return "left join INSUMO SU on SU.CODIGOINSUMO = RA.CODIGOINSUMO ";
  }

  std::string MontarJoinImovel() const {
    if (FCodigoTPImovel.empty()) return {};
    return "join IMOVEL IM on IM.CODIGOESCRIT = ES.CODIGOESCRIT and IM.CODIGOIMOVEL = ES.CODIGOIMOVEL ";
  }

  // The conditions of the selections, each from its parameter: on the units (development,
  // unit, unit type) and on the allocations (input type and classification, movement type).
  void MontarFiltros() {
    TnpqPowerParam* params = Params();
    FFiltroEmpreend = FiltroParametro(params->Param("pCodigoEmpreend"), {"ES.CODIGOEMPREEND"});
    FFiltroImoveis = FFiltroEmpreend + FiltroParametro(params->Param("pCodigoImovel"), {"ES.CODIGOIMOVEL"}) +
                     FiltroParametro(params->Param("pCodigoTPImovel"), {"IM.CODIGOTPIMOVEL"});
    FFiltroInsumos = FiltroParametro(params->Param("pTipoInsumoCL"), {"SU.TIPOINSUMO"}) +
                     FiltroParametro(params->Param("pClassifInsumoCL"), {"SU.CLASSIFINSUMO"});
    FFiltroMovimento = FilterInterval({"RA.TIPOMVTOESTOQUE"}, TipoMvtoEstoqueListaBaixaParaCustos(), {kIncluir}, true);
    FFiltroDados = FFiltroImoveis + FFiltroInsumos + FFiltroMovimento;
  }

  void CarregarDados() {
    FJoinDados = MontarJoinInsumo() + MontarJoinImovel();
    MontarFiltros();

    FCdsCustoImovel = ExecutarSQL(MontarSQLCustoImovel(),
                                  {TValor::Data(FDataInicial), TValor::Data(FDataFinal), FCodigoEscrit,
                                   kEstruturaAnalitica},
                                  true, false, -1, "", nullptr, true);
    // A unit's months in ascending order: the walk of ImprimirImovel depends on it.
    FCdsCustoImovel->SetIndexFieldNames("CODIGOEMPREEND;CODIGOIMOVEL;COMPETENCIA");
    FCustoInsumo = Mapper<TnMapperCustoInsumo>(FCdsCustoImovel.get());

    FCdsSaldoAnterior = ExecutarSQL(MontarSQLSaldoAnterior(), {TValor::Data(FDataInicial), FCodigoEscrit},
                                    true, false, -1, "", nullptr, true);
    FCdsSaldoAnterior->SetIndexFieldNames("CODIGOEMPREEND;CODIGOIMOVEL");
    FSaldoAnterior = Mapper<TnMapperSaldoAnterior>(FCdsSaldoAnterior.get());

    FCdsEmpreendimento = ExecutarSQL(MontarSQLEmpreendimento(), {FCodigoEscrit}, true, false, -1, "", nullptr, true);
    FCdsEmpreendimento->SetIndexFieldNames("CODIGOEMPREEND");
    FEmpreendimento = Mapper<TnMapperEmpreendimento>(FCdsEmpreendimento.get());
  }

  // Every unit of the structure gets a row, also without allocations in the period:
  // the conditions on the allocations go into the left join, where they keep that
  // row (null month, zero sum) instead of dropping the unit in the where clause.
  // Each item's allocations are summed per month on their own narrow keys first (the
  // join hands the item to the grouping, read through the item and date index), so
  // only the months meet the item's descriptive columns in the outer grouping.
  std::string MontarSQLCustoImovel() const {
    const std::string mes = "dateadd(1 - extract(day from RA.DATARATEIO) day to RA.DATARATEIO)";
    std::string sql =
        "select ES.CODIGOEMPREEND , ES.CODIGOIMOVEL , ES.DESCRESTRUTURA , ES.COEFICIENTEMQUADRADO , "
        "ES.TOTALMQUADRADO , ES.TOTALMQUADRADOUTIL , RA.COMPETENCIA Competencia , "
        "sum(coalesce(RA.SALDOMENSAL, 0)) SaldoMensal from EMPREENDIMENTOESTRUTURA ES left join "
        "(select RA.CODIGOESCRIT , RA.CODIGOEMPREEND , RA.CODIGOESTRUTURA , " + mes + " COMPETENCIA , "
        "sum(coalesce(case when RA.TIPOMVTOESTOQUE < 0 then (RA.VALORRATEIO * -1) else RA.VALORRATEIO end, 0)) "
        "SALDOMENSAL from RATEIO RA where RA.DATARATEIO between :pdatainicial and :pdatafinal "
        "and RA.CODIGOESCRIT = :pCODIGOESCRIT ";
    sql += FFiltroMovimento;
    if (!FFiltroInsumos.empty())
      sql += "and exists (select 1 from INSUMO SU where SU.CODIGOINSUMO = RA.CODIGOINSUMO" + FFiltroInsumos + ") ";
    sql += "group by RA.CODIGOESCRIT , RA.CODIGOEMPREEND , RA.CODIGOESTRUTURA , " + mes + ") RA ";
    sql += "on RA.CODIGOESCRIT = ES.CODIGOESCRIT and RA.CODIGOEMPREEND = ES.CODIGOEMPREEND and "
           "RA.CODIGOESTRUTURA = ES.CODIGOESTRUTURA ";
    sql += MontarJoinImovel();
    sql += "where ES.CODIGOESCRIT = :pCODIGOESCRIT ";
    sql += "and ES.TIPOESTRUTURA = :pAnalitico ";
    sql += FFiltroImoveis;
    sql += " group by ";
    sql += "  ES.CODIGOEMPREEND ";
    sql += ", ES.CODIGOIMOVEL ";
    sql += ", ES.DESCRESTRUTURA ";
    sql += ", ES.COEFICIENTEMQUADRADO ";
    sql += ", ES.TOTALMQUADRADO ";
    sql += ", ES.TOTALMQUADRADOUTIL ";
    sql += ", RA.COMPETENCIA ";
    sql += "order by ";
    sql += "  ES.CODIGOEMPREEND ";
    sql += ", ES.CODIGOIMOVEL ";
    sql += ", ES.TOTALMQUADRADOUTIL ";
    sql += ", Competencia ";
    return sql;
  }

  std::string MontarSQLSaldoAnterior() const {
    std::string sql =
        "select RA.CODIGOEMPREEND , ES.CODIGOIMOVEL , sum(coalesce(case when RA.TIPOMVTOESTOQUE < 0 then "
        "(RA.VALORRATEIO * -1) else RA.VALORRATEIO end, 0)) SaldoAnterior from RATEIO RA join "
        "EMPREENDIMENTOESTRUTURA ES on ES.CODIGOESCRIT = RA.CODIGOESCRIT and ES.CODIGOEMPREEND = "
        "RA.CODIGOEMPREEND and ES.CODIGOESTRUTURA = RA.CODIGOESTRUTURA ";
    sql += FJoinDados;
    sql += "where RA.DATARATEIO <= :pDataInicial ";
    sql += "and RA.CODIGOESCRIT = :pCodigoEscrit ";
    sql += FFiltroDados;
    sql += "group by RA.CODIGOEMPREEND, ES.CODIGOIMOVEL ";
    sql += "order by RA.CODIGOEMPREEND, ES.CODIGOIMOVEL ";
    return sql;
  }

  std::string MontarSQLEmpreendimento() const {
    std::string sql =
        "select PF.NOME NomeEscrit , PF.INSCFEDERAL , EP.CODIGOEMPREEND , EP.NOMEEMPRE , ES.TOTALMQUADRADO , "
        "ES.TOTALMQUADRADOUTIL , IM.CODIGOTPIMOVEL , TP.DSTPIMOVEL , count(*) Quantidade from EMPREENDIMENTO EP "
        "join PESSOAFINANCEIRO PF on PF.CODIGOPESSOAFIN = EP.CODIGOESCRIT join IMOVEL IM on IM.CODIGOESCRIT = "
        "EP.CODIGOESCRIT and IM.CODIGOEMPREEND = EP.CODIGOEMPREEND join TPIMOVEL TP on TP.CODIGOTPIMOVEL = "
        "IM.CODIGOTPIMOVEL join EMPREENDIMENTOESTRUTURA ES on ES.CODIGOESCRIT = EP.CODIGOESCRIT and "
        "ES.CODIGOEMPREEND = EP.CODIGOEMPREEND and ES.CLASSIFESTRUTURA = '1' where EP.CODIGOESCRIT = :pCODIGOESCRIT ";
    sql += FFiltroEmpreend;
    sql += "group by ";
    sql += "  PF.NOME ";
    sql += ", PF.INSCFEDERAL ";
    sql += ", EP.CODIGOEMPREEND ";
    sql += ", EP.NOMEEMPRE ";
    sql += ", ES.TOTALMQUADRADO ";
    sql += ", ES.TOTALMQUADRADOUTIL ";
    sql += ", IM.CODIGOTPIMOVEL ";
    sql += ", TP.DSTPIMOVEL ";
    sql += "order by EP.CODIGOEMPREEND ";
    return sql;
  }

  // Month columns ------------------------------------------------------------

  TDateTime InicioMesFinal() const { return StartOfTheMonth(DateOf(FDataFinal)); }

  // A column per month while the stepped date is on or before the first day of the final month.
  void PreencherTitulosMeses() {
    std::vector<std::string> titulos;
    for (TDateTime mes : TnColunasMeses::DatasMensais(FDataInicial, kMaxMeses))
      if (mes <= InicioMesFinal()) titulos.push_back(CapitalizeCaption(FormatDateTime("mmmm", mes)));
    FColunas.EscreverTitulos(titulos);
  }

  void RestaurarPosicaoColunas() {
    for (int n = 1; n <= kMaxMeses; ++n) FColunas.Posicionar(n, kColunaInicial + kLarguraColuna * (n - 1));
  }

  void DistribuirColunas() {
    RestaurarPosicaoColunas();
    if (FQtdMesesSelecao >= kMaxMeses) return;
    const int esquerdaTotal = static_cast<int>(Report->LabelByName("etqTituloTotalImovel")->Left);
    const int esquerdaR1 = static_cast<int>(Report->LabelByName("etqR1")->Left);
    const int passo = (esquerdaTotal - esquerdaR1) / (FQtdMesesSelecao + 1);
    const int esquerdaC1 = static_cast<int>(Report->LabelByName("etqC1")->Left);
    for (int n = 1; n <= FQtdMesesSelecao; ++n) FColunas.Posicionar(n, esquerdaC1 + n * passo);
  }

  // Walk ---------------------------------------------------------------------

  void ZerarTotais() {
    FTotaisCompetencia.clear();
    FTotalCustoEmpreend = 0;
    FTotalSaldoAnterior = 0;
    FTotaisCompetencia.assign(FQtdMesesSelecao, 0.0);
  }

  void ImprimirCabecalhoEmpreendimento() {
    const int codigo = FCustoInsumo->CODIGOEMPREEND->AsInteger();
    FCdsEmpreendimento->SetRange({codigo}, {codigo});
    auto* params = Params();
    // A development without header rows must not show the previous one's header.
    std::string nome, inscricao, descricao, area, areaUtil, tipos;
    if (!FCdsEmpreendimento->IsEmpty()) {
      FCdsEmpreendimento->First();
      nome = FEmpreendimento->NOMEESCRIT->AsString();
      inscricao = FEmpreendimento->INSCFEDERAL->AsString();
      descricao = FEmpreendimento->CODIGOEMPREEND->AsString() + " - " + FEmpreendimento->NOMEEMPRE->AsString();
      area = FormatFloat(kMascaraArea, FEmpreendimento->TOTALMQUADRADO->AsFloat());
      areaUtil = FormatFloat(kMascaraArea, FEmpreendimento->TOTALMQUADRADOUTIL->AsFloat());
      for (; !FCdsEmpreendimento->Eof(); FCdsEmpreendimento->Next())
        Add(tipos, FEmpreendimento->QUANTIDADE->AsString() + " " + FEmpreendimento->DSTPIMOVEL->AsString(), " ",
            false);
    }
    params->SetValues("pNomeEscrit", nome);
    params->SetValues("pInscFedEscrit", inscricao);
    params->SetValues("pDescrEmpreend", descricao);
    params->SetValues("pMetroQuadrado", area);
    params->SetValues("pMetroQuadradoUtil", areaUtil);
    params->SetValues("pDescrQtdTipoImovel", tipos);
  }

  double BuscarSaldoAnterior() {
    if (FCdsSaldoAnterior->FindKey({FCustoInsumo->CODIGOEMPREEND->AsInteger(), FCustoInsumo->CODIGOIMOVEL->AsInteger()}))
      return FSaldoAnterior->SALDOANTERIOR->AsFloat();
    return 0;
  }

  bool LinhaDoImovel(int empreend, int imovel) const {
    return !FCdsCustoImovel->Eof() && FCustoInsumo->CODIGOEMPREEND->AsInteger() == empreend &&
           FCustoInsumo->CODIGOIMOVEL->AsInteger() == imovel;
  }

  // One unit line; entered on the unit's first cost row, left on its last one.
  void ImprimirImovel() {
    auto* params = Params();
    const double anterior = BuscarSaldoAnterior();
    FTotalSaldoAnterior = RoundValor(FTotalSaldoAnterior + anterior, 2);
    params->SetValues("R14", FormatarValor(anterior));
    params->SetValues("pDescrImovel",
                      FCustoInsumo->CODIGOIMOVEL->AsString() + " - " + FCustoInsumo->DESCRESTRUTURA->AsString());
    params->SetValues("pCoeficiente", FormatFloat(kMascaraArea, FCustoInsumo->COEFICIENTEMQUADRADO->AsFloat()));

    double totalLinha = anterior;
    const int empreend = FCustoInsumo->CODIGOEMPREEND->AsInteger();
    const int imovel = FCustoInsumo->CODIGOIMOVEL->AsInteger();
    bool consumiu = false;
    TDateTime cursor = FDataInicial;
    const TDateTime limite = InicioMesFinal();
    for (int n = 1; n <= kMaxMeses; ++n) {
      const std::string valor = TnColunasMeses::Valor(n);
      if (cursor > limite) {
        params->SetValues(valor, "");
      } else if (LinhaDoImovel(empreend, imovel) && !FCustoInsumo->COMPETENCIA->IsNull() &&
                 MonthOf(FCustoInsumo->COMPETENCIA->AsDateTime()) == MonthOf(cursor)) {
        const double mensal = FCustoInsumo->SALDOMENSAL->AsFloat();
        // The month's total goes to the column it is printed in.
        if (static_cast<size_t>(n - 1) < FTotaisCompetencia.size())
          FTotaisCompetencia[n - 1] = RoundValor(FTotaisCompetencia[n - 1] + mensal, 2);
        totalLinha += mensal;
        params->SetValues(valor, FormatarValor(mensal));
        FCdsCustoImovel->Next();
        consumiu = true;
      } else {
        params->SetValues(valor, kValorZero);
      }
      cursor = IncMonth(cursor, 1);
    }
    // Rows of months no column shows (the final month when the period starts after
    // the 1st) belong to this line too: one line per unit.
    while (LinhaDoImovel(empreend, imovel)) {
      FCdsCustoImovel->Next();
      consumiu = true;
    }
    FTotalCustoEmpreend += totalLinha;
    params->SetValues("R13", FormatFloat(kMascaraValor, totalLinha));
    RepPrintSection(kSecaoImovel);
    if (consumiu && !FCdsCustoImovel->Eof()) FCdsCustoImovel->Prior();
  }

  void ImprimirTotalEmpreendimento() {
    if (RoundValor(FTotalCustoEmpreend, 2) != 0) {
      auto* params = Params();
      params->SetValues("R14", FormatFloat(kMascaraValor, FTotalSaldoAnterior));
      for (size_t i = 0; i < FTotaisCompetencia.size(); ++i)
        params->SetValues(TnColunasMeses::Valor(i + 1), FormatarValor(FTotaisCompetencia[i]));
      FColunas.LimparValores(static_cast<int>(FTotaisCompetencia.size()) + 1);
      params->SetValues("R13", FormatFloat(kMascaraValor, FTotalCustoEmpreend));
      RepPrintSection(kSecaoTotalEmpreend);
    }
    ZerarTotais();
  }

  // " (x,xx)" when negative, "x,xx " otherwise.
  static std::string FormatarValor(double x) { return FormatarComSinal(kMascaraValor, x, " ("); }

  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  int FQtdMesesSelecao = 0;
  int FCodigoEscrit = 0;
  std::string FClassifInsumo;
  std::string FTipoInsumo;
  std::string FJoinDados;
  std::string FFiltroDados;
  std::string FFiltroEmpreend;
  std::string FFiltroImoveis;
  std::string FFiltroInsumos;
  std::string FFiltroMovimento;
  std::string FCodigoTPImovel;
  std::string FCodigoImovel;
  std::string FCodigoEmpreend;
  TnDataSetSQL FCdsCustoImovel;
  TnDataSetSQL FCdsSaldoAnterior;
  TnDataSetSQL FCdsEmpreendimento;
  TnMapperCustoInsumo* FCustoInsumo = nullptr;
  TnMapperSaldoAnterior* FSaldoAnterior = nullptr;
  TnMapperEmpreendimento* FEmpreendimento = nullptr;
  int FOldCodigoEmpreend = 0;
  double FTotalCustoEmpreend = 0;
  double FTotalSaldoAnterior = 0;
  std::vector<double> FTotaisCompetencia;
  TnColunasMeses FColunas{Report, {"etqC", "etqR", "etqT"}, kMaxMeses};
};

RPT_REGISTRAR_RELATORIO(TRptIncurredCostByUnit)
