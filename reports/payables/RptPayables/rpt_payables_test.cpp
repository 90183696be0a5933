// The payables report through the real host path on small fixtures in an embedded database.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/report/execucao.h"
#include "host/report/plugin.h"
#include "host/report/report.h"
#include "tests/testkit/banco_teste.h"

namespace {

using TParametros = std::vector<std::pair<std::string, std::string>>;

// Companies 1 and 2; suppliers 10 (Alfa, business telephone), 20 (Beta, e-mail only)
// and 30 (Beta too, a namesake of 20, with a mobile).
struct ContasPagar : ::testing::Test {
  ContasPagar() {
    banco.Script(
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) VALUES (1, 'Construtora Um', '11.111.111/0001-11');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) VALUES (2, 'Construtora Dois', '22.222.222/0001-22');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (10, 'Alfa Materiais');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (20, 'Beta Ferragens');"
        "INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (30, 'Beta Ferragens');"
        "INSERT INTO PESSOACONTATO (CODIGOPESSOAFIN, CODIGOPESSOACONTATO, TIPOCONTATO, VALOR) VALUES (10, 1, 3, '(11) 3333-1010');"
        "INSERT INTO PESSOACONTATO (CODIGOPESSOAFIN, CODIGOPESSOACONTATO, TIPOCONTATO, VALOR) VALUES (20, 1, 8, 'beta@exemplo.com');"
        "INSERT INTO PESSOACONTATO (CODIGOPESSOAFIN, CODIGOPESSOACONTATO, TIPOCONTATO, VALOR) VALUES (30, 1, 1, '(11) 9999-3030');");
  }

  // One instalment of a new invoice numbered nota; returns the invoice code for Baixa.
  int Parcela(const std::string& nota, int fornecedor, const std::string& vencimento, const std::string& valor,
              const std::string& saldo, int situacao, int escrit = 1, int parcela = 1, int quantidade = 1) {
    const std::string codigo = std::to_string(++FNota), e = std::to_string(escrit);
    banco.Script("INSERT INTO NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, QUANTIDADEPARC) "
                 "VALUES (" + e + ", " + codigo + ", '" + nota + "', " + std::to_string(fornecedor) + ", " +
                 std::to_string(quantidade) + ");" +
                 "INSERT INTO NOTAENTRADAPARCELA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, DATAEMISSAOPARC, "
                 "DATAVENCIMENTOPARC, VALORPARC, SALDOPAGAR, SITUACAOPGTOPARC) VALUES (" + e + ", " + codigo + ", " +
                 std::to_string(parcela) + ", '2026-02-20', '" + vencimento + "', " + valor + ", " + saldo + ", " +
                 std::to_string(situacao) + ");");
    FEscrit[FNota] = escrit;
    FParcela[FNota] = parcela;
    return FNota;
  }

  void Baixa(int nota, const std::string& data, const std::string& valor) {
    const std::string e = std::to_string(FEscrit[nota]), n = std::to_string(nota);
    banco.Script("INSERT INTO NOTAENTRADAPARCELABAIXA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, "
                 "CODIGONOTAENTPARCELABAIXA, DATABAIXA, VALORBAIXA) VALUES (" + e + ", " + n + ", " +
                 std::to_string(FParcela[nota]) + ", " + std::to_string(++FBaixa) + ", '" + data + "', " + valor + ");");
  }

  static TnRastro Imprimir(const TParametros& extra) {
    TnPedidoImpressao p;
    p.Plugin = RPT_PLUGIN_PATH;
    p.Parametros = {{"pDataInicial", "01/03/2026"}, {"pDataFinal", "31/03/2026"}, {"pOrdenar", "0"}, {"pModelo", "1"}};
    p.Parametros.insert(p.Parametros.end(), extra.begin(), extra.end());
    p.ComRastro = true;
    return ImprimirRelatorio(p).Rastro;
  }

  // The printed rows as "invoice number -> amount".
  static std::map<std::string, std::string> Linhas(const TnRastro& r) {
    std::map<std::string, std::string> linhas;
    for (const auto& s : r.Secoes)
      if (s.Secao == 9) linhas[s.Valor("R1")] = s.Valor("R5");
      else if (s.Secao == 11) linhas[s.Valor("R3")] = s.Valor("R5");
    return linhas;
  }

  TBancoTeste banco{true};
  int FNota = 0, FBaixa = 0;
  std::map<int, int> FEscrit, FParcela;
};

