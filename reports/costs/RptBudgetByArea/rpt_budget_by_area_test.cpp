// Budgeted cost by area through the real host path, on a small fixture: two
// developments (by total and by usable area), three works, two budgets each,
// a converted currency and a plain one, two input groups.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/data/conexao.h"
#include "host/render/grafico.h"
#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

using semente::kEmpreendA;
using semente::kEmpreendB;
using semente::kEmpresa;

constexpr int kSecaoLinha = 8;
constexpr int kSecaoGrafico = 9;

// Works of the fixture: 1 and 2 in development A (total area 152 m², usable 120 m²),
// 3 in development B (usable area 80 m² of 100 m²).
constexpr int kObraTorre1 = 1, kObraTorre2 = 2, kObraGalpao = 3;
constexpr int kEmpreendSemArea = 30, kObraSemArea = 4;
constexpr int kCimento = 11, kAreia = 12, kPedreiro = 21;
constexpr int kMoedaReal = 1, kMoedaCub = 2;

struct TLinhaOrcada {
  int Insumo;
  double Quantidade, ValorUnitario, ValorTotal;
};

// The points of each chart the print placed, in page order.
std::vector<std::vector<TPontoGrafico>> Graficos(const TImpressaoEmMemoria& impressao) {
  std::vector<std::vector<TPontoGrafico>> graficos;
  for (const auto& pagina : impressao.Paginas)
    for (const auto& elemento : pagina.Elementos)
      if (auto* g = std::get_if<TElementoGrafico>(&elemento)) graficos.push_back(g->Grafico->Series(0)->Pontos());
  return graficos;
}

// The report's sections (8 and above) printed under each works, a works being a run
// of pages whose header shows it.
std::vector<std::vector<int>> SecoesPorObra(const TnRastro& rastro) {
  std::vector<std::vector<int>> porObra;
  std::string obra;
  for (const auto& s : rastro.Secoes) {
    if (s.Secao == 1) {
      if (s.Valor("pDescrObra") != obra) porObra.emplace_back();
      obra = s.Valor("pDescrObra");
    } else if (s.Secao >= kSecaoLinha) {
      porObra.back().push_back(s.Secao);
    }
  }
  return porObra;
}

class BudgetByArea : public TesteRelatorio {
 protected:
  BudgetByArea() {
    Sql("update EMPREENDIMENTO set FORMARATEIO = 1 where CODIGOEMPREEND = :e", {kEmpreendA});
    Sql("update EMPREENDIMENTO set FORMARATEIO = 2 where CODIGOEMPREEND = :e", {kEmpreendB});
    Sql("insert into FPRMOEDA (CODIGOMOEDA, NOMEMOEDA) values (1, 'Real')");
    Sql("insert into FPRMOEDA (CODIGOMOEDA, NOMEMOEDA) values (2, 'CUB-SP')");
    Sql("insert into INSUMOGRUPO (CODIGOINSUMOGRUPO, CLASSIFGRUPO, DESCRGRUPO) values (1, '01', 'Materiais')");
    Sql("insert into INSUMOGRUPO (CODIGOINSUMOGRUPO, CLASSIFGRUPO, DESCRGRUPO) values (2, '02', 'Mão de obra')");
    Insumo(kCimento, "Cimento CP II", 1);
    Insumo(kAreia, "Areia média", 1);
    Insumo(kPedreiro, "Pedreiro", 2);
    // Development A: 60 + 12 (garage) + 80 m² in all, 50 + 70 m² usable.
    Unidade(101, kEmpreendA, {{60, 50}, {12, 0}});
    Unidade(102, kEmpreendA, {{80, 70}});
    Unidade(201, kEmpreendB, {{100, 80}});

    Obra(kObraTorre1, kEmpreendA, "Torre 1");
    Orcamento(kObraTorre1, Data(1, 1), kMoedaReal, 0, 0, {{kCimento, 10, 99.9, 999}});
    Orcamento(kObraTorre1, Data(1, 6), kMoedaReal, 0, 0,
              {{kCimento, 100, 25, 2500}, {kAreia, 12.5, 120, 1500}, {kPedreiro, 200, 30, 6000}});
    Obra(kObraTorre2, kEmpreendA, "Torre 2");
    Orcamento(kObraTorre2, Data(1, 1), kMoedaCub, 1, 2000, {{kCimento, 10, 25, 250}});
    Orcamento(kObraTorre2, Data(1, 6), kMoedaCub, 1, 2087.54, {{kCimento, 40, 25, 1000}, {kPedreiro, 300, 30, 9000}});
    Obra(kObraGalpao, kEmpreendB, "Galpão");
    Orcamento(kObraGalpao, Data(1, 1), kMoedaReal, 0, 0, {{kCimento, 20, 25, 500}});
    Orcamento(kObraGalpao, Data(1, 6), kMoedaReal, 0, 2, {{kAreia, 10, 100.05, 1000.5}, {kPedreiro, 100, 30, 3000}});
    // A development whose unit has no area rows: its works prints no line.
    Sql("insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE, FORMARATEIO) values (:e, :c, :n, 1)",
        {kEmpresa, kEmpreendSemArea, "Loteamento sem áreas"});
    Unidade(301, kEmpreendSemArea, {});
    Obra(kObraSemArea, kEmpreendSemArea, "Arruamento");
    Orcamento(kObraSemArea, Data(1, 6), kMoedaReal, 0, 0, {{kCimento, 10, 25, 250}});
  }

