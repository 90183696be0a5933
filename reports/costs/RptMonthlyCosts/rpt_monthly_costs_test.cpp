// Monthly cost tracking printed through the host from the seed company and a small
// structure:
//   development 10 "Residencial Aurora": "1" above tower "1.1" with units 11 (1.000,00 in
//     12/2025, 234,50 on 31/01/2026, 100,00 on 01/02/2026) and 12 (12,50 returned from the
//     site in 03/2026);
//   development 20 "Centro Comercial Sul": "1" above shop "1.1", issued and returned in
//     02/2026, netting to zero (the percentage base of that development is 0).
// Person 91 signs.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "host/report/base_dll.h"
#include "host/report/plugin.h"
#include "host/report/report.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

constexpr const char* kFixture[] = {
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (91, 'Fernanda Prado', '123.456.789-09')",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 1, '1', 'Residencial Aurora', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 2, '1.1', 'Torre A', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 3, '1.1.01', 'Apto 11', 2, 11)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 4, '1.1.02', 'Apto 12', 2, 12)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 20, 1, '1', 'Centro Comercial Sul', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 20, 2, '1.1', 'Loja 1', 2, 21)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, 3, 1, '2025-12-15', 1, 1000.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, 3, 2, '2026-01-31', 1, 234.50)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, 3, 3, '2026-02-01', 1, 100.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, 4, 4, '2026-03-05', -1, 12.50)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 20, 2, 5, '2026-02-01', 1, 500.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 20, 2, 6, '2026-02-20', -1, 500.00)",
};

// Mid-month dates: the report takes whole months.
const TParametros k2026 = {{"pCodigoEscrit", "1"}, {"pDataInicial", "15/01/2026"}, {"pDataFinal", "10/12/2026"}};
const TParametros k13Meses = Juntar(k2026, {{"pDataInicial", "01/12/2025"}});
const TParametros k24Meses = Juntar(k2026, {{"pDataInicial", "01/01/2025"}});

// A line as the reader sees it: page, code, type, classification, previous balance,
// the first three month columns, column 13 and the percentage.
std::string Linha(const TnSecaoImpressa& s) {
  return std::to_string(s.Pagina) + " " + s.Valor("pCodigoEstrutura") + " " + s.Valor("pTipoEstrutura") + " " +
         s.Valor("pClassificacao") + " |" + s.Valor("pSaldoAnt") + "|" + s.Valor("R1") + "|" + s.Valor("R2") + "|" +
         s.Valor("R3") + "|" + s.Valor("R13") + "|" + s.Valor("R14") + "|";
}

std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : Secoes(rastro, 11)) linhas.push_back(Linha(s));
  return linhas;
}

struct AcompanhamentoMensal : TesteRelatorio {
  AcompanhamentoMensal() {
    for (const char* sql : kFixture) Sql(sql);
  }
};

// January takes 31/01, February 01/02; a month without movement shows zero with a blank,
// a negative one its value in parentheses. Each development's first line is its 100%.
TEST_F(AcompanhamentoMensal, TwelveMonthsGiveOneLinePerItemAndOnePagePerDevelopment) {
  const TnResultadoImpressao r = ImprimirComRastro(Juntar(k2026, {{"pCodigoPessoaFin", "91"}}));
  EXPECT_EQ(Linhas(r.Rastro), (std::vector<std::string>{
      "1 1 S 1 - Residencial Aurora |1.000,00 |234,50 |100,00 |(12,50)|1.322,00 |100,00% |",
      "1 2 S 1.1 - Torre A |1.000,00 |234,50 |100,00 |(12,50)|1.322,00 |100,00% |",
      "1 3 A 1.1.01 - Apto 11 |1.000,00 |234,50 |100,00 |0,00 |1.334,50 |100,95% |",
      "1 4 A 1.1.02 - Apto 12 |0,00 |0,00 |0,00 |(12,50)|(12,50)|(0,95%)|",
      "2 1 S 1 - Centro Comercial Sul |0,00 |0,00 |0,00 |0,00 |0,00 |0,00% |",
      "2 2 A 1.1 - Loja 1 |0,00 |0,00 |0,00 |0,00 |0,00 |0,00% |",
  }));
  EXPECT_EQ(ValoresDe(r.Rastro, 11, "R12"), std::vector<std::string>(6, "0,00 "));
  EXPECT_EQ(r.Paginas, 2);
  EXPECT_EQ(ValoresDe(r.Rastro, 1, "T1"), (std::vector<std::string>{"RESIDENCIAL AURORA", "CENTRO COMERCIAL SUL"}));
  EXPECT_TRUE(MostraValores(Secoes(r, 1).front(), {{"pNomeEscrit", "0001 - Construtora Alfa Ltda"},
                                                   {"pInscFederal", "12.345.678/0001-90"},
                                                   {"pPeriodo", "01/01/2026 a 31/12/2026"}}));
  // After every page header: one caption line and the rule; none before the first line.
  EXPECT_EQ(r.Rastro.NumerosSecoes(true), (std::vector<int>{8, 9, 11, 11, 11, 11, 8, 9, 11, 11, 12}));
  EXPECT_TRUE(MostraValores(Secoes(r, 8).front(), {{"pCabCodigoEstrutura", "Estrutura"}, {"pCabTipoEstrutura", "S"},
                                                   {"pCabClassificacao", "Classificação/Descrição"},
                                                   {"pCabSaldoAnt", "Saldo Ant."}, {"C1", "01/2026"},
                                                   {"C12", "12/2026"}, {"C13", "Saldo"}, {"C14", "Perc."}}));
  EXPECT_TRUE(MostraValores(Secoes(r, 12).front(), {{"R1", "Fernanda Prado"}, {"R2", "123.456.789-09"}}));
}

