// The payables report through the real host path on small fixtures in an embedded database.
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/core/formato.h"
#include "host/report/params.h"
#include "telefone_fornecedor.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

constexpr int kOutraEmpresa = 2;
const TParametros kMarco = {{"pDataInicial", "01/03/2026"}, {"pDataFinal", "31/03/2026"},
                            {"pOrdenar", "0"},            {"pModelo", "1"}};

// The seed company and company 2; suppliers 10 (Alfa, business telephone), 20 (Beta,
// e-mail only) and 30 (Beta too, a namesake of 20, with a mobile).
struct ContasPagar : TesteRelatorio {
  ContasPagar() {
    Sql("INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) VALUES (:c, 'Construtora Dois', "
        "'22.222.222/0001-22')", {kOutraEmpresa});
    const struct {
      int codigo;
      const char* nome;
      int tipoContato;
      const char* contato;
    } fornecedores[] = {{10, "Alfa Materiais", 3, "(11) 3333-1010"},
                        {20, "Beta Ferragens", 8, "beta@exemplo.com"},
                        {30, "Beta Ferragens", 1, "(11) 9999-3030"}};
    for (const auto& f : fornecedores) {
      Sql("INSERT INTO PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) VALUES (:c, :n)", {f.codigo, f.nome});
      Sql("INSERT INTO PESSOACONTATO (CODIGOPESSOAFIN, CODIGOPESSOACONTATO, TIPOCONTATO, VALOR) VALUES (:c, 1, :t, :v)",
          {f.codigo, f.tipoContato, f.contato});
    }
  }

  struct TParcela {
    std::string Nota;
    int Fornecedor;
    std::string Vencimento;  // yyyy-mm-dd
    double Saldo;
    int Situacao;
    int Escrit = semente::kEmpresa;
    int Numero = 1, Quantidade = 1;
  };

  // One instalment of a new invoice, issued 20/02/2026; returns the invoice code for Baixa.
  int Parcela(const TParcela& p) {
    ++FNota;
    Sql("INSERT INTO NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, CODIGOPESSOAFIN, QUANTIDADEPARC) "
        "VALUES (:e, :n, :num, :f, :q)", {p.Escrit, FNota, p.Nota, p.Fornecedor, p.Quantidade});
    Sql("INSERT INTO NOTAENTRADAPARCELA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, DATAEMISSAOPARC, "
        "DATAVENCIMENTOPARC, VALORPARC, SALDOPAGAR, SITUACAOPGTOPARC) VALUES (:e, :n, :p, '2026-02-20', "
        "CAST(:v AS DATE), 100, :s, :sit)", {p.Escrit, FNota, p.Numero, p.Vencimento, p.Saldo, p.Situacao});
    FParcelas[FNota] = p;
    return FNota;
  }

  void Baixa(int nota, const std::string& data, double valor) {
    const TParcela& p = FParcelas.at(nota);
    Sql("INSERT INTO NOTAENTRADAPARCELABAIXA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, "
        "CODIGONOTAENTPARCELABAIXA, DATABAIXA, VALORBAIXA) VALUES (:e, :n, :p, :b, CAST(:d AS DATE), :v)",
        {p.Escrit, nota, p.Numero, ++FBaixa, data, valor});
  }

  static TnRastro Imprimir(const TParametros& extra) { return ImprimirComRastro(Juntar(kMarco, extra)).Rastro; }

  // The printed rows as "invoice number -> amount".
  static std::map<std::string, std::string> Linhas(const TnRastro& r) {
    std::map<std::string, std::string> linhas;
    for (const auto& s : Secoes(r, 9)) linhas[s.Valor("R1")] = s.Valor("R5");
    for (const auto& s : Secoes(r, 11)) linhas[s.Valor("R3")] = s.Valor("R5");
    return linhas;
  }

  int FNota = 0, FBaixa = 0;
  std::map<int, TParcela> FParcelas;
};

