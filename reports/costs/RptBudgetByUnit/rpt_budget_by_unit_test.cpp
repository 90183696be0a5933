// Budgeted cost by unit through the real host path: small fixtures of one development
// with its units, areas and a works budget, printed and read back from the trace.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/data/conexao.h"
#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

using semente::kEmpreendA;
using semente::kEmpreendB;
using semente::kEmpresa;

constexpr int kSecaoImovel = 8;
constexpr int kSecaoTotal = 9;

constexpr int kTipoApartamento = 1, kTipoVaga = 2;

struct TUnidade {
  int Codigo;
  int Tipo;
  TValor Total, Util;  // one area row; no row when both are null
};

class BudgetByUnit : public TesteRelatorio {
 protected:
  BudgetByUnit() {
    Sql("insert into TPIMOVEL (CODIGOTPIMOVEL, DSTPIMOVEL) values (1, 'Apartamento')");
    Sql("insert into TPIMOVEL (CODIGOTPIMOVEL, DSTPIMOVEL) values (2, 'Vaga de garagem')");
  }

  // Units of a development with one area row each and an analytic structure item of
  // coefficient area / 100.
  void Unidades(int empreend, const std::vector<TUnidade>& unidades) {
    for (const TUnidade& u : unidades) {
      Sql("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL, DESCRIMOVEL) "
          "values (:e, :c, :m, :t, :d)",
          {kEmpresa, u.Codigo, empreend, u.Tipo, "Unidade " + std::to_string(u.Codigo)});
      if (!u.Total.IsNull() || !u.Util.IsNull())
        Sql("insert into IMOVELAREA (CODIGOESCRIT, CODIGOIMOVEL, CODIGOIMOVELAREA, TOTALMQUADRADO, TOTALMUTIL) "
            "values (:e, :c, 1, :t, :u)",
            {kEmpresa, u.Codigo, u.Total, u.Util});
      Sql("insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, TIPOESTRUTURA, "
          "CODIGOIMOVEL, COEFICIENTEMQUADRADO) values (:e, :m, :c, 2, :c2, :k)",
          {kEmpresa, empreend, u.Codigo, u.Codigo, u.Total.IsNull() ? 0.0 : u.Total.AsFloat() / 100});
    }
  }
  void Forma(int empreend, int formaRateio) {
    Sql("update EMPREENDIMENTO set FORMARATEIO = :f where CODIGOEMPREEND = :e", {formaRateio, empreend});
  }
  // A works with an older budget of 1,00 (never shown) and the latest one of orcado.
  void Obra(int codigo, int empreend, const std::string& descricao, double orcado) {
    Sql("insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (:e, :c, :d, :m)",
        {kEmpresa, codigo, descricao, empreend});
    Sql("insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (:e, :c, :d, 1)",
        {kEmpresa, codigo, TValor::Data(EncodeDate(2026, 1, 1))});
    Sql("insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, VALORTOTALORCADO) values (:e, :c, :d, :v)",
        {kEmpresa, codigo, TValor::Data(EncodeDate(2026, 6, 1)), orcado});
  }

