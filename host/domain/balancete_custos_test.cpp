// The cost trial balance against a small database:
//   company 1, development 1 "Residencial Teste": "1" above towers "1.1" (units 101, 102,
//     103) and "1.10" (unit 110), and a tower "1.2" without allocations below it;
//   company 1, development 2 "Casa Unica": "1" above the house "1.1";
//   company 2, development 1: one allocation, seen only when every company is asked for.
// The period is March 2026; inputs 100 (direct cost) and 200 (indirect cost).
#include "host/domain/balancete_custos.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/data/client_dataset.h"
#include "host/data/filtros.h"
#include "host/report/objeto.h"
#include "tests/testkit/banco_teste.h"

namespace {

constexpr const char* kEstrutura[] = {
    "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 1, 'Residencial Teste')",
    "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 2, 'Casa Unica')",
    "insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (2, 1, 'Outra Empresa')",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CLASSIFINSUMO) values (100, 'Cimento', 1)",
    "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CLASSIFINSUMO) values (200, 'Pedreiro', 2)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 1, '1', 'Residencial Teste', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 2, '1.1', 'Torre A', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 3, '1.1.01', 'Apto 101', 2, 101)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 4, '1.1.02', 'Apto 102', 2, 102)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 7, '1.1.03', 'Apto 103', 2, 103)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 5, '1.10', 'Torre J', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 6, '1.10.01', 'Apto 1001', 2, 110)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 1, 8, '1.2', 'Torre B', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 2, 1, '1', 'Casa Unica', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (1, 2, 2, '1.1', 'Casa 1', 2, 201)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (2, 1, 1, '1', 'Outra Empresa', 1, null)",
    "insert into EMPREENDIMENTOESTRUTURA (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CLASSIFESTRUTURA, DESCRESTRUTURA, TIPOESTRUTURA, CODIGOIMOVEL) values (2, 1, 2, '1.1', 'Sala 1', 2, 301)",
};

// Allocations: company, development, item, code, date, type, input, value.
constexpr const char* kRateios[] = {
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 3, 1, '2026-02-28', 1, 100, 10.10)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 3, 2, '2026-03-15', 0, 200, 20.05)",
    // Issued and returned: nets to zero, still listed.
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 4, 3, '2026-03-10', 1, 100, 30.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 4, 4, '2026-03-20', -1, 100, 30.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 6, 5, '2026-01-31', 0, 200, 1.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 6, 6, '2026-03-05', 1, 100, 0.07)",
    // After the period, and a transfer, which is no cost.
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 6, 7, '2026-04-01', 1, 100, 999.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 7, 8, '2026-03-05', 2, 100, 888.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 2, 2, 9, '2026-03-31', 1, 100, 5.00)",
    "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (2, 1, 2, 10, '2026-03-02', 1, 100, 3.00)",
};

const TDateTime kMarco = EncodeDate(2026, 3, 1);
const TDateTime kFimMarco = EncodeDate(2026, 3, 31);

std::string Valor(const TField* f) { return FormatFloat("0.00", f->AsFloat()); }

// One row as "company/development item type classification [input] | previous | movement | balance".
std::string Linha(const TMapBalancete& m, const TField* insumo = nullptr) {
  std::string s = m.CODIGOESCRIT->AsString() + "/" + m.CODIGOEMPREEND->AsString() + " " +
                  m.CODIGOESTRUTURA->AsString() + " " + m.TIPOESTRUTURA->AsString() + " " +
                  m.CLASSIFICACAO->AsString();
  if (insumo && !insumo->AsString().empty()) s += " [" + insumo->AsString() + "]";
  return s + " | " + Valor(m.SALDOANTERIOR) + " | " + Valor(m.MOVIMENTO) + " | " + Valor(m.SALDO);
}

std::vector<std::string> Linhas(TnClientDataSet* ds) {
  auto* m = Mapper<TMapBalancete>(ds);
  std::vector<std::string> linhas;
  for (ds->First(); !ds->Eof(); ds->Next()) linhas.push_back(Linha(*m));
  return linhas;
}

std::vector<std::string> LinhasDetInsumos(TnClientDataSet* ds) {
  auto* m = Mapper<TMapBalanceteDetInsumos>(ds);
  std::vector<std::string> linhas;
  for (ds->First(); !ds->Eof(); ds->Next()) linhas.push_back(Linha(*m, m->INSUMO));
  return linhas;
}

