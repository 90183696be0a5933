#include "host/render/desenho_grafico.h"

#include <cairo.h>

#include "host/render/cor_cairo.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr TColor Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// Distinct, print-friendly colours for the automatic colour.
constexpr TColor kPaleta[] = {
    Rgb(0x4E, 0x79, 0xA7), Rgb(0xF2, 0x8E, 0x2B), Rgb(0xE1, 0x57, 0x59), Rgb(0x76, 0xB7, 0xB2),
    Rgb(0x59, 0xA1, 0x4F), Rgb(0xED, 0xC9, 0x48), Rgb(0xB0, 0x7A, 0xA1), Rgb(0xFF, 0x9D, 0xA7),
    Rgb(0x9C, 0x75, 0x5F), Rgb(0xBA, 0xB0, 0xAC), Rgb(0x1F, 0x4E, 0x79), Rgb(0x8C, 0x56, 0x1B),
    Rgb(0x8E, 0x1B, 0x1D), Rgb(0x2E, 0x7D, 0x77), Rgb(0x2F, 0x5F, 0x2A), Rgb(0x9E, 0x83, 0x12)};
constexpr int kTamPaleta = sizeof kPaleta / sizeof kPaleta[0];

constexpr double kFolga = 4;                   // inner margin of the chart area
constexpr double kMaiorFonte = 7, kMenorFonte = 4.5;  // label sizes, points

struct TBarra {
  double Valor;
  TColor Cor;
};

struct TCategoria {
  std::string Rotulo;
  std::vector<std::optional<TBarra>> Barras;   // one slot per plotted series
};

struct TItemLegenda {
  std::string Texto;
  std::optional<TColor> Cor;                   // none: a text-only line
};

// Numbers as the reports show them: thousands with ".", decimals with ",", at most `casas`
// decimals with trailing zeros dropped.
std::string Numero(double v, int casas) {
  if (std::fabs(v) < 0.5 * std::pow(10.0, -casas)) v = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", casas, std::fabs(v));
  std::string s = buf, inteira = s, fracao;
  if (auto p = s.find('.'); p != std::string::npos) {
    inteira = s.substr(0, p);
    fracao = s.substr(p + 1);
    while (!fracao.empty() && fracao.back() == '0') fracao.pop_back();
  }
  std::string r;
  for (size_t i = 0; i < inteira.size(); ++i) {
    if (i > 0 && (inteira.size() - i) % 3 == 0) r.push_back('.');
    r.push_back(inteira[i]);
  }
  if (!fracao.empty()) r += "," + fracao;
  return (v < 0 ? "-" : "") + r;
}

double PassoRedondo(double bruto) {
  const double mag = std::pow(10.0, std::floor(std::log10(bruto)));
  const double f = bruto / mag;
  return (f <= 1 ? 1 : f <= 2 ? 2 : f <= 2.5 ? 2.5 : f <= 5 ? 5 : 10) * mag;
}

TFonte FonteRotulo(double tamanho) {
  TFonte f;
  f.Tamanho = tamanho;
  return f;
}

class TMontagem {
 public:
  TMontagem(TPincel& p, TTipografia& t, const TDBChart& g, const TRetangulo& a)
      : P(p), T(t), G(g), A(a), Cr(p.Cr) {}

  void Desenhar() {
    Reunir();
    DefinirCor(Cr, Rgb(0xFF, 0xFF, 0xFF));
    cairo_rectangle(Cr, A.X, A.Y, A.Largura, A.Altura);
    cairo_fill(Cr);
    double topo = A.Y + kFolga;
    if (!G.Titulo.empty()) {
      TFonte f = FonteRotulo(10);
      f.Negrito = true;
      const double h = T.AlturaLinha(f);
      Texto(f, 0, TAlinhamento::Centro, {A.X + kFolga, topo, A.Largura - 2 * kFolga, h}, G.Titulo);
      topo += h + 2;
    }
    double direita = A.X + A.Largura - kFolga;
    if (!Legenda.empty()) direita = DesenharLegenda(topo, direita);
    Plotar(topo, direita);
  }

 private:
  TColor Automatica(int i) const { return kPaleta[i % kTamPaleta]; }

