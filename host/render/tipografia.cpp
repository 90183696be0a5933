#include "host/render/tipografia.h"

#include <cairo.h>
#include <hb.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/render/posse_cairo.h"

namespace {

// Bounds the shaped-text cache; when full it starts over, so memory stays flat
// however many distinct texts a long run prints.
constexpr size_t kMaxTextos = 50000;

struct TFonteCarregada {
  std::string Familia;
  double Tamanho;
  bool Negrito, Italico;
  TDescricaoFonte Descricao;
  TFontePango Fonte;                       // primary face, for the direct shaping path
  hb_font_t* Hb = nullptr;                 // owned by Fonte
  cairo_scaled_font_t* Escalada = nullptr; // owned by Fonte
  double EscalaHb = 0;                     // HarfBuzz position units to layout units
  double Ascendente = 0, Descendente = 0;  // layout units
};

struct TCorrida {
  TFonteEscalada Fonte;
  size_t Inicio, Quantidade;               // slice of TTextoFormado::Glifos
};

// Glyphs of one text, positioned from the area's top-left (fitted entries) or from the
// baseline start of a natural single line (natural entries).
struct TTextoFormado {
  std::vector<cairo_glyph_t> Glifos;
  std::vector<TCorrida> Corridas;
  double Largura = 0;
  bool Natural = false;
};

}  // namespace

struct TTipografia::TImpl {
  TMapaFontes Mapa;                        // own map: a run may be finished on another thread
  TContextoPango Contexto;
  TBufferHb Buffer;
  hb_language_t Idioma = nullptr;
  std::vector<std::unique_ptr<TFonteCarregada>> Fontes;
  TFonteCarregada* UltimaFonte = nullptr;
  std::unordered_map<std::string, TTextoFormado> Textos;
  std::string Chave;                       // reused lookup key
  std::vector<cairo_glyph_t> Rascunho;     // glyphs moved to their place for drawing

