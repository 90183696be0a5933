// The register of inputs printed through the host from the seed company and a small
// tree of groups (classification, code, kind S summary / A analytic):
//   01 (1, S) Materiais: 01.01 (2, A) without inputs, 01.02 (3, A) with inputs 7 and 54;
//   02 (4, S) Serviços: 02.01 (5, S) above 02.01.01 (6, A) with 1234 and 12345, and 02.02
//     (7, A) without inputs;
//   03 (8, S) with no analytic group under it;
//   04 (9, A) the site expenses 20 to 23 (three of one type);
//   05'A (10, A), a classification holding a quote, with 30 and 31.
// Input 54 has no unit, 1234 a unit without abbreviation, 30 no classification and 31 no
// type and an unknown classification.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/data/conexao.h"
#include "host/report/base_dll.h"
#include "host/report/plugin.h"
#include "host/report/report.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFixture[] = {
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (5, 'Obras Sem Cadastro Ltda', null)",
    "insert into ESCRITORIO (CODIGOESCRIT) values (5)",
    "insert into UNIDADEMEDIDA values (1, 'Saco', 'sc')",
    "insert into UNIDADEMEDIDA values (2, 'Galão', null)",
    "insert into INSUMOGRUPO values (1, '01', 'Materiais', 1)",
    "insert into INSUMOGRUPO values (2, '01.01', 'Aglomerantes', 2)",
    "insert into INSUMOGRUPO values (3, '01.02', 'Blocos e agregados', 2)",
    "insert into INSUMOGRUPO values (4, '02', 'Serviços', 1)",
    "insert into INSUMOGRUPO values (5, '02.01', 'Acabamentos', 1)",
    "insert into INSUMOGRUPO values (6, '02.01.01', 'Pintura', 2)",
    "insert into INSUMOGRUPO values (7, '02.02', 'Limpeza', 2)",
    "insert into INSUMOGRUPO values (8, '03', 'Sem grupo analítico', 1)",
    "insert into INSUMOGRUPO values (9, '04', 'Despesas do canteiro', 2)",
    "insert into INSUMOGRUPO values (10, '05''A', 'Importados', 2)",
};

// Inputs: code, description, group, unit, type, classification.
constexpr const char* kInsumos[] = {
    "7, 'Cimento CP-II', 3, 1, 1, 1",
    "54, 'Areia média', 3, null, 1, 1",
    "1234, 'Tinta acrílica', 6, 2, 1, 2",
    "12345, 'Pintor', 6, 1, 2, 2",
    "20, 'Taxas, licenças e emolumentos', 9, null, 5, 3",
    "21, 'Energia elétrica do canteiro', 9, 1, 5, 3",
    "22, 'Água e esgoto do canteiro', 9, 1, 5, 3",
    "23, 'Betoneira', 9, 1, 4, 2",
    "30, 'Cabo importado', 10, 1, 3, null",
    "31, 'Sem tipo', 10, 1, null, 9",
};

const char* const kSelecaoRecusada = "1) or (1=1";

struct Insumos : ::testing::Test {
  static void SetUpTestSuite() {
    banco = new TBancoTeste(true);
    semente::SemearEmpresa(*banco);
    for (const char* sql : kFixture) banco->Conexao().Executar(sql);
    for (const char* valores : kInsumos)
      banco->Conexao().Executar(std::string("insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO, "
                                            "CODIGOUNIDADEMEDIDA, TIPOINSUMO, CLASSIFINSUMO) values (") +
                                valores + ")");
  }
  static void TearDownTestSuite() {
    delete banco;
    banco = nullptr;
  }
  void SetUp() override { TnDMConexao::DefinirAtual(&banco->Conexao()); }

  // The report as the host prints it; later parameters override the defaults.
  static TnRastro Imprimir(const TParametros& extras) { return ImprimirComRastro(Juntar(kPadrao, extras)).Rastro; }

  static inline const TParametros kPadrao = {{"pCodigoEscrit", "1"}, {"pGrupoSemInsumo", "1"}, {"pOrdenar", "1"}};
  static TBancoTeste* banco;
};

TBancoTeste* Insumos::banco = nullptr;

std::string Linha(const TnSecaoImpressa& s) {
  return s.Valor("R1") + "|" + s.Valor("R2") + "|" + s.Valor("R3") + "|" + s.Valor("R4") + "|" + s.Valor("R5") +
         "|" + s.Valor("R6");
}

std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : Secoes(rastro, 11)) linhas.push_back(Linha(s));
  return linhas;
}