  static TValor Data(int dia, int mes) { return TValor::Data(EncodeDate(2026, mes, dia)); }
  void Insumo(int codigo, const std::string& descricao, int grupo) {
    Sql("insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (:c, :d, :g)",
        {codigo, descricao, grupo});
  }
  // A unit and its area rows (total, usable).
  void Unidade(int codigo, int empreend, const std::vector<std::pair<TValor, TValor>>& areas) {
    Sql("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND) values (:e, :c, :d)",
        {kEmpresa, codigo, empreend});
    int linha = 0;
    for (const auto& [total, util] : areas)
      Sql("insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) "
          "values (:e, :c, :l, :t, :u)",
          {kEmpresa, codigo, ++linha, total, util});
  }
  void Obra(int codigo, int empreend, const std::string& descricao) {
    Sql("insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (:e, :c, :d, :m)",
        {kEmpresa, codigo, descricao, empreend});
  }
  void Orcamento(int obra, TValor data, int moeda, int converter, double cotacao,
                 const std::vector<TLinhaOrcada>& linhas) {
    Sql("insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, CODIGOMOEDA, CONVERTERMOEDA, "
        "VALORCOTACAOMOEDA) values (:e, :o, :d, :m, :c, :v)",
        {kEmpresa, obra, data, moeda, converter, cotacao});
    int seq = 0;
    for (const auto& l : linhas)
      Sql("insert into OBRAORCAMENTOINSUMO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, CODIGOORCAMENTOINSUMO, "
          "CODIGOINSUMO, QUANTIDADE, VALORUNITARIO, VALORTOTAL) values (:e, :o, :d, :s, :i, :q, :u, :t)",
          {kEmpresa, obra, data, ++seq, l.Insumo, l.Quantidade, l.ValorUnitario, l.ValorTotal});
  }

