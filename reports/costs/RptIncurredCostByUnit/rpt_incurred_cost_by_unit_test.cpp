// Incurred cost by unit, printed through the host from small fixtures in a real
// embedded database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

// The seed company 1 with development 10 (units 101 and 102, apartments) and development 20
// (unit 201, a shop). Structure items: 1 = the development, 2.. = the units.
struct CustoPorUnidade : TesteRelatorio {
  CustoPorUnidade() {
    banco.Script(R"(
      insert into TPIMOVEL (CODIGOTPIMOVEL, DSTPIMOVEL) values (1, 'Apartamento');
      insert into TPIMOVEL (CODIGOTPIMOVEL, DSTPIMOVEL) values (2, 'Sala comercial');
      insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL) values (1, 101, 10, 1);
      insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL) values (1, 102, 10, 1);
      insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, CODIGOTPIMOVEL) values (1, 201, 20, 2);
      insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, TOTALMQUADRADO, TOTALMQUADRADOUTIL)
        values (1, 10, 1, '1', 'Residencial Aurora', 1, 1500.5, 1200.25);
      insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL, COEFICIENTEMQUADRADO)
        values (1, 10, 2, '1.01', 'Apto 101', 2, 101, 0.6);
      insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL, COEFICIENTEMQUADRADO)
        values (1, 10, 3, '1.02', 'Apto 102', 2, 102, 0.4);
      insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, TOTALMQUADRADO, TOTALMQUADRADOUTIL)
        values (1, 20, 1, '1', 'Centro Comercial Sul', 1, 300, 250);
      insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL, COEFICIENTEMQUADRADO)
        values (1, 20, 2, '1.01', 'Loja 1', 2, 201, 1);
      insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, TIPOINSUMO, CLASSIFINSUMO) values (1, 'Cimento', 1, 1);
      insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, TIPOINSUMO, CLASSIFINSUMO) values (2, 'Pedreiro', 2, 1);
    )");
  }

  // One allocation of an input to a structure item.
  void Rateio(int empreend, int estrutura, const std::string& data, int tipo, const std::string& valor,
              int insumo = 1) {
    banco.Script("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, "
                 "TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, " +
                 std::to_string(empreend) + ", " + std::to_string(estrutura) + ", " + std::to_string(++FRateios) +
                 ", '" + data + "', " + std::to_string(tipo) + ", " + std::to_string(insumo) + ", " + valor + ");");
  }

  static TParametros Periodo(const std::string& inicial, const std::string& final_, const TParametros& extra = {}) {
    return Juntar({{"pCodigoEscrit", "1"}, {"pDataInicial", inicial}, {"pDataFinal", final_}}, extra);
  }

  static TnResultadoImpressao Imprimir(const TParametros& parametros) { return ImprimirComRastro(parametros); }

  // R1..R14 of a printed section, as printed.
  static std::vector<std::string> Valores(const TnSecaoImpressa& s, int ate = 14) {
    std::vector<std::string> v;
    for (int n = 1; n <= ate; ++n) v.push_back(s.Valor("R" + std::to_string(n)));
    return v;
  }

  int FRateios = 0;
};

