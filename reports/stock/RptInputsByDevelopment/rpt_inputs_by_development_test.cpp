// Inputs by development printed through the host from a small database:
//   development 1 "Residencial Aurora": cement bought from two suppliers in two months,
//     sand, and labour apportioned from a service invoice; total 1.330,00;
//   development 2 "Casa Zero": cement whose entry and exit cancel in cost but not in
//     quantity, so the group query has no row for it and the development nets to zero;
//   development 3 "Edifício Boreal": sand returned to the supplier beyond what came in,
//     a negative quantity and cost of -100,00.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

constexpr const char* kFixture[] = {
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (1, 'Construtora Alfa Ltda', '12.345.678/0001-90')",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (501, 'Cimentos Sul', '11.111.111/0001-11')",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (502, 'Areia Norte', '22.222.222/0001-22')",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (900, 'João Engenheiro', '123.456.789-09')",
    "insert into UNIDADEMEDIDA values (1, 'Saco', 'sc')",
    "insert into UNIDADEMEDIDA values (2, 'Metro cúbico', 'm3')",
    "insert into UNIDADEMEDIDA values (3, 'Hora', null)",
    "insert into INSUMOGRUPO values (10, '01.01', 'Aglomerantes', 2)",
    "insert into INSUMOGRUPO values (20, '01.02', 'Agregados', 2)",
    "insert into INSUMOGRUPO values (30, '02.01', 'Mão de obra', 2)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) "
    "values (100, 'Cimento CP-II', 10, 1, 1, 1)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) "
    "values (200, 'Areia média', 20, 2, 1, 1)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) "
    "values (300, 'Pedreiro', 30, 3, 2, 2)",
    "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 1, 'Residencial Aurora')",
    "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 2, 'Casa Zero')",
    "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 3, 'Edifício Boreal')",
    "insert into ESTOQUE values (1, 11, 'Canteiro Aurora', 1)",
    "insert into ESTOQUE values (1, 21, 'Canteiro Zero', 2)",
    "insert into ESTOQUE values (1, 31, 'Canteiro Boreal', 3)",
    // Invoices: number, supplier, entry date.
    "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) values (1, 1001, 'NF-123', 501, '2026-01-05')",
    "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) values (1, 1002, 'NF-456', 502, '2026-02-10')",
    "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) values (1, 1003, '000789', 502, '2026-02-15')",
    "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) values (1, 1004, 'NFS-77', 502, '2026-01-20')",
    "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) values (1, 1005, 'NF-900', 501, '2026-02-03')",
    "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) values (1, 1006, '   ', 501, '2026-02-05')",
    "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, 1001, 1, 100, 1)",
    "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, 1002, 1, 200, 2)",
    "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, 1003, 1, 100, 1)",
    "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, 1004, 1, 300, 3)",
    "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, 1005, 1, 100, 1)",
    "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, 1006, 1, 200, 2)",
    // Stock movements: stock, movement, date, type, input, quantity, unit cost; each linked to its invoice item.
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 11, 1, '2026-01-05', 0, 100, 10, 30)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 11, 2, '2026-02-10', 0, 200, 5, 100)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 11, 3, '2026-02-15', 0, 100, 4, 32.5)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 21, 1, '2026-02-03', 0, 100, 2, 10)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 21, 2, '2026-02-04', 1, 100, 1, 20)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 31, 1, '2026-02-05', 0, 200, 3, 50)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 31, 2, '2026-02-06', 3, 200, 5, 50)",
    // A movement outside the period and one not made by an invoice never count.
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 11, 4, '2026-04-01', 0, 100, 99, 30)",
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) values (1, 11, 5, '2026-01-06', 0, 100, 77, 30)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1001, 1, 11, 1)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1002, 1, 11, 2)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1003, 1, 11, 3)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1005, 1, 21, 1)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1005, 1, 21, 2)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1006, 1, 31, 1)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1006, 1, 31, 2)",
    "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1001, 1, 11, 4)",
    // Labour apportioned to development 1 straight from the service invoice.
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADERATEIO, VALORRATEIO) values (1, 1, 1, 1, '2026-01-20', 0, 300, 8, 400)",
    "insert into NOTAENTRADAITEMRATEIO values (1, 1004, 1, 1, 1, 1)",
};

