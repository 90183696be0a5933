// The stock movement query object on a small database of company 1:
//   stock 1 "Almoxarifado Central": cement (10) with two purchases before November, an
//     exit on 01/11, an exit of 1,5 at 1,7850 on 20/11, a purchase on 30/11 and one on
//     01/12; sand (20) with an exit and a transfer received on the same day 10/11;
//     gravel (40) bought and returned in October, so it opens at zero;
//   stock 2 "Canteiro Norte": cement and sand with openings only (sand's nets to zero
//     quantity but 0,01 of value), paint (30, classification 2) with one movement of
//     every type in November, and a purchase of an input with no record (99);
//   and one movement of company 2, never listed.
#include "host/domain/movimentacao_estoque.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "tests/testkit/banco_teste.h"

namespace {

constexpr const char* kFixture =
    "insert into ESTOQUE values (1, 1, 'Almoxarifado Central', null);"
    "insert into ESTOQUE values (1, 2, 'Canteiro Norte', 1);"
    "insert into ESTOQUE values (2, 1, 'Depósito da outra empresa', null);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (10, 'Cimento', 'CP-II', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (20, 'Areia', 'média', 1);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (30, 'Tinta', 'acrílica', 2);"
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, DESCRCOMPLEMENTAR, CLASSIFINSUMO) values (40, 'Brita', 'nº 1', 1);"
    // company, stock, movement, date, type, input, quantity, unit cost, reference, document
    "insert into ESTOQUEMOVIMENTO (CODIGOESCRIT, CODIGOESTOQUE, CODIGOMVTOESTOQUE, DATAMVTOESTOQUE, TIPOMVTOESTOQUE, "
    "CODIGOINSUMO, QUANTIDADEMVTO, VALORCUSTOOPERACIONALUNIT, REFERENCIA, DOCUMENTO) values "
    "(1, 1, 1, '2026-10-15', 0, 10, 1.5, 1.785, 1, 'NF 1');"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 2, '2026-10-20', 0, 10, 10, 2, 2, 'NF 2', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 3, '2026-11-01', 1, 10, 2, 2, null, 'REQ 3', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 8, '2026-11-20', 1, 10, 1.5, 1.785, 8, 'REQ 8', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 4, '2026-11-30', 0, 10, 3, 2.1, 4, 'NF 4', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 5, '2026-12-01', 0, 10, 100, 2, 5, 'NF 5', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 6, '2026-11-10', 1, 20, 1, 3, 6, 'REQ 6', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 7, '2026-11-10', -2, 20, 4, 3, 7, 'TR 7', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 10, '2026-10-01', 0, 40, 2, 3, 10, 'NF 10', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 1, 11, '2026-10-02', 3, 40, 2, 3, 11, 'DV 11', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 12, '2026-09-01', -2, 10, 5, 2, 12, 'TR 12', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 13, '2026-09-01', 0, 20, 1, 1.005, 13, 'NF 13', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 14, '2026-09-02', 1, 20, 1, 1, 14, 'REQ 14', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 15, '2026-10-05', 0, 30, 4, 5, 15, 'NF 15', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 16, '2026-11-02', -3, 30, 1, 5, 16, 'INV 16', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 17, '2026-11-03', -2, 30, 1, 5, 17, 'TR 17', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 18, '2026-11-04', -1, 30, 1, 5, 18, 'DV 18', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 19, '2026-11-05', 0, 30, 1, 5, 19, 'NF 19', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 20, '2026-11-06', 1, 30, 1, 5, 20, 'REQ 20', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 21, '2026-11-07', 2, 30, 1, 5, 21, 'TR 21', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 22, '2026-11-08', 3, 30, 1, 5, 22, 'DV 22', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 23, '2026-11-09', 4, 30, 1, 5, 23, 'INV 23', null, null);"
    "insert into ESTOQUEMOVIMENTO values (1, 2, 24, '2026-11-15', 0, 99, 2, 1, 24, 'NF 24', null, null);"
    "insert into ESTOQUEMOVIMENTO values (2, 1, 1, '2026-11-05', 0, 10, 7, 1, 1, 'NF X', null, null);";

struct TConsulta {
  const char* Caso;
  const char* DataInicial;
  const char* DataFinal;
  const char* CodigoEstoque = "";
  const char* CodigoInsumo = "";
  const char* ClassifInsumo = "";
  const char* TipoMvtoEstoque = "";
};

std::string Numero(const char* mascara, double v) {
  char texto[32];
  std::snprintf(texto, sizeof texto, mascara, v);
  return texto;
}