struct BalanceteCustos : ::testing::Test {
  BalanceteCustos() {
    for (const char* sql : kEstrutura) banco.Conexao().Executar(sql);
  }
  void ComRateios() {
    for (const char* sql : kRateios) banco.Conexao().Executar(sql);
  }
  // The entity set for company 1 and March 2026, changed by ajustar.
  std::vector<std::string> Carregar(const std::function<void(TnBalanceteCustos&)>& ajustar = {}) {
    TnBalanceteCustos b;
    b.CodigoEscrit = 1;
    b.DataInicial = kMarco;
    b.DataFinal = kFimMarco;
    if (ajustar) ajustar(b);
    b.CarregarBalancete();
    return Linhas(b.CdsBalancete());
  }
  TBancoTeste banco{true};
};

const std::vector<std::string> kMarcoEmpresa1 = {
    "1/1 1 S 1 - Residencial Teste | 11,10 | 20,12 | 31,22",
    "1/1 2 S 1.1 - Torre A | 10,10 | 20,05 | 30,15",
    "1/1 3 A 1.1.01 - Apto 101 | 10,10 | 20,05 | 30,15",
    "1/1 4 A 1.1.02 - Apto 102 | 0,00 | 0,00 | 0,00",
    "1/1 5 S 1.10 - Torre J | 1,00 | 0,07 | 1,07",
    "1/1 6 A 1.10.01 - Apto 1001 | 1,00 | 0,07 | 1,07",
    "1/2 1 S 1 - Casa Unica | 0,00 | 5,00 | 5,00",
    "1/2 2 A 1.1 - Casa 1 | 0,00 | 5,00 | 5,00",
};

// Summary items total the items below them by classification ("1.1" is not above
// "1.10.01"); an item without allocations (1.1.03 after its transfer, tower 1.2) is
// absent, one netting to zero (1.1.02) is present; sums are exact in cents.
TEST_F(BalanceteCustos, SummaryItemsTotalTheItemsBelowThemInTreeOrder) {
  ComRateios();
  EXPECT_EQ(Carregar(), kMarcoEmpresa1);

  int consultas = 0;
  banco.Conexao().DefinirObservador([&](const std::string&, int) { ++consultas; });
  TnBalanceteCustos b;
  b.CodigoEscrit = 1;
  b.DataInicial = kMarco;
  b.DataFinal = kFimMarco;
  b.CarregarBalancete();
  EXPECT_EQ(consultas, 1) << "one statement per load";
  auto* m = Mapper<TMapBalancete>(b.CdsBalancete());
  b.CdsBalancete()->First();
  EXPECT_EQ(m->MOVIMENTO->AsFloat(), 20.12);  // 20,05 + 30,00 - 30,00 + 0,07, no binary drift
  EXPECT_EQ(m->SALDO->AsFloat(), 31.22);
}

// One allocation of 100,00 on unit 101 per case; the period is 01/03 to 31/03, its end
// given at midnight and at the last instant of the day.
TEST_F(BalanceteCustos, DatesByCalendarDayAndCostRelevantTypes) {
  struct TCaso {
    TDateTime Data;
    int Tipo;
    std::vector<std::string> Esperado;  // the unit's row, or nothing
  } casos[] = {
      {EncodeDate(2026, 2, 28), 1, {"1/1 3 A 1.1.01 - Apto 101 | 100,00 | 0,00 | 100,00"}},
      {EncodeDate(2026, 3, 1), 1, {"1/1 3 A 1.1.01 - Apto 101 | 0,00 | 100,00 | 100,00"}},
      {EncodeDate(2026, 3, 31), 1, {"1/1 3 A 1.1.01 - Apto 101 | 0,00 | 100,00 | 100,00"}},
      {EncodeDate(2026, 4, 1), 1, {}},
      {EncodeDate(2026, 3, 10), -1, {"1/1 3 A 1.1.01 - Apto 101 | 0,00 | -100,00 | -100,00"}},
      {EncodeDate(2026, 3, 10), 0, {"1/1 3 A 1.1.01 - Apto 101 | 0,00 | 100,00 | 100,00"}},
      {EncodeDate(2026, 3, 10), 2, {}},
      {EncodeDate(2026, 3, 10), -2, {}},
  };
  for (const TCaso& c : casos) {
    banco.Conexao().Executar("delete from RATEIO");
    banco.Conexao().Executar(
        "insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, DATARATEIO, "
        "TIPOMVTOESTOQUE, CODIGOINSUMO, VALORRATEIO) values (1, 1, 3, 1, :pData, :pTipo, 100, 100)",
        {TValor::Data(c.Data), c.Tipo});
    for (const TDateTime fim : {kFimMarco, EndOfTheMonth(kFimMarco)}) {
      std::vector<std::string> linhas = Carregar([&](TnBalanceteCustos& b) { b.DataFinal = fim; });
      std::vector<std::string> unidade;
      for (const auto& l : linhas)
        if (l.find("Apto") != std::string::npos) unidade.push_back(l);
      EXPECT_EQ(unidade, c.Esperado) << DateToStr(c.Data) << " tipo " << c.Tipo << " fim " << DateTimeToStr(fim);
      EXPECT_EQ(linhas.size(), c.Esperado.empty() ? 0u : 3u) << DateToStr(c.Data) << ": the unit and the two items above it";
    }
  }
}

