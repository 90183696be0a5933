#include "host/data/conexao.h"

#include <firebird/Interface.h>
#include <ibase.h>
#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/core/instalacao.h"
#include "host/core/interrupcao.h"
#include "host/core/texto.h"
#include "host/data/client_dataset.h"
#include "host/data/varredura_sql.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

using namespace Firebird;

namespace {

constexpr unsigned kUtf8 = 4;             // character set id of UTF8
constexpr int kDiaZeroMjd = 15018;        // 30/12/1899 as a Firebird day number
constexpr double kFracoesDia = 864000000; // Firebird times are in 1/10000 s

void Encerrar() {
  fb_shutdown(0, fb_shutrsn_exit_called);
#if defined(__SANITIZE_ADDRESS__)
  // The client library ends its last thread while it unloads, after this handler
  // and before the sanitizer's own exit-time leak check, which then races a thread
  // on its way out and may crash scanning it. The check runs here instead, with
  // every remaining thread standing still; the exit-time one is then skipped.
  __lsan_do_leak_check();
#endif
}

// The engine turns file names into the locale's character set; a process left in
// the "C" locale could not name "Área de Trabalho/relatório.fdb". File names are
// UTF-8, so the character type follows the environment when it is UTF-8 and is
// UTF-8 otherwise; nothing else of the locale changes.
void UsarNomesUtf8() {
  auto utf8 = [] { return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; };
  if (utf8()) return;
  if (setlocale(LC_CTYPE, "") && utf8()) return;
  if (!setlocale(LC_CTYPE, "C.UTF-8")) setlocale(LC_CTYPE, "C");
}

IMaster* Master() {
  static IMaster* master = [] {
    // The embedded engine keeps lock files in a directory it must be able to
    // create; one per user under /tmp works for root and for anyone else.
    // Processes that share it share a database file too.
    if (!std::getenv("FIREBIRD_LOCK")) {
      std::string dir = "/tmp/firebird-lock-" + std::to_string(getuid());
      setenv("FIREBIRD_LOCK", dir.c_str(), 0);
    }
    // Our engine configuration: several processes may open one file at once.
    if (!std::getenv("FIREBIRD")) {
      const std::string raiz = PastaFirebirdInstalada();
      if (access((raiz + "/firebird.conf").c_str(), R_OK) == 0) setenv("FIREBIRD", raiz.c_str(), 0);
    }
    UsarNomesUtf8();
    IMaster* m = fb_get_master_interface();
    std::atexit(Encerrar);  // engine threads stop before the process tears down
    return m;
  }();
  return master;
}

struct TStatus {
  IStatus* S;
  ThrowStatusWrapper W;
  TStatus() : S(Master()->getStatus()), W(S) {}
  ~TStatus() { S->dispose(); }
  TStatus(const TStatus&) = delete;
  TStatus& operator=(const TStatus&) = delete;
};

std::string Mensagem(const FbException& e) {
  char buf[4096];
  Master()->getUtilInterface()->formatStatus(buf, sizeof buf, e.getStatus());
  return buf;
}

[[noreturn]] void Lancar(const FbException& e, const std::string& prefixo = {}, const std::string& sufixo = {}) {
  int codigo = static_cast<int>(isc_sqlcode(e.getStatus()->getErrors()));
  throw EnBancoDados(prefixo + Mensagem(e) + sufixo, codigo);
}

// A statement cancelled by a stop request ends the run as interrupted.
[[noreturn]] void LancarOuInterromper(const FbException& e) {
  if (const int sinal = TnInterrupcao::ParadaPedida()) throw EnInterrompido(sinal);
  Lancar(e);
}

// Interface reference released on every path; Soltar() when the API call that
// ends the object (close, free, commit) succeeded and released it already.
template <class T>
struct TRef {
  T* P = nullptr;
  TRef() = default;
  explicit TRef(T* p) : P(p) {}
  ~TRef() {
    if (P) P->release();
  }
  TRef(const TRef&) = delete;
  TRef& operator=(const TRef&) = delete;
  TRef(TRef&& o) noexcept : P(o.P) { o.P = nullptr; }
  TRef& operator=(TRef&& o) noexcept {
    std::swap(P, o.P);
    return *this;
  }
  T* operator->() const { return P; }
  T* get() const { return P; }
  void Soltar() { P = nullptr; }
};

struct TXpb {
  IXpbBuilder* P;
  explicit TXpb(IXpbBuilder* p) : P(p) {}
  ~TXpb() { P->dispose(); }
  TXpb(const TXpb&) = delete;
  TXpb& operator=(const TXpb&) = delete;
  IXpbBuilder* operator->() const { return P; }
};

class TTransacao {
 public:
  TTransacao(IAttachment* att, bool somenteLeitura, bool instantaneo = false) {
    // One snapshot for every query of a print that reads in a single transaction.
    const unsigned char foto[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency, isc_tpb_nowait};
    // Read committed, record version: readers never wait and never block the garbage collector.
    const unsigned char leitura[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version};
    const unsigned char escrita[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                                     isc_tpb_wait};
    if (!att) return;
    TStatus st;
    if (instantaneo) P = att->startTransaction(&st.W, sizeof foto, foto);
    else if (somenteLeitura) P = att->startTransaction(&st.W, sizeof leitura, leitura);
    else P = att->startTransaction(&st.W, sizeof escrita, escrita);
  }
  ~TTransacao() {
    if (!P) return;
    IStatus* s = Master()->getStatus();
    CheckStatusWrapper w(s);
    P->rollback(&w);
    if (w.getState() & IStatus::STATE_ERRORS) P->release();
    s->dispose();
  }
  TTransacao(const TTransacao&) = delete;
  TTransacao& operator=(const TTransacao&) = delete;
  void Confirmar() {
    TStatus st;
    P->commit(&st.W);
    P = nullptr;
  }
  ITransaction* P = nullptr;
};

// The server took the connection and then said nothing within the time allowed:
// the client gives up with a network error or a rejection once the time is up.
bool SemResposta(IStatus* status, std::chrono::steady_clock::duration decorrido, int segundos) {
  if (decorrido < std::chrono::seconds(segundos) - std::chrono::milliseconds(500)) return false;
  const ISC_STATUS* v = status->getErrors();
  for (size_t i = 0; v[i] != isc_arg_end; i += 2) {
    if (v[i] == isc_arg_gds && (v[i + 1] == isc_connect_reject || v[i + 1] == isc_net_read_err ||
                                v[i + 1] == isc_network_error))
      return true;
    if (v[i] == isc_arg_cstring) ++i;  // length, pointer
  }
  return false;
}

// The embedded engine writes to the file even for reading, unless the database
// itself is marked read-only.
std::string DicaSemEscrita(const std::string& banco) {
  if (access(banco.c_str(), F_OK) != 0 || access(banco.c_str(), W_OK) == 0) return {};
  return "\nO arquivo não pode ser alterado por este usuário: o motor embutido só abre assim um banco marcado "
         "como somente leitura (gfix -mode read_only, feito pelo dono do arquivo).";
}

bool EhRemoto(const std::string& banco) {
  if (banco.empty() || banco[0] == '/' || banco[0] == '.') return false;
  auto doisPontos = banco.find(':');
  return doisPontos != std::string::npos && doisPontos > 1;  // "C:" would be a drive letter
}

// ---- parameters in, rows out

struct TMensagem {
  TRef<IMessageMetadata> Meta;
  std::vector<unsigned char> Buffer;
};

void ConferirQuantidade(const TnSqlPosicional& pos, const std::vector<TValor>& valores) {
  if (pos.Nomes.size() == valores.size()) return;
  std::string nomes;
  for (const auto& n : pos.Nomes) Add(nomes, ":" + n, ", ");
  throw std::invalid_argument("A consulta tem " + std::to_string(pos.Nomes.size()) + " parâmetro(s)" +
                              (nomes.empty() ? std::string() : " (" + nomes + ")") + " e recebeu " +
                              std::to_string(valores.size()) + " valor(es).");
}

void GravarData(unsigned char* p, TDateTime d) {
  ISC_DATE dia = static_cast<ISC_DATE>(std::floor(d)) + kDiaZeroMjd;
  std::memcpy(p, &dia, sizeof dia);
}

void GravarDataHora(unsigned char* p, TDateTime d) {
  double dia = std::floor(d);
  ISC_DATE data = static_cast<ISC_DATE>(dia) + kDiaZeroMjd;
  double t = std::round((d - dia) * kFracoesDia);
  ISC_TIME hora = static_cast<ISC_TIME>(std::min(t, kFracoesDia - 1));
  std::memcpy(p, &data, sizeof data);
  std::memcpy(p + sizeof data, &hora, sizeof hora);
}

// The statement's parameters retyped to the values given, so the database
// converts them (a text to a date column, an integer to a numeric one).
TMensagem MontarEntrada(IStatement* stmt, const TnSqlPosicional& pos, const std::vector<TValor>& valores) {
  TStatus st;
  TMensagem m;
  TRef<IMessageMetadata> declarada(stmt->getInputMetadata(&st.W));
  unsigned n = declarada->getCount(&st.W);
  if (n == 0) return m;
  TRef<IMetadataBuilder> b(declarada->getBuilder(&st.W));
  for (unsigned i = 0; i < n; ++i) {
    const TValor& v = valores[static_cast<size_t>(pos.Marcadores[i])];
    switch (v.Tipo()) {
      case TValor::TTipo::Nulo: b->setType(&st.W, i, declarada->getType(&st.W, i) | 1); break;
      case TValor::TTipo::Inteiro:
        b->setType(&st.W, i, SQL_INT64 + 1);
        b->setLength(&st.W, i, sizeof(int64_t));
        b->setScale(&st.W, i, 0);
        break;
      case TValor::TTipo::Real:
        b->setType(&st.W, i, SQL_DOUBLE + 1);
        b->setLength(&st.W, i, sizeof(double));
        b->setScale(&st.W, i, 0);
        break;
      case TValor::TTipo::Texto: {
        size_t tamanho = v.AsString().size();
        if (tamanho > 32765) throw std::invalid_argument("Texto longo demais para um parâmetro da consulta.");
        b->setType(&st.W, i, SQL_VARYING + 1);
        b->setLength(&st.W, i, static_cast<unsigned>(std::max<size_t>(tamanho, 1)));
        b->setCharSet(&st.W, i, kUtf8);
        b->setScale(&st.W, i, 0);
        break;
      }
      case TValor::TTipo::Data:
        b->setType(&st.W, i, SQL_TYPE_DATE + 1);
        b->setLength(&st.W, i, sizeof(ISC_DATE));
        b->setScale(&st.W, i, 0);
        break;
      case TValor::TTipo::DataHora:
        b->setType(&st.W, i, SQL_TIMESTAMP + 1);
        b->setLength(&st.W, i, sizeof(ISC_TIMESTAMP));
        b->setScale(&st.W, i, 0);
        break;
    }
  }
  m.Meta = TRef<IMessageMetadata>(b->getMetadata(&st.W));
  m.Buffer.assign(m.Meta->getMessageLength(&st.W), 0);
  for (unsigned i = 0; i < n; ++i) {
    const TValor& v = valores[static_cast<size_t>(pos.Marcadores[i])];
    unsigned char* p = m.Buffer.data() + m.Meta->getOffset(&st.W, i);
    int16_t nulo = v.IsNull() ? -1 : 0;
    std::memcpy(m.Buffer.data() + m.Meta->getNullOffset(&st.W, i), &nulo, sizeof nulo);
    switch (v.Tipo()) {
      case TValor::TTipo::Nulo: break;
      case TValor::TTipo::Inteiro: {
        int64_t x = v.AsInteger();
        std::memcpy(p, &x, sizeof x);
        break;
      }
      case TValor::TTipo::Real: {
        double x = v.AsFloat();
        std::memcpy(p, &x, sizeof x);
        break;
      }
      case TValor::TTipo::Texto: {
        std::string t = v.AsString();
        uint16_t tamanho = static_cast<uint16_t>(t.size());
        std::memcpy(p, &tamanho, sizeof tamanho);
        std::memcpy(p + sizeof tamanho, t.data(), t.size());
        break;
      }
      case TValor::TTipo::Data: GravarData(p, v.AsFloat()); break;
      case TValor::TTipo::DataHora: GravarDataHora(p, v.AsFloat()); break;
    }
  }
  return m;
}

struct TColunaSaida {
  unsigned Tipo, SubTipo, Offset, NullOffset, Tamanho;
  double Divisor;  // 10^-scale for scaled integers
  TFieldType Campo;
};

std::vector<TColunaSaida> DescreverSaida(IMessageMetadata* meta, TnClientDataSet& ds) {
  TStatus st;
  std::vector<TColunaSaida> colunas;
  unsigned n = meta->getCount(&st.W);
  for (unsigned i = 0; i < n; ++i) {
    TColunaSaida c{};
    c.Tipo = meta->getType(&st.W, i) & ~1u;
    c.SubTipo = static_cast<unsigned>(meta->getSubType(&st.W, i));
    c.Offset = meta->getOffset(&st.W, i);
    c.NullOffset = meta->getNullOffset(&st.W, i);
    c.Tamanho = meta->getLength(&st.W, i);
    int escala = meta->getScale(&st.W, i);
    c.Divisor = std::pow(10.0, -escala);
    int tamanhoCampo = 0;
    switch (c.Tipo) {
      case SQL_SHORT:
      case SQL_LONG: c.Campo = escala < 0 ? ftFloat : ftInteger; break;
      case SQL_INT64: c.Campo = escala < 0 ? ftFloat : ftLargeint; break;
      case SQL_FLOAT:
      case SQL_DOUBLE:
      case SQL_D_FLOAT: c.Campo = ftFloat; break;
      case SQL_TYPE_DATE: c.Campo = ftDate; break;
      case SQL_TIMESTAMP:
      case SQL_TYPE_TIME: c.Campo = ftDateTime; break;
      case SQL_BOOLEAN: c.Campo = ftInteger; break;
      case SQL_BLOB: c.Campo = c.SubTipo == 1 ? ftString : ftBlob; break;
      case SQL_TEXT:
      case SQL_VARYING: {
        unsigned cs = meta->getCharSet(&st.W, i);
        unsigned porCaractere = cs == kUtf8 ? 4 : cs == 3 ? 3 : 1;
        tamanhoCampo = static_cast<int>(c.Tamanho / porCaractere);
        c.Campo = ftString;
        break;
      }
      default: c.Campo = ftString; break;  // SQL_NULL and anything newer: read as text
    }
    ds.AddFieldDef(meta->getAlias(&st.W, i), c.Campo, tamanhoCampo);
    colunas.push_back(c);
  }
  return colunas;
}

std::string LerBlob(IAttachment* att, ITransaction* tra, const unsigned char* id) {
  TStatus st;
  ISC_QUAD quad;
  std::memcpy(&quad, id, sizeof quad);
  TRef<IBlob> blob(att->openBlob(&st.W, tra, &quad, 0, nullptr));
  std::string dados;
  char pedaco[32768];
  for (;;) {
    unsigned lidos = 0;
    int r = blob->getSegment(&st.W, sizeof pedaco, pedaco, &lidos);
    if (r != IStatus::RESULT_OK && r != IStatus::RESULT_SEGMENT) break;
    dados.append(pedaco, lidos);
  }
  blob->close(&st.W);
  blob.Soltar();
  return dados;
}

void DecodificarLinha(const std::vector<TColunaSaida>& colunas, const unsigned char* buf, TnClientDataSet& ds,
                      IAttachment* att, ITransaction* tra) {
  for (size_t i = 0; i < colunas.size(); ++i) {
    const TColunaSaida& c = colunas[i];
    int coluna = static_cast<int>(i);
    int16_t nulo;
    std::memcpy(&nulo, buf + c.NullOffset, sizeof nulo);
    if (nulo) {
      ds.CarregarNulo(coluna);
      continue;
    }
    const unsigned char* p = buf + c.Offset;
    switch (c.Tipo) {
      case SQL_SHORT: {
        int16_t v;
        std::memcpy(&v, p, sizeof v);
        if (c.Campo == ftFloat) ds.CarregarReal(coluna, v / c.Divisor);
        else ds.CarregarInteiro(coluna, v);
        break;
      }
      case SQL_LONG: {
        int32_t v;
        std::memcpy(&v, p, sizeof v);
        if (c.Campo == ftFloat) ds.CarregarReal(coluna, v / c.Divisor);
        else ds.CarregarInteiro(coluna, v);
        break;
      }
      case SQL_INT64: {
        int64_t v;
        std::memcpy(&v, p, sizeof v);
        if (c.Campo == ftFloat) ds.CarregarReal(coluna, static_cast<double>(v) / c.Divisor);
        else ds.CarregarInteiro(coluna, v);
        break;
      }
      case SQL_FLOAT: {
        float v;
        std::memcpy(&v, p, sizeof v);
        ds.CarregarReal(coluna, v);
        break;
      }
      case SQL_DOUBLE:
      case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, p, sizeof v);
        ds.CarregarReal(coluna, v);
        break;
      }
      case SQL_TYPE_DATE: {
        ISC_DATE v;
        std::memcpy(&v, p, sizeof v);
        ds.CarregarReal(coluna, static_cast<double>(v - kDiaZeroMjd));
        break;
      }
      case SQL_TIMESTAMP: {
        ISC_DATE d;
        ISC_TIME t;
        std::memcpy(&d, p, sizeof d);
        std::memcpy(&t, p + sizeof d, sizeof t);
        ds.CarregarReal(coluna, static_cast<double>(d - kDiaZeroMjd) + t / kFracoesDia);
        break;
      }
      case SQL_TYPE_TIME: {
        ISC_TIME t;
        std::memcpy(&t, p, sizeof t);
        ds.CarregarReal(coluna, t / kFracoesDia);
        break;
      }
      case SQL_BOOLEAN: ds.CarregarInteiro(coluna, *p ? 1 : 0); break;
      case SQL_TEXT: {
        // CHAR values come padded with blanks to the column width.
        size_t n = c.Tamanho;
        while (n > 0 && p[n - 1] == ' ') --n;
        ds.CarregarTexto(coluna, std::string_view(reinterpret_cast<const char*>(p), n));
        break;
      }
      case SQL_VARYING: {
        uint16_t n;
        std::memcpy(&n, p, sizeof n);
        ds.CarregarTexto(coluna, std::string_view(reinterpret_cast<const char*>(p + sizeof n), n));
        break;
      }
      case SQL_BLOB: ds.CarregarTexto(coluna, LerBlob(att, tra, p)); break;
      default: ds.CarregarNulo(coluna); break;
    }
  }
  ds.FecharLinha();
}