// The list as lines: a stock, its inputs with their openings, their movements.
std::vector<std::string> Linhas(const TnMovimentacaoEstoqueLista& lista) {
  std::vector<std::string> linhas;
  for (const TnMovimentacaoEstoque& e : lista) {
    linhas.push_back(std::to_string(e.CodigoEstoque) + " " + e.DescrEstoque);
    for (const TnMovimentacaoInsumo& i : e.Insumos) {
      linhas.push_back("  " + std::to_string(i.CodigoInsumo) + " " + i.DescrInsumo + " " + i.DescrComplementar +
                       " | " + Numero("%.4f", i.QtdSaldoAnterior) + " | " + Numero("%.2f", i.ValorSaldoAnterior));
      for (const TnMovimento& m : i.Movimentos)
        linhas.push_back("    " + DateToStr(m.DataMovimento) + " " + std::to_string(m.Referencia) + " " + m.Documento +
                         " | " + std::to_string(static_cast<int>(m.TipoMvtoEstoque)) + " | " +
                         Numero("%.4f", m.ValorUnitario) + " | +" + Numero("%.4f", m.QtdEntrada) + " -" +
                         Numero("%.4f", m.QtdSaida));
    }
  }
  return linhas;
}

struct MovimentacaoEstoque : ::testing::Test {
  MovimentacaoEstoque() { banco.Script(kFixture); }

  static std::unique_ptr<TnMovimentacaoEstoqueLista> Gerar(const TConsulta& c) {
    TnMovimentacaoEstoqueConsulta consulta;
    consulta.CodigoEscrit = 1;
    consulta.DataInicial = StrToDate(c.DataInicial);
    consulta.DataFinal = StrToDate(c.DataFinal);
    consulta.CodigoEstoque = c.CodigoEstoque;
    consulta.CodigoInsumo = c.CodigoInsumo;
    consulta.ClassifInsumo = c.ClassifInsumo;
    consulta.TipoMvtoEstoque = c.TipoMvtoEstoque;
    return consulta.Gerar();
  }

  TBancoTeste banco{true};
};

const std::vector<std::string> kEstoque2Novembro = {
    "2 Canteiro Norte",
    "  10 Cimento CP-II | 5.0000 | 10.00",
    "  20 Areia média | 0.0000 | 0.01",
    "  30 Tinta acrílica | 4.0000 | 20.00",
    "    02/11/2026 16 INV 16 | -3 | 5.0000 | +1.0000 -0.0000",
    "    03/11/2026 17 TR 17 | -2 | 5.0000 | +1.0000 -0.0000",
    "    04/11/2026 18 DV 18 | -1 | 5.0000 | +1.0000 -0.0000",
    "    05/11/2026 19 NF 19 | 0 | 5.0000 | +1.0000 -0.0000",
    "    06/11/2026 20 REQ 20 | 1 | 5.0000 | +0.0000 -1.0000",
    "    07/11/2026 21 TR 21 | 2 | 5.0000 | +0.0000 -1.0000",
    "    08/11/2026 22 DV 22 | 3 | 5.0000 | +0.0000 -1.0000",
    "    09/11/2026 23 INV 23 | 4 | 5.0000 | +0.0000 -1.0000",
    "  99   | 0.0000 | 0.00",
    "    15/11/2026 24 NF 24 | 0 | 1.0000 | +2.0000 -0.0000",
};

