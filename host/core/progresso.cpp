#include "host/core/progresso.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace {
constexpr int kLargura = 30;  // characters of a bar
thread_local TnEscutaProgresso* tEscuta = nullptr;
}  // namespace

TnEscutaProgresso::TnEscutaProgresso(TAviso aviso) : FAviso(std::move(aviso)), FAnterior(tEscuta) { tEscuta = this; }
TnEscutaProgresso::~TnEscutaProgresso() { tEscuta = FAnterior; }

void TnEscutaProgresso::Avisar(const std::string& texto, const TnQuadroProgresso& quadro) {
  if (tEscuta && tEscuta->FAviso) tEscuta->FAviso(texto, quadro);
}

int TnFraProgresso::TBarra::Percentual() const {
  if (Fim <= Inicio) return 0;
  return static_cast<int>(100LL * (Posicao - Inicio) / (Fim - Inicio));
}

TnFraProgresso::TnFraProgresso() : FTerminal(isatty(STDERR_FILENO) == 1) {
  if (FTerminal) FSaida = &std::cerr;
}

TnFraProgresso::~TnFraProgresso() {
  Apagar();
  Anotar(true);
}

void TnFraProgresso::MostrarEm(TnFraProgressoHost* pai) {
  if (!pai || pai == FHost) return;
  FHost = pai;
  FQuadro = pai->FQuadros.size();
  pai->FQuadros.emplace_back();
  Anotar();
}

void TnFraProgresso::Anotar(bool liberado) {
  TnEscutaProgresso::Avisar(FTotal.Texto, {FTotal.Fim, FTotal.Posicao, liberado});
  if (!FHost) return;
  TnQuadroProgresso& q = FHost->FQuadros[FQuadro];
  q.Maximo = FTotal.Fim;
  q.Posicao = FTotal.Posicao;
  q.Liberado = liberado;
}

void TnFraProgresso::DefinirSaida(std::ostream* saida) {
  Apagar();
  FTerminal = saida != nullptr || isatty(STDERR_FILENO) == 1;
  FSaida = saida ? saida : (FTerminal ? &std::cerr : nullptr);
}

void TnFraProgresso::ConfigurarProgressoTotal(int inicio, int fim, const std::string& texto) {
  FTotal.Texto = texto;
  ConfigurarProgressoTotal(inicio, fim);
}

void TnFraProgresso::ConfigurarProgressoTotal(int inicio, int fim) {
  FTotal.Inicio = inicio;
  FTotal.Fim = std::max(inicio, fim);
  FTotal.Posicao = inicio;
  Anotar();
  Desenhar(true);
}

void TnFraProgresso::ConfigurarProgressoParcial(int inicio, int fim) {
  FParcial.Inicio = inicio;
  FParcial.Fim = std::max(inicio, fim);
  FParcial.Posicao = inicio;
  Desenhar(true);
}

void TnFraProgresso::SetTextos(const std::string& total, const std::string& parcial) {
  FTotal.Texto = total;
  FParcial.Texto = parcial;
  Anotar();
  Desenhar(true);
}

void TnFraProgresso::MostrarSimples(TnFraProgressoHost* pai) {
  MostrarEm(pai);
  Apagar();
  FVisivel = true;
  FMultiplo = false;
  Desenhar(true);
}

void TnFraProgresso::MostrarMultiplo(TnFraProgressoHost* pai) {
  MostrarEm(pai);
  Apagar();
  FVisivel = true;
  FMultiplo = true;
  Desenhar(true);
}

void TnFraProgresso::Ocultar() {
  Apagar();
  FVisivel = false;
}

void TnFraProgresso::IncProgressoTotal(int passo) { SetProgressoTotal(FTotal.Posicao + std::max(passo, 1)); }
void TnFraProgresso::IncProgressoParcial(int passo) { SetProgressoParcial(FParcial.Posicao + std::max(passo, 1)); }

void TnFraProgresso::SetProgressoTotal(int posicao) {
  FTotal.Posicao = std::clamp(posicao, FTotal.Inicio, FTotal.Fim);
  Anotar();
  Desenhar();
}

void TnFraProgresso::SetProgressoParcial(int posicao) {
  FParcial.Posicao = std::clamp(posicao, FParcial.Inicio, FParcial.Fim);
  Desenhar();
}

void TnFraProgresso::Apagar() {
  if (!FSaida || FLinhasDesenhadas == 0) return;
  // Back to the first drawn line, clearing each one.
  *FSaida << "\r\033[K";
  for (int i = 1; i < FLinhasDesenhadas; ++i) *FSaida << "\033[1A\r\033[K";
  FSaida->flush();
  FLinhasDesenhadas = 0;
  FUltimoTotal = FUltimoParcial = -1;
}

void TnFraProgresso::Desenhar(bool forcar) {
  if (!FSaida || !FVisivel) return;
  int total = FTotal.Percentual(), parcial = FParcial.Percentual();
  // Redraw only when a percentage moves: loops call this once per row.
  if (!forcar && total == FUltimoTotal && (!FMultiplo || parcial == FUltimoParcial)) return;
  FUltimoTotal = total;
  FUltimoParcial = parcial;
  auto linha = [](const TBarra& b) {
    int cheio = b.Percentual() * kLargura / 100;
    return b.Texto + " [" + std::string(static_cast<size_t>(cheio), '#') +
           std::string(static_cast<size_t>(kLargura - cheio), '.') + "] " + std::to_string(b.Percentual()) + "%";
  };
  if (FLinhasDesenhadas == 2) *FSaida << "\033[1A";
  *FSaida << "\r\033[K" << linha(FTotal);
  if (FMultiplo) *FSaida << "\n\r\033[K" << linha(FParcial);
  FLinhasDesenhadas = FMultiplo ? 2 : 1;
  FSaida->flush();
}

std::unique_ptr<TnFraProgresso> CriarProgresso(const void*) { return std::make_unique<TnFraProgresso>(); }
