// Stock movement printed through the host from a small database, November 2026:
//   stock 1 "Almoxarifado": cement opening at 10 / 20,00 with a purchase of 4 at 2,50
//     and an issue of 6 at 2,00; sand with an opening of 5 / 15,00 and no movement;
//   stock 2 "Canteiro Zero": three inputs opening at 0,10, 0,20 and -0,30, which
//     net to a zero stock total;
//   stock 3 "Canteiro Beta": one input bought at 0,985, issued once at no cost and
//     once at 1,99, closing at 0,0000 worth (0,02).
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/data/conexao.h"
#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFixture =
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (900, 'João Engenheiro', '123.456.789-09');"
    "insert into ESTOQUE values (1, 1, 'Almoxarifado', null);"
    "insert into ESTOQUE values (1, 2, 'Canteiro Zero', 1);"
    "insert into ESTOQUE values (1, 3, 'Canteiro Beta', 2);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (10, 'Cimento', 'CP-II', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (20, 'Areia', 'média', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (31, 'Prego', '17x21', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (32, 'Arame', 'recozido', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (33, 'Parafuso', 'sextavado', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (40, 'Tinta', 'acrílica', 2);"
    // company, stock, movement, date, type, input, quantity, unit cost, reference, document
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, "
    "CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT, REFERENCIA, DOCUMENTO) values "
    "(1, 1, 1, '2026-10-15', 0, 10, 10, 2, 1, 'NF 1');"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 2, '2026-11-05', 0, 10, 4, 2.5, 2, 'NF 2', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 3, '2026-11-06', 1, 10, 6, 2, null, 'REQ 3', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 4, '2026-10-20', 0, 20, 5, 3, 4, 'NF 4', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 5, '2026-10-01', 0, 31, 1, 0.1, 5, 'NF 5', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 6, '2026-10-01', 0, 32, 1, 0.2, 6, 'NF 6', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 7, '2026-10-01', 1, 33, 1, 0.3, 7, 'REQ 7', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 3, 8, '2026-11-10', 0, 40, 2, 0.985, 8, 'NF 8', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 3, 9, '2026-11-11', 1, 40, 1, 0, 9, 'REQ 9', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 3, 10, '2026-11-12', 1, 40, 1, 1.99, 10, 'REQ 10', null, null);";

const TParametros kNovembro2026 = {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/11/2026"}, {"pDataFinal", "30/11/2026"}};

struct StockMovement : TesteRelatorio {
  StockMovement() { banco.Script(kFixture); }

  // November 2026 as the host prints it; later parameters override these.
  static TnRastro Imprimir(const TParametros& extras = {}) {
    return ImprimirComRastro(Juntar(kNovembro2026, extras)).Rastro;
  }
};

// One printed section as the reader sees it; ")" follows the value it closes.
std::string Linha(const TnSecaoImpressa& s) {
  const std::string fecha = s.Valor("pFechaParentese");
  switch (s.Secao) {
    case 11:
      return "11 " + s.Valor("R1") + " | " + s.Valor("R2") + " | " + s.Valor("R3") + " | " + s.Valor("R4") + " | " +
             s.Valor("R5") + " | " + s.Valor("R6") + " | " + s.Valor("R7") + " | " + s.Valor("R9") + " | " +
             s.Valor("R8") + " | " + s.Valor("R10") + fecha;
    case 12: return "12 " + s.Valor("pDescrInsumo");
    case 13:
      return "13 " + s.Valor("pDescrSaldoIniFim") + " | " + s.Valor("pQtdeSaldoIniFim") + " | " +
             s.Valor("pValorSaldoIniFim") + fecha;
    case 14: return "14 " + s.Valor("R1") + " | " + s.Valor("R2");
    case 15: return "15 " + s.Valor("pDescrSaldoIniFim") + " | " + s.Valor("pValorSaldoIniFim") + fecha;
    default: return std::to_string(s.Secao);
  }
}

std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : rastro.Secoes)
    if (s.Secao != 1) linhas.push_back(Linha(s));
  return linhas;
}

