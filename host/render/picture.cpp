#include "host/render/picture.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <cstring>

namespace {

struct TLiberaGObject {
  void operator()(gpointer p) const { if (p) g_object_unref(p); }
};
using TLoader = std::unique_ptr<GdkPixbufLoader, TLiberaGObject>;
using TPixbuf = std::unique_ptr<GdkPixbuf, TLiberaGObject>;

// Decodes with gdk-pixbuf; null for anything it cannot read.
TPixbuf Decodificar(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  TLoader loader(gdk_pixbuf_loader_new());
  GError* erro = nullptr;
  bool ok = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()),
                                    bytes.size(), &erro);
  if (erro) { g_error_free(erro); erro = nullptr; }
  // close must always run, or the loader complains when freed
  bool fechou = gdk_pixbuf_loader_close(loader.get(), &erro);
  if (erro) g_error_free(erro);
  if (!ok || !fechou) return nullptr;
  GdkPixbuf* pb = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (!pb) return nullptr;
  // photos from cameras carry their orientation apart from the pixels
  return TPixbuf(gdk_pixbuf_apply_embedded_orientation(pb));
}

// Copies the pixbuf into a premultiplied ARGB32 cairo surface.
cairo_surface_t* ParaSuperficie(GdkPixbuf* pb) {
  const int w = gdk_pixbuf_get_width(pb), h = gdk_pixbuf_get_height(pb);
  const int canais = gdk_pixbuf_get_n_channels(pb);
  const bool alfa = gdk_pixbuf_get_has_alpha(pb);
  if (w <= 0 || h <= 0 || gdk_pixbuf_get_bits_per_sample(pb) != 8 || canais < (alfa ? 4 : 3))
    return nullptr;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
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
  return s;
}

}  // namespace

std::shared_ptr<TPicture> TPicture::DeBytes(std::string bytes) {
  std::shared_ptr<TPicture> p(new TPicture());
  TPixbuf pb = Decodificar(bytes);
  if (pb) {
    p->FSuperficie = ParaSuperficie(pb.get());
    if (p->FSuperficie) {
      p->FLargura = cairo_image_surface_get_width(p->FSuperficie);
      p->FAltura = cairo_image_surface_get_height(p->FSuperficie);
    }
  }
  return p;
}

TPicture::~TPicture() {
  if (FSuperficie) cairo_surface_destroy(FSuperficie);
}
