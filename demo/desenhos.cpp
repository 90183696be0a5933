#include "demo/desenhos.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "host/render/posse_cairo.h"

namespace demo {

namespace {

// A picture being drawn: its pixels and the context drawing on them.
struct TSuperficie {
  TSuperficieCairo Pixels;
  TContextoCairo Contexto;
  cairo_t* C;
  TSuperficie(int l, int a)
      : Pixels(cairo_image_surface_create(CAIRO_FORMAT_RGB24, l, a)), Contexto(cairo_create(Pixels.get())),
        C(Contexto.get()) {}

  std::string Png() {
    cairo_surface_t* S = Pixels.get();
    cairo_surface_flush(S);
    std::string bytes;
    auto escrever = [](void* destino, const unsigned char* dados, unsigned int n) {
      static_cast<std::string*>(destino)->append(reinterpret_cast<const char*>(dados), n);
      return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(S, escrever, &bytes) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("Falha ao gerar imagem PNG da base de demonstração.");
    return bytes;
  }
};

void Cor(cairo_t* c, uint32_t rgb) {
  cairo_set_source_rgb(c, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

}  // namespace

std::string DesenharLogo(const std::string& sigla, uint32_t corFundo) {
  TSuperficie s(240, 80);
  cairo_t* c = s.C;
  Cor(c, 0xFFFFFF);
  cairo_paint(c);
  Cor(c, corFundo);
  cairo_rectangle(c, 6, 6, 68, 68);
  cairo_fill(c);
  Cor(c, 0xFFFFFF);  // a stylised building in the square
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(c, 16 + i * 18, 56 - i * 12, 12, 12 + i * 12);
    cairo_fill(c);
  }
  Cor(c, corFundo);
  cairo_select_font_face(c, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(c, 22);
  cairo_move_to(c, 84, 48);
  cairo_show_text(c, sigla.c_str());
  return s.Png();
}

std::string DesenharFoto(int andares, double conclusao, const std::string& fase, uint32_t corFase, int variacao) {
  TSuperficie s(160, 120);
  cairo_t* c = s.C;
  const TPadraoCairo ceu(cairo_pattern_create_linear(0, 0, 0, 90));
  cairo_pattern_add_color_stop_rgb(ceu.get(), 0, 0.35, 0.6 + 0.05 * (variacao % 3), 0.9);
  cairo_pattern_add_color_stop_rgb(ceu.get(), 1, 0.85, 0.92, 0.98);
  cairo_set_source(c, ceu.get());
  cairo_paint(c);
  Cor(c, 0x8B6B4A);  // ground
  cairo_rectangle(c, 0, 96, 160, 24);
  cairo_fill(c);
  const int feitos = std::max(1, static_cast<int>(std::lround(andares * conclusao)));
  const double x = 30 + 8 * (variacao % 4), largura = 70, altura = 10;
  for (int a = 0; a < feitos && a < 8; ++a) {
    const double y = 96 - (a + 1) * altura;
    Cor(c, a + 1 == feitos && conclusao < 1.0 ? 0x9E9E9E : corFase);
    cairo_rectangle(c, x, y, largura, altura - 1);
    cairo_fill(c);
    Cor(c, 0xF5F0C8);  // windows
    for (int j = 0; j < 5; ++j) {
      cairo_rectangle(c, x + 5 + j * 13, y + 2, 7, altura - 5);
      cairo_fill(c);
    }
  }
  if (conclusao < 1.0) {  // the crane while the structure goes up
    Cor(c, 0xE0A000);
    cairo_set_line_width(c, 2);
    cairo_move_to(c, 128, 96);
    cairo_line_to(c, 128, 14);
    cairo_line_to(c, 96 - 10 * (variacao % 2), 14);
    cairo_stroke(c);
  }
  Cor(c, 0x202020);
  cairo_select_font_face(c, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(c, 11);
  cairo_move_to(c, 6, 114);
  cairo_show_text(c, ("Fase " + fase).c_str());
  return s.Png();
}

}  // namespace demo
