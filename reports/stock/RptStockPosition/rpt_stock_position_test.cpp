// Stock position printed through the host from a small database, at 31/03/2026:
//   company 1, stock 0 "Almoxarifado Central": cement bought and moved by every movement
//     type, sand fully issued leaving a residue of 0,0099, gravel bought on the reference
//     date and again the day after, and a delivery fee that has no unit of measure;
//   company 1, stock 2 "Canteiro Aurora": cement issued beyond what came in (a negative
//     balance), sand that came in and went out at the same cost, gravel;
//   company 2, stock 1: cement that never shows in company 1's report.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/data/conexao.h"
#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFixture[] = {
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (2, 'Incorporadora Beta S.A.', '98.765.432/0001-10')",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (90, 'Marcos Engenheiro', '123.456.789-09')",
    "insert into UNIDADEMEDIDA values (1, 'Saco', 'sc')",
    "insert into UNIDADEMEDIDA values (2, 'Metro cúbico', 'm3')",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) values (100, 'Cimento CP-II', 1, 1, 1)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) values (200, 'Areia média', 2, 1, 1)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) values (300, 'Brita 1', 2, 1, 2)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) values (400, 'Taxa de entrega', null, 1, 3)",
    "insert into ESTOQUE values (1, 0, 'Almoxarifado Central', null)",
    "insert into ESTOQUE values (1, 2, 'Canteiro Aurora', null)",
    "insert into ESTOQUE values (2, 1, 'Depósito Beta', null)",
};

// Stock movements: company, stock, movement, date, type, input, quantity, unit cost.
constexpr const char* kMovimentos[] = {
    "1, 0, 1, '2026-01-05', 0, 100, 10, 30",
    "1, 0, 2, '2026-02-01', -3, 100, 1, 30",
    "1, 0, 3, '2026-02-02', -2, 100, 1, 30",
    "1, 0, 4, '2026-02-03', -1, 100, 1, 30",
    "1, 0, 5, '2026-02-04', 1, 100, 1, 30",
    "1, 0, 6, '2026-02-05', 2, 100, 1, 30",
    "1, 0, 7, '2026-02-06', 3, 100, 1, 30",
    "1, 0, 8, '2026-02-07', 4, 100, 1, 30",
    "1, 0, 9, '2026-01-10', 0, 200, 3, 33.3333",
    "1, 0, 10, '2026-01-20', 1, 200, 3, 33.33",
    "1, 0, 11, '2026-03-31', 0, 300, 2, 40",
    "1, 0, 12, '2026-04-01', 0, 300, 5, 40",
    "1, 0, 13, '2026-03-01', 0, 400, 1, 50",
    "1, 2, 1, '2026-02-10', -2, 100, 4, 30",
    "1, 2, 2, '2026-02-11', 1, 100, 6, 30",
    "1, 2, 3, '2026-02-12', 0, 200, 2, 50",
    "1, 2, 4, '2026-02-13', 1, 200, 2, 50",
    "1, 2, 5, '2026-03-15', 0, 300, 1, 45",
    "2, 1, 1, '2026-01-05', 0, 100, 7, 31",
};

const char* const kSelecaoRecusada = "1) or (1=1";

struct StockPosition : ::testing::Test {
  static void SetUpTestSuite() {
    banco = new TBancoTeste(true);
    semente::SemearEmpresa(*banco);
    for (const char* sql : kFixture) banco->Conexao().Executar(sql);
    for (const char* valores : kMovimentos)
      banco->Conexao().Executar(
          std::string("insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, "
                      "TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (") +
          valores + ")");
  }
  static void TearDownTestSuite() {
    delete banco;
    banco = nullptr;
  }

  // The report as the host prints it; later parameters override the defaults.
  static TnRastro Imprimir(const TParametros& extras) {
    return ImprimirComRastro(Juntar(kPadrao, extras)).Rastro;
  }

  static inline const TParametros kPadrao = {
      {"pCodigoEscrit", "1"}, {"pData", "31/03/2026"}, {"pOrdenar", "2"}, {"pCodigoPessoaFin", "0"}};

  static TBancoTeste* banco;
};

TBancoTeste* StockPosition::banco = nullptr;

// One printed section as the reader sees it.
std::string Linha(const TnSecaoImpressa& s) {
  switch (s.Secao) {
    case 11:
      return "11 " + s.Valor("R1") + " | " + s.Valor("R2") + " | " + s.Valor("R3") + " | " + s.Valor("R5") + " | " +
             s.Valor("R6");
    case 12: return "12 " + s.Valor("R2") + " | " + s.Valor("R1");
    case 13: return "13 " + s.Valor("R1") + " | " + s.Valor("R2");
    default: return std::to_string(s.Secao);
  }
}

