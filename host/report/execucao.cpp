#include "host/report/execucao.h"

#include <fstream>
#include <memory>

#include "host/data/schema.h"
#include "host/data/conexao.h"
#include "host/render/renderizador.h"
#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "host/report/planilha_relatorio.h"
#include "host/report/plugin.h"
#include "host/report/saidas.h"

namespace {

void GravarRastro(const TnRastro& rastro, const std::string& arquivo) {
  std::ofstream saida(arquivo, std::ios::binary);
  saida << rastro.ParaJson() << "\n";
  saida.close();
  if (!saida) throw Exception("Não foi possível gravar o rastro em '" + arquivo + "'.");
}

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

  const TnDMConexao* conexao = TnDMConexao::Atual();
  TnSaidasTemporarias saida({pedido.ArquivoPdf, pedido.PastaPng, pedido.ArquivoRastro,
                             conexao && conexao->Embutido() ? conexao->Banco() : std::string(),
                             pedido.ArquivoXlsx, pedido.ArquivoCsv});
  std::unique_ptr<TnRenderizador> renderizador;
  if (!pedido.ArquivoPdf.empty() || !pedido.PastaPng.empty())
    renderizador = std::make_unique<TnRenderizador>(saida.Pdf(), saida.PastaPng());
  std::unique_ptr<TnColetorPlanilha> planilha;
  if (!pedido.ArquivoXlsx.empty() || !pedido.ArquivoCsv.empty()) planilha = std::make_unique<TnColetorPlanilha>();

  TnResultadoImpressao resultado;
  {
    auto report = std::make_unique<TnrwReport>(TnLayout::Carregar(plugin->ArquivoLayout()));
    const bool comRastro = pedido.ComRastro || !pedido.ArquivoRastro.empty();
    report->DefinirRastro(comRastro);
    report->DefinirDestino(renderizador.get());
    report->DefinirObservadorSecoes(planilha.get());
    TnObservacaoConsultas consultas(comRastro ? report.get() : nullptr);
    try {
      // The form object lives while the form is open, as the host keeps it.
      std::unique_ptr<TnrwBaseDll> objetoFormulario = classe->Create(report.get());
      TnFormParametros form(report.get(), objetoFormulario.get());
      objetoFormulario->AntesConfigurar(&form);
      objetoFormulario->DepoisConfigurar(&form);
      for (const auto& [nome, valor] : pedido.Parametros) form.Preencher(nome, valor);
      form.Confirmar();
      // A bad parameter is told first; then a foreign database, before its first query fails on a missing table.
      if (pedido.ConferirTabelas && conexao) ConferirTabelasDoSchema(*TnDMConexao::Atual());
      TnConjuntosDoLayout conjuntos(*report, pedido.Conjuntos);
      plugin->Imprimir(report.get());
    } catch (const EnParam& e) {
      // Its parameter item dies with the report: the error leaves bound by name.
      throw EnParam(e.NomeParametro(), e.what());
    }
    resultado.Paginas = report->Finalizar();
    resultado.Rastro = report->Rastro();
    if (planilha && resultado.Paginas > 0) {
      const TnPlanilha linhas = planilha->Montar(report->Layout().Titulo);
      if (!saida.Xlsx().empty()) GravarPlanilhaXlsx(linhas, saida.Xlsx());
      if (!saida.Csv().empty()) GravarPlanilhaCsv(linhas, saida.Csv());
    }
  }
  if (!saida.Rastro().empty()) GravarRastro(resultado.Rastro, saida.Rastro());
  saida.Confirmar(resultado.Paginas > 0);
  return resultado;
}
