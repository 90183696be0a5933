#include "host/report/saidas.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>

#include "host/core/interrupcao.h"
#include "host/report/objeto.h"

namespace fs = std::filesystem;

namespace {

const char* const kAssinaturaPdf = "%PDF-";
const char* const kAssinaturaRastro = "{";   // the trace is one JSON object
const char* const kAssinaturaCsv = "\xEF\xBB\xBF";  // the byte order mark our CSV starts with
const char* const kAssinaturaZip = "PK\x03\x04";
const char* const kPastaDeTrabalho = "xl/workbook.xml";  // named in the zip's directory, at its end
constexpr std::streamoff kFimDoZip = 65536;   // bytes at the end where that directory lies
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

// A spreadsheet of the XLSX kind: a zip holding a workbook (not any zip, nor a text document).
bool EhXlsx(const std::string& caminho) {
  if (!ComecaCom(caminho, kAssinaturaZip)) return false;
  std::ifstream arquivo(caminho, std::ios::binary | std::ios::ate);
  const std::streamoff tamanho = arquivo.tellg();
  const std::streamoff inicio = std::max<std::streamoff>(0, tamanho - kFimDoZip);
  std::string fim(static_cast<size_t>(tamanho - inicio), '\0');
  arquivo.seekg(inicio);
  arquivo.read(fim.data(), static_cast<std::streamsize>(fim.size()));
  return arquivo && fim.find(kPastaDeTrabalho) != std::string::npos;
}

// What a file output may replace: what this program writes there.
struct TSaidaArquivo {
  std::string Opcao, Caminho;
  std::function<bool(const std::string&)> EhNosso;
  std::string OQueEscrevemos;
};

std::vector<TSaidaArquivo> SaidasArquivo(const TnDestinos& d) {
  const auto assinatura = [](const char* a) { return [a](const std::string& c) { return ComecaCom(c, a); }; };
  std::vector<TSaidaArquivo> saidas;
  if (!d.Pdf.empty()) saidas.push_back({"--out", d.Pdf, assinatura(kAssinaturaPdf), "um PDF"});
  if (!d.Rastro.empty()) saidas.push_back({"--trace", d.Rastro, assinatura(kAssinaturaRastro), "um rastro JSON"});
  if (!d.Xlsx.empty()) saidas.push_back({"--xlsx", d.Xlsx, EhXlsx, "uma planilha XLSX"});
  if (!d.Csv.empty()) saidas.push_back({"--csv", d.Csv, assinatura(kAssinaturaCsv), "um CSV em UTF-8"});
  return saidas;
}

// A file output: a new name in an existing folder, or a regular file we wrote.
void ConferirArquivo(const TSaidaArquivo& saida) {
  const std::string& opcao = saida.Opcao;
  const std::string& caminho = saida.Caminho;
  std::error_code e;
  const fs::file_status st = fs::status(caminho, e);
  if (fs::is_directory(st)) Recusar(opcao, caminho, "é uma pasta");
  if (!EhNomeDeArquivo(caminho)) Recusar(opcao, caminho, "não é um nome de arquivo");
  if (fs::exists(st) && !fs::is_regular_file(st)) Recusar(opcao, caminho, "não é um arquivo comum");
  if (fs::exists(st) && !saida.EhNosso(caminho))
    Recusar(opcao, caminho, "já existe e não é " + saida.OQueEscrevemos + " (escolha outro nome ou apague-o)");
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
  const std::vector<TSaidaArquivo> arquivos = SaidasArquivo(d);
  for (size_t i = 0; i < arquivos.size(); ++i) {
    ConferirDiferentes(arquivos[i].Opcao, arquivos[i].Caminho, d.Banco, "o banco de dados");
    for (size_t j = 0; j < i; ++j)
      ConferirDiferentes(arquivos[i].Opcao, arquivos[i].Caminho, arquivos[j].Caminho,
                         "também a saída " + arquivos[j].Opcao);
  }
  ConferirDiferentes("--png", d.PastaPng, d.Banco, "o banco de dados");
  for (const auto& a : arquivos) ConferirArquivo(a);
  if (!d.PastaPng.empty()) ConferirPastaPng(d.PastaPng);
  for (const auto& a : arquivos) ConferirForaDasPaginas(a.Opcao, a.Caminho, d.PastaPng);
}

TnSaidasTemporarias::TnSaidasTemporarias(const TnDestinos& destinos) : FDestinos(SemBarraFinal(destinos)) {
  ConferirDestinos(FDestinos);
  try {
    FPdfTmp = NovoArquivo(FDestinos.Pdf);
    if (!FDestinos.PastaPng.empty()) FPngTmp = NovaPasta(FDestinos.PastaPng);
    FRastroTmp = NovoArquivo(FDestinos.Rastro);
    FXlsxTmp = NovoArquivo(FDestinos.Xlsx);
    FCsvTmp = NovoArquivo(FDestinos.Csv);
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

std::string TnSaidasTemporarias::NovoArquivo(const std::string& destino) {
  if (destino.empty()) return {};
  return (fs::path(NovaPasta(destino)) / fs::path(destino).filename()).string();
}

void TnSaidasTemporarias::Confirmar(bool comPaginas) {
  TnInterrupcao::Verificar();
  std::error_code e;
  if (!FRastroTmp.empty() && fs::exists(FRastroTmp, e)) fs::rename(FRastroTmp, FDestinos.Rastro);
  // Drawn only when something printed; otherwise the older one goes, as it would look current.
  const auto confirmar = [&](const std::string& tmp, const std::string& destino, bool ehNosso(const std::string&)) {
    if (tmp.empty()) return;
    if (comPaginas) fs::rename(tmp, destino);
    else if (fs::is_regular_file(destino, e) && ehNosso(destino)) fs::remove(destino);
  };
  confirmar(FPdfTmp, FDestinos.Pdf, [](const std::string& c) { return ComecaCom(c, kAssinaturaPdf); });
  confirmar(FXlsxTmp, FDestinos.Xlsx, EhXlsx);
  confirmar(FCsvTmp, FDestinos.Csv, [](const std::string& c) { return ComecaCom(c, kAssinaturaCsv); });
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
