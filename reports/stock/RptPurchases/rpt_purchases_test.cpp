// Purchases printed through the host from a small database:
//   10-11/2026: company 1 (Alfa) buys from suppliers 101 and 102 in October and from 101
//     in November; company 2 (Beta) buys from both in November only, so the last month
//     of one company is the first of the next;
//   01-03/2027, company 1: months netting +100, -100 (+50 and -150) and +30;
//   01/2028, company 1: 0,10 + 0,20 - 0,30, a grand total of exactly 0;
//   01/2029, company 1: one invoice per payment form and status of the text table.
// Invoices are inserted latest first, so their order on paper comes from the query.
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "host/data/conexao.h"
#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPessoas[] = {
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (2, 'Incorporadora Beta S.A.', '98.765.432/0001-10')",
    "insert into ESCRITORIO (CODIGOESCRIT) values (2)",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (101, 'Casa do Construtor Ltda', '11.111.111/0001-11')",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (102, 'Elétrica e Hidráulica Faísca Comércio de Materiais de Construção Ltda', '22.222.222/0001-22')",
    "insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (91, 'Fernanda Lúcia Prado', '987.654.321-00')",
};

// Company, code, number, supplier, issue date, entry date, total, payment form, status.
constexpr const char* kNotas[] = {
    "2, 2, '2002', 101, '2026-11-24', '2026-11-25', 20.00, 0, 1",
    "2, 1, '2001', 102, '2026-11-14', '2026-11-15', 200.00, 0, 1",
    "1, 3, '1003', 101, '2026-11-09', '2026-11-10', 30.00, 0, 2",
    "1, 2, '1002', 102, '2026-10-18', '2026-10-20', 50.00, 1, 0",
    "1, 1, '1001', 101, '2026-10-01', '2026-10-05', 100.00, 0, 1",
    "1, 14, '3004', 101, '2027-03-05', '2027-03-05', 30.00, 0, 1",
    "1, 13, '3003', 101, '2027-02-06', '2027-02-06', -150.00, 0, 1",
    "1, 12, '3002', 101, '2027-02-05', '2027-02-05', 50.00, 0, 1",
    "1, 11, '3001', 101, '2027-01-05', '2027-01-05', 100.00, 0, 1",
    "1, 23, '4003', 101, '2028-01-07', '2028-01-07', -0.30, 0, 1",
    "1, 22, '4002', 101, '2028-01-06', '2028-01-06', 0.20, 0, 1",
    "1, 21, '4001', 101, '2028-01-05', '2028-01-05', 0.10, 0, 1",
};

// The texts of the payment form and the status, one invoice each in 01/2029.
struct TTexto {
  int FormaPgto, Status;
  const char* Pagto;
  const char* Situacao;
};
constexpr TTexto kTextos[] = {
    {0, 0, "Prazo", "Pendente"},
    {1, 1, "Vista", "Finalizada"},
    {2, 2, "Vista", "Lançar Estoque"},
    {0, 3, "Prazo", "Finalizada"},
};

const char* const kSelecaoRecusada = "1) or (1=1";

void InserirNota(TnDMConexao& c, const std::string& valores) {
  c.Executar("insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, DATAEMISSAONOTA, "
             "DATAENTRADANOTA, VALORTOTALNOTA, FORMAPGTONOTA, STATUSNOTA) values (" + valores + ")");
}

struct Purchases : ::testing::Test {
  static void SetUpTestSuite() {
    banco = new TBancoTeste(true);
    semente::SemearEmpresa(*banco);
    TnDMConexao& c = banco->Conexao();
    for (const char* sql : kPessoas) c.Executar(sql);
    for (const char* valores : kNotas) InserirNota(c, valores);
    for (int i = 0; i < static_cast<int>(std::size(kTextos)); ++i) {
      const std::string dia = "'2029-01-1" + std::to_string(i) + "'";
      InserirNota(c, "1, " + std::to_string(31 + i) + ", '500" + std::to_string(i) + "', 101, " + dia + ", " + dia +
                         ", 10.00, " + std::to_string(kTextos[i].FormaPgto) + ", " +
                         std::to_string(kTextos[i].Status));
    }
  }
  static void TearDownTestSuite() {
    delete banco;
    banco = nullptr;
  }

  static TnRastro Imprimir(const TParametros& extras) { return ImprimirComRastro(Juntar(kPadrao, extras)).Rastro; }