// Each model over the situations of an instalment, with payments in the period and after it.
TEST_F(ContasPagar, EachModelListsItsInstalmentsWithItsAmount) {
  Parcela({"ABERTA", 10, "2026-03-10", 100.00, 1});
  const int parcial = Parcela({"PARCIAL", 10, "2026-03-11", 60.00, 2});
  Baixa(parcial, "2026-03-15", 25.00);
  Baixa(parcial, "2026-04-10", 15.00);
  const int quitadaDepois = Parcela({"QUITADA-DEPOIS", 10, "2026-03-12", 0, 3});
  Baixa(quitadaDepois, "2026-03-20", 30.00);
  Baixa(quitadaDepois, "2026-04-05", 70.00);
  const int quitadaNoPeriodo = Parcela({"QUITADA-NO-PERIODO", 10, "2026-03-13", 0, 3});
  Baixa(quitadaNoPeriodo, "2026-03-25", 100.00);

  const std::map<std::string, std::string> financeiro{{"ABERTA", "100,00"}, {"PARCIAL", "60,00"}};
  const std::map<std::string, std::string> contabil{
      {"ABERTA", "100,00"}, {"PARCIAL", "75,00"}, {"QUITADA-DEPOIS", "70,00"}};
  for (const std::string ordenar : {"0", "1"}) {
    EXPECT_EQ(Linhas(Imprimir({{"pOrdenar", ordenar}, {"pModelo", "1"}})), financeiro) << "pOrdenar " << ordenar;
    const TnRastro r = Imprimir({{"pOrdenar", ordenar}, {"pModelo", "0"}});
    EXPECT_EQ(Linhas(r), contabil) << "pOrdenar " << ordenar;
    EXPECT_EQ(ValoresDe(r, 16, "R5"), std::vector<std::string>{"245,00"});
  }
}

TEST_F(ContasPagar, ThePeriodHoldsItsFirstAndLastDueDate) {
  Parcela({"FEV-28", 10, "2026-02-28", 1, 1});
  Parcela({"MAR-01", 10, "2026-03-01", 2, 1});
  Parcela({"MAR-15", 10, "2026-03-15", 4, 1});
  Parcela({"MAR-31", 10, "2026-03-31", 8, 1});
  Parcela({"ABR-01", 10, "2026-04-01", 16, 1});
  struct Caso {
    std::string inicio, fim;
    std::vector<std::string> notas;
  } casos[] = {
      {"15/03/2026", "15/03/2026", {"MAR-15"}},
      {"01/03/2026", "01/03/2026", {"MAR-01"}},
      {"01/03/2026", "31/03/2026", {"MAR-01", "MAR-15", "MAR-31"}},
  };
  for (const auto& c : casos) {
    std::vector<std::string> notas;
    for (const auto& [nota, valor] : Linhas(Imprimir({{"pDataInicial", c.inicio}, {"pDataFinal", c.fim}})))
      notas.push_back(nota);
    EXPECT_EQ(notas, c.notas) << c.inicio << " a " << c.fim;
  }
}

TEST_F(ContasPagar, BySupplierNamesakesFormTwoGroupsAndTheTelephoneFollowsTheName) {
  Parcela({"NF-30A", 30, "2026-03-05", 10, 1});
  Parcela({"NF-20A", 20, "2026-03-06", 20, 1});
  Parcela({"NF-30B", 30, "2026-03-07", 40, 1, semente::kEmpresa, 2, 3});
  Parcela({"NF-10A", 10, "2026-03-20", 1.5, 1});
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
  EXPECT_TRUE(MostraValores(Secoes(r, 9).back(), {{"R1", "NF-30B"}, {"R2", "20/02/2026"}, {"R3", "07/03/2026"},
                                                  {"R5", "40,00"}, {"R6", "Parcela 2/3"}}));
  EXPECT_EQ(ValoresDe(r, 16, "R5"), std::vector<std::string>{"71,50"});
}

