#pragma once
// The page model: what the band engine places on a page and the renderer draws.
// Coordinates are layout units of 1/96 inch from the page's top-left corner.
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/render/grafico.h"

class TPicture;

struct TRetangulo {
  double X = 0, Y = 0, Largura = 0, Altura = 0;
};

struct TFonte {
  std::string Familia = "Liberation Sans";
  double Tamanho = 8;                            // points
  bool Negrito = false;
  bool Italico = false;
  TColor Cor = 0;                                // black
};

enum class TAlinhamento { Esquerda, Direita, Centro };

// Texts with ComTotalPaginas carry this marker where the page count goes; the
// renderer replaces it once the last page is known.
inline constexpr const char* kMarcaTotalPaginas = "\x01M\x01";

struct TElementoTexto {
  TRetangulo Area;
  std::string Texto;
  TFonte Fonte;
  TAlinhamento Alinhamento = TAlinhamento::Esquerda;
  bool MultiLinha = false;                       // wraps inside Area instead of one clipped line
  bool ComTotalPaginas = false;                  // Texto holds kMarcaTotalPaginas
};

struct TElementoLinha {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  double Espessura = 1;
  TColor Cor = 0;
};

struct TElementoCaixa {
  TRetangulo Area;
  std::optional<TColor> Preenchimento;           // fill, none = transparent
  std::optional<TColor> Borda;                   // outline, none = no outline
  double Espessura = 1;
};

struct TElementoImagem {
  TRetangulo Area;
  std::shared_ptr<const TPicture> Imagem;        // null = empty frame
  bool Moldura = true;                           // draw the frame outline
};

struct TElementoGrafico {
  TRetangulo Area;
  std::shared_ptr<const TDBChart> Grafico;       // snapshot taken when the section printed
};

using TElemento = std::variant<TElementoTexto, TElementoLinha, TElementoCaixa, TElementoImagem,
                               TElementoGrafico>;

struct TPagina {
  int Numero = 0;                                // from 1
  double Largura = 794, Altura = 1123;           // A4 portrait by default
  std::vector<TElemento> Elementos;              // in drawing order
};

// Receives finished pages one by one, so memory stays flat in the page count.
class TnDestinoPaginas {
 public:
  virtual ~TnDestinoPaginas() = default;
  virtual void AdicionarPagina(TPagina&& pagina) = 0;  // a page is complete
  virtual void Finalizar(int totalPaginas) = 0;        // the run ended well: write the output
};
