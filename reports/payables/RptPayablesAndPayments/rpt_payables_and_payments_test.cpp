// Payables and payments printed through the host from small fixtures in a real
// embedded database: allocation over stocks, balances by report type, grouping.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/report/params.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

using TTextos = std::vector<std::string>;

constexpr int kEmpresa = 1;
constexpr int kFornecedorA = 10, kFornecedorB = 11;
constexpr int kEmpreendA = 1, kEmpreendB = 2;

class PayablesAndPayments : public ::testing::Test {
 protected:
  PayablesAndPayments() {
    Sql("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (1, 'Construtora Alfa', "
        "'12.345.678/0001-90')");
    Sql("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (10, 'Cimentos Brasil')");
    Sql("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (11, 'Aço Forte')");
    Sql("insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 1, 'Residencial Ipê')");
    Sql("insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 2, 'Edifício Jatobá')");
    Sql("insert into UNIDADEMEDIDA (CODIGOUNIDADEMEDIDA, ABREVIATURA) values (1, 'UN')");
  }

  void Sql(const std::string& sql) { banco.Conexao().Executar(sql); }

  void Nota(int nota, int fornecedor, double total, int parcelas = 1, const std::string& emissao = "'2026-02-20'") {
    Sql("insert into NOTAENTRADA (CODIGOESCRIT, CODIGONOTAENT, NUMERONOTA, ESPECIENOTA, CODIGOPESSOAFIN, "
        "DATAEMISSAONOTA, VALORTOTALNOTA, QUANTIDADEPARC) values (1, " + std::to_string(nota) + ", 'NF" +
        std::to_string(nota) + "', 'NFE', " + std::to_string(fornecedor) + ", " + emissao + ", " + Num(total) + ", " +
        std::to_string(parcelas) + ")");
  }

  // A stock of the invoice reached through a stock entry worth `valor`. Without a
  // unit of measure the item has no share row.
  void Estoque(int nota, int estoque, int empreend, double valor, bool comUnidade = true) {
    const std::string e = std::to_string(estoque), n = std::to_string(nota);
    const std::string item = std::to_string(estoque), mvto = std::to_string(nota * 1000 + estoque);
    Sql("update or insert into ESTOQUE (CODIGOESCRIT, CODIGOESTOQUE, DESCRESTOQUE, CODIGOEMPREEND) values (1, " + e +
        ", 'Almoxarifado " + e + "', " + std::to_string(empreend) + ") matching (CODIGOESCRIT, CODIGOESTOQUE)");
    Sql("insert into NOTAENTRADAITEM (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOUNIDADEMEDIDA) values (1, " +
        n + ", " + item + ", " + (comUnidade ? "1" : "null") + ")");
    Sql("insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, TIPOMVTOESTOQUE, QUANTIDADEMVTO, "
        "VALORCUSTOOPERACIONALUNIT) values (1, " + e + ", " + mvto + ", 0, 1, " + Num(valor) + ")");
    Sql("insert into NOTAENTRADAITEMMVTOESTOQUE (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTITEM, CODIGOESTOQUE, "
        "CODIGOMVTOESTOQUE) values (1, " + n + ", " + item + ", " + e + ", " + mvto + ")");
  }

  void Parcela(int nota, int parcela, const std::string& vencimento, double valor, double saldo) {
    Sql("insert into NOTAENTRADAPARCELA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, DATAVENCIMENTOPARC, "
        "VALORPARC, SALDOPAGAR) values (1, " + std::to_string(nota) + ", " + std::to_string(parcela) + ", '" +
        vencimento + "', " + Num(valor) + ", " + Num(saldo) + ")");
  }

  void Baixa(int nota, int parcela, int baixa, const std::string& data, double valor, double juros = 0,
             double desconto = 0) {
    Sql("insert into NOTAENTRADAPARCELABAIXA (CODIGOESCRIT, CODIGONOTAENT, CODIGONOTAENTPARCELA, "
        "CODIGONOTAENTPARCELABAIXA, DATABAIXA, VALORBAIXA, VALORJUROS, VALORMULTA, VALORDESCONTO) values (1, " +
        std::to_string(nota) + ", " + std::to_string(parcela) + ", " + std::to_string(baixa) + ", '" + data + "', " +
        Num(valor) + ", " + Num(juros) + ", 0, " + Num(desconto) + ")");
  }

