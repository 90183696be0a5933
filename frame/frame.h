#pragma once
// What a report plug-in writes to plug in: one line, RPT_REGISTRAR_RELATORIO(TRptX),
// after its report class. The exported entry points live in frame.cpp.
#include "host/report/base_dll.h"

#define RPT_EXPORTA extern "C" __attribute__((visibility("default")))

RPT_EXPORTA const TnrwBaseDllClass* ClassDll();  // the registered report class
RPT_EXPORTA void Imprimir(void* report);         // prints one report on the host's report object

// The library's report class; null until the start block below runs at load time.
extern __attribute__((visibility("hidden"))) const TnrwBaseDllClass* FClassDll;

#define RPT_REGISTRAR_RELATORIO(Classe)                                                        \
  namespace {                                                                                  \
  constexpr TnrwBaseDllClass Classe##_Classe = TnrwBaseDllClass::De<Classe>(#Classe);           \
  [[gnu::constructor]] void Classe##_Registrar() { FClassDll = &Classe##_Classe; }              \
  }
