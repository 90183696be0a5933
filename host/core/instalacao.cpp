#include "host/core/instalacao.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

std::string PastaBibliotecaHost() {
  static const std::string pasta = [] {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&PastaBibliotecaHost), &info) || !info.dli_fname)
      throw std::runtime_error("Não foi possível localizar a biblioteca do host.");
    std::error_code erro;
    const fs::path arquivo = fs::weakly_canonical(fs::absolute(info.dli_fname), erro);
    return (erro ? fs::absolute(info.dli_fname) : arquivo).parent_path().string();
  }();
  return pasta;
}

namespace {

// RPT_PLUGINS_RELATIVO and RPT_FIREBIRD_RELATIVO come from the build: the
// installed folders relative to the one of the host library.
std::string Relativa(const char* relativa) {
  return (fs::path(PastaBibliotecaHost()) / relativa).lexically_normal().string();
}

}  // namespace

std::string PastaPluginsInstalada() { return Relativa(RPT_PLUGINS_RELATIVO); }
std::string PastaFirebirdInstalada() { return Relativa(RPT_FIREBIRD_RELATIVO); }
