// The payments report through the real host path on small fixtures in an embedded database.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "host/report/report.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

// Companies 1 and 2; suppliers 10 (Alfa), 20 (Beta), 30 (Beta, a namesake of 20).
struct Pagamentos : ::testing::Test {
  Pagamentos() {
    banco.Script(
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) VALUES (1, 'Construtora Um', '11.111.111/0001-11');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) VALUES (2, 'Construtora Dois', '22.222.222/0001-22');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (10, 'Alfa Materiais');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (20, 'Beta Ferragens');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (30, 'Beta Ferragens');"
        "INSERT INTO ESCRITORIO (CODIGOESCRIT) VALUES (1);"
        "INSERT INTO ESCRITORIO (CODIGOESCRIT) VALUES (2);");
  }

  // One invoice with one instalment and one payment; "NULL" leaves an amount empty.
  void Pagamento(int escrit, int fornecedor, const std::string& data, const std::string& pago,
                 const std::string& juros = "NULL", const std::string& multa = "NULL",
                 const std::string& desconto = "NULL") {
    const std::string nota = std::to_string(++FNota), e = std::to_string(escrit);
    banco.Script("INSERT INTO NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN) VALUES (" + e +
                 ", " + nota + ", 'NF-" + nota + "', " + std::to_string(fornecedor) + ");" +
                 "INSERT INTO NOTAENTRADAPARCELA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, "
                 "DATAVENCIMENTOPARC, VALORPARC) VALUES (" + e + ", " + nota + ", 1, '2026-01-05', 1000.00);" +
                 "INSERT INTO NOTAENTRADAPARCELABAIXA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, "
                 "CODIGONOTAENTPARCELABAIXA, DATABAIXA, VALORBAIXA, VALORJUROS, VALORMULTA, VALORDESCONTO) VALUES (" +
                 e + ", " + nota + ", 1, 1, '" + data + "', " + pago + ", " + juros + ", " + multa + ", " + desconto + ");");
  }

  static TnRastro Imprimir(const TParametros& extra) {
    return ImprimirComRastro(Juntar({{"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/01/2026"}}, extra)).Rastro;
  }

  // Sections past the page header and its column heading, with one value each, as "13:Alfa".
  static std::vector<std::string> Corpo(const TnRastro& r, const std::string& valorGrupo, const std::string& valorLinha) {
    std::vector<std::string> out;
    for (const auto& s : r.Secoes) {
      if (s.Secao == 1 || s.Secao == 8 || s.Secao == 10) continue;
      const bool grupo = s.Secao == 13 || s.Secao == 14;
      const bool linha = s.Secao == 9 || s.Secao == 11;
      out.push_back(std::to_string(s.Secao) + ":" + (grupo ? s.Valor(valorGrupo) : linha ? s.Valor(valorLinha) : s.Valor("R8")));
    }
    return out;
  }

  TBancoTeste banco{true};
  int FNota = 0;
};

// "1.234,56" -> 123456
long long Centavos(const std::string& texto) {
  long long v = 0;
  bool negativo = false;
  for (char c : texto) {
    if (c == '-') negativo = true;
    if (c >= '0' && c <= '9') v = v * 10 + (c - '0');
  }
  return negativo ? -v : v;
}

// A host whose form lets any text through: the report's own checks meet the values.
struct Direto : TImpressaoDireta {
  explicit Direto(const TParametros& valores) : TImpressaoDireta(RPT_PLUGIN_PATH, valores) {}
};