// "1.234,56" -> 123456
long long Centavos(const std::string& texto) {
  long long v = 0;
  for (char c : texto)
    if (c >= '0' && c <= '9') v = v * 10 + (c - '0');
  return texto.find('-') != std::string::npos ? -v : v;
}

std::string MensagemDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(nada)";
}

// Each model over the situations of an instalment, with payments in the period and after it.
TEST_F(ContasPagar, EachModelListsItsInstalmentsWithItsAmount) {
  Parcela("ABERTA", 10, "2026-03-10", "100.00", "100.00", 1);
  const int parcial = Parcela("PARCIAL", 10, "2026-03-11", "100.00", "60.00", 2);
  Baixa(parcial, "2026-03-15", "25.00");
  Baixa(parcial, "2026-04-10", "15.00");
  const int quitadaDepois = Parcela("QUITADA-DEPOIS", 10, "2026-03-12", "100.00", "0.00", 3);
  Baixa(quitadaDepois, "2026-03-20", "30.00");
  Baixa(quitadaDepois, "2026-04-05", "70.00");
  const int quitadaNoPeriodo = Parcela("QUITADA-NO-PERIODO", 10, "2026-03-13", "100.00", "0.00", 3);
  Baixa(quitadaNoPeriodo, "2026-03-25", "100.00");

  const std::map<std::string, std::string> financeiro{{"ABERTA", "100,00"}, {"PARCIAL", "60,00"}};
  const std::map<std::string, std::string> contabil{
      {"ABERTA", "100,00"}, {"PARCIAL", "75,00"}, {"QUITADA-DEPOIS", "70,00"}};
  for (const std::string ordenar : {"0", "1"}) {
    EXPECT_EQ(Linhas(Imprimir({{"pOrdenar", ordenar}, {"pModelo", "1"}})), financeiro) << "pOrdenar " << ordenar;
    const TnRastro r = Imprimir({{"pOrdenar", ordenar}, {"pModelo", "0"}});
    EXPECT_EQ(Linhas(r), contabil) << "pOrdenar " << ordenar;
    EXPECT_EQ(r.Secoes.back().Valor("R5"), "245,00");
  }
}

TEST_F(ContasPagar, ThePeriodHoldsItsFirstAndLastDueDate) {
  Parcela("FEV-28", 10, "2026-02-28", "1.00", "1.00", 1);
  Parcela("MAR-01", 10, "2026-03-01", "2.00", "2.00", 1);
  Parcela("MAR-15", 10, "2026-03-15", "4.00", "4.00", 1);
  Parcela("MAR-31", 10, "2026-03-31", "8.00", "8.00", 1);
  Parcela("ABR-01", 10, "2026-04-01", "16.00", "16.00", 1);
  struct Caso {
    std::string inicio, fim;
    std::vector<std::string> notas;
  } casos[] = {
      {"15/03/2026", "15/03/2026", {"MAR-15"}},
      {"01/03/2026", "01/03/2026", {"MAR-01"}},
      {"01/03/2026", "31/03/2026", {"MAR-01", "MAR-15", "MAR-31"}},
      // A blank start is the earliest date.
      {"", "01/03/2026", {"FEV-28", "MAR-01"}},
  };
  for (const auto& c : casos) {
    std::vector<std::string> notas;
    for (const auto& [nota, valor] : Linhas(Imprimir({{"pDataInicial", c.inicio}, {"pDataFinal", c.fim}})))
      notas.push_back(nota);
    EXPECT_EQ(notas, c.notas) << c.inicio << " a " << c.fim;
  }
}