bool TemCursor(IStatement* stmt) {
  TStatus st;
  unsigned tipo = stmt->getType(&st.W);
  return tipo == isc_info_sql_stmt_select || tipo == isc_info_sql_stmt_select_for_upd;
}

std::string ResumoComando(const std::string& sql) {
  std::string r = Trim(sql);
  return r.size() > 300 ? r.substr(0, 300) + "..." : r;
}

thread_local TnDMConexao* gAtual = nullptr;  // each thread prints on its own connection

}  // namespace

EnBancoDados::~EnBancoDados() = default;

// ---------------------------------------------------------------- connection

struct TnDMConexao::TImpl {
  IAttachment* Att = nullptr;
  int Cancelamento = 0;  // its canceller for a stop request
  std::string Banco;
  bool Embutido = true;
  std::unique_ptr<TTransacao> Leitura;  // the one read-only transaction of every read, once IniciarLeituraUnica ran
};

struct TnDMConexao::TnLote::TImpl {
  IAttachment* Att;
  TnSqlPosicional Pos;
  std::unique_ptr<TTransacao> Tra;
  TRef<IStatement> Stmt;
};

TnDMConexao::TnDMConexao(std::unique_ptr<TImpl> impl) : F(std::move(impl)) {}

TnDMConexao::~TnDMConexao() {
  if (gAtual == this) gAtual = nullptr;
  if (!F->Att) return;
  TnInterrupcao::RemoverCancelamento(F->Cancelamento);
  F->Leitura.reset();
  IStatus* s = Master()->getStatus();
  CheckStatusWrapper w(s);
  F->Att->detach(&w);
  if (w.getState() & IStatus::STATE_ERRORS) F->Att->release();
  s->dispose();
}

