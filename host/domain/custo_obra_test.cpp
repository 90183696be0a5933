#include "host/domain/custo_obra.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "host/core/datas.h"
#include "host/data/filtros.h"
#include "tests/testkit/banco_teste.h"

namespace {

// Company 1. Works 1 (development 2) holds the cases; works 3 (development 1) has a
// zero budget and one allocation; works 2 nothing; company 9's works is someone else's.
// Inputs 10 Cimento and 20 Areia are of group 2 ("01 Materiais"), 30 Pedreiro and
// 40 Taxas of group 1 ("02 Mão de obra"); works 1's phases are 5 "01 Fundações" and
// 3 "02 Estrutura".
struct CustoObra : ::testing::Test {
  CustoObra() {
    banco.Script(
        "insert into INSUMOGRUPO (CODIGOINSUMOGRUPO, CLASSIFGRUPO, DESCRGRUPO) values (1, '02', 'Mão de obra');"
        "insert into INSUMOGRUPO (CODIGOINSUMOGRUPO, CLASSIFGRUPO, DESCRGRUPO) values (2, '01', 'Materiais');"
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (10, 'Cimento', 2);"
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (20, 'Areia', 2);"
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (30, 'Pedreiro', 1);"
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO) values (40, 'Taxas', 1);"
        "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE, TIPOEMPREENDIMENTO, FORMARATEIO) "
        "values (1, 2, 'Villa Toscana', 2, 2);"
        "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 1, 'Acácias');"
        "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, "
        "TOTALMQUADRADO, TOTALMQUADRADOUTIL) values (1, 2, 1, '1', 1500.5, 1200.25);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND, DATAPREVINICIO, DATAPREVFIM, "
        "DATAEXECINICIO) values (1, 1, 'Casas', 2, '2026-01-05', '2026-12-20', '2026-01-12');"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (1, 2, 'Sem custo', 1);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (1, 3, 'Lazer', 1);"
        "insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND) values (9, 1, 'Alheia', 2);"
        "insert into OBRAFASE (CODIGOESCRIT, CODIGOOBRA, CODIGOFASE, CLASSIFICACAO, DESCRICAO) values (1, 1, 5, '01', 'Fundações');"
        "insert into OBRAFASE (CODIGOESCRIT, CODIGOOBRA, CODIGOFASE, CLASSIFICACAO, DESCRICAO) values (1, 1, 3, '02', 'Estrutura');");
    // Two budgets of works 1: only the latest counts, and it no longer has input 20.
    Orcamento(1, "2026-01-01", {{10, "3", "500"}, {20, "5", "300"}, {30, "5", "400"}});
    Orcamento(1, "2026-03-01", {{10, "3", "1000"}, {30, "5", "1000"}, {40, "NULL", "200"}});
    Orcamento(3, "2026-02-01", {{10, "NULL", "0"}});
    Orcamento(1, "2026-02-01", {{10, "3", "777"}}, 9);
    Rateio(1, 10, 1, "3", "2026-02-10", "400");
    Rateio(1, 10, 2, "3", "2026-02-11", "999");   // transfer: no cost
    Rateio(1, 10, -1, "3", "2026-02-15", "100");  // returned from the site
    Rateio(1, 10, 1, "3", "2025-12-20", "5000");  // before the period
    Rateio(1, 20, 1, "5", "2026-04-01", "250");   // applied, no longer budgeted
    Rateio(1, 30, 0, "5", "2026-05-01", "1200");  // overrun
    Rateio(1, 40, 0, "99", "2026-06-01", "50");   // a phase the works lacks
    Rateio(3, 10, 1, "NULL", "2026-06-01", "100");
    Rateio(1, 10, 1, "3", "2026-06-01", "888", 9);
  }

  struct TLinhaOrc {
    int Insumo;
    std::string Fase, Valor;
  };
  void Orcamento(int obra, const std::string& data, const std::vector<TLinhaOrc>& linhas, int escrit = 1) {
    const std::string chave = std::to_string(escrit) + ", " + std::to_string(obra) + ", '" + data + "'";
    banco.Script("insert into OBRAORCAMENTO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO) values (" + chave + ");");
    int seq = 0;
    for (const auto& l : linhas)
      banco.Script("insert into OBRAORCAMENTOINSUMO (CODIGOESCRIT, CODIGOOBRA, DATAORCAMENTO, CODIGOORCAMENTOINSUMO, "
                   "CODIGOINSUMO, CODIGOFASE, VALORTOTAL) values (" + chave + ", " + std::to_string(++seq) + ", " +
                   std::to_string(l.Insumo) + ", " + l.Fase + ", " + l.Valor + ");");
  }
  void Rateio(int obra, int insumo, int tipo, const std::string& fase, const std::string& data,
              const std::string& valor, int escrit = 1) {
    banco.Script("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, "
                 "TIPOMVTOESTOQUE, CODIGOINSUMO, CODIGOOBRA, CODIGOFASE, VALORRATEIO) values (" +
                 std::to_string(escrit) + ", 2, 1, " + std::to_string(++FRateio) + ", '" + data + "', " +
                 std::to_string(tipo) + ", " + std::to_string(insumo) + ", " + std::to_string(obra) + ", " + fase +
                 ", " + valor + ");");
  }