  static TParametros Modelo(const std::string& modelo, const std::string& imprimir = "0") {
    return {{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pModelo", modelo}, {"pTipoImprimir", imprimir}};
  }
};

TEST_F(BudgetByArea, LinesOfBothModelsFromTheLatestBudget) {
  const std::string obra1 = "1 - Torre 1", obra2 = "2 - Torre 2", obra3 = "3 - Galpão";
  const struct {
    const char* Modelo;
    TValoresEsperados Titulos;
    std::vector<std::pair<std::string, TValoresEsperados>> Linhas;  // works in the header, then R1-R7
  } casos[] = {
      {"0",
       {{"pTituloDescricao", "Insumo"}, {"pTituloQtd", "Quantidade"}, {"pTituloCustoUnit", "Custo Unitário R$"}},
       {
           // 152 m² of total area; not converted: R6 is R4.
           {obra1, {{"R1", "11 - Cimento CP II"}, {"R2", "100,00"}, {"R3", "25,00"}, {"R4", "2.500,00"},
                    {"R5", "0,25"}, {"R6", "2.500,00"}, {"R7", "16,45"}}},
           {obra1, {{"R1", "12 - Areia média"}, {"R2", "12,50"}, {"R3", "120,00"}, {"R4", "1.500,00"},
                    {"R5", "0,15"}, {"R6", "1.500,00"}, {"R7", "9,87"}}},
           {obra1, {{"R1", "21 - Pedreiro"}, {"R2", "200,00"}, {"R3", "30,00"}, {"R4", "6.000,00"},
                    {"R5", "0,60"}, {"R6", "6.000,00"}, {"R7", "39,47"}}},
           // Converted at 2.087,54 and rounded: 1.000,00 is 0,479 CUB.
           {obra2, {{"R1", "11 - Cimento CP II"}, {"R4", "1.000,00"}, {"R5", "0,10"}, {"R6", "0,48"},
                    {"R7", "6,58"}}},
           {obra2, {{"R1", "21 - Pedreiro"}, {"R4", "9.000,00"}, {"R5", "0,90"}, {"R6", "4,31"}, {"R7", "59,21"}}},
           // Usable area 80 m²; a rate given but not asked for changes nothing.
           {obra3, {{"R1", "12 - Areia média"}, {"R2", "10,00"}, {"R3", "100,05"}, {"R4", "1.000,50"},
                    {"R5", "0,25"}, {"R6", "1.000,50"}, {"R7", "12,51"}}},
           {obra3, {{"R1", "21 - Pedreiro"}, {"R4", "3.000,00"}, {"R5", "0,75"}, {"R6", "3.000,00"},
                    {"R7", "37,50"}}},
       }},
      {"1",
       {{"pTituloDescricao", "Grupo Insumo"}, {"pTituloQtd", ""}, {"pTituloCustoUnit", ""}},
       {
           {obra1, {{"R1", "1 - 01 Materiais"}, {"R2", ""}, {"R3", ""}, {"R4", "4.000,00"}, {"R5", "0,40"},
                    {"R6", "4.000,00"}, {"R7", "26,32"}}},
           {obra1, {{"R1", "2 - 02 Mão de obra"}, {"R4", "6.000,00"}, {"R5", "0,60"}, {"R7", "39,47"}}},
           {obra2, {{"R1", "1 - 01 Materiais"}, {"R4", "1.000,00"}, {"R6", "0,48"}}},
           {obra2, {{"R1", "2 - 02 Mão de obra"}, {"R4", "9.000,00"}, {"R6", "4,31"}}},
           {obra3, {{"R1", "1 - 01 Materiais"}, {"R2", ""}, {"R4", "1.000,50"}, {"R5", "0,25"}, {"R7", "12,51"}}},
           {obra3, {{"R1", "2 - 02 Mão de obra"}, {"R4", "3.000,00"}, {"R7", "37,50"}}},
       }},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string("pModelo ") + c.Modelo);
    const TnResultadoImpressao r = ImprimirComRastro(Modelo(c.Modelo));
    const auto linhas = Secoes(r.Rastro, kSecaoLinha);
    ASSERT_EQ(linhas.size(), c.Linhas.size());
    const auto cabecalhos = Secoes(r.Rastro, 1);
    for (size_t i = 0; i < linhas.size(); ++i) {
      EXPECT_TRUE(MostraValores(linhas[i], c.Linhas[i].second)) << "line " << i;
      EXPECT_TRUE(MostraValores(cabecalhos.at(linhas[i].Pagina - 1), {{"pDescrObra", c.Linhas[i].first}}));
    }
    for (const auto& cabecalho : cabecalhos) EXPECT_TRUE(MostraValores(cabecalho, c.Titulos));
  }
}

TEST_F(BudgetByArea, PageHeaderShowsCompanyDevelopmentCurrencyAndArea) {
  const TnResultadoImpressao r = ImprimirComRastro(Modelo("0"));
  const auto cabecalhos = Secoes(r.Rastro, 1);
  ASSERT_EQ(cabecalhos.size(), 3u);
  const TValoresEsperados empresa{{"pDescrEscrit", semente::kNomeEmpresa},
                                  {"pInscrFedEscrit", semente::kInscricaoEmpresa}};
  const TValoresEsperados porObra[] = {
      {{"pDescrEmpreend", "10 - Residencial Aurora"}, {"pDescrMoeda", "1 - Real"}, {"pDescrArea", "M²"}},
      {{"pDescrEmpreend", "10 - Residencial Aurora"}, {"pDescrMoeda", "2 - CUB-SP"}, {"pDescrArea", "M²"}},
      {{"pDescrEmpreend", "20 - Centro Comercial Sul"}, {"pDescrMoeda", "1 - Real"}, {"pDescrArea", "M² Útil"}},
  };
  for (size_t i = 0; i < cabecalhos.size(); ++i) {
    EXPECT_TRUE(MostraValores(cabecalhos[i], empresa));
    EXPECT_TRUE(MostraValores(cabecalhos[i], porObra[i]));
  }
}

TEST_F(BudgetByArea, PrintModesGiveLinesChartOrBothPerWorksEachOnItsOwnPage) {
  const struct {
    const char* Modo;
    std::vector<std::vector<int>> SecoesPorObra;
    int Paginas;
  } casos[] = {
      {"0", {{8, 8, 8}, {8, 8}, {8, 8}}, 3},
      {"1", {{9}, {9}, {9}}, 3},
      {"2", {{8, 8, 8, 9}, {8, 8, 9}, {8, 8, 9}}, 6},  // the chart takes a page body of its own
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string("pTipoImprimir ") + c.Modo);
    const TnResultadoImpressao r = ImprimirComRastro(Modelo("0", c.Modo));
    EXPECT_EQ(SecoesPorObra(r.Rastro), c.SecoesPorObra);
    EXPECT_EQ(r.Paginas, c.Paginas);
    // No blank page: every page carries a section below its header, and a works starts a page.
    std::map<int, int> corpoPorPagina;
    for (const auto& s : r.Rastro.Secoes)
      if (s.Secao >= kSecaoLinha) ++corpoPorPagina[s.Pagina];
    EXPECT_EQ(static_cast<int>(corpoPorPagina.size()), r.Paginas);
    EXPECT_EQ(r.Rastro.Secoes.front().Pagina, 1);
    // Column headings head the pages of lines; a chart page shows the works without them.
    std::map<int, bool> paginaDeGrafico;
    for (const auto& s : Secoes(r.Rastro, kSecaoGrafico)) paginaDeGrafico[s.Pagina] = true;
    for (const auto& cabecalho : Secoes(r.Rastro, 1)) {
      const bool grafico = paginaDeGrafico[cabecalho.Pagina];
      EXPECT_EQ(cabecalho.Valor("pTituloDescricao"), grafico ? "" : "Insumo") << "page " << cabecalho.Pagina;
      EXPECT_NE(cabecalho.Valor("pDescrObra"), "");
    }
  }
}

