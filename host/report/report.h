#pragma once
// The report object: owns the layout and parameters of one print and drives the
// band engine that lays sections out on pages.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/core/progresso.h"
#include "host/render/pagina.h"
#include "host/report/layout.h"
#include "host/report/params.h"
#include "host/report/rastro.h"
#include "host/report/secoes_colocadas.h"

class TnClientDataSet;
class TnrwBaseDll;
class TnrwReport;

// An event bound to a method of a report-class object (Delphi's `of object`).
class TnEventoSecao {
 public:
  using TMetodo = void (TnrwBaseDll::*)(TObject* sender, int secao);
  TnEventoSecao() = default;
  template <class T>
  TnEventoSecao(T* alvo, void (T::*metodo)(TObject*, int))
      : FAlvo(alvo), FMetodo(static_cast<TMetodo>(metodo)) {}
  explicit operator bool() const { return FAlvo && FMetodo; }
  TnrwBaseDll* Alvo() const { return FAlvo; }

 private:
  friend class TnrwReport;
  TnrwBaseDll* FAlvo = nullptr;
  TMetodo FMetodo = nullptr;
  TnrwBaseDll* FAlvoAnterior = nullptr;          // the form object it was installed by, while rebound
};

class TnpqPowerQuery : public TObject {
 public:
  static TnpqPowerParam* GetParams(TnpqPowerQuery* q) { return &q->FParams; }  // the parameter set

 protected:
  TnpqPowerParam FParams;
};

class TnrwReport : public TnpqPowerQuery {
 public:
  explicit TnrwReport(std::unique_ptr<TnLayout> layout);
  ~TnrwReport() override;
  static bool EhRelatorio(const void* endereco);  // a live report object, told without dereferencing

  // Printing
  void RepPrintSection(int secao);               // prints a section now (new page when it does not fit)
  void RepEndOfPage(bool fim);                   // the next section starts a new page
  void SetCSLIsPageEnd(bool fim) { RepEndOfPage(fim); }
  void CSLShowProgress(int feito, int total);    // progress bar on stderr when it is a terminal
  std::pair<int, int> UltimoProgresso() const { return FUltimoPar; }  // last CSLShowProgress (done, total); 0, 0 before
  double FundoImprimivel() const;                // bottom of the printable area, page units
  double PosicaoAtual() const;                   // where the next section would start
  bool AjusteAutomatico = true;                  // sections grow to hold their visible objects

  // Layout objects
  TnpqLabel* LabelByName(const std::string& nome);    // raises when absent
  TnpqLabel* FindLabel(const std::string& nome) const;  // null when absent or not a label
  TnpqImage* ImageByName(const std::string& nome);
  TnpqGrafico* GraficoByName(const std::string& nome);
  int GetObjectCount() const;
  TnpqObjeto* GetObjects(int i);                 // from 0, layout order
  TnpqSection* GetSections(int numero);          // by section number; raises when absent
  void CompileSections();                        // applies SetPosition moves to section heights
  const TnLayout& Layout() const { return *FLayout; }

  // Events
  TnEventoSecao OnAfterSection;                  // after each printed section (1 included)
  TnEventoSecao OnBeforeSection;                 // before each section

  // Host side
  void DefinirMainDataSet(TnClientDataSet* ds) { FMainDataSet = ds; }  // the layout's own query rows; stays the host's
  TnClientDataSet* MainDataSet() const { return FMainDataSet; }        // what the report class takes as MainDataSet
  TnFraProgressoHost* ProgressHost() { return &FProgressHost; }        // where this print's progress frames show
  void DefinirDestino(TnDestinoPaginas* destino) { FDestino = destino; }  // where pages go
  void DefinirRastro(bool ativo) { FRastroAtivo = ativo; }  // keep the print trace
  void DefinirObservadorSecoes(TnObservadorSecoes* o) { FObservador = o; }  // told each placed section; null = none; stays the caller's
  const TnRastro& Rastro() const { return FRastro; }
  void RegistrarConsulta(const std::string& sql, int linhas);  // a query the report ran, kept while the trace is on
  int Finalizar();                               // closes the last page, returns the page count
  bool ImprimiuAlgo() const { return FPaginas > 0; }
  void VincularObjeto(TnrwBaseDll* objeto);      // a report-class object built around this report
  void DesvincularObjeto(TnrwBaseDll* objeto);   // it is being destroyed: unbind its handlers
  void AdotarEventos(TnrwBaseDll* objeto);       // the printing object takes over handlers of its class
  void DefinirZebrado(bool zebrar) { FZebrarProxima = zebrar; }  // stripe the section about to print
  // The next section printed below the page header, when striped, keeps the shade of the
  // previous striped one instead of alternating: one entry printed on several lines.
  void ManterFaixa() { FManterFaixa = true; }

 private:
  void Preparar();
  void DispararEvento(TnEventoSecao& evento, int secao);
  void AbrirPagina();
  void FecharPagina();
  void ColocarSecao(TnpqSection& secao, double y, double altura, bool faixaEscura, TnPapelSecao papel);
  void ColocarRodape();                          // the layout's footer, or the print date and page number
  bool CabecalhoMostraPagina() const;            // the page header has a visible page-number label
  std::string TextoRotulo(const TnpqLabel& rotulo) const;
  double AlturaEfetiva(const TnpqSection& secao) const;
  TnpqObjeto* ObjetoPorNome(const std::string& nome) const;
  TnpqSection* SecaoOuNulo(int numero) const;

  std::unique_ptr<TnLayout> FLayout;
  TnDestinoPaginas* FDestino = nullptr;
  TnObservadorSecoes* FObservador = nullptr;
  std::vector<TnrwBaseDll*> FObjetos;            // live report-class objects, newest last
  std::unique_ptr<TPagina> FPagina;              // page being filled
  int FPaginas = 0;
  double FY = 0;                                 // next free y on the page
  bool FQuebraPendente = false;
  bool FCorpoNaPagina = false;                   // something beyond the page header was placed
  int FProfundidadeCabecalho = 0;                // >0 while the page header and its heading print
  bool FPreparado = false;
  bool FZebrarProxima = false;
  bool FZebraEscura = false;
  bool FManterFaixa = false;
  bool FRastroAtivo = false;
  TnRastro FRastro;
  int FUltimoProgresso = -1;
  std::pair<int, int> FUltimoPar{0, 0};
  TnClientDataSet* FMainDataSet = nullptr;
  TnFraProgressoHost FProgressHost;
  std::string FDataImpressao;
};
