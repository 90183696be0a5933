#pragma once
// Layout objects a report finds by name and changes at run time.
#include <memory>
#include <string>

#include "host/render/grafico.h"
#include "host/render/pagina.h"
#include "host/report/objeto.h"

class TPicture;

enum TFontStyle { fsBold, fsItalic };

// A set of font styles, as `[fsBold]` or `[]` is written in report code.
class TFontStyles {
 public:
  TFontStyles() = default;
  TFontStyles(std::initializer_list<TFontStyle> estilos) { for (auto e : estilos) FBits |= 1u << e; }
  bool Contem(TFontStyle e) const { return FBits & (1u << e); }       // style present
  bool operator==(const TFontStyles&) const = default;

 private:
  unsigned FBits = 0;
};

enum class TnSistema { Nenhum, Pagina, DataImpressao };  // values the engine fills itself

class TnpqObjeto : public TObject {
 public:
  std::string Nome;                              // layout name, unique in the layout
  int Secao = 0;                                 // number of the section holding it
  double Left = 0, Top = 0, Width = 0, Height = 0;  // inside the section, layout units
  bool Visible = true;                           // hidden objects do not print
  TFonte Fonte;                                  // font of its texts
  TFontStyles GetFontStyle() const;              // bold/italic as a style set
  void SetFontStyle(TFontStyles estilos);        // exactly these styles
};

// A text: a report value by name, a fixed text or an engine value.
class TnpqLabel : public TnpqObjeto {
 public:
  std::string Valor;                             // report value shown; empty for a fixed text
  std::string Texto;                             // fixed text (or the caption set at run time)
  TnSistema Sistema = TnSistema::Nenhum;         // page number or print date
  TAlinhamento Alinhamento = TAlinhamento::Esquerda;
  bool MultiLinha = false;                       // wraps inside its box
  TColor Cor = 0;                                // text colour
};

class TnpqImage : public TnpqObjeto {
 public:
  void SetImage(std::shared_ptr<const TPicture> imagem) { FImagem = std::move(imagem); }  // null clears
  const std::shared_ptr<const TPicture>& Imagem() const { return FImagem; }
  bool Moldura = true;                           // frame drawn around it

 private:
  std::shared_ptr<const TPicture> FImagem;
};

// A chart element: the chart component and the element's height.
class TnpqGrafico : public TnpqObjeto {
 public:
  TDBChart* Chart() { return &FChart; }          // the component reports fill
  double GetHeight() const { return Height; }
  void SetHeight(double altura) { Height = altura; }

 private:
  TDBChart FChart;
};

// A line or a box drawn as part of a section.
class TnpqForma : public TnpqObjeto {
 public:
  bool Linha = true;                             // a line along its top edge; else a box
  std::optional<TColor> Preenchimento;           // box fill
  TColor CorBorda = 0;
  double Espessura = 1;
};

// A numbered band of the layout.
class TnpqSection : public TObject {
 public:
  int Numero = 0;                                // layout number; 1 is the page header
  double Top = 0;                                // design top, from the page's top margin
  double GetHeight() const { return FAltura; }   // current height
  void SetHeight(double altura) { FAltura = altura; FPosicaoPendente = -1; }
  double GetPosition() const { return Top + FAltura; }  // design bottom edge
  void SetPosition(double y) { FPosicaoPendente = y; }  // new bottom edge, applied by CompileSections
  double PosicaoPendente() const { return FPosicaoPendente; }

 private:
  double FAltura = 0;
  double FPosicaoPendente = -1;
};