  // Gathers categories and bars. Series of a single point each (one series per
  // phase) stand side by side as categories of their own; otherwise point i of
  // every series shares category i.
  void Reunir() {
    std::vector<const TChartSeries*> series;
    for (int i = 0; i < G.SeriesCount(); ++i)
      if (G.Series(i)->Count() > 0) series.push_back(G.Series(i));
    const bool umPorSerie = series.size() > 1 &&
        std::all_of(series.begin(), series.end(), [](auto* s) { return s->Count() == 1; });
    auto corDe = [&](const TPontoGrafico& p, const TChartSeries* s, int automatica) {
      if (p.Cor != clTeeColor) return p.Cor & 0xFFFFFF;
      if (s->SeriesColor != clTeeColor) return s->SeriesColor & 0xFFFFFF;
      return Automatica(automatica);
    };
    if (umPorSerie) {
      Vagas = 1;
      for (size_t i = 0; i < series.size(); ++i) {
        const TPontoGrafico& p = series[i]->Pontos()[0];
        const TColor c = corDe(p, series[i], static_cast<int>(i));
        Categorias.push_back({p.Rotulo.empty() ? series[i]->Title : p.Rotulo, {std::nullopt}});
        if (std::isfinite(p.Valor)) Categorias.back().Barras[0] = TBarra{p.Valor, c};
        if (!series[i]->Title.empty() && series[i]->Title != p.Rotulo)
          Legenda.push_back({series[i]->Title, c});
      }
    } else {
      Vagas = std::max<int>(1, static_cast<int>(series.size()));
      size_t n = 0;
      for (auto* s : series) n = std::max(n, s->Pontos().size());
      Categorias.resize(n);
      for (size_t c = 0; c < n; ++c) {
        Categorias[c].Barras.resize(static_cast<size_t>(Vagas));
        for (size_t k = 0; k < series.size(); ++k) {
          if (c >= series[k]->Pontos().size()) continue;
          const TPontoGrafico& p = series[k]->Pontos()[c];
          if (Categorias[c].Rotulo.empty()) Categorias[c].Rotulo = p.Rotulo;
          const int automatica = series.size() == 1 ? static_cast<int>(c) : static_cast<int>(k);
          if (std::isfinite(p.Valor))  // a value that is no number gets no bar
            Categorias[c].Barras[k] = TBarra{p.Valor, corDe(p, series[k], automatica)};
        }
      }
      if (series.size() > 1)
        for (size_t k = 0; k < series.size(); ++k) {
          const TChartSeries* s = series[k];
          const TColor c = s->SeriesColor != clTeeColor ? s->SeriesColor & 0xFFFFFF
                                                          : Automatica(static_cast<int>(k));
          Legenda.push_back({s->Title.empty() ? "Série " + std::to_string(k + 1) : s->Title, c});
        }
    }
    for (const std::string& s : G.Legenda()) Legenda.push_back({s, std::nullopt});
  }

  // Legend at the right, as many lines as fit; returns the plot's right edge.
  double DesenharLegenda(double topo, double direita) {
    const TFonte f = FonteRotulo(kMaiorFonte);
    const double h = T.AlturaLinha(f) + 2, amostra = h - 4;
    double largura = 0;
    for (const auto& it : Legenda) largura = std::max(largura, T.Largura(f, it.Texto));
    largura = std::min(largura + amostra + 4, A.Largura * 0.3);
    const double x = direita - largura;
    const double fundo = A.Y + A.Altura - kFolga;
    const size_t cabem = static_cast<size_t>(std::max(0.0, (fundo - topo) / h));
    for (size_t i = 0; i < Legenda.size() && i < cabem; ++i) {
      const double y = topo + static_cast<double>(i) * h;
      const bool ultima = i + 1 == cabem && Legenda.size() > cabem;
      if (Legenda[i].Cor && !ultima) {
        DefinirCor(Cr, *Legenda[i].Cor);
        cairo_rectangle(Cr, x, y + 2, amostra, amostra);
        cairo_fill(Cr);
      }
      Texto(f, 0, TAlinhamento::Esquerda, {x + amostra + 4, y, largura - amostra - 4, h},
            ultima ? "…" : Legenda[i].Texto);
    }
    return x - 6;
  }

  void Texto(const TFonte& f, TColor c, TAlinhamento al, const TRetangulo& r, const std::string& s) {
    DefinirCor(Cr, c);
    T.Desenhar(P, f, al, false, r, s);
  }