TEST_F(BalanceteCustos, FiltersSelectAllocationsAndKeepTheItemsAboveThem) {
  ComRateios();
  struct TCaso {
    const char* Nome;
    std::function<void(TnBalanceteCustos&)> Ajustar;
    std::vector<std::string> Esperado;
  } casos[] = {
      {"classificação do insumo 2", [](TnBalanceteCustos& b) { b.ClassifInsumo = "2"; },
       {"1/1 1 S 1 - Residencial Teste | 1,00 | 20,05 | 21,05", "1/1 2 S 1.1 - Torre A | 0,00 | 20,05 | 20,05",
        "1/1 3 A 1.1.01 - Apto 101 | 0,00 | 20,05 | 20,05", "1/1 5 S 1.10 - Torre J | 1,00 | 0,00 | 1,00",
        "1/1 6 A 1.10.01 - Apto 1001 | 1,00 | 0,00 | 1,00"}},
      {"unidade 110", [](TnBalanceteCustos& b) { b.CodigoImovel = "110"; },
       {"1/1 1 S 1 - Residencial Teste | 1,00 | 0,07 | 1,07", "1/1 5 S 1.10 - Torre J | 1,00 | 0,07 | 1,07",
        "1/1 6 A 1.10.01 - Apto 1001 | 1,00 | 0,07 | 1,07"}},
      {"empreendimento 2", [](TnBalanceteCustos& b) { b.CodigoEmpreend = "2"; },
       {"1/2 1 S 1 - Casa Unica | 0,00 | 5,00 | 5,00", "1/2 2 A 1.1 - Casa 1 | 0,00 | 5,00 | 5,00"}},
      {"tipo -1", [](TnBalanceteCustos& b) { b.TipoMvtoEstoque = "-1"; },
       {"1/1 1 S 1 - Residencial Teste | 0,00 | -30,00 | -30,00", "1/1 2 S 1.1 - Torre A | 0,00 | -30,00 | -30,00",
        "1/1 4 A 1.1.02 - Apto 102 | 0,00 | -30,00 | -30,00"}},
      // A type outside the cost-relevant ones never counts, even when asked for.
      {"tipo 2", [](TnBalanceteCustos& b) { b.TipoMvtoEstoque = "2"; }, {}},
      {"todas as empresas", [](TnBalanceteCustos& b) { b.CodigoEscrit = 0; b.CodigoEmpreend = "1"; },
       {kMarcoEmpresa1[0], kMarcoEmpresa1[1], kMarcoEmpresa1[2], kMarcoEmpresa1[3], kMarcoEmpresa1[4],
        kMarcoEmpresa1[5], "2/1 1 S 1 - Outra Empresa | 0,00 | 3,00 | 3,00", "2/1 2 A 1.1 - Sala 1 | 0,00 | 3,00 | 3,00"}},
  };
  for (const TCaso& c : casos) EXPECT_EQ(Carregar(c.Ajustar), c.Esperado) << c.Nome;
}

TEST_F(BalanceteCustos, NothingAllocatedGivesAnEmptyBalance) {
  EXPECT_TRUE(Carregar().empty());
}

