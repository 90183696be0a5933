// rpt: the command-line host. Lists, describes and prints report plug-ins and
// creates the demo database. Each command is one line of kComandos: its name, its
// summary and the function that declares its options and returns what it runs.
#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "demo/banco_demo.h"
#include "host/core/interrupcao.h"
#include "host/data/conexao.h"
#include "host/report/base_dll.h"
#include "host/report/execucao.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "host/report/saidas.h"
#include "host/web/servidor_web.h"

namespace {

constexpr int kSaidaOk = 0;
constexpr int kSaidaErro = 1;
constexpr int kSaidaUso = 2;  // a bad parameter or option, as for a report parameter

// What a command runs once its command line has been read.
using TExecucao = std::function<int()>;

// ---- Options shared by the commands -------------------------------------------------------------

// A whole number of at least `minimo`: "1abc", "1.5" and "" are refused. The option's name
// comes before the message ("--scale: deve ser...").
CLI::Validator InteiroDesde(int minimo) {
  return CLI::Validator(
      [minimo](std::string& texto) -> std::string {
        int valor = 0;
        const char* fim = texto.data() + texto.size();
        const auto [resto, erro] = std::from_chars(texto.data(), fim, valor);
        if (erro == std::errc() && resto == fim && valor >= minimo) return {};
        return "deve ser um inteiro de " + std::to_string(minimo) + " em diante; recebeu '" + texto + "'.";
      },
      "");
}

// NOME=VALOR with a name.
const CLI::Validator kNomeIgualValor(
    [](std::string& texto) -> std::string {
      const auto igual = texto.find('=');
      if (igual != std::string::npos && igual > 0) return {};
      return "espera NOME=VALOR, recebeu '" + texto + "'.";
    },
    "");

void OpcaoPlugins(CLI::App& comando, std::string& pasta) {
  comando.add_option("--plugins", pasta, "Pasta dos plug-ins (padrão: $RPT_PLUGINS ou a pasta da instalação)")
      ->type_name("PASTA");
}

void OpcaoBanco(CLI::App& comando, std::string& banco) {
  comando.add_option("--db", banco, "Banco de dados: arquivo (embutido) ou host:caminho / host/porta:caminho")
      ->required()
      ->type_name("BANCO");
}

void ArgumentoPlugin(CLI::App& comando, std::string& plugin) {
  comando.add_option("PLUGIN", plugin, "Nome do plug-in (RptPayments), seu arquivo .so ou caminho")
      ->required()
      ->type_name("");
}

// ---- list ---------------------------------------------------------------------------------------

// One broken plug-in file is named on stderr; the others are still listed.
int Listar(const std::string& pasta) {
  int saida = kSaidaOk;
  for (const auto& nome : TnPlugin::Listar(pasta)) {
    try {
      auto plugin = TnPlugin::Carregar(nome, pasta);
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

TExecucao ComandoListar(CLI::App& comando) {
  auto pasta = std::make_shared<std::string>();
  OpcaoPlugins(comando, *pasta);
  return [pasta] { return Listar(*pasta); };
}

// ---- describe -----------------------------------------------------------------------------------

struct TOpcoesDescrever {
  std::string Plugin, Plugins;
};

int Descrever(const TOpcoesDescrever& o) {
  auto plugin = TnPlugin::Carregar(o.Plugin, o.Plugins);
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

TExecucao ComandoDescrever(CLI::App& comando) {
  auto o = std::make_shared<TOpcoesDescrever>();
  ArgumentoPlugin(comando, o->Plugin);
  OpcaoPlugins(comando, o->Plugins);
  return [o] { return Descrever(*o); };
}

// ---- run ----------------------------------------------------------------------------------------

struct TOpcoesImprimir {
  std::string Plugin, Banco, Saida, Png, Rastro, Xlsx, Csv, Plugins, Usuario, Senha;
  std::vector<std::string> Parametros;  // NOME=VALOR, in the order given
  int Espera = TnDMConexao::kSegundosParaConectar;
};

TnPedidoImpressao Pedido(const TOpcoesImprimir& o) {
  TnPedidoImpressao pedido;
  pedido.Plugin = o.Plugin;
  pedido.PastaPlugins = o.Plugins;
  for (const std::string& p : o.Parametros) {
    const auto igual = p.find('=');
    pedido.Parametros.emplace_back(p.substr(0, igual), p.substr(igual + 1));
  }
  pedido.ArquivoPdf = o.Saida.empty() ? std::filesystem::path(pedido.Plugin).stem().string() + ".pdf" : o.Saida;
  pedido.PastaPng = o.Png;
  pedido.ArquivoRastro = o.Rastro;
  pedido.ArquivoXlsx = o.Xlsx;
  pedido.ArquivoCsv = o.Csv;
  pedido.ConferirTabelas = true;
  return pedido;
}

int Imprimir(const TOpcoesImprimir& o) {
  const TnPedidoImpressao pedido = Pedido(o);
  ConferirDestinos({pedido.ArquivoPdf, pedido.PastaPng, pedido.ArquivoRastro, o.Banco, pedido.ArquivoXlsx,
                    pedido.ArquivoCsv});
  TnPlugin::Carregar(pedido.Plugin, pedido.PastaPlugins);  // an unknown plug-in is reported before the database
  auto conexao = TnDMConexao::Abrir(o.Banco, TnCredenciais{o.Usuario, o.Senha}, o.Espera);
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
  for (const std::string* planilha : {&pedido.ArquivoXlsx, &pedido.ArquivoCsv})
    if (!planilha->empty()) std::cerr << *planilha << ": planilha gravada\n";
  return kSaidaOk;
}

TExecucao ComandoImprimir(CLI::App& comando) {
  auto o = std::make_shared<TOpcoesImprimir>();
  ArgumentoPlugin(comando, o->Plugin);
  OpcaoBanco(comando, o->Banco);
  comando.add_option("--param", o->Parametros, "Preenche um parâmetro do formulário (repetível, na ordem dada)")
      ->type_name("NOME=VALOR")
      ->allow_extra_args(false)
      ->check(kNomeIgualValor);
  comando.add_option("--out", o->Saida, "Arquivo PDF a gravar (padrão: PLUGIN.pdf na pasta atual)")
      ->type_name("ARQUIVO.pdf");
  comando.add_option("--png", o->Png, "Pasta onde gravar cada página como pagina-NNNN.png")->type_name("PASTA");
  comando.add_option("--trace", o->Rastro, "Grava o rastro da execução (seções, valores, consultas)")
      ->type_name("ARQUIVO.json");
  comando.add_option("--xlsx", o->Xlsx, "Grava as linhas impressas como planilha XLSX (além do PDF)")
      ->type_name("ARQUIVO.xlsx");
  comando.add_option("--csv", o->Csv, "Grava as linhas impressas como CSV (UTF-8, \";\", decimais com \",\")")
      ->type_name("ARQUIVO.csv");
  OpcaoPlugins(comando, o->Plugins);
  comando.add_option("--user", o->Usuario, "Usuário do servidor (padrão: $ISC_USER)")->type_name("USUARIO");
  comando.add_option("--password", o->Senha, "Senha do servidor (prefira $ISC_PASSWORD)")->type_name("SENHA");
  comando.add_option("--timeout", o->Espera, "Segundos de espera por um servidor que não responde (padrão: 15)")
      ->type_name("SEGUNDOS")
      ->check(InteiroDesde(1));
  comando.footer(
      "BANCO: caminho de um arquivo, aberto embutido, ou host:caminho / host/porta:caminho de um servidor.\n"
      "Sai com 0 (também quando nada atende aos parâmetros), 2 para um parâmetro ou opção inválida\n"
      "(NOME: mensagem), 1 para outro erro, 130/143/129 quando interrompido (SIGINT/SIGTERM/SIGHUP).");
  return [o] { return Imprimir(*o); };
}

// ---- serve -------------------------------------------------------------------------------------

struct TOpcoesServir {
  TnOpcoesServidor Servidor;
  std::string Escuta = "127.0.0.1:8080";
};

// "HOST:PORTA" ("[::1]:8080" for IPv6; port 0 = a free one, told at start) into the server's options.
void LerEscuta(const std::string& escuta, TnOpcoesServidor& s) {
  const auto doisPontos = escuta.rfind(':');
  const std::string porta = doisPontos == std::string::npos ? std::string() : escuta.substr(doisPontos + 1);
  int numero = -1;
  const auto [resto, erro] = std::from_chars(porta.data(), porta.data() + porta.size(), numero);
  std::string host = doisPontos == std::string::npos ? std::string() : escuta.substr(0, doisPontos);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  if (host.empty() || porta.empty() || erro != std::errc() || resto != porta.data() + porta.size() || numero < 0 ||
      numero > 65535)
    throw EnOpcao("--listen: espera HOST:PORTA (ex.: 127.0.0.1:8080), recebeu '" + escuta + "'.");
  s.Endereco = host;
  s.Porta = numero;
}

int Servir(TOpcoesServir& o) {
  LerEscuta(o.Escuta, o.Servidor);
  if (o.Servidor.Token.empty() && std::getenv("RPT_SERVE_TOKEN")) o.Servidor.Token = std::getenv("RPT_SERVE_TOKEN");
  TnServidorWeb servidor(o.Servidor);
  const int parar = TnInterrupcao::RegistrarCancelamento([&servidor] { servidor.Parar(); });
  struct TLimpa {
    int Id;
    ~TLimpa() { TnInterrupcao::RemoverCancelamento(Id); }
  } limpa{parar};
  const std::string host = o.Servidor.Endereco.find(':') == std::string::npos ? o.Servidor.Endereco
                                                                               : "[" + o.Servidor.Endereco + "]";
  std::cerr << "Servindo os relatórios de " << o.Servidor.Banco << " em http://" << host << ":" << servidor.Porta() << "/"
            << (o.Servidor.Token.empty() ? "" : "?token=...") << " (Ctrl-C encerra).\n";
  if (!TnInterrupcao::SinalRecebido()) servidor.Atender();
  TnInterrupcao::Encerrando();  // the forms and prints still open are released in order
  std::cerr << "Servidor encerrado.\n";
  return kSaidaOk;
}

TExecucao ComandoServir(CLI::App& comando) {
  auto o = std::make_shared<TOpcoesServir>();
  OpcaoBanco(comando, o->Servidor.Banco);
  comando.add_option("--listen", o->Escuta, "Endereço e porta onde escutar (padrão: 127.0.0.1:8080; porta 0 = uma livre)")
      ->type_name("HOST:PORTA");
  OpcaoPlugins(comando, o->Servidor.PastaPlugins);
  comando.add_option("--token", o->Servidor.Token, "Exigido em toda requisição (padrão: $RPT_SERVE_TOKEN)")
      ->type_name("TOKEN");
  comando.add_option("--idle", o->Servidor.SegundosOcioso, "Segundos sem uso até liberar o formulário de uma aba (padrão: 900)")
      ->type_name("SEGUNDOS")
      ->check(InteiroDesde(1));
  comando.footer(
      "Fora do loopback (127.0.0.1, ::1) exige --token ou RPT_SERVE_TOKEN; o navegador o envia no cabeçalho\n"
      "X-Rpt-Token ou no cookie que a primeira visita a /?token=TOKEN grava. Usuário e senha de um servidor\n"
      "Firebird: $ISC_USER e $ISC_PASSWORD.");
  return [o] { return Servir(*o); };
}

// ---- demo-db ------------------------------------------------------------------------------------

struct TOpcoesDemo {
  std::string Arquivo;
  int Escala = 1;
};

int CriarDemo(const TOpcoesDemo& o) {
  CriarBancoDemo(o.Arquivo, o.Escala);
  std::cerr << o.Arquivo << ": banco de demonstração criado (escala " << o.Escala << ").\n";
  return kSaidaOk;
}

TExecucao ComandoCriarDemo(CLI::App& comando) {
  auto o = std::make_shared<TOpcoesDemo>();
  comando.add_option("ARQUIVO", o->Arquivo, "Arquivo .fdb a criar")->required()->type_name("");
  comando.add_option("--scale", o->Escala, "Multiplica o volume de dados (padrão: 1)")
      ->type_name("N")
      ->check(InteiroDesde(1));
  return [o] { return CriarDemo(*o); };
}

// ---- The command line ---------------------------------------------------------------------------

struct TComando {
  const char* Nome;
  const char* Resumo;
  TExecucao (*Declarar)(CLI::App&);
};

constexpr TComando kComandos[] = {
    {"list", "Lista os plug-ins, suas classes de relatório e versões", ComandoListar},
    {"describe", "Mostra o formulário de parâmetros de um plug-in", ComandoDescrever},
    {"run", "Imprime um relatório em PDF (e PNG, rastro JSON)", ComandoImprimir},
    {"serve", "Serve os relatórios a navegadores (formulário, páginas e PDF)", ComandoServir},
    {"demo-db", "Cria um banco de demonstração", ComandoCriarDemo},
};

// CLI11's help texts, in Portuguese.
void Traduzir(CLI::App& app) {
  auto f = std::make_shared<CLI::Formatter>();
  f->label("Usage", "Uso");
  f->label("OPTIONS", "OPÇÕES");
  f->label("SUBCOMMAND", "COMANDO");
  f->label("SUBCOMMANDS", "COMANDOS");
  f->label("Positionals", "Argumentos");
  f->label("REQUIRED", "(exigido)");  // CLI11 pads by bytes: no accent left of the descriptions
  f->column_width(34);
  app.formatter(f);
  app.option_defaults()->group("Opções");
  app.set_help_flag("-h,--help", "Mostra esta ajuda e sai");
}

// The command that was named, or the root when none was.
const CLI::App& Escolhido(const CLI::App& raiz) {
  const auto escolhidos = raiz.get_subcommands();
  return escolhidos.empty() ? raiz : *escolhidos.front();
}

// A message about the command line, pointing at the help of the command it was for.
std::string ComAjuda(const CLI::App& app, const std::string& mensagem) {
  const std::string comando = app.get_parent() ? "rpt " + app.get_name() : "rpt";
  return mensagem + " (veja " + comando + " --help).";
}

// CLI11 words its errors in English; each kind of mistake is said here, naming the option.
std::string Explicar(const CLI::App& raiz, const CLI::ParseError& e) {
  if (dynamic_cast<const CLI::ValidationError*>(&e)) return e.what();  // our validators, in Portuguese
  const CLI::App& app = Escolhido(raiz);
  // What no option took is the likelier mistake, even when something required is missing too.
  const std::vector<std::string> resto = app.remaining();
  if (!resto.empty()) {
    const std::string& a = resto.front();
    if (a.rfind('-', 0) == 0) return ComAjuda(app, "Opção desconhecida: " + a);
    return ComAjuda(app, (&app == &raiz ? "Comando desconhecido: " : "Argumento a mais: ") + a);
  }
  if (dynamic_cast<const CLI::RequiredError*>(&e)) {
    for (const CLI::Option* o : app.get_options())
      if (o->get_required() && o->count() == 0)
        return ComAjuda(app, o->get_positional() ? "Falta o argumento " + o->get_name()
                                                 : "Falta a opção " + o->get_name() + " " + o->get_type_name());
    return ComAjuda(app, "Diga qual comando executar");
  }
  // "--db: 1 required BANCO missing", "--db: At most 1 ..."
  const std::string texto = e.what();
  const CLI::Option* opcao = app.get_option_no_throw(texto.substr(0, texto.find(':')));
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) && opcao)
    return ComAjuda(app, opcao->count() == 0 ? "Falta o valor de " + opcao->get_name()
                                             : "A opção " + opcao->get_name() + " foi informada mais de uma vez");
  return ComAjuda(app, "Linha de comando inválida: " + texto);
}

// The password leaves the process list as soon as it is read (the README recommends
// ISC_PASSWORD, which never shows there).
void EsconderSenha(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    char* valor = nullptr;
    if (std::strcmp(argv[i], "--password") == 0 && i + 1 < argc) valor = argv[i + 1];
    else if (std::strncmp(argv[i], "--password=", 11) == 0) valor = argv[i] + 11;
    if (valor) std::memset(valor, 'x', std::strlen(valor));
  }
}

// The command line as CLI11 reads it (last argument first), the password blanked in argv.
std::vector<std::string> LerArgumentos(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = argc - 1; i >= 1; --i) args.emplace_back(argv[i]);
  EsconderSenha(argc, argv);
  return args;
}

// What was printed must have reached its destination (a full disk, a closed pipe).
int ConferirSaidaPadrao(int codigo) {
  std::cout.flush();
  if (std::cout) return codigo;
  std::cerr << "Erro: não foi possível escrever a saída do comando.\n";
  return kSaidaErro;
}

// Reads the command line and runs the command named; help and the version answer here.
int Executar(int argc, char** argv) {
  CLI::App raiz("Relatórios de construção e incorporação: lista, descreve e imprime plug-ins de relatório.", "rpt");
  Traduzir(raiz);
  raiz.set_version_flag("--version", std::string("rpt ") + RPT_VERSAO, "Mostra a versão e sai");
  raiz.require_subcommand(1);
  raiz.footer("Ajuda de um comando: rpt COMANDO --help");
  std::vector<std::pair<const CLI::App*, TExecucao>> execucoes;
  for (const TComando& c : kComandos) {
    CLI::App* sub = raiz.add_subcommand(c.Nome, c.Resumo);
    sub->group("Comandos");
    sub->get_help_ptr()->group("Opções");  // made before the sub-app took the root's option defaults
    sub->footer("");
    execucoes.emplace_back(sub, c.Declarar(*sub));
  }
  std::vector<std::string> args = LerArgumentos(argc, argv);
  try {
    raiz.parse(args);
  } catch (const CLI::CallForHelp&) {
    std::cout << raiz.help();
    return ConferirSaidaPadrao(kSaidaOk);
  } catch (const CLI::CallForVersion& e) {
    std::cout << e.what() << "\n";
    return ConferirSaidaPadrao(kSaidaOk);
  } catch (const CLI::ParseError& e) {
    if (argc < 2) std::cerr << raiz.help();
    else std::cerr << Explicar(raiz, e) << "\n";
    return kSaidaUso;
  }
  for (const auto& [sub, executar] : execucoes)
    if (sub->parsed()) return ConferirSaidaPadrao(executar());
  return kSaidaErro;
}

}  // namespace

int main(int argc, char** argv) {
  TnInterrupcao::InstalarTratamento();
  try {
    return Executar(argc, argv);
  } catch (const EnParam& e) {
    std::cerr << e.NomeParametro() << ": " << e.what() << "\n";
    return kSaidaUso;
  } catch (const EnOpcao& e) {
    std::cerr << e.what() << "\n";
    return kSaidaUso;
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