  TImpl()
      : Mapa(pango_cairo_font_map_new()),
        Contexto(pango_font_map_create_context(Mapa.get())),
        Buffer(hb_buffer_create()),
        Idioma(hb_language_from_string("pt", -1)) {
    // layout units are 1/96 inch, so a point is 96/72 of them
    pango_cairo_context_set_resolution(Contexto.get(), 96);
    // unhinted metrics: the same text has the same width in the PDF and in every PNG scale
    TOpcoesFonteCairo op(cairo_font_options_create());
    cairo_font_options_set_hint_metrics(op.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(op.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(op.get(), CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(Contexto.get(), op.get());
    pango_context_set_language(Contexto.get(), pango_language_from_string("pt-br"));
  }

  TFonteCarregada& Fonte(const TFonte& f) {
    auto igual = [&](const TFonteCarregada* c) {
      return c->Tamanho == f.Tamanho && c->Negrito == f.Negrito && c->Italico == f.Italico &&
             c->Familia == f.Familia;
    };
    if (UltimaFonte && igual(UltimaFonte)) return *UltimaFonte;
    for (auto& c : Fontes)
      if (igual(c.get())) return *(UltimaFonte = c.get());
    auto c = std::make_unique<TFonteCarregada>();
    c->Familia = f.Familia;
    c->Tamanho = f.Tamanho;
    c->Negrito = f.Negrito;
    c->Italico = f.Italico;
    c->Descricao.reset(pango_font_description_new());
    PangoFontDescription* d = c->Descricao.get();
    pango_font_description_set_family(d, f.Familia.empty() ? "Liberation Sans" : f.Familia.c_str());
    const double tamanho = f.Tamanho > 0 ? f.Tamanho : 8;
    pango_font_description_set_size(d, static_cast<int>(tamanho * PANGO_SCALE + 0.5));
    pango_font_description_set_weight(d, f.Negrito ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d, f.Italico ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    c->Fonte.reset(pango_font_map_load_font(Mapa.get(), Contexto.get(), d));
    if (c->Fonte && PANGO_IS_CAIRO_FONT(c->Fonte.get())) {
      c->Escalada = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(c->Fonte.get()));
      c->Hb = pango_font_get_hb_font(c->Fonte.get());
      const TMetricasFonte m(pango_font_get_metrics(c->Fonte.get(), pango_language_from_string("pt-br")));
      c->Ascendente = pango_font_metrics_get_ascent(m.get()) / double(PANGO_SCALE);
      c->Descendente = pango_font_metrics_get_descent(m.get()) / double(PANGO_SCALE);
      if (c->Escalada && c->Hb) {
        cairo_matrix_t mf;
        cairo_scaled_font_get_font_matrix(c->Escalada, &mf);
        int xs = 0, ys = 0;
        hb_font_get_scale(c->Hb, &xs, &ys);
        c->EscalaHb = xs ? mf.xx / xs : 0;
      }
    }
    if (!c->Escalada || !c->Hb || c->EscalaHb <= 0) c->Hb = nullptr;  // layouts only
    Fontes.push_back(std::move(c));
    return *(UltimaFonte = Fontes.back().get());
  }

  // The direct path: the primary face shapes the whole text left to right with
  // no missing glyph. Anything else (fallback fonts, other scripts) goes to a layout.
  bool FormarDireto(TFonteCarregada& f, std::string_view texto, TTextoFormado& t) {
    if (!f.Hb) return false;
    for (unsigned char ch : texto)
      if (ch < 0x20) return false;  // tabs and line breaks want a layout
    hb_buffer_t* b = Buffer.get();
    hb_buffer_clear_contents(b);
    hb_buffer_add_utf8(b, texto.data(), static_cast<int>(texto.size()), 0, static_cast<int>(texto.size()));
    hb_buffer_set_language(b, Idioma);
    hb_buffer_guess_segment_properties(b);
    if (hb_buffer_get_direction(b) != HB_DIRECTION_LTR) return false;
    hb_shape(f.Hb, b, nullptr, 0);
    unsigned n = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(b, &n);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(b, nullptr);
    t.Glifos.resize(n);
    double x = 0;
    for (unsigned i = 0; i < n; ++i) {
      if (info[i].codepoint == 0) return false;
      t.Glifos[i].index = info[i].codepoint;
      t.Glifos[i].x = x + pos[i].x_offset * f.EscalaHb;
      t.Glifos[i].y = -pos[i].y_offset * f.EscalaHb;
      x += pos[i].x_advance * f.EscalaHb;
    }
    t.Largura = x;
    t.Natural = true;
    t.Corridas.push_back({TFonteEscalada(cairo_scaled_font_reference(f.Escalada)), 0, n});
    return true;
  }

  // The full path: a pango layout with wrapping, ellipsis and font fallback.
  void FormarLayout(TFonteCarregada& f, TAlinhamento al, bool multi, double w, double h,
                    std::string_view texto, TTextoFormado& t) {
    const TLayoutPango layout(pango_layout_new(Contexto.get()));
    PangoLayout* lay = layout.get();
    pango_layout_set_font_description(lay, f.Descricao.get());
    pango_layout_set_text(lay, texto.data(), static_cast<int>(texto.size()));
    if (w > 0) pango_layout_set_width(lay, static_cast<int>(w * PANGO_SCALE));
    pango_layout_set_alignment(lay, al == TAlinhamento::Direita  ? PANGO_ALIGN_RIGHT
                                    : al == TAlinhamento::Centro ? PANGO_ALIGN_CENTER
                                                                 : PANGO_ALIGN_LEFT);
    if (w > 0) pango_layout_set_ellipsize(lay, PANGO_ELLIPSIZE_END);
    if (multi) {
      pango_layout_set_wrap(lay, PANGO_WRAP_WORD_CHAR);
      // at least one line shows, even in an area lower than the font
      pango_layout_set_height(lay, static_cast<int>(std::max(h, 1.0) * PANGO_SCALE));
    } else {
      pango_layout_set_single_paragraph_mode(lay, TRUE);
    }
    PangoRectangle logico;
    pango_layout_get_extents(lay, nullptr, &logico);
    const double dy = multi ? 0 : (h - logico.height / double(PANGO_SCALE)) / 2;
    t.Largura = logico.width / double(PANGO_SCALE);
    const TIteradorLayout iterador(pango_layout_get_iter(lay));
    PangoLayoutIter* it = iterador.get();
    do {
      PangoLayoutRun* run = pango_layout_iter_get_run_readonly(it);
      if (!run || !run->item->analysis.font || !PANGO_IS_CAIRO_FONT(run->item->analysis.font))
        continue;
      PangoRectangle ext;
      pango_layout_iter_get_run_extents(it, nullptr, &ext);
      const int base = pango_layout_iter_get_baseline(it);
      cairo_scaled_font_t* sf =
          pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(run->item->analysis.font));
      if (!sf) continue;
      const size_t inicio = t.Glifos.size();
      int x = ext.x;
      for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
        const PangoGlyphInfo& gi = run->glyphs->glyphs[i];
        if (gi.glyph != PANGO_GLYPH_EMPTY && !(gi.glyph & PANGO_GLYPH_UNKNOWN_FLAG))
          t.Glifos.push_back({gi.glyph, (x + gi.geometry.x_offset) / double(PANGO_SCALE),
                              (base + gi.geometry.y_offset) / double(PANGO_SCALE) + dy});
        x += gi.geometry.width;
      }
      if (t.Glifos.size() > inicio)
        t.Corridas.push_back({TFonteEscalada(cairo_scaled_font_reference(sf)), inicio, t.Glifos.size() - inicio});
    } while (pango_layout_iter_next_run(it));
  }

  // Keeps a text shaped in full under Chave; one whose shaping threw halfway is never kept.
  const TTextoFormado& Guardar(TTextoFormado&& t) {
    if (Textos.size() >= kMaxTextos) Textos.clear();
    return Textos[Chave] = std::move(t);
  }

  void MontarChave(char tipo, const TFonteCarregada& f, double w, double h, TAlinhamento al,
                   std::string_view texto) {
    Chave.clear();
    Chave.push_back(tipo);
    const auto* pf = &f;
    Chave.append(reinterpret_cast<const char*>(&pf), sizeof pf);
    if (tipo != 'N') {
      const int32_t dims[3] = {static_cast<int32_t>(w * 64), static_cast<int32_t>(h * 64),
                               static_cast<int32_t>(al)};
      Chave.append(reinterpret_cast<const char*>(dims), sizeof dims);
    }
    Chave.append(texto);
  }

  // One natural line of texto in font f, shaped directly when it can be.
  const TTextoFormado& Natural(TFonteCarregada& f, std::string_view texto) {
    MontarChave('N', f, 0, 0, TAlinhamento::Esquerda, texto);
    auto achou = Textos.find(Chave);
    if (achou != Textos.end()) return achou->second;
    TTextoFormado t;
    if (!FormarDireto(f, texto, t)) {
      t = TTextoFormado{};
      FormarLayout(f, TAlinhamento::Esquerda, false, 0, 0, texto, t);
      t.Natural = false;
    }
    return Guardar(std::move(t));
  }

  const TTextoFormado& Ajustado(TFonteCarregada& f, TAlinhamento al, bool multi, double w,
                                double h, std::string_view texto) {
    MontarChave(multi ? 'M' : 'A', f, w, h, al, texto);
    auto achou = Textos.find(Chave);
    if (achou != Textos.end()) return achou->second;
    TTextoFormado t;
    FormarLayout(f, al, multi, w, h, texto, t);
    return Guardar(std::move(t));
  }

  void Mostrar(TPincel& p, const TTextoFormado& t, double dx, double dy) {
    for (const TCorrida& c : t.Corridas) {
      if (p.Fonte != c.Fonte.get()) {
        cairo_set_scaled_font(p.Cr, c.Fonte.get());
        p.Fonte = c.Fonte.get();
      }
      Rascunho.resize(c.Quantidade);
      for (size_t i = 0; i < c.Quantidade; ++i) {
        const cairo_glyph_t& g = t.Glifos[c.Inicio + i];
        Rascunho[i] = {g.index, g.x + dx, g.y + dy};
      }
      cairo_show_glyphs(p.Cr, Rascunho.data(), static_cast<int>(c.Quantidade));
    }
  }
};

TTipografia::TTipografia() : F(std::make_unique<TImpl>()) {}
TTipografia::~TTipografia() = default;

void TTipografia::Desenhar(TPincel& pincel, const TFonte& fonte, TAlinhamento alinhamento,
                           bool multiLinha, const TRetangulo& area, std::string_view texto) {
  if (texto.empty() || area.Largura <= 0) return;
  std::string valido;
  if (!g_utf8_validate(texto.data(), static_cast<gssize>(texto.size()), nullptr)) {
    const TTextoGlib v(g_utf8_make_valid(texto.data(), static_cast<gssize>(texto.size())));
    valido = v.get();
    texto = valido;
  }
  TFonteCarregada& f = F->Fonte(fonte);
  if (!multiLinha) {
    const TTextoFormado& n = F->Natural(f, texto);
    if (n.Natural && n.Largura <= area.Largura + 0.01) {
      const double folga = area.Largura - n.Largura;
      const double dx = alinhamento == TAlinhamento::Direita  ? folga
                        : alinhamento == TAlinhamento::Centro ? folga / 2
                                                              : 0;
      const double dy = (area.Altura - f.Ascendente - f.Descendente) / 2 + f.Ascendente;
      F->Mostrar(pincel, n, area.X + dx, area.Y + dy);
      return;
    }
  }
  const TTextoFormado& t = F->Ajustado(f, alinhamento, multiLinha, area.Largura, area.Altura, texto);
  F->Mostrar(pincel, t, area.X, area.Y);
}

double TTipografia::Largura(const TFonte& fonte, std::string_view texto) {
  if (texto.empty()) return 0;
  return F->Natural(F->Fonte(fonte), texto).Largura;
}

double TTipografia::AlturaLinha(const TFonte& fonte) {
  TFonteCarregada& f = F->Fonte(fonte);
  return f.Ascendente + f.Descendente;
}
