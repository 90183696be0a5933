#pragma once
// Progress frames: one bar (total) or two (total and partial) drawn on stderr
// when it is a terminal, silent otherwise. The numbers are kept either way.
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// How a progress frame last stood: its range end, its position, and whether it was freed.
struct TnQuadroProgresso {
  int Maximo = 0;
  int Posicao = 0;
  bool Liberado = false;
};

// Where progress frames show, the host's window control for them: they draw on
// stderr when it is a terminal. It keeps how every frame shown on it last stood.
class TnFraProgressoHost {
 public:
  const std::vector<TnQuadroProgresso>& Quadros() const { return FQuadros; }  //!< frames shown here, in order

 private:
  friend class TnFraProgresso;
  std::vector<TnQuadroProgresso> FQuadros;
};

// While it lives, told on its thread of every change of the total bar of any progress
// frame made there (a server showing a print's progress elsewhere). One per thread.
class TnEscutaProgresso {
 public:
  using TAviso = std::function<void(const std::string& texto, const TnQuadroProgresso& quadro)>;
  explicit TnEscutaProgresso(TAviso aviso);      // listens on this thread
  ~TnEscutaProgresso();                          // stops listening
  TnEscutaProgresso(const TnEscutaProgresso&) = delete;
  TnEscutaProgresso& operator=(const TnEscutaProgresso&) = delete;
  static void Avisar(const std::string& texto, const TnQuadroProgresso& quadro);  // from the frames

 private:
  TAviso FAviso;
  TnEscutaProgresso* FAnterior;
};

class TnFraProgresso {
 public:
  TnFraProgresso();
  ~TnFraProgresso();                                        // clears what it drew
  TnFraProgresso(const TnFraProgresso&) = delete;
  TnFraProgresso& operator=(const TnFraProgresso&) = delete;

  // 0..rows of ds (a dataset, or anything counting its RecordCount(); none counts 0), text
  template <class TConjunto>
  void ConfigurarProgressoTotal(const TConjunto* ds, const std::string& texto) {
    ConfigurarProgressoTotal(0, ds ? ds->RecordCount() : 0, texto);
  }
  void ConfigurarProgressoTotal(int inicio, int fim, const std::string& texto);  // range and its text
  void ConfigurarProgressoTotal(int inicio, int fim);       // total bar range, position at inicio
  void ConfigurarProgressoParcial(int inicio, int fim);     // partial bar range, position at inicio
  void SetTextos(const std::string& total, const std::string& parcial);  // captions of the two bars
  void MostrarSimples(TnFraProgressoHost* pai = nullptr);   // shows the total bar alone (on pai, which outlives it)
  void MostrarMultiplo(TnFraProgressoHost* pai = nullptr);  // shows both bars
  void Ocultar();                                           // stops showing, keeps the numbers
  void IncProgressoTotal(int passo = 0);                    // advances passo steps (0 = one), up to the end
  void IncProgressoParcial(int passo = 0);                  // same for the partial bar
  void SetProgressoTotal(int posicao);                      // moves the total bar
  void SetProgressoParcial(int posicao);                    // moves the partial bar (0 resets it)

  int PosicaoTotal() const { return FTotal.Posicao; }       // current total position
  int MaximoTotal() const { return FTotal.Fim; }            // end of the total range
  int PosicaoParcial() const { return FParcial.Posicao; }   // current partial position
  int MaximoParcial() const { return FParcial.Fim; }        // end of the partial range
  bool Visivel() const { return FVisivel; }                 // shown now
  bool Multiplo() const { return FMultiplo; }               // two bars
  void DefinirSaida(std::ostream* saida);                   // draw there instead (tests); null = stderr if a terminal

 private:
  struct TBarra {
    int Inicio = 0, Fim = 0, Posicao = 0;
    std::string Texto;
    int Percentual() const;
  };
  void Desenhar(bool forcar = false);
  void Apagar();
  void Anotar(bool liberado = false);                       // tells the frame's host how it stands
  void MostrarEm(TnFraProgressoHost* pai);
  TBarra FTotal, FParcial;
  bool FVisivel = false, FMultiplo = false;
  int FLinhasDesenhadas = 0;
  int FUltimoTotal = -1, FUltimoParcial = -1;
  std::ostream* FSaida = nullptr;
  bool FTerminal = false;
  TnFraProgressoHost* FHost = nullptr;
  size_t FQuadro = 0;                                       // its entry in FHost
};

std::unique_ptr<TnFraProgresso> CriarProgresso(const void* dono = nullptr);  // the caller frees it
