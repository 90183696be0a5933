#pragma once
// The spreadsheets a run wrote, read back: the XLSX through openpyxl (Debian's
// python3-openpyxl, run by /usr/bin/python3), the CSV field by field.
#include <string>
#include <vector>

enum class TTipoCelula { Vazia, Texto, Numero, Data };

struct TCelulaLida {
  TTipoCelula Tipo = TTipoCelula::Vazia;
  std::string Texto;                             // a text; a date as "dd/mm/yyyy"
  double Numero = 0;
  std::string Formato;                           // the cell's number format ("General" for none)
  bool Negrito = false;
};

struct TPlanilhaLida {
  int LinhasCongeladas = 0;                      // rows above the frozen pane
  std::vector<double> Larguras;                  // column widths as the file gives them (characters)
  std::vector<std::vector<TCelulaLida>> Linhas;  // every row up to the last, as many cells as the widest
};

TPlanilhaLida LerXlsx(const std::string& arquivo);  // throws std::runtime_error with what python said
// The rows of a CSV written as UTF-8 with a BOM, ";" separated, quotes doubled inside quoted
// fields; throws when the BOM is missing or a quote is left open.
std::vector<std::vector<std::string>> LerCsv(const std::string& arquivo);
