#include "host/render/renderizador.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

#include "host/core/interrupcao.h"
#include "host/render/arquivo_paginas.h"
#include "host/render/cor_cairo.h"
#include "host/render/desenho_grafico.h"
#include "host/render/picture.h"
#include "host/render/png_rapido.h"
#include "host/render/posse_cairo.h"
#include "host/render/tipografia.h"

namespace {

constexpr double kPontosPorUnidade = 72.0 / 96.0;  // PDF points per layout unit
constexpr TColor kCinzaMoldura = 0xA0A0A0;

void Verificar(cairo_status_t st, const char* oque) {
  if (st != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error(std::string("Falha ao gerar ") + oque + ": " + cairo_status_to_string(st));
}

// Removes what a failed Finalizar had started writing.
class TSaidasParciais {
 public:
  void Anotar(std::string caminho) { FCaminhos.push_back(std::move(caminho)); }
  void Confirmar() { FCaminhos.clear(); }
  ~TSaidasParciais() {
    std::error_code ec;
    for (const auto& c : FCaminhos) std::filesystem::remove(c, ec);
  }

 private:
  std::vector<std::string> FCaminhos;
};

}  // namespace

struct TnRenderizador::TImpl {
  std::string ArquivoPdf, PastaPng;
  double EscalaPng;
  TArquivoPaginas Paginas;
  TTipografia Tipografia;
  bool Finalizado = false;
  int TotalPaginas = 0;
  std::string TextoTotal;                      // the page count as text
  std::string Rascunho;                        // a text with the page count in place
  std::optional<TColor> UltimaCor;             // source colour last set, within a page

  void Cor(cairo_t* cr, TColor c) {
    if (UltimaCor == c) return;
    DefinirCor(cr, c);
    UltimaCor = c;
  }

  void DesenharTexto(TPincel& p, const TElementoTexto& t) {
    std::string_view texto = t.Texto;
    if (t.ComTotalPaginas) {
      Rascunho = t.Texto;
      const std::string marca = kMarcaTotalPaginas;
      for (size_t pos = Rascunho.find(marca); pos != std::string::npos;
           pos = Rascunho.find(marca, pos + TextoTotal.size()))
        Rascunho.replace(pos, marca.size(), TextoTotal);
      texto = Rascunho;
    }
    if (texto.empty()) return;
    Cor(p.Cr, t.Fonte.Cor);
    Tipografia.Desenhar(p, t.Fonte, t.Alinhamento, t.MultiLinha, t.Area, texto);
  }