TEST_F(CustoPorUnidade, TwelveMonthsOneLinePerUnitWithBalanceMonthsAndDevelopmentTotals) {
  Rateio(10, 2, "2025-11-10", 1, "500.00");   // before the period: previous balance only
  Rateio(10, 2, "2026-01-01", 1, "100.00");   // on the initial date: previous balance and January
  Rateio(10, 2, "2026-03-05", 0, "40.00", 2);
  Rateio(10, 2, "2026-03-20", -1, "15.00");   // material back from the site lowers the cost
  Rateio(10, 2, "2026-02-14", 1, "60.00");    // stored after March: months still print in order
  Rateio(10, 2, "2026-03-21", -1, "80.00");   // March ends negative: 40 - 15 - 80
  Rateio(10, 2, "2026-06-01", 2, "999.00");   // a transfer is no cost
  Rateio(10, 2, "2026-12-31", 1, "1234.56");
  Rateio(20, 2, "2026-05-02", 1, "2000.00");

  auto r = Imprimir(Periodo("01/01/2026", "31/12/2026"));

  // Every development starts a page (the first without a blank page before it).
  EXPECT_EQ(r.Paginas, 2);
  EXPECT_EQ(r.Rastro.NumerosSecoes(), (std::vector<int>{8, 8, 9, 8, 9}));
  auto cabecalhos = Secoes(r, 1);
  ASSERT_EQ(cabecalhos.size(), 2u);
  EXPECT_TRUE(MostraValores(cabecalhos[0], {{"pNomeEscrit", "Construtora Alfa Ltda"},
                                            {"pInscFedEscrit", "12.345.678/0001-90"},
                                            {"pDescrEmpreend", "10 - Residencial Aurora"},
                                            {"pMetroQuadrado", "1.500,5000"},
                                            {"pMetroQuadradoUtil", "1.200,2500"},
                                            {"pDescrQtdTipoImovel", "2 Apartamento"},
                                            {"C1", "Janeiro"},
                                            {"C3", "Março"},
                                            {"C12", "Dezembro"}}));
  EXPECT_TRUE(MostraValores(cabecalhos[1], {{"pDescrEmpreend", "20 - Centro Comercial Sul"},
                                            {"pDescrQtdTipoImovel", "1 Sala comercial"},
                                            {"pMetroQuadrado", "300,0000"}}));

  auto linhas = Secoes(r, 8);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(linhas[0].Valor("pDescrImovel"), "101 - Apto 101");
  EXPECT_EQ(linhas[0].Valor("pCoeficiente"), "0,6000");
  EXPECT_EQ(Valores(linhas[0]),
            (std::vector<std::string>{"100,00 ", "60,00 ", " (55,00)", "0,00", "0,00", "0,00", "0,00", "0,00",
                                      "0,00", "0,00", "0,00", "1.234,56 ", "1.939,56", "600,00 "}));
  // A unit without allocations: zero balance, "0,00" in every month.
  EXPECT_EQ(linhas[1].Valor("pDescrImovel"), "102 - Apto 102");
  EXPECT_EQ(Valores(linhas[1]),
            (std::vector<std::string>{"0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00",
                                      "0,00", "0,00", "0,00", "0,00", "0,00 "}));

  auto totais = Secoes(r, 9);
  ASSERT_EQ(totais.size(), 2u);
  EXPECT_EQ(Valores(totais[0]),
            (std::vector<std::string>{"100,00 ", "60,00 ", " (55,00)", "0,00 ", "0,00 ", "0,00 ", "0,00 ",
                                      "0,00 ", "0,00 ", "0,00 ", "0,00 ", "1.234,56 ", "1.939,56", "600,00"}));
  EXPECT_EQ(totais[1].Valor("R5"), "2.000,00 ");
  EXPECT_EQ(totais[1].Valor("R13"), "2.000,00");
}

TEST_F(CustoPorUnidade, ShortPeriodBlanksTheMonthsAfterIt) {
  Rateio(10, 2, "2026-02-10", 1, "70.00");

  auto r = Imprimir(Periodo("01/01/2026", "31/03/2026", {{"pCodigoEmpreend", "10"}}));

  auto cab = Secoes(r, 1).at(0);
  EXPECT_EQ(cab.Valor("C3"), "Março");
  EXPECT_EQ(cab.Valor("C4"), "");
  EXPECT_EQ(cab.Valor("C12"), "");
  auto linhas = Secoes(r, 8);
  ASSERT_EQ(linhas.size(), 2u);
  const std::vector<std::string> depois(9, "");
  auto valores = Valores(linhas[1], 12);
  EXPECT_EQ(std::vector<std::string>(valores.begin(), valores.begin() + 3),
            (std::vector<std::string>{"0,00", "0,00", "0,00"}));
  EXPECT_EQ(std::vector<std::string>(valores.begin() + 3, valores.end()), depois);
  valores = Valores(Secoes(r, 9).at(0), 12);
  EXPECT_EQ(std::vector<std::string>(valores.begin(), valores.begin() + 3),
            (std::vector<std::string>{"0,00 ", "70,00 ", "0,00 "}));
  EXPECT_EQ(std::vector<std::string>(valores.begin() + 3, valores.end()), depois);
}

