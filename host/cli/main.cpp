// rpt: the command-line host. Lists, describes and prints report plug-ins and
// creates the demo database.
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "host/core/interrupcao.h"
#include "demo/banco_demo.h"
#include "host/data/conexao.h"
#include "host/report/base_dll.h"
#include "host/report/execucao.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "host/report/saidas.h"

namespace {

constexpr int kSaidaOk = 0;
constexpr int kSaidaErro = 1;
constexpr int kSaidaParametro = 2;

const char* kUso =
    "uso:\n"
    "  rpt list [--plugins PASTA]\n"
    "  rpt describe PLUGIN [--plugins PASTA]\n"
    "  rpt run PLUGIN --db BANCO [--param NOME=VALOR]... [--out ARQUIVO.pdf] [--png PASTA]\n"
    "          [--trace ARQUIVO.json] [--plugins PASTA] [--user USUARIO] [--password SENHA]\n"
    "          [--timeout SEGUNDOS]\n"
    "  rpt demo-db ARQUIVO.fdb [--scale N]\n"
    "BANCO: caminho de um arquivo (embutido) ou host:caminho / host/porta:caminho (servidor).\n";

struct TArgs {
  std::vector<std::string> Posicionais;
  std::vector<std::pair<std::string, std::string>> Parametros;
  std::string Banco, Saida, Png, Rastro, Plugins, Usuario, Senha, Escala, Espera;
};

// A whole number of at least `minimo`: "1abc", "1.5" and "" are refused.
int LerInteiroOpcao(const std::string& opcao, const std::string& texto, int minimo) {
  int valor = 0;
  const char* fim = texto.data() + texto.size();
  const auto [resto, erro] = std::from_chars(texto.data(), fim, valor);
  if (erro != std::errc() || resto != fim || valor < minimo)
    throw Exception(opcao + " deve ser um inteiro de " + std::to_string(minimo) + " em diante; recebeu '" + texto +
                    "'.");
  return valor;
}

// The password leaves the process list as soon as it is read (the README
// recommends ISC_PASSWORD, which never shows there).
void EsconderArgumento(char* arg) { std::memset(arg, 'x', std::strlen(arg)); }

TArgs LerArgs(int argc, char** argv) {
  TArgs a;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto valor = [&]() -> std::string {
      if (i + 1 >= argc) throw Exception("Falta o valor de " + arg + ".");
      return argv[++i];
    };
    if (arg == "--db") a.Banco = valor();
    else if (arg == "--out") a.Saida = valor();
    else if (arg == "--png") a.Png = valor();
    else if (arg == "--trace") a.Rastro = valor();
    else if (arg == "--plugins") a.Plugins = valor();
    else if (arg == "--user") a.Usuario = valor();
    else if (arg == "--password") {
      a.Senha = valor();
      EsconderArgumento(argv[i]);
    } else if (arg == "--scale") a.Escala = valor();
    else if (arg == "--timeout") a.Espera = valor();
    else if (arg == "--param") {
      const std::string p = valor();
      const auto igual = p.find('=');
      if (igual == std::string::npos || igual == 0)
        throw Exception("--param espera NOME=VALOR, recebeu '" + p + "'.");
      a.Parametros.emplace_back(p.substr(0, igual), p.substr(igual + 1));
    } else if (arg.rfind("--", 0) == 0) {
      throw Exception("Opção desconhecida: " + arg + ".");
    } else {
      a.Posicionais.push_back(arg);
    }
  }
  return a;
}

// One broken plug-in file is named on stderr; the others are still listed.
int Listar(const TArgs& a) {
  int saida = kSaidaOk;
  for (const auto& nome : TnPlugin::Listar(a.Plugins)) {
    try {
      auto plugin = TnPlugin::Carregar(nome, a.Plugins);
      const TnrwBaseDllClass* classe = plugin->ClassDll();
      std::cout << nome << "\t" << (classe ? classe->Nome : "(sem classe)") << "\t"
                << (classe ? classe->Versao() : "") << "\n";
    } catch (const std::exception& e) {
      std::cerr << "Erro: " << e.what() << "\n";
      saida = kSaidaErro;
    }
  }
  return saida;
}

