// Typography when shaping a text fails halfway: nothing of it is kept, neither a half-shaped
// text in the cache nor the pango layout it was walking.
#include "host/render/tipografia.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "host/render/posse_cairo.h"

// The allocations of this test program, one of which can be made to fail: the next one of
// exactly gTamanhoQueFalha bytes throws std::bad_alloc.
namespace {
std::size_t gTamanhoQueFalha = 0;

void* Alocar(std::size_t n) {
  if (n != 0 && n == gTamanhoQueFalha) {
    gTamanhoQueFalha = 0;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return Alocar(n); }
void* operator new[](std::size_t n) { return Alocar(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

constexpr int kLado = 200;

// The pixels of texto drawn in wrapped lines by tipografia on a white square.
std::string Pixels(TTipografia& tipografia, const std::string& texto) {
  const TSuperficieCairo superficie(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kLado, kLado));
  const TContextoCairo cr(cairo_create(superficie.get()));
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());
  cairo_set_source_rgb(cr.get(), 0, 0, 0);
  TPincel pincel{cr.get(), nullptr};
  tipografia.Desenhar(pincel, TFonte{}, TAlinhamento::Esquerda, true, {0, 0, kLado, kLado}, texto);
  cairo_surface_flush(superficie.get());
  const auto* dados = reinterpret_cast<const char*>(cairo_image_surface_get_data(superficie.get()));
  return std::string(dados, static_cast<size_t>(cairo_image_surface_get_stride(superficie.get())) * kLado);
}

TEST(Tipografia, AFailureWhileWalkingTheLayoutKeepsNothingOfThatText) {
  const std::string texto = "Concreto usinado fck 30 MPa, bombeado";
  TTipografia nova;
  const std::string esperado = Pixels(nova, texto);
  ASSERT_TRUE(esperado != Pixels(nova, "")) << "the text shows";

  TTipografia tipografia;
  tipografia.AlturaLinha(TFonte{});  // the font loaded beforehand
  // The first glyph kept from the layout's runs is the first allocation of that size.
  gTamanhoQueFalha = sizeof(cairo_glyph_t);
  EXPECT_THROW(Pixels(tipografia, texto), std::bad_alloc);
  EXPECT_EQ(gTamanhoQueFalha, 0u) << "the allocation meant to fail was not made";
  gTamanhoQueFalha = 0;
  EXPECT_TRUE(Pixels(tipografia, texto) == esperado) << "shaped again in full, not taken half-done from the cache";
}

}  // namespace