TEST_F(BudgetByArea, EachChartHoldsOnlyItsWorksShares) {
  const struct {
    const char* Modelo;
    std::vector<std::vector<std::pair<std::string, double>>> Graficos;
  } casos[] = {
      {"0",
       {{{"Cimento CP II", 0.25}, {"Areia média", 0.15}, {"Pedreiro", 0.60}},
        {{"Cimento CP II", 0.10}, {"Pedreiro", 0.90}},
        {{"Areia média", 0.25}, {"Pedreiro", 0.75}}}},
      {"1",
       {{{"Materiais", 0.40}, {"Mão de obra", 0.60}},
        {{"Materiais", 0.10}, {"Mão de obra", 0.90}},
        {{"Materiais", 0.25}, {"Mão de obra", 0.75}}}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string("pModelo ") + c.Modelo);
    const auto graficos = Graficos(ImprimirEmMemoria(Modelo(c.Modelo, "1")));
    ASSERT_EQ(graficos.size(), c.Graficos.size());
    for (size_t g = 0; g < graficos.size(); ++g) {
      ASSERT_EQ(graficos[g].size(), c.Graficos[g].size()) << "chart " << g;
      for (size_t p = 0; p < graficos[g].size(); ++p) {
        EXPECT_EQ(graficos[g][p].Rotulo, c.Graficos[g][p].first);
        EXPECT_DOUBLE_EQ(graficos[g][p].Valor, c.Graficos[g][p].second) << graficos[g][p].Rotulo;
        EXPECT_EQ(graficos[g][p].Cor, clTeeColor);
      }
    }
  }
}