// Group lines name their group in R1; input lines leave it empty.
std::vector<std::string> Grupos(const TnRastro& rastro) {
  std::vector<std::string> grupos;
  for (const auto& s : Secoes(rastro, 11))
    if (!s.Valor("R1").empty()) grupos.push_back(s.Valor("R1"));
  return grupos;
}

// The input codes as printed, padding included.
std::vector<std::string> CodigosInsumos(const TnRastro& rastro) {
  std::vector<std::string> codigos;
  for (const auto& s : Secoes(rastro, 11))
    if (s.Valor("R1").empty()) codigos.push_back(s.Valor("R3").substr(0, s.Valor("R3").find(' ')));
  return codigos;
}

TEST_F(Insumos, EveryGroupInClassificationOrderWithItsInputs) {
  const TnRastro rastro = Imprimir({});
  EXPECT_EQ(Linhas(rastro), (std::vector<std::string>{
                                "1|S|01       Materiais|||",
                                "2||01.01       Aglomerantes|||",
                                "3||01.02       Blocos e agregados|||",
                                "||0007       Cimento CP-II|sc|Material|Custo direto",
                                "||0054       Areia média||Material|Custo direto",
                                "4|S|02       Serviços|||",
                                "5|S|02.01       Acabamentos|||",
                                "6||02.01.01       Pintura|||",
                                "||1234       Tinta acrílica||Material|Custo indireto",
                                "||12345       Pintor|sc|Mão de obra|Custo indireto",
                                "7||02.02       Limpeza|||",
                                "8|S|03       Sem grupo analítico|||",
                                "9||04       Despesas do canteiro|||",
                                "||0020       Taxas, licenças e emolumentos||Despesa|Despesa administrativa",
                                "||0021       Energia elétrica do canteiro|sc|Despesa|Despesa administrativa",
                                "||0022       Água e esgoto do canteiro|sc|Despesa|Despesa administrativa",
                                "||0023       Betoneira|sc|Equipamento|Custo indireto",
                                "10||05'A       Importados|||",
                                "||0030       Cabo importado|sc|Serviço|",
                                "||0031       Sem tipo|sc||",
                            }));
  EXPECT_EQ(rastro.Paginas, 1);
  EXPECT_TRUE(Secoes(rastro, 8).empty()) << "no blank lines unless asked for";
}

// On the page: group lines bold, input lines regular, the code column in a fixed-width font.
TEST_F(Insumos, GroupLinesBoldInputLinesRegular) {
  const TImpressaoEmMemoria r = ImprimirEmMemoria(Juntar(kPadrao, {}));
  const struct {
    const char* Texto;
    bool Negrito;
    const char* Familia;
  } casos[] = {
      {"01       Materiais", true, "Liberation Mono"},
      {"0007       Cimento CP-II", false, "Liberation Mono"},
      {"Custo direto", false, "Liberation Sans"},
      {"02.01       Acabamentos", true, "Liberation Mono"},
      {"12345       Pintor", false, "Liberation Mono"},
  };
  for (const auto& c : casos) {
    const TElementoTexto* t = nullptr;
    for (const auto& e : r.Paginas.at(0).Elementos)
      if (auto* texto = std::get_if<TElementoTexto>(&e); texto && texto->Texto == c.Texto && !t) t = texto;
    ASSERT_NE(t, nullptr) << c.Texto;
    EXPECT_EQ(t->Fonte.Negrito, c.Negrito) << c.Texto;
    EXPECT_EQ(t->Fonte.Familia, c.Familia) << c.Texto;
  }
}

