// Monthly inputs tracking printed through the host from the seed company and a small
// structure, 07/2026 to 12/2026:
//   development 10 "Residencial Aurora": "1" above "1.1" (cement 30,00 in June and 100,00
//     in July, labour 50,00 in August) and "1.2" (cement 20,00 in September);
//   development 20 "Centro Comercial Sul": "1" above "1.1" (labour 40,00 in July).
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
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CLASSIFINSUMO) values (100, 'Cimento', 1)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CLASSIFINSUMO) values (200, 'Pedreiro', 2)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 1, '1', 'Residencial Aurora', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 2, '1.1', 'Torre A', 2, 11)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 10, 3, '1.2', 'Torre B', 2, 12)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 20, 1, '1', 'Centro Comercial Sul', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 20, 2, '1.1', 'Loja 1', 2, 21)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 10, 2, 1, '2026-06-30', 1, 100, 30.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 10, 2, 2, '2026-07-01', 1, 100, 100.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 10, 2, 3, '2026-08-05', 0, 200, 50.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 10, 3, 4, '2026-09-01', 1, 100, 20.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 20, 2, 5, '2026-07-15', 0, 200, 40.00)",
};

const TParametros kSemestre = {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/07/2026"}, {"pDataFinal", "31/12/2026"},
                               {"pModelo", "1"}};

// A line as the reader sees it: page, code, type, input or classification, previous
// balance, July to September and the total.
std::string Linha(const TnSecaoImpressa& s) {
  return std::to_string(s.Pagina) + " " + s.Valor("pCodigoEstrutura") + " " + s.Valor("pTipoEstrutura") + " " +
         s.Valor("pClassificacao") + " |" + s.Valor("pSaldoAnt") + "|" + s.Valor("R1") + "|" + s.Valor("R2") + "|" +
         s.Valor("R3") + "|" + s.Valor("R14") + "|";
}

std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : Secoes(rastro, 11)) linhas.push_back(Linha(s));
  return linhas;
}

struct AcompanhamentoInsumos : TesteRelatorio {
  AcompanhamentoInsumos() {
    for (const char* sql : kFixture) Sql(sql);
  }
};

// Each input on its own line under its item, the item's own line (no input) with its
// classification, once; each development on its own page, named in the page header.
TEST_F(AcompanhamentoInsumos, OneLinePerItemAndInputAndOnePagePerDevelopment) {
  const TnResultadoImpressao r = ImprimirComRastro(Juntar(kSemestre, {{"pCodigoPessoaFin", "91"}}));
  EXPECT_EQ(Linhas(r.Rastro), (std::vector<std::string>{
      "1 1 S 1 - Residencial Aurora |30,00 |100,00 |50,00 |20,00 |200,00 |",
      "1 2 A 1.1 - Torre A |30,00 |100,00 |50,00 |0,00 |180,00 |",
      "1 2 I 0100 - Cimento |30,00 |100,00 |0,00 |0,00 |130,00 |",
      "1 2 I 0200 - Pedreiro |0,00 |0,00 |50,00 |0,00 |50,00 |",
      "1 3 A 1.2 - Torre B |0,00 |0,00 |0,00 |20,00 |20,00 |",
      "1 3 I 0100 - Cimento |0,00 |0,00 |0,00 |20,00 |20,00 |",
      "2 1 S 1 - Centro Comercial Sul |0,00 |40,00 |0,00 |0,00 |40,00 |",
      "2 2 A 1.1 - Loja 1 |0,00 |40,00 |0,00 |0,00 |40,00 |",
      "2 2 I 0200 - Pedreiro |0,00 |40,00 |0,00 |0,00 |40,00 |",
  }));
  EXPECT_EQ(ValoresDe(r.Rastro, 11, "R13"), std::vector<std::string>(9, ""));
  EXPECT_EQ(ValoresDe(r.Rastro, 1, "pDescrEmpreend"),
            (std::vector<std::string>{"RESIDENCIAL AURORA", "CENTRO COMERCIAL SUL"}));
  EXPECT_EQ(r.Rastro.NumerosSecoes(true), (std::vector<int>{8, 9, 11, 11, 11, 11, 11, 11, 8, 9, 11, 11, 11, 12}));
  EXPECT_TRUE(MostraValores(Secoes(r, 8).front(), {{"pCabClassificacao", "Classificação/Descrição"}, {"C1", "07/2026"},
                                                   {"C6", "12/2026"}, {"C13", ""}, {"C14", "Total"}}));
  EXPECT_TRUE(MostraValores(Secoes(r, 1).front(), {{"pNomeEscrit", "0001 - Construtora Alfa Ltda"},
                                                   {"pInscFederal", "12.345.678/0001-90"}}));
  EXPECT_TRUE(MostraValores(Secoes(r, 12).front(), {{"R1", "Fernanda Prado"}, {"R2", "123.456.789-09"}}));
}