int Descrever(const TArgs& a) {
  if (a.Posicionais.empty()) throw Exception("Diga qual plug-in descrever.");
  auto plugin = TnPlugin::Carregar(a.Posicionais[0], a.Plugins);
  const TnrwBaseDllClass* classe = plugin->ClassDll();
  if (!classe) throw Exception("Plug-in '" + plugin->Nome() + "' não registrou sua classe de relatório.");
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  auto objeto = classe->Create(&report);
  TnFormParametros form(&report, objeto.get());
  objeto->AntesConfigurar(&form);
  objeto->DepoisConfigurar(&form);
  std::cout << plugin->Nome() << " — " << report.Layout().Titulo << "\n"
            << "classe " << classe->Nome << " " << classe->Versao() << "\n"
            << "parâmetros:\n"
            << form.Descrever();
  return kSaidaOk;
}

TnPedidoImpressao Pedido(const TArgs& a) {
  TnPedidoImpressao pedido;
  pedido.Plugin = a.Posicionais[0];
  pedido.PastaPlugins = a.Plugins;
  pedido.Parametros = a.Parametros;
  pedido.ArquivoPdf = a.Saida.empty() ? std::filesystem::path(pedido.Plugin).stem().string() + ".pdf" : a.Saida;
  pedido.PastaPng = a.Png;
  pedido.ArquivoRastro = a.Rastro;
  pedido.ConferirTabelas = true;
  return pedido;
}

int Imprimir(const TArgs& a) {
  if (a.Posicionais.empty()) throw Exception("Diga qual plug-in imprimir.");
  if (a.Banco.empty()) throw Exception("Falta --db BANCO.");
  const TnPedidoImpressao pedido = Pedido(a);
  ConferirDestinos({pedido.ArquivoPdf, pedido.PastaPng, pedido.ArquivoRastro, a.Banco});
  const int espera = a.Espera.empty() ? TnDMConexao::kSegundosParaConectar : LerInteiroOpcao("--timeout", a.Espera, 1);
  TnPlugin::Carregar(pedido.Plugin, pedido.PastaPlugins);  // an unknown plug-in is reported before the database
  auto conexao = TnDMConexao::Abrir(a.Banco, TnCredenciais{a.Usuario, a.Senha}, espera);
  TnDMConexao::DefinirAtual(conexao.get());
  struct TLimpa {
    ~TLimpa() { TnDMConexao::DefinirAtual(nullptr); }
  } limpa;

  const TnResultadoImpressao r = ImprimirRelatorio(pedido);
  if (r.Paginas == 0) {
    std::cerr << "Nada a imprimir: nenhum dado atende aos parâmetros informados.\n";
    return kSaidaOk;
  }
  std::cerr << pedido.ArquivoPdf << ": " << r.Paginas << (r.Paginas == 1 ? " página" : " páginas") << "\n";
  return kSaidaOk;
}

int CriarDemo(const TArgs& a) {
  if (a.Posicionais.empty()) throw Exception("Diga o arquivo do banco de demonstração.");
  const int escala = a.Escala.empty() ? 1 : LerInteiroOpcao("--scale", a.Escala, 1);
  CriarBancoDemo(a.Posicionais[0], escala);
  std::cerr << a.Posicionais[0] << ": banco de demonstração criado (escala " << escala << ").\n";
  return kSaidaOk;
}

int Executar(const std::string& comando, const TArgs& a) {
  if (comando == "list") return Listar(a);
  if (comando == "describe") return Descrever(a);
  if (comando == "run") return Imprimir(a);
  if (comando == "demo-db") return CriarDemo(a);
  std::cerr << "Comando desconhecido: " << comando << "\n" << kUso;
  return kSaidaErro;
}

// What was printed must have reached its destination (a full disk, a closed pipe).
int ConferirSaidaPadrao(int codigo) {
  std::cout.flush();
  if (std::cout) return codigo;
  std::cerr << "Erro: não foi possível escrever a saída do comando.\n";
  return kSaidaErro;
}

}  // namespace

int main(int argc, char** argv) {
  TnInterrupcao::InstalarTratamento();
  if (argc < 2) {
    std::cerr << kUso;
    return kSaidaErro;
  }
  try {
    const TArgs a = LerArgs(argc, argv);
    return ConferirSaidaPadrao(Executar(argv[1], a));
  } catch (const EnParam& e) {
    std::cerr << e.NomeParametro() << ": " << e.what() << "\n";
    return kSaidaParametro;
  } catch (const std::exception& e) {
    // Whatever a stop request made fail (a cancelled query, say) ends as interrupted.
    if (const int sinal = TnInterrupcao::SinalRecebido()) {
      std::cerr << EnInterrompido(sinal).what() << "\n";
      return TnInterrupcao::CodigoSaida(sinal);
    }
    std::cerr << "Erro: " << e.what() << "\n";
    return kSaidaErro;
  }
}