// The sections after the page headers, in print order, each with its page.
std::vector<std::string> Linhas(const TnRastro& rastro, bool comPagina = false) {
  std::vector<std::string> linhas;
  for (const auto& s : rastro.Secoes)
    if (s.Secao != 1) linhas.push_back((comPagina ? "p" + std::to_string(s.Pagina) + " " : "") + Linha(s));
  return linhas;
}

TEST_F(StockPosition, PrintsEachStockOnItsPageWithUnsignedBalancesAndTotals) {
  const TnRastro rastro = Imprimir({});
  EXPECT_EQ(Linhas(rastro, true), (std::vector<std::string>{
                                      "p1 11 200 - Areia média | 2 - m3 | 0,00 | 0,0000 | 0,01",
                                      "p1 11 300 - Brita 1 | 2 - m3 | 40,00 | 2,0000 | 80,00",
                                      "p1 11 100 - Cimento CP-II | 1 - sc | 30,00 | 9,0000 | 270,00",
                                      "p1 11 400 - Taxa de entrega |  | 50,00 | 1,0000 | 50,00",
                                      "p1 12 Estoque: 0000 - Almoxarifado Central | 400,01",
                                      "p2 11 200 - Areia média | 2 - m3 | 0,00 | 0,0000 | 0,00",
                                      "p2 11 300 - Brita 1 | 2 - m3 | 45,00 | 1,0000 | 45,00",
                                      "p2 11 100 - Cimento CP-II | 1 - sc | 30,00 | 2,0000 | 60,00",
                                      "p2 12 Estoque: 0002 - Canteiro Aurora | 105,00",
                                      "p2 10",
                                      "p2 12 Geral  | 505,01",
                                  }));
  EXPECT_EQ(rastro.Paginas, 2);
  // One aggregate query gives every balance line.
  ASSERT_EQ(rastro.Consultas.size(), 1u);
  EXPECT_EQ(rastro.Consultas[0].Linhas, 7);
}

TEST_F(StockPosition, PageHeaderNamesCompanyDateAndTheStockOfThePage) {
  const TnRastro rastro = Imprimir({});
  std::vector<std::string> estoques;
  for (const auto& s : rastro.Secoes)
    if (s.Secao == 1) {
      EXPECT_EQ(s.Valor("pNomeEscrit"), "Construtora Alfa Ltda");
      EXPECT_EQ(s.Valor("pInscFederal"), "12.345.678/0001-90");
      EXPECT_EQ(s.Valor("pData"), "31/03/2026");
      estoques.push_back(s.Valor("pDescrEstoque"));
    }
  EXPECT_EQ(estoques, (std::vector<std::string>{"0000 - Almoxarifado Central", "0002 - Canteiro Aurora"}));
}

