// Budgeted cost by phase through the real host path, on a small fixture of four
// works: one with two budgets, phases and sub-phases; one whose three sub-phases
// split 100,00; one with only the phase that stands for the whole works; one with
// sub-phases and no phase, the first of them without a classification.
#include <map>
#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/render/grafico.h"
#include "host/report/params.h"
#include "host/report/report.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

using semente::kEmpreendA;
using semente::kEmpreendB;
using semente::kEmpresa;

constexpr int kSecaoFase = 8;
constexpr int kSecaoSubfase = 9;
constexpr int kSecaoGrafico = 10;

constexpr int kTorre1 = 1, kTorre2 = 2, kGalpao = 3, kMuro = 4;
constexpr int kFase = 1, kSubfase = 2;

struct TFase {
  int Codigo;
  TValor Classificacao;
  const char* Descricao;
  int Tipo;
  double Percentual;
};

// One bar as the chart holds it: a series of a single point.
struct TBarra {
  std::string Rotulo;
  double Valor;
  bool operator==(const TBarra&) const = default;
};
void PrintTo(const TBarra& b, std::ostream* os) { *os << "{" << b.Rotulo << ", " << b.Valor << "}"; }

// The bars of each chart the print placed, in page order; every series must hold one
// automatic-colour point and no title.
std::vector<std::vector<TBarra>> Graficos(const TImpressaoEmMemoria& impressao) {
  std::vector<std::vector<TBarra>> graficos;
  for (const auto& pagina : impressao.Paginas)
    for (const auto& elemento : pagina.Elementos)
      if (auto* g = std::get_if<TElementoGrafico>(&elemento)) {
        graficos.emplace_back();
        for (int i = 0; i < g->Grafico->SeriesCount(); ++i) {
          const TChartSeries& serie = *g->Grafico->Series(i);
          EXPECT_EQ(serie.Count(), 1) << "series " << i;
          EXPECT_EQ(serie.Title, "");
          for (const TPontoGrafico& p : serie.Pontos()) {
            EXPECT_EQ(p.Cor, clTeeColor);
            graficos.back().push_back({p.Rotulo, p.Valor});
          }
        }
      }
  return graficos;
}

// Whether a page shows that text.
bool MostraTexto(const TPagina& pagina, const std::string& texto) {
  for (const auto& elemento : pagina.Elementos)
    if (auto* t = std::get_if<TElementoTexto>(&elemento); t && t->Texto == texto) return true;
  return false;
}

// The report's sections (8 and above) under each works, a works being a run of pages
// whose header shows it; the works' header text keys them.
std::vector<std::pair<std::string, std::vector<int>>> SecoesPorObra(const TnRastro& rastro) {
  std::vector<std::pair<std::string, std::vector<int>>> porObra;
  for (const auto& s : rastro.Secoes) {
    if (s.Secao == 1) {
      if (porObra.empty() || porObra.back().first != s.Valor("pDescrObra")) porObra.push_back({s.Valor("pDescrObra"), {}});
    } else if (s.Secao >= kSecaoFase) {
      porObra.back().second.push_back(s.Secao);
    }
  }
  return porObra;
}
std::vector<std::vector<int>> SecoesDasObras(const TnRastro& rastro) {
  std::vector<std::vector<int>> secoes;
  for (const auto& [obra, s] : SecoesPorObra(rastro)) secoes.push_back(s);
  return secoes;
}

class BudgetByPhase : public TesteRelatorio {
 protected:
  BudgetByPhase() {
    Obra(kTorre1, kEmpreendA, "Torre 1");
    Orcamento(kTorre1, 1, 500000);
    Orcamento(kTorre1, 6, 1000000);
    Fases(kTorre1, {{1, "00", "Obra completa", kFase, 100},
                    {2, "01", "Fundações", kFase, 10},
                    {3, "01.01", "Estacas", kSubfase, 25},
                    {4, "01.02", "Blocos", kSubfase, 75},
                    {5, "02", "Estrutura", kFase, 60},
                    {6, "03", "Acabamento", kFase, 30}});
    Obra(kTorre2, kEmpreendA, "Torre 2");
    Orcamento(kTorre2, 6, 100);
    Fases(kTorre2, {{2, "01", "Instalações", kFase, 100},
                    {3, "01.01", "Elétrica", kSubfase, 33.33},
                    {4, "01.02", "Hidráulica", kSubfase, 33.33},
                    {5, "01.03", "Gás", kSubfase, 33.33}});
    Obra(kGalpao, kEmpreendB, "Galpão");
    Orcamento(kGalpao, 6, 5000);
    Fases(kGalpao, {{1, "00", "Galpão completo", kFase, 100}});
    // Sub-phases without a phase, after a works whose last phase is worth 5.000,00.
    Obra(kMuro, kEmpreendB, "Muro");
    Orcamento(kMuro, 6, 8000);
    Fases(kMuro, {{2, TValor(), "Taxas", kSubfase, 40}, {3, "01.01", "Sondagem", kSubfase, 60}});
  }

