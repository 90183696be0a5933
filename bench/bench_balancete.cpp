// The cost trial balance loads on a demo database (RPT_BENCH_DB, e.g. one made with
// `rpt demo-db FILE --scale 100`): the year and one month for company 1, by item and
// by item and input; the monthly reports load the entity once per month plus once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "host/core/datas.h"
#include "host/data/client_dataset.h"
#include "host/data/conexao.h"
#include "host/domain/balancete_custos.h"

namespace {

TnDMConexao* Conexao() {
  static std::unique_ptr<TnDMConexao> conexao = [] {
    const char* banco = std::getenv("RPT_BENCH_DB");
    std::unique_ptr<TnDMConexao> c;
    if (banco) c = TnDMConexao::Abrir(banco);
    TnDMConexao::DefinirAtual(c.get());
    return c;
  }();
  return conexao.get();
}

void Carregar(benchmark::State& state, bool porInsumo, TDateTime inicio, TDateTime fim) {
  if (!Conexao()) {
    state.SkipWithError("RPT_BENCH_DB não aponta um banco de demonstração");
    return;
  }
  int linhas = 0;
  for (auto _ : state) {
    TnBalanceteCustos b;
    b.CodigoEscrit = 1;
    b.DataInicial = inicio;
    b.DataFinal = fim;
    b.Modelo.assign(1, *TnBalanceteCustos::kModeloAnalitico);  // inputs under every posting item
    if (porInsumo) {
      b.CarregarBalanceteDetInsumos();
      linhas = b.CdsBalanceteDetInsumos()->RecordCount();
    } else {
      b.CarregarBalancete();
      linhas = b.CdsBalancete()->RecordCount();
    }
  }
  state.counters["linhas"] = linhas;
}

void BM_BalanceteAno(benchmark::State& s) { Carregar(s, false, EncodeDate(2026, 1, 1), EncodeDate(2026, 12, 31)); }
void BM_BalanceteMes(benchmark::State& s) {
  Carregar(s, false, EncodeDate(2026, 6, 1), EndOfTheMonth(EncodeDate(2026, 6, 1)));
}
void BM_BalanceteInsumosSemestre(benchmark::State& s) {
  Carregar(s, true, EncodeDate(2026, 1, 1), EndOfTheMonth(EncodeDate(2026, 6, 1)));
}

BENCHMARK(BM_BalanceteAno)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BalanceteMes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BalanceteInsumosSemestre)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
