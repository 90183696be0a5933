#include "host/web/servidor_web.h"

#include <httplib.h>
#include <stdlib.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "host/core/interrupcao.h"
#include "host/core/texto.h"
#include "host/data/conexao.h"
#include "host/data/schema.h"
#include "host/report/base_dll.h"
#include "host/report/layout.h"
#include "host/report/plugin.h"
#include "host/web/formulario_web.h"
#include "host/web/impressao_web.h"

// The page texts, built into the program (host/web/recursos).
extern const char kWebIndice[];
extern const char kWebRelatorio[];
extern const char kWebEstilo[];
extern const std::size_t kTamanhoWebEstilo;
extern const char kWebScript[];
extern const std::size_t kTamanhoWebScript;

namespace fs = std::filesystem;
using nlohmann::json;

EnOpcao::~EnOpcao() = default;

namespace {

constexpr size_t kMaximoCorpo = 64 * 1024;       // bytes of a request body
constexpr int kTarefasHttp = 32;                 // requests answered at once (kept-alive ones hold one each)
constexpr time_t kSegundosManterConexao = 2;
const char kCabecalhoToken[] = "X-Rpt-Token";
const char kCookieToken[] = "rpt_token";

// An id nobody can guess: 128 random bits in hex.
std::string NovoId() {
  static std::mutex mutex;
  static std::random_device origem;
  static std::mt19937_64 gerador(((uint64_t)origem() << 32) ^ origem());
  std::lock_guard<std::mutex> trava(mutex);
  std::ostringstream s;
  s << std::hex;
  for (int i = 0; i < 2; ++i) {
    const uint64_t v = gerador() ^ ((uint64_t)origem() << 32 | origem());
    s.width(16);
    s.fill('0');
    s << v;
  }
  return s.str();
}

std::string EscaparHtml(const std::string& texto) {
  std::string r;
  for (char c : texto) {
    switch (c) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      case '\'': r += "&#39;"; break;
      default: r += c;
    }
  }
  return r;
}

std::string Substituir(std::string texto, const std::string& marca, const std::string& valor) {
  for (size_t p = texto.find(marca); p != std::string::npos; p = texto.find(marca, p + valor.size()))
    texto.replace(p, marca.size(), valor);
  return texto;
}

