#pragma once
// A run's rows as a spreadsheet: the page header's lines once at the top, the column
// headings as one frozen row, then one row per printed section, each cell the text it
// printed. The writers type the cells as LerTextoImpresso reads them: numbers in the
// number format of their mask, dates as dates, everything else (codes included) as text;
// in the XLSX, a column where some code keeps leading zeros keeps its other digit-only codes
// as text too.
#include <string>
#include <vector>

struct TnCelulaPlanilha {
  std::string Texto;                             // as printed; empty = a blank cell
  bool Negrito = false;
  double TamanhoFonte = 8;                       // points
  bool ADireita = false;                         // printed right-aligned
};

struct TnPlanilha {
  std::string Nome;                              // the report's name, for the sheet
  std::vector<TnCelulaPlanilha> Titulo;          // the page header's lines, one cell each
  std::vector<double> Larguras;                  // each column's width in layout units (96 dpi pixels)
  std::vector<TnCelulaPlanilha> Cabecalho;       // the column headings; empty = no heading row
  std::vector<std::vector<TnCelulaPlanilha>> Linhas;  // one per printed section, up to Larguras.size() cells
};

// Both write the whole file or raise std::runtime_error naming it; a partial file may stay behind.
void GravarPlanilhaXlsx(const TnPlanilha& planilha, const std::string& arquivo);
// UTF-8 with a BOM, ";" between fields, "," for decimals, CRLF lines; fields quoted when they
// hold ";", quotes or line breaks. Numbers without thousands separators, percentages with "%".
void GravarPlanilhaCsv(const TnPlanilha& planilha, const std::string& arquivo);