  void Obra(int codigo, int empreend, const std::string& descricao) {
    Sql("insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (:e, :c, :d, :m)",
        {kEmpresa, codigo, descricao, empreend});
  }
  void Orcamento(int obra, int mes, double total) {
    Sql("insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (:e, :o, :d, :t)",
        {kEmpresa, obra, TValor::Data(EncodeDate(2026, mes, 1)), total});
  }
  void Fases(int obra, const std::vector<TFase>& fases) {
    for (const TFase& f : fases)
      Sql("insert into OBRAFASE (CODIGOESCRIT, CODIGOOBRA, CODIGOFASE, CLASSIFICACAO, DESCRICAO, TIPO, "
          "PERCENTPARTICIPACAO) values (:e, :o, :c, :l, :d, :t, :p)",
          {kEmpresa, obra, f.Codigo, f.Classificacao, f.Descricao, f.Tipo, f.Percentual});
  }

  static TParametros Modo(const std::string& tipoImprimir, const std::string& exibirSubfase = "1") {
    return {{"pCodigoEscrit", std::to_string(kEmpresa)},
            {"pTipoImprimir", tipoImprimir},
            {"pExibirSubfase", exibirSubfase}};
  }
};

TEST_F(BudgetByPhase, PhasesTakeTheirShareOfTheLatestBudgetAndSubPhasesOfTheirPhase) {
  const TnResultadoImpressao r = ImprimirComRastro(Modo("0"));
  const struct {
    int Secao;
    const char* R1;
    const char* R2;
    const char* R3;
  } linhas[] = {
      {8, "00 Obra completa", "100,00", "1.000.000,00"},
      {8, "01 Fundações", "10,00", "100.000,00"},
      {9, "01.01 Estacas", "25,00", "25.000,00"},
      {9, "01.02 Blocos", "75,00", "75.000,00"},
      {8, "02 Estrutura", "60,00", "600.000,00"},
      {8, "03 Acabamento", "30,00", "300.000,00"},
      {8, "Total", "", "1.000.000,00"},
      // each rounded on its own: 99,99 in all
      {8, "01 Instalações", "100,00", "100,00"},
      {9, "01.01 Elétrica", "33,33", "33,33"},
      {9, "01.02 Hidráulica", "33,33", "33,33"},
      {9, "01.03 Gás", "33,33", "33,33"},
      {8, "Total", "", "100,00"},
      {8, "00 Galpão completo", "100,00", "5.000,00"},
      {8, "Total", "", "5.000,00"},
      // no phase of its own yet: nothing borrowed from the works before
      {9, " Taxas", "40,00", "0,00"},
      {9, "01.01 Sondagem", "60,00", "0,00"},
      {8, "Total", "", "8.000,00"},
  };
  std::vector<TnSecaoImpressa> impressas;
  for (const auto& s : r.Rastro.Secoes)
    if (s.Secao >= kSecaoFase) impressas.push_back(s);
  ASSERT_EQ(impressas.size(), std::size(linhas));
  for (size_t i = 0; i < impressas.size(); ++i) {
    EXPECT_EQ(impressas[i].Secao, linhas[i].Secao) << "line " << i;
    EXPECT_TRUE(MostraValores(impressas[i], {{"R1", linhas[i].R1}, {"R2", linhas[i].R2}, {"R3", linhas[i].R3}}))
        << "line " << i;
  }
}

TEST_F(BudgetByPhase, WithoutSubPhasesOnlyPhasesAreReadAndTheTotalSumsTheirPercentages) {
  const TnResultadoImpressao r = ImprimirComRastro(Modo("0", "0"));
  EXPECT_TRUE(Secoes(r, kSecaoSubfase).empty());
  // The works of sub-phases only has no row left: no page for it.
  const auto porObra = SecoesPorObra(r.Rastro);
  ASSERT_EQ(porObra.size(), 3u);
  EXPECT_EQ(porObra.back().first, "3 - Galpão");
  std::vector<std::vector<std::string>> totais;
  for (const auto& s : Secoes(r, kSecaoFase))
    if (s.Valor("R1") == "Total") totais.push_back({s.Valor("R2"), s.Valor("R3")});
  // Phase 1 counts in neither sum: R3 is the works' budget total, not the sum of the lines.
  const std::vector<std::vector<std::string>> esperados{
      {"100,00", "1.000.000,00"}, {"100,00", "100,00"}, {"0,00", "5.000,00"}};
  EXPECT_EQ(totais, esperados);
}

