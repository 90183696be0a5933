#pragma once
// The report's parameter set: the parameters the user fills on the form and the
// report values the layout shows.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/core/valor.h"
#include "host/report/objeto.h"

enum class TnTipoParametro { Texto, Inteiro, Data, Codigos, Escolha };

struct TnOpcaoParametro {
  std::string Valor;                             // the text the parameter takes
  std::string Texto;                             // what the form shows for it
};

class TnpqParamItem : public TObject {
 public:
  TnpqParamItem(std::string nome, TnTipoParametro tipo);
  const std::string& Nome() const { return FNome; }                 // parameter name, e.g. pDataInicial
  TnTipoParametro Tipo() const { return FTipo; }                    // kind the form edits
  const std::string& GetAsString() const { return FValor; }         // current text; empty when blank
  void SetAsString(const std::string& valor) { FValor = valor; }    // sets the text as is
  int GetAsInteger() const;                                         // blank is 0; raises for non-integers
  TDateTime GetAsDate() const;                                      // blank is 0; raises for non-dates
  void Validar(const std::string& valor) const;                     // raises EnParam when the form must refuse it:
                                                                    // not an integer, date, choice or selection (docs/selecao.md)

  std::string Rotulo;                            // caption on the form
  std::string Padrao;                            // default text
  std::vector<TnOpcaoParametro> Opcoes;          // choices of an Escolha parameter
  std::string NaoAntesDe;                        // a Data parameter: the start of its period, which it may not precede
  bool Habilitado = true;                        // editable on the form
  bool Visivel = true;                           // shown on the form

 private:
  std::string FNome;
  TnTipoParametro FTipo;
  std::string FValor;
};

// A wrong parameter value, bound to its parameter so the host can point at it.
class EnParam : public Exception {
 public:
  EnParam(TnpqParamItem* item, const std::string& mensagem);
  EnParam(std::string nome, const std::string& mensagem);          // a name the layout lacks
  ~EnParam() override;                                              // in the host library, like Exception's
  static EnParam Create(TnpqParamItem* item, const std::string& mensagem) { return {item, mensagem}; }
  TnpqParamItem* Item() const { return FItem; }                    // the offending parameter, while its report lives
  std::string NomeParametro() const;                                // its name, also after the report is gone

 private:
  TnpqParamItem* FItem = nullptr;
  std::string FNome;
};

class TnpqPowerParam;

// The form control of one parameter, as the parameter-form hooks see it. A value set
// through it while a form is open raises the form's DoParamChange, as typing would.
class TnFraControle : public TObject {
 public:
  TnFraControle(TnpqParamItem* item, TnpqPowerParam* params) : FItem(item), FParams(params) {}
  std::string GetAsString() const { return FItem->GetAsString(); }  // text the control shows
  void SetAsInteger(int valor) { SetAsString(std::to_string(valor)); }  // sets an integer
  void SetAsString(const std::string& valor);                       // sets the text

 private:
  TnpqParamItem* FItem;
  TnpqPowerParam* FParams;
};

class TnpqPowerParam : public TObject {
 public:
  TnpqParamItem* Adicionar(std::unique_ptr<TnpqParamItem> item);   // the form's parameters, in order
  TnpqParamItem* Param(const std::string& nome);                    // raises when absent
  TnpqParamItem* FindParam(const std::string& nome);                // null when absent
  const std::vector<std::unique_ptr<TnpqParamItem>>& Itens() const { return FItens; }
  void SetValues(const std::string& nome, const std::string& texto);  // a parameter's text or a report value
  std::string GetValues(const std::string& nome) const;             // text last written; empty if none
  void EdEnabledField(const std::string& nome, bool habilitado);    // enables/disables on the form
  void EdVisibleField(const std::string& nome, bool visivel);       // shows/hides on the form
  TnFraControle* EdFindFieldControl(const std::string& nome);       // the parameter's control
  // While a form is open on this set: called after a control set a value; empty = no form.
  void DefinirAoAlterarControle(std::function<void(TnpqParamItem*)> aoAlterar) { FAoAlterarControle = std::move(aoAlterar); }
  void ControleAlterado(TnpqParamItem* item) { if (FAoAlterarControle) FAoAlterarControle(item); }  // from a control

 private:
  std::function<void(TnpqParamItem*)> FAoAlterarControle;
  std::vector<std::unique_ptr<TnpqParamItem>> FItens;
  std::map<std::string, std::unique_ptr<TnFraControle>> FControles;
  std::map<std::string, std::string> FValores;
};

// FilterInterval (host/data/filtros.h) on the selection typed into parametro (its
// text, trimmed), for a report to build its conditions from its parameters: a text
// the notation refuses raises EnParam bound to parametro, so the host names it;
// "" / "1=1 " when blank.
std::string FiltroParametro(TnpqParamItem* parametro, const std::vector<std::string>& campos,
                            const std::vector<int>& tiposInclusao = {1}, bool comAnd = true, int tipoValor = 0);
