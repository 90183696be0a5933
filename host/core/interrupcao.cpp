#include "host/core/interrupcao.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace {

constexpr int kSinaisDeParada[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSegundosParaTerminar = 2;  // after a stop request, before the run is ended for it
constexpr int kSegundosParaSair = 30;     // once the process is exiting by itself (its exit handlers, a leak check)
constexpr int kBaseCodigoSinal = 128;     // the shell reports a signal as 128 + its number

std::atomic<bool> gSaindo{false};  // exit() has begun, or an orderly close after a stop

std::atomic<int> gSinal{0};
std::mutex gMutex;  // the cancellers and the temporary paths
std::map<int, std::function<void()>> gCancelamentos;
int gProximoId = 1;
std::set<std::string> gTemporarios;
thread_local TnParada* tParada = nullptr;  // the run this thread works for, when a server runs several

std::string NomeSinal(int sinal) {
  switch (sinal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "sinal " + std::to_string(sinal);
  }
}

// The run did not end in time (a connection attempt cannot be cancelled) or a
// second signal came: what it left in temporary places goes, then the process.
[[noreturn]] void TerminarJa(int sinal) {
  {
    std::lock_guard<std::mutex> trava(gMutex);
    std::error_code e;
    for (const auto& caminho : gTemporarios) std::filesystem::remove_all(caminho, e);
  }
  _exit(TnInterrupcao::CodigoSaida(sinal));
}

void Vigiar(sigset_t sinais) {
  int sinal = 0;
  if (sigwait(&sinais, &sinal) != 0) return;
  TnInterrupcao::Pedir(sinal);
  const timespec prazo{kSegundosParaTerminar, 0};
  if (sigtimedwait(&sinais, nullptr, &prazo) < 0 && gSaindo.load()) {
    // The run has ended and the process is on its way out: its exit handlers get
    // their time. The temporary paths' list may be gone with the statics by now.
    const timespec saida{kSegundosParaSair, 0};
    sigtimedwait(&sinais, nullptr, &saida);
    _exit(TnInterrupcao::CodigoSaida(sinal));
  }
  TerminarJa(sinal);
}

}  // namespace

EnInterrompido::EnInterrompido(int sinal)
    : std::runtime_error("Execução interrompida (" + NomeSinal(sinal) + ")."), FSinal(sinal) {}

EnInterrompido::~EnInterrompido() = default;

void TnInterrupcao::InstalarTratamento() {
  sigset_t sinais;
  sigemptyset(&sinais);
  for (int s : kSinaisDeParada) sigaddset(&sinais, s);
  // Blocked here, the signals stay blocked in every thread started later (the
  // database engine's too) and reach only the watcher.
  pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
  std::atexit([] { gSaindo.store(true); });
  std::thread(Vigiar, sinais).detach();
}

void TnInterrupcao::Encerrando() { gSaindo.store(true); }

int TnInterrupcao::SinalRecebido() { return gSinal.load(); }

int TnInterrupcao::CodigoSaida(int sinal) { return kBaseCodigoSinal + sinal; }

int TnInterrupcao::ParadaPedida() {
  if (const int sinal = gSinal.load()) return sinal;
  return tParada && tParada->Pedida() ? SIGINT : 0;
}

void TnInterrupcao::Verificar() {
  if (const int sinal = gSinal.load(std::memory_order_relaxed)) throw EnInterrompido(sinal);
  if (tParada && tParada->Pedida()) throw EnInterrompido(SIGINT);
}

void TnInterrupcao::Pedir(int sinal) {
  gSinal.store(sinal);
  std::lock_guard<std::mutex> trava(gMutex);
  for (const auto& [id, cancelar] : gCancelamentos) cancelar();
}

void TnInterrupcao::Esquecer() { gSinal.store(0); }

int TnInterrupcao::RegistrarCancelamento(std::function<void()> cancelar) {
  std::lock_guard<std::mutex> trava(gMutex);
  gCancelamentos.emplace(gProximoId, std::move(cancelar));
  return gProximoId++;
}

void TnInterrupcao::RemoverCancelamento(int id) {
  std::lock_guard<std::mutex> trava(gMutex);
  gCancelamentos.erase(id);
}

void TnInterrupcao::RegistrarTemporario(const std::string& caminho) {
  std::lock_guard<std::mutex> trava(gMutex);
  gTemporarios.insert(caminho);
}

void TnInterrupcao::RemoverTemporario(const std::string& caminho) {
  std::lock_guard<std::mutex> trava(gMutex);
  gTemporarios.erase(caminho);
}

void TnParada::Pedir() {
  FPedida.store(true);
  std::lock_guard<std::mutex> trava(FMutex);
  if (FCancelar) FCancelar();
}

void TnParada::DefinirCancelamento(std::function<void()> cancelar) {
  std::lock_guard<std::mutex> trava(FMutex);
  FCancelar = std::move(cancelar);
}

TnEscopoParada::TnEscopoParada(TnParada& parada) : FAnterior(tParada) { tParada = &parada; }
TnEscopoParada::~TnEscopoParada() { tParada = FAnterior; }