struct InputsByDevelopment : ::testing::Test {
  InputsByDevelopment() {
    for (const char* sql : kFixture) banco.Conexao().Executar(sql);
  }

  // The report as the host prints it; later parameters override the defaults.
  TnRastro Imprimir(const TParametros& extras) {
    const TnResultadoImpressao r = ImprimirComRastro(
        Juntar({{"pCodigoEscrit", "1"}, {"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/03/2026"}}, extras));
    EXPECT_EQ(r.Paginas, r.Rastro.Paginas);
    return r.Rastro;
  }

  TBancoTeste banco{true};
};

// One printed section as the reader sees it; ")" follows each amount it closes.
std::string Linha(const TnSecaoImpressa& s) {
  const std::string fecha = s.Valor("pFechaParentese");
  switch (s.Secao) {
    case 8:
      return "8 " + s.Valor("R1") + " | " + s.Valor("R3") + " | " + s.Valor("R4") + fecha + " | " + s.Valor("R5") +
             " | " + s.Valor("R6") + fecha;
    case 9: return "9 " + s.Valor("R1") + " | " + s.Valor("R2") + " | " + s.Valor("R3") + fecha;
    case 10: return "10 " + s.Valor("R1") + " | " + s.Valor("R6") + fecha;
    case 12: return "12 " + s.Valor("R1") + " | " + s.Valor("R2");
    default: return std::to_string(s.Secao);
  }
}

// The sections after the page headers, in print order.
std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : rastro.Secoes)
    if (s.Secao != 1) linhas.push_back(Linha(s));
  return linhas;
}

// The page each development's group heading and total land on.
int PaginaDe(const TnRastro& rastro, const std::string& linha) {
  for (const auto& s : rastro.Secoes)
    if (s.Secao != 1 && Linha(s) == linha) return s.Pagina;
  return 0;
}

const std::vector<std::string> kPorInsumoSemDetalhe = {
    "10 10 - 01.01 - Aglomerantes | 430,00",
    "8    100 - Cimento CP-II | sc | 14,0000 | 30,71 | 430,00",
    "10 20 - 01.02 - Agregados | 500,00",
    "8    200 - Areia média | m3 | 5,0000 | 100,00 | 500,00",
    "10 30 - 02.01 - Mão de obra | 400,00",
    "8    300 - Pedreiro | Hora | 8,0000 | 50,00 | 400,00",
    "9 Total Empreendimento |  | 1.330,00",
    // Development 2 nets to zero: its group has no row in the group query and no total follows.
    "10  -  | 0,00",
    "8    100 - Cimento CP-II | sc | 1,0000 | 0,00 | 0,00",
    "10 20 - 01.02 - Agregados | (100,00)",
    "8    200 - Areia média | m3 | (2,0000) | 50,00 | (100,00)",
    "9 Total Empreendimento |  | (100,00)",
    "11",
    "9 Total Geral |  | 1.230,00",
};

TEST_F(InputsByDevelopment, ByInputWithoutDetailPrintsOneLinePerRowWithGroupAndDevelopmentTotals) {
  const TnRastro rastro = Imprimir({{"pTipoRelatorio", "0"}, {"pDetalharFornecedor", "2"}});
  EXPECT_EQ(Linhas(rastro), kPorInsumoSemDetalhe);
  // A development total ends the page; the zero development runs on into the next one.
  EXPECT_EQ(PaginaDe(rastro, "9 Total Empreendimento |  | 1.330,00"), 1);
  EXPECT_EQ(PaginaDe(rastro, "10  -  | 0,00"), 2);
  EXPECT_EQ(PaginaDe(rastro, "10 20 - 01.02 - Agregados | (100,00)"), 2);
  EXPECT_EQ(rastro.Paginas, 2);
}

