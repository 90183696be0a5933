#include "host/report/plugin.h"

#include <dlfcn.h>
#include <elf.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "host/core/instalacao.h"
#include "host/report/objeto.h"

namespace fs = std::filesystem;

std::string TnPlugin::PastaPadrao() {
  if (const char* env = std::getenv("RPT_PLUGINS"); env && *env) return env;
  return PastaPluginsInstalada();
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

namespace {

#if defined(__x86_64__)
constexpr Elf64_Half kMaquina = EM_X86_64;
#elif defined(__aarch64__)
constexpr Elf64_Half kMaquina = EM_AARCH64;
#endif

// What dlopen would map, checked first: a truncated or foreign file would crash
// the process (a mapping past the end of the file) instead of failing.
std::string DefeitoDoArquivo(const fs::path& caminho) {
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) return std::string("não pôde ser lido (") + std::strerror(errno) + ")";
  std::error_code e;
  const uintmax_t tamanho = fs::file_size(caminho, e);
  if (e) return "não é um arquivo comum";
  Elf64_Ehdr cab{};
  if (!arquivo.read(reinterpret_cast<char*>(&cab), sizeof cab) || std::memcmp(cab.e_ident, ELFMAG, SELFMAG) != 0)
    return "não é uma biblioteca compartilhada (cabeçalho ELF ausente)";
  if (cab.e_ident[EI_CLASS] != ELFCLASS64 || cab.e_machine != kMaquina || cab.e_type != ET_DYN)
    return "é uma biblioteca de outra plataforma ou não é uma biblioteca compartilhada";
  const uintmax_t fimSecoes = cab.e_shoff + uintmax_t{cab.e_shnum} * cab.e_shentsize;
  uintmax_t fimSegmentos = cab.e_phoff + uintmax_t{cab.e_phnum} * cab.e_phentsize;
  arquivo.seekg(static_cast<std::streamoff>(cab.e_phoff));
  for (int i = 0; i < cab.e_phnum && arquivo; ++i) {
    Elf64_Phdr seg{};
    if (arquivo.read(reinterpret_cast<char*>(&seg), sizeof seg) && seg.p_type == PT_LOAD)
      fimSegmentos = std::max<uintmax_t>(fimSegmentos, seg.p_offset + seg.p_filesz);
  }
  const uintmax_t esperado = std::max(fimSecoes, fimSegmentos);
  if (!arquivo || esperado > tamanho)
    return "está truncado (" + std::to_string(tamanho) + " bytes; o cabeçalho pede " + std::to_string(esperado) + ")";
  return {};
}

}  // namespace

std::unique_ptr<TnPlugin> TnPlugin::Carregar(const std::string& nome, const std::string& pasta) {
  fs::path caminho = nome;
  if (nome.find('/') == std::string::npos) {
    caminho = fs::path(pasta.empty() ? PastaPadrao() : pasta) / nome;
    if (caminho.extension() != ".so") caminho += ".so";
  }
  if (!fs::exists(caminho))
    throw Exception("Plug-in '" + nome + "' não encontrado (procurado em " + caminho.string() + ").");
  if (const std::string defeito = DefeitoDoArquivo(caminho); !defeito.empty())
    throw Exception("Plug-in '" + nome + "' (" + caminho.string() + ") " + defeito + ".");
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
