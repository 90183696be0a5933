#include "frame/frame.h"

#include <cstdint>
#include <cstdio>
#include <memory>

const TnrwBaseDllClass* FClassDll = nullptr;

const TnrwBaseDllClass* ClassDll() { return FClassDll; }

void Imprimir(void* report) {
  // Only the registry of live report objects is consulted: a foreign pointer is never read.
  if (!TnrwReport::EhRelatorio(report)) {
    char endereco[32];
    std::snprintf(endereco, sizeof endereco, "%08llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(report)));
    throw Exception(std::string("Erro: Endereço: ") + endereco + " nao é de relatório.");
  }
  if (!FClassDll) throw Exception("FClassDll está nil.");
  auto* relatorio = static_cast<TnrwReport*>(report);
  std::unique_ptr<TnrwBaseDll> objeto = FClassDll->Create(relatorio);
  // Handlers a form object of this class installed now call the printing object.
  relatorio->AdotarEventos(objeto.get());
  objeto->ImprimirInterno();
}