  static inline const TParametros kPadrao = {{"pCodigoEscrit", ""},     {"pDataInicial", "01/10/2026"},
                                             {"pDataFinal", "30/11/2026"}, {"pCodigoPessoaFin", ""},
                                             {"pQuebra", "0"},          {"pOrdenar", "0"},
                                             {"pCodigoPessoaAssinatura", ""}};

  static TBancoTeste* banco;
};

TBancoTeste* Purchases::banco = nullptr;

// One printed section as the reader sees it: the company of a page, an invoice by its
// entry date and code, a total by its label and amount.
std::string Linha(const TnSecaoImpressa& s) {
  switch (s.Secao) {
    case 1: return "1 " + s.Valor("pRazaoSocialEscrit") + " | " + s.Valor("pInscrFederalEscrit");
    case 8: return "8 " + s.Valor("R1") + " " + s.Valor("R2");
    case 9: return "9 " + s.Valor("R1") + " " + s.Valor("R2");
    case 11: return "11 " + s.Valor("R1") + " | " + s.Valor("R2");
    default: return std::to_string(s.Secao);
  }
}

std::vector<std::string> Linhas(const TnRastro& rastro) {
  std::vector<std::string> linhas;
  for (const auto& s : rastro.Secoes) linhas.push_back(Linha(s));
  return linhas;
}

const char* const kAlfa = "1 Construtora Alfa Ltda | 12.345.678/0001-90";
const char* const kBeta = "1 Incorporadora Beta S.A. | 98.765.432/0001-10";