TEST_F(InputsByDevelopment, PageHeaderShowsCompanyColumnsAndTheDevelopmentOfThePage) {
  const TnRastro rastro = Imprimir({{"pDetalharFornecedor", "2"}});
  std::vector<std::string> cabecalhos;
  for (const auto& s : rastro.Secoes)
    if (s.Secao == 1) {
      EXPECT_TRUE(MostraValores(s, {{"pRazaoSocialEscrit", "Construtora Alfa Ltda"},
                                    {"pInscrFederalEscrit", "12.345.678/0001-90"},
                                    {"pNomeColunaCabecalho", "Grupo / Insumo"},
                                    {"pNomeColunaUnMedida", "Un. Medida"},
                                    {"pNomeColunaQtd", "Quantidade"},
                                    {"pNomeColunaCustoMedio", "Custo Médio Unit. R$"},
                                    {"R9", " "}}));
      cabecalhos.push_back(s.Valor("pDescrEmpreend"));
    }
  EXPECT_EQ(cabecalhos, (std::vector<std::string>{"1 - Residencial Aurora", "2 - Casa Zero"}));
}

TEST_F(InputsByDevelopment, ByGroupPrintsOnlyGroupHeadingsAndTotals) {
  const TnRastro rastro = Imprimir({{"pTipoRelatorio", "1"}});
  EXPECT_EQ(Linhas(rastro), (std::vector<std::string>{
                                "10 10 - 01.01 - Aglomerantes | 430,00",
                                "10 20 - 01.02 - Agregados | 500,00",
                                "10 30 - 02.01 - Mão de obra | 400,00",
                                "9 Total Empreendimento |  | 1.330,00",
                                "10  -  | 0,00",
                                "10 20 - 01.02 - Agregados | (100,00)",
                                "9 Total Empreendimento |  | (100,00)",
                                "11",
                                "9 Total Geral |  | 1.230,00",
                            }));
  const TnSecaoImpressa& cabecalho = rastro.Secoes.front();
  ASSERT_EQ(cabecalho.Secao, 1);
  EXPECT_EQ(cabecalho.Valor("pNomeColunaCabecalho"), "Grupo Insumo");
  EXPECT_EQ(cabecalho.Valor("pNomeColunaQtd"), "");
  EXPECT_EQ(cabecalho.Valor("R9"), "");
}

TEST_F(InputsByDevelopment, MonthTotalsBreakEachGroupByCompetenceMonth) {
  const TnRastro rastro = Imprimir({{"pDetalharFornecedor", "2"}, {"pTotalizarCompetencia", "1"}});
  EXPECT_EQ(Linhas(rastro), (std::vector<std::string>{
                                "10 10 - 01.01 - Aglomerantes | 430,00",
                                "8    100 - Cimento CP-II | sc | 10,0000 | 30,00 | 300,00",
                                "9 Total Competência 01/2026 |  | 300,00",
                                "11",
                                "8    100 - Cimento CP-II | sc | 4,0000 | 32,50 | 130,00",
                                "9 Total Competência 02/2026 |  | 130,00",
                                "11",
                                "10 20 - 01.02 - Agregados | 500,00",
                                "8    200 - Areia média | m3 | 5,0000 | 100,00 | 500,00",
                                "9 Total Competência 02/2026 |  | 500,00",
                                "11",
                                "10 30 - 02.01 - Mão de obra | 400,00",
                                "8    300 - Pedreiro | Hora | 8,0000 | 50,00 | 400,00",
                                "9 Total Competência 01/2026 |  | 400,00",
                                "11",
                                "9 Total Empreendimento |  | 1.330,00",
                                "10  -  | 0,00",
                                "8    100 - Cimento CP-II | sc | 1,0000 | 0,00 | 0,00",
                                "10 20 - 01.02 - Agregados | (100,00)",
                                "8    200 - Areia média | m3 | (2,0000) | 50,00 | (100,00)",
                                "9 Total Competência 02/2026 |  | (100,00)",
                                "11",
                                "9 Total Empreendimento |  | (100,00)",
                                "11",
                                "9 Total Geral |  | 1.230,00",
                            }));
}

