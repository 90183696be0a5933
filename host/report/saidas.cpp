#include "host/report/saidas.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "host/core/interrupcao.h"
#include "host/report/objeto.h"

namespace fs = std::filesystem;

namespace {

const char* const kAssinaturaPdf = "%PDF-";
const char* const kAssinaturaRastro = "{";   // the trace is one JSON object
const char* const kModeloPasta = ".rpt-XXXXXX";

[[noreturn]] void Recusar(const std::string& opcao, const std::string& caminho, const std::string& motivo) {
  throw Exception(opcao + ": '" + caminho + "' " + motivo + "; nada foi feito.");
}

fs::path Absoluto(const std::string& caminho) { return fs::absolute(caminho).lexically_normal(); }

// The folder an output goes in, as the system will resolve it ("a/b/../r.pdf" needs a/b).
fs::path PastaDe(const std::string& caminho) {
  const fs::path pasta = fs::path(caminho).parent_path();
  return pasta.empty() ? fs::path(".") : pasta;
}

bool EhNomeDeArquivo(const std::string& caminho) {
  const fs::path nome = fs::path(caminho).filename();
  return !nome.empty() && nome != "." && nome != "..";
}

// The same file or the same new name, through links and relative paths alike.
bool MesmoCaminho(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code e;
  if (fs::exists(a, e) && fs::exists(b, e)) return fs::equivalent(a, b, e);
  return fs::weakly_canonical(Absoluto(a), e) == fs::weakly_canonical(Absoluto(b), e);
}

bool ComecaCom(const std::string& caminho, const std::string& assinatura) {
  std::ifstream arquivo(caminho, std::ios::binary);
  std::string inicio(assinatura.size(), '\0');
  arquivo.read(inicio.data(), static_cast<std::streamsize>(inicio.size()));
  return arquivo && inicio == assinatura;
}

// A file output: a new name in an existing folder, or a regular file we wrote.
void ConferirArquivo(const std::string& opcao, const std::string& caminho, const std::string& assinatura,
                     const std::string& oQueEscrevemos) {
  std::error_code e;
  const fs::file_status st = fs::status(caminho, e);
  if (fs::is_directory(st)) Recusar(opcao, caminho, "é uma pasta");
  if (!EhNomeDeArquivo(caminho)) Recusar(opcao, caminho, "não é um nome de arquivo");
  if (fs::exists(st) && !fs::is_regular_file(st)) Recusar(opcao, caminho, "não é um arquivo comum");
  if (fs::exists(st) && !ComecaCom(caminho, assinatura))
    Recusar(opcao, caminho, "já existe e não é " + oQueEscrevemos + " (escolha outro nome ou apague-o)");
  if (!fs::exists(st) && !fs::is_directory(PastaDe(caminho), e))
    Recusar(opcao, caminho, "fica numa pasta que não existe");
}

void ConferirPastaPng(const std::string& pasta) {
  std::error_code e;
  const fs::file_status st = fs::status(pasta, e);
  if (fs::exists(st) && !fs::is_directory(st)) Recusar("--png", pasta, "não é uma pasta");
  if (!fs::exists(st) && (!EhNomeDeArquivo(pasta) || !fs::is_directory(PastaDe(pasta), e)))
    Recusar("--png", pasta, "fica numa pasta que não existe");
}

// A file output named like a page in the page folder would be overwritten by it.
void ConferirForaDasPaginas(const std::string& opcao, const std::string& caminho, const std::string& pastaPng) {
  if (caminho.empty() || pastaPng.empty()) return;
  const fs::path p = Absoluto(caminho);
  if (EhArquivoDePagina(p.filename().string()) && MesmoCaminho(p.parent_path().string(), pastaPng))
    Recusar(opcao, caminho, "tem o nome de uma página de --png");
}

void ConferirDiferentes(const std::string& opcao, const std::string& caminho, const std::string& outro,
                        const std::string& oQueEOutro) {
  if (MesmoCaminho(caminho, outro)) Recusar(opcao, caminho, "é " + oQueEOutro);
}

// "paginas/" names the folder "paginas", as the shell's completion writes it.
TnDestinos SemBarraFinal(TnDestinos d) {
  while (d.PastaPng.size() > 1 && d.PastaPng.back() == '/') d.PastaPng.pop_back();
  return d;
}

mode_t MascaraDoUsuario() {
  const mode_t mascara = umask(0);
  umask(mascara);
  return mascara;
}

}  // namespace

bool EhArquivoDePagina(const std::string& nome) {
  static const std::regex kPagina(R"(pagina-[0-9]{4,}\.png)");
  return std::regex_match(nome, kPagina);
}

