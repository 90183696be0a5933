#include "host/report/registro_conjuntos.h"

#include <charconv>
#include <system_error>
#include <map>

#include "host/core/texto.h"
#include "host/report/params.h"

namespace {

// Only the host's user-interface thread prints, so nothing is locked.
struct TRegistro {
  std::map<int, TnClientDataSet*> Conjuntos;
  int Ultimo = 0;
};

TRegistro& Registro() {
  static TRegistro registro;
  return registro;
}

}  // namespace

int TnRegistroConjuntos::Registrar(TnClientDataSet* ds) {
  TRegistro& r = Registro();
  const int handle = ++r.Ultimo;
  r.Conjuntos[handle] = ds;
  return handle;
}

TnClientDataSet* TnRegistroConjuntos::Resolver(int64_t handle) {
  const TRegistro& r = Registro();
  if (handle <= 0 || handle > r.Ultimo) return nullptr;
  auto it = r.Conjuntos.find(static_cast<int>(handle));
  return it == r.Conjuntos.end() ? nullptr : it->second;
}

void TnRegistroConjuntos::Remover(int handle) { Registro().Conjuntos.erase(handle); }

TnClientDataSet* TnRegistroConjuntos::ConjuntoDoParametro(TnpqParamItem* parametro) {
  const std::string texto = parametro->GetAsString();
  const std::string numero = Trim(texto);
  int64_t handle = 0;
  const auto [fim, erro] = std::from_chars(numero.data(), numero.data() + numero.size(), handle);
  TnClientDataSet* ds = erro == std::errc() && fim == numero.data() + numero.size() ? Resolver(handle) : nullptr;
  if (!ds) throw EnParam(parametro, "'" + texto + "' não designa um conjunto de dados aberto pelo sistema.");
  return ds;
}
