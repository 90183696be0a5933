#include "host/report/elementos.h"

TFontStyles TnpqObjeto::GetFontStyle() const {
  TFontStyles estilos;
  if (Fonte.Negrito && Fonte.Italico) return {fsBold, fsItalic};
  if (Fonte.Negrito) return {fsBold};
  if (Fonte.Italico) return {fsItalic};
  return estilos;
}

void TnpqObjeto::SetFontStyle(TFontStyles estilos) {
  Fonte.Negrito = estilos.Contem(fsBold);
  Fonte.Italico = estilos.Contem(fsItalic);
}
