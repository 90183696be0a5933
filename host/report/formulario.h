#pragma once
// The parameter form as the host drives it: a user entering, changing and leaving
// each parameter in turn, with the report class's hooks around every step.
#include <string>

#include "host/report/base_dll.h"

class TnFormParametros : public TObject {
 public:
  TnFormParametros(TnrwReport* report, TnrwBaseDll* objeto);  // opens it: values set through controls reach DoParamChange
  ~TnFormParametros() override;                  // closes it
  TnFormParametros(const TnFormParametros&) = delete;
  TnFormParametros& operator=(const TnFormParametros&) = delete;
  void Preencher(const std::string& nome, const std::string& valor);  // type the value into the field:
                                                 // Entrar, Alterar and Sair in turn
  // One step at a time, as a form the user works on live: each raises EnParam for an
  // unknown field, Entrar and Alterar for a disabled one, and Alterar for a value the
  // field refuses (nothing changes then).
  void Entrar(const std::string& nome);          // the field takes the focus: DoParamEnter
  void Alterar(const std::string& nome, const std::string& valor);  // a new value typed: DoParamChange
  void Sair(const std::string& nome);            // the field loses the focus: DoParamExit
  void Confirmar();                              // the user presses OK: a period ending before it starts is refused
  std::string Descrever() const;                 // the form's fields as text, for `rpt describe`

 private:
  TnrwReport* FReport;
  TnrwBaseDll* FObjeto;
};