// A refused load keeps the rows of the last one.
TEST_F(BalanceteCustos, RefusesAReversedPeriodAndABadSelection) {
  ComRateios();
  TnBalanceteCustos b;
  b.CodigoEscrit = 1;
  b.DataInicial = kMarco;
  b.DataFinal = kFimMarco;
  b.CarregarBalancete();
  b.DataFinal = kMarco - 1;
  EXPECT_THROW(b.CarregarBalancete(), Exception);
  b.DataFinal = kMarco + 0.5;
  b.ClassifInsumo = "1) or (1=1";
  EXPECT_THROW(b.CarregarBalancete(), EnSelecaoInvalida);
  EXPECT_EQ(Linhas(b.CdsBalancete()), kMarcoEmpresa1);
  b.ClassifInsumo.clear();
  b.CarregarBalancete();  // a period of one day, its end at noon: only the earlier balances
  EXPECT_EQ(Linhas(b.CdsBalancete()), (std::vector<std::string>{
      "1/1 1 S 1 - Residencial Teste | 11,10 | 0,00 | 11,10", "1/1 2 S 1.1 - Torre A | 10,10 | 0,00 | 10,10",
      "1/1 3 A 1.1.01 - Apto 101 | 10,10 | 0,00 | 10,10", "1/1 5 S 1.10 - Torre J | 1,00 | 0,00 | 1,00",
      "1/1 6 A 1.10.01 - Apto 1001 | 1,00 | 0,00 | 1,00"}));
}

// Each item's row, then its inputs: under every posting item (analytic), or under the
// summary items totalled over the items below (summary).
TEST_F(BalanceteCustos, InputsUnderPostingItemsOrUnderSummaryItems) {
  ComRateios();
  struct TCaso {
    const char* Modelo;
    std::vector<std::string> Esperado;
  } casos[] = {
      {"1",
       {"1/1 1 S 1 - Residencial Teste | 11,10 | 20,12 | 31,22",
        "1/1 2 S 1.1 - Torre A | 10,10 | 20,05 | 30,15",
        "1/1 3 A 1.1.01 - Apto 101 | 10,10 | 20,05 | 30,15",
        "1/1 3 I 1.1.01 - Apto 101 [0100 - Cimento] | 10,10 | 0,00 | 10,10",
        "1/1 3 I 1.1.01 - Apto 101 [0200 - Pedreiro] | 0,00 | 20,05 | 20,05",
        "1/1 4 A 1.1.02 - Apto 102 | 0,00 | 0,00 | 0,00",
        "1/1 4 I 1.1.02 - Apto 102 [0100 - Cimento] | 0,00 | 0,00 | 0,00",
        "1/1 5 S 1.10 - Torre J | 1,00 | 0,07 | 1,07",
        "1/1 6 A 1.10.01 - Apto 1001 | 1,00 | 0,07 | 1,07",
        "1/1 6 I 1.10.01 - Apto 1001 [0100 - Cimento] | 0,00 | 0,07 | 0,07",
        "1/1 6 I 1.10.01 - Apto 1001 [0200 - Pedreiro] | 1,00 | 0,00 | 1,00"}},
      {"0",
       {"1/1 1 S 1 - Residencial Teste | 11,10 | 20,12 | 31,22",
        "1/1 1 I 1 - Residencial Teste [0100 - Cimento] | 10,10 | 0,07 | 10,17",
        "1/1 1 I 1 - Residencial Teste [0200 - Pedreiro] | 1,00 | 20,05 | 21,05",
        "1/1 2 S 1.1 - Torre A | 10,10 | 20,05 | 30,15",
        "1/1 2 I 1.1 - Torre A [0100 - Cimento] | 10,10 | 0,00 | 10,10",
        "1/1 2 I 1.1 - Torre A [0200 - Pedreiro] | 0,00 | 20,05 | 20,05",
        "1/1 3 A 1.1.01 - Apto 101 | 10,10 | 20,05 | 30,15",
        "1/1 4 A 1.1.02 - Apto 102 | 0,00 | 0,00 | 0,00",
        "1/1 5 S 1.10 - Torre J | 1,00 | 0,07 | 1,07",
        "1/1 5 I 1.10 - Torre J [0100 - Cimento] | 0,00 | 0,07 | 0,07",
        "1/1 5 I 1.10 - Torre J [0200 - Pedreiro] | 1,00 | 0,00 | 1,00",
        "1/1 6 A 1.10.01 - Apto 1001 | 1,00 | 0,07 | 1,07"}},
  };
  for (const TCaso& c : casos) {
    TnBalanceteCustos b;
    b.CodigoEscrit = 1;
    b.CodigoEmpreend = "1";
    b.DataInicial = kMarco;
    b.DataFinal = kFimMarco;
    b.Modelo = c.Modelo;
    b.CarregarBalanceteDetInsumos();
    EXPECT_EQ(LinhasDetInsumos(b.CdsBalanceteDetInsumos()), c.Esperado) << "Modelo " << c.Modelo;
    EXPECT_TRUE(b.CdsBalancete()->IsEmpty());  // the other load's dataset is untouched
  }
}

