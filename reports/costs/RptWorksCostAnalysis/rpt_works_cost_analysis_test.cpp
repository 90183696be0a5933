// The works cost analysis through the host on a small fixture: two works of the seed
// company, lines by input, group and phase, the period and its checks.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

const std::string kSemDetalhamento = "*não contém detalhamento de valores por fase*";

// Works 1 "Casas" of development 10, with areas and dates: input 10 Cimento (group 1,
// phase 5) budgeted 1.000,00 and applied 1.200,00 in 2026 (100,00 more in 2025), input
// 20 Taxas (group 2, no phase) budgeted 6.000,00 and applied 1.500,00. Works 2 "Galpão"
// of development 20 has neither areas nor dates, nor the phase its one budget line names.
struct AnaliseCustoObra : TesteRelatorio {
  AnaliseCustoObra() {
    banco.Script(
        "update EMPREENDIMENTO set TIPOEMPREENDIMENTO = 1, FORMARATEIO = 1 where CODIGOEMPREEND = 10;"
        "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, "
        "TOTALMQUADRADO, TOTALMQUADRADOUTIL) values (1, 10, 1, '1', 2500.5, 2100);"
        "insert into INSUMOGRUPO (CODIGOINSUMOGRUPO, CLASSIFGRUPO, DESCRGRUPO) values (1, '01', 'Materiais');"
        "insert into INSUMOGRUPO (CODIGOINSUMOGRUPO, CLASSIFGRUPO, DESCRGRUPO) values (2, '02', 'Despesas');"
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (10, 'Cimento', 1);"
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (20, 'Taxas', 2);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND, DATAPREVINICIO, DATAPREVFIM, "
        "DATAEXECINICIO, DATAEXECFIM) values (1, 1, 'Casas', 10, '2025-05-02', '2026-11-30', '2025-05-12', '2026-12-01');"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (1, 2, 'Galpão', 20);"
        "insert into OBRAFASE (CODIGOESCRIT, CODIGOOBRA, CODIGOFASE, CLASSIFICACAO, DESCRICAO) "
        "values (1, 1, 5, '01', 'Fundações');"
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO) values (1, 1, '2025-04-01');"
        "insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO) values (1, 2, '2026-01-01');"
        "insert into OBRAORCAMENTOINSUMO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, CODIGOORCAMENTOINSUMO, "
        "CODIGOINSUMO, CODIGOFASE, VALORTOTAL) values (1, 1, '2025-04-01', 1, 10, 5, 1000);"
        "insert into OBRAORCAMENTOINSUMO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, CODIGOORCAMENTOINSUMO, "
        "CODIGOINSUMO, CODIGOFASE, VALORTOTAL) values (1, 1, '2025-04-01', 2, 20, null, 6000);"
        "insert into OBRAORCAMENTOINSUMO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, CODIGOORCAMENTOINSUMO, "
        "CODIGOINSUMO, CODIGOFASE, VALORTOTAL) values (1, 2, '2026-01-01', 1, 10, 5, 500);");
    Rateio(1, "2026-03-10", 10, 5, 1, "1200");
    Rateio(2, "2026-04-01", 20, 0, 0, "1500");
    Rateio(3, "2025-06-01", 10, 5, 1, "100");
  }
  void Rateio(int codigo, const std::string& data, int insumo, int fase, int tipo, const std::string& valor) {
    banco.Script("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, "
                 "TIPOMVTOESTOQUE, CODIGOINSUMO, CODIGOOBRA, CODIGOFASE, VALORRATEIO) values (1, 10, 1, " +
                 std::to_string(codigo) + ", '" + data + "', " + std::to_string(tipo) + ", " +
                 std::to_string(insumo) + ", 1, " + (fase ? std::to_string(fase) : "null") + ", " + valor + ");");
  }
  static TParametros Parametros(const TParametros& extra = {}) {
    return Juntar({{"pCodigoEscrit", "1"}, {"pCompetIni", "01/01/2026"}, {"pCompetFim", "31/12/2026"}}, extra);
  }
};

