#pragma once
// A connection to a Firebird 3 database: a file path opens it embedded, in this
// process; "host:path" or "host/port:path" opens it on a server. UTF8 throughout.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/core/valor.h"

class TnClientDataSet;

struct TnCredenciais {
  std::string Usuario, Senha;  // empty = ISC_USER / ISC_PASSWORD
};

// An error reported by the database; what() is the database's own message.
class EnBancoDados : public std::runtime_error {
 public:
  EnBancoDados(const std::string& mensagem, int codigoSql) : std::runtime_error(mensagem), FCodigoSql(codigoSql) {}
  ~EnBancoDados() override;                     // in the host library, so it outlives a plug-in that raised it
  int CodigoSql() const { return FCodigoSql; }  // SQLCODE, 0 when unknown

 private:
  int FCodigoSql;
};

class TnDMConexao {
 public:
  static constexpr int kSegundosParaConectar = 15;  // a server that says nothing for this long is given up
  static std::unique_ptr<TnDMConexao> Abrir(const std::string& banco, const TnCredenciais& cred = {},
                                            int segundosParaConectar = kSegundosParaConectar);  // attaches
  static std::unique_ptr<TnDMConexao> CriarBanco(const std::string& arquivo);  // new embedded file, UTF8
  static TnDMConexao* Atual();                       // the connection reports use on this thread (set by the host)
  static void DefinirAtual(TnDMConexao* conexao);    // this thread's; nullptr clears
  ~TnDMConexao();                                    // detaches; stops being Atual()

  const std::string& Banco() const;                  // as given to Abrir
  bool Embutido() const;                             // opened in this process, no server
  int PegarTipoCon() const { return FTipoCon; }      // database kind: 0 Firebird (1, 2 for wording tests)
  void DefinirTipoCon(int tipo) { FTipoCon = tipo; } // tests of SQL wording only
  void IniciarLeituraUnica();                        // from now on every read-only query shares one read-only
                                                     // snapshot transaction, rolled back when the connection closes
  void Cancelar();                                   // from any thread: the statement running now fails as cancelled
  void ConferirTabelas(const std::vector<std::string>& tabelas);  // raises naming the first one the database lacks

  std::unique_ptr<TnClientDataSet> ExecuteQueryView(const std::string& sql);  // every row, read-only
  std::unique_ptr<TnClientDataSet> Consultar(const std::string& sql, const std::vector<TValor>& valores,
                                             int maxLinhas = -1, bool somenteLeitura = true);  // ":name" bound in order
  void ExecutarScript(const std::string& ddl);       // ';'-separated (SET TERM honoured), commits each;
                                                     // sent as written, so PSQL ":var" stays PSQL
  void Executar(const std::string& sql, const std::vector<TValor>& valores = {});  // write, commits
  int64_t PercorrerSemCarregar(const std::string& sql);  // fetches and drops every row: the raw cost

  // Told of every query Consultar ran to the end (ExecutarSQL, RefreshSQL, PegarValorCampo,
  // ExecuteQueryView): its text as given and the rows it returned. Empty stops it.
  using TObservadorConsultas = std::function<void(const std::string& sql, int linhas)>;
  void DefinirObservador(TObservadorConsultas observador) { FObservador = std::move(observador); }

  // A write statement prepared once and run for many rows in one transaction.
  class TnLote {
   public:
    ~TnLote();                                       // rolls back what was not confirmed
    void Executar(const std::vector<TValor>& valores);  // one row
    void Confirmar();                                // commits; the batch is done
    struct TImpl;
    explicit TnLote(std::unique_ptr<TImpl> impl);

   private:
    std::unique_ptr<TImpl> F;
  };
  std::unique_ptr<TnLote> PrepararLote(const std::string& sql);  // must not outlive the connection

  struct TImpl;

 private:
  explicit TnDMConexao(std::unique_ptr<TImpl> impl);
  std::unique_ptr<TImpl> F;
  int FTipoCon = 0;
  TObservadorConsultas FObservador;
};