TEST_F(BudgetByPhase, PageHeaderShowsCompanyDevelopmentAndWorks) {
  const TnResultadoImpressao r = ImprimirComRastro(Modo("2"));
  const auto cabecalhos = Secoes(r, 1);
  ASSERT_EQ(cabecalhos.size(), 4u);
  const char* empreend[] = {"10 - Residencial Aurora", "10 - Residencial Aurora", "20 - Centro Comercial Sul",
                            "20 - Centro Comercial Sul"};
  const char* obra[] = {"1 - Torre 1", "2 - Torre 2", "3 - Galpão", "4 - Muro"};
  for (size_t i = 0; i < cabecalhos.size(); ++i)
    EXPECT_TRUE(MostraValores(cabecalhos[i], {{"pDescrEscrit", semente::kNomeEmpresa},
                                              {"pInscrFedEscrit", semente::kInscricaoEmpresa},
                                              {"pDescrEmpreend", empreend[i]},
                                              {"pDescrObra", obra[i]}}));
}

TEST_F(BudgetByPhase, PrintModesGiveLinesChartOrBothEachWorksOnItsOwnPage) {
  const std::vector<int> torre1{8, 8, 9, 9, 8, 8, 8}, torre2{8, 9, 9, 9, 8}, galpao{8, 8}, muro{9, 9, 8};
  auto comGrafico = [](std::vector<int> s) { return s.push_back(kSecaoGrafico), s; };
  const std::vector<std::vector<int>> ambos{comGrafico(torre1), comGrafico(torre2), comGrafico(galpao),
                                            comGrafico(muro)};
  const struct {
    const char* Modo;
    std::vector<std::vector<int>> SecoesPorObra;
    bool Titulos;  // the column headings of the lines
  } casos[] = {
      {"0", {torre1, torre2, galpao, muro}, true},
      {"1", {{10}, {10}, {10}, {10}}, false},
      {"2", ambos, true},  // the chart fits under the lines
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string("pTipoImprimir ") + c.Modo);
    const TImpressaoEmMemoria impressao = ImprimirEmMemoria(Modo(c.Modo));
    EXPECT_EQ(SecoesDasObras(impressao.Rastro), c.SecoesPorObra);
    // One page per works, none blank: each page has its works' header and its sections.
    ASSERT_EQ(impressao.Paginas.size(), 4u);
    std::map<int, int> corpoPorPagina;
    for (const auto& s : impressao.Rastro.Secoes)
      if (s.Secao >= kSecaoFase) ++corpoPorPagina[s.Pagina];
    EXPECT_EQ(corpoPorPagina.size(), 4u);
    for (const auto& pagina : impressao.Paginas) EXPECT_EQ(MostraTexto(pagina, "% Participação"), c.Titulos);
  }
  // A value outside the modes matches no mode test: lines and chart.
  TImpressaoDireta direta(RPT_PLUGIN_PATH, Modo("7"));
  direta.Report().DefinirRastro(true);
  direta.Imprimir();
  EXPECT_EQ(SecoesDasObras(direta.Report().Rastro()), ambos);
}

TEST_F(BudgetByPhase, EachChartHoldsOneBarPerPhaseOfItsWorksOrTheSingleBarOf100) {
  const std::vector<std::vector<TBarra>> esperados{
      {{"Fundações", 100000}, {"Estrutura", 600000}, {"Acabamento", 300000}},  // no bar for phase 1 or sub-phases
      {{"Instalações", 100}},
      {{"Galpão completo", 100}},  // only phase 1: its description
      {{"", 100}},                 // nothing to plot and no phase 1
  };
  for (const char* modo : {"1", "2"}) {
    SCOPED_TRACE(std::string("pTipoImprimir ") + modo);
    EXPECT_EQ(Graficos(ImprimirEmMemoria(Modo(modo))), esperados);
  }
}

TEST_F(BudgetByPhase, RefusedSelectionIsABadParameterRaisedBeforeTheQuery) {
  std::vector<std::string> consultas;
  banco.Conexao().DefinirObservador([&](const std::string& sql, int) { consultas.push_back(sql); });
  for (const char* parametro : {"pCodigoEmpreend", "pCodigoObra"}) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(Modo("2"), {{parametro, "1) or (1=1"}}));
    try {
      direta.Imprimir();
      ADD_FAILURE() << parametro << " was accepted";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), parametro);
      EXPECT_EQ(std::string(e.what()).rfind("Seleção '1) or (1=1' inválida", 0), 0u) << e.what();
    }
  }
  banco.Conexao().DefinirObservador({});
  ASSERT_FALSE(consultas.empty());  // the company header was read
  for (const std::string& sql : consultas) EXPECT_EQ(sql.find("OBRAFASE"), std::string::npos) << sql;
}

}  // namespace