  void DesenharImagem(cairo_t* cr, const TElementoImagem& im) {
    const TRetangulo& a = im.Area;
    const TPicture* pic = im.Imagem.get();
    if (pic && pic->Valida() && a.Largura > 0 && a.Altura > 0) {
      // fit inside the area keeping proportions, centred
      const double esc = std::min(a.Largura / pic->Largura(), a.Altura / pic->Altura());
      const double w = pic->Largura() * esc, h = pic->Altura() * esc;
      cairo_save(cr);
      cairo_rectangle(cr, a.X, a.Y, a.Largura, a.Altura);
      cairo_clip(cr);
      cairo_translate(cr, a.X + (a.Largura - w) / 2, a.Y + (a.Altura - h) / 2);
      cairo_scale(cr, esc, esc);
      cairo_set_source_surface(cr, pic->Superficie(), 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
      cairo_paint(cr);
      cairo_restore(cr);
      UltimaCor.reset();
    }
    // an unreadable picture still shows where it belongs
    const bool ilegivel = pic && !pic->Valida();
    if (im.Moldura || ilegivel) {
      Cor(cr, kCinzaMoldura);
      cairo_set_line_width(cr, 1);
      cairo_rectangle(cr, a.X + 0.5, a.Y + 0.5, std::max(a.Largura - 1, 0.0), std::max(a.Altura - 1, 0.0));
      cairo_stroke(cr);
    }
  }

  void DesenharPagina(cairo_t* cr, const TPagina& pg) {
    TPincel p{cr, nullptr};
    UltimaCor.reset();
    for (const TElemento& el : pg.Elementos) {
      if (auto* t = std::get_if<TElementoTexto>(&el)) {
        DesenharTexto(p, *t);
      } else if (auto* l = std::get_if<TElementoLinha>(&el)) {
        Cor(cr, l->Cor);
        cairo_set_line_width(cr, l->Espessura > 0 ? l->Espessura : 1);
        cairo_move_to(cr, l->X1, l->Y1);
        cairo_line_to(cr, l->X2, l->Y2);
        cairo_stroke(cr);
      } else if (auto* c = std::get_if<TElementoCaixa>(&el)) {
        const TRetangulo& a = c->Area;
        if (c->Preenchimento) {
          Cor(cr, *c->Preenchimento);
          cairo_rectangle(cr, a.X, a.Y, a.Largura, a.Altura);
          cairo_fill(cr);
        }
        if (c->Borda) {
          Cor(cr, *c->Borda);
          cairo_set_line_width(cr, c->Espessura > 0 ? c->Espessura : 1);
          cairo_rectangle(cr, a.X, a.Y, a.Largura, a.Altura);
          cairo_stroke(cr);
        }
      } else if (auto* im = std::get_if<TElementoImagem>(&el)) {
        DesenharImagem(cr, *im);
        p.Fonte = nullptr;
      } else if (auto* g = std::get_if<TElementoGrafico>(&el)) {
        if (g->Grafico && g->Area.Largura > 0 && g->Area.Altura > 0) {
          cairo_save(cr);
          DesenharGrafico(p, Tipografia, *g->Grafico, g->Area);
          cairo_restore(cr);
          p.Fonte = nullptr;
          UltimaCor.reset();
        }
      }
    }
  }

  void GravarPng(const TPagina& pg, TSaidasParciais& parciais) {
    const int w = std::max(1, static_cast<int>(std::ceil(pg.Largura * EscalaPng - 1e-6)));
    const int h = std::max(1, static_cast<int>(std::ceil(pg.Altura * EscalaPng - 1e-6)));
    const TSuperficieCairo s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    {
      const TContextoCairo cr(cairo_create(s.get()));
      cairo_set_source_rgb(cr.get(), 1, 1, 1);
      cairo_paint(cr.get());
      cairo_scale(cr.get(), EscalaPng, EscalaPng);
      DesenharPagina(cr.get(), pg);
    }
    char nome[32];
    std::snprintf(nome, sizeof nome, "pagina-%04d.png", pg.Numero > 0 ? pg.Numero : 0);
    const std::string caminho = (std::filesystem::path(PastaPng) / nome).string();
    parciais.Anotar(caminho);
    if (!GravarPngRapido(s.get(), caminho.c_str())) throw std::runtime_error("Falha ao gravar " + caminho + ".");
  }

  void Finalizar(int totalPaginas) {
    if (Finalizado) throw std::logic_error("O relatório já foi finalizado.");
    Finalizado = true;
    TotalPaginas = totalPaginas > 0 ? totalPaginas : Paginas.Quantidade();
    TextoTotal = std::to_string(TotalPaginas);
    TSaidasParciais parciais;
    if (!PastaPng.empty()) std::filesystem::create_directories(PastaPng);
    parciais.Anotar(ArquivoPdf);
    const TSuperficieCairo superficie(
        cairo_pdf_surface_create(ArquivoPdf.c_str(), 794 * kPontosPorUnidade, 1123 * kPontosPorUnidade));
    const TContextoCairo contexto(cairo_create(superficie.get()));
    cairo_surface_t* pdf = superficie.get();
    cairo_t* cr = contexto.get();
    Verificar(cairo_surface_status(pdf), ArquivoPdf.c_str());
    Paginas.Rebobinar();
    TPagina pg;
    int numero = 0;
    while (Paginas.Ler(pg)) {
      TnInterrupcao::Verificar();
      ++numero;
      if (pg.Numero <= 0) pg.Numero = numero;
      if (!(pg.Largura >= 1 && pg.Altura >= 1)) throw std::runtime_error("Página " + std::to_string(numero) + " sem tamanho válido.");
      cairo_pdf_surface_set_size(pdf, pg.Largura * kPontosPorUnidade, pg.Altura * kPontosPorUnidade);
      cairo_save(cr);
      cairo_scale(cr, kPontosPorUnidade, kPontosPorUnidade);
      DesenharPagina(cr, pg);
      cairo_restore(cr);
      cairo_show_page(cr);
      Verificar(cairo_status(cr), ArquivoPdf.c_str());
      if (!PastaPng.empty()) GravarPng(pg, parciais);
    }
    if (numero == 0) cairo_show_page(cr);  // a valid file with one blank page
    cairo_surface_finish(pdf);
    Verificar(cairo_surface_status(pdf), ArquivoPdf.c_str());
    parciais.Confirmar();
  }
};

TnRenderizador::TnRenderizador(std::string arquivoPdf, std::string pastaPng, double escalaPng)
    : F(std::make_unique<TImpl>()) {
  if (arquivoPdf.empty()) throw std::invalid_argument("Informe o arquivo PDF de saída.");
  if (!(escalaPng > 0 && escalaPng <= 16)) throw std::invalid_argument("Escala de PNG inválida.");
  F->ArquivoPdf = std::move(arquivoPdf);
  F->PastaPng = std::move(pastaPng);
  F->EscalaPng = escalaPng;
}

TnRenderizador::~TnRenderizador() = default;

void TnRenderizador::AdicionarPagina(TPagina&& pagina) {
  if (F->Finalizado) throw std::logic_error("O relatório já foi finalizado.");
  F->Paginas.Gravar(pagina);
}

void TnRenderizador::Finalizar(int totalPaginas) { F->Finalizar(totalPaginas); }
