#include "host/render/picture.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <cstring>

namespace {

// Decodes with gdk-pixbuf; null for anything it cannot read.
TPixbuf Decodificar(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  const TCarregadorPixbuf loader(gdk_pixbuf_loader_new());
  // unreadable bytes make an invalid picture, not an error: the errors are only freed
  GError* erro = nullptr;
  const bool ok = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()),
                                          bytes.size(), &erro);
  const TErroGlib erroEscrita(erro);
  // close must always run, or the loader complains when freed
  erro = nullptr;
  const bool fechou = gdk_pixbuf_loader_close(loader.get(), &erro);
  const TErroGlib erroFecho(erro);
  if (!ok || !fechou) return nullptr;
  GdkPixbuf* pb = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (!pb) return nullptr;
  // photos from cameras carry their orientation apart from the pixels
  return TPixbuf(gdk_pixbuf_apply_embedded_orientation(pb));
}

// Copies the pixbuf into a premultiplied ARGB32 cairo surface.
TSuperficieCairo ParaSuperficie(GdkPixbuf* pb) {
  const int w = gdk_pixbuf_get_width(pb), h = gdk_pixbuf_get_height(pb);
  const int canais = gdk_pixbuf_get_n_channels(pb);
  const bool alfa = gdk_pixbuf_get_has_alpha(pb);
  if (w <= 0 || h <= 0 || gdk_pixbuf_get_bits_per_sample(pb) != 8 || canais < (alfa ? 4 : 3))
    return nullptr;
  TSuperficieCairo superficie(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  cairo_surface_t* s = superficie.get();
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(s);
  const guchar* origem = gdk_pixbuf_read_pixels(pb);
  const int passoOrigem = gdk_pixbuf_get_rowstride(pb);
  unsigned char* destino = cairo_image_surface_get_data(s);
  const int passoDestino = cairo_image_surface_get_stride(s);
  for (int y = 0; y < h; ++y) {
    const guchar* p = origem + static_cast<ptrdiff_t>(y) * passoOrigem;
    auto* q = reinterpret_cast<uint32_t*>(destino + static_cast<ptrdiff_t>(y) * passoDestino);
    for (int x = 0; x < w; ++x, p += canais) {
      uint32_t a = alfa ? p[3] : 255;
      uint32_t r = p[0] * a / 255, g = p[1] * a / 255, b = p[2] * a / 255;
      q[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return superficie;
}

}  // namespace

std::shared_ptr<TPicture> TPicture::DeBytes(std::string bytes) {
  std::shared_ptr<TPicture> p(new TPicture());
  TPixbuf pb = Decodificar(bytes);
  if (pb) {
    p->FSuperficie = ParaSuperficie(pb.get());
    if (p->FSuperficie) {
      p->FLargura = cairo_image_surface_get_width(p->FSuperficie.get());
      p->FAltura = cairo_image_surface_get_height(p->FSuperficie.get());
    }
  }
  return p;
}
