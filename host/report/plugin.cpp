#include "host/report/plugin.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "host/report/objeto.h"

namespace fs = std::filesystem;

#ifndef RPT_DEFAULT_PLUGIN_DIR
#define RPT_DEFAULT_PLUGIN_DIR "plugins"
#endif

std::string TnPlugin::PastaPadrao() {
  if (const char* env = std::getenv("RPT_PLUGINS"); env && *env) return env;
  return RPT_DEFAULT_PLUGIN_DIR;
}

std::vector<std::string> TnPlugin::Listar(const std::string& pasta) {
  const fs::path dir = pasta.empty() ? PastaPadrao() : pasta;
  std::vector<std::string> nomes;
  std::error_code erro;
  for (const auto& entrada : fs::directory_iterator(dir, erro))
    if (entrada.path().extension() == ".so") nomes.push_back(entrada.path().stem().string());
  if (erro) throw Exception("Pasta de plug-ins '" + dir.string() + "' não pôde ser lida: " + erro.message());
  std::sort(nomes.begin(), nomes.end());
  return nomes;
}

std::unique_ptr<TnPlugin> TnPlugin::Carregar(const std::string& nome, const std::string& pasta) {
  fs::path caminho = nome;
  if (nome.find('/') == std::string::npos) {
    caminho = fs::path(pasta.empty() ? PastaPadrao() : pasta) / nome;
    if (caminho.extension() != ".so") caminho += ".so";
  }
  if (!fs::exists(caminho))
    throw Exception("Plug-in '" + nome + "' não encontrado (procurado em " + caminho.string() + ").");
  std::unique_ptr<TnPlugin> p(new TnPlugin());
  p->FCaminho = fs::absolute(caminho).string();
  p->FNome = caminho.stem().string();
  p->FHandle = dlopen(p->FCaminho.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!p->FHandle) throw Exception("Plug-in '" + nome + "' não pôde ser carregado: " + dlerror());
  p->FClassDll = reinterpret_cast<const TnrwBaseDllClass* (*)()>(dlsym(p->FHandle, "ClassDll"));
  p->FImprimir = reinterpret_cast<void (*)(void*)>(dlsym(p->FHandle, "Imprimir"));
  if (!p->FClassDll || !p->FImprimir)
    throw Exception("'" + p->FCaminho + "' não é um plug-in de relatório (faltam ClassDll e Imprimir).");
  return p;
}

TnPlugin::~TnPlugin() {
  if (FHandle) dlclose(FHandle);
}

std::string TnPlugin::ArquivoLayout() const {
  return (fs::path(FCaminho).parent_path() / (FNome + ".json")).string();
}