TEST_F(ContasPagar, ByDueDateOneGroupPerDate) {
  Parcela({"NF-1", 20, "2026-03-06", 20, 1});
  Parcela({"NF-2", 10, "2026-03-06", 1, 1, semente::kEmpresa, 2, 3});
  Parcela({"NF-3", 30, "2026-03-09", 4, 1});
  const TnRastro r = Imprimir({{"pCodigoEscrit", "1"}, {"pOrdenar", "1"}, {"pModelo", "0"}});

  ASSERT_FALSE(r.Secoes.empty());
  EXPECT_EQ(r.Secoes[0].Valor("pTitulo"), "Contas a Pagar por Vencimento entre 01/03/2026 e 31/03/2026 - Modelo Contábil");
  EXPECT_EQ(r.NumerosSecoes(), (std::vector<int>{10, 14, 11, 11, 15, 14, 11, 15, 16}));
  EXPECT_EQ(ValoresDe(r, 14, "pVencimento"), (std::vector<std::string>{"06/03/2026", "09/03/2026"}));
  const std::vector<TnSecaoImpressa> linhas = Secoes(r, 11);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_TRUE(MostraValores(linhas[0], {{"R1", "10 - Alfa Materiais"}, {"R2", "(11) 3333-1010"}, {"R3", "NF-2"},
                                        {"R4", "20/02/2026"}, {"R5", "1,00"}, {"R6", "Parcela 2/3"}}));
  EXPECT_TRUE(MostraValores(linhas[1], {{"R1", "20 - Beta Ferragens"}, {"R2", ""}, {"R3", "NF-1"}, {"R5", "20,00"},
                                        {"R6", "Parcela 1/1"}}));
  EXPECT_TRUE(MostraValores(linhas[2], {{"R1", "30 - Beta Ferragens"}, {"R2", "(11) 9999-3030"}}));
  EXPECT_EQ(ValoresDe(r, 15, "R5"), (std::vector<std::string>{"21,00", "4,00"}));
  EXPECT_EQ(ValoresDe(r, 16, "R5"), std::vector<std::string>{"25,00"});
}

// Over several pages: the heading follows every page header in the printing run's grouping
// (the form object was configured before pOrdenar was typed), and every total is the sum
// of the rows printed above it.
TEST_F(ContasPagar, ManyPagesHeadingUnderEveryHeaderAndTotalsAddUp) {
  for (int i = 1; i <= 140; ++i) {
    const std::string dia = (i % 28 + 1 < 10 ? "0" : "") + std::to_string(i % 28 + 1);
    Parcela({"NF-" + std::to_string(i), 10 * (1 + i % 3), "2026-03-" + dia, i * 7 + (10 + i % 90) / 100.0,
             1 + i % 2, 1 + i % 2});
  }
  for (const std::string ordenar : {"0", "1"}) {
    const TnRastro r = Imprimir({{"pOrdenar", ordenar}});
    const int cabecalho = ordenar == "0" ? 8 : 10, linha = ordenar == "0" ? 9 : 11;
    EXPECT_GT(r.Paginas, 2);
    EXPECT_EQ(SecoesAposCabecalho(r), std::vector<int>(r.Paginas, cabecalho));
    long long linhas = 0, grupo = 0, grupos = 0;
    for (const TnSecaoImpressa& s : r.Secoes) {
      const long long v = Centavos(s.Valor("R5"));
      if (s.Secao == linha) linhas += v, grupo += v;
      if (s.Secao == 15) {
        EXPECT_EQ(v, grupo) << "grupo na página " << s.Pagina;
        grupos += v;
        grupo = 0;
      }
    }
    EXPECT_EQ(grupos, linhas);
    EXPECT_EQ(ValoresDe(r, 16, "R5"), std::vector<std::string>{FormatFloat("##,###,##0.00", linhas / 100.0)});
    EXPECT_EQ(r.Secoes.back().Secao, 16);
  }
}

// One company named: its header. Several: none, and a supplier's group spans them.
TEST_F(ContasPagar, CompanyHeaderOnlyForOneCompany) {
  Parcela({"UM", 10, "2026-03-05", 1, 1, semente::kEmpresa});
  Parcela({"DOIS", 10, "2026-03-06", 2, 1, kOutraEmpresa});
  struct Caso {
    std::string escrit, nome, inscricao;
    std::vector<int> secoes;
  } casos[] = {
      {"1", semente::kNomeEmpresa, semente::kInscricaoEmpresa, {8, 13, 9, 15, 16}},
      {"2", "Construtora Dois", "22.222.222/0001-22", {8, 13, 9, 15, 16}},
      {"1-2", "", "", {8, 13, 9, 9, 15, 16}},
      {"", "", "", {8, 13, 9, 9, 15, 16}},
  };
  for (const auto& c : casos) {
    const TnRastro r = Imprimir({{"pCodigoEscrit", c.escrit}});
    ASSERT_FALSE(r.Secoes.empty()) << c.escrit;
    EXPECT_TRUE(MostraValores(r.Secoes[0], {{"pNomeEmpresa", c.nome}, {"pInscrFederal", c.inscricao}})) << c.escrit;
    EXPECT_EQ(r.NumerosSecoes(), c.secoes) << c.escrit;
  }
}

