#pragma once
// Datasets the host hands to a report through an integer parameter: a small
// handle stands for each one while its print lasts. No address crosses, so a
// typed or stale number designates nothing.
#include <cstdint>

class TnClientDataSet;
class TnpqParamItem;

namespace TnRegistroConjuntos {
int Registrar(TnClientDataSet* ds);              //!< a new handle (1, 2, ...) for ds, never reused; ds stays the caller's
TnClientDataSet* Resolver(int64_t handle);       //!< the dataset registered under handle; null when unknown or removed
void Remover(int handle);                        //!< handle designates nothing any more; an unknown one is ignored
//! The dataset whose handle the parameter holds; otherwise (blank, typed, stale) raises EnParam on it:
//! "'<valor>' não designa um conjunto de dados aberto pelo sistema."
TnClientDataSet* ConjuntoDoParametro(TnpqParamItem* parametro);
}  // namespace TnRegistroConjuntos

// Keeps one dataset registered while it lives.
class TnConjuntoRegistrado {
 public:
  explicit TnConjuntoRegistrado(TnClientDataSet* ds) : FHandle(TnRegistroConjuntos::Registrar(ds)) {}
  ~TnConjuntoRegistrado() { TnRegistroConjuntos::Remover(FHandle); }
  TnConjuntoRegistrado(const TnConjuntoRegistrado&) = delete;
  TnConjuntoRegistrado& operator=(const TnConjuntoRegistrado&) = delete;
  int Handle() const { return FHandle; }         //!< the number written into the report's parameter

 private:
  int FHandle;
};