TEST_F(Purchases, BreakAndOrderingGiveTheirPagesSubtotalsAndTotals) {
  const struct {
    const char* quebra;
    const char* ordenar;
    std::vector<std::string> linhas;
  } casos[] = {
      {"0", "0", {kAlfa, "8 05/10/2026 1", "8 20/10/2026 2", "8 10/11/2026 3", "9 Total Escritório 180,00",
                  kBeta, "8 15/11/2026 1", "8 25/11/2026 2", "9 Total Escritório 220,00",
                  "10", "9 Total Geral 400,00"}},
      // November closes under company 1 before its total, and opens again under company 2.
      {"0", "1", {kAlfa, "8 05/10/2026 1", "8 20/10/2026 2", "9 Total Competência 150,00", "10",
                  "8 10/11/2026 3", "9 Total Competência 30,00", "10", "9 Total Escritório 180,00",
                  kBeta, "8 15/11/2026 1", "8 25/11/2026 2", "9 Total Competência 220,00", "10",
                  "9 Total Escritório 220,00", "10", "9 Total Geral 400,00"}},
      {"0", "2", {kAlfa, "8 05/10/2026 1", "8 10/11/2026 3", "9 Total Fornecedor 130,00", "10",
                  "8 20/10/2026 2", "9 Total Fornecedor 50,00", "10", "9 Total Escritório 180,00",
                  kBeta, "8 25/11/2026 2", "9 Total Fornecedor 20,00", "10",
                  "8 15/11/2026 1", "9 Total Fornecedor 200,00", "10", "9 Total Escritório 220,00",
                  "10", "9 Total Geral 400,00"}},
      // Without the break the companies mix, a key's invoices by entry date.
      {"1", "1", {"1  | ", "8 05/10/2026 1", "8 20/10/2026 2", "9 Total Competência 150,00", "10",
                  "8 10/11/2026 3", "8 15/11/2026 1", "8 25/11/2026 2", "9 Total Competência 250,00", "10",
                  "10", "9 Total Geral 400,00"}},
      {"1", "2", {"1  | ", "8 05/10/2026 1", "8 10/11/2026 3", "8 25/11/2026 2", "9 Total Fornecedor 150,00", "10",
                  "8 20/10/2026 2", "8 15/11/2026 1", "9 Total Fornecedor 250,00", "10",
                  "10", "9 Total Geral 400,00"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string("pQuebra ") + c.quebra + ", pOrdenar " + c.ordenar);
    const TnRastro rastro = Imprimir({{"pQuebra", c.quebra}, {"pOrdenar", c.ordenar}});
    EXPECT_EQ(Linhas(rastro), c.linhas);
    // One query on the period, whatever the grouping.
    ASSERT_EQ(rastro.Consultas.size(), 1u);
    EXPECT_EQ(rastro.Consultas[0].Linhas, 5);
  }
}

TEST_F(Purchases, InvoiceLineShowsEveryColumn) {
  const TnRastro rastro = Imprimir({{"pCodigoPessoaFin", "102"}, {"pCodigoEscrit", "1"}});
  const std::vector<TnSecaoImpressa> notas = Secoes(rastro, 8);
  ASSERT_EQ(notas.size(), 1u);
  EXPECT_TRUE(MostraValores(notas[0], {{"R1", "20/10/2026"},
                                       {"R8", "18/10/2026"},
                                       {"R2", "2"},
                                       {"R3", "1002"},
                                       {"R4", "102 Elétrica e Hidráulica Faísca Comércio de Materiais de Construção Ltda"},
                                       {"R5", "50,00"},
                                       {"R6", "Vista"},
                                       {"R7", "Pendente"}}));
}

TEST_F(Purchases, PaymentFormAndStatusTexts) {
  const TnRastro rastro = Imprimir({{"pDataInicial", "01/01/2029"}, {"pDataFinal", "31/01/2029"}});
  const std::vector<std::string> pagto = ValoresDe(rastro, 8, "R6");
  const std::vector<std::string> situacao = ValoresDe(rastro, 8, "R7");
  ASSERT_EQ(pagto.size(), std::size(kTextos));
  for (size_t i = 0; i < std::size(kTextos); ++i) {
    SCOPED_TRACE("FORMAPGTONOTA " + std::to_string(kTextos[i].FormaPgto) + ", STATUSNOTA " +
                 std::to_string(kTextos[i].Status));
    EXPECT_EQ(pagto[i], kTextos[i].Pagto);
    EXPECT_EQ(situacao[i], kTextos[i].Situacao);
  }
}

TEST_F(Purchases, SelectionsOfCompaniesAndSuppliersNarrowTheInvoices) {
  const struct {
    const char* escrit;
    const char* fornecedor;
    std::vector<std::string> notas;
  } casos[] = {
      {"2", "", {"8 15/11/2026 1", "8 25/11/2026 2"}},
      {"", "101", {"8 05/10/2026 1", "8 10/11/2026 3", "8 25/11/2026 2"}},
      {"1-2", "102", {"8 20/10/2026 2", "8 15/11/2026 1"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.escrit) + " / " + c.fornecedor);
    std::vector<std::string> notas;
    for (const auto& s : Secoes(Imprimir({{"pCodigoEscrit", c.escrit}, {"pCodigoPessoaFin", c.fornecedor}}), 8))
      notas.push_back(Linha(s));
    EXPECT_EQ(notas, c.notas);
  }
}

// A month netting to 0 while the grand total is back at 0 prints no subtotal and
// leaves nothing behind for the next month.
TEST_F(Purchases, SubtotalSkippedAtAZeroGrandTotalDoesNotRunOn) {
  EXPECT_EQ(Linhas(Imprimir({{"pDataInicial", "01/01/2027"}, {"pDataFinal", "31/03/2027"}, {"pOrdenar", "1"}})),
            (std::vector<std::string>{kAlfa, "8 05/01/2027 11", "9 Total Competência 100,00", "10",
                                      "8 05/02/2027 12", "8 06/02/2027 13", "8 05/03/2027 14",
                                      "9 Total Competência 30,00", "10", "9 Total Escritório 30,00", "10",
                                      "9 Total Geral 30,00"}));
}

// 0,10 + 0,20 - 0,30 is exactly 0 in cents: no totals, no signature, no lookup of the signer.
TEST_F(Purchases, GrandTotalOfZeroPrintsNoTotalsAndNoSignature) {
  const TnRastro rastro = Imprimir({{"pDataInicial", "01/01/2028"},
                                    {"pDataFinal", "31/01/2028"},
                                    {"pOrdenar", "1"},
                                    {"pCodigoPessoaAssinatura", "91"}});
  EXPECT_EQ(rastro.NumerosSecoes(), (std::vector<int>{8, 8, 8}));
  EXPECT_EQ(rastro.Consultas.size(), 1u);
}

TEST_F(Purchases, SignatureOnlyForAPersonCode) {
  const struct {
    const char* assinatura;
    std::vector<std::string> fim;  // the last two sections
  } casos[] = {
      {"", {"10", "9 Total Geral 400,00"}},
      {"abc", {"10", "9 Total Geral 400,00"}},
      {"91", {"9 Total Geral 400,00", "11 Fernanda Lúcia Prado | 987.654.321-00"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string("'") + c.assinatura + "'");
    const std::vector<std::string> linhas = Linhas(Imprimir({{"pCodigoPessoaAssinatura", c.assinatura}}));
    ASSERT_GE(linhas.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(linhas.end() - 2, linhas.end()), c.fim);
  }
}

TEST_F(Purchases, PeriodEdges) {
  const struct {
    const char* inicial;
    const char* final_;
    std::vector<int> secoes;
  } casos[] = {
      {"05/10/2026", "05/10/2026", {8, 9, 10, 9}},  // equal dates: the day's invoice
      {"01/12/2026", "31/12/2026", {}},             // no invoice: nothing at all
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.inicial) + " a " + c.final_);
    const TnRastro rastro =
        Imprimir({{"pDataInicial", c.inicial}, {"pDataFinal", c.final_}, {"pCodigoPessoaAssinatura", "91"}});
    std::vector<int> esperadas = c.secoes;
    if (!esperadas.empty()) esperadas.push_back(11);
    EXPECT_EQ(rastro.NumerosSecoes(), esperadas);
    EXPECT_EQ(rastro.Paginas, esperadas.empty() ? 0 : 1);
  }
}