void ConferirDestinos(const TnDestinos& destinos) {
  const TnDestinos d = SemBarraFinal(destinos);
  ConferirDiferentes("--out", d.Pdf, d.Banco, "o banco de dados");
  ConferirDiferentes("--trace", d.Rastro, d.Banco, "o banco de dados");
  ConferirDiferentes("--trace", d.Rastro, d.Pdf, "também a saída --out");
  ConferirDiferentes("--png", d.PastaPng, d.Banco, "o banco de dados");
  if (!d.Pdf.empty()) ConferirArquivo("--out", d.Pdf, kAssinaturaPdf, "um PDF");
  if (!d.Rastro.empty()) ConferirArquivo("--trace", d.Rastro, kAssinaturaRastro, "um rastro JSON");
  if (!d.PastaPng.empty()) ConferirPastaPng(d.PastaPng);
  ConferirForaDasPaginas("--out", d.Pdf, d.PastaPng);
  ConferirForaDasPaginas("--trace", d.Rastro, d.PastaPng);
}

TnSaidasTemporarias::TnSaidasTemporarias(const TnDestinos& destinos) : FDestinos(SemBarraFinal(destinos)) {
  ConferirDestinos(FDestinos);
  try {
    if (!FDestinos.Pdf.empty())
      FPdfTmp = (fs::path(NovaPasta(FDestinos.Pdf)) / fs::path(FDestinos.Pdf).filename()).string();
    if (!FDestinos.PastaPng.empty()) FPngTmp = NovaPasta(FDestinos.PastaPng);
    if (!FDestinos.Rastro.empty())
      FRastroTmp = (fs::path(NovaPasta(FDestinos.Rastro)) / fs::path(FDestinos.Rastro).filename()).string();
  } catch (...) {
    RemoverPastas();
    throw;
  }
}

TnSaidasTemporarias::~TnSaidasTemporarias() { RemoverPastas(); }

void TnSaidasTemporarias::RemoverPastas() {
  std::error_code e;
  for (const auto& pasta : FPastas) {
    fs::remove_all(pasta, e);
    TnInterrupcao::RemoverTemporario(pasta);
  }
  FPastas.clear();
}

// Made exclusively, readable by its owner only, in the output's own folder so
// the final move is a rename on one file system.
std::string TnSaidasTemporarias::NovaPasta(const std::string& destino) {
  std::string modelo = (fs::absolute(PastaDe(destino)) / kModeloPasta).string();
  if (!mkdtemp(modelo.data()))
    throw Exception("Não foi possível criar uma pasta temporária ao lado de '" + destino + "': " +
                    std::error_code(errno, std::generic_category()).message() + ".");
  TnInterrupcao::RegistrarTemporario(modelo);
  FPastas.push_back(modelo);
  return modelo;
}

void TnSaidasTemporarias::Confirmar(bool comPaginas) {
  TnInterrupcao::Verificar();
  std::error_code e;
  if (!FRastroTmp.empty() && fs::exists(FRastroTmp, e)) fs::rename(FRastroTmp, FDestinos.Rastro);
  if (!FPdfTmp.empty()) {
    if (comPaginas) fs::rename(FPdfTmp, FDestinos.Pdf);
    else if (fs::is_regular_file(FDestinos.Pdf, e) && ComecaCom(FDestinos.Pdf, kAssinaturaPdf))
      fs::remove(FDestinos.Pdf);
  }
  ConfirmarPaginas(comPaginas);
}

void TnSaidasTemporarias::ConfirmarPaginas(bool comPaginas) {
  if (FPngTmp.empty()) return;
  const fs::path pasta = FDestinos.PastaPng;
  std::error_code e;
  if (!fs::exists(pasta, e)) {
    if (!comPaginas) return;
    // A new folder: the private one takes its place, with the usual permissions.
    fs::rename(FPngTmp, pasta);
    FPastas.erase(std::find(FPastas.begin(), FPastas.end(), FPngTmp));
    TnInterrupcao::RemoverTemporario(FPngTmp);
    fs::permissions(pasta, static_cast<fs::perms>(0777 & ~MascaraDoUsuario()));
    return;
  }
  std::set<std::string> novas;
  for (const auto& f : fs::directory_iterator(FPngTmp)) novas.insert(f.path().filename().string());
  // Only our own page files of an older run go; the user's pictures stay.
  for (const auto& f : fs::directory_iterator(pasta)) {
    const std::string nome = f.path().filename().string();
    if (EhArquivoDePagina(nome) && !novas.count(nome) && fs::is_regular_file(f.symlink_status()))
      fs::remove(f.path());
  }
  for (const auto& nome : novas) fs::rename(fs::path(FPngTmp) / nome, pasta / nome);
}