// A summary group shows when an analytic group of its own branch has a selected input:
// "01" over the inputs of "01.02" although "01.01" is empty, and never "03", whose branch
// has no analytic group at all.
TEST_F(Insumos, GroupsShownByTheirSelectedInputs) {
  const struct {
    TParametros Parametros;
    std::vector<std::string> Grupos;
  } casos[] = {
      {{{"pGrupoSemInsumo", "1"}}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      {{{"pGrupoSemInsumo", "1"}, {"pCodigoInsumoGrupo", "6"}}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
      {{{"pGrupoSemInsumo", "0"}}, {"1", "3", "4", "5", "6", "9", "10"}},
      {{{"pGrupoSemInsumo", "0"}, {"pCodigoInsumo", "7"}}, {"1", "3"}},
      {{{"pGrupoSemInsumo", "0"}, {"pCodigoInsumo", "1234"}}, {"4", "5", "6"}},
      {{{"pGrupoSemInsumo", "0"}, {"pCodigoInsumo", "30-31"}}, {"10"}},
  };
  for (const auto& c : casos) {
    const TnRastro rastro = Imprimir(c.Parametros);
    EXPECT_EQ(Grupos(rastro), c.Grupos) << ::testing::PrintToString(c.Parametros);
  }
}

TEST_F(Insumos, InputAndGroupRangesNarrowTheInputs) {
  const struct {
    TParametros Parametros;
    std::vector<std::string> Insumos;
  } casos[] = {
      {{{"pCodigoInsumoGrupo", "1"}}, {"0007", "0054"}},       // "01" takes every "01.xx"
      {{{"pCodigoInsumoGrupo", "4"}}, {"1234", "12345"}},      // and the levels below "02.01"
      {{{"pCodigoInsumoGrupo", "3,9"}, {"pCodigoInsumo", "7,20-22,30"}}, {"0007", "0020", "0021", "0022"}},
      {{{"pCodigoInsumoGrupo", "10"}}, {"0030", "0031"}},      // a quote in the classification
      {{{"pCodigoInsumoGrupo", "999"}}, {}},                   // no group: no input
  };
  for (const auto& c : casos) {
    const TnRastro rastro = Imprimir(c.Parametros);
    EXPECT_EQ(CodigosInsumos(rastro), c.Insumos) << ::testing::PrintToString(c.Parametros);
  }
}

TEST_F(Insumos, TheGroupRangeReachesTheStatementAsQuotedPrefixes) {
  const TnRastro rastro = Imprimir({{"pCodigoInsumoGrupo", "3,10"}});
  ASSERT_EQ(rastro.Consultas.size(), 4u);  // groups, the range's groups, inputs, company
  EXPECT_NE(rastro.Consultas[2].Sql.find("WHERE ((GR.CLASSIFGRUPO LIKE '01.02%') OR (GR.CLASSIFGRUPO LIKE "
                                         "'05''A%'))order by I.CODIGOINSUMOGRUPO, I.CODIGOINSUMO"),
            std::string::npos)
      << rastro.Consultas[2].Sql;
}

// A group range that matches no group selects no input: only the groups print, when asked
// for, or nothing at all.
TEST_F(Insumos, AGroupRangeMatchingNoGroup) {
  const TnRastro semGrupos = Imprimir({{"pCodigoInsumoGrupo", "999"}, {"pGrupoSemInsumo", "0"}});
  EXPECT_EQ(semGrupos.Paginas, 0);
  EXPECT_TRUE(semGrupos.Secoes.empty());
  const TnRastro comGrupos = Imprimir({{"pCodigoInsumoGrupo", "999"}, {"pGrupoSemInsumo", "1"}});
  EXPECT_EQ(Grupos(comGrupos).size(), 10u);
  EXPECT_TRUE(CodigosInsumos(comGrupos).empty());
}

// Ties (20 to 22 share a type) go by code; descriptions by the Portuguese alphabet.
TEST_F(Insumos, InputsOfAGroupByCodeDescriptionOrType) {
  const struct {
    const char* Ordenar;
    std::vector<std::string> Insumos;
  } casos[] = {
      {"1", {"0020", "0021", "0022", "0023"}},
      {"2", {"0022", "0023", "0021", "0020"}},  // Água, Betoneira, Energia, Taxas
      {"3", {"0023", "0020", "0021", "0022"}},
  };
  for (const auto& c : casos) {
    const TnRastro rastro = Imprimir({{"pOrdenar", c.Ordenar}, {"pCodigoInsumoGrupo", "9"}});
    EXPECT_EQ(CodigosInsumos(rastro), c.Insumos) << c.Ordenar;
  }
}

TEST_F(Insumos, ABlankLineBeforeEachGroupOnlyWhenAskedFor) {
  const TnRastro sim = Imprimir({{"pPularLinha", "Sim"}, {"pCodigoInsumoGrupo", "1"}});
  std::vector<std::string> ordem;
  for (const auto& s : sim.Secoes)
    if (s.Secao == 8 || s.Secao == 11) ordem.push_back(s.Secao == 8 ? "8" : s.Valor("R1").empty() ? "insumo" : "grupo");
  EXPECT_EQ(ordem, (std::vector<std::string>{"8", "grupo", "8", "grupo", "8", "grupo", "insumo", "insumo", "8",
                                             "grupo", "8", "grupo", "8", "grupo", "8", "grupo", "8", "grupo", "8",
                                             "grupo", "8", "grupo"}));
  EXPECT_TRUE(Secoes(Imprimir({{"pPularLinha", "Não"}}), 8).empty());
}

TEST_F(Insumos, CompanyHeaderFromTheCompanyRowOnly) {
  const struct {
    const char* Empresa;
    const char* Nome;
    const char* Inscricao;
  } casos[] = {
      {"1", "0001 Construtora Alfa Ltda", "CNPJ: 12.345.678/0001-90"},
      {"5", "0005 Obras Sem Cadastro Ltda", ""},  // no tax number: no "CNPJ: "
      {"999", "", ""},
      {"", "", ""},
  };
  for (const auto& c : casos) {
    const TnRastro rastro = Imprimir({{"pCodigoEscrit", c.Empresa}});
    ASSERT_FALSE(Secoes(rastro, 1).empty()) << c.Empresa;
    EXPECT_TRUE(MostraValores(Secoes(rastro, 1).front(), {{"pNomeEmpresa", c.Nome}, {"pInscrFederal", c.Inscricao}}))
        << c.Empresa;
  }
}

// The report's own checks, with the values reaching it as typed (no form in between);
// none of them gets as far as a query.
TEST_F(Insumos, RefusedValuesStopBeforeAnyQuery) {
  int consultas = 0;
  banco->Conexao().DefinirObservador([&](const std::string&, int) { ++consultas; });
  const struct {
    const char* Parametro;
    const char* Valor;
    const char* Mensagem;  // how the message starts
  } casos[] = {
      {"pCodigoInsumo", kSelecaoRecusada, "Seleção '1) or (1=1' inválida"},
      {"pCodigoInsumoGrupo", kSelecaoRecusada, "Seleção '1) or (1=1' inválida"},
      {"pOrdenar", "", "Informe a ordenação: 1 (código), 2 (descrição) ou 3 (tipo)."},
      {"pOrdenar", "4", "Informe a ordenação: 1 (código), 2 (descrição) ou 3 (tipo)."},
      {"pCodigoEscrit", "1a", "'1a' não é um valor inteiro válido."},
      {"pGrupoSemInsumo", "x", "'x' não é um valor inteiro válido."},
  };
  for (const auto& c : casos) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(kPadrao, {{c.Parametro, c.Valor}}));
    try {
      direta.Imprimir();
      ADD_FAILURE() << c.Parametro << ": nothing raised";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), c.Parametro);
      EXPECT_EQ(std::string(e.what()).rfind(c.Mensagem, 0), 0u) << e.what();
    }
  }
  banco->Conexao().DefinirObservador({});
  EXPECT_EQ(consultas, 0);
}

