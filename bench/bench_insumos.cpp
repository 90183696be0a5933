// The register of inputs on a large catalogue: 2,000 groups (20 summaries, each with 9
// summaries of 10 analytic groups, one analytic group in ten left empty) and 100,000
// inputs, printed with every group and with only the groups that have inputs (the
// summary checks walk their own branch). Pages are laid out, not drawn.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/data/conexao.h"
#include "host/report/execucao.h"
#include "tests/testkit/banco_teste.h"

namespace {

constexpr int kRamos = 20, kSubRamos = 9, kAnaliticos = 10, kInsumos = 100000;

std::string Classif(int a, int b = -1, int c = -1) {
  char texto[16];
  if (c >= 0) std::snprintf(texto, sizeof texto, "%02d.%02d.%02d", a, b, c);
  else if (b >= 0) std::snprintf(texto, sizeof texto, "%02d.%02d", a, b);
  else std::snprintf(texto, sizeof texto, "%02d", a);
  return texto;
}

TBancoTeste& Banco() {
  static std::unique_ptr<TBancoTeste> banco = [] {
    auto b = std::make_unique<TBancoTeste>(true);
    TnDMConexao& c = b->Conexao();
    c.Executar("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (1, 'Construtora', '1')");
    c.Executar("insert into ESCRITORIO (CODIGOESCRIT) values (1)");
    c.Executar("insert into UNIDADEMEDIDA values (1, 'Unidade', 'un')");
    auto grupos = c.PrepararLote("insert into INSUMOGRUPO values (:c, :cl, :d, :t)");
    int codigo = 0, analiticos = 0;
    std::vector<int> comInsumos;
    for (int a = 1; a <= kRamos; ++a) {
      grupos->Executar({++codigo, Classif(a), "Ramo " + Classif(a), 1});
      for (int s = 1; s <= kSubRamos; ++s) {
        grupos->Executar({++codigo, Classif(a, s), "Sub-ramo " + Classif(a, s), 1});
        for (int k = 1; k <= kAnaliticos; ++k) {
          grupos->Executar({++codigo, Classif(a, s, k), "Grupo " + Classif(a, s, k), 2});
          if (++analiticos % 10 != 0) comInsumos.push_back(codigo);
        }
      }
    }
    grupos->Confirmar();
    auto insumos = c.PrepararLote(
        "insert into INSUMO (CODIGOINSUMO, DESCRINSUMO, CODIGOINSUMOGRUPO, CODIGOUNIDADEMEDIDA, TIPOINSUMO, "
        "CLASSIFINSUMO) values (:c, :d, :g, 1, :t, :cl)");
    for (int i = 1; i <= kInsumos; ++i)
      insumos->Executar({i, "Insumo " + std::to_string(i), comInsumos[static_cast<size_t>(i) % comInsumos.size()],
                         1 + i % 5, 1 + i % 3});
    insumos->Confirmar();
    return b;
  }();
  return *banco;
}

void Imprimir(benchmark::State& state, const char* grupoSemInsumo, const char* ordenar) {
  TnDMConexao::DefinirAtual(&Banco().Conexao());
  TnPedidoImpressao pedido;
  pedido.Plugin = "RptInputs";
  pedido.Parametros = {{"pCodigoEscrit", "1"}, {"pGrupoSemInsumo", grupoSemInsumo}, {"pOrdenar", ordenar}};
  int paginas = 0;
  for (auto _ : state) paginas = ImprimirRelatorio(pedido).Paginas;
  state.counters["paginas"] = paginas;
  state.counters["paginas/s"] = benchmark::Counter(paginas, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_InsumosTodosOsGrupos(benchmark::State& s) { Imprimir(s, "1", "1"); }
void BM_InsumosGruposComInsumos(benchmark::State& s) { Imprimir(s, "0", "1"); }
void BM_InsumosPorDescricao(benchmark::State& s) { Imprimir(s, "0", "2"); }

BENCHMARK(BM_InsumosTodosOsGrupos)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_InsumosGruposComInsumos)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_InsumosPorDescricao)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