// Quantities carry their own parentheses; a value's ")" is pFechaParentese, by the
// value's sign only: a zero-cost exit shows its quantity in parentheses and a plain
// 0,00, a closing of no quantity shows its negative worth.
const std::vector<std::string> kLinhasNovembro = {
    "12 10 - Cimento - CP-II",
    "13 Saldo Anterior | 10,0000  | 20,00",
    "11 05/11/2026 | 002 NF 2 | Compra | 2,50 | 4,0000 | 10,00 |  |  | 4,0000  | 10,00",
    "11 06/11/2026 |  REQ 3 | Saída para obra | 2,00 |  |  | 6,0000 | 12,00 | (6,0000) | (12,00)",
    "13 Saldo Final | 8,0000  | 18,00",
    "10",
    // An input without movements closes where it opened.
    "12 20 - Areia - média",
    "13 Saldo Anterior | 5,0000  | 15,00",
    "13 Saldo Final | 5,0000  | 15,00",
    // Openings count in the total.
    "10",
    "15 Total Estoque | 33,00",
    "12 31 - Prego - 17x21",
    "13 Saldo Anterior | 1,0000  | 0,10",
    "13 Saldo Final | 1,0000  | 0,10",
    "10",
    "12 32 - Arame - recozido",
    "13 Saldo Anterior | 1,0000  | 0,20",
    "13 Saldo Final | 1,0000  | 0,20",
    "10",
    "12 33 - Parafuso - sextavado",
    "13 Saldo Anterior | (1,0000) | (0,30)",
    "13 Saldo Final | (1,0000) | (0,30)",
    // 0,10 + 0,20 - 0,30 is no total at all; a single input has no separator of its own.
    "12 40 - Tinta - acrílica",
    "13 Saldo Anterior | 0,0000  | 0,00",
    "11 10/11/2026 | 008 NF 8 | Compra | 0,99 | 2,0000 | 1,97 |  |  | 2,0000  | 1,97",
    "11 11/11/2026 | 009 REQ 9 | Saída para obra | 0,00 |  |  | 1,0000 | 0,00 | (1,0000) | 0,00",
    "11 12/11/2026 | 010 REQ 10 | Saída para obra | 1,99 |  |  | 1,0000 | 1,99 | (1,0000) | (1,99)",
    "13 Saldo Final | 0,0000  | (0,02)",
    "10",
    "15 Total Estoque | (0,02)",
    "10",
    "15 Total Geral | 32,98",
};

TEST_F(StockMovement, PrintsEachInputsOpeningMovementsAndClosingWithStockAndGrandTotals) {
  EXPECT_EQ(Linhas(Imprimir()), kLinhasNovembro);
}

// Every stock after the first starts a page, also after a stock with no total line;
// nothing follows the last one.
TEST_F(StockMovement, EachStockStartsItsOwnPageUnderItsOwnHeader) {
  const TnRastro rastro = Imprimir();
  std::vector<std::pair<int, std::string>> cabecalhos;
  for (const auto& s : rastro.Secoes) {
    if (s.Secao == 1) cabecalhos.emplace_back(s.Pagina, s.Valor("pDescrEstoque"));
    if (s.Secao == 12) cabecalhos.emplace_back(s.Pagina, s.Valor("pDescrInsumo"));
  }
  EXPECT_EQ(cabecalhos, (std::vector<std::pair<int, std::string>>{
                            {1, "0001 - Almoxarifado"}, {1, "10 - Cimento - CP-II"}, {1, "20 - Areia - média"},
                            {2, "0002 - Canteiro Zero"}, {2, "31 - Prego - 17x21"}, {2, "32 - Arame - recozido"},
                            {2, "33 - Parafuso - sextavado"},
                            {3, "0003 - Canteiro Beta"}, {3, "40 - Tinta - acrílica"}}));
  EXPECT_EQ(rastro.Paginas, 3);
  const TnSecaoImpressa& cabecalho = rastro.Secoes.front();
  EXPECT_EQ(cabecalho.Valor("pNomeEscrit"), "Construtora Alfa Ltda");
  EXPECT_EQ(cabecalho.Valor("pInscrFederal"), "12.345.678/0001-90");
  EXPECT_EQ(cabecalho.Valor("pDataInicial"), "01/11/2026");
  EXPECT_EQ(cabecalho.Valor("pDataFinal"), "30/11/2026");
}

// A balance's quantity and value each take the parentheses of their own sign; the
// movements come before the period, so an input's only lines are its two balances.
TEST_F(StockMovement, BalanceQuantityAndValueCloseTheirOwnParentheses) {
  struct TMovimento {
    int tipo;
    const char* quantidade;
    const char* custo;
  };
  const struct {
    int estoque;
    std::vector<TMovimento> movimentos;
    const char* saldo;
  } casos[] = {
      {91, {{0, "1", "2"}, {1, "2", "0.75"}}, "(1,0000) | 0,50"},
      {92, {{0, "2", "0.25"}, {1, "1", "1"}}, "1,0000  | (0,50)"},
      {93, {{1, "3", "1.5"}}, "(3,0000) | (4,50)"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.saldo);
    const std::string estoque = std::to_string(c.estoque);
    Sql("insert into ESTOQUE values (1, " + estoque + ", 'Canteiro " + estoque + "', null)");
    int codigo = c.estoque * 10;
    for (const TMovimento& m : c.movimentos)
      Sql("insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, "
          "TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, " + estoque + ", " +
          std::to_string(++codigo) + ", '2026-10-01', " + std::to_string(m.tipo) + ", 40, " + m.quantidade + ", " +
          m.custo + ")");
    const std::vector<std::string> linhas = Linhas(Imprimir({{"pCodigoEstoque", estoque}}));
    ASSERT_GE(linhas.size(), 3u);
    EXPECT_EQ(linhas[1], std::string("13 Saldo Anterior | ") + c.saldo);
    EXPECT_EQ(linhas[2], std::string("13 Saldo Final | ") + c.saldo);
  }
}

