#pragma once
// Owning handles for the cairo, pango, HarfBuzz, gdk-pixbuf and GLib objects the renderer
// makes: a std::unique_ptr that frees its object with the library's own call, on every
// path, exceptions included. A handle takes over one reference the caller already owns
// (from a *_create, *_new, *_copy, *_reference or a call that returns a new reference);
// pointers lent by another object (cairo_get_source, pango_layout_iter_get_run_readonly)
// stay raw. Null handles are allowed and free nothing.
#include <memory>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_pattern cairo_pattern_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;
typedef struct _cairo_font_options cairo_font_options_t;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoLayoutIter PangoLayoutIter;
typedef struct _PangoFont PangoFont;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoFontMetrics PangoFontMetrics;
typedef struct hb_buffer_t hb_buffer_t;
typedef struct _GdkPixbuf GdkPixbuf;
typedef struct _GdkPixbufLoader GdkPixbufLoader;
typedef struct _GError GError;

// The library call that gives each kind of object back.
struct TLiberaCairo {
  void operator()(cairo_t* p) const noexcept;                // cairo_destroy
  void operator()(cairo_surface_t* p) const noexcept;        // cairo_surface_destroy
  void operator()(cairo_pattern_t* p) const noexcept;        // cairo_pattern_destroy
  void operator()(cairo_scaled_font_t* p) const noexcept;    // cairo_scaled_font_destroy
  void operator()(cairo_font_options_t* p) const noexcept;   // cairo_font_options_destroy
  void operator()(PangoFontMap* p) const noexcept;           // g_object_unref
  void operator()(PangoContext* p) const noexcept;           // g_object_unref
  void operator()(PangoLayout* p) const noexcept;            // g_object_unref
  void operator()(PangoLayoutIter* p) const noexcept;        // pango_layout_iter_free
  void operator()(PangoFont* p) const noexcept;              // g_object_unref
  void operator()(PangoFontDescription* p) const noexcept;   // pango_font_description_free
  void operator()(PangoFontMetrics* p) const noexcept;       // pango_font_metrics_unref
  void operator()(hb_buffer_t* p) const noexcept;            // hb_buffer_destroy
  void operator()(GdkPixbuf* p) const noexcept;              // g_object_unref
  void operator()(GdkPixbufLoader* p) const noexcept;        // g_object_unref
  void operator()(GError* p) const noexcept;                 // g_error_free
  void operator()(char* p) const noexcept;                   // g_free: text or bytes GLib allocated
};

template <class T>
using TPosse = std::unique_ptr<T, TLiberaCairo>;

using TContextoCairo = TPosse<cairo_t>;                 // a drawing context on a surface
using TSuperficieCairo = TPosse<cairo_surface_t>;       // a PDF, PNG page or decoded picture
using TPadraoCairo = TPosse<cairo_pattern_t>;           // a gradient or other source pattern
using TFonteEscalada = TPosse<cairo_scaled_font_t>;     // one reference to a face at a size
using TOpcoesFonteCairo = TPosse<cairo_font_options_t>;  // hinting and antialiasing settings
using TMapaFontes = TPosse<PangoFontMap>;               // a pango font map
using TContextoPango = TPosse<PangoContext>;            // a pango context on a font map
using TLayoutPango = TPosse<PangoLayout>;               // one laid-out text
using TIteradorLayout = TPosse<PangoLayoutIter>;        // a walk over a layout's runs
using TFontePango = TPosse<PangoFont>;                  // a loaded pango font
using TDescricaoFonte = TPosse<PangoFontDescription>;   // family, size, weight and style
using TMetricasFonte = TPosse<PangoFontMetrics>;        // ascent and descent of a font
using TBufferHb = TPosse<hb_buffer_t>;                  // a HarfBuzz shaping buffer
using TPixbuf = TPosse<GdkPixbuf>;                      // decoded picture pixels
using TCarregadorPixbuf = TPosse<GdkPixbufLoader>;      // a picture decoder fed with bytes
using TErroGlib = TPosse<GError>;                       // an error a GLib call reported
using TTextoGlib = TPosse<char>;                        // a string or buffer from g_malloc
