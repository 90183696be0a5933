#pragma once
// The files a run writes (the PDF, the PNG pages, the trace, the spreadsheets), checked before any
// work and written in private folders beside them, then moved into place only
// when the run succeeds. What they would replace is replaced only when it looks
// like what this program writes; nothing else is ever removed.
#include <string>
#include <vector>

struct TnDestinos {
  std::string Pdf;                               // --out; empty = no PDF
  std::string PastaPng;                          // --png; empty = no pages as pictures
  std::string Rastro;                            // --trace; empty = no trace
  std::string Banco;                             // the database the run reads, never to be written over
  std::string Xlsx;                              // --xlsx; empty = no XLSX spreadsheet
  std::string Csv;                               // --csv; empty = no CSV
};

// Raises Exception, naming the option, for an output that is the database or
// another output, a folder or a device, a file that does not look like ours, or
// whose folder is missing. Nothing is touched.
void ConferirDestinos(const TnDestinos& destinos);

bool EhArquivoDePagina(const std::string& nome);  // "pagina-0001.png": a page file this program writes

class TnSaidasTemporarias {
 public:
  explicit TnSaidasTemporarias(const TnDestinos& destinos);  // checks, then makes the private folders
  ~TnSaidasTemporarias();                        // removes what was not confirmed
  TnSaidasTemporarias(const TnSaidasTemporarias&) = delete;
  TnSaidasTemporarias& operator=(const TnSaidasTemporarias&) = delete;

  const std::string& Pdf() const { return FPdfTmp; }        // where the PDF is drawn; empty = none
  const std::string& PastaPng() const { return FPngTmp; }   // where the pages are drawn; empty = none
  const std::string& Rastro() const { return FRastroTmp; }  // where the trace is written; empty = none
  const std::string& Xlsx() const { return FXlsxTmp; }      // where the XLSX is written; empty = none
  const std::string& Csv() const { return FCsvTmp; }        // where the CSV is written; empty = none
  // Moves the outputs into place. comPaginas false (nothing matched): the older
  // PDF, spreadsheets and page files go, as they would look current, and no new ones come.
  void Confirmar(bool comPaginas);

 private:
  std::string NovaPasta(const std::string& destino);
  std::string NovoArquivo(const std::string& destino);  // destino's name in a new private folder; empty for none
  void RemoverPastas();
  void ConfirmarPaginas(bool comPaginas);

  TnDestinos FDestinos;
  std::string FPdfTmp, FPngTmp, FRastroTmp, FXlsxTmp, FCsvTmp;
  std::vector<std::string> FPastas;              // private folders made, removed at the end
};