// Detail lines per supplier: the input line leaves its amounts blank, the input total
// shows the summed quantity and cost without sign and closes no parenthesis.
TEST_F(InputsByDevelopment, DetailBySupplierPrintsOneLinePerSupplierAndTheInputTotal) {
  const TnRastro rastro = Imprimir({{"pDetalharFornecedor", "1"}, {"pCodigoEmpreend", "1,3"}});
  EXPECT_EQ(Linhas(rastro), (std::vector<std::string>{
                                "10 10 - 01.01 - Aglomerantes | 430,00",
                                "8    100 - Cimento CP-II |   |   |   |  ",
                                "8        501        - Cimentos Sul | sc | 10,0000 | 30,00 | 300,00",
                                "8        502        - Areia Norte | sc | 4,0000 | 32,50 | 130,00",
                                "9       Total do Insumo: | 14,0000 | 430,00",
                                "10 20 - 01.02 - Agregados | 500,00",
                                "8    200 - Areia média |   |   |   |  ",
                                "8        502        - Areia Norte | m3 | 5,0000 | 100,00 | 500,00",
                                "9       Total do Insumo: | 5,0000 | 500,00",
                                "10 30 - 02.01 - Mão de obra | 400,00",
                                "8    300 - Pedreiro |   |   |   |  ",
                                "8        502        - Areia Norte | Hora | 8,0000 | 50,00 | 400,00",
                                "9       Total do Insumo: | 8,0000 | 400,00",
                                "9 Total Empreendimento |  | 1.330,00",
                                "10 20 - 01.02 - Agregados | (100,00)",
                                "8    200 - Areia média |   |   |   |  ",
                                "8        501        - Cimentos Sul | m3 | (2,0000) | 50,00 | (100,00)",
                                "9       Total do Insumo: | 2,0000 | 100,00",
                                "9 Total Empreendimento |  | (100,00)",
                                "11",
                                "9 Total Geral |  | 1.230,00",
                            }));
  EXPECT_EQ(rastro.Secoes.front().Valor("R9"), "   Fornecedor");
}

TEST_F(InputsByDevelopment, DetailByInvoiceShowsEntryDateNumberAndSupplierInColumns) {
  const TnRastro rastro = Imprimir({{"pDetalharFornecedor", "0"}, {"pCodigoInsumo", "100,200"}});
  const std::vector<std::string> linhas = Linhas(rastro);
  std::vector<std::string> detalhes;
  for (const auto& l : linhas)
    if (l.rfind("8        ", 0) == 0) detalhes.push_back(l.substr(0, l.find(" |")));
  // Invoices of one input come in no particular order.
  std::sort(detalhes.begin(), detalhes.begin() + 2);
  EXPECT_EQ(detalhes, (std::vector<std::string>{
                          "8        05/01/2026  NF-123              501        - Cimentos Sul",
                          "8        15/02/2026  000789              502        - Areia Norte",
                          "8        10/02/2026  NF-456              502        - Areia Norte",
                          "8        03/02/2026  NF-900              501        - Cimentos Sul",
                          // A blank invoice number still takes its column.
                          "8        05/02/2026                      501        - Cimentos Sul",
                      }));
  EXPECT_EQ(rastro.Secoes.front().Valor("R9"), "   Data Entrada/Numero Nota/Fornecedor");
}

TEST_F(InputsByDevelopment, SupplierFilterNarrowsDetailLinesButNotGroupTotals) {
  const TnRastro rastro =
      Imprimir({{"pDetalharFornecedor", "1"}, {"pCodigoEmpreend", "1"}, {"pCodigoPessoaFinFornec", "501"}});
  EXPECT_EQ(Linhas(rastro), (std::vector<std::string>{
                                "10 10 - 01.01 - Aglomerantes | 430,00",
                                "8    100 - Cimento CP-II |   |   |   |  ",
                                "8        501        - Cimentos Sul | sc | 10,0000 | 30,00 | 300,00",
                                "9       Total do Insumo: | 10,0000 | 300,00",
                                "9 Total Empreendimento |  | 300,00",
                                "11",
                                "9 Total Geral |  | 300,00",
                            }));
}

