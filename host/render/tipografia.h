#pragma once
// Label text for the renderer: shapes each text once (HarfBuzz through pango),
// keeps the glyph runs of repeated texts, and draws them with plain cairo calls.
#include <memory>
#include <string_view>

#include "host/render/pagina.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

// What was last set on a cairo context, so repeated labels skip redundant calls.
// Reset Fonte after cairo_restore.
struct TPincel {
  cairo_t* Cr = nullptr;
  cairo_scaled_font_t* Fonte = nullptr;
};

class TTipografia {
 public:
  TTipografia();
  ~TTipografia();
  TTipografia(const TTipografia&) = delete;
  TTipografia& operator=(const TTipografia&) = delete;

  // Draws texto in area with the current source colour: one line ellipsized to the width
  // and centred vertically, or wrapped lines from the top cut with an ellipsis at the bottom.
  void Desenhar(TPincel& pincel, const TFonte& fonte, TAlinhamento alinhamento, bool multiLinha,
                const TRetangulo& area, std::string_view texto);
  double Largura(const TFonte& fonte, std::string_view texto);  // one-line width, layout units
  double AlturaLinha(const TFonte& fonte);                      // ascent plus descent, layout units

 private:
  struct TImpl;
  std::unique_ptr<TImpl> F;
};
