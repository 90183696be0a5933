#pragma once
// What every report test shares: parameters typed as on the form, a print through
// the host (ImprimirRelatorio) with its trace, sections by number, the message of
// an expected failure, the rpt command, and a seed company with developments.
// A report's test executable defines RPT_PLUGIN_PATH, the plug-in under test.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/render/pagina.h"
#include "host/report/execucao.h"
#include "host/report/rastro.h"
#include "tests/testkit/banco_teste.h"

class TnPlugin;
class TnrwReport;

using TParametros = std::vector<std::pair<std::string, std::string>>;  // name and text, typed in this order
using TValoresEsperados = std::vector<std::pair<std::string, std::string>>;  // report value and its text

TParametros Juntar(TParametros base, const TParametros& extra);  // base then extra; a later value wins on the form

// Prints through the host as a user would (form hooks, Imprimir), keeping the trace and
// writing no file; a bad parameter leaves as EnParam, any other failure as it was raised.
TnResultadoImpressao ImprimirComRastro(const std::string& plugin, const TParametros& parametros);
#ifdef RPT_PLUGIN_PATH
inline TnResultadoImpressao ImprimirComRastro(const TParametros& parametros) {  // the plug-in under test
  return ImprimirComRastro(RPT_PLUGIN_PATH, parametros);
}
#endif

// The same print with its pages kept in memory (text, pictures, charts as placed), for
// tests that look at the page model.
struct TImpressaoEmMemoria {
  TnRastro Rastro;
  std::vector<TPagina> Paginas;
};
TImpressaoEmMemoria ImprimirEmMemoria(const std::string& plugin, const TParametros& parametros);
#ifdef RPT_PLUGIN_PATH
inline TImpressaoEmMemoria ImprimirEmMemoria(const TParametros& parametros) {  // the plug-in under test
  return ImprimirEmMemoria(RPT_PLUGIN_PATH, parametros);
}
#endif

std::vector<TnSecaoImpressa> Secoes(const TnRastro& rastro, int numero);  // printed sections of that number, in order
inline std::vector<TnSecaoImpressa> Secoes(const TnResultadoImpressao& r, int numero) { return Secoes(r.Rastro, numero); }
std::vector<std::string> ValoresDe(const TnRastro& rastro, int numero, const std::string& valor);  // one value in each
// Success when the section showed every value as expected; the failure lists each difference.
::testing::AssertionResult MostraValores(const TnSecaoImpressa& secao, const TValoresEsperados& esperados);

std::string MensagemDe(const std::function<void()>& f);  // what f raised (what()); "(nada)" when it returned

// Expects instrucao to raise Tipo with exactly that message.
#define EXPECT_THROW_MSG(instrucao, Tipo, mensagem)                                                   \
  do {                                                                                                \
    try {                                                                                             \
      instrucao;                                                                                      \
      ADD_FAILURE() << #instrucao " raised nothing";                                                  \
    } catch (const Tipo& erro_) {                                                                     \
      EXPECT_EQ(std::string(erro_.what()), std::string(mensagem)) << #instrucao;                      \
    } catch (const std::exception& erro_) {                                                           \
      ADD_FAILURE() << #instrucao " raised another exception: " << erro_.what();                      \
    }                                                                                                 \
  } while (0)

// A host whose form lets any text through: the report's own checks meet the values.
class TImpressaoDireta {
 public:
  TImpressaoDireta(const std::string& plugin, const TParametros& valores);
  ~TImpressaoDireta();
  void Imprimir();                                // Imprimir on the report object; raises what the report raises
  std::string Valor(const std::string& nome);     // a report value as last written
  TnrwReport& Report() { return *FReport; }

 private:
  std::unique_ptr<TnPlugin> FPlugin;
  std::unique_ptr<TnrwReport> FReport;
};

// The rpt command of this build, run with args; its exit code and what it wrote.
struct TSaidaRpt {
  int Codigo = -1;                                // exit code; -1 when it did not exit normally
  std::string Texto;                              // stdout and stderr together
};
TSaidaRpt RodarRpt(const std::string& args);

// The seed company: code kEmpresa with two developments, in a database with the schema.
namespace semente {
constexpr int kEmpresa = 1;
constexpr const char* kNomeEmpresa = "Construtora Alfa Ltda";
constexpr const char* kInscricaoEmpresa = "12.345.678/0001-90";
constexpr int kEmpreendA = 10;
constexpr const char* kNomeEmpreendA = "Residencial Aurora";
constexpr int kEmpreendB = 20;
constexpr const char* kNomeEmpreendB = "Centro Comercial Sul";
void SemearEmpresa(TBancoTeste& banco);  // PESSOAFINANCEIRO and ESCRITORIO of kEmpresa, its two EMPREENDIMENTO rows
}  // namespace semente

// A report test on a fresh database with the schema and the seed company.
class TesteRelatorio : public ::testing::Test {
 protected:
  TesteRelatorio() { semente::SemearEmpresa(banco); }
  void Sql(const std::string& sql, const std::vector<TValor>& valores = {}) { banco.Conexao().Executar(sql, valores); }

  TBancoTeste banco{true};
};
