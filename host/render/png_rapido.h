#pragma once
// Writes an RGB24 cairo image as PNG with fast compression: a page is mostly
// paper, and the default level spends most of a PNG run in zlib.
typedef struct _cairo_surface cairo_surface_t;

bool GravarPngRapido(cairo_surface_t* imagem, const char* caminho);  // false on any failure