// The title names the model; the entity receives the same trimmed text (the summary
// model lists the inputs under the summary items).
TEST_F(AcompanhamentoInsumos, TheTitleNamesTheModelTheEntityReceived) {
  struct TCaso {
    const char* Modelo;
    const char* Titulo;
    std::vector<std::string> Tipos;  // pTipoEstrutura of development 10's lines
  } casos[] = {
      {" 1 ", "Custo dos Insumos entre 01/07/2026 e 31/12/2026 - Modelo Analítico", {"S", "A", "I", "I", "A", "I"}},
      {"0", "Custo dos Insumos entre 01/07/2026 e 31/12/2026 - Modelo Sintético", {"S", "I", "I", "A", "A"}},
  };
  for (const TCaso& c : casos) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(kSemestre, {{"pModelo", c.Modelo}, {"pCodigoEmpreend", "10"},
                                                                {"pDataInicial", "15/07/2026"}, {"pDataFinal", "10/12/2026"}}));
    direta.Report().DefinirRastro(true);
    direta.Imprimir();
    EXPECT_EQ(direta.Valor("T1"), c.Titulo) << c.Modelo;
    EXPECT_EQ(ValoresDe(direta.Report().Rastro(), 11, "pTipoEstrutura"), c.Tipos) << c.Modelo;
  }
}

// Thirteen months: the captions and every row continue on a second line that carries
// only the thirteenth month and the total.
TEST_F(AcompanhamentoInsumos, ThirteenMonthsTakeTwoLinesPerRow) {
  const TnResultadoImpressao r =
      ImprimirComRastro(Juntar(kSemestre, {{"pDataInicial", "01/12/2025"}, {"pCodigoEmpreend", "20"}}));
  std::vector<std::string> titulos;
  for (const auto& s : Secoes(r, 8))
    titulos.push_back(s.Valor("pCabSaldoAnt") + "|" + s.Valor("C1") + "|" + s.Valor("C12") + "|" + s.Valor("C14"));
  EXPECT_EQ(titulos, (std::vector<std::string>{"Saldo Ant.|12/2025|11/2026|", "|12/2026||Total"}));
  const std::vector<TnSecaoImpressa> linhas = Secoes(r, 11);
  ASSERT_EQ(linhas.size(), 6u);
  EXPECT_EQ(Linha(linhas[4]), "1 2 I 0200 - Pedreiro |0,00 |0,00 |0,00 |0,00 ||");
  EXPECT_EQ(Linha(linhas[5]), "1    ||0,00 |||40,00 |");
}

// On the printed page: the summary item bold, an input row plain.
TEST_F(AcompanhamentoInsumos, SummaryItemsPrintBoldAndInputRowsPlain) {
  const TImpressaoEmMemoria r = ImprimirEmMemoria(Juntar(kSemestre, {{"pCodigoEmpreend", "10"}}));
  struct TCaso {
    const char* Texto;
    bool Negrito;
  } casos[] = {{"1 - Residencial Aurora", true}, {"200,00 ", true}, {"0200 - Pedreiro", false}, {"1.2 - Torre B", false}};
  for (const TCaso& c : casos) {
    const TElementoTexto* t = nullptr;
    for (const auto& e : r.Paginas.at(0).Elementos)
      if (auto* texto = std::get_if<TElementoTexto>(&e); texto && texto->Texto == c.Texto && !t) t = texto;
    ASSERT_NE(t, nullptr) << c.Texto;
    EXPECT_EQ(t->Fonte.Negrito, c.Negrito) << c.Texto;
  }
}

// The report's own checks, with the values reaching it as typed; none gets to a query.
TEST_F(AcompanhamentoInsumos, RefusedValuesStopBeforeAnyLoad) {
  int consultas = 0;
  banco.Conexao().DefinirObservador([&](const std::string&, int) { ++consultas; });
  TImpressaoDireta invertido(RPT_PLUGIN_PATH, Juntar(kSemestre, {{"pDataFinal", "30/06/2026"}}));
  EXPECT_THROW_MSG(invertido.Imprimir(), Exception, "A data inicial não pode ser maior que a data final.");
  TImpressaoDireta imovel(RPT_PLUGIN_PATH, Juntar(kSemestre, {{"pCodigoImovel", "11;x"}}));
  try {
    imovel.Imprimir();
    ADD_FAILURE() << "nothing raised";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.NomeParametro(), "pCodigoImovel");
  }
  EXPECT_EQ(consultas, 0);
  EXPECT_TRUE(Secoes(ImprimirComRastro(Juntar(kSemestre, {{"pCodigoEmpreend", "30"}})), 11).empty());
}

TEST(AcompanhamentoInsumosClasse, VersionAndStripedSections) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  EXPECT_EQ(plugin->ClassDll()->Versao(), "[versao: 1.1.98.0]");
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  EXPECT_EQ(plugin->ClassDll()->Create(&report)->CriarListaSectionsParaZebrar(), (std::vector<int>{11, 10}));
}

}  // namespace