TEST_F(ContasPagar, BySupplierNamesakesFormTwoGroupsAndTheTelephoneFollowsTheName) {
  Parcela("NF-30A", 30, "2026-03-05", "10.00", "10.00", 1);
  Parcela("NF-20A", 20, "2026-03-06", "20.00", "20.00", 1);
  Parcela("NF-30B", 30, "2026-03-07", "40.00", "40.00", 1, 1, 2, 3);
  Parcela("NF-10A", 10, "2026-03-20", "1.50", "1.50", 1);
  const TnRastro r = Imprimir({{"pCodigoEscrit", "1"}});

  ASSERT_FALSE(r.Secoes.empty());
  EXPECT_EQ(r.Secoes[0].Valor("pTitulo"), "Contas a Pagar por Fornecedor entre 01/03/2026 e 31/03/2026 - Modelo Financeiro");
  EXPECT_EQ(r.NumerosSecoes(), (std::vector<int>{8, 13, 9, 15, 13, 9, 15, 13, 9, 9, 15, 16}));
  std::vector<std::string> grupos;
  for (const auto& s : r.Secoes)
    if (s.Secao == 13) grupos.push_back(s.Valor("pCodigoFornecedorExibir") + " " + s.Valor("pDescFornecedor"));
    else if (s.Secao == 15) grupos.push_back("= " + s.Valor("R5"));
  EXPECT_EQ(grupos, (std::vector<std::string>{"10 Alfa Materiais - Fone: (11) 3333-1010", "= 1,50",
                                              "20 Beta Ferragens", "= 20,00",
                                              "30 Beta Ferragens - Fone: (11) 9999-3030", "= 50,00"}));
  const TnSecaoImpressa& linha = r.Secoes[10];
  ASSERT_EQ(linha.Secao, 9);
  EXPECT_EQ(linha.Valor("R1"), "NF-30B");
  EXPECT_EQ(linha.Valor("R2"), "20/02/2026");
  EXPECT_EQ(linha.Valor("R3"), "07/03/2026");
  EXPECT_EQ(linha.Valor("R5"), "40,00");
  EXPECT_EQ(linha.Valor("R6"), "Parcela 2/3");
  EXPECT_EQ(r.Secoes.back().Valor("R5"), "71,50");
}

TEST_F(ContasPagar, ByDueDateOneGroupPerDate) {
  Parcela("NF-1", 20, "2026-03-06", "20.00", "20.00", 1);
  Parcela("NF-2", 10, "2026-03-06", "1.00", "1.00", 1, 1, 2, 3);
  Parcela("NF-3", 30, "2026-03-09", "4.00", "4.00", 1);
  const TnRastro r = Imprimir({{"pCodigoEscrit", "1"}, {"pOrdenar", "1"}, {"pModelo", "0"}});

  ASSERT_FALSE(r.Secoes.empty());
  EXPECT_EQ(r.Secoes[0].Valor("pTitulo"), "Contas a Pagar por Vencimento entre 01/03/2026 e 31/03/2026 - Modelo Contábil");
  EXPECT_EQ(r.NumerosSecoes(), (std::vector<int>{10, 14, 11, 11, 15, 14, 11, 15, 16}));
  std::vector<std::string> corpo;
  for (const auto& s : r.Secoes)
    if (s.Secao == 14) corpo.push_back(s.Valor("pVencimento"));
    else if (s.Secao == 11) corpo.push_back(s.Valor("R1") + "|" + s.Valor("R2") + "|" + s.Valor("R3") + "|" +
                                            s.Valor("R4") + "|" + s.Valor("R5") + "|" + s.Valor("R6"));
    else if (s.Secao == 15 || s.Secao == 16) corpo.push_back("= " + s.Valor("R5"));
  EXPECT_EQ(corpo, (std::vector<std::string>{
                       "06/03/2026", "10 - Alfa Materiais|(11) 3333-1010|NF-2|20/02/2026|1,00|Parcela 2/3",
                       "20 - Beta Ferragens||NF-1|20/02/2026|20,00|Parcela 1/1", "= 21,00",
                       "09/03/2026", "30 - Beta Ferragens|(11) 9999-3030|NF-3|20/02/2026|4,00|Parcela 1/1", "= 4,00",
                       "= 25,00"}));
}