// "Relatório de março" -> "Relatorio de marco": accents dropped, anything else not
// plain printable ASCII (and the quote, backslash and slash) as '_'.
std::string NomeAscii(const std::string& nome) {
  static const char kLatin1[] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo_ouuuuyty";
  std::string r;
  for (size_t i = 0; i < nome.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(nome[i]);
    if (c < 0x80) {
      r += (c < 0x20 || c == 0x7f || c == '"' || c == '\\' || c == '/') ? '_' : static_cast<char>(c);
    } else if ((c == 0xC3) && i + 1 < nome.size()) {
      const unsigned char d = static_cast<unsigned char>(nome[++i]);
      r += (d >= 0x80 && d <= 0xBF) ? kLatin1[d - 0x80] : '_';  // U+00C0..U+00FF
    } else {
      r += '_';
      while (i + 1 < nome.size() && (static_cast<unsigned char>(nome[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return r;
}

std::string PorcentoUtf8(const std::string& texto) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string r;
  for (unsigned char c : texto) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') r += static_cast<char>(c);
    else {
      r += '%';
      r += kHex[c >> 4];
      r += kHex[c & 15];
    }
  }
  return r;
}

std::string Disposicao(bool baixar, const std::string& nome) {
  return std::string(baixar ? "attachment" : "inline") + "; filename=\"" + NomeAscii(nome) +
         "\"; filename*=UTF-8''" + PorcentoUtf8(nome);
}

bool IguaisSemPressa(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  unsigned char d = 0;
  for (size_t i = 0; i < a.size(); ++i) d |= static_cast<unsigned char>(a[i] ^ b[i]);
  return d == 0;
}

std::string CookieToken(const httplib::Request& req) {
  const std::string cookies = req.get_header_value("Cookie");
  const std::string marca = std::string(kCookieToken) + "=";
  for (size_t p = 0; p < cookies.size();) {
    while (p < cookies.size() && (cookies[p] == ' ' || cookies[p] == ';')) ++p;
    const size_t fim = std::min(cookies.find(';', p), cookies.size());
    if (cookies.compare(p, marca.size(), marca) == 0) return cookies.substr(p + marca.size(), fim - p - marca.size());
    p = fim;
  }
  return {};
}

// "localhost:8080" -> "localhost", "[::1]:8080" -> "::1".
std::string NomeDoHost(const std::string& host) {
  if (!host.empty() && host.front() == '[') return host.substr(1, host.find(']') - 1);
  return host.substr(0, host.find(':'));
}

void ResponderJson(httplib::Response& res, int status, const json& corpo) {
  res.status = status;
  res.set_content(corpo.dump(), "application/json; charset=utf-8");
}

void ResponderErro(httplib::Response& res, int status, const std::string& mensagem, const std::string& campo = {}) {
  json corpo = {{"erro", mensagem}};
  if (!campo.empty()) corpo["campo"] = campo;
  ResponderJson(res, status, corpo);
}

const char* NomeEstado(TnEstadoImpressao e) {
  switch (e) {
    case TnEstadoImpressao::Executando: return "executando";
    case TnEstadoImpressao::Pronta: return "pronta";
    case TnEstadoImpressao::Vazia: return "vazia";
    case TnEstadoImpressao::Erro: return "erro";
    case TnEstadoImpressao::Cancelada: return "cancelada";
  }
  return "erro";
}

bool LerArquivo(const std::string& caminho, std::string& conteudo) {
  std::ifstream f(caminho, std::ios::binary);
  if (!f) return false;
  std::ostringstream s;
  s << f.rdbuf();
  conteudo = s.str();
  return true;
}

struct TEntradaCatalogo {
  std::string Nome, Classe, Versao, Titulo;
};

// One browser tab: its form and its latest print.
struct TSessao {
  std::unique_ptr<TnFormularioWeb> Form;
  std::string IdImpressao;
  std::chrono::steady_clock::time_point Uso;
};

}  // namespace

bool EhLoopback(const std::string& endereco) {
  return endereco == "localhost" || endereco == "::1" || endereco.rfind("127.", 0) == 0;
}

struct TnServidorWeb::TImpl {
  TnOpcoesServidor Opcoes;
  std::string PastaTemporaria;                   // every print's folder lies here
  std::vector<TEntradaCatalogo> Catalogo;
  httplib::Server Http;
  int Porta = 0;

  // The forms share one connection for what their hooks read, one step at a time.
  std::unique_ptr<TnDMConexao> ConexaoFormularios;
  std::mutex MutexFormularios;

  std::mutex Mutex;                              // the maps below
  std::map<std::string, std::shared_ptr<TSessao>> Sessoes;
  std::map<std::string, std::shared_ptr<TnImpressaoWeb>> Impressoes;
  std::map<std::string, std::string> SessaoDaImpressao;

  std::thread Zelador;                           // releases forms left unused
  std::condition_variable AcordarZelador;
  bool Parando = false;

  void MontarCatalogo();
  void Rotas();
  bool Autorizar(const httplib::Request& req, httplib::Response& res);
  std::shared_ptr<TSessao> Sessao(const std::string& id);
  std::shared_ptr<TnImpressaoWeb> Impressao(const std::string& id);
  void Liberar(const std::string& idSessao);
  void Zelar();

  // Runs f alone among the forms' steps, with the forms' connection current on this thread.
  template <class F>
  void ComConexaoDosFormularios(F&& f) {
    std::lock_guard<std::mutex> trava(MutexFormularios);
    TnDMConexao::DefinirAtual(ConexaoFormularios.get());
    struct TSolta {
      ~TSolta() { TnDMConexao::DefinirAtual(nullptr); }
    } solta;
    f();
  }
  template <class F>
  void NoFormulario(TSessao& sessao, F&& f) {
    ComConexaoDosFormularios([&] { f(*sessao.Form); });
  }

  void IndiceHtml(httplib::Response& res);
  void RelatorioHtml(const std::string& nome, httplib::Response& res);
  void AbrirFormulario(const httplib::Request& req, httplib::Response& res);
  void PassoCampo(const std::string& id, const std::string& nome, const httplib::Request& req, httplib::Response& res);
  void Imprimir(const std::string& id, const httplib::Request& req, httplib::Response& res);
  void SituacaoImpressao(const std::string& id, httplib::Response& res);
  void ArquivoImpressao(const std::string& id, bool imagem, size_t n, bool baixar, httplib::Response& res);
};

void TnServidorWeb::TImpl::MontarCatalogo() {
  for (const auto& nome : TnPlugin::Listar(Opcoes.PastaPlugins)) {
    try {
      auto plugin = TnPlugin::Carregar(nome, Opcoes.PastaPlugins);
      const TnrwBaseDllClass* classe = plugin->ClassDll();
      if (!classe) throw Exception("Plug-in '" + nome + "' não registrou sua classe de relatório.");
      Catalogo.push_back({plugin->Nome(), classe->Nome, classe->Versao(), TnLayout::Carregar(plugin->ArquivoLayout())->Titulo});
    } catch (const std::exception& e) {
      std::cerr << "Erro: " << e.what() << "\n";  // the others are still offered
    }
  }
}

bool TnServidorWeb::TImpl::Autorizar(const httplib::Request& req, httplib::Response& res) {
  if (Opcoes.Token.empty()) {
    // Without a token only this machine's own pages may ask: a page elsewhere whose name
    // was pointed at 127.0.0.1 (DNS rebinding) still sends its own name as the Host.
    if (EhLoopback(NomeDoHost(req.get_header_value("Host")))) return true;
    ResponderErro(res, 403, "Acesso negado: abra o servidor por 127.0.0.1 ou localhost.");
    return false;
  }
  if (IguaisSemPressa(req.get_header_value(kCabecalhoToken), Opcoes.Token) ||
      IguaisSemPressa(CookieToken(req), Opcoes.Token))
    return true;
  // The link printed at start-up carries it once: kept in a cookie, then out of the address.
  if (req.method == "GET" && IguaisSemPressa(req.get_param_value("token"), Opcoes.Token)) {
    res.set_header("Set-Cookie", std::string(kCookieToken) + "=" + Opcoes.Token + "; Path=/; HttpOnly; SameSite=Strict");
    res.set_redirect(req.path, 303);
    return false;
  }
  ResponderErro(res, 401, "Acesso negado: informe o token do servidor (abra o endereço com ?token=...).");
  return false;
}

std::shared_ptr<TSessao> TnServidorWeb::TImpl::Sessao(const std::string& id) {
  std::lock_guard<std::mutex> trava(Mutex);
  auto it = Sessoes.find(id);
  if (it == Sessoes.end()) return nullptr;
  it->second->Uso = std::chrono::steady_clock::now();
  return it->second;
}

std::shared_ptr<TnImpressaoWeb> TnServidorWeb::TImpl::Impressao(const std::string& id) {
  std::lock_guard<std::mutex> trava(Mutex);
  auto it = Impressoes.find(id);
  if (it == Impressoes.end()) return nullptr;
  auto s = Sessoes.find(SessaoDaImpressao[id]);
  if (s != Sessoes.end()) s->second->Uso = std::chrono::steady_clock::now();
  return it->second;
}

void TnServidorWeb::TImpl::Liberar(const std::string& idSessao) {
  std::shared_ptr<TSessao> sessao;
  std::shared_ptr<TnImpressaoWeb> impressao;
  {
    std::lock_guard<std::mutex> trava(Mutex);
    auto it = Sessoes.find(idSessao);
    if (it == Sessoes.end()) return;
    sessao = it->second;
    Sessoes.erase(it);
    if (!sessao->IdImpressao.empty()) {
      impressao = Impressoes[sessao->IdImpressao];
      Impressoes.erase(sessao->IdImpressao);
      SessaoDaImpressao.erase(sessao->IdImpressao);
    }
  }
  if (impressao) impressao->Cancelar();
  impressao.reset();  // waits for it and removes its files, unless a request still reads them
  std::lock_guard<std::mutex> trava(MutexFormularios);  // a step running on it ends first
  sessao->Form.reset();
}

void TnServidorWeb::TImpl::Zelar() {
  const auto ocioso = std::chrono::seconds(Opcoes.SegundosOcioso);
  const auto periodo = std::max(std::chrono::seconds(1), ocioso / 4);
  std::unique_lock<std::mutex> trava(Mutex);
  while (!Parando) {
    AcordarZelador.wait_for(trava, periodo);
    if (Parando) break;
    std::vector<std::string> velhas;
    const auto agora = std::chrono::steady_clock::now();
    for (const auto& [id, s] : Sessoes)
      if (agora - s->Uso >= ocioso) velhas.push_back(id);
    trava.unlock();
    for (const auto& id : velhas) Liberar(id);
    trava.lock();
  }
}

void TnServidorWeb::TImpl::IndiceHtml(httplib::Response& res) {
  std::string linhas;
  for (const auto& e : Catalogo)
    linhas += "<tr><td><a href=\"/relatorio/" + EscaparHtml(e.Nome) + "\">" + EscaparHtml(e.Titulo) + "</a></td><td>" +
              EscaparHtml(e.Nome) + "</td><td>" + EscaparHtml(e.Classe) + "</td><td>" + EscaparHtml(e.Versao) +
              "</td></tr>\n";
  if (Catalogo.empty()) linhas = "<tr><td colspan=\"4\">Nenhum plug-in encontrado.</td></tr>\n";
  res.set_content(Substituir(kWebIndice, "{{RELATORIOS}}", linhas), "text/html; charset=utf-8");
}

void TnServidorWeb::TImpl::RelatorioHtml(const std::string& nome, httplib::Response& res) {
  for (const auto& e : Catalogo) {
    if (e.Nome != nome) continue;
    std::string pagina = Substituir(kWebRelatorio, "{{TITULO}}", EscaparHtml(e.Titulo));
    res.set_content(Substituir(pagina, "{{PLUGIN}}", EscaparHtml(e.Nome)), "text/html; charset=utf-8");
    return;
  }
  res.status = 404;
  res.set_content("<!doctype html><meta charset=\"utf-8\"><title>Relatório desconhecido</title>"
                  "<p>Relatório desconhecido: " + EscaparHtml(nome) + ". <a href=\"/\">Ver a lista</a></p>",
                  "text/html; charset=utf-8");
}

void TnServidorWeb::TImpl::AbrirFormulario(const httplib::Request& req, httplib::Response& res) {
  const json corpo = json::parse(req.body);
  const std::string plugin = corpo.value("plugin", "");
  bool conhecido = false;
  for (const auto& e : Catalogo) conhecido = conhecido || e.Nome == plugin;
  if (!conhecido) return ResponderErro(res, 404, "Relatório desconhecido: '" + plugin + "'.");
  auto sessao = std::make_shared<TSessao>();
  sessao->Uso = std::chrono::steady_clock::now();
  json campos;
  std::string titulo;
  ComConexaoDosFormularios([&] {
    sessao->Form = std::make_unique<TnFormularioWeb>(plugin, Opcoes.PastaPlugins);
    campos = sessao->Form->Campos();
    titulo = sessao->Form->Titulo();
  });
  const std::string id = NovoId();
  {
    std::lock_guard<std::mutex> trava(Mutex);
    Sessoes[id] = sessao;
  }
  ResponderJson(res, 201, {{"id", id}, {"plugin", plugin}, {"titulo", titulo}, {"campos", campos}});
}

void TnServidorWeb::TImpl::PassoCampo(const std::string& id, const std::string& nome, const httplib::Request& req,
                                      httplib::Response& res) {
  auto sessao = Sessao(id);
  if (!sessao) return ResponderErro(res, 404, "Formulário não encontrado: ficou tempo demais sem uso. Recarregue a página.");
  const json corpo = json::parse(req.body);
  const std::string evento = corpo.value("evento", "");
  TnEventoCampo e;
  if (evento == "entrar") e = TnEventoCampo::Entrar;
  else if (evento == "alterar") e = TnEventoCampo::Alterar;
  else if (evento == "sair") e = TnEventoCampo::Sair;
  else return ResponderErro(res, 400, "Evento desconhecido: '" + evento + "' (entrar, alterar ou sair).");
  if (corpo.contains("valor") && !corpo["valor"].is_string())
    return ResponderErro(res, 400, "O valor do campo deve ser um texto.", nome);
  const std::string valor = corpo.value("valor", "");
  NoFormulario(*sessao, [&](TnFormularioWeb& form) {
    if (!form.Conhece(nome)) return ResponderErro(res, 400, "Parâmetro desconhecido neste relatório: '" + nome + "'.", nome);
    try {
      form.Passo(e, nome, valor);
      ResponderJson(res, 200, {{"campos", form.Campos()}});
    } catch (const EnParam& erro) {
      ResponderJson(res, 422, {{"erro", erro.what()}, {"campo", erro.NomeParametro()}, {"campos", form.Campos()}});
    }
  });
}

void TnServidorWeb::TImpl::Imprimir(const std::string& id, const httplib::Request& req, httplib::Response& res) {
  auto sessao = Sessao(id);
  if (!sessao) return ResponderErro(res, 404, "Formulário não encontrado: ficou tempo demais sem uso. Recarregue a página.");
  const json corpo = req.body.empty() ? json::object() : json::parse(req.body);
  std::vector<std::pair<std::string, std::string>> valores;
  if (corpo.contains("valores")) {
    if (!corpo["valores"].is_object()) return ResponderErro(res, 400, "'valores' deve ser um objeto NOME: VALOR.");
    for (const auto& [nome, valor] : corpo["valores"].items()) {
      if (!valor.is_string()) return ResponderErro(res, 400, "O valor do campo deve ser um texto.", nome);
      valores.emplace_back(nome, valor.get<std::string>());
    }
  }
  TnPedidoWeb pedido;
  bool recusado = false;
  NoFormulario(*sessao, [&](TnFormularioWeb& form) {
    for (const auto& [nome, valor] : valores)
      if (!form.Conhece(nome)) {
        recusado = true;
        return ResponderErro(res, 400, "Parâmetro desconhecido neste relatório: '" + nome + "'.", nome);
      }
    try {
      form.Sincronizar(valores);
      form.Confirmar();
    } catch (const EnParam& erro) {
      recusado = true;
      return ResponderJson(res, 422, {{"erro", erro.what()}, {"campo", erro.NomeParametro()}, {"campos", form.Campos()}});
    }
    pedido.Plugin = form.Plugin();
    pedido.Parametros = form.Digitados();
    pedido.NomeArquivo = form.NomeArquivo();
  });
  if (recusado) return;
  pedido.Banco = Opcoes.Banco;
  pedido.PastaPlugins = Opcoes.PastaPlugins;
  const std::string idImpressao = NovoId();
  pedido.Pasta = (fs::path(PastaTemporaria) / idImpressao).string();
  auto impressao = std::make_shared<TnImpressaoWeb>(std::move(pedido));
  std::shared_ptr<TnImpressaoWeb> anterior;
  {
    std::lock_guard<std::mutex> trava(Mutex);
    if (!Sessoes.count(id)) return ResponderErro(res, 404, "Formulário liberado.");
    if (!sessao->IdImpressao.empty()) {
      anterior = Impressoes[sessao->IdImpressao];
      Impressoes.erase(sessao->IdImpressao);
      SessaoDaImpressao.erase(sessao->IdImpressao);
    }
    sessao->IdImpressao = idImpressao;
    Impressoes[idImpressao] = impressao;
    SessaoDaImpressao[idImpressao] = id;
  }
  if (anterior) anterior->Cancelar();
  ResponderJson(res, 202, {{"impressao", idImpressao}});
}

void TnServidorWeb::TImpl::SituacaoImpressao(const std::string& id, httplib::Response& res) {
  auto impressao = Impressao(id);
  if (!impressao) return ResponderErro(res, 404, "Impressão não encontrada.");
  const TnSituacaoImpressao s = impressao->Situacao();
  const std::string base = "/api/impressoes/" + id;
  json imagens = json::array(), arquivos = json::array();
  for (size_t i = 0; i < s.Imagens.size(); ++i) imagens.push_back(base + "/imagens/" + std::to_string(i));
  for (size_t i = 0; i < s.Arquivos.size(); ++i)
    arquivos.push_back({{"tipo", s.Arquivos[i].Tipo},
                        {"nome", s.Arquivos[i].Nome},
                        {"abrir", base + "/arquivos/" + std::to_string(i)},
                        {"baixar", base + "/arquivos/" + std::to_string(i) + "?baixar=1"}});
  json corpo = {{"estado", NomeEstado(s.Estado)},
                {"paginas", s.Paginas},
                {"imagens", imagens},
                {"arquivos", arquivos},
                {"progresso",
                 {{"texto", s.TextoProgresso}, {"posicao", s.Progresso.Posicao}, {"maximo", s.Progresso.Maximo}}}};
  if (!s.Mensagem.empty()) corpo["mensagem"] = s.Mensagem;
  if (!s.Campo.empty()) corpo["campo"] = s.Campo;
  ResponderJson(res, 200, corpo);
}

void TnServidorWeb::TImpl::ArquivoImpressao(const std::string& id, bool imagem, size_t n, bool baixar,
                                            httplib::Response& res) {
  auto impressao = Impressao(id);
  const TnSituacaoImpressao s = impressao ? impressao->Situacao() : TnSituacaoImpressao{};
  std::string conteudo;
  if (imagem && n < s.Imagens.size() && LerArquivo(s.Imagens[n], conteudo)) {
    res.set_content(conteudo, "image/png");
    return;
  }
  if (!imagem && n < s.Arquivos.size() && LerArquivo(s.Arquivos[n].Caminho, conteudo)) {
    res.set_header("Content-Disposition", Disposicao(baixar, s.Arquivos[n].Nome));
    res.set_content(conteudo, s.Arquivos[n].TipoMime);
    return;
  }
  ResponderErro(res, 404, "Arquivo não encontrado.");
}

void TnServidorWeb::TImpl::Rotas() {
  Http.set_payload_max_length(kMaximoCorpo);
  Http.set_keep_alive_timeout(kSegundosManterConexao);
  Http.new_task_queue = [] { return new httplib::ThreadPool(kTarefasHttp); };
  Http.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    if (!Autorizar(req, res)) return httplib::Server::HandlerResponse::Handled;
    bool valido = Utf8Valido(req.path) && Utf8Valido(req.body);
    for (const auto& [nome, valor] : req.params) valido = valido && Utf8Valido(nome) && Utf8Valido(valor);
    if (!valido) {
      ResponderErro(res, 400, "Requisição inválida: o texto não está em UTF-8.");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  Http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    switch (res.status) {
      case 404: return ResponderErro(res, 404, "Endereço não encontrado.");
      case 413: return ResponderErro(res, 413, "Requisição grande demais: o limite é de 64 KB.");
      default: return ResponderErro(res, res.status, "Requisição inválida.");
    }
  });
  Http.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr ep) {
    try {
      std::rethrow_exception(ep);
    } catch (const json::exception&) {
      ResponderErro(res, 400, "Corpo inválido: esperava um objeto JSON.");
    } catch (const std::exception& e) {
      std::cerr << "Erro: " << e.what() << "\n";
      ResponderErro(res, 500, "Erro interno do servidor.");
    } catch (...) {
      ResponderErro(res, 500, "Erro interno do servidor.");
    }
  });
  auto texto = [](const char* dados, size_t tamanho, const char* tipo) {
    return [dados, tamanho, tipo](const httplib::Request&, httplib::Response& res) {
      res.set_content(dados, tamanho, tipo);
      res.set_header("Cache-Control", "no-cache");
    };
  };
  Http.Get("/", [this](const httplib::Request&, httplib::Response& res) { IndiceHtml(res); });
  Http.Get("/estatico/estilo.css", texto(kWebEstilo, kTamanhoWebEstilo, "text/css; charset=utf-8"));
  Http.Get("/estatico/formulario.js", texto(kWebScript, kTamanhoWebScript, "text/javascript; charset=utf-8"));
  Http.Get(R"(/relatorio/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
    RelatorioHtml(req.matches[1], res);
  });
  Http.Post("/api/formularios", [this](const httplib::Request& req, httplib::Response& res) { AbrirFormulario(req, res); });
  Http.Post(R"(/api/formularios/([0-9a-f]+)/campos/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
    PassoCampo(req.matches[1], req.matches[2], req, res);
  });
  Http.Post(R"(/api/formularios/([0-9a-f]+)/impressao)", [this](const httplib::Request& req, httplib::Response& res) {
    Imprimir(req.matches[1], req, res);
  });
  Http.Post(R"(/api/formularios/([0-9a-f]+)/liberar)", [this](const httplib::Request& req, httplib::Response& res) {
    Liberar(req.matches[1]);
    res.status = 204;
  });
  Http.Get(R"(/api/impressoes/([0-9a-f]+))", [this](const httplib::Request& req, httplib::Response& res) {
    SituacaoImpressao(req.matches[1], res);
  });
  Http.Post(R"(/api/impressoes/([0-9a-f]+)/cancelar)", [this](const httplib::Request& req, httplib::Response& res) {
    if (auto impressao = Impressao(req.matches[1])) impressao->Cancelar();
    res.status = 204;
  });
  Http.Get(R"(/api/impressoes/([0-9a-f]+)/(imagens|arquivos)/([0-9]{1,3}))",
           [this](const httplib::Request& req, httplib::Response& res) {
             ArquivoImpressao(req.matches[1], req.matches[2] == "imagens", std::stoul(req.matches[3]),
                              req.get_param_value("baixar") == "1", res);
           });
}

