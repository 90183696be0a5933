#pragma once
// A run asked to stop by a signal (Ctrl-C, kill, a closed terminal). A watcher
// thread notes the signal and cancels what is waiting (a query in the engine);
// long loops check for it, so the run ends by the normal error path and its
// temporary files go with it. A run that does not end in time is ended for it.
#include <atomic>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>

// The run was stopped by a signal; it unwinds like any failure.
class EnInterrompido : public std::runtime_error {
 public:
  explicit EnInterrompido(int sinal);
  ~EnInterrompido() override;                    // in the host library, so it outlives a plug-in that raised it
  int Sinal() const { return FSinal; }           // SIGINT, SIGTERM or SIGHUP

 private:
  int FSinal;
};

class TnInterrupcao {
 public:
  static void InstalarTratamento();              // watches SIGINT, SIGTERM, SIGHUP (a run not ended 2 s after one is ended; an exit under way gets 30 s); call first in main, before any thread
  static void Encerrando();                      // the stop was honoured and what follows is the orderly close: it gets the exit's 30 s
  static int SinalRecebido();                    // 0 until a stop is asked, then the signal number
  static int ParadaPedida();                     // SinalRecebido(), else SIGINT once this thread's TnParada was asked
  static int CodigoSaida(int sinal);             // the shell's status for it: 128 + signal
  static void Verificar();                       // throws EnInterrompido once a stop was asked
  static void Pedir(int sinal);                  // asks the run to stop and runs the cancellers
  static void Esquecer();                        // forgets a stop request (tests)

  static int RegistrarCancelamento(std::function<void()> cancelar);  // run on a stop request, from the watcher
  static void RemoverCancelamento(int id);       // waits while that canceller runs
  static void RegistrarTemporario(const std::string& caminho);  // removed if the run has to be ended for it
  static void RemoverTemporario(const std::string& caminho);
};

// A stop asked of one run alone, among others of the same process (the prints a
// server runs): bound to the thread that runs it (TnEscopoParada), Verificar there
// throws EnInterrompido once it is asked, and its canceller ends what waits (a query).
class TnParada {
 public:
  void Pedir();                                  // from any thread: marks it, then runs the canceller
  bool Pedida() const { return FPedida.load(); } // asked already
  void DefinirCancelamento(std::function<void()> cancelar);  // empty = none; waits while the old one runs

 private:
  std::atomic<bool> FPedida{false};
  std::mutex FMutex;
  std::function<void()> FCancelar;
};

// Binds a TnParada to the current thread while it lives (one at a time per thread).
class TnEscopoParada {
 public:
  explicit TnEscopoParada(TnParada& parada);
  ~TnEscopoParada();
  TnEscopoParada(const TnEscopoParada&) = delete;
  TnEscopoParada& operator=(const TnEscopoParada&) = delete;

 private:
  TnParada* FAnterior;
};