// Over several pages: the heading follows every page header in the printing run's grouping
// (the form object was configured before pOrdenar was typed), and every total is the sum
// of the rows printed above it.
TEST_F(ContasPagar, ManyPagesHeadingUnderEveryHeaderAndTotalsAddUp) {
  for (int i = 1; i <= 140; ++i) {
    const std::string dia = (i % 28 + 1 < 10 ? "0" : "") + std::to_string(i % 28 + 1);
    Parcela("NF-" + std::to_string(i), 10 * (1 + i % 3), "2026-03-" + dia, "999.99",
            std::to_string(i * 7) + "." + std::to_string(10 + i % 90), 1 + i % 2, 1 + i % 2);
  }
  for (const std::string ordenar : {"0", "1"}) {
    const TnRastro r = Imprimir({{"pOrdenar", ordenar}});
    const int cabecalho = ordenar == "0" ? 8 : 10, linha = ordenar == "0" ? 9 : 11;
    EXPECT_GT(r.Paginas, 2);
    long long linhas = 0, grupo = 0, grupos = 0;
    int paginas = 0;
    for (size_t i = 0; i < r.Secoes.size(); ++i) {
      const TnSecaoImpressa& s = r.Secoes[i];
      if (s.Secao == 1) {
        ++paginas;
        ASSERT_LT(i + 1, r.Secoes.size());
        EXPECT_EQ(r.Secoes[i + 1].Secao, cabecalho) << "página " << s.Pagina;
      }
      const long long v = Centavos(s.Valor("R5"));
      if (s.Secao == linha) linhas += v, grupo += v;
      if (s.Secao == 15) {
        EXPECT_EQ(v, grupo) << "grupo antes da seção " << i;
        grupos += v;
        grupo = 0;
      }
      if (s.Secao == 16) {
        EXPECT_EQ(v, linhas);
      }
    }
    EXPECT_EQ(paginas, r.Paginas);
    EXPECT_EQ(grupos, linhas);
    EXPECT_EQ(r.Secoes.back().Secao, 16);
  }
}

// One company named: its header. Several: none, and a supplier's group spans them.
TEST_F(ContasPagar, CompanyHeaderOnlyForOneCompany) {
  Parcela("UM", 10, "2026-03-05", "1.00", "1.00", 1, 1);
  Parcela("DOIS", 10, "2026-03-06", "2.00", "2.00", 1, 2);
  struct Caso {
    std::string escrit, nome, inscricao;
    std::vector<int> secoes;
  } casos[] = {
      {"1", "Construtora Um", "11.111.111/0001-11", {8, 13, 9, 15, 16}},
      {"2", "Construtora Dois", "22.222.222/0001-22", {8, 13, 9, 15, 16}},
      {"1-2", "", "", {8, 13, 9, 9, 15, 16}},
      {"", "", "", {8, 13, 9, 9, 15, 16}},
  };
  for (const auto& c : casos) {
    const TnRastro r = Imprimir({{"pCodigoEscrit", c.escrit}});
    ASSERT_FALSE(r.Secoes.empty()) << c.escrit;
    EXPECT_EQ(r.Secoes[0].Valor("pNomeEmpresa"), c.nome) << c.escrit;
    EXPECT_EQ(r.Secoes[0].Valor("pInscrFederal"), c.inscricao) << c.escrit;
    EXPECT_EQ(r.NumerosSecoes(), c.secoes) << c.escrit;
  }
}

