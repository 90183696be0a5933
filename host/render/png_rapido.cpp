#include "host/render/png_rapido.h"

#include <cairo.h>
#include <png.h>
#include <cstdint>

#include <csetjmp>
#include <cstdio>

namespace {

// No C++ object with a destructor may live here: libpng reports errors by longjmp.
bool Gravar(std::FILE* arquivo, cairo_surface_t* imagem) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  const int w = cairo_image_surface_get_width(imagem), h = cairo_image_surface_get_height(imagem);
  const int passo = cairo_image_surface_get_stride(imagem);
  unsigned char* dados = cairo_image_surface_get_data(imagem);
  png_init_io(png, arquivo);
  png_set_compression_level(png, 1);  // zlib best speed
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  // cairo keeps 0xXXRRGGBB words: B, G, R, unused in memory on little-endian machines
  if (cairo_image_surface_get_format(imagem) == CAIRO_FORMAT_RGB24) {
    const uint16_t teste = 1;
    if (*reinterpret_cast<const unsigned char*>(&teste) == 1) {
      png_set_bgr(png);
      png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
      png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
  }
  for (int y = 0; y < h; ++y) png_write_row(png, dados + static_cast<ptrdiff_t>(y) * passo);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool GravarPngRapido(cairo_surface_t* imagem, const char* caminho) {
  if (cairo_surface_status(imagem) != CAIRO_STATUS_SUCCESS ||
      cairo_image_surface_get_format(imagem) != CAIRO_FORMAT_RGB24)
    return false;
  cairo_surface_flush(imagem);
  std::FILE* arquivo = std::fopen(caminho, "wb");
  if (!arquivo) return false;
  const bool ok = Gravar(arquivo, imagem);
  return std::fclose(arquivo) == 0 && ok;
}