  static TnIncCustoOcadoAplicado Gerar(TnTipoAgrupar agrupar, TnTipoAnaliseCusto analise,
                                       const std::string& fases = "", const std::string& empreend = "") {
    TnIncCustoOcadoAplicado e(1, agrupar, analise);
    e.CompetIni = EncodeDate(2026, 1, 1);
    e.CompetFim = EncodeDate(2026, 12, 31);
    e.CodigoFase = fases;
    e.CodigoEmpreend = empreend;
    e.GerarCustos();
    return e;
  }

  TBancoTeste banco{true};
  int FRateio = 0;
};

// "10 Cimento | 1000.00 45.45 | 300.00 30.00 | 700.00 70.00"
std::string Texto(int codigo, const std::string& descricao, double orc, double pOrc, double apl, double pApl,
                  double aplicar, double pAplicar) {
  char b[200];
  std::snprintf(b, sizeof b, "%d %s | %.2f %.2f | %.2f %.2f | %.2f %.2f", codigo, descricao.c_str(), orc, pOrc, apl,
                pApl, aplicar, pAplicar);
  return b;
}
std::vector<std::string> Linhas(const std::vector<TnItemCusto>& itens) {
  std::vector<std::string> t;
  for (const auto& i : itens)
    t.push_back(Texto(i.Codigo, i.Descricao, i.ValorOrcado, i.PercOrcado, i.ValorAplicado, i.PercAplicado,
                      i.ValorAplicar, i.PercAplicar));
  return t;
}
std::string Totais(const TnCustoObra& o) {
  return Texto(o.Obra.CodigoObra, o.Obra.DescrObra, o.ValorOrcado, o.PercOrcado, o.ValorAplicado, o.PercAplicado, 0,
               o.PercAplicar);
}

TEST_F(CustoObra, LinesAndTotalsPerGrouping) {
  struct TCaso {
    const char* Nome;
    TnTipoAgrupar Agrupar;
    TnTipoAnaliseCusto Analise;
    std::vector<std::string> Linhas;
    std::string Totais;
  };
  const std::vector<TCaso> casos = {
      {"por insumo", taInsumo, acInsumo,
       {"10 Cimento | 1000.00 45.45 | 300.00 30.00 | 700.00 70.00",
        "20 Areia | 0.00 0.00 | 250.00 0.00 | -250.00 0.00",
        "30 Pedreiro | 1000.00 45.45 | 1200.00 120.00 | -200.00 -20.00",
        "40 Taxas | 200.00 9.09 | 50.00 25.00 | 150.00 75.00"},
       "1 Casas | 2200.00 100.00 | 1800.00 81.82 | 0.00 38.64"},
      {"por grupo", taGrupoInsumo, acInsumo,
       {"2 01 Materiais | 1000.00 45.45 | 550.00 55.00 | 450.00 45.00",
        "1 02 Mão de obra | 1200.00 54.55 | 1250.00 104.17 | -50.00 -4.17"},
       "1 Casas | 2200.00 100.00 | 1800.00 81.82 | 0.00 20.45"},
      {"por fase", taInsumo, acFase,
       {"5 01 Fundações | 1000.00 45.45 | 1450.00 145.00 | -450.00 -45.00",
        "3 02 Estrutura | 1000.00 45.45 | 300.00 30.00 | 700.00 70.00",
        "0  | 200.00 9.09 | 50.00 25.00 | 150.00 75.00"},
       "1 Casas | 2200.00 100.00 | 1800.00 81.82 | 0.00 38.64"},
  };
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Nome);
    const TnIncCustoOcadoAplicado e = Gerar(c.Agrupar, c.Analise);
    ASSERT_EQ(e.CustosObra.size(), 2u);
    const TnCustoObra& obra = e.CustosObra[1];
    EXPECT_EQ(Linhas(c.Analise == acFase ? obra.ItensFase : obra.Itens), c.Linhas);
    EXPECT_EQ(Totais(obra), c.Totais);
  }
}