TEST_F(BudgetByArea, RangesTogetherNarrowTheLinesAndAreaLessDevelopmentsPrintNone) {
  const struct {
    TParametros Faixas;
    std::vector<std::string> Linhas;  // works and R1 of each line
  } casos[] = {
      {{}, {"1 11", "1 12", "1 21", "2 11", "2 21", "3 12", "3 21"}},
      {{{"pCodigoEmpreend", "10"}}, {"1 11", "1 12", "1 21", "2 11", "2 21"}},
      {{{"pCodigoObra", "2-3"}}, {"2 11", "2 21", "3 12", "3 21"}},
      {{{"pCodigoInsumo", "11,12"}}, {"1 11", "1 12", "2 11", "3 12"}},
      {{{"pCodigoEmpreend", "10"}, {"pCodigoObra", "2-3"}, {"pCodigoInsumo", "11-12"}}, {"2 11"}},
      {{{"pCodigoEmpreend", "30"}}, {}},
      {{{"pCodigoObra", "4"}}, {}},
  };
  for (const auto& c : casos) {
    const TnResultadoImpressao r = ImprimirComRastro(Juntar(Modelo("0"), c.Faixas));
    const auto cabecalhos = Secoes(r.Rastro, 1);
    std::vector<std::string> linhas;
    for (const auto& linha : Secoes(r.Rastro, kSecaoLinha))
      linhas.push_back(cabecalhos.at(linha.Pagina - 1).Valor("pDescrObra").substr(0, 1) + " " +
                       linha.Valor("R1").substr(0, 2));
    EXPECT_EQ(linhas, c.Linhas) << ::testing::PrintToString(c.Faixas);
    if (c.Linhas.empty()) {
      EXPECT_EQ(r.Paginas, 0);
    }
  }
  // An input range keeps each share a fraction of the works' whole budget.
  const auto linha = Secoes(ImprimirComRastro(Juntar(Modelo("0"), {{"pCodigoInsumo", "11"}})).Rastro, kSecaoLinha);
  ASSERT_EQ(linha.size(), 2u);
  EXPECT_EQ(linha[1].Valor("R5"), "0,10");
}

TEST_F(BudgetByArea, RefusedSelectionIsABadParameter) {
  // Past the form, the report's own conditions name the parameter.
  for (const char* parametro : {"pCodigoEmpreend", "pCodigoObra", "pCodigoInsumo"}) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(Modelo("0"), {{parametro, "1) or (1=1"}}));
    try {
      direta.Imprimir();
      ADD_FAILURE() << parametro << " was accepted";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), parametro);
      EXPECT_EQ(std::string(e.what()).rfind("Seleção '1) or (1=1' inválida", 0), 0u) << e.what();
    }
  }
  // Through rpt: exit 2 naming it, and no PDF.
  const fs::path pasta = fs::temp_directory_path() / ("rpt-orcado-area-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  TnDMConexao::CriarBanco((pasta / "banco.fdb").string());
  const fs::path pdf = pasta / "saida.pdf";
  const TSaidaRpt s = RodarRpt("run RptBudgetByArea --db " + (pasta / "banco.fdb").string() +
                               " --param 'pCodigoObra=1) or (1=1' --out " + pdf.string());
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCodigoObra: Seleção '1) or (1=1' inválida"), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(pdf));
  fs::remove_all(pasta);
}