TEST_F(AnaliseCustoObra, EachWorksOnItsOwnPageWithItsHeaderLinesAndTotals) {
  const TnResultadoImpressao r = ImprimirComRastro(Parametros());
  EXPECT_EQ(r.Paginas, 2);  // no blank first page
  EXPECT_EQ(r.Rastro.NumerosSecoes(), (std::vector<int>{8, 8, 9, 2, 8, 9, 2}));  // 2: the page footer
  const auto cabecalhos = Secoes(r, 1);
  ASSERT_EQ(cabecalhos.size(), 2u);
  EXPECT_TRUE(MostraValores(cabecalhos[0], {{"pNomeEscrit", semente::kNomeEmpresa},
                                            {"pInscrFedEscrit", semente::kInscricaoEmpresa},
                                            {"pTitulo", " DE 01/2026 ATÉ 12/2026"},
                                            {"pObra", "1 - Casas"},
                                            {"pEmpreendimento", "10 - Residencial Aurora"},
                                            {"pTipoEmpre", "Residencial vertical"},
                                            {"pRateioEmpre", "Área total"},
                                            {"pAreaTotalEmpre", "2.500,5000"},
                                            {"pAreaUtilEmpre", "2.100,0000"},
                                            {"pPrevIniObra", "02/05/2025"},
                                            {"pPrevFimObra", "30/11/2026"},
                                            {"pExecIniObra", "12/05/2025"},
                                            {"pExecFimObra", "01/12/2026"},
                                            {"pTituloColunaDescricao", "Insumo"}}));
  // A works without areas, dates, development type or allocation method leaves them blank.
  EXPECT_TRUE(MostraValores(cabecalhos[1], {{"pObra", "2 - Galpão"}, {"pEmpreendimento", "20 - Centro Comercial Sul"},
                                            {"pTipoEmpre", ""}, {"pRateioEmpre", ""}, {"pAreaTotalEmpre", ""},
                                            {"pAreaUtilEmpre", ""}, {"pPrevIniObra", ""}, {"pPrevFimObra", ""},
                                            {"pExecIniObra", ""}, {"pExecFimObra", ""}}));

  const auto linhas = Secoes(r, 8);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(linhas[0].Pagina, 1);
  EXPECT_EQ(linhas[2].Pagina, 2);
  // An overrun: value and percentage inside the parentheses.
  EXPECT_TRUE(MostraValores(linhas[0], {{"R1", "10 - Cimento"}, {"R2", "1.000,00"}, {"R3", "14,29"}, {"R4", "1.200,00"},
                                        {"R5", "120,00"}, {"R6", "(200,00"}, {"R7", "20,00"}, {"pFechaParentese", ")"}}));
  EXPECT_TRUE(MostraValores(linhas[1], {{"R1", "20 - Taxas"}, {"R2", "6.000,00"}, {"R3", "85,71"}, {"R4", "1.500,00"},
                                        {"R5", "25,00"}, {"R6", "4.500,00"}, {"R7", "75,00"}, {"pFechaParentese", ""}}));
  // The total to apply is the sum of the positive remainders; the overrun is not deducted
  // and leaves no parenthesis on the total line.
  const auto totais = Secoes(r, 9);
  EXPECT_TRUE(MostraValores(totais[0], {{"R2", "7.000,00"}, {"R3", "100,00"}, {"R4", "2.700,00"}, {"R5", "38,57"},
                                        {"R6", "4.500,00"}, {"R7", "64,29"}}));
  EXPECT_EQ(totais[0].Valor("pFechaParentese"), "");
  EXPECT_EQ(totais[0].Valor("R1"), "");
}

TEST_F(AnaliseCustoObra, ByPhaseTheLineWithoutPhaseSaysSoAndKeepsItsFigures) {
  const TnResultadoImpressao r = ImprimirComRastro(Parametros({{"pTipoAnaliseCusto", "1"}}));
  const auto linhas = Secoes(r, 8);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(linhas[0].Valor("R1"), "5 - 01 Fundações");
  EXPECT_TRUE(MostraValores(linhas[1], {{"R1", kSemDetalhamento}, {"R2", "6.000,00"}, {"R3", "85,71"},
                                        {"R4", "1.500,00"}, {"R5", "25,00"}, {"R6", "4.500,00"}, {"R7", "75,00"}}));
  EXPECT_EQ(linhas[2].Valor("R1"), kSemDetalhamento);  // works 2 has no phase 5

  // A phase selection keeps only the phase's costs.
  const TnResultadoImpressao fase = ImprimirComRastro(Parametros({{"pTipoAnaliseCusto", "1"}, {"pCodigoFase", "5"}}));
  EXPECT_EQ(ValoresDe(fase.Rastro, 8, "R1"), (std::vector<std::string>{"5 - 01 Fundações", kSemDetalhamento}));
  EXPECT_EQ(ValoresDe(fase.Rastro, 9, "R2"), (std::vector<std::string>{"1.000,00", "500,00"}));
}