TEST_F(Pagamentos, BySupplierPrintsGroupsRowsAndTotals) {
  Pagamento(1, 20, "2026-01-10", "300.00");
  Pagamento(1, 10, "2026-01-20", "500.00", "10.00", "2.50", "7.25");
  Pagamento(1, 10, "2026-01-15", "200.00");
  Pagamento(1, 10, "2026-02-01", "999.00");  // outside the period
  const TnRastro r = Imprimir({{"pCodigoEscrit", "1"}, {"pOrdenar", "0"}});

  ASSERT_FALSE(r.Secoes.empty());
  EXPECT_EQ(r.Secoes[0].Secao, 1);
  EXPECT_EQ(r.Secoes[0].Valor("pTitulo"), "Pagamentos entre 01/01/2026 a 31/01/2026");
  EXPECT_EQ(r.Secoes[0].Valor("pNomeEmpresa"), "Construtora Um");
  EXPECT_EQ(r.Secoes[0].Valor("pInscrFederal"), "11.111.111/0001-11");
  EXPECT_EQ(r.NumerosSecoes(), (std::vector<int>{8, 13, 9, 9, 15, 13, 9, 15, 16}));
  EXPECT_EQ(Corpo(r, "pDescFornecedor", "R1"),
            (std::vector<std::string>{"13:Alfa Materiais", "9:15/01/2026", "9:20/01/2026", "15:705,25",
                                      "13:Beta Ferragens", "9:10/01/2026", "15:300,00", "16:1.005,25"}));

  const TnSecaoImpressa& grupo = r.Secoes[2];
  EXPECT_EQ(grupo.Valor("pCodigoFornecedorExibir"), "10");
  const TnSecaoImpressa& comJuros = r.Secoes[4];
  EXPECT_EQ(comJuros.Valor("R2"), "NF-2");
  EXPECT_EQ(comJuros.Valor("R3"), "05/01/2026");
  EXPECT_EQ(comJuros.Valor("R4"), "1.000,00");
  EXPECT_EQ(comJuros.Valor("R5"), "500,00");
  EXPECT_EQ(comJuros.Valor("R6"), "12,50");
  EXPECT_EQ(comJuros.Valor("R7"), "7,25");
  EXPECT_EQ(comJuros.Valor("R8"), "505,25");
  const TnSecaoImpressa& totalGrupo = r.Secoes[5];
  EXPECT_EQ(totalGrupo.Valor("R5"), "700,00");
  EXPECT_EQ(totalGrupo.Valor("R6"), "12,50");
  EXPECT_EQ(totalGrupo.Valor("R7"), "7,25");
}

TEST_F(Pagamentos, ByDateGroupsAcrossSuppliersAndAgainUnderTheNextCompany) {
  Pagamento(1, 10, "2026-01-10", "100.00");
  Pagamento(1, 20, "2026-01-10", "200.00");
  Pagamento(1, 10, "2026-01-12", "50.00");
  Pagamento(2, 20, "2026-01-12", "70.00");  // same date as company 1's last group
  const TnRastro r = Imprimir({{"pOrdenar", "1"}});

  // The heading follows the printing run's grouping, not the form object's.
  EXPECT_EQ(r.NumerosSecoes(), (std::vector<int>{10, 14, 11, 11, 15, 14, 11, 15, 14, 11, 15, 16}));
  EXPECT_EQ(Corpo(r, "pPagamento", "R1"),
            (std::vector<std::string>{"14:10/01/2026", "11:10 - Alfa Materiais", "11:20 - Beta Ferragens", "15:300,00",
                                      "14:12/01/2026", "11:10 - Alfa Materiais", "15:50,00",
                                      "14:12/01/2026", "11:20 - Beta Ferragens", "15:70,00", "16:420,00"}));
  // Several companies: the header names none.
  EXPECT_EQ(r.Secoes[0].Valor("pNomeEmpresa"), "");
}

TEST_F(Pagamentos, EachSupplierIsOneGroupPerCompany) {
  Pagamento(1, 10, "2026-01-10", "100.00");
  Pagamento(2, 10, "2026-01-11", "40.00");   // same supplier, next company
  Pagamento(2, 30, "2026-01-05", "1.00");    // namesakes 20 and 30 interleave by date
  Pagamento(2, 20, "2026-01-06", "2.00");
  Pagamento(2, 30, "2026-01-07", "4.00");
  const TnRastro r = Imprimir({{"pOrdenar", "0"}});
  std::vector<std::string> grupos;
  for (const auto& s : r.Secoes)
    if (s.Secao == 13) grupos.push_back(s.Valor("pCodigoFornecedorExibir"));
    else if (s.Secao == 15) grupos.push_back("=" + s.Valor("R8"));
  ASSERT_EQ(grupos.size(), 8u) << ::testing::PrintToString(grupos);
  EXPECT_EQ(grupos[0] + grupos[1] + grupos[2] + grupos[3], "10=100,0010=40,00");
  // The two namesakes form one group each, whichever comes first.
  EXPECT_TRUE(grupos[4] + grupos[5] + grupos[6] + grupos[7] == "20=2,0030=5,00" ||
              grupos[4] + grupos[5] + grupos[6] + grupos[7] == "30=5,0020=2,00")
      << ::testing::PrintToString(grupos);
}