// A movement-only load: an item whose allocations all precede the period is absent (April:
// only the 999,00 of 01/04 on unit 1001); where present, MOVIMENTO is the full load's.
TEST_F(BalanceteCustos, AMovementOnlyLoadReadsThePeriodAlone) {
  ComRateios();
  const auto somenteMovimento = [](TDateTime inicio) {
    return [inicio](TnBalanceteCustos& b) {
      b.DataInicial = inicio;
      b.DataFinal = EndOfTheMonth(inicio);
      b.SomenteMovimento = true;
    };
  };
  EXPECT_EQ(Carregar(somenteMovimento(EncodeDate(2026, 4, 1))),
            (std::vector<std::string>{"1/1 1 S 1 - Residencial Teste | 0,00 | 999,00 | 999,00",
                                      "1/1 5 S 1.10 - Torre J | 0,00 | 999,00 | 999,00",
                                      "1/1 6 A 1.10.01 - Apto 1001 | 0,00 | 999,00 | 999,00"}));
  std::vector<std::string> marco;
  for (const std::string& l : kMarcoEmpresa1) {  // previous balance 0, balance = movement
    const size_t a = l.find(" | "), b = l.find(" | ", a + 3);
    const std::string movimento = l.substr(b + 3, l.find(" | ", b + 3) - b - 3);
    marco.push_back(l.substr(0, a) + " | 0,00 | " + movimento + " | " + movimento);
  }
  EXPECT_EQ(Carregar(somenteMovimento(kMarco)), marco);
}

// The monthly reports load the period and then each month: per row, the months'
// movements add up to the period's, and no month has a row the period lacks.
TEST_F(BalanceteCustos, MonthLoadsAddUpToThePeriodLoad) {
  ComRateios();
  using TChave = std::tuple<int, int, int, std::string>;
  auto carregar = [](TDateTime inicio, TDateTime fim) {
    std::map<TChave, double> movimento;
    TnBalanceteCustos b;
    b.DataInicial = inicio;
    b.DataFinal = EndOfTheMonth(fim);
    b.Modelo = "1";
    b.CarregarBalanceteDetInsumos();
    auto* m = Mapper<TMapBalanceteDetInsumos>(b.CdsBalanceteDetInsumos());
    for (b.CdsBalanceteDetInsumos()->First(); !b.CdsBalanceteDetInsumos()->Eof(); b.CdsBalanceteDetInsumos()->Next())
      movimento[{m->CODIGOESCRIT->AsInteger(), m->CODIGOEMPREEND->AsInteger(), m->CODIGOESTRUTURA->AsInteger(),
                 m->INSUMO->AsString()}] = m->MOVIMENTO->AsFloat();
    return movimento;
  };
  const TDateTime janeiro = EncodeDate(2026, 1, 1);
  const auto periodo = carregar(janeiro, kFimMarco);
  std::map<TChave, double> somaMeses;
  for (int mes = 0; mes < 3; ++mes) {
    const TDateTime inicio = IncMonth(janeiro, mes);
    for (const auto& [chave, valor] : carregar(inicio, inicio)) {
      EXPECT_TRUE(periodo.count(chave)) << std::get<3>(chave) << " of month " << mes + 1 << " not in the period";
      somaMeses[chave] += valor;
    }
  }
  ASSERT_FALSE(periodo.empty());
  for (const auto& [chave, valor] : periodo)
    EXPECT_NEAR(somaMeses[chave], valor, 0.001) << std::get<2>(chave) << " " << std::get<3>(chave);
}

}  // namespace
