#pragma once
// The page model's colours (low byte red) as cairo source colours.
#include <cairo.h>

#include "host/render/grafico.h"

inline void DefinirCor(cairo_t* cr, TColor c) {
  cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
}