TEST_F(ContasPagar, SupplierSelectionFiltersAndAnEmptyResultPrintsNothing) {
  Parcela("A", 10, "2026-03-05", "1.00", "1.00", 1);
  Parcela("B", 20, "2026-03-05", "2.00", "2.00", 1);
  Parcela("C", 30, "2026-03-05", "4.00", "4.00", 1);
  EXPECT_EQ(Linhas(Imprimir({{"pCodigoFornecedor", "20-30"}})),
            (std::map<std::string, std::string>{{"B", "2,00"}, {"C", "4,00"}}));
  EXPECT_EQ(Linhas(Imprimir({{"pCodigoFornecedor", "10"}, {"pOrdenar", "1"}})),
            (std::map<std::string, std::string>{{"A", "1,00"}}));
  const TnRastro vazio = Imprimir({{"pCodigoFornecedor", "40"}});
  EXPECT_EQ(vazio.Paginas, 0);
  EXPECT_TRUE(vazio.Secoes.empty());
}

// A host whose form lets any text through: the report's own checks meet the values.
struct Direto {
  explicit Direto(const TParametros& valores)
      : plugin(TnPlugin::Carregar(RPT_PLUGIN_PATH)),
        report(std::make_unique<TnrwReport>(TnLayout::Carregar(plugin->ArquivoLayout()))) {
    for (const auto& [nome, valor] : valores) TnpqPowerQuery::GetParams(report.get())->Param(nome)->SetAsString(valor);
  }
  void Imprimir() { plugin->Imprimir(report.get()); }
  std::unique_ptr<TnPlugin> plugin;
  std::unique_ptr<TnrwReport> report;
};

// Wrong parameters are refused before any query: the database here has no tables at all.
TEST(ContasPagarParametros, WrongValuesAreRefusedBeforeAnyQuery) {
  TBancoTeste vazio(false);
  const TParametros certos{{"pDataInicial", "01/03/2026"}, {"pDataFinal", "31/03/2026"}, {"pOrdenar", "0"},
                           {"pModelo", "1"}};
  struct Caso {
    TParametros params;
    std::string parametro;  // empty: a plain error
    std::string mensagem;
  } casos[] = {
      {{{"pDataInicial", "01/04/2026"}}, "", "A data inicial não pode ser maior que a data final."},
      {{{"pDataFinal", "não é data"}}, "", "A data inicial não pode ser maior que a data final."},
      {{{"pOrdenar", "2"}}, "pOrdenar", "Ordenação inválida: use 0 (por fornecedor) ou 1 (por vencimento)."},
      {{{"pOrdenar", "-1"}}, "pOrdenar", "Ordenação inválida: use 0 (por fornecedor) ou 1 (por vencimento)."},
      {{{"pModelo", "2"}}, "pModelo", "Modelo inválido: use 0 (Contábil) ou 1 (Financeiro)."},
      {{{"pOrdenar", "um"}}, "", "'um' não é um valor inteiro válido."},
      {{{"pModelo", ""}}, "", "'' não é um valor inteiro válido."},
  };
  for (const auto& c : casos) {
    TParametros params = certos;
    params.insert(params.end(), c.params.begin(), c.params.end());
    Direto d(params);
    std::string parametro;
    std::string mensagem = MensagemDe([&] {
      try {
        d.Imprimir();
      } catch (const EnParam& e) {
        parametro = e.NomeParametro();
        throw;
      }
    });
    EXPECT_EQ(mensagem, c.mensagem) << ::testing::PrintToString(c.params);
    EXPECT_EQ(parametro, c.parametro) << ::testing::PrintToString(c.params);
    EXPECT_EQ(d.report->Finalizar(), 0);
  }
}

TEST(ContasPagarParametros, AnUnknownDatabaseKindIsRefusedBeforeAnyQuery) {
  TBancoTeste vazio(false);
  vazio.Conexao().DefinirTipoCon(3);
  Direto d({{"pDataInicial", "01/03/2026"}, {"pDataFinal", "31/03/2026"}, {"pOrdenar", "0"}, {"pModelo", "1"}});
  EXPECT_EQ(MensagemDe([&] { d.Imprimir(); }), "Tipo de banco de dados não suportado: 3.");
}

}  // namespace
