// rpt: the command-line host. Lists, describes and prints report plug-ins and
// creates the demo database.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "host/data/banco_demo.h"
#include "host/data/conexao.h"
#include "host/report/base_dll.h"
#include "host/report/execucao.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"

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
    "  rpt demo-db ARQUIVO.fdb [--scale N]\n"
    "BANCO: caminho de um arquivo (embutido) ou host:caminho / host/porta:caminho (servidor).\n";

struct TArgs {
  std::vector<std::string> Posicionais;
  std::vector<std::pair<std::string, std::string>> Parametros;
  std::string Banco, Saida, Png, Rastro, Plugins, Usuario, Senha, Escala;
};

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
    else if (arg == "--password") a.Senha = valor();
    else if (arg == "--scale") a.Escala = valor();
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

int Listar(const TArgs& a) {
  for (const auto& nome : TnPlugin::Listar(a.Plugins)) {
    auto plugin = TnPlugin::Carregar(nome, a.Plugins);
    const TnrwBaseDllClass* classe = plugin->ClassDll();
    std::cout << nome << "\t" << (classe ? classe->Nome : "(sem classe)") << "\t"
              << (classe ? classe->Versao() : "") << "\n";
  }
  return kSaidaOk;
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

int Imprimir(const TArgs& a) {
  if (a.Posicionais.empty()) throw Exception("Diga qual plug-in imprimir.");
  if (a.Banco.empty()) throw Exception("Falta --db BANCO.");
  TnPlugin::Carregar(a.Posicionais[0], a.Plugins);  // an unknown plug-in is reported before the database
  auto conexao = TnDMConexao::Abrir(a.Banco, TnCredenciais{a.Usuario, a.Senha});
  TnDMConexao::DefinirAtual(conexao.get());
  struct TLimpa {
    ~TLimpa() { TnDMConexao::DefinirAtual(nullptr); }
  } limpa;

  TnPedidoImpressao pedido;
  pedido.Plugin = a.Posicionais[0];
  pedido.PastaPlugins = a.Plugins;
  pedido.Parametros = a.Parametros;
  pedido.ArquivoPdf = a.Saida.empty() ? std::filesystem::path(pedido.Plugin).stem().string() + ".pdf" : a.Saida;
  pedido.PastaPng = a.Png;
  pedido.ComRastro = !a.Rastro.empty();
  const TnResultadoImpressao r = ImprimirRelatorio(pedido);
  if (!a.Rastro.empty()) {
    std::ofstream(a.Rastro) << r.Rastro.ParaJson() << "\n";
  }
  if (r.Paginas == 0) {
    std::cerr << "Nada a imprimir: nenhum dado atende aos parâmetros informados.\n";
    return kSaidaOk;
  }
  std::cerr << pedido.ArquivoPdf << ": " << r.Paginas << (r.Paginas == 1 ? " página" : " páginas") << "\n";
  return kSaidaOk;
}

int CriarDemo(const TArgs& a) {
  if (a.Posicionais.empty()) throw Exception("Diga o arquivo do banco de demonstração.");
  int escala = 1;
  if (!a.Escala.empty()) {
    escala = std::atoi(a.Escala.c_str());
    if (escala < 1) throw Exception("--scale deve ser um inteiro de 1 em diante.");
  }
  CriarBancoDemo(a.Posicionais[0], escala);
  std::cerr << a.Posicionais[0] << ": banco de demonstração criado (escala " << escala << ").\n";
  return kSaidaOk;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUso;
    return kSaidaErro;
  }
  const std::string comando = argv[1];
  try {
    const TArgs a = LerArgs(argc, argv);
    if (comando == "list") return Listar(a);
    if (comando == "describe") return Descrever(a);
    if (comando == "run") return Imprimir(a);
    if (comando == "demo-db") return CriarDemo(a);
    std::cerr << "Comando desconhecido: " << comando << "\n" << kUso;
    return kSaidaErro;
  } catch (const EnParam& e) {
    std::cerr << e.NomeParametro() << ": " << e.what() << "\n";
    return kSaidaParametro;
  } catch (const std::exception& e) {
    std::cerr << "Erro: " << e.what() << "\n";
    return kSaidaErro;
  }
}