TEST_F(Insumos, TheCommandRefusesASelectionNamingItsParameter) {
  const fs::path pdf = fs::path(banco->Arquivo()).parent_path() / "insumos.pdf";
  const TSaidaRpt s = RodarRpt(std::string("run ") + RPT_PLUGIN_PATH + " --db " + banco->Arquivo() +
                               " --param 'pCodigoInsumoGrupo=" + kSelecaoRecusada + "' --out " + pdf.string());
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCodigoInsumoGrupo: Seleção '1) or (1=1' inválida"), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(pdf));
}

// A fresh database of its own: the seed company and nothing else.
struct InsumosSemGrupos : TesteRelatorio {};

TEST_F(InsumosSemGrupos, NoGroupsPrintNothing) {
  const TnResultadoImpressao r = ImprimirComRastro({{"pCodigoEscrit", "1"}, {"pGrupoSemInsumo", "1"}});
  EXPECT_EQ(r.Paginas, 0);
  EXPECT_TRUE(r.Rastro.Secoes.empty());
}

// A query that fails (a column the statement needs is gone) still clears the event and
// releases what was read (the sanitizer run checks the second).
TEST_F(InsumosSemGrupos, AFailedQueryClearsTheBeforeSectionEvent) {
  struct TQualquer : TnrwBaseDll {
    using TnrwBaseDll::TnrwBaseDll;
    void Antes(TObject*, int) {}
  };
  Sql("insert into INSUMOGRUPO values (1, '01', 'Materiais', 2)");
  Sql("alter table UNIDADEMEDIDA drop ABREVIATURA");
  TImpressaoDireta direta(RPT_PLUGIN_PATH, {{"pCodigoEscrit", "1"}, {"pOrdenar", "1"}});
  TQualquer outro(&direta.Report());
  direta.Report().OnBeforeSection = TnEventoSecao(&outro, &TQualquer::Antes);
  EXPECT_ANY_THROW(direta.Imprimir());
  EXPECT_FALSE(direta.Report().OnBeforeSection);
}

TEST(InsumosClasse, VersionAndStripedSections) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  EXPECT_EQ(plugin->ClassDll()->Versao(), "[versao: 1.1.102.0]");
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  EXPECT_EQ(plugin->ClassDll()->Create(&report)->CriarListaSectionsParaZebrar(), (std::vector<int>{8, 11}));
}

}  // namespace