TEST_F(ContasPagar, SupplierSelectionFiltersAndAnEmptyResultPrintsNothing) {
  Parcela({"A", 10, "2026-03-05", 1, 1});
  Parcela({"B", 20, "2026-03-05", 2, 1});
  Parcela({"C", 30, "2026-03-05", 4, 1});
  EXPECT_EQ(Linhas(Imprimir({{"pCodigoFornecedor", "20-30"}})),
            (std::map<std::string, std::string>{{"B", "2,00"}, {"C", "4,00"}}));
  EXPECT_EQ(Linhas(Imprimir({{"pCodigoFornecedor", " 10 "}, {"pOrdenar", "1"}})),
            (std::map<std::string, std::string>{{"A", "1,00"}}));
  const TnResultadoImpressao vazio = ImprimirComRastro(Juntar(kMarco, {{"pCodigoFornecedor", "40"}}));
  EXPECT_EQ(vazio.Paginas, 0);
  EXPECT_TRUE(vazio.Rastro.Secoes.empty());
}

// Kind 0 runs on Firebird; the other kinds are read as text through the connection's switch.
TEST_F(ContasPagar, TheTelephoneSubqueryIsWordedForTheDatabaseKind) {
  const std::string meio = " CO.VALOR   FROM PESSOACONTATO CO   WHERE CO.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN AND"
                           "   CO.VALOR IS NOT NULL AND   CO.TIPOCONTATO IN (1,2,3,5,0,4) ";
  struct Caso {
    int tipo;
    std::string sql;
  } casos[] = {
      {0, "SELECT FIRST 1" + meio},
      {1, "SELECT " + meio + "and ROWNUM <= 1"},
      {2, "SELECT TOP 1" + meio},
  };
  for (const auto& c : casos) {
    banco.Conexao().DefinirTipoCon(c.tipo);
    EXPECT_EQ(MontarSQLFone(), c.sql) << "tipo " << c.tipo;
  }
  banco.Conexao().DefinirTipoCon(0);
  Parcela({"NF-1", 10, "2026-03-05", 1, 1});
  const TnRastro r = Imprimir({});
  ASSERT_EQ(r.Consultas.size(), 1u);
  EXPECT_NE(r.Consultas[0].Sql.find(",( " + casos[0].sql + " ) AS FONE "), std::string::npos) << r.Consultas[0].Sql;
  EXPECT_EQ(r.Consultas[0].Linhas, 1);
}

// Wrong parameters are refused before any query: the database here has no tables at all.
TEST(ContasPagarParametros, WrongValuesAreRefusedBeforeAnyQuery) {
  TBancoTeste vazio(false);
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
      {{{"pModelo", "1,5"}}, "", "'1,5' não é um valor inteiro válido."},
  };
  for (const auto& c : casos) {
    TImpressaoDireta d(RPT_PLUGIN_PATH, Juntar(kMarco, c.params));
    std::string parametro;
    const std::string mensagem = MensagemDe([&] {
      try {
        d.Imprimir();
      } catch (const EnParam& e) {
        parametro = e.NomeParametro();
        throw;
      }
    });
    EXPECT_EQ(mensagem, c.mensagem) << ::testing::PrintToString(c.params);
    EXPECT_EQ(parametro, c.parametro) << ::testing::PrintToString(c.params);
    EXPECT_EQ(d.Valor("pTitulo"), "");
  }
  vazio.Conexao().DefinirTipoCon(3);
  TImpressaoDireta d(RPT_PLUGIN_PATH, kMarco);
  EXPECT_THROW_MSG(d.Imprimir(), Exception, "Tipo de banco de dados não suportado: 3.");
}

// The command-line host: a refused selection exits 2 naming the parameter and leaves no PDF.
TEST(ContasPagarCli, ARefusedSupplierSelectionWritesNoPdf) {
  namespace fs = std::filesystem;
  const fs::path pasta = fs::temp_directory_path() / ("rpt-contas-pagar-" + std::to_string(getpid()));
  fs::create_directories(pasta);
  const std::string banco = (pasta / "vazio.fdb").string(), pdf = (pasta / "contas.pdf").string();
  TnDMConexao::CriarBanco(banco);
  const TSaidaRpt s = RodarRpt("run " + std::string(RPT_PLUGIN_PATH) + " --db " + banco +
                               " --param 'pCodigoFornecedor=1) or (1=1' --out " + pdf);
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCodigoFornecedor: "), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(pdf));
  fs::remove_all(pasta);
}

}  // namespace