// The host's form lets these through: the report's own checks meet them.
struct PurchasesDireto : TesteRelatorio {
  void SetUp() override {
    banco.Script("drop table NOTAENTRADA;");  // any query of the invoices would fail with a database error
  }
  // "parameter: message" of the EnParam the print raised; "(nada)" when it raised none.
  static std::string Recusa(const TParametros& extras) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, Juntar(Purchases::kPadrao, extras));
    try {
      direta.Imprimir();
    } catch (const EnParam& e) {
      return e.NomeParametro() + ": " + e.what();
    }
    return "(nada)";
  }
};

TEST_F(PurchasesDireto, ReversedPeriodIsRefusedOnTheFinalDateBeforeAnyQuery) {
  const TParametros casos[] = {
      {{"pDataInicial", "01/12/2026"}, {"pDataFinal", "30/11/2026"}},
      {{"pDataInicial", "01/12/2026"}, {"pDataFinal", ""}},  // a blank end date is day 0
  };
  for (const TParametros& periodo : casos) {
    SCOPED_TRACE(periodo[1].second);
    EXPECT_EQ(Recusa(periodo), "pDataFinal: Data Final não Pode ser Anterior a Data Inicial. Verifique!");
  }
}

TEST_F(PurchasesDireto, RefusedSelectionOrChoiceIsRefusedOnItsParameter) {
  const struct {
    const char* parametro;
    const char* valor;
    const char* mensagem;
  } casos[] = {
      {"pCodigoEscrit", kSelecaoRecusada, "Seleção '1) or (1=1' inválida"},
      {"pCodigoPessoaFin", kSelecaoRecusada, "Seleção '1) or (1=1' inválida"},
      {"pQuebra", "2", "Quebra inválida: use 0 (por escritório) ou 1 (sem quebra)."},
      {"pOrdenar", "3", "Ordenação inválida: use 0 (data de entrada), 1 (competência) ou 2 (fornecedor)."},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.parametro);
    const std::string recusa = Recusa({{c.parametro, c.valor}});
    EXPECT_EQ(recusa.rfind(std::string(c.parametro) + ": " + c.mensagem, 0), 0u) << recusa;
  }
}

// Through rpt: exit 2, the parameter named, no PDF left behind.
TEST(PurchasesRpt, RefusedSupplierSelectionExitsTwoNamingItAndWritesNoPdf) {
  const fs::path pasta = fs::temp_directory_path() / ("rpt-compras-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  TnDMConexao::CriarBanco((pasta / "vazio.fdb").string());
  const fs::path pdf = pasta / "compras.pdf";
  const TSaidaRpt s = RodarRpt("run RptPurchases --plugins " + fs::path(RPT_PLUGIN_PATH).parent_path().string() +
                               " --db " + (pasta / "vazio.fdb").string() + " --param pCodigoPessoaFin='" +
                               kSelecaoRecusada + "' --out " + pdf.string());
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCodigoPessoaFin: Seleção '1) or (1=1' inválida"), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(pdf));
  fs::remove_all(pasta);
}

}  // namespace