TEST_F(StockMovement, SignatureFollowsTheGrandTotalOnlyForAPersonAndSomethingPrinted) {
  const struct {
    const char* caso;
    TParametros parametros;
    std::vector<std::string> fim;
  } casos[] = {
      {"no person", {{"pCodigoPessoaFin", "0"}}, {"15 Total Geral | 32,98"}},
      {"person", {{"pCodigoPessoaFin", "900"}}, {"15 Total Geral | 32,98", "14 João Engenheiro | 123.456.789-09"}},
      {"nothing printed", {{"pCodigoPessoaFin", "900"}, {"pCodigoInsumo", "99"}}, {}},
      {"reversed period", {{"pCodigoPessoaFin", "900"}, {"pDataInicial", "01/12/2026"}}, {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    const TnRastro rastro = Imprimir(c.parametros);
    const std::vector<std::string> linhas = Linhas(rastro);
    ASSERT_GE(linhas.size(), c.fim.size());
    EXPECT_EQ(std::vector<std::string>(linhas.end() - static_cast<long>(c.fim.size()), linhas.end()), c.fim);
    if (c.fim.empty()) {
      EXPECT_EQ(rastro.Paginas, 0);
    }
  }
}

TEST_F(StockMovement, SelectionsNarrowWhatIsListed) {
  EXPECT_EQ(Linhas(Imprimir({{"pCodigoEstoque", "3"}, {"pCodigoInsumo", "40"}, {"pClassifInsumoCL", "2"},
                             {"pTipoMvtoEstoqueCL", "-3-0"}})),
            (std::vector<std::string>{
                "12 40 - Tinta - acrílica",
                "13 Saldo Anterior | 0,0000  | 0,00",
                "11 10/11/2026 | 008 NF 8 | Compra | 0,99 | 2,0000 | 1,97 |  |  | 2,0000  | 1,97",
                "13 Saldo Final | 2,0000  | 1,97",
                "10",
                "15 Total Estoque | 1,97",
                "10",
                "15 Total Geral | 1,97",
            }));
}

// The report's own checks, as a host that lets any text through meets them.
TEST_F(StockMovement, ABadDateOrSelectionPointsAtItsParameter) {
  const struct {
    const char* parametro;
    const char* texto;
    const char* mensagem;
  } casos[] = {
      {"pDataInicial", "", "'' não é uma data válida."},
      {"pDataFinal", " 31/02/2026 ", "'31/02/2026' não é uma data válida."},
      {"pCodigoInsumo", "1) or (1=1", "Seleção '1) or (1=1' inválida: '1) or (1=1' não é um código nem uma faixa. "
                                      "Use códigos inteiros separados por vírgula e faixas como 5-9 (exemplo: 1,3,5-9)."},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.parametro);
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(kNovembro2026, {{c.parametro, c.texto}}));
    try {
      direta.Imprimir();
      ADD_FAILURE() << "printed";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), c.parametro);
      EXPECT_EQ(std::string(e.what()), c.mensagem);
    }
  }
}

// The date is refused before any query, so an empty database will do; the fixture's own
// is held by this process.
TEST(StockMovementCli, ABlankStartDateExitsWithTwoNamingTheField) {
  const fs::path pasta = fs::temp_directory_path() / ("rpt-mov-estoque-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  const std::string arquivo = (pasta / "vazio.fdb").string();
  TnDMConexao::CriarBanco(arquivo);
  const TSaidaRpt saida = RodarRpt("run RptStockMovement --db " + arquivo + " --out " + (pasta / "m.pdf").string() +
                                   " --param pCodigoEscrit=1 --param pDataInicial= --param pDataFinal=30/11/2026");
  EXPECT_EQ(saida.Codigo, 2) << saida.Texto;
  EXPECT_NE(saida.Texto.find("pDataInicial: informe uma data (use DD/MM/AAAA)."), std::string::npos) << saida.Texto;
  EXPECT_FALSE(fs::exists(pasta / "m.pdf"));
  fs::remove_all(pasta);
}

}  // namespace
