#pragma once
// One print a browser asked for, run on its own thread and its own connection, in one
// read-only transaction, into a private folder that goes with it. Its state, progress
// and files are read from other threads while it runs.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host/core/interrupcao.h"
#include "host/core/progresso.h"

enum class TnEstadoImpressao { Executando, Pronta, Vazia, Erro, Cancelada };

// A file the print produced, offered for download by its position in the list.
struct TnArquivoImpressao {
  std::string Tipo;                              // "pdf", "xlsx"
  std::string Caminho;                           // where it lies in the print's folder
  std::string Nome;                              // the name the browser saves it under
  std::string TipoMime;                          // Content-Type
};

struct TnSituacaoImpressao {
  TnEstadoImpressao Estado = TnEstadoImpressao::Executando;
  std::string Mensagem;                          // Vazia/Erro/Cancelada: what the user reads
  std::string Campo;                             // Erro by a parameter: its name
  std::string TextoProgresso;                    // the last progress frame's caption
  TnQuadroProgresso Progresso;                   // and how it stood
  int Paginas = 0;                               // Pronta: the report's pages
  std::vector<std::string> Imagens;              // Pronta: the first pages as PNG files
  std::vector<TnArquivoImpressao> Arquivos;      // Pronta: what can be downloaded
};

struct TnPedidoWeb {
  std::string Banco, Plugin, PastaPlugins;
  std::vector<std::pair<std::string, std::string>> Parametros;  // typed in this order
  std::string Pasta;                             // the print's own folder, made here, removed with it
  std::string NomeArquivo;                       // downloads are named after it (no extension)
};

class TnImpressaoWeb {
 public:
  static constexpr int kPaginasVistas = 3;       // pages shown as pictures

  explicit TnImpressaoWeb(TnPedidoWeb pedido);   // starts the print
  ~TnImpressaoWeb();                             // cancels it if running, waits, removes its folder
  TnImpressaoWeb(const TnImpressaoWeb&) = delete;
  TnImpressaoWeb& operator=(const TnImpressaoWeb&) = delete;

  TnSituacaoImpressao Situacao() const;          // a copy, as it stands now
  void Cancelar();                               // asks it to stop: it ends Cancelada, leaving no file

 private:
  void Executar();
  void Terminar(TnEstadoImpressao estado, const std::string& mensagem, const std::string& campo = {});

  TnPedidoWeb FPedido;
  mutable std::mutex FMutex;
  TnSituacaoImpressao FSituacao;
  TnParada FParada;
  std::thread FThread;
};
