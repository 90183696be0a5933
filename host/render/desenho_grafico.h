#pragma once
// Draws a bar chart snapshot into a page area: title, legend, axes, grid, bars
// with their values and category labels that stay legible with many bars.
#include "host/render/grafico.h"
#include "host/render/pagina.h"
#include "host/render/tipografia.h"

void DesenharGrafico(TPincel& pincel, TTipografia& tipografia, const TDBChart& grafico,
                     const TRetangulo& area);
// The colour the automatic colour stands for at position i of the palette.
TColor CorDaPaleta(int i);
