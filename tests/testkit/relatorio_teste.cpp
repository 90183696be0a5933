#include "tests/testkit/relatorio_teste.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "host/report/report.h"
#include "tests/testkit/paginas_memoria.h"

TParametros Juntar(TParametros base, const TParametros& extra) {
  base.insert(base.end(), extra.begin(), extra.end());
  return base;
}

TnResultadoImpressao ImprimirComRastro(const std::string& plugin, const TParametros& parametros) {
  TnPedidoImpressao pedido;
  pedido.Plugin = plugin;
  pedido.Parametros = parametros;
  pedido.ComRastro = true;
  return ImprimirRelatorio(pedido);
}

TImpressaoEmMemoria ImprimirEmMemoria(const std::string& plugin, const TParametros& parametros) {
  auto carregado = TnPlugin::Carregar(plugin);
  TPaginasMemoria paginas;
  TnrwReport report(TnLayout::Carregar(carregado->ArquivoLayout()));
  report.DefinirRastro(true);
  report.DefinirDestino(&paginas);
  {
    auto objeto = carregado->ClassDll()->Create(&report);
    TnFormParametros form(&report, objeto.get());
    objeto->AntesConfigurar(&form);
    objeto->DepoisConfigurar(&form);
    for (const auto& [nome, valor] : parametros) form.Preencher(nome, valor);
    carregado->Imprimir(&report);
  }
  report.Finalizar();
  return {report.Rastro(), std::move(paginas.Paginas)};
}

std::vector<TnSecaoImpressa> Secoes(const TnRastro& rastro, int numero) {
  std::vector<TnSecaoImpressa> secoes;
  for (const auto& s : rastro.Secoes)
    if (s.Secao == numero) secoes.push_back(s);
  return secoes;
}

std::vector<std::string> ValoresDe(const TnRastro& rastro, int numero, const std::string& valor) {
  std::vector<std::string> textos;
  for (const auto& s : rastro.Secoes)
    if (s.Secao == numero) textos.push_back(s.Valor(valor));
  return textos;
}

::testing::AssertionResult MostraValores(const TnSecaoImpressa& secao, const TValoresEsperados& esperados) {
  std::string diferencas;
  for (const auto& [nome, texto] : esperados)
    if (secao.Valor(nome) != texto)
      diferencas += "\n  " + nome + ": \"" + secao.Valor(nome) + "\", expected \"" + texto + "\"";
  if (diferencas.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "section " << secao.Secao << " on page " << secao.Pagina << diferencas;
}

std::string MensagemDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(nada)";
}

TImpressaoDireta::TImpressaoDireta(const std::string& plugin, const TParametros& valores)
    : FPlugin(TnPlugin::Carregar(plugin)),
      FReport(std::make_unique<TnrwReport>(TnLayout::Carregar(FPlugin->ArquivoLayout()))) {
  for (const auto& [nome, valor] : valores) TnpqPowerQuery::GetParams(FReport.get())->Param(nome)->SetAsString(valor);
}

TImpressaoDireta::~TImpressaoDireta() = default;

void TImpressaoDireta::Imprimir() { FPlugin->Imprimir(FReport.get()); }

std::string TImpressaoDireta::Valor(const std::string& nome) {
  return TnpqPowerQuery::GetParams(FReport.get())->GetValues(nome);
}

TSaidaRpt RodarRpt(const std::string& args) {
  const std::string comando = std::string(RPT_BIN_DIR) + "/rpt " + args + " 2>&1";
  FILE* p = popen(comando.c_str(), "r");
  if (!p) return {};
  TSaidaRpt saida;
  std::array<char, 4096> buf{};
  while (size_t n = fread(buf.data(), 1, buf.size(), p)) saida.Texto.append(buf.data(), n);
  const int status = pclose(p);
  saida.Codigo = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return saida;
}

namespace semente {
void SemearEmpresa(TBancoTeste& banco) {
  TnDMConexao& c = banco.Conexao();
  c.Executar("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (:c, :n, :i)",
             {kEmpresa, kNomeEmpresa, kInscricaoEmpresa});
  c.Executar("insert into ESCRITORIO (CODIGOESCRIT) values (:c)", {kEmpresa});
  for (const auto& [codigo, nome] : {std::pair{kEmpreendA, kNomeEmpreendA}, std::pair{kEmpreendB, kNomeEmpreendB}})
    c.Executar("insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (:e, :c, :n)",
               {kEmpresa, codigo, nome});
}
}  // namespace semente