TEST_F(Pagamentos, MissingInterestFineAndDiscountReadAsZero) {
  Pagamento(1, 10, "2026-01-10", "123.45");
  Pagamento(1, 10, "2026-01-11", "10.00", "NULL", "1.00", "NULL");
  const TnRastro r = Imprimir({});
  ASSERT_EQ(r.NumerosSecoes(), (std::vector<int>{8, 13, 9, 9, 15, 16}));
  const TnSecaoImpressa& semNada = r.Secoes[3];
  EXPECT_EQ(semNada.Valor("R6"), "0,00");
  EXPECT_EQ(semNada.Valor("R7"), "0,00");
  EXPECT_EQ(semNada.Valor("R8"), "123,45");
  EXPECT_EQ(r.Secoes[4].Valor("R6"), "1,00");
  EXPECT_EQ(r.Secoes[4].Valor("R8"), "11,00");
  EXPECT_EQ(r.Secoes.back().Valor("R8"), "134,45");
}

// Many rows over several pages: the heading follows every page header, and the totals are
// the sums of the printed rows.
TEST_F(Pagamentos, ManyPagesHeadingUnderEveryHeaderAndTotalsAddUp) {
  for (int i = 1; i <= 150; ++i) {
    const std::string juros = i % 4 == 0 ? "NULL" : std::to_string(i % 7) + ".33";
    Pagamento(1 + i % 2, 10 + 10 * (i % 3), "2026-01-" + std::string(i % 28 + 1 < 10 ? "0" : "") +
              std::to_string(i % 28 + 1), std::to_string(i * 13) + ".07", juros, "0.10", std::to_string(i % 5) + ".01");
  }
  for (const std::string ordenar : {"0", "1"}) {
    const TnRastro r = Imprimir({{"pOrdenar", ordenar}});
    const int cabecalho = ordenar == "0" ? 8 : 10, linha = ordenar == "0" ? 9 : 11;
    EXPECT_GT(r.Paginas, 2);
    std::array<long long, 4> linhas{}, grupos{}, grupo{};
    int paginas = 0;
    for (size_t i = 0; i < r.Secoes.size(); ++i) {
      const TnSecaoImpressa& s = r.Secoes[i];
      if (s.Secao == 1) {
        ++paginas;
        ASSERT_LT(i + 1, r.Secoes.size());
        EXPECT_EQ(r.Secoes[i + 1].Secao, cabecalho) << "página " << s.Pagina;
      }
      for (int k = 0; k < 4; ++k) {
        const long long v = Centavos(s.Valor("R" + std::to_string(k + 5)));
        if (s.Secao == linha) linhas[k] += v, grupo[k] += v;
        if (s.Secao == 15) {
          EXPECT_EQ(v, grupo[k]) << "grupo, R" << k + 5;
          grupos[k] += v;
        }
        if (s.Secao == 16) {
          EXPECT_EQ(v, linhas[k]) << "total, R" << k + 5;
        }
      }
      if (s.Secao == 15) grupo = {};
    }
    EXPECT_EQ(paginas, r.Paginas);
    EXPECT_EQ(grupos, linhas);
    EXPECT_EQ(r.Secoes.back().Secao, 16);
  }
}

