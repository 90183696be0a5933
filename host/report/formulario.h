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
  void Preencher(const std::string& nome, const std::string& valor);  // type the value into the field
  void Confirmar();                              // the user presses OK: a period ending before it starts is refused
  std::string Descrever() const;                 // the form's fields as text, for `rpt describe`

 private:
  TnrwReport* FReport;
  TnrwBaseDll* FObjeto;
};