// Entries (type 0 or less) add quantity and quantity times unit cost, exits subtract them:
// the cement of stock 0 is 10 at 30 by its purchase, one more movement of each type at 30.
TEST_F(StockPosition, EachMovementTypeCountsByItsSign) {
  const struct {
    const char* tipo;
    const char* linha;
  } casos[] = {
      {"-3", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 11,0000 | 330,00"},
      {"-2", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 11,0000 | 330,00"},
      {"-1", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 11,0000 | 330,00"},
      {"0", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 10,0000 | 300,00"},
      {"1", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 9,0000 | 270,00"},
      {"2", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 9,0000 | 270,00"},
      {"3", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 9,0000 | 270,00"},
      {"4", "11 100 - Cimento CP-II | 1 - sc | 30,00 | 9,0000 | 270,00"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.tipo);
    const TnRastro rastro = Imprimir({{"pCodigoEstoque", "0"},
                                      {"pCodigoInsumo", "100"},
                                      {"pTipoMvtoEstoqueCL", std::string("0,") + c.tipo}});
    const std::vector<std::string> linhas = Linhas(rastro);
    ASSERT_FALSE(linhas.empty());
    EXPECT_EQ(linhas.front(), c.linha);
  }
}

TEST_F(StockPosition, InputsOrderedByCodeOrDescriptionStocksAlwaysByCode) {
  const struct {
    const char* ordenar;
    std::vector<std::string> insumos;
  } casos[] = {
      {"1", {"100 - Cimento CP-II", "200 - Areia média", "300 - Brita 1", "400 - Taxa de entrega",
             "100 - Cimento CP-II", "200 - Areia média", "300 - Brita 1"}},
      {"2", {"200 - Areia média", "300 - Brita 1", "100 - Cimento CP-II", "400 - Taxa de entrega",
             "200 - Areia média", "300 - Brita 1", "100 - Cimento CP-II"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.ordenar);
    EXPECT_EQ(ValoresDe(Imprimir({{"pOrdenar", c.ordenar}}), 11, "R1"), c.insumos);
  }
}

// The sand of stock 2 nets to zero: its line prints, its stock total does not.
TEST_F(StockPosition, StockWhoseValuesAddUpToZeroPrintsNoTotal) {
  EXPECT_EQ(Linhas(Imprimir({{"pCodigoInsumo", "200"}}), true),
            (std::vector<std::string>{
                "p1 11 200 - Areia média | 2 - m3 | 0,00 | 0,0000 | 0,01",
                "p1 12 Estoque: 0000 - Almoxarifado Central | 0,01",
                "p2 11 200 - Areia média | 2 - m3 | 0,00 | 0,0000 | 0,00",
                "p2 10",
                "p2 12 Geral  | 0,01",
            }));
}

TEST_F(StockPosition, SignatureNeedsAPersonAndAGrandTotal) {
  const struct {
    const char* nome;
    TParametros parametros;
    std::vector<int> secoes;
    size_t consultas;  // the signer is looked up only when the block prints
  } casos[] = {
      {"pessoa 90", {{"pCodigoPessoaFin", "90"}}, {11, 11, 11, 11, 12, 11, 11, 11, 12, 10, 12, 13}, 2},
      {"sem pessoa", {{"pCodigoPessoaFin", "0"}}, {11, 11, 11, 11, 12, 11, 11, 11, 12, 10, 12}, 1},
      {"total geral zero", {{"pCodigoPessoaFin", "90"}, {"pCodigoEstoque", "2"}, {"pCodigoInsumo", "200"}}, {11}, 1},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const TnRastro rastro = Imprimir(c.parametros);
    EXPECT_EQ(rastro.NumerosSecoes(), c.secoes);
    EXPECT_EQ(rastro.Consultas.size(), c.consultas);
    if (!rastro.Secoes.empty() && rastro.Secoes.back().Secao == 13) {
      EXPECT_EQ(Linha(rastro.Secoes.back()), "13 Marcos Engenheiro | 123.456.789-09");
    }
  }
}

TEST_F(StockPosition, NothingToPrintPrintsNothing) {
  const TParametros casos[] = {
      {{"pCodigoEscrit", ""}},
      {{"pData", "31/12/2025"}},
      {{"pCodigoEstoque", "5-9"}},
  };
  for (const auto& parametros : casos) {
    SCOPED_TRACE(parametros.front().first + "=" + parametros.front().second);
    const TnRastro rastro = Imprimir(parametros);
    EXPECT_EQ(rastro.Paginas, 0);
    EXPECT_TRUE(rastro.Secoes.empty());
  }
}

TEST_F(StockPosition, EmptyDateIsRefusedOnItsParameterBeforeAnyQuery) {
  try {
    Imprimir({{"pData", " "}});
    ADD_FAILURE() << "sem erro";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.NomeParametro(), "pData");
    EXPECT_STREQ(e.what(), "informe uma data (use DD/MM/AAAA).");
  }
}

// The form refuses these texts first; the report refuses them as well when a host lets them through.
TEST_F(StockPosition, RefusedSelectionIsRefusedOnItsParameterBeforeAnyQuery) {
  for (const char* nome : {"pCodigoEstoque", "pCodigoInsumo", "pClassifInsumoCL", "pTipoMvtoEstoqueCL"}) {
    SCOPED_TRACE(nome);
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(kPadrao, {{nome, kSelecaoRecusada}}));
    try {
      direta.Imprimir();
      ADD_FAILURE() << "sem erro";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), nome);
    }
    EXPECT_EQ(direta.Valor("pNomeEscrit"), "");
  }
}

// Through rpt: exit 2, the parameter named, no PDF left behind.
TEST(StockPositionRpt, BadParameterExitsTwoNamingItAndWritesNoPdf) {
  const fs::path pasta = fs::temp_directory_path() / ("rpt-posicao-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  TnDMConexao::CriarBanco((pasta / "vazio.fdb").string());
  const struct {
    const char* parametro;
    const char* mensagem;
  } casos[] = {
      {"pCodigoEstoque='1) or (1=1'", "pCodigoEstoque: Seleção '1) or (1=1' inválida"},
      {"pData=' '", "pData: informe uma data (use DD/MM/AAAA)."},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.parametro);
    const fs::path pdf = pasta / "posicao.pdf";
    const TSaidaRpt s = RodarRpt("run RptStockPosition --plugins " + fs::path(RPT_PLUGIN_PATH).parent_path().string() +
                                 " --db " + (pasta / "vazio.fdb").string() + " --param pCodigoEscrit=1 --param " +
                                 c.parametro + " --out " + pdf.string());
    EXPECT_EQ(s.Codigo, 2) << s.Texto;
    EXPECT_NE(s.Texto.find(c.mensagem), std::string::npos) << s.Texto;
    EXPECT_FALSE(fs::exists(pdf));
  }
  fs::remove_all(pasta);
}

}  // namespace
