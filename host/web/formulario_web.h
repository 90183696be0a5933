#pragma once
// The parameter form of one browser tab: the report object and its form, kept open
// between requests so each step the user takes runs the report class's hooks, as
// the host's own form does, and answers with how every field stands afterwards.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

class TnPlugin;
class TnrwReport;
class TnrwBaseDll;
class TnFormParametros;

enum class TnEventoCampo { Entrar, Alterar, Sair };

class TnFormularioWeb {
 public:
  TnFormularioWeb(const std::string& plugin, const std::string& pastaPlugins);  // loads and configures it;
                                                 // raises for an unknown plug-in
  ~TnFormularioWeb();
  TnFormularioWeb(const TnFormularioWeb&) = delete;
  TnFormularioWeb& operator=(const TnFormularioWeb&) = delete;

  const std::string& Plugin() const { return FPlugin; }   // the plug-in's name, e.g. RptPayments
  const std::string& Titulo() const { return FTitulo; }   // the report's title
  bool Conhece(const std::string& nome) const;   // the report has this parameter
  // One step on a field (valor only for Alterar). Raises EnParam when the form refuses
  // it; the fields stand as before then.
  void Passo(TnEventoCampo evento, const std::string& nome, const std::string& valor = {});
  // Fields whose text differs from valores are typed in, in the form's order.
  void Sincronizar(const std::vector<std::pair<std::string, std::string>>& valores);
  void Confirmar();                              // as pressing OK: raises EnParam for a reversed period
  nlohmann::json Campos() const;                 // every field: nome, rotulo, tipo, valor, habilitado, visivel, opcoes
  // The values typed so far, in order: replayed on a fresh form they give this one's state.
  const std::vector<std::pair<std::string, std::string>>& Digitados() const { return FDigitados; }
  std::string NomeArquivo() const;               // "Title 01-01-2024 a 31-01-2024": the report and its period

 private:
  std::string FPlugin, FTitulo;
  std::unique_ptr<TnPlugin> FModulo;
  std::unique_ptr<TnrwReport> FReport;
  std::unique_ptr<TnrwBaseDll> FObjeto;
  std::unique_ptr<TnFormParametros> FForm;
  std::vector<std::pair<std::string, std::string>> FDigitados;
};