// Past twelve months the captions and every item continue on further lines: the later
// lines carry only their months, and column 13 and 14 close the item's last line.
TEST_F(AcompanhamentoMensal, LongPeriodsWrapCaptionsAndItemsEveryTwelveMonths) {
  struct TCaso {
    const char* Nome;
    TParametros Parametros;
    std::vector<std::string> Titulos;  // C1 | C2 | C13 of each caption line of page 1, with the first fixed caption
    std::vector<std::string> Item;     // the lines of item 3: code, previous balance, R1, R2, R12, R13
  } casos[] = {
      {"13 meses", k13Meses,
       {"Estrutura 12/2025 01/2026 ", " 12/2026  Saldo"},
       {"3 0,00  1.000,00  234,50  0,00  ", "  0,00    1.334,50 "}},
      {"24 meses", k24Meses,
       {"Estrutura 01/2025 02/2025 ", " 01/2026 02/2026 Saldo"},
       {"3 0,00  0,00  0,00  1.000,00  ", "  234,50  100,00  0,00  1.334,50 "}},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Nome);
    const TnResultadoImpressao r = ImprimirComRastro(c.Parametros);
    std::vector<std::string> titulos;
    for (const auto& s : Secoes(r, 8))
      if (s.Pagina == 1)
        titulos.push_back(s.Valor("pCabCodigoEstrutura") + " " + s.Valor("C1") + " " + s.Valor("C2") + " " +
                          s.Valor("C13"));
    EXPECT_EQ(titulos, c.Titulos);
    const std::vector<TnSecaoImpressa> linhas = Secoes(r, 11);
    ASSERT_EQ(linhas.size(), 12u) << "two lines for each of the six items";
    std::vector<std::string> item;
    for (size_t i = 4; i < 6; ++i) {
      const TnSecaoImpressa& s = linhas[i];
      item.push_back(s.Valor("pCodigoEstrutura") + " " + s.Valor("pSaldoAnt") + " " + s.Valor("R1") + " " +
                     s.Valor("R2") + " " + s.Valor("R12") + " " + s.Valor("R13"));
      EXPECT_EQ(s.Valor("pClassificacao").empty(), i == 5);
      EXPECT_EQ(s.Valor("pTipoEstrutura").empty(), i == 5);
      EXPECT_EQ(s.Valor("R14").empty(), i == 4);
    }
    EXPECT_EQ(item, c.Item);
    EXPECT_EQ(linhas[5].Valor("R14"), "100,95% ");
  }
}

// On the printed page: a summary item bold on both its lines, the posting item after it
// plain; each item's two lines under one stripe.
TEST_F(AcompanhamentoMensal, SummaryItemsAreBoldOnEveryLineAndAnItemKeepsOneStripe) {
  const TImpressaoEmMemoria r = ImprimirEmMemoria(k13Meses);
  struct TCaso {
    const char* Texto;
    bool Negrito;
  } casos[] = {
      {"1 - Residencial Aurora", true}, {"1.322,00 ", true},  // the second line of items 1 and 1.1
      {"1.1.01 - Apto 11", false},      {"1.334,50 ", false},
  };
  const TPagina& pagina = r.Paginas.at(0);
  for (const TCaso& c : casos) {
    int achados = 0;
    for (const auto& e : pagina.Elementos)
      if (auto* t = std::get_if<TElementoTexto>(&e); t && t->Texto == c.Texto) {
        ++achados;
        EXPECT_EQ(t->Fonte.Negrito, c.Negrito) << c.Texto;
      }
    EXPECT_GT(achados, 0) << c.Texto;
  }
  std::vector<double> faixas;
  for (const auto& e : pagina.Elementos)
    if (auto* caixa = std::get_if<TElementoCaixa>(&e); caixa && caixa->Preenchimento) faixas.push_back(caixa->Area.Y);
  ASSERT_EQ(faixas.size(), 4u) << "items 1 and 3 of four, two lines each";
  EXPECT_DOUBLE_EQ(faixas[1] - faixas[0], 13);
  EXPECT_DOUBLE_EQ(faixas[3] - faixas[2], 13);
  EXPECT_DOUBLE_EQ(faixas[2] - faixas[1], 13 * 3);
}