TEST_F(Pagamentos, SelectionsOfCompaniesAndSuppliersFilterTheRows) {
  Pagamento(1, 10, "2026-01-10", "1.00");
  Pagamento(1, 20, "2026-01-10", "2.00");
  Pagamento(2, 30, "2026-01-10", "4.00");
  struct Caso {
    TParametros params;
    std::string total;
  } casos[] = {
      {{{"pCodigoEscrit", "2"}}, "4,00"},
      {{{"pCodigoEscrit", " 1 "}}, "3,00"},
      {{{"pCodigoFornecedor", "20-30"}}, "6,00"},
      {{{"pCodigoEscrit", "1"}, {"pCodigoFornecedor", "10,30"}}, "1,00"},
  };
  for (const auto& c : casos) {
    const TnRastro r = Imprimir(c.params);
    ASSERT_FALSE(r.Secoes.empty()) << ::testing::PrintToString(c.params);
    EXPECT_EQ(r.Secoes.back().Valor("R8"), c.total) << ::testing::PrintToString(c.params);
  }
}

TEST_F(Pagamentos, AnEmptyPeriodWritesTheTitleAndPrintsNothing) {
  Pagamento(1, 10, "2026-03-10", "1.00");
  EXPECT_EQ(Imprimir({}).Paginas, 0);
  Direto d({{"pDataInicial", "01/01/2026"}, {"pDataFinal", "31/01/2026"}, {"pOrdenar", "1"}});
  d.Imprimir();
  EXPECT_EQ(d.Valor("pTitulo"), "Pagamentos entre 01/01/2026 a 31/01/2026");
  EXPECT_EQ(d.Report().Finalizar(), 0);
}

// Wrong parameters are refused before any query: the database here has no tables at all.
TEST(PagamentosParametros, WrongValuesAreRefusedBeforeAnyQuery) {
  TBancoTeste vazio(false);
  struct Caso {
    TParametros params;
    std::string mensagem;
  } casos[] = {
      {{{"pDataInicial", "01/02/2026"}, {"pDataFinal", "31/01/2026"}, {"pOrdenar", "0"}},
       "A data inicial não pode ser maior que a data final."},
      // The grouping is read before the period is checked.
      {{{"pDataInicial", "01/02/2026"}, {"pDataFinal", "31/01/2026"}, {"pOrdenar", "um"}},
       "'um' não é um valor inteiro válido."},
      {{{"pDataInicial", "01/01/2026"}, {"pDataFinal", "não é data"}, {"pOrdenar", "0"}},
       "A data inicial não pode ser maior que a data final."},
  };
  for (const auto& c : casos) {
    Direto d(c.params);
    EXPECT_EQ(MensagemDe([&] { d.Imprimir(); }), c.mensagem) << ::testing::PrintToString(c.params);
    EXPECT_EQ(d.Valor("pTitulo"), "");
  }
}

TEST(PagamentosParametros, ASelectionOutsideTheNotationNeverReachesSql) {
  TBancoTeste vazio(false);
  for (const std::string param : {"pCodigoFornecedor", "pCodigoEscrit"}) {
    for (const std::string selecao : {"1) or (1=1", "1;drop table ESCRITORIO", "1'--"}) {
      try {
        ImprimirComRastro({{param, selecao}});
        ADD_FAILURE() << param << "=" << selecao << " foi aceito";
      } catch (const EnParam& e) {
        EXPECT_EQ(e.NomeParametro(), param);
        EXPECT_NE(std::string(e.what()).find(selecao), std::string::npos) << e.what();
      }
    }
  }
}

// The command-line host: a refused selection exits non-zero and leaves no PDF.
TEST(PagamentosCli, ARefusedSelectionWritesNoPdf) {
  const fs::path pasta = fs::temp_directory_path() / ("rpt-pagamentos-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  TnDMConexao::CriarBanco((pasta / "vazio.fdb").string());
  const fs::path pdf = pasta / "pagamentos.pdf";
  const TSaidaRpt saida = RodarRpt(std::string("run ") + RPT_PLUGIN_PATH + " --db " + (pasta / "vazio.fdb").string() +
                                    " --param 'pCodigoFornecedor=1) or (1=1' --out " + pdf.string());
  EXPECT_NE(saida.Codigo, 0) << saida.Texto;
  EXPECT_NE(saida.Texto.find("pCodigoFornecedor: "), std::string::npos) << saida.Texto;
  EXPECT_FALSE(fs::exists(pdf));
  fs::remove_all(pasta);
}

}  // namespace
