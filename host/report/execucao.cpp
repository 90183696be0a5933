#include "host/report/execucao.h"

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "host/data/conexao.h"
#include "host/render/renderizador.h"
#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"

namespace fs = std::filesystem;

namespace {

// Output is written under temporary names and moved into place only when the run succeeds.
class TnSaidaTemporaria {
 public:
  TnSaidaTemporaria(const std::string& pdf, const std::string& png) : FPdf(pdf), FPng(png) {
    const std::string sufixo = ".tmp-" + std::to_string(getpid());
    if (!FPdf.empty()) {
      FPdfTmp = FPdf + sufixo;
      std::error_code e;
      fs::remove(FPdf, e);  // a failed or empty run must not leave an older PDF looking current
    }
    if (!FPng.empty()) {
      FPngTmp = fs::path(FPng).string() + sufixo;
      fs::create_directories(FPngTmp);
    }
  }
  ~TnSaidaTemporaria() {
    std::error_code e;
    if (!FPdfTmp.empty()) fs::remove(FPdfTmp, e);
    if (!FPngTmp.empty()) fs::remove_all(FPngTmp, e);
  }
  const std::string& Pdf() const { return FPdfTmp; }
  const std::string& Png() const { return FPngTmp; }
  void Confirmar() {
    if (!FPdfTmp.empty() && fs::exists(FPdfTmp)) fs::rename(FPdfTmp, FPdf);
    if (!FPngTmp.empty()) {
      fs::create_directories(FPng);
      for (const auto& f : fs::directory_iterator(FPng))
        if (f.path().extension() == ".png") fs::remove(f.path());
      for (const auto& f : fs::directory_iterator(FPngTmp)) fs::rename(f.path(), fs::path(FPng) / f.path().filename());
    }
  }

 private:
  std::string FPdf, FPng, FPdfTmp, FPngTmp;
};

// While the report prints with its trace, the queries it runs on the current connection go into it.
class TnObservacaoConsultas {
 public:
  explicit TnObservacaoConsultas(TnrwReport* report) : FConexao(report ? TnDMConexao::Atual() : nullptr) {
    if (FConexao)
      FConexao->DefinirObservador([report](const std::string& sql, int linhas) { report->RegistrarConsulta(sql, linhas); });
  }
  ~TnObservacaoConsultas() {
    if (FConexao) FConexao->DefinirObservador({});
  }
  TnObservacaoConsultas(const TnObservacaoConsultas&) = delete;
  TnObservacaoConsultas& operator=(const TnObservacaoConsultas&) = delete;

 private:
  TnDMConexao* FConexao;
};

}  // namespace

TnResultadoImpressao ImprimirRelatorio(const TnPedidoImpressao& pedido) {
  auto plugin = TnPlugin::Carregar(pedido.Plugin, pedido.PastaPlugins);
  const TnrwBaseDllClass* classe = plugin->ClassDll();
  if (!classe) throw Exception("Plug-in '" + plugin->Nome() + "' não registrou sua classe de relatório.");

  TnSaidaTemporaria saida(pedido.ArquivoPdf, pedido.PastaPng);
  std::unique_ptr<TnRenderizador> renderizador;
  if (!pedido.ArquivoPdf.empty() || !pedido.PastaPng.empty())
    renderizador = std::make_unique<TnRenderizador>(saida.Pdf(), saida.Png());

  TnResultadoImpressao resultado;
  {
    auto report = std::make_unique<TnrwReport>(TnLayout::Carregar(plugin->ArquivoLayout()));
    report->DefinirRastro(pedido.ComRastro);
    report->DefinirDestino(renderizador.get());
    TnObservacaoConsultas consultas(pedido.ComRastro ? report.get() : nullptr);
    try {
      // The form object lives while the form is open, as the host keeps it.
      std::unique_ptr<TnrwBaseDll> objetoFormulario = classe->Create(report.get());
      TnFormParametros form(report.get(), objetoFormulario.get());
      objetoFormulario->AntesConfigurar(&form);
      objetoFormulario->DepoisConfigurar(&form);
      for (const auto& [nome, valor] : pedido.Parametros) form.Preencher(nome, valor);
      plugin->Imprimir(report.get());
    } catch (const EnParam& e) {
      // Its parameter item dies with the report: the error leaves bound by name.
      throw EnParam(e.NomeParametro(), e.what());
    }
    resultado.Paginas = report->Finalizar();
    resultado.Rastro = report->Rastro();
  }
  if (resultado.Paginas > 0) saida.Confirmar();
  return resultado;
}
