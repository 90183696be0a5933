#include "host/web/impressao_web.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include "host/data/conexao.h"
#include "host/report/execucao.h"
#include "host/report/params.h"

namespace fs = std::filesystem;

namespace {
const char kNadaAImprimir[] = "Nada a imprimir: nenhum dado atende aos parâmetros informados.";
const char kCancelada[] = "Impressão cancelada.";
const char kFalhou[] = "Não foi possível imprimir o relatório. O motivo ficou no registro do servidor.";
}  // namespace

TnImpressaoWeb::TnImpressaoWeb(TnPedidoWeb pedido) : FPedido(std::move(pedido)) {
  fs::create_directories(fs::path(FPedido.Pasta) / "paginas");
  FThread = std::thread([this] { Executar(); });
}

TnImpressaoWeb::~TnImpressaoWeb() {
  FParada.Pedir();
  if (FThread.joinable()) FThread.join();
  std::error_code e;
  fs::remove_all(FPedido.Pasta, e);
}

TnSituacaoImpressao TnImpressaoWeb::Situacao() const {
  std::lock_guard<std::mutex> trava(FMutex);
  return FSituacao;
}

void TnImpressaoWeb::Cancelar() { FParada.Pedir(); }

void TnImpressaoWeb::Terminar(TnEstadoImpressao estado, const std::string& mensagem, const std::string& campo) {
  std::lock_guard<std::mutex> trava(FMutex);
  FSituacao.Estado = estado;
  FSituacao.Mensagem = mensagem;
  FSituacao.Campo = campo;
  std::error_code e;
  fs::remove_all(FPedido.Pasta, e);  // nothing to offer: nothing stays
}

void TnImpressaoWeb::Executar() {
  TnEscopoParada escopo(FParada);
  TnEscutaProgresso escuta([this](const std::string& texto, const TnQuadroProgresso& quadro) {
    std::lock_guard<std::mutex> trava(FMutex);
    FSituacao.TextoProgresso = texto;
    FSituacao.Progresso = quadro;
  });
  const fs::path pasta(FPedido.Pasta);
  TnPedidoImpressao pedido;
  pedido.Plugin = FPedido.Plugin;
  pedido.PastaPlugins = FPedido.PastaPlugins;
  pedido.Parametros = FPedido.Parametros;
  pedido.ArquivoPdf = (pasta / "relatorio.pdf").string();
  pedido.PastaPng = (pasta / "paginas").string();
  pedido.ArquivoXlsx = (pasta / "relatorio.xlsx").string();
  pedido.ConferirTabelas = true;
  try {
    auto conexao = TnDMConexao::Abrir(FPedido.Banco);
    FParada.DefinirCancelamento([c = conexao.get()] { c->Cancelar(); });
    struct TSolta {
      TnParada& Parada;
      ~TSolta() {
        Parada.DefinirCancelamento({});
        TnDMConexao::DefinirAtual(nullptr);
      }
    } solta{FParada};
    TnDMConexao::DefinirAtual(conexao.get());
    conexao->IniciarLeituraUnica();
    TnInterrupcao::Verificar();
    const TnResultadoImpressao r = ImprimirRelatorio(pedido);
    if (r.Paginas == 0) return Terminar(TnEstadoImpressao::Vazia, kNadaAImprimir);
    std::vector<std::string> imagens;
    for (const auto& entrada : fs::directory_iterator(pedido.PastaPng)) imagens.push_back(entrada.path().string());
    std::sort(imagens.begin(), imagens.end());
    if (imagens.size() > kPaginasVistas) imagens.resize(kPaginasVistas);
    std::lock_guard<std::mutex> trava(FMutex);
    FSituacao.Paginas = r.Paginas;
    FSituacao.Imagens = std::move(imagens);
    FSituacao.Arquivos.push_back({"pdf", pedido.ArquivoPdf, FPedido.NomeArquivo + ".pdf", "application/pdf"});
    FSituacao.Arquivos.push_back({"xlsx", pedido.ArquivoXlsx, FPedido.NomeArquivo + ".xlsx",
                                  "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"});
    FSituacao.Estado = TnEstadoImpressao::Pronta;
  } catch (const EnParam& e) {
    if (FParada.Pedida()) return Terminar(TnEstadoImpressao::Cancelada, kCancelada);
    Terminar(TnEstadoImpressao::Erro, e.what(), e.NomeParametro());
  } catch (const std::exception& e) {
    if (FParada.Pedida()) return Terminar(TnEstadoImpressao::Cancelada, kCancelada);
    std::cerr << "Erro na impressão de " << FPedido.Plugin << ": " << e.what() << "\n";
    Terminar(TnEstadoImpressao::Erro, kFalhou);
  }
}
