#include "host/domain/acompanhamento_mensal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/progresso.h"
#include "host/data/client_dataset.h"
#include "host/domain/balancete_custos.h"

namespace {

// One row of a balance load: item, input (null: none given), previous balance, movement.
struct TLinhaCarga {
  int Estrutura;
  const char* Insumo;
  double SaldoAnterior, Movimento;
};

std::unique_ptr<TnClientDataSet> Carga(const std::vector<TLinhaCarga>& linhas) {
  auto ds = std::make_unique<TnClientDataSet>();
  for (const char* nome : {"CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA"}) ds->AddFieldDef(nome, ftInteger);
  for (const char* nome : {"NOMEEMPRE", "TIPOESTRUTURA", "CLASSIFICACAO", "INSUMO"}) ds->AddFieldDef(nome, ftString, 200);
  for (const char* nome : {"SALDOANTERIOR", "MOVIMENTO", "SALDO"}) ds->AddFieldDef(nome, ftFloat);
  ds->CreateDataSet();
  for (const TLinhaCarga& l : linhas) {
    ds->Append();
    ds->FieldByName("CODIGOESCRIT")->SetAsInteger(1);
    ds->FieldByName("CODIGOEMPREEND")->SetAsInteger(2);
    ds->FieldByName("CODIGOESTRUTURA")->SetAsInteger(l.Estrutura);
    ds->FieldByName("NOMEEMPRE")->SetAsString("Residencial Aurora");
    ds->FieldByName("TIPOESTRUTURA")->SetAsString("A");
    ds->FieldByName("CLASSIFICACAO")->SetAsString("1." + std::to_string(l.Estrutura) + " - Item");
    if (l.Insumo) ds->FieldByName("INSUMO")->SetAsString(l.Insumo);
    ds->FieldByName("SALDOANTERIOR")->SetAsFloat(l.SaldoAnterior);
    ds->FieldByName("MOVIMENTO")->SetAsFloat(l.Movimento);
    ds->FieldByName("SALDO")->SetAsFloat(l.SaldoAnterior + l.Movimento);
    ds->Post();
  }
  return ds;
}

constexpr int kMeses = 3;

// The monthly dataset of the cost report (porInsumo false) or of the inputs report.
std::unique_ptr<TnClientDataSet> Mensal(bool porInsumo) {
  auto ds = std::make_unique<TnClientDataSet>();
  for (const char* nome : {"CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA"}) ds->AddFieldDef(nome, ftInteger);
  ds->AddFieldDef("NOMEEMPRE", ftString, 100);
  ds->AddFieldDef("TIPOESTRUTURA", ftString, 1);
  ds->AddFieldDef("CLASSIFICACAO", ftString, 200);
  if (porInsumo) ds->AddFieldDef("INSUMO", ftString, 200);
  ds->AddFieldDef("SALDOANTERIOR", ftFloat);
  for (const char* mes : {"01/01/2026", "01/02/2026", "01/03/2026"}) ds->AddFieldDef(mes, ftFloat);
  ds->AddFieldDef(porInsumo ? "TOTAL" : "SALDO", ftFloat);
  if (!porInsumo) ds->AddFieldDef("PERCENTUAL", ftFloat);
  ds->CreateDataSet();
  return ds;
}

TnColunasFusaoMensal Colunas(bool porInsumo) {
  TnColunasFusaoMensal c{{"CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA"},
                         {"NOMEEMPRE", "TIPOESTRUTURA", "CLASSIFICACAO"},
                         porInsumo ? "TOTAL" : "SALDO",
                         "01/01/2026",
                         kMeses};
  if (porInsumo) c.Chave.push_back("INSUMO");
  return c;
}

// Each monthly row as "item input | previous | month 1 month 2 month 3 | final".
std::vector<std::string> Linhas(TnClientDataSet& mensal, bool porInsumo) {
  std::vector<std::string> linhas;
  auto num = [](double v) { return std::to_string(static_cast<long long>(v * 100)); };
  for (mensal.First(); !mensal.Eof(); mensal.Next()) {
    std::string l = mensal.FieldByName("CODIGOESTRUTURA")->AsString();
    if (porInsumo) l += " '" + mensal.FieldByName("INSUMO")->AsString() + "'" +
                        (mensal.FieldByName("INSUMO")->IsNull() ? " null" : "");
    l += " | " + num(mensal.FieldByName("SALDOANTERIOR")->AsFloat()) + " |";
    for (int m = 0; m < kMeses; ++m) l += " " + num(mensal.Fields(mensal.FieldByName("01/01/2026")->Index() + m)->AsFloat());
    l += " | " + num(mensal.FieldByName(porInsumo ? "TOTAL" : "SALDO")->AsFloat());
    linhas.push_back(l);
  }
  return linhas;
}

// Item 1 is in the period load and moves in months 1 and 2. Item 2 is missing from it
// (the entity never does this; the merge must still be sound): +100 in month 2, -40 in
// month 3, so it ends at 60, not at the 100 its first month load gave. Item 1 is the
// current row when item 2's lookup fails: the edit must reach the added row.
TEST(FusaoMensal, PeriodRowsTakeTheirMonthsAndARowFirstSeenInAMonthEndsAtItsMonthsSum) {
  auto mensal = Mensal(false);
  TnFusaoMensal fusao(*mensal, Colunas(false));
  fusao.CopiarPeriodo(*Carga({{1, nullptr, 50, 30}}));
  TnFraProgresso progresso;
  fusao.SomarMes(1, *Carga({{1, nullptr, 50, 10}}), &progresso);
  fusao.SomarMes(2, *Carga({{1, nullptr, 60, 20}, {2, nullptr, 0, 100}}), &progresso);
  EXPECT_EQ(progresso.PosicaoParcial(), 2);
  EXPECT_EQ(progresso.MaximoParcial(), 2);
  fusao.SomarMes(3, *Carga({{1, nullptr, 80, 0}, {2, nullptr, 100, -40}}));
  fusao.Concluir();
  EXPECT_EQ(Linhas(*mensal, false), (std::vector<std::string>{
      "1 | 5000 | 1000 2000 0 | 8000",     // the period's balance kept
      "2 | 0 | 0 10000 -4000 | 6000",
  }));
  mensal->First();
  EXPECT_EQ(mensal->FieldByName("CLASSIFICACAO")->AsString(), "1.1 - Item");
  EXPECT_EQ(mensal->FieldByName("PERCENTUAL")->AsFloat(), 0);
  EXPECT_FALSE(mensal->LogChanges());
}

// An item's own row has no input: a load giving null and one giving "" name the same row.
TEST(FusaoMensal, AnAbsentInputIsOneKeyWhetherNullOrEmpty) {
  auto mensal = Mensal(true);
  TnFusaoMensal fusao(*mensal, Colunas(true));
  fusao.CopiarPeriodo(*Carga({{1, nullptr, 0, 15}, {1, "0007 - Cimento", 0, 15}}));
  fusao.SomarMes(1, *Carga({{1, "", 0, 5}, {1, "0007 - Cimento", 0, 5}}));
  fusao.SomarMes(2, *Carga({{1, nullptr, 5, 10}, {1, "0007 - Cimento", 5, 10}}));
  fusao.Concluir();
  EXPECT_EQ(Linhas(*mensal, true), (std::vector<std::string>{
      "1 '' | 0 | 500 1000 0 | 1500",
      "1 '0007 - Cimento' | 0 | 500 1000 0 | 1500",
  }));
}

// The whole fill: the period load, then one movement-only load per month, each from its
// first day to its last instant, every one on a fresh entity.
TEST(FusaoMensal, TheFillLoadsThePeriodThenEachMonth) {
  auto mensal = Mensal(false);
  TnFusaoMensal fusao(*mensal, Colunas(false));
  std::vector<std::string> cargas;
  std::vector<std::unique_ptr<TnClientDataSet>> linhas;
  const std::vector<TDateTime> meses = {EncodeDate(2026, 1, 1), EncodeDate(2026, 2, 1), EncodeDate(2026, 3, 1)};
  fusao.Preencher(meses, [&](TnBalanceteCustos& entidade, TDateTime inicio, TDateTime fim) -> TnClientDataSet& {
    EXPECT_TRUE(entidade.CdsBalancete()->IsEmpty()) << "a fresh entity";
    cargas.push_back(FormatDateTime("dd/mm/yyyy", inicio) + "-" + FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", fim) +
                     (entidade.SomenteMovimento ? " movimento" : ""));
    const double movimento = cargas.size() == 1 ? 30 : 10;
    linhas.push_back(Carga({{1, nullptr, 0, movimento}}));
    return *linhas.back();
  });
  EXPECT_EQ(cargas, (std::vector<std::string>{"01/01/2026-31/03/2026 23:59:59.999",
                                              "01/01/2026-31/01/2026 23:59:59.999 movimento",
                                              "01/02/2026-28/02/2026 23:59:59.999 movimento",
                                              "01/03/2026-31/03/2026 23:59:59.999 movimento"}));
  EXPECT_EQ(Linhas(*mensal, false), (std::vector<std::string>{"1 | 0 | 1000 1000 1000 | 3000"}));
}

TEST(FusaoMensal, AMonthOutsideThePeriodOrMissingColumnsRaise) {
  auto mensal = Mensal(false);
  TnFusaoMensal fusao(*mensal, Colunas(false));
  EXPECT_THROW(fusao.SomarMes(4, *Carga({})), std::out_of_range);
  TnColunasFusaoMensal demais = Colunas(false);
  demais.Meses = 6;  // past the last column
  EXPECT_THROW(TnFusaoMensal(*mensal, demais), std::invalid_argument);
}

}  // namespace
