#pragma once
// A report plug-in loaded from its shared library, with its layout file beside it.
#include <memory>
#include <string>
#include <vector>

struct TnrwBaseDllClass;

class TnPlugin {
 public:
  // nome: "RptPayments", "RptPayments.so" or a path; pasta empty = PastaPadrao().
  static std::unique_ptr<TnPlugin> Carregar(const std::string& nome, const std::string& pasta = {});
  static std::vector<std::string> Listar(const std::string& pasta = {});  // plug-in names in a folder
  static std::string PastaPadrao();              // $RPT_PLUGINS, else the plug-ins beside the host library
  ~TnPlugin();
  TnPlugin(const TnPlugin&) = delete;
  TnPlugin& operator=(const TnPlugin&) = delete;

  const std::string& Nome() const { return FNome; }        // deliverable name, e.g. RptPayments
  const std::string& Caminho() const { return FCaminho; }  // the .so file
  std::string ArquivoLayout() const;                       // NAME.json beside the .so
  const TnrwBaseDllClass* ClassDll() const { return FClassDll(); }  // the registered report class
  void Imprimir(void* objeto) const { FImprimir(objeto); }          // prints on a report object

 private:
  TnPlugin() = default;
  std::string FNome, FCaminho;
  void* FHandle = nullptr;
  const TnrwBaseDllClass* (*FClassDll)() = nullptr;
  void (*FImprimir)(void*) = nullptr;
};