  // Period March 2026, company 1, unless a parameter says otherwise.
  TnResultadoImpressao Imprimir(int tipo, int ordenar = 1, const TParametros& extra = {}) {
    return ImprimirComRastro(Juntar({{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pDataInicial", "01/03/2026"},
                                     {"pDataFinal", "31/03/2026"}, {"pTipoRelatorio", std::to_string(tipo)},
                                     {"pOrdenar", std::to_string(ordenar)}},
                                    extra));
  }

  // The texts of one report value in every printed section of that number.
  static TTextos Coluna(const TnResultadoImpressao& r, int secao, const std::string& valor) {
    return ValoresDe(r.Rastro, secao, valor);
  }

  static std::string Num(double v) { return std::to_string(v); }

  TBancoTeste banco{true};
};

constexpr int kContaPagar = 0, kPagamento = 1, kPagarPgto = 2;
constexpr int kOrdEmpreend = 0, kOrdFornecedor = 1, kOrdData = 2;

// ---- allocation over the invoice's stocks

struct TCasoRateio {
  const char* Nome;
  double TotalNota;
  std::vector<double> Estoques;  // value of each stock entry
  double Parcela;
  TTextos Esperado;              // printed rows, in stock order
  int SemUnidade = 0;            // stock (1-based) whose item has no share row; 0 = none
};

TEST_F(PayablesAndPayments, EachInstalmentIsSplitOverTheStocksWithItsRemainderOnTheLastRow) {
  const std::vector<TCasoRateio> casos = {
      {"tres estoques iguais", 300, {100, 100, 100}, 100, {"33,33", "33,33", "33,34"}},
      {"resto acima de 1,00 fica", 100, {30, 30}, 100, {"30,00", "30,00"}},
      {"participação acima de 100%", 100, {150}, 80, {"80,00"}},
      {"estoque sem participação", 100, {50, 50}, 100, {"50,00", "0,00"}, 2},
      {"nota com total zero", 0, {40, 60}, 100, {"0,00", "0,00"}},
  };
  int nota = 100;
  for (const auto& caso : casos) {
    ++nota;
    Nota(nota, kFornecedorA, caso.TotalNota);
    for (size_t i = 0; i < caso.Estoques.size(); ++i)
      Estoque(nota, nota * 10 + static_cast<int>(i) + 1, kEmpreendA, caso.Estoques[i],
              caso.SemUnidade != static_cast<int>(i) + 1);
    Parcela(nota, 1, "2026-03-10", caso.Parcela, caso.Parcela);
    const auto r = Imprimir(kContaPagar, kOrdFornecedor, {{"pCodigoPessoaFin", std::to_string(kFornecedorA)}});
    EXPECT_EQ(Coluna(r, 12, "R7"), caso.Esperado) << caso.Nome;
    Sql("delete from NOTAENTRADAPARCELA");  // the next case prints only its own invoice
  }
}

// ---- balances by report type

TEST_F(PayablesAndPayments, PayablesShowTheOpenBalanceOnlyWhenPartlyPaidInThePeriod) {
  Nota(1, kFornecedorA, 300, 4);
  Estoque(1, 1, kEmpreendA, 300);
  Parcela(1, 1, "2026-03-05", 100, 60);  // 40 paid in the period: 60 still owed
  Baixa(1, 1, 1, "2026-03-02", 40);
  Parcela(1, 2, "2026-03-15", 100, 70);  // 30 paid before the period: full value
  Baixa(1, 2, 1, "2026-02-10", 30);
  Parcela(1, 3, "2026-03-20", 100, 0);   // settled: not a payable
  Baixa(1, 3, 1, "2026-03-01", 100);
  Parcela(1, 4, "2026-03-25", 100, 50);  // paid before and in the period: listed once, open balance
  Baixa(1, 4, 1, "2026-02-10", 20);
  Baixa(1, 4, 2, "2026-03-03", 30);
  Nota(2, kFornecedorA, 5, 1, "null");   // no issue date: printed blank
  Estoque(2, 2, kEmpreendA, 5);
  Parcela(2, 1, "2026-03-30", 5, 5);

  const auto r = Imprimir(kContaPagar);
  EXPECT_EQ(r.Rastro.NumerosSecoes(), (std::vector<int>{11, 12, 12, 12, 12, 13, 14, 13}));
  EXPECT_EQ(Coluna(r, 12, "R6"), (TTextos{"1/4", "2/4", "4/4", "1/1"}));
  EXPECT_EQ(Coluna(r, 12, "R7"), (TTextos{"60,00", "100,00", "50,00", "5,00"}));
  EXPECT_EQ(Coluna(r, 12, "R4"), (TTextos{"20/02/2026", "20/02/2026", "20/02/2026", ""}));
  EXPECT_EQ(Coluna(r, 12, "R5"), (TTextos{"05/03/2026", "15/03/2026", "25/03/2026", "30/03/2026"}));
  // One total value only: R2 is never written by a payables total.
  EXPECT_EQ(Coluna(r, 13, "R1"), (TTextos{"215,00", "215,00"}));
  EXPECT_EQ(Coluna(r, 13, "pDescrTotal"), (TTextos{"Fornecedor", "Geral"}));

  const auto& cabecalho = r.Rastro.Secoes.front();
  EXPECT_EQ(cabecalho.Secao, 1);
  EXPECT_EQ(cabecalho.Valor("pDescrEscrit"), "1 - Construtora Alfa");
  EXPECT_EQ(cabecalho.Valor("pInscrFedEscrit"), "12.345.678/0001-90");
  EXPECT_EQ(cabecalho.Valor("pTituloRelat"), "Contas a Pagar");
}

TEST_F(PayablesAndPayments, PaymentsListEveryPaymentDateWithItsOwnSquaredAllocation) {
  Nota(1, kFornecedorA, 100);
  Estoque(1, 1, kEmpreendA, 100);
  Parcela(1, 1, "2026-03-05", 100, 0);  // paid on two dates in the period: two rows
  Baixa(1, 1, 1, "2026-03-04", 60, 2);
  Baixa(1, 1, 2, "2026-03-18", 40, 0, 1);
  Nota(2, kFornecedorA, 300);
  Estoque(2, 21, kEmpreendA, 100);
  Estoque(2, 22, kEmpreendA, 100);
  Estoque(2, 23, kEmpreendA, 100);
  Parcela(2, 1, "2026-03-06", 100, 0);  // 50 + 50 over three equal stocks
  Baixa(2, 1, 1, "2026-03-07", 50);
  Baixa(2, 1, 2, "2026-03-08", 50);
  Nota(3, kFornecedorA, 1);
  Estoque(3, 31, kEmpreendA, 1);
  Parcela(3, 1, "2026-03-09", 1, 0);    // two payments of 0,50 are not a remainder of each other
  Baixa(3, 1, 1, "2026-03-09", 0.5);
  Baixa(3, 1, 2, "2026-03-10", 0.5);

  const auto r = Imprimir(kPagamento, kOrdData);
  // The instalment is provisioned on its first payment date only.
  EXPECT_EQ(Coluna(r, 9, "R7"), (TTextos{"100,00", "33,33", "33,33", "33,34", "0,00", "0,00", "0,00", "1,00",
                                         "0,00", "0,00"}));
  EXPECT_EQ(Coluna(r, 10, "R1").back(), "201,00");
  EXPECT_EQ(Coluna(r, 9, "R5"), (TTextos{"04/03/26", "07/03/26", "07/03/26", "07/03/26", "08/03/26", "08/03/26",
                                         "08/03/26", "09/03/26", "10/03/26", "18/03/26"}));
  EXPECT_EQ(Coluna(r, 9, "R8"), (TTextos{"60,00", "16,67", "16,67", "16,66", "16,67", "16,67", "16,66", "0,50",
                                         "0,50", "40,00"}));
  EXPECT_EQ(Coluna(r, 9, "R10"), (TTextos{"2,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00",
                                          "0,00"}));
  // Paid amount + interest and fines - discount.
  EXPECT_EQ(Coluna(r, 9, "R11").front(), "62,00");
  EXPECT_EQ(Coluna(r, 9, "R11").back(), "39,00");
  EXPECT_EQ(Coluna(r, 10, "pDescrTotal").back(), "Geral");
  EXPECT_EQ(Coluna(r, 10, "R2").back(), "201,00");
  EXPECT_EQ(r.Rastro.Secoes.front().Valor("pTituloRelat"), "Pagamento");
  EXPECT_EQ(r.Rastro.Secoes.at(1).Secao, 8);
  EXPECT_EQ(r.Rastro.Secoes.at(1).Valor("pTitColuna"), "Total Pgto");
}

TEST_F(PayablesAndPayments, PayablesAndPaymentsShowOnlyPaymentsOfThePeriod) {
  Nota(1, kFornecedorA, 100, 3);
  Estoque(1, 1, kEmpreendA, 100);
  Parcela(1, 1, "2026-03-05", 100, 99.5);  // due in the period, paid 0,50 before it
  Baixa(1, 1, 1, "2026-02-25", 0.5);
  Parcela(1, 2, "2026-04-05", 100, 70);    // due after the period, paid 30 in it
  Baixa(1, 2, 1, "2026-03-12", 30);
  Parcela(1, 3, "2026-03-20", 50, 0);      // due and paid in two payments in the period
  Baixa(1, 3, 1, "2026-03-21", 20);
  Baixa(1, 3, 2, "2026-03-22", 30);

  const auto r = Imprimir(kPagarPgto, kOrdData);
  EXPECT_EQ(Coluna(r, 9, "R4"), (TTextos{"05/03/26", "20/03/26", "20/03/26", "05/04/26"}));
  EXPECT_EQ(Coluna(r, 9, "R5"), (TTextos{"", "21/03/26", "22/03/26", "12/03/26"}));
  EXPECT_EQ(Coluna(r, 9, "R7"), (TTextos{"100,00", "50,00", "0,00", "100,00"}));
  EXPECT_EQ(Coluna(r, 9, "R8"), (TTextos{"0,00", "20,00", "30,00", "30,00"}));
  // The balance to pay is written only for instalments due in the period; a
  // settled instalment adds nothing to it.
  EXPECT_EQ(Coluna(r, 9, "R11"), (TTextos{"100,00", "30,00", "-30,00", "0,00"}));
  EXPECT_EQ(Coluna(r, 10, "R1").back(), "250,00");
  EXPECT_EQ(Coluna(r, 10, "R5").back(), "100,00");
  EXPECT_EQ(r.Rastro.Secoes.front().Valor("pTituloRelat"), "Contas a Pagar e Pagamentos");
  EXPECT_EQ(r.Rastro.Secoes.at(1).Valor("pTitColuna"), "A Pagar");
}

// ---- ordering and groups

TEST_F(PayablesAndPayments, EachOrderingGroupsItsRowsUnderItsTitle) {
  Nota(1, kFornecedorB, 100);
  Estoque(1, 1, kEmpreendA, 100);
  Parcela(1, 1, "2026-03-20", 10, 0);
  Baixa(1, 1, 1, "2026-03-02", 10);
  Nota(2, kFornecedorA, 100);
  Estoque(2, 2, kEmpreendB, 100);
  Parcela(2, 1, "2026-03-10", 20, 0);
  Baixa(2, 1, 1, "2026-03-25", 20);
  Nota(3, kFornecedorA, 100);
  Estoque(3, 3, kEmpreendA, 100);
  Parcela(3, 1, "2026-03-10", 40, 0);
  Baixa(3, 1, 1, "2026-03-02", 40);

  struct TCaso {
    int Ordenar, Tipo;
    TTextos Grupos;      // the group column of each row, in print order
    const char* Valor;   // which report value holds it
    TTextos Totais;      // R1 of every totals section
    const char* Titulo;
  };
  const std::vector<TCaso> casos = {
      {kOrdEmpreend, kPagamento, {"1 - Residencial Ipê", "1 - Residencial Ipê", "2 - Edifício Jatobá"}, "R2",
       {"50,00", "20,00", "70,00"}, "Empreendimento"},
      {kOrdFornecedor, kPagamento, {"10 - Cimentos Brasil", "10 - Cimentos Brasil", "11 - Aço Forte"}, "R1",
       {"60,00", "10,00", "70,00"}, "Fornecedor"},
      {kOrdData, kPagamento, {"02/03/26", "02/03/26", "25/03/26"}, "R5", {"50,00", "20,00", "70,00"},
       "Vencimento/Pagamento"},
      {kOrdData, kPagarPgto, {"10/03/26", "10/03/26", "20/03/26"}, "R4", {"60,00", "10,00", "70,00"},
       "Vencimento/Pagamento"},
  };
  for (const auto& c : casos) {
    const auto r = Imprimir(c.Tipo, c.Ordenar);
    EXPECT_EQ(r.Rastro.NumerosSecoes(), (std::vector<int>{8, 9, 9, 10, 14, 9, 10, 14, 10}))
        << c.Ordenar << "/" << c.Tipo;
    EXPECT_EQ(Coluna(r, 9, c.Valor), c.Grupos) << c.Ordenar << "/" << c.Tipo;
    EXPECT_EQ(Coluna(r, 10, "R1"), c.Totais) << c.Ordenar << "/" << c.Tipo;
    EXPECT_EQ(Coluna(r, 10, "pDescrTotal"), (TTextos{c.Titulo, c.Titulo, "Geral"})) << c.Ordenar << "/" << c.Tipo;
  }
}

// ---- selections, errors, nothing to print

TEST_F(PayablesAndPayments, SelectionsKeepOnlyTheChosenSuppliersAndDevelopments) {
  Nota(1, kFornecedorA, 100);
  Estoque(1, 1, kEmpreendA, 100);
  Parcela(1, 1, "2026-03-10", 10, 10);
  Nota(2, kFornecedorB, 100);
  Estoque(2, 2, kEmpreendB, 100);
  Parcela(2, 1, "2026-03-11", 0.4, 0.4);  // outside the development selection: nothing to square
  Nota(3, kFornecedorB, 100);
  Estoque(3, 3, kEmpreendA, 100);
  Parcela(3, 1, "2026-03-12", 30, 30);

  EXPECT_EQ(Coluna(Imprimir(kContaPagar, kOrdFornecedor, {{"pCodigoPessoaFin", "11"}}), 12, "R7"),
            (TTextos{"0,40", "30,00"}));
  EXPECT_EQ(Coluna(Imprimir(kContaPagar, kOrdEmpreend, {{"pCodigoEmpreend", "1"}}), 12, "R7"),
            (TTextos{"10,00", "30,00"}));
  EXPECT_EQ(Coluna(Imprimir(kContaPagar, kOrdEmpreend), 12, "R7"), (TTextos{"10,00", "30,00", "0,40"}));
}

TEST_F(PayablesAndPayments, AReversedPeriodIsRefusedOnTheFinalDate) {
  try {
    Imprimir(kContaPagar, kOrdFornecedor, {{"pDataInicial", "01/04/2026"}});
    FAIL() << "esperava EnParam";
  } catch (const EnParam& e) {
    EXPECT_EQ(e.NomeParametro(), "pDataFinal");
    EXPECT_STREQ(e.what(), "Data Final não pode ser inferior a Data Inicial, verifique!");
  }
}

TEST_F(PayablesAndPayments, NothingDueOrPaidInThePeriodPrintsNothing) {
  Nota(1, kFornecedorA, 100);
  Estoque(1, 1, kEmpreendA, 100);
  Parcela(1, 1, "2026-05-10", 100, 100);
  for (int tipo : {kContaPagar, kPagamento, kPagarPgto}) {
    const auto r = Imprimir(tipo);
    EXPECT_EQ(r.Paginas, 0) << tipo;
    EXPECT_TRUE(r.Rastro.Secoes.empty()) << tipo;
  }
}

}  // namespace
