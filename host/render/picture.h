#pragma once
// A picture for a layout image element, decoded once from its file bytes
// (PNG, JPEG, BMP, GIF, TIFF... whatever gdk-pixbuf reads).
#include <memory>
#include <string>

#include "host/render/posse_cairo.h"

class TPicture {
 public:
  static std::shared_ptr<TPicture> DeBytes(std::string bytes);  // never null; not Valida when unreadable
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  bool Valida() const { return FSuperficie != nullptr; }  // the bytes decoded to an image
  int Largura() const { return FLargura; }     // width in pixels, 0 when not valid
  int Altura() const { return FAltura; }       // height in pixels, 0 when not valid
  cairo_surface_t* Superficie() const { return FSuperficie.get(); }  // decoded image for drawing, null when not valid

 private:
  TPicture() = default;
  TSuperficieCairo FSuperficie;
  int FLargura = 0, FAltura = 0;
};