std::vector<std::string> Juntar(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(MovimentacaoEstoque, ListsOpeningsAndMovementsOfThePeriodStockByStockAndInputByInput) {
  const struct {
    TConsulta Consulta;
    std::vector<std::string> Esperado;
  } casos[] = {
      // Both ends of the period count, 01/12 does not; types 0 or less are entries;
      // an opening of 0,01 value is listed, gravel's zero opening is not; on 10/11 the
      // transfer received comes before the earlier-coded exit; company 2 never shows.
      {{"novembro", "01/11/2026", "30/11/2026"},
       Juntar({"1 Almoxarifado Central",
               "  10 Cimento CP-II | 11.5000 | 22.68",
               "    01/11/2026 0 REQ 3 | 1 | 2.0000 | +0.0000 -2.0000",
               "    20/11/2026 8 REQ 8 | 1 | 1.7850 | +0.0000 -1.5000",
               "    30/11/2026 4 NF 4 | 0 | 2.1000 | +3.0000 -0.0000",
               "  20 Areia média | 0.0000 | 0.00",
               "    10/11/2026 7 TR 7 | -2 | 3.0000 | +4.0000 -0.0000",
               "    10/11/2026 6 REQ 6 | 1 | 3.0000 | +0.0000 -1.0000"},
              kEstoque2Novembro)},
      // 1,5 x 1,7850 = 2,6775 opens as 2,68, added to 20,00.
      {{"openings only", "16/10/2026", "16/10/2026"},
       {"1 Almoxarifado Central", "  10 Cimento CP-II | 1.5000 | 2.68", "2 Canteiro Norte",
        "  10 Cimento CP-II | 5.0000 | 10.00", "  20 Areia média | 0.0000 | 0.01", "  30 Tinta acrílica | 4.0000 | 20.00"}},
      {{"stock", "01/11/2026", "30/11/2026", "2"}, kEstoque2Novembro},
      {{"input", "01/11/2026", "30/11/2026", "", "20"},
       {"1 Almoxarifado Central", "  20 Areia média | 0.0000 | 0.00",
        "    10/11/2026 7 TR 7 | -2 | 3.0000 | +4.0000 -0.0000", "    10/11/2026 6 REQ 6 | 1 | 3.0000 | +0.0000 -1.0000",
        "2 Canteiro Norte", "  20 Areia média | 0.0000 | 0.01"}},
      {{"classification", "01/11/2026", "30/11/2026", "", "", "2"},
       {kEstoque2Novembro[0], kEstoque2Novembro[3], kEstoque2Novembro[4], kEstoque2Novembro[5], kEstoque2Novembro[6],
        kEstoque2Novembro[7], kEstoque2Novembro[8], kEstoque2Novembro[9], kEstoque2Novembro[10],
        kEstoque2Novembro[11]}},
      // Only issues count, before the period too: the site's sand opens at -1 / -1,00.
      {{"movement type", "01/11/2026", "30/11/2026", "", "", "", "1"},
       {"1 Almoxarifado Central", "  10 Cimento CP-II | 0.0000 | 0.00",
        "    01/11/2026 0 REQ 3 | 1 | 2.0000 | +0.0000 -2.0000", "    20/11/2026 8 REQ 8 | 1 | 1.7850 | +0.0000 -1.5000",
        "  20 Areia média | 0.0000 | 0.00", "    10/11/2026 6 REQ 6 | 1 | 3.0000 | +0.0000 -1.0000",
        "2 Canteiro Norte", "  20 Areia média | -1.0000 | -1.00", "  30 Tinta acrílica | 0.0000 | 0.00",
        "    06/11/2026 20 REQ 20 | 1 | 5.0000 | +0.0000 -1.0000"}},
      {{"reversed period", "30/11/2026", "01/11/2026"}, {}},
      {{"nothing before, nothing in", "01/01/2020", "31/01/2020"}, {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Consulta.Caso);
    EXPECT_EQ(Linhas(*Gerar(c.Consulta)), c.Esperado);
  }
}

// Split the year at any day: the closing of the days before, worked out as the report
// does (each movement's value rounded to the cent), is the opening of the days after.
TEST_F(MovimentacaoEstoque, OnePeriodsClosingIsTheNextPeriodsOpening) {
  using TSaldos = std::map<std::pair<int, int>, std::pair<double, double>>;
  for (const char* corte : {"01/10/2026", "16/10/2026", "01/11/2026", "11/11/2026", "21/11/2026", "01/12/2026"}) {
    SCOPED_TRACE(corte);
    const TDateTime dia = StrToDate(corte);
    TSaldos fechamento, abertura;
    const std::string vespera = DateToStr(dia - 1);
    const auto antes = Gerar({"antes", "01/01/2026", vespera.c_str()});
    const auto depois = Gerar({"depois", corte, "31/12/2026"});
    for (const TnMovimentacaoEstoque& e : *antes)
      for (const TnMovimentacaoInsumo& i : e.Insumos) {
        double qtd = i.QtdSaldoAnterior, valor = i.ValorSaldoAnterior;
        for (const TnMovimento& m : i.Movimentos) {
          qtd = RoundValor(qtd + m.QtdEntrada - m.QtdSaida, 4);
          valor = RoundValor(valor + RoundValor(m.QtdEntrada * m.ValorUnitario, 2) -
                                 RoundValor(m.QtdSaida * m.ValorUnitario, 2), 2);
        }
        if (qtd != 0 || valor != 0) fechamento[{e.CodigoEstoque, i.CodigoInsumo}] = {qtd, valor};
      }
    for (const TnMovimentacaoEstoque& e : *depois)
      for (const TnMovimentacaoInsumo& i : e.Insumos)
        if (i.QtdSaldoAnterior != 0 || i.ValorSaldoAnterior != 0)
          abertura[{e.CodigoEstoque, i.CodigoInsumo}] = {i.QtdSaldoAnterior, i.ValorSaldoAnterior};
    EXPECT_FALSE(abertura.empty());
    EXPECT_EQ(fechamento, abertura);
  }
}

TEST_F(MovimentacaoEstoque, ARefusedSelectionNeverReachesTheDatabase) {
  TConsulta c{"refused", "01/11/2026", "30/11/2026"};
  c.CodigoInsumo = "1) or (1=1";
  EXPECT_THROW(Gerar(c), EnSelecaoInvalida);
}

}  // namespace