// A divisor that is zero or null: the works' total, the rate of a converted budget, the
// chosen area sum. The value it divides prints 0,00 and no chart point is inf or nan.
struct TDivisorZero {
  const char* Caso;
  std::vector<const char*> Ajustes;  // statements that make the divisor vanish
  int Obra;                          // works whose lines show it
  const char* Valor;                 // the value that becomes 0,00
};

void PrintTo(const TDivisorZero& c, std::ostream* os) { *os << c.Caso; }

class BudgetByAreaZeroDivisor : public BudgetByArea, public ::testing::WithParamInterface<TDivisorZero> {};

TEST_P(BudgetByAreaZeroDivisor, PrintsZeroAndChartsFiniteShares) {
  const TDivisorZero& c = GetParam();
  for (const char* ajuste : c.Ajustes) Sql(ajuste);
  const TImpressaoEmMemoria impressao = ImprimirEmMemoria(Modelo("0", "2"));

  const std::string obra = std::to_string(c.Obra) + " - ";
  const auto cabecalhos = Secoes(impressao.Rastro, 1);
  int linhasDaObra = 0;
  for (const auto& linha : Secoes(impressao.Rastro, kSecaoLinha)) {
    if (cabecalhos.at(linha.Pagina - 1).Valor("pDescrObra").rfind(obra, 0) != 0) continue;
    ++linhasDaObra;
    EXPECT_EQ(linha.Valor(c.Valor), "0,00") << linha.Valor("R1");
  }
  EXPECT_GT(linhasDaObra, 0);
  const auto graficos = Graficos(impressao);
  ASSERT_EQ(graficos.size(), 3u);
  for (const auto& pontos : graficos)
    for (const auto& ponto : pontos) EXPECT_TRUE(std::isfinite(ponto.Valor)) << ponto.Rotulo;
  if (std::string(c.Valor) == "R5") {  // the share is what the chart plots
    for (const auto& ponto : graficos.at(c.Obra - 1)) EXPECT_EQ(ponto.Valor, 0) << ponto.Rotulo;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Divisores, BudgetByAreaZeroDivisor,
    ::testing::Values(
        // +2.500,00 and -2.500,00: a works' total of 0 under lines that are not
        TDivisorZero{"WorksTotal",
                     {"delete from OBRAORCAMENTOINSUMO where CODIGOOBRA = 1 and CODIGOINSUMO = 12",
                      "update OBRAORCAMENTOINSUMO set VALORTOTAL = -2500 where CODIGOOBRA = 1 and CODIGOINSUMO = 21 "
                      "and DATAORCAMENTO = '2026-06-01'"},
                     kObraTorre1, "R5"},
        TDivisorZero{"RateZero", {"update OBRAORCAMENTO set VALORCOTACAOMOEDA = 0 where CODIGOOBRA = 2"},
                     kObraTorre2, "R6"},
        TDivisorZero{"RateNull", {"update OBRAORCAMENTO set VALORCOTACAOMOEDA = null where CODIGOOBRA = 2"},
                     kObraTorre2, "R6"},
        TDivisorZero{"AreaZero", {"update IMOVELAREA set TOTALMQUADRADO = 0"}, kObraTorre1, "R7"},
        TDivisorZero{"AreaNull", {"update IMOVELAREA set TOTALMUTIL = null"}, kObraGalpao, "R7"}),
    [](const auto& caso) { return std::string(caso.param.Caso); });

}  // namespace