namespace {

void CancelarOperacao(IAttachment* att) {
  IStatus* s = Master()->getStatus();
  CheckStatusWrapper w(s);
  att->cancelOperation(&w, fb_cancel_raise);  // the running statement fails as cancelled; nothing to cancel is fine
  s->dispose();
}

std::unique_ptr<TnDMConexao::TImpl> Conectar(const std::string& banco, const TnCredenciais& cred, bool criar,
                                              int segundosParaConectar = TnDMConexao::kSegundosParaConectar) {
  auto impl = std::make_unique<TnDMConexao::TImpl>();
  impl->Banco = banco;
  impl->Embutido = !EhRemoto(banco);
  std::string usuario = cred.Usuario, senha = cred.Senha;
  if (usuario.empty() && std::getenv("ISC_USER")) usuario = std::getenv("ISC_USER");
  if (senha.empty() && std::getenv("ISC_PASSWORD")) senha = std::getenv("ISC_PASSWORD");
  if (usuario.empty() && impl->Embutido) usuario = "SYSDBA";  // the embedded engine checks no password
  std::string acao = criar ? "criar" : "abrir";
  const auto inicio = std::chrono::steady_clock::now();
  try {
    TStatus st;
    TXpb dpb(Master()->getUtilInterface()->getXpbBuilder(&st.W, IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(&st.W, isc_dpb_lc_ctype, "UTF8");
    // File names are UTF-8 whatever the process locale ("Área de Trabalho/relatório.fdb").
    if (Utf8Valido(banco)) dpb->insertTag(&st.W, isc_dpb_utf8_filename);
    if (!impl->Embutido) dpb->insertInt(&st.W, isc_dpb_connect_timeout, segundosParaConectar);
    if (!usuario.empty()) dpb->insertString(&st.W, isc_dpb_user_name, usuario.c_str());
    if (!senha.empty()) dpb->insertString(&st.W, isc_dpb_password, senha.c_str());
    // A path never falls back to a server, and host:path never to a local file.
    dpb->insertString(&st.W, isc_dpb_config, impl->Embutido ? "Providers=Engine12" : "Providers=Remote");
    if (criar) {
      dpb->insertString(&st.W, isc_dpb_set_db_charset, "UTF8");
      dpb->insertInt(&st.W, isc_dpb_sql_dialect, 3);
      dpb->insertInt(&st.W, isc_dpb_force_write, 0);  // rebuilt from the schema at will: speed first
    }
    TRef<IProvider> prov(Master()->getDispatcher());
    unsigned tam = dpb->getBufferLength(&st.W);
    const unsigned char* buf = dpb->getBuffer(&st.W);
    impl->Att = criar ? prov->createDatabase(&st.W, banco.c_str(), tam, buf)
                      : prov->attachDatabase(&st.W, banco.c_str(), tam, buf);
  } catch (const FbException& e) {
    if (const int sinal = TnInterrupcao::ParadaPedida()) throw EnInterrompido(sinal);
    if (!impl->Embutido && SemResposta(e.getStatus(), std::chrono::steady_clock::now() - inicio, segundosParaConectar))
      throw EnBancoDados("O servidor de '" + banco + "' não respondeu em " + std::to_string(segundosParaConectar) +
                             " s (veja --timeout).", 0);
    Lancar(e, "Não foi possível " + acao + " o banco de dados '" + banco + "': ",
           impl->Embutido ? DicaSemEscrita(banco) : std::string());
  }
  IAttachment* att = impl->Att;
  impl->Cancelamento = TnInterrupcao::RegistrarCancelamento([att] { CancelarOperacao(att); });
  return impl;
}

}  // namespace

std::unique_ptr<TnDMConexao> TnDMConexao::Abrir(const std::string& banco, const TnCredenciais& cred,
                                                int segundosParaConectar) {
  return std::unique_ptr<TnDMConexao>(new TnDMConexao(Conectar(banco, cred, false, segundosParaConectar)));
}

std::unique_ptr<TnDMConexao> TnDMConexao::CriarBanco(const std::string& arquivo) {
  if (EhRemoto(arquivo))
    throw std::invalid_argument("Só é possível criar um banco local: '" + arquivo + "' aponta para um servidor.");
  return std::unique_ptr<TnDMConexao>(new TnDMConexao(Conectar(arquivo, {}, true)));
}

TnDMConexao* TnDMConexao::Atual() { return gAtual; }
void TnDMConexao::DefinirAtual(TnDMConexao* conexao) { gAtual = conexao; }
const std::string& TnDMConexao::Banco() const { return F->Banco; }

void TnDMConexao::Cancelar() { CancelarOperacao(F->Att); }

void TnDMConexao::IniciarLeituraUnica() {
  if (F->Leitura) return;
  try {
    F->Leitura = std::make_unique<TTransacao>(F->Att, true, true);
  } catch (const FbException& e) {
    LancarOuInterromper(e);
  }
}
bool TnDMConexao::Embutido() const { return F->Embutido; }

std::unique_ptr<TnClientDataSet> TnDMConexao::ExecuteQueryView(const std::string& sql) {
  return Consultar(sql, {}, -1, true);
}

std::unique_ptr<TnClientDataSet> TnDMConexao::Consultar(const std::string& sql, const std::vector<TValor>& valores,
                                                         int maxLinhas, bool somenteLeitura) {
  TnInterrupcao::Verificar();
  TnSqlPosicional pos = TraduzirParametros(sql);
  ConferirQuantidade(pos, valores);
  auto ds = std::make_unique<TnClientDataSet>();
  try {
    TStatus st;
    const bool naUnica = somenteLeitura && F->Leitura;
    TTransacao propria(naUnica ? nullptr : F->Att, somenteLeitura);
    TTransacao& tra = naUnica ? *F->Leitura : propria;
    TRef<IStatement> stmt(F->Att->prepare(&st.W, tra.P, static_cast<unsigned>(pos.Sql.size()), pos.Sql.c_str(), SQL_DIALECT_V6,
                                          IStatement::PREPARE_PREFETCH_METADATA));
    TMensagem entrada = MontarEntrada(stmt.get(), pos, valores);
    TRef<IMessageMetadata> saida(stmt->getOutputMetadata(&st.W));
    auto colunas = DescreverSaida(saida.get(), *ds);
    ds->CreateDataSet();
    std::vector<unsigned char> buf(saida->getMessageLength(&st.W));
    void* bufEntrada = entrada.Buffer.empty() ? nullptr : entrada.Buffer.data();
    if (TemCursor(stmt.get())) {
      TRef<IResultSet> rs(stmt->openCursor(&st.W, tra.P, entrada.Meta.get(), bufEntrada, saida.get(), 0));
      int64_t linhas = 0;
      while ((maxLinhas < 0 || linhas < maxLinhas) && rs->fetchNext(&st.W, buf.data()) == IStatus::RESULT_OK) {
        TnInterrupcao::Verificar();
        DecodificarLinha(colunas, buf.data(), *ds, F->Att, tra.P);
        ++linhas;
      }
      rs->close(&st.W);
      rs.Soltar();
    } else {
      // EXECUTE PROCEDURE and DML with RETURNING give at most one row.
      bool comSaida = !colunas.empty();
      stmt->execute(&st.W, tra.P, entrada.Meta.get(), bufEntrada, comSaida ? saida.get() : nullptr,
                    comSaida ? buf.data() : nullptr);
      if (comSaida && maxLinhas != 0) DecodificarLinha(colunas, buf.data(), *ds, F->Att, tra.P);
    }
    stmt->free(&st.W);
    stmt.Soltar();
    if (!naUnica) tra.Confirmar();
  } catch (const FbException& e) {
    LancarOuInterromper(e);
  }
  ds->TerminarCarga();
  ds->DefinirOrigem({sql, this, maxLinhas, somenteLeitura});
  if (FObservador) FObservador(sql, ds->RecordCount());
  return ds;
}

int64_t TnDMConexao::PercorrerSemCarregar(const std::string& sql) {
  int64_t linhas = 0;
  try {
    TStatus st;
    TTransacao tra(F->Att, true);
    TRef<IStatement> stmt(F->Att->prepare(&st.W, tra.P, static_cast<unsigned>(sql.size()), sql.c_str(), SQL_DIALECT_V6,
                                          IStatement::PREPARE_PREFETCH_METADATA));
    TRef<IMessageMetadata> saida(stmt->getOutputMetadata(&st.W));
    std::vector<unsigned char> buf(saida->getMessageLength(&st.W));
    TRef<IResultSet> rs(stmt->openCursor(&st.W, tra.P, nullptr, nullptr, saida.get(), 0));
    while (rs->fetchNext(&st.W, buf.data()) == IStatus::RESULT_OK) ++linhas;
    rs->close(&st.W);
    rs.Soltar();
    tra.Confirmar();
  } catch (const FbException& e) {
    Lancar(e);
  }
  return linhas;
}

void TnDMConexao::Executar(const std::string& sql, const std::vector<TValor>& valores) {
  TnSqlPosicional pos = TraduzirParametros(sql);
  ConferirQuantidade(pos, valores);
  try {
    TStatus st;
    TTransacao tra(F->Att, false);
    TRef<IStatement> stmt(F->Att->prepare(&st.W, tra.P, static_cast<unsigned>(pos.Sql.size()), pos.Sql.c_str(), SQL_DIALECT_V6, 0));
    TMensagem entrada = MontarEntrada(stmt.get(), pos, valores);
    stmt->execute(&st.W, tra.P, entrada.Meta.get(), entrada.Buffer.empty() ? nullptr : entrada.Buffer.data(),
                  nullptr, nullptr);
    stmt->free(&st.W);
    stmt.Soltar();
    tra.Confirmar();
  } catch (const FbException& e) {
    Lancar(e);
  }
}

void TnDMConexao::ExecutarScript(const std::string& ddl) {
  for (const auto& comando : DividirScript(ddl)) {
    try {
      TStatus st;
      TTransacao tra(F->Att, false);
      TnInterrupcao::Verificar();
      F->Att->execute(&st.W, tra.P, static_cast<unsigned>(comando.size()), comando.c_str(), SQL_DIALECT_V6, nullptr, nullptr, nullptr, nullptr);
      tra.Confirmar();  // DDL takes effect at commit, and the next command may need it
    } catch (const FbException& e) {
      Lancar(e, {}, "\nComando: " + ResumoComando(comando));
    }
  }
}

// ---------------------------------------------------------------- batch

TnDMConexao::TnLote::TnLote(std::unique_ptr<TImpl> impl) : F(std::move(impl)) {}
TnDMConexao::TnLote::~TnLote() = default;  // statement released, then the transaction rolled back

std::unique_ptr<TnDMConexao::TnLote> TnDMConexao::PrepararLote(const std::string& sql) {
  auto impl = std::make_unique<TnLote::TImpl>();
  impl->Att = F->Att;
  impl->Pos = TraduzirParametros(sql);
  try {
    TStatus st;
    impl->Tra = std::make_unique<TTransacao>(F->Att, false);
    impl->Stmt = TRef<IStatement>(F->Att->prepare(&st.W, impl->Tra->P, static_cast<unsigned>(impl->Pos.Sql.size()), impl->Pos.Sql.c_str(), SQL_DIALECT_V6, 0));
  } catch (const FbException& e) {
    Lancar(e);
  }
  return std::make_unique<TnLote>(std::move(impl));
}

void TnDMConexao::TnLote::Executar(const std::vector<TValor>& valores) {
  if (!F->Tra || !F->Tra->P) throw std::logic_error("O lote já foi confirmado.");
  TnInterrupcao::Verificar();
  ConferirQuantidade(F->Pos, valores);
  try {
    TStatus st;
    TMensagem entrada = MontarEntrada(F->Stmt.get(), F->Pos, valores);
    F->Stmt->execute(&st.W, F->Tra->P, entrada.Meta.get(),
                     entrada.Buffer.empty() ? nullptr : entrada.Buffer.data(), nullptr, nullptr);
  } catch (const FbException& e) {
    Lancar(e);
  }
}

void TnDMConexao::TnLote::Confirmar() {
  if (!F->Tra || !F->Tra->P) throw std::logic_error("O lote já foi confirmado.");
  try {
    TStatus st;
    F->Stmt->free(&st.W);
    F->Stmt.Soltar();
    F->Tra->Confirmar();
  } catch (const FbException& e) {
    Lancar(e);
  }
}

void TnDMConexao::ConferirTabelas(const std::vector<std::string>& tabelas) {
  auto existentes = Consultar("select trim(rdb$relation_name) from rdb$relations", {});
  std::vector<std::string> nomes;
  for (existentes->First(); !existentes->Eof(); existentes->Next()) nomes.push_back(existentes->Fields(0)->AsString());
  for (const auto& tabela : tabelas) {
    if (std::find(nomes.begin(), nomes.end(), UpperCase(tabela)) == nomes.end())
      throw EnBancoDados("O banco de dados '" + F->Banco + "' não é um banco deste sistema: falta a tabela " +
                             UpperCase(tabela) + ".",
                         0);
  }
}