TnServidorWeb::TnServidorWeb(const TnOpcoesServidor& opcoes) : F(std::make_unique<TImpl>()) {
  F->Opcoes = opcoes;
  if (opcoes.Banco.empty()) throw EnOpcao("--db: informe o banco de dados.");
  if (!EhLoopback(opcoes.Endereco) && opcoes.Token.empty())
    throw EnOpcao("--listen: escutar em '" + opcoes.Endereco +
                  "' exige um token (--token ou a variável RPT_SERVE_TOKEN).");
  if (opcoes.SegundosOcioso < 1) throw EnOpcao("--idle: deve ser um inteiro de 1 em diante.");
  F->ConexaoFormularios = TnDMConexao::Abrir(opcoes.Banco);
  ConferirTabelasDoSchema(*F->ConexaoFormularios);
  F->MontarCatalogo();
  const fs::path base = opcoes.PastaTemporaria.empty() ? fs::temp_directory_path() : fs::path(opcoes.PastaTemporaria);
  std::string modelo = (base / "rpt-serve-XXXXXX").string();
  if (!mkdtemp(modelo.data())) throw Exception("Não foi possível criar a pasta temporária em '" + base.string() + "'.");
  F->PastaTemporaria = modelo;
  TnInterrupcao::RegistrarTemporario(F->PastaTemporaria);
  F->Rotas();
  F->Porta = opcoes.Porta == 0 ? F->Http.bind_to_any_port(opcoes.Endereco)
                               : (F->Http.bind_to_port(opcoes.Endereco, opcoes.Porta) ? opcoes.Porta : -1);
  if (F->Porta < 0) {
    std::error_code e;
    fs::remove_all(F->PastaTemporaria, e);
    TnInterrupcao::RemoverTemporario(F->PastaTemporaria);
    throw EnOpcao("--listen: não foi possível escutar em " + opcoes.Endereco + ":" + std::to_string(opcoes.Porta) +
                  " (endereço em uso ou inválido).");
  }
  F->Zelador = std::thread([this] { F->Zelar(); });
}

TnServidorWeb::~TnServidorWeb() {
  Parar();
  {
    std::lock_guard<std::mutex> trava(F->Mutex);
    F->Parando = true;
  }
  F->AcordarZelador.notify_all();
  if (F->Zelador.joinable()) F->Zelador.join();
  std::vector<std::string> sessoes;
  {
    std::lock_guard<std::mutex> trava(F->Mutex);
    for (const auto& [id, s] : F->Sessoes) sessoes.push_back(id);
  }
  for (const auto& id : sessoes) F->Liberar(id);
  std::error_code e;
  fs::remove_all(F->PastaTemporaria, e);
  TnInterrupcao::RemoverTemporario(F->PastaTemporaria);
}

int TnServidorWeb::Porta() const { return F->Porta; }
void TnServidorWeb::Atender() { F->Http.listen_after_bind(); }
void TnServidorWeb::Parar() { F->Http.stop(); }
