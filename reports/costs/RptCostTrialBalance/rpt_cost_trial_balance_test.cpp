// The cost trial balance printed through the host from the seed company and a small
// structure, over 2026:
//   development 10 "Residencial Aurora": "1" above tower "1.1" with units 11 (1.000,00
//     before the period, 234,50 in it) and 12 (12,50 returned from the site);
//   development 20 "Centro Comercial Sul": "1" above shop "1.1", issued and returned,
//     netting to zero.
// Person 91 signs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/report/base_dll.h"
#include "host/report/formulario.h"
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
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, 3, 2, '2026-03-10', 1, 234.50)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 10, 4, 3, '2026-05-05', -1, 12.50)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 20, 2, 4, '2026-02-01', 1, 500.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, VALORRATEIO) values (1, 20, 2, 5, '2026-02-20', -1, 500.00)",
};

const TParametros k2026 = {{"pCodigoEscrit", "1"}, {"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/12/2026"}};

// A balance line as the reader sees it: page, code, type, classification, three amounts.
std::string Linha(const TnSecaoImpressa& s) {
  return std::to_string(s.Pagina) + " " + s.Valor("R1") + " " + s.Valor("R2") + " " + s.Valor("R3") + " |" +
         s.Valor("R4") + "|" + s.Valor("R5") + "|" + s.Valor("R6") + "|";
}

std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : Secoes(rastro, 8)) linhas.push_back(Linha(s));
  return linhas;
}

struct BalanceteDeCustos : TesteRelatorio {
  BalanceteDeCustos() {
    for (const char* sql : kFixture) Sql(sql);
  }
};

// Amounts: negative in parentheses, others followed by a blank (zero included). Each
// development starts a page; the report's first line does not.
TEST_F(BalanceteDeCustos, OneLinePerItemEachDevelopmentOnItsOwnPage) {
  const TnResultadoImpressao r = ImprimirComRastro(k2026);
  EXPECT_EQ(Linhas(r.Rastro), (std::vector<std::string>{
      "1 1 S 1 - Residencial Aurora |1.000,00 |222,00 |1.222,00 |",
      "1 2 S 1.1 - Torre A |1.000,00 |222,00 |1.222,00 |",
      "1 3 A 1.1.01 - Apto 11 |1.000,00 |234,50 |1.234,50 |",
      "1 4 A 1.1.02 - Apto 12 |0,00 |(12,50)|(12,50)|",
      "2 1 S 1 - Centro Comercial Sul |0,00 |0,00 |0,00 |",
      "2 2 A 1.1 - Loja 1 |0,00 |0,00 |0,00 |",
  }));
  EXPECT_EQ(r.Paginas, 2);
  EXPECT_EQ(ValoresDe(r.Rastro, 1, "T1"), (std::vector<std::string>{"RESIDENCIAL AURORA", "CENTRO COMERCIAL SUL"}))
      << "each page names its development";
  EXPECT_TRUE(Secoes(r, 10).empty());
}

// On the printed page: every label of a summary line bold, the next posting line plain.
TEST_F(BalanceteDeCustos, SummaryLinesPrintBoldAndPostingLinesPlain) {
  const TImpressaoEmMemoria r = ImprimirEmMemoria(k2026);
  struct TCaso {
    const char* Texto;
    bool Negrito;
  } casos[] = {
      {"1 - Residencial Aurora", true}, {"1.000,00 ", true}, {"1.1 - Torre A", true},
      {"1.1.01 - Apto 11", false},      {"234,50 ", false},  {"1.1.02 - Apto 12", false},
  };
  for (const TCaso& c : casos) {
    const TElementoTexto* t = nullptr;
    for (const auto& e : r.Paginas.at(0).Elementos)
      if (auto* texto = std::get_if<TElementoTexto>(&e); texto && texto->Texto == c.Texto && !t) t = texto;
    ASSERT_NE(t, nullptr) << c.Texto;
    EXPECT_EQ(t->Fonte.Negrito, c.Negrito) << c.Texto;
  }
}

TEST_F(BalanceteDeCustos, CompanyHeaderOnlyForAGivenCompanyWithItsRecord) {
  Sql("insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, "
      "DESCRESTRUTURA, TIPOESTRUTURA) values (7, 1, 1, '1', 'Sem cadastro', 2)");
  Sql("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, "
      "TIPOMVTOESTOQUE, VALORRATEIO) values (7, 1, 1, 1, '2026-06-01', 1, 10)");
  struct TCaso {
    const char* Empresa;
    const char* Nome;
    const char* Inscricao;
    const char* ConsultaEmpresa;  // the company query's condition
    size_t Linhas;
  } casos[] = {
      {"1", "0001 Construtora Alfa Ltda", "CNPJ: 12.345.678/0001-90", " where PE.CODIGOPESSOAFIN = 1 ", 6},
      {"", "", "", "EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN  order by", 7},  // every company, values untouched
      {"7", "", "", " where PE.CODIGOPESSOAFIN = 7 ", 1},                  // no company record: blank
  };
  for (const TCaso& c : casos) {
    const TnResultadoImpressao r =
        ImprimirComRastro(Juntar(k2026, {{"pCodigoEscrit", c.Empresa}}));
    ASSERT_EQ(Secoes(r, 8).size(), c.Linhas) << c.Empresa;
    EXPECT_TRUE(MostraValores(Secoes(r, 1).back(), {{"pNomeEmpresa", c.Nome}, {"pInscrFederal", c.Inscricao}}))
        << c.Empresa;
    ASSERT_FALSE(r.Rastro.Consultas.empty());
    EXPECT_NE(r.Rastro.Consultas[0].Sql.find(c.ConsultaEmpresa), std::string::npos) << r.Rastro.Consultas[0].Sql;
  }
}