TEST_F(InputsByDevelopment, SupplierFilterIsIgnoredWithoutDetailLines) {
  const TnRastro rastro = Imprimir({{"pDetalharFornecedor", "2"}, {"pCodigoPessoaFinFornec", "501"}});
  EXPECT_EQ(Linhas(rastro), kPorInsumoSemDetalhe);
}

TEST_F(InputsByDevelopment, SignatureBlockNeedsAPersonCode) {
  const struct {
    const char* codigo;
    std::vector<std::string> fim;
  } casos[] = {
      {"0", {"11", "9 Total Geral |  | 1.230,00"}},
      {"900", {"11", "9 Total Geral |  | 1.230,00", "12 João Engenheiro | 123.456.789-09"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.codigo);
    const std::vector<std::string> linhas =
        Linhas(Imprimir({{"pTipoRelatorio", "1"}, {"pCodigoPessoaFin", c.codigo}}));
    ASSERT_GE(linhas.size(), c.fim.size());
    EXPECT_EQ(std::vector<std::string>(linhas.end() - static_cast<long>(c.fim.size()), linhas.end()), c.fim);
  }
}

// The central warehouse belongs to no development: its rows come first, and its
// group heading still finds its total although the development key is null.
TEST_F(InputsByDevelopment, StockOutsideAnyDevelopmentKeepsItsGroupTotal) {
  for (const char* sql : {
           "insert into ESTOQUE values (1, 90, 'Almoxarifado central', null)",
           "insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAENTRADANOTA) "
           "values (1, 1007, 'NF-555', 501, '2026-01-08')",
           "insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOINSUMO, "
           "CODIGOUNIDADEMEDIDA) values (1, 1007, 1, 100, 1)",
           "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, "
           "TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT) "
           "values (1, 90, 1, '2026-01-08', 0, 100, 2, 30)",
           "insert into NOTAENTRADAITEMMVTOESTOQUE values (1, 1007, 1, 90, 1)",
       })
    banco.Conexao().Executar(sql);
  const TnRastro rastro = Imprimir({{"pTipoRelatorio", "1"}, {"pCodigoInsumo", "100"}});
  const std::vector<std::string> linhas = Linhas(rastro);
  ASSERT_GE(linhas.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(linhas.begin(), linhas.begin() + 3),
            (std::vector<std::string>{"10 10 - 01.01 - Aglomerantes | 60,00", "9 Total Empreendimento |  | 60,00",
                                      "10 10 - 01.01 - Aglomerantes | 430,00"}));
  EXPECT_EQ(rastro.Secoes.front().Valor("pDescrEmpreend"), "");
}

// Whatever the length of a development, its closing totals never print under a page
// header that already names the next development. The central warehouse gets one
// purchase a month from 07/2023; moving the start of the period through those months
// moves its development total across a page end.
TEST_F(InputsByDevelopment, ADevelopmentTotalOnANewPageKeepsItsOwnHeader) {
  banco.Conexao().Executar("insert into ESTOQUE values (1, 90, 'Almoxarifado central', null)");
  for (int mes = 0; mes < 30; ++mes) {
    const std::string n = std::to_string(2000 + mes);
    char data[16];
    std::snprintf(data, sizeof data, "%04d-%02d-10", 2023 + (mes + 6) / 12, (mes + 6) % 12 + 1);
    banco.Conexao().Executar("insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, "
                             "DATAENTRADANOTA) values (1, " + n + ", 'NF-" + n + "', 501, '" + data + "')");
    banco.Conexao().Executar("insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, "
                             "CODIGOINSUMO, CODIGOUNIDADEMEDIDA) values (1, " + n + ", 1, 100, 1)");
    banco.Conexao().Executar("insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, "
                             "DATAMVTOESTOQUE, TIPOMVTOESTOQUE, CODIGOINSUMO, QUANTIDADEMVTO, "
                             "VALORCUSTOOPERACIONALUNIT) values (1, 90, " + n + ", '" + data + "', 0, 100, 1, 10)");
    banco.Conexao().Executar("insert into NOTAENTRADAITEMMVTOESTOQUE values (1, " + n + ", 1, 90, " + n + ")");
  }
  int mudancasDePagina = 0;
  for (int mes = 0; mes < 30; ++mes) {
    char inicio[16];
    std::snprintf(inicio, sizeof inicio, "01/%02d/%04d", (mes + 6) % 12 + 1, 2023 + (mes + 6) / 12);
    SCOPED_TRACE(inicio);
    const TnRastro rastro = ImprimirComRastro({{"pCodigoEscrit", "1"}, {"pDataInicial", inicio},
                                               {"pDataFinal", "31/03/2026"}, {"pTipoRelatorio", "1"},
                                               {"pTotalizarCompetencia", "1"}, {"pCodigoInsumo", "100"}})
                                .Rastro;
    std::map<int, std::string> cabecalho;
    for (const auto& s : rastro.Secoes)
      if (s.Secao == 1) cabecalho[s.Pagina] = s.Valor("pDescrEmpreend");
    // The first development total is the central warehouse's.
    const auto total = std::find_if(rastro.Secoes.begin(), rastro.Secoes.end(), [](const TnSecaoImpressa& s) {
      return s.Secao == 9 && s.Valor("R1") == "Total Empreendimento";
    });
    ASSERT_NE(total, rastro.Secoes.end());
    EXPECT_EQ(cabecalho[total->Pagina], "");
    if (total->Pagina > 1) ++mudancasDePagina;
  }
  EXPECT_GT(mudancasDePagina, 0) << "no period put the total on a later page";
}

TEST_F(InputsByDevelopment, NothingInThePeriodPrintsNothing) {
  const TnResultadoImpressao r = ImprimirComRastro(
      {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/06/2026"}, {"pDataFinal", "30/06/2026"}, {"pCodigoPessoaFin", "900"}});
  EXPECT_EQ(r.Paginas, 0);
  EXPECT_TRUE(r.Rastro.Secoes.empty());
}

// The form enables the detail mode and the supplier filter only for the report by
// input ("0"); a disabled value is still read and still shapes the report.
TEST_F(InputsByDevelopment, ReportKindEnablesDetailFieldsOnTheForm) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  auto report = std::make_unique<TnrwReport>(TnLayout::Carregar(plugin->ArquivoLayout()));
  std::unique_ptr<TnrwBaseDll> objeto = plugin->ClassDll()->Create(report.get());
  TnFormParametros form(report.get(), objeto.get());
  objeto->AntesConfigurar(&form);
  objeto->DepoisConfigurar(&form);
  TnpqPowerParam* params = TnpqPowerQuery::GetParams(report.get());
  auto habilitados = [&] {
    return std::make_pair(params->Param("pDetalharFornecedor")->Habilitado,
                          params->Param("pCodigoPessoaFinFornec")->Habilitado);
  };
  form.Preencher("pDetalharFornecedor", "1");
  form.Preencher("pCodigoPessoaFinFornec", "501");
  form.Preencher("pTipoRelatorio", "1");
  EXPECT_EQ(habilitados(), std::make_pair(false, false));
  EXPECT_THROW(form.Preencher("pDetalharFornecedor", "2"), EnParam);
  EXPECT_EQ(params->Param("pDetalharFornecedor")->GetAsString(), "1");
  // Any change re-reads the kind, whichever field it was.
  params->Param("pTipoRelatorio")->SetAsString("0");
  form.Preencher("pDataInicial", "01/01/2026");
  EXPECT_EQ(habilitados(), std::make_pair(true, true));

  // By group, the disabled supplier filter still narrows the rows behind the totals,
  // while the group headings keep every supplier's cost.
  const TnRastro rastro =
      Imprimir({{"pDetalharFornecedor", "1"}, {"pCodigoPessoaFinFornec", "501"}, {"pTipoRelatorio", "1"}});
  EXPECT_EQ(Linhas(rastro), (std::vector<std::string>{
                                "10 10 - 01.01 - Aglomerantes | 430,00",
                                "9 Total Empreendimento |  | 300,00",
                                "10  -  | 0,00",
                                "10 20 - 01.02 - Agregados | (100,00)",
                                "9 Total Empreendimento |  | (100,00)",
                                "11",
                                "9 Total Geral |  | 200,00",
                            }));
}

}  // namespace