// A period starting after the 1st: the stepped date reaches the final month after
// its first day, so that column stays blank; the unit still prints one line and
// each month's total stays in the column it is printed in.
TEST_F(CustoPorUnidade, PeriodNotStartingOnTheFirstLeavesTheFinalMonthBlank) {
  struct Caso {
    std::string Inicial;
    std::vector<std::string> Titulos, Linha, Total;
  };
  const std::vector<Caso> casos{
      {"15/01/2026", {"Janeiro", "Fevereiro", ""}, {"10,00 ", "70,00 ", "", "80,00"}, {"10,00 ", "70,00 ", "0,00 ", "80,00"}},
      // 31/01 is also in the previous balance; February's total must not land in January.
      {"31/01/2026", {"Janeiro", "Fevereiro", ""}, {"10,00 ", "70,00 ", "", "90,00"}, {"10,00 ", "70,00 ", "", "90,00"}},
  };
  Rateio(10, 2, "2026-01-31", 1, "10.00");
  Rateio(10, 2, "2026-02-10", 1, "70.00");
  Rateio(10, 2, "2026-03-20", 1, "40.00");
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Inicial);
    auto r = Imprimir(Periodo(c.Inicial, "31/03/2026", {{"pCodigoImovel", "101"}}));
    auto cab = Secoes(r, 1).at(0);
    EXPECT_EQ((std::vector<std::string>{cab.Valor("C1"), cab.Valor("C2"), cab.Valor("C3")}), c.Titulos);
    auto linhas = Secoes(r, 8);
    ASSERT_EQ(linhas.size(), 1u);
    const auto& l = linhas[0];
    EXPECT_EQ((std::vector<std::string>{l.Valor("R1"), l.Valor("R2"), l.Valor("R3"), l.Valor("R13")}), c.Linha);
    const auto t = Secoes(r, 9).at(0);
    EXPECT_EQ((std::vector<std::string>{t.Valor("R1"), t.Valor("R2"), t.Valor("R3"), t.Valor("R13")}), c.Total);
  }
}

TEST_F(CustoPorUnidade, DevelopmentWhoseTotalsSumToZeroPrintsNoTotals) {
  Rateio(10, 2, "2026-01-10", 1, "50.00");
  Rateio(10, 3, "2026-01-12", -1, "50.00");
  Rateio(20, 2, "2026-01-12", 1, "0.10");
  Rateio(20, 2, "2026-02-12", 1, "0.20");
  Rateio(20, 2, "2026-03-12", -1, "0.30");  // sums to zero only to the cent

  auto r = Imprimir(Periodo("01/01/2026", "31/03/2026"));

  EXPECT_EQ(r.Paginas, 2);
  EXPECT_EQ(r.Rastro.NumerosSecoes(), (std::vector<int>{8, 8, 8}));
  EXPECT_EQ(Secoes(r, 8)[1].Valor("R1"), " (50,00)");
}