// The title tells the period; a competence not given (or not readable) leaves the
// entity without that bound, as the cement's applied cost shows (100,00 in 2025).
TEST_F(AnaliseCustoObra, TitleAndPeriodFromTheCompetences) {
  struct TCaso {
    std::string Ini, Fim, Titulo, AplicadoCimento;
  };
  const std::vector<TCaso> casos = {
      {"", "", "", "1.300,00"},
      {"01/03/2026", "", " DE 03/2026", "1.200,00"},
      {"", "31/12/2026", " ATÉ 12/2026", "1.300,00"},
      {"01/01/2026", "31/12/2026", " DE 01/2026 ATÉ 12/2026", "1.200,00"},
      {"01/2026", "12/2026", " DE 01/2026 ATÉ 12/2026", "1.200,00"},
      {"31/03/2026", "01/03/2026", " DE 03/2026 ATÉ 03/2026", "1.200,00"},  // two days of one month
      {"13/2026", "março", "", "1.300,00"},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Ini + " a " + c.Fim);
    const TnResultadoImpressao r =
        ImprimirComRastro({{"pCodigoEscrit", "1"}, {"pCompetIni", c.Ini}, {"pCompetFim", c.Fim}});
    ASSERT_FALSE(Secoes(r, 1).empty());
    EXPECT_EQ(Secoes(r, 1)[0].Valor("pTitulo"), c.Titulo);
    EXPECT_EQ(ValoresDe(r.Rastro, 8, "R4").front(), c.AplicadoCimento);
  }
}

// Column title and lines by the two switches; a kind of analysis the form does not
// offer (2) titles the column "Fase" and prints the lines by input.
TEST_F(AnaliseCustoObra, ColumnTitleAndLinesBySwitches) {
  struct TCaso {
    std::string TipoRelatorio, TipoAnalise, Titulo, UltimaLinha;
  };
  const std::vector<TCaso> casos = {
      {"0", "0", "Insumo", "10 - Cimento"},
      {"1", "0", "Grupo Insumo", "1 - 01 Materiais"},
      {"0", "1", "Fase", kSemDetalhamento},
      {"1", "1", "Fase", kSemDetalhamento},
      {"0", "2", "Fase", "10 - Cimento"},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.TipoRelatorio + "/" + c.TipoAnalise);
    TImpressaoDireta d(RPT_PLUGIN_PATH, Parametros({{"pTipoRelatorio", c.TipoRelatorio},
                                                    {"pTipoAnaliseCusto", c.TipoAnalise}}));
    d.Imprimir();
    EXPECT_EQ(d.Valor("pTituloColunaDescricao"), c.Titulo);
    EXPECT_EQ(d.Valor("R1"), c.UltimaLinha);
  }
}

TEST_F(AnaliseCustoObra, EntityErrorsPropagateAndPrintNothing) {
  banco.Script("drop table RATEIO;");
  EXPECT_ANY_THROW(ImprimirComRastro(Parametros()));
}

// Refused values are named before any query runs: there is no database here at all.
TEST(AnaliseCustoObraParametros, RefusedValuesRaiseOnTheirParameterBeforeAnyQuery) {
  struct TCaso {
    TParametros Valores;
    std::string Parametro, Mensagem;
  };
  const std::vector<TCaso> casos = {
      {{{"pCompetIni", "01/05/2026"}, {"pCompetFim", "30/04/2026"}}, "pCompetFim",
       "Competência final não pode ser menor que a inicial, verifique!"},
      {{{"pCompetIni", "05/2026"}, {"pCompetFim", "04/2026"}}, "pCompetFim",
       "Competência final não pode ser menor que a inicial, verifique!"},
      {{{"pCodigoEmpreend", "1) or (1=1"}}, "pCodigoEmpreend", ""},
      {{{"pCodigoFase", "1;x"}}, "pCodigoFase", ""},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Parametro);
    TImpressaoDireta d(RPT_PLUGIN_PATH, Juntar({{"pCodigoEscrit", "1"}}, c.Valores));
    try {
      d.Imprimir();
      ADD_FAILURE() << "nothing raised";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), c.Parametro);
      if (!c.Mensagem.empty()) {
        EXPECT_EQ(std::string(e.what()), c.Mensagem);
      }
    }
  }
}

// From the command line a refused selection exits 2 naming it and writes no PDF.
TEST(AnaliseCustoObraComando, RefusedSelectionExitsTwo) {
  const fs::path pasta = fs::temp_directory_path() / ("rpt_custo_obra_" + std::to_string(getpid()));
  fs::create_directories(pasta);
  const std::string banco = (pasta / "demo.fdb").string(), pdf = (pasta / "saida.pdf").string();
  ASSERT_EQ(RodarRpt("demo-db " + banco).Codigo, 0);
  const TSaidaRpt s = RodarRpt("run RptWorksCostAnalysis --db " + banco + " --param pCodigoEscrit=1 "
                               "--param 'pCodigoFase=1) or (1=1' --out " + pdf);
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCodigoFase"), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(pdf));
  fs::remove_all(pasta);
}

}  // namespace
