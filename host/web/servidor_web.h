#pragma once
// `rpt serve`: the reports in a browser. One process, one database, several browsers:
// an index of the plug-ins, each report's parameter form run live on the server (one
// form per browser tab, released when the tab goes or after a time without use), and
// prints run on their own threads whose pages and files are served by opaque ids.
#include <memory>
#include <stdexcept>
#include <string>

struct TnOpcoesServidor {
  std::string Banco;                             // file (embedded) or host:path of a server
  std::string PastaPlugins;                      // empty = the default folder
  std::string Endereco = "127.0.0.1";            // where it listens
  int Porta = 8080;                              // 0 = any free port (tests)
  std::string Token;                             // required on every request when not empty
  int SegundosOcioso = 900;                      // a form unused this long is released
  std::string PastaTemporaria;                   // where the prints' folders go; empty = $TMPDIR or /tmp
};

bool EhLoopback(const std::string& endereco);    // 127.x.x.x, ::1, localhost

class TnServidorWeb {
 public:
  // Checks the options (raises EnOpcao naming one) and opens the database once, so a
  // wrong one is told now; binds the address.
  explicit TnServidorWeb(const TnOpcoesServidor& opcoes);
  ~TnServidorWeb();                              // stops, cancels the prints, removes every temporary file
  TnServidorWeb(const TnServidorWeb&) = delete;
  TnServidorWeb& operator=(const TnServidorWeb&) = delete;

  int Porta() const;                             // the port bound
  void Atender();                                // answers requests until Parar()
  void Parar();                                  // from any thread (a signal's canceller)

  struct TImpl;

 private:
  std::unique_ptr<TImpl> F;
};

// A wrong option of the server, naming it ("--listen: ..."), for exit status 2.
class EnOpcao : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  ~EnOpcao() override;
};