TEST_F(CustoObra, WorksInDevelopmentOrderWithTheirRecord) {
  const TnIncCustoOcadoAplicado e = Gerar(taInsumo, acInsumo);
  ASSERT_EQ(e.CustosObra.size(), 2u);  // works 2 has neither budget nor cost
  const TnObraCusto& lazer = e.CustosObra[0].Obra;
  EXPECT_EQ(lazer.CodigoObra, 3);
  EXPECT_EQ(lazer.NomeEmpre, "Acácias");
  EXPECT_EQ(lazer.AreaTotal, 0);
  EXPECT_EQ(lazer.PrevIniObra, 0);
  EXPECT_EQ(lazer.TipoEmpreendimento, teNenhum);
  const TnObraCusto& casas = e.CustosObra[1].Obra;
  EXPECT_EQ(casas.CodigoEmpreend, 2);
  EXPECT_EQ(casas.NomeEmpre, "Villa Toscana");
  EXPECT_EQ(casas.TipoEmpreendimento, teResidencialHorizontal);
  EXPECT_EQ(casas.FormaRateio, frAreaUtil);
  EXPECT_DOUBLE_EQ(casas.AreaTotal, 1500.5);
  EXPECT_DOUBLE_EQ(casas.AreaUtil, 1200.25);
  EXPECT_EQ(casas.PrevIniObra, EncodeDate(2026, 1, 5));
  EXPECT_EQ(casas.PrevFimObra, EncodeDate(2026, 12, 20));
  EXPECT_EQ(casas.ExecIniObra, EncodeDate(2026, 1, 12));
  EXPECT_EQ(casas.ExecFimObra, 0);

  EXPECT_EQ(Gerar(taInsumo, acInsumo, "", "2").CustosObra.size(), 1u);
}

// A works whose budget is zero: every percentage over it is 0, none divides by zero.
TEST_F(CustoObra, ZeroBudgetGivesZeroPercentages) {
  const TnCustoObra lazer = Gerar(taInsumo, acFase).CustosObra[0];
  EXPECT_EQ(Totais(lazer), "3 Lazer | 0.00 0.00 | 100.00 0.00 | 0.00 0.00");
  EXPECT_EQ(Linhas(lazer.ItensFase), (std::vector<std::string>{"0  | 0.00 0.00 | 100.00 0.00 | -100.00 0.00"}));
}

// A phase selection narrows both sides and drops the costs without phase; without a
// period every allocation of the cost types counts.
TEST_F(CustoObra, PhaseSelectionAndOpenPeriod) {
  const TnCustoObra obra = Gerar(taInsumo, acFase, "3,5").CustosObra.back();
  EXPECT_EQ(Linhas(obra.ItensFase),
            (std::vector<std::string>{"5 01 Fundações | 1000.00 50.00 | 1450.00 145.00 | -450.00 -45.00",
                                      "3 02 Estrutura | 1000.00 50.00 | 300.00 30.00 | 700.00 70.00"}));
  EXPECT_EQ(Gerar(taInsumo, acFase, "3").CustosObra.size(), 1u);  // works 3's cost has no phase

  TnIncCustoOcadoAplicado aberto(1, taInsumo, acInsumo);
  aberto.CompetFim = EncodeDate(2026, 2, 10);
  aberto.GerarCustos();
  EXPECT_EQ(Linhas(aberto.CustosObra.back().Itens).front(),
            "10 Cimento | 1000.00 45.45 | 5400.00 540.00 | -4400.00 -440.00");
}

TEST_F(CustoObra, RefusedSelectionRunsNoQuery) {
  TnIncCustoOcadoAplicado e(1, taInsumo, acInsumo);
  e.CodigoFase = "1) or (1=1";
  EXPECT_THROW(e.GerarCustos(), EnSelecaoInvalida);
  EXPECT_TRUE(e.CustosObra.empty());
}

TEST(DescricoesCustoObra, DevelopmentTypeAndAllocationMethod) {
  const std::vector<std::pair<int, std::string>> tipos = {
      {0, ""}, {1, "Residencial vertical"}, {2, "Residencial horizontal"}, {3, "Comercial"}, {4, "Loteamento"}, {5, ""}};
  for (const auto& [valor, texto] : tipos)
    EXPECT_EQ(DescricaoTipoEmpreendimento(static_cast<TTipoEmpreendimento>(valor)), texto) << valor;
  const std::vector<std::pair<int, std::string>> formas = {{0, ""}, {1, "Área total"}, {2, "Área útil"}, {3, ""}};
  for (const auto& [valor, texto] : formas)
    EXPECT_EQ(DescricaoFormaRateio(static_cast<TnFormaRateio>(valor)), texto) << valor;
}

}  // namespace
