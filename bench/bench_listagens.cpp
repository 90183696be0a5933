// Speed of the two listings of what the host hands over.
//   bench_listagens --benchmark_filter=Prefeitura   100,000 units through a handle: rows/s, pages/s,
//                                                   laid out only and written to PDF
//   bench_listagens --benchmark_filter=Cotacao      every supplier of the scale-100 demo on request 1
//                                                   of company 1 (the database is built once, in /tmp)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "demo/banco_demo.h"
#include "host/data/client_dataset.h"
#include "host/data/conexao.h"
#include "host/report/execucao.h"

namespace {

namespace fs = std::filesystem;

const char* const kColunas[] = {"Proprietario", "Quadra", "Lote", "Endereco", "Numero",
                                "Bairro", "Complemento", "UtilizacaoImovel", "TipoImovel", "CodCadMunic",
                                "Unidade", "AreaImovel", "ZonaFiscal", "FracaoTerreno", "TestadaTerreno"};

std::unique_ptr<TnClientDataSet> Imoveis(int linhas) {
  auto ds = std::make_unique<TnClientDataSet>();
  for (const char* c : kColunas) ds->AddFieldDef(c, ftString, 60);
  ds->CreateDataSet();
  for (int i = 0; i < linhas; ++i) {
    ds->Append();
    int k = 0;
    for (const char* c : kColunas) ds->Fields(k++)->SetAsString(std::string(c).substr(0, 6) + " " + std::to_string(i));
    ds->Post();
  }
  return ds;
}

fs::path Pasta() {
  const fs::path p = fs::temp_directory_path() / ("bench-listagens-" + std::to_string(getpid()));
  fs::create_directories(p);
  return p;
}

// range(1) 1 writes the PDF; 0 lays the pages out only, the report's and the engine's share.
void Prefeitura(benchmark::State& state) {
  const int linhas = static_cast<int>(state.range(0));
  const bool comPdf = state.range(1) == 1;
  auto ds = Imoveis(linhas);
  const fs::path pasta = Pasta();
  int paginas = 0;
  for (auto _ : state) {
    TnPedidoImpressao pedido;
    pedido.Plugin = "RptUnitsForCityHall";
    if (comPdf) pedido.ArquivoPdf = (pasta / "prefeitura.pdf").string();
    pedido.Conjuntos.Nomeados = {{"pCursor", ds.get()}};
    paginas = ImprimirRelatorio(pedido).Paginas;
  }
  state.counters["linhas/s"] = benchmark::Counter(static_cast<double>(linhas) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["paginas/s"] = benchmark::Counter(static_cast<double>(paginas) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["paginas"] = paginas;
  fs::remove_all(pasta);
}
BENCHMARK(Prefeitura)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond)->Iterations(1);

void Cotacao(benchmark::State& state) {
  const fs::path banco = fs::temp_directory_path() / "bench-listagens-demo-100.fdb";
  if (!fs::exists(banco)) {  // built under another name first: a stopped run leaves no half database
    const fs::path novo = fs::path(banco).replace_extension(".novo.fdb");
    fs::remove(novo);
    CriarBancoDemo(novo.string(), 100);
    fs::rename(novo, banco);
  }
  auto conexao = TnDMConexao::Abrir(banco.string());
  TnDMConexao::DefinirAtual(conexao.get());
  const fs::path pasta = Pasta();
  TnResultadoImpressao r;
  for (auto _ : state) {
    TnPedidoImpressao pedido;
    pedido.Plugin = "RptQuotationRequest";
    pedido.ArquivoPdf = (pasta / "cotacao.pdf").string();
    pedido.ComRastro = true;
    pedido.Parametros = {{"pCodigoEscrit", "1"}, {"pCodigoOrcamentoEntrada", "1"}, {"pCodigoPessoaFin", "101-322"}};
    r = ImprimirRelatorio(pedido);
  }
  state.counters["paginas"] = r.Paginas;
  state.counters["consultas"] = static_cast<double>(r.Rastro.Consultas.size());  // the layout's items, suppliers, company
  TnDMConexao::DefinirAtual(nullptr);
  fs::remove_all(pasta);
}
BENCHMARK(Cotacao)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