  static TParametros Modelo(const std::string& modelo) {
    return {{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pModelo", modelo}};
  }
};

// ---- apportionment of one works ---------------------------------------------

struct TCasoRateio {
  const char* Caso;
  int FormaRateio;
  double Orcado;
  std::vector<TUnidade> Unidades;
  TParametros Extra;                             // modelo, selections
  std::vector<TValoresEsperados> Linhas;         // section 8, in order
  TValoresEsperados Total;                       // section 9
};

void PrintTo(const TCasoRateio& c, std::ostream* os) { *os << c.Caso; }

class BudgetByUnitRateio : public BudgetByUnit, public ::testing::WithParamInterface<TCasoRateio> {};

TEST_P(BudgetByUnitRateio, LinesAndTotalAsPrinted) {
  const TCasoRateio& c = GetParam();
  Forma(kEmpreendA, c.FormaRateio);
  Unidades(kEmpreendA, c.Unidades);
  Obra(1, kEmpreendA, "Torre", c.Orcado);
  const TnResultadoImpressao r = ImprimirComRastro(Juntar(Modelo("0"), c.Extra));
  const auto linhas = Secoes(r, kSecaoImovel);
  ASSERT_EQ(linhas.size(), c.Linhas.size());
  for (size_t i = 0; i < linhas.size(); ++i) EXPECT_TRUE(MostraValores(linhas[i], c.Linhas[i])) << "line " << i;
  const auto total = Secoes(r, kSecaoTotal);
  ASSERT_EQ(total.size(), 1u);
  EXPECT_TRUE(MostraValores(total[0], c.Total));
  for (const auto& s : r.Rastro.Secoes)
    for (const auto& [nome, texto] : s.Valores)
      EXPECT_TRUE(texto.find("inf") == std::string::npos && texto.find("nan") == std::string::npos) << nome << texto;
}

const TValor kNulo;

INSTANTIATE_TEST_SUITE_P(
    Casos, BudgetByUnitRateio,
    ::testing::Values(
        TCasoRateio{"ByTotalArea", 1, 1000000,
                    {{1, 1, 60, 50}, {2, 1, 60, 50}, {3, 1, 80, 10}},
                    {},
                    {{{"R1", "1 - Unidade 1"}, {"R2", "0,6000"}, {"R3", "60,00"}, {"R4", "50,00"},
                      {"R5", "300.000,00"}, {"R6", "30,00"}},
                     {{"R5", "300.000,00"}, {"R6", "30,00"}},
                     {{"R1", "3 - Unidade 3"}, {"R5", "400.000,00"}, {"R6", "40,00"}}},
                    {{"R1", ""}, {"R2", "2,0000"}, {"R3", "200,00"}, {"R4", "110,00"}, {"R5", "1.000.000,00"},
                     {"R6", "100,00"}}},
        // 33,333... rounds to 33,33 on every line; the last one takes the cent left over.
        TCasoRateio{"ThreeThirds", 1, 100,
                    {{1, 1, 10, 10}, {2, 1, 10, 10}, {3, 1, 10, 10}},
                    {},
                    {{{"R5", "33,33"}, {"R6", "33,33"}}, {{"R5", "33,33"}, {"R6", "33,33"}},
                     {{"R5", "33,34"}, {"R6", "33,34"}}},
                    {{"R5", "100,00"}, {"R6", "100,00"}}},
        TCasoRateio{"ByUsableArea", 2, 1000,
                    {{1, 1, 100, 20}, {2, 1, 50, 80}},
                    {},
                    {{{"R3", "100,00"}, {"R4", "20,00"}, {"R5", "200,00"}, {"R6", "20,00"}},
                     {{"R3", "50,00"}, {"R4", "80,00"}, {"R5", "800,00"}, {"R6", "80,00"}}},
                    {{"R3", "150,00"}, {"R4", "100,00"}, {"R5", "1.000,00"}, {"R6", "100,00"}}},
        TCasoRateio{"OneUnit", 1, 1234.56, {{1, 1, 75, 70}}, {},
                    {{{"R5", "1.234,56"}, {"R6", "100,00"}}},
                    {{"R5", "1.234,56"}, {"R6", "100,00"}}},
        // Two of the three units selected: each keeps its share, nothing is handed to the last.
        TCasoRateio{"PartialSelection", 1, 1000000,
                    {{1, 1, 60, 60}, {2, 1, 60, 60}, {3, 1, 80, 80}},
                    {{"pCodigoImovel", "1-2"}},
                    {{{"R5", "300.000,00"}, {"R6", "30,00"}}, {{"R5", "300.000,00"}, {"R6", "30,00"}}},
                    {{"R3", "120,00"}, {"R5", "600.000,00"}, {"R6", "60,00"}}},
        TCasoRateio{"TypeSelection", 1, 1000,
                    {{1, kTipoApartamento, 60, 60}, {2, kTipoVaga, 40, 40}},
                    {{"pCodigoTPImovel", "2"}},
                    {{{"R1", "2 - Unidade 2"}, {"R5", "400,00"}, {"R6", "40,00"}}},
                    {{"R5", "400,00"}, {"R6", "40,00"}}},
        TCasoRateio{"NoArea", 1, 1000,
                    {{1, 1, 0, 0}, {2, 1, kNulo, kNulo}},
                    {},
                    {{{"R3", "0,00"}, {"R5", "0,00"}, {"R6", "0,00"}}, {{"R3", "0,00"}, {"R5", "0,00"}, {"R6", "0,00"}}},
                    {{"R3", "0,00"}, {"R5", "0,00"}, {"R6", "0,00"}}},
        TCasoRateio{"NoBudget", 1, 0,
                    {{1, 1, 60, 60}, {2, 1, 40, 40}},
                    {},
                    {{{"R5", "0,00"}, {"R6", "0,00"}}, {{"R5", "0,00"}, {"R6", "0,00"}}},
                    {{"R5", "0,00"}, {"R6", "0,00"}}},
        // The area total is rounded at each addition: 10,01 + 10,005 gives 20,02, not 20,01.
        TCasoRateio{"AreasRoundedAtEachStep", 1, 100,
                    {{1, 1, 10.005, 10.005}, {2, 1, 10.005, 10.005}},
                    {},
                    {{{"R3", "10,01"}, {"R5", "50,00"}, {"R6", "50,00"}}, {{"R3", "10,01"}, {"R5", "50,00"}, {"R6", "50,00"}}},
                    {{"R3", "20,02"}, {"R4", "20,02"}, {"R5", "100,00"}, {"R6", "100,00"}}},
        TCasoRateio{"Synthetic", 1, 1000,
                    {{1, kTipoApartamento, 30, 25}, {2, kTipoApartamento, 30, 25}, {3, kTipoVaga, 10, 0},
                     {4, kTipoVaga, 10, 0}, {5, kTipoVaga, 10, 0}},
                    {{"pModelo", "1"}},
                    {{{"R1", "1 - Apartamento"}, {"R2", "0,6000"}, {"R3", "60,00"}, {"R4", "50,00"},
                      {"R5", "666,67"}, {"R6", "66,67"}},
                     {{"R1", "2 - Vaga de garagem"}, {"R2", "0,3000"}, {"R3", "30,00"}, {"R4", "0,00"},
                      {"R5", "333,33"}, {"R6", "33,33"}}},
                    {{"R2", "0,9000"}, {"R3", "90,00"}, {"R5", "1.000,00"}, {"R6", "100,00"}}}),
    [](const auto& caso) { return std::string(caso.param.Caso); });

TEST_F(BudgetByUnit, TitlesFollowTheModel) {
  Unidades(kEmpreendA, {{1, 1, 60, 50}});
  Obra(1, kEmpreendA, "Torre", 1000);
  const struct {
    const char* Modelo;
    TValoresEsperados Titulos;
  } casos[] = {
      {"0", {{"pTituloDescricao", "Imóvel"}, {"pTituloCoeficiente", "Coeficiente"}, {"pTituloMQuadrado", "M² Total"},
             {"pTituloMUtil", "M² Útil"}}},
      {"1", {{"pTituloDescricao", "Tipo Imóvel"}, {"pTituloCoeficiente", "Coeficiente Total"},
             {"pTituloMQuadrado", "Área Total"}, {"pTituloMUtil", "Área Total Útil"}}},
  };
  for (const auto& c : casos) {
    const auto cabecalhos = Secoes(ImprimirComRastro(Modelo(c.Modelo)), 1);
    ASSERT_EQ(cabecalhos.size(), 1u);
    EXPECT_TRUE(MostraValores(cabecalhos[0], c.Titulos)) << c.Modelo;
    EXPECT_TRUE(MostraValores(cabecalhos[0], {{"pDescrEscrit", semente::kNomeEmpresa},
                                              {"pInscrFedEscrit", semente::kInscricaoEmpresa},
                                              {"pDescrEmpreend", "10 - Residencial Aurora"},
                                              {"pDescrObra", "1 - Torre"}}));
  }
}

// ---- works after works ------------------------------------------------------

// The works shown in the page header of each printed section 8 or 9, with its R1 / R5.
std::vector<std::string> LinhasPorObra(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  std::string obra;
  for (const auto& s : rastro.Secoes) {
    if (s.Secao == 1) obra = s.Valor("pDescrObra");
    if (s.Secao == kSecaoImovel) linhas.push_back("p" + std::to_string(s.Pagina) + " " + obra + ": " + s.Valor("R1") + " " + s.Valor("R5"));
    if (s.Secao == kSecaoTotal) linhas.push_back("p" + std::to_string(s.Pagina) + " " + obra + ": total " + s.Valor("R5"));
  }
  return linhas;
}

TEST_F(BudgetByUnit, EachWorksOnItsPagesWithItsOwnTotals) {
  Unidades(kEmpreendA, {{1, 1, 60, 60}, {2, 1, 40, 40}});
  Obra(1, kEmpreendA, "Torre", 1000);
  Obra(2, kEmpreendA, "Lazer", 300);
  const TnResultadoImpressao r = ImprimirComRastro(Modelo("0"));
  EXPECT_EQ(r.Paginas, 2);
  EXPECT_EQ(LinhasPorObra(r.Rastro), (std::vector<std::string>{
                                         "p1 1 - Torre: 1 - Unidade 1 600,00",
                                         "p1 1 - Torre: 2 - Unidade 2 400,00",
                                         "p1 1 - Torre: total 1.000,00",
                                         "p2 2 - Lazer: 1 - Unidade 1 180,00",
                                         "p2 2 - Lazer: 2 - Unidade 2 120,00",
                                         "p2 2 - Lazer: total 300,00",
                                     }));
  const auto totais = Secoes(r, kSecaoTotal);
  ASSERT_EQ(totais.size(), 2u);
  EXPECT_TRUE(MostraValores(totais[1], {{"R2", "1,0000"}, {"R3", "100,00"}, {"R6", "100,00"}}));
}

// A works whose lines fill its first page: the total goes over to a page of its own,
// still headed by that works, and the next works starts on a new page.
TEST_F(BudgetByUnit, TotalSpillingOverKeepsItsWorksInTheHeader) {
  constexpr int kLinhasQueEnchemAPagina = 56;
  std::vector<TUnidade> unidades;
  for (int i = 1; i <= kLinhasQueEnchemAPagina; ++i) unidades.push_back({i, 1, 10, 10});
  Unidades(kEmpreendA, unidades);
  Unidades(kEmpreendB, {{900, 1, 50, 50}});
  Obra(1, kEmpreendA, "Torre", 5600);
  Obra(2, kEmpreendB, "Galpão", 700);
  const TnResultadoImpressao r = ImprimirComRastro(Modelo("0"));
  const auto linhas = LinhasPorObra(r.Rastro);
  ASSERT_EQ(linhas.size(), static_cast<size_t>(kLinhasQueEnchemAPagina + 3));
  EXPECT_EQ(linhas[kLinhasQueEnchemAPagina - 1], "p1 1 - Torre: 56 - Unidade 56 100,00");
  EXPECT_EQ(linhas[kLinhasQueEnchemAPagina], "p2 1 - Torre: total 5.600,00");
  EXPECT_EQ(linhas[kLinhasQueEnchemAPagina + 1], "p3 2 - Galpão: 900 - Unidade 900 700,00");
  EXPECT_EQ(linhas[kLinhasQueEnchemAPagina + 2], "p3 2 - Galpão: total 700,00");
  EXPECT_EQ(r.Paginas, 3);
}

// ---- bad selections ---------------------------------------------------------

TEST_F(BudgetByUnit, RefusedSelectionIsABadParameter) {
  for (const char* parametro : {"pCodigoEmpreend", "pCodigoObra", "pCodigoImovel", "pCodigoTPImovel"}) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(Modelo("0"), {{parametro, "1) or (1=1"}}));
    try {
      direta.Imprimir();
      ADD_FAILURE() << parametro << " was accepted";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), parametro);
      EXPECT_EQ(std::string(e.what()).rfind("Seleção '1) or (1=1' inválida", 0), 0u) << e.what();
    }
  }
  const fs::path pasta = fs::temp_directory_path() / ("rpt-orcado-imovel-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  TnDMConexao::CriarBanco((pasta / "banco.fdb").string());
  const fs::path pdf = pasta / "saida.pdf";
  const TSaidaRpt s = RodarRpt("run RptBudgetByUnit --db " + (pasta / "banco.fdb").string() +
                               " --param 'pCodigoImovel=1) or (1=1' --out " + pdf.string());
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCodigoImovel: Seleção '1) or (1=1' inválida"), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(pdf));
  fs::remove_all(pasta);
}

}  // namespace