TEST_F(CustoPorUnidade, SelectionsNarrowTheAllocationsButKeepEveryUnitLine) {
  Rateio(10, 2, "2026-01-10", 1, "50.00", 1);   // material
  Rateio(10, 2, "2026-01-11", 0, "30.00", 2);   // labour
  Rateio(10, 3, "2026-01-12", 1, "20.00", 1);
  struct Caso {
    TParametros Extra;
    std::vector<std::string> Unidades, Janeiro;
  };
  const std::vector<Caso> casos{
      {{{"pTipoInsumoCL", "2"}}, {"101 - Apto 101", "102 - Apto 102", "201 - Loja 1"}, {"30,00 ", "0,00", "0,00"}},
      {{{"pClassifInsumoCL", "2-3"}}, {"101 - Apto 101", "102 - Apto 102", "201 - Loja 1"}, {"0,00", "0,00", "0,00"}},
      {{{"pCodigoTPImovel", "1"}}, {"101 - Apto 101", "102 - Apto 102"}, {"80,00 ", "20,00 "}},
      {{{"pCodigoImovel", "102,201"}}, {"102 - Apto 102", "201 - Loja 1"}, {"20,00 ", "0,00"}},
      {{{"pCodigoEmpreend", "20"}}, {"201 - Loja 1"}, {"0,00"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Extra[0].first + "=" + c.Extra[0].second);
    auto r = Imprimir(Periodo("01/01/2026", "31/01/2026", c.Extra));
    std::vector<std::string> unidades, janeiro;
    for (const auto& l : Secoes(r, 8)) {
      unidades.push_back(l.Valor("pDescrImovel"));
      janeiro.push_back(l.Valor("R1"));
    }
    EXPECT_EQ(unidades, c.Unidades);
    EXPECT_EQ(janeiro, c.Janeiro);
  }
}

TEST_F(CustoPorUnidade, PeriodErrorsPointAtTheFinalDateBeforeAnyQuery) {
  struct Caso {
    std::string Inicial, Final, Mensagem;
  };
  const std::vector<Caso> casos{
      {"01/02/2026", "31/01/2026", "A Data Final não pode ser anterior a Inicial, verifique!"},
      {"01/01/2026", "01/01/2027", "O período selecionado não pode ultrapassar 12 meses, verifique!"},
      {"15/01/2026", "14/01/2027", "O período selecionado não pode ultrapassar 12 meses, verifique!"},
  };
  banco.Script("drop table RATEIO;");  // a query would fail with a database error
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Inicial + " a " + c.Final);
    try {
      Imprimir(Periodo(c.Inicial, c.Final));
      ADD_FAILURE() << "sem erro";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), "pDataFinal");
      EXPECT_NE(std::string(e.what()).find(c.Mensagem), std::string::npos) << e.what();
    }
  }
}

TEST_F(CustoPorUnidade, CompanyWithoutUnitsPrintsNothing) {
  auto r = Imprimir({{"pCodigoEscrit", "2"}, {"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/12/2026"}});
  EXPECT_EQ(r.Paginas, 0);
  EXPECT_TRUE(r.Rastro.Secoes.empty());
}

// Column geometry: the report moves the month labels of the layout it is given.
TEST_F(CustoPorUnidade, MonthColumnsSpreadBetweenTheFirstColumnAndTheTotalCaption) {
  struct Caso {
    std::string Final;
    double TituloTotal;
    std::vector<double> Colunas;  // left of columns 1, 2, 3, 4 and 12
  };
  const std::vector<Caso> casos{
      {"31/12/2026", 960, {240, 300, 360, 420, 900}},
      {"31/03/2026", 840, {390, 540, 690, 420, 900}},
      {"31/03/2026", 960, {420, 600, 780, 420, 900}},
  };
  Rateio(10, 2, "2026-01-10", 1, "50.00");
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Final + " / " + std::to_string(c.TituloTotal));
    TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
    report.LabelByName("etqTituloTotalImovel")->Left = c.TituloTotal;
    report.LabelByName("etqC2")->Left = 0;  // a moved layout is put back first
    auto objeto = plugin->ClassDll()->Create(&report);
    TnFormParametros form(&report, objeto.get());
    for (const auto& [nome, valor] : Periodo("01/01/2026", c.Final)) form.Preencher(nome, valor);
    plugin->Imprimir(&report);
    std::vector<double> obtidas;
    for (int n : {1, 2, 3, 4, 12}) {
      const double esquerda = report.LabelByName("etqC" + std::to_string(n))->Left;
      obtidas.push_back(esquerda);
      EXPECT_EQ(report.LabelByName("etqR" + std::to_string(n))->Left, esquerda);
      EXPECT_EQ(report.LabelByName("etqT" + std::to_string(n))->Left, esquerda);
    }
    EXPECT_EQ(obtidas, c.Colunas);
  }
}

}  // namespace
