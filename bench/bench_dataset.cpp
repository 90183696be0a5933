// Client dataset costs on a real embedded database: raw fetch of the rows
// against loading them into a TnClientDataSet (the load should stay within
// 1.3x of the raw fetch), then sorting, key lookup and ranges on the loaded rows.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

#include "host/data/client_dataset.h"
#include "host/data/conexao.h"
#include "tests/testkit/banco_teste.h"

namespace {

constexpr int kMaiorTabela = 1000000;

// One database for the whole run, filled inside the engine (fast) with
// 1M rows of mixed types; each size reads the first N ids.
TBancoTeste& Banco() {
  static TBancoTeste banco;  // removed at exit
  static bool cheio = [] {
    banco.Script(
        "create table ITEM (ID integer not null, GRUPO integer, NOME varchar(40), VALOR numeric(15,2), DATA date);"
        "SET TERM ^ ;"
        "execute block as declare i integer = 0; begin"
        "  while (i < " + std::to_string(kMaiorTabela) + ") do begin"
        "    insert into ITEM values (:i, mod(:i, 1000), 'Item ' || mod(:i * 7919, 1000003),"
        "      mod(:i, 10007) / 100.0, dateadd(mod(:i, 3650) day to date '2015-01-01'));"
        "    i = i + 1;"
        "  end "
        "end^"
        "SET TERM ; ^"
        "alter table ITEM add constraint PK_ITEM primary key (ID);");  // each size reads only its rows
    return true;
  }();
  (void)cheio;
  return banco;
}

std::string Sql(int64_t linhas) { return "select ID, GRUPO, NOME, VALOR, DATA from ITEM where ID < " + std::to_string(linhas); }

// Loaded datasets kept across benchmarks of the same size.
TnClientDataSet& Carregado(int64_t linhas) {
  static std::map<int64_t, std::unique_ptr<TnClientDataSet>> cache;
  auto& ds = cache[linhas];
  if (!ds) ds = Banco().Conexao().ExecuteQueryView(Sql(linhas));
  return *ds;
}

void BM_BuscaBruta(benchmark::State& estado) {
  auto& c = Banco().Conexao();
  for (auto _ : estado) benchmark::DoNotOptimize(c.PercorrerSemCarregar(Sql(estado.range(0))));
  estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}

void BM_CarregarDataSet(benchmark::State& estado) {
  auto& c = Banco().Conexao();
  for (auto _ : estado) {
    auto ds = c.ExecuteQueryView(Sql(estado.range(0)));
    benchmark::DoNotOptimize(ds->RecordCount());
  }
  estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}

void BM_OrdenarTextoInteiro(benchmark::State& estado) {
  auto& ds = Carregado(estado.range(0));
  for (auto _ : estado) ds.SetIndexFieldNames("NOME;ID");  // each call sorts from the physical order
  estado.SetComplexityN(estado.range(0));
}

void BM_OrdenarDataGrupo(benchmark::State& estado) {
  auto& ds = Carregado(estado.range(0));
  for (auto _ : estado) ds.SetIndexFieldNames("DATA;GRUPO");
  estado.SetComplexityN(estado.range(0));
}

void BM_FindKey(benchmark::State& estado) {
  auto& ds = Carregado(estado.range(0));
  ds.SetIndexFieldNames("ID");
  std::mt19937 aleatorio(42);
  std::uniform_int_distribution<int> id(0, static_cast<int>(estado.range(0)) - 1);
  for (auto _ : estado) benchmark::DoNotOptimize(ds.FindKey({id(aleatorio)}));
}

void BM_SetRange(benchmark::State& estado) {
  auto& ds = Carregado(estado.range(0));
  ds.SetIndexFieldNames("GRUPO;ID");
  std::mt19937 aleatorio(7);
  std::uniform_int_distribution<int> grupo(0, 999);
  for (auto _ : estado) {
    int g = grupo(aleatorio);
    ds.SetRange({g}, {g});
    benchmark::DoNotOptimize(ds.RecordCount());
  }
  ds.CancelRange();
}

// Appending rows to an indexed dataset, as reports fill their output: each
// Post places the row by binary search, so N appends stay near N log N.
void BM_AppendIndexado(benchmark::State& estado) {
  for (auto _ : estado) {
    TnClientDataSet ds;
    ds.AddFieldDef("GRUPO", ftInteger);
    ds.AddFieldDef("VALOR", ftFloat);
    ds.CreateDataSet();
    ds.SetIndexFieldNames("GRUPO");
    for (int64_t i = 0; i < estado.range(0); ++i) {
      ds.Append();
      ds.Fields(0)->SetAsInteger(i / 3);
      ds.Fields(1)->SetAsFloat(static_cast<double>(i));
      ds.Post();
    }
    benchmark::DoNotOptimize(ds.RecordCount());
  }
}

BENCHMARK(BM_BuscaBruta)->Arg(100000)->Arg(kMaiorTabela)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarregarDataSet)->Arg(100000)->Arg(kMaiorTabela)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdenarTextoInteiro)->Arg(100000)->Arg(kMaiorTabela)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdenarDataGrupo)->Arg(100000)->Arg(kMaiorTabela)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindKey)->Arg(100000)->Arg(kMaiorTabela);
BENCHMARK(BM_SetRange)->Arg(100000)->Arg(kMaiorTabela);
BENCHMARK(BM_AppendIndexado)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
