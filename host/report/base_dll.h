#pragma once
// The base of every report class: the twelve operations the host calls, in slot order.
#include <memory>
#include <string>
#include <vector>

#include "host/report/report.h"

class TnDMConexao;
class TnClientDataSet;

class TnFormParametros;                          // the parameter form the host builds (parent control)

// The host data module handed to the internal print step.
class TnDMReport : public TObject {
 public:
  explicit TnDMReport(TnrwReport* report) : Report(report), ProgressHost(report->ProgressHost()) {}
  TnrwReport* Report;
  TnFraProgressoHost* ProgressHost;              // where progress frames show (stderr on a terminal)
};

class TnrwBaseDll : public TObject {
 public:
  explicit TnrwBaseDll(TnrwReport* report);      // slot 4: keeps the report object
  ~TnrwBaseDll() override;                       // unbinds every handler this object installed
  TnrwBaseDll(const TnrwBaseDll&) = delete;
  TnrwBaseDll& operator=(const TnrwBaseDll&) = delete;

  static std::string Versao();                                      // slot 0 (class operation)
  virtual std::vector<int> CriarListaSectionsParaZebrar();         // slot 1: striped sections
  virtual std::vector<int> CriarListaSectionsTrocaCor();           // slot 2: highlighted sections
  virtual void RepInterno(TnDMReport* dm);                          // slot 3: prepares the engine
  virtual void ImprimirInterno() {}                                 // slot 5: the whole report
  virtual void DoParamChange(TObject* sender, TnpqParamItem* item);  // slot 6
  virtual void DoParamEnter(TObject* sender, TnpqParamItem* item);   // slot 7
  virtual void DoParamExit(TObject* sender, TnpqParamItem* item);    // slot 8
  virtual void DoZebradoBeforeSection(TObject* sender, int secao);   // slot 9: striping
  virtual void DepoisConfigurar(TnFormParametros* pai);             // slot 10
  virtual void AntesConfigurar(TnFormParametros* pai);              // slot 11

  std::string RepParam(const std::string& nome);  // a parameter's text; empty when blank
  void RepPrintSection(int secao) { Report->RepPrintSection(secao); }
  void RepEndOfPage(bool fim) { Report->RepEndOfPage(fim); }
  TnDMReport* GetDMPower() { return &FDM; }      // the host data module
  TnpqPowerParam* Params() const { return TnpqPowerQuery::GetParams(Report); }  // the report's parameter set

  TnrwReport* Report;                            // the report object; never freed here
  TnClientDataSet* MainDataSet = nullptr;        // the layout's own query rows, when the host opened them

 private:
  TnDMReport FDM;
  std::vector<int> FZebradas;
  std::vector<int> FTrocaCor;
};

// The class reference a plug-in registers: how the host names, versions and builds it.
struct TnrwBaseDllClass {
  const char* Nome;                                      // report class name, e.g. "TRptPayments"
  std::string (*Versao)();                               // the class's version text
  std::unique_ptr<TnrwBaseDll> (*Create)(TnrwReport*);   // the virtual constructor

  template <class T>
  static constexpr TnrwBaseDllClass De(const char* nome) {
    return {nome, &T::Versao, [](TnrwReport* r) -> std::unique_ptr<TnrwBaseDll> {
              return std::make_unique<T>(r);
            }};
  }
};