TEST_F(BalanceteDeCustos, SignatureOnlyForAPersonCodeAboveZero) {
  struct TCaso {
    const char* Pessoa;
    std::vector<std::string> Assinatura;  // R1 | R2 of section 10, when printed
  } casos[] = {
      {"91", {"Fernanda Prado | 123.456.789-09"}},
      {"999", {" | "}},  // nobody with that code: a blank line to sign by hand
      {"", {}},
      {"0", {}},
  };
  for (const TCaso& c : casos) {
    const TnResultadoImpressao r = ImprimirComRastro(Juntar(k2026, {{"pCodigoPessoaFin", c.Pessoa}}));
    std::vector<std::string> assinatura;
    for (const auto& s : Secoes(r, 10)) assinatura.push_back(s.Valor("R1") + " | " + s.Valor("R2"));
    EXPECT_EQ(assinatura, c.Assinatura) << c.Pessoa;
    int ultima = 0;  // the last section of the body (page header and footer aside)
    for (const auto& s : r.Rastro.Secoes)
      if (s.Secao >= 8) ultima = s.Secao;
    EXPECT_EQ(ultima, c.Assinatura.empty() ? 8 : 10) << "the signature closes the report";
  }
}

TEST_F(BalanceteDeCustos, FiltersReachTheBalance) {
  struct TCaso {
    TParametros Parametros;
    std::vector<std::string> Codigos;  // R1 of each line
  } casos[] = {
      {{{"pCodigoEmpreend", "20"}}, {"1", "2"}},
      {{{"pTipoMvtoEstoqueCL", "-1"}}, {"1", "2", "4", "1", "2"}},
      {{{"pDataInicial", "01/06/2026"}, {"pDataFinal", "30/06/2026"}}, {"1", "2", "3", "4", "1", "2"}},
  };
  for (const TCaso& c : casos)
    EXPECT_EQ(ValoresDe(ImprimirComRastro(Juntar(k2026, c.Parametros)).Rastro, 8, "R1"), c.Codigos);
}

TEST_F(BalanceteDeCustos, AnEmptyBalancePrintsNothing) {
  const TnResultadoImpressao r = ImprimirComRastro(Juntar(k2026, {{"pCodigoEmpreend", "30"}}));
  EXPECT_EQ(r.Paginas, 0);
  EXPECT_TRUE(r.Rastro.Secoes.empty());
}

// The report's own checks, with the values reaching it as typed (no form in between);
// none of them gets as far as a query.
TEST_F(BalanceteDeCustos, RefusedValuesStopBeforeAnyQuery) {
  int consultas = 0;
  banco.Conexao().DefinirObservador([&](const std::string&, int) { ++consultas; });
  struct TCaso {
    TParametros Parametros;
    const char* Parametro;  // the EnParam's parameter; empty for a plain error
    const char* Mensagem;
  } casos[] = {
      {{{"pDataInicial", "01/02/2026"}, {"pDataFinal", "31/01/2026"}}, "",
       "A data inicial não pode ser maior que a data final."},
      {{{"pDataInicial", "31/02/2026"}}, "", "'31/02/2026' não é uma data válida."},
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
      EXPECT_EQ(std::string(e.what()).rfind(c.Mensagem, 0), 0u) << e.what();
    }
  }
  EXPECT_EQ(consultas, 0);
}

// A load that fails (a column the statement needs is gone) still clears the event and
// frees the company rows and the entity (the sanitizer run checks the second).
TEST_F(BalanceteDeCustos, AFailedLoadClearsTheBeforeSectionEvent) {
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
}

// The movement-type list as the form handles it.
TEST_F(BalanceteDeCustos, TheFormCaptionsAndRewritesTheMovementTypes) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  auto objeto = plugin->ClassDll()->Create(&report);
  TnFormParametros form(&report, objeto.get());
  TnpqParamItem* tipos = objeto->Params()->Param("pTipoMvtoEstoqueCL");
  form.Preencher("pTipoMvtoEstoqueCL", "1, -1");
  EXPECT_EQ(tipos->GetAsString(), "1, -1") << "nothing before DepoisConfigurar";
  objeto->DepoisConfigurar(&form);
  EXPECT_EQ(tipos->Rotulo, "Tipos de movimento (vazio: -1, 0 e 1)");
  form.Preencher("pCodigoEmpreend", "10");
  EXPECT_EQ(tipos->GetAsString(), "1, -1") << "another parameter leaves it";
  form.Preencher("pTipoMvtoEstoqueCL", "1, -1");
  EXPECT_EQ(tipos->GetAsString(), "-1,1");
  EXPECT_THROW_MSG(form.Preencher("pTipoMvtoEstoqueCL", "2"), EnParam,
                   "O tipo de movimento 2 não conta como custo; use -1, 0 e 1.");

  const TSaidaRpt describe = RodarRpt("describe RptCostTrialBalance");
  EXPECT_EQ(describe.Codigo, 0);
  EXPECT_NE(describe.Texto.find("pTipoMvtoEstoqueCL  (códigos e faixas, ex.: 1,3,5-9)  Tipos de movimento (vazio: -1, 0 e 1)"),
            std::string::npos)
      << describe.Texto;
}

TEST(BalanceteDeCustosClasse, VersionAndStripedSections) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  EXPECT_EQ(plugin->ClassDll()->Versao(), "[versao: 1.1.96.0]");
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  EXPECT_EQ(plugin->ClassDll()->Create(&report)->CriarListaSectionsParaZebrar(), (std::vector<int>{8, 9}));
}

}  // namespace
