#pragma once
// The datasets a layout has the host open for its report (docs/layout.md): its
// own query ("consulta") handed over as MainDataSet, and each of its "conjuntos"
// handed through the integer parameter of its name as a registry handle.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/core/valor.h"

class TnClientDataSet;
class TnConjuntoRegistrado;
class TnpqParamItem;
class TnpqPowerParam;
class TnrwReport;

// Datasets a caller built itself, in place of the layout's queries; they stay the caller's.
struct TnConjuntosFornecidos {
  TnClientDataSet* Principal = nullptr;                              // in place of "consulta"
  std::vector<std::pair<std::string, TnClientDataSet*>> Nomeados;    // parameter name -> dataset
};

TValor ValorParaConsulta(const TnpqParamItem& parametro);  //!< the form value typed by its kind; blank is null
std::vector<TValor> ValoresDaConsulta(const std::string& sql, TnpqPowerParam& params);  //!< one per distinct :name

class TnConjuntosDoLayout {
 public:
  //! Runs the layout's queries (read-only, with the form's values) where the caller handed in
  //! no dataset, registers each conjunto and writes its handle into its parameter, and gives
  //! the report its MainDataSet. A query that fails leaves nothing open or registered.
  TnConjuntosDoLayout(TnrwReport& report, const TnConjuntosFornecidos& fornecidos);
  ~TnConjuntosDoLayout();  //!< clears MainDataSet, removes the handles and frees what it opened
  TnConjuntosDoLayout(const TnConjuntosDoLayout&) = delete;
  TnConjuntosDoLayout& operator=(const TnConjuntosDoLayout&) = delete;

 private:
  TnClientDataSet* Abrir(const std::string& sql, TnClientDataSet* fornecido);

  TnrwReport& FReport;
  std::vector<std::unique_ptr<TnClientDataSet>> FAbertos;
  std::vector<std::unique_ptr<TnConjuntoRegistrado>> FRegistrados;  // freed before the datasets they designate
};
