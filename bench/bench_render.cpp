// Rendering speed and memory on a dense tabular document: A4 pages of 40 striped
// rows x 8 labels, the shape of the payables and stock listings.
//   bench_render --benchmark_filter=Pdf/2000      pages per second
//   /usr/bin/time -v bench_render --benchmark_filter=Pdf/10000   peak memory
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "host/render/renderizador.h"

namespace {

const char* kFornecedores[] = {
    "São José Materiais de Construção Ltda", "Cimentos Paraná S/A", "Ferragens Conceição",
    "Madeireira Três Irmãos", "Elétrica Ribeirão Preto", "Hidráulica Guaçu", "Tintas Araújo & Filhos",
    "Vidraçaria Boa Esperança", "Concreteira Itajaí", "Areia e Brita São Cristóvão", "Aço Forte Distribuidora",
    "Pisos e Revestimentos Ouro Branco"};

std::string Dinheiro(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf, inteira = s.substr(0, s.find('.')), r;
  for (size_t i = 0; i < inteira.size(); ++i) {
    if (i > 0 && (inteira.size() - i) % 3 == 0) r.push_back('.');
    r.push_back(inteira[i]);
  }
  return r + "," + s.substr(s.find('.') + 1);
}

TElementoTexto Rotulo(double x, double y, double w, std::string s, TAlinhamento al, bool negrito = false,
                      double tamanho = 8) {
  TElementoTexto t;
  t.Area = {x, y, w, 16};
  t.Texto = std::move(s);
  t.Alinhamento = al;
  t.Fonte.Negrito = negrito;
  t.Fonte.Tamanho = tamanho;
  return t;
}

TPagina Pagina(int n, std::mt19937& aleatorio) {
  using A = TAlinhamento;
  TPagina p;
  p.Numero = n;
  p.Elementos.reserve(400);
  p.Elementos.push_back(Rotulo(30, 20, 500, "Relatório de Contas a Pagar", A::Esquerda, true, 14));
  TElementoTexto pag = Rotulo(560, 20, 204, "Página " + std::to_string(n) + " de " + kMarcaTotalPaginas, A::Direita);
  pag.ComTotalPaginas = true;
  p.Elementos.push_back(pag);
  p.Elementos.push_back(Rotulo(30, 42, 500, "Construtora Exemplo Ltda - CNPJ 12.345.678/0001-90", A::Esquerda));
  p.Elementos.push_back(TElementoLinha{30, 62, 764, 62, 1, 0});
  const double xs[] = {30, 80, 290, 360, 430, 500, 590, 680};
  const double ws[] = {45, 205, 65, 65, 65, 85, 85, 84};
  const A als[] = {A::Direita, A::Esquerda, A::Centro, A::Centro, A::Direita, A::Direita, A::Direita, A::Direita};
  const char* titulos[] = {"Código", "Fornecedor", "Emissão", "Vencimento", "Parcela", "Valor", "Desconto", "Saldo"};
  for (int c = 0; c < 8; ++c) p.Elementos.push_back(Rotulo(xs[c], 66, ws[c], titulos[c], als[c], true));
  std::uniform_real_distribution<double> valor(10, 250000);
  std::uniform_int_distribution<int> dia(1, 28), fornecedor(0, 11), parcela(1, 12);
  for (int i = 0; i < 40; ++i) {
    const double y = 86 + i * 25;
    if (i % 2 == 0) p.Elementos.push_back(TElementoCaixa{{30, y, 734, 25}, 0xF2F2F2, std::nullopt, 1});
    const int f = fornecedor(aleatorio);
    const double v = valor(aleatorio), d = i % 5 == 0 ? v * 0.02 : 0;
    char data[16], venc[16];
    std::snprintf(data, sizeof data, "%02d/03/2024", dia(aleatorio));
    std::snprintf(venc, sizeof venc, "%02d/04/2024", dia(aleatorio));
    const std::string linha[] = {std::to_string(1000 + f * 37), kFornecedores[f], data, venc,
                                 std::to_string(parcela(aleatorio)) + "/12", Dinheiro(v), Dinheiro(d),
                                 Dinheiro(v - d)};
    for (int c = 0; c < 8; ++c) p.Elementos.push_back(Rotulo(xs[c], y + 4, ws[c], linha[c], als[c]));
  }
  return p;
}

void Renderizar(benchmark::State& state, bool comPng) {
  const int paginas = static_cast<int>(state.range(0));
  const auto pasta = std::filesystem::temp_directory_path() / "bench_render";
  std::filesystem::create_directories(pasta);
  for (auto _ : state) {
    std::mt19937 aleatorio(42);
    TnRenderizador r((pasta / "bench.pdf").string(), comPng ? (pasta / "png").string() : std::string());
    for (int n = 1; n <= paginas; ++n) {
      state.PauseTiming();  // building the page is the engine's work, not the renderer's
      TPagina p = Pagina(n, aleatorio);
      state.ResumeTiming();
      r.AdicionarPagina(std::move(p));
    }
    r.Finalizar(paginas);
  }
  state.counters["paginas/s"] = benchmark::Counter(static_cast<double>(paginas) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
  state.counters["bytes/pagina"] =
      static_cast<double>(std::filesystem::file_size(pasta / "bench.pdf")) / paginas;
  if (!std::getenv("BENCH_RENDER_MANTER")) std::filesystem::remove_all(pasta);  // keep it for a look
}

void BM_Pdf(benchmark::State& state) { Renderizar(state, false); }
void BM_PdfEPng(benchmark::State& state) { Renderizar(state, true); }

}  // namespace

BENCHMARK(BM_Pdf)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pdf)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PdfEPng)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