  // Text turned a quarter left, its end at (x, y): labels read upwards from the axis.
  void TextoVertical(const TFonte& f, double x, double y, double comprimento, const std::string& s,
                     bool terminaNoPonto) {
    cairo_save(Cr);
    cairo_translate(Cr, x, y);
    cairo_rotate(Cr, -M_PI / 2);
    const double h = T.AlturaLinha(f);
    DefinirCor(Cr, 0);
    if (terminaNoPonto)
      T.Desenhar(P, f, TAlinhamento::Direita, false, {-comprimento, -h / 2, comprimento, h}, s);
    else
      T.Desenhar(P, f, TAlinhamento::Esquerda, false, {0, -h / 2, comprimento, h}, s);
    cairo_restore(Cr);
    P.Fonte = nullptr;
  }

  void Plotar(double topo, double direita) {
    // value scale with round steps, always holding zero
    double menor = 0, maior = 0;
    for (const auto& c : Categorias)
      for (const auto& b : c.Barras)
        if (b) { menor = std::min(menor, b->Valor); maior = std::max(maior, b->Valor); }
    if (maior - menor < 1e-12) maior = menor + 1;
    const double passo = PassoRedondo((maior - menor) / 5);
    const double eixoMin = std::floor(menor / passo + 1e-9) * passo;
    const double eixoMax = std::ceil(maior / passo - 1e-9) * passo;
    const int casasEixo = std::clamp(static_cast<int>(-std::floor(std::log10(passo))), 0, 4);

    const TFonte fonteEixo = FonteRotulo(kMaiorFonte);
    const double hEixo = T.AlturaLinha(fonteEixo);
    std::vector<std::pair<double, std::string>> marcas;
    double largEixo = 0;
    for (double v = eixoMin; v <= eixoMax + passo * 1e-6; v += passo) {
      marcas.emplace_back(v, Numero(v, casasEixo));
      largEixo = std::max(largEixo, T.Largura(fonteEixo, marcas.back().second));
    }
    const double esquerda = A.X + kFolga + largEixo + 4;
    const double largPlot = direita - esquerda;
    if (largPlot <= 10) return;
    const size_t n = Categorias.size();
    const double vaga = n ? largPlot / static_cast<double>(n) : largPlot;
    const double barra = vaga * 0.8 / Vagas;

    // category labels: across when they fit, else upwards, smaller, and every k-th if crowded
    double tamCat = kMaiorFonte, largRotulo = 0;
    bool verticais = false;
    for (const auto& c : Categorias) largRotulo = std::max(largRotulo, T.Largura(FonteRotulo(tamCat), c.Rotulo));
    if (largRotulo > vaga - 2) {
      verticais = true;
      while (tamCat > kMenorFonte && T.AlturaLinha(FonteRotulo(tamCat)) > vaga) tamCat -= 0.5;
      largRotulo = 0;
      for (const auto& c : Categorias) largRotulo = std::max(largRotulo, T.Largura(FonteRotulo(tamCat), c.Rotulo));
    }
    const TFonte fonteCat = FonteRotulo(tamCat);
    const double hCat = T.AlturaLinha(fonteCat);
    const size_t cada = verticais ? std::max<size_t>(1, static_cast<size_t>(std::ceil(hCat / vaga))) : 1;
    const double altCat = largRotulo <= 0 ? 0
                          : verticais     ? std::min(largRotulo, A.Altura * 0.35) + 4
                                          : hCat + 2;
    const double base = A.Y + A.Altura - kFolga - altCat;

    // value labels over the bars, same rules, dropped when even the smallest size does not fit
    double largValor = 0;
    double tamValor = kMaiorFonte;
    for (const auto& c : Categorias)
      for (const auto& b : c.Barras)
        if (b) largValor = std::max(largValor, T.Largura(FonteRotulo(tamValor), Numero(b->Valor, 2)));
    const double espacoValor = Vagas == 1 ? vaga * 0.95 : barra;
    bool valoresVerticais = false, comValores = largValor > 0;
    if (largValor > espacoValor) {
      valoresVerticais = true;
      while (tamValor > kMenorFonte && T.AlturaLinha(FonteRotulo(tamValor)) > espacoValor) tamValor -= 0.5;
      if (T.AlturaLinha(FonteRotulo(tamValor)) > espacoValor) comValores = false;
      largValor = 0;
      for (const auto& c : Categorias)
        for (const auto& b : c.Barras)
          if (b) largValor = std::max(largValor, T.Largura(FonteRotulo(tamValor), Numero(b->Valor, 2)));
    }
    const TFonte fonteValor = FonteRotulo(tamValor);
    const double hValor = T.AlturaLinha(fonteValor);
    const double extValor = !comValores ? 0 : valoresVerticais ? largValor + 2 : hValor + 1;
    const double topoPlot = topo + std::min(extValor, (base - topo) * 0.3) + hEixo / 2;
    if (base - topoPlot <= 10) return;
    auto Y = [&](double v) { return base - (v - eixoMin) / (eixoMax - eixoMin) * (base - topoPlot); };

    // grid and value axis
    cairo_set_line_width(Cr, 0.5);
    for (const auto& [v, texto] : marcas) {
      const double y = Y(v);
      DefinirCor(Cr, Rgb(0xD8, 0xD8, 0xD8));
      cairo_move_to(Cr, esquerda, y);
      cairo_line_to(Cr, direita, y);
      cairo_stroke(Cr);
      Texto(fonteEixo, 0, TAlinhamento::Direita, {A.X + kFolga, y - hEixo / 2, largEixo, hEixo}, texto);
    }

    // bars, their values and category labels
    for (size_t i = 0; i < n; ++i) {
      const double x0 = esquerda + static_cast<double>(i) * vaga;
      for (size_t k = 0; k < Categorias[i].Barras.size(); ++k) {
        const auto& b = Categorias[i].Barras[k];
        if (!b) continue;
        const double bx = x0 + vaga * 0.1 + static_cast<double>(k) * barra;
        const double y0 = Y(0), y1 = Y(b->Valor);
        DefinirCor(Cr, b->Cor);
        cairo_rectangle(Cr, bx, std::min(y0, y1), barra, std::fabs(y1 - y0));
        cairo_fill_preserve(Cr);
        DefinirCor(Cr, Rgb(0x40, 0x40, 0x40));
        cairo_set_line_width(Cr, 0.5);
        cairo_stroke(Cr);
        if (!comValores) continue;
        const std::string v = Numero(b->Valor, 2);
        const bool negativo = b->Valor < 0;
        if (valoresVerticais) {
          if (negativo)
            TextoVertical(fonteValor, bx + barra / 2, y1 + 2, largValor, v, true);
          else
            TextoVertical(fonteValor, bx + barra / 2, y1 - 2, largValor, v, false);
        } else {
          const double cx = bx + barra / 2;
          const double y = negativo ? y1 + 1 : y1 - 1 - hValor;
          Texto(fonteValor, 0, TAlinhamento::Centro, {cx - espacoValor / 2, y, espacoValor, hValor}, v);
        }
      }
      if (Categorias[i].Rotulo.empty() || i % cada != 0) continue;
      if (verticais)
        TextoVertical(fonteCat, x0 + vaga / 2, base + 3, altCat - 4, Categorias[i].Rotulo, true);
      else
        Texto(fonteCat, 0, TAlinhamento::Centro, {x0, base + 2, vaga, hCat}, Categorias[i].Rotulo);
    }

    // axes last, over the bars' feet
    DefinirCor(Cr, 0);
    cairo_set_line_width(Cr, 1);
    cairo_move_to(Cr, esquerda, topoPlot - hEixo / 2);
    cairo_line_to(Cr, esquerda, base);
    cairo_move_to(Cr, esquerda, Y(0));
    cairo_line_to(Cr, direita, Y(0));
    cairo_stroke(Cr);
  }

  TPincel& P;
  TTipografia& T;
  const TDBChart& G;
  const TRetangulo A;
  cairo_t* Cr;
  std::vector<TCategoria> Categorias;
  std::vector<TItemLegenda> Legenda;
  int Vagas = 1;
};

}  // namespace

TColor CorDaPaleta(int i) { return kPaleta[(i % kTamPaleta + kTamPaleta) % kTamPaleta]; }

void DesenharGrafico(TPincel& pincel, TTipografia& tipografia, const TDBChart& grafico,
                     const TRetangulo& area) {
  cairo_rectangle(pincel.Cr, area.X, area.Y, area.Largura, area.Altura);
  cairo_clip(pincel.Cr);
  TMontagem(pincel, tipografia, grafico, area).Desenhar();
}