// Forty items of two lines fill more than a page: an item never starts at a page's
// foot without room for its second line.
TEST_F(AcompanhamentoMensal, AnItemOfSeveralLinesStaysOnOnePage) {
  for (int i = 0; i < 40; ++i) {
    const int estrutura = 100 + i;
    Sql("insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, "
        "DESCRESTRUTURA, TIPOESTRUTURA) values (1, 10, :e, :c, 'Unidade', 2)",
        {TValor(estrutura), TValor("1.2." + std::to_string(estrutura))});
    Sql("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, "
        "TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, :e, :r, '2026-06-10', 1, 10)",
        {TValor(estrutura), TValor(estrutura)});
  }
  const TnResultadoImpressao r = ImprimirComRastro(Juntar(k13Meses, {{"pCodigoEmpreend", "10"}}));
  const std::vector<TnSecaoImpressa> linhas = Secoes(r, 11);
  ASSERT_EQ(linhas.size(), 2u * 44);
  EXPECT_GE(r.Paginas, 2);
  for (size_t i = 0; i < linhas.size(); i += 2) {
    EXPECT_FALSE(linhas[i].Valor("pCodigoEstrutura").empty()) << i;
    EXPECT_EQ(linhas[i].Pagina, linhas[i + 1].Pagina) << linhas[i].Valor("pCodigoEstrutura");
  }
}

TEST_F(AcompanhamentoMensal, NoSignatureWithoutAPersonAndNothingForAnEmptyBalance) {
  EXPECT_TRUE(Secoes(ImprimirComRastro(k2026), 12).empty());
  const TnResultadoImpressao vazio = ImprimirComRastro(Juntar(k2026, {{"pCodigoEmpreend", "30"}}));
  EXPECT_EQ(vazio.Paginas, 0);
  EXPECT_TRUE(vazio.Rastro.Secoes.empty());
}

// The report's own checks, with the values reaching it as typed (no form in between);
// none of them gets as far as a query.
TEST_F(AcompanhamentoMensal, RefusedValuesStopBeforeAnyLoad) {
  int consultas = 0;
  banco.Conexao().DefinirObservador([&](const std::string&, int) { ++consultas; });
  struct TCaso {
    TParametros Parametros;
    const char* Parametro;  // the EnParam's parameter; empty for a plain error
    const char* Mensagem;
  } casos[] = {
      {{{"pDataInicial", "01/02/2026"}, {"pDataFinal", "31/01/2026"}}, "",
       "A data inicial não pode ser maior que a data final."},
      {{{"pCodigoEmpreend", "1) or (1=1"}}, "pCodigoEmpreend", "Seleção '1) or (1=1' inválida"},
      {{{"pClassifInsumoCL", "1;x"}}, "pClassifInsumoCL", "Seleção '1;x' inválida"},
      {{{"pTipoMvtoEstoqueCL", "0-"}}, "pTipoMvtoEstoqueCL", "Seleção '0-' inválida"},
  };
  for (const TCaso& c : casos) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(k2026, c.Parametros));
    try {
      direta.Imprimir();
      ADD_FAILURE() << c.Mensagem << ": nothing raised";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), c.Parametro);
      EXPECT_EQ(std::string(e.what()).rfind(c.Mensagem, 0), 0u) << e.what();
    } catch (const std::exception& e) {
      EXPECT_STREQ(c.Parametro, "") << e.what();
      EXPECT_EQ(std::string(e.what()), c.Mensagem);
    }
  }
  EXPECT_EQ(consultas, 0);
}

// A load that fails (a column the statement needs is gone) still clears the event, and
// the handler is unbound once the report object is gone.
TEST_F(AcompanhamentoMensal, AFailedLoadClearsTheEventsItLeaves) {
  struct TQualquer : TnrwBaseDll {
    using TnrwBaseDll::TnrwBaseDll;
    void Antes(TObject*, int) {}
  };
  Sql("alter table RATEIO drop VALORRATEIO");
  TImpressaoDireta direta(RPT_PLUGIN_PATH, k2026);
  TQualquer outro(&direta.Report());
  direta.Report().OnBeforeSection = TnEventoSecao(&outro, &TQualquer::Antes);
  EXPECT_ANY_THROW(direta.Imprimir());
  EXPECT_FALSE(direta.Report().OnBeforeSection);
  EXPECT_FALSE(direta.Report().OnAfterSection);
}

TEST(AcompanhamentoMensalClasse, VersionAndStripedSections) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  EXPECT_EQ(plugin->ClassDll()->Versao(), "[versao: 1.1.96.0]");
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  EXPECT_EQ(plugin->ClassDll()->Create(&report)->CriarListaSectionsParaZebrar(), (std::vector<int>{11, 10}));
}

}  // namespace
