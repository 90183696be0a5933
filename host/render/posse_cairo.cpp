#include "host/render/posse_cairo.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <hb.h>
#include <pango/pango.h>

void TLiberaCairo::operator()(cairo_t* p) const noexcept { cairo_destroy(p); }
void TLiberaCairo::operator()(cairo_surface_t* p) const noexcept { cairo_surface_destroy(p); }
void TLiberaCairo::operator()(cairo_pattern_t* p) const noexcept { cairo_pattern_destroy(p); }
void TLiberaCairo::operator()(cairo_scaled_font_t* p) const noexcept { cairo_scaled_font_destroy(p); }
void TLiberaCairo::operator()(cairo_font_options_t* p) const noexcept { cairo_font_options_destroy(p); }
void TLiberaCairo::operator()(PangoFontMap* p) const noexcept { g_object_unref(p); }
void TLiberaCairo::operator()(PangoContext* p) const noexcept { g_object_unref(p); }
void TLiberaCairo::operator()(PangoLayout* p) const noexcept { g_object_unref(p); }
void TLiberaCairo::operator()(PangoLayoutIter* p) const noexcept { pango_layout_iter_free(p); }
void TLiberaCairo::operator()(PangoFont* p) const noexcept { g_object_unref(p); }
void TLiberaCairo::operator()(PangoFontDescription* p) const noexcept { pango_font_description_free(p); }
void TLiberaCairo::operator()(PangoFontMetrics* p) const noexcept { pango_font_metrics_unref(p); }
void TLiberaCairo::operator()(hb_buffer_t* p) const noexcept { hb_buffer_destroy(p); }
void TLiberaCairo::operator()(GdkPixbuf* p) const noexcept { g_object_unref(p); }
void TLiberaCairo::operator()(GdkPixbufLoader* p) const noexcept { g_object_unref(p); }
void TLiberaCairo::operator()(GError* p) const noexcept { g_error_free(p); }
void TLiberaCairo::operator()(char* p) const noexcept { g_free(p); }
