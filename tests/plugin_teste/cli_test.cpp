// The command-line host end to end on the test plug-in: exit codes, messages, output files.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "host/data/conexao.h"
#include "tests/testkit/relatorio_teste.h"

namespace fs = std::filesystem;

namespace {

using Saida = TSaidaRpt;
Saida Rpt(const std::string& args) { return RodarRpt(args); }

// Any command line, for what rpt is run under (another locale, a full disk) and the tools that read its PDFs.
Saida Shell(const std::string& comando) {
  FILE* p = popen((comando + " 2>&1").c_str(), "r");
  Saida s;
  std::array<char, 4096> buf{};
  while (size_t n = fread(buf.data(), 1, buf.size(), p)) s.Texto.append(buf.data(), n);
  const int status = pclose(p);
  s.Codigo = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return s;
}

std::string Ler(const fs::path& arquivo) {
  std::ifstream in(arquivo, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

void Gravar(const fs::path& arquivo, const std::string& texto) { std::ofstream(arquivo, std::ios::binary) << texto; }

// Every entry of a folder tree, relative to it, with the contents of its files.
std::map<std::string, std::string> Conteudo(const fs::path& pasta) {
  std::map<std::string, std::string> r;
  for (const auto& e : fs::recursive_directory_iterator(pasta))
    r[fs::relative(e.path(), pasta).string()] = fs::is_regular_file(e.symlink_status()) ? Ler(e.path()) : "";
  return r;
}

// rpt started in the background, its output thrown away or its messages kept in erros.
pid_t Iniciar(const std::vector<std::string>& args, const std::string& erros = "/dev/null") {
  std::vector<char*> argv;
  const std::string rpt = std::string(RPT_BIN_DIR) + "/rpt";
  argv.push_back(const_cast<char*>(rpt.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_addopen(&acoes, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&acoes, 2, erros.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, rpt.c_str(), &acoes, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&acoes);
  return pid;
}

int Esperar(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

struct Cli : ::testing::Test {
  static void SetUpTestSuite() {
    pasta = fs::temp_directory_path() / ("rpt-cli-" + std::to_string(getpid()));
    fs::create_directories(pasta);
    banco = std::make_unique<TBancoTeste>(true);
  }
  static void TearDownTestSuite() {
    banco.reset();
    fs::remove_all(pasta);
  }
  static std::string Run(const std::string& extra) {
    return "run RptTeste --plugins " + std::string(RPT_TEST_PLUGIN_DIR) + " --db " + banco->Arquivo() + " " + extra;
  }
  static std::vector<std::string> ArgsRun(std::vector<std::string> extra) {
    std::vector<std::string> a = {"run", "RptTeste", "--plugins", RPT_TEST_PLUGIN_DIR, "--db", banco->Arquivo()};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  }
  static inline fs::path pasta;
  static inline std::unique_ptr<TBancoTeste> banco;
};

TEST_F(Cli, ListAndDescribe) {
  Saida s = Rpt("list --plugins " + std::string(RPT_TEST_PLUGIN_DIR));
  EXPECT_EQ(s.Codigo, 0);
  EXPECT_NE(s.Texto.find("RptTeste\tTRptTeste\t[versao: 1.2.3.0]"), std::string::npos) << s.Texto;
  s = Rpt("describe RptTeste --plugins " + std::string(RPT_TEST_PLUGIN_DIR));
  EXPECT_EQ(s.Codigo, 0);
  EXPECT_NE(s.Texto.find("pLinhas  (inteiro)  Quantidade de linhas  [padrão: 3]"), std::string::npos) << s.Texto;
}

TEST_F(Cli, RunWritesThePdfAndTheTrace) {
  const fs::path pdf = pasta / "ok.pdf", rastro = pasta / "ok.json";
  Saida s = Rpt(Run("--param pLinhas=2 --out " + pdf.string() + " --trace " + rastro.string()));
  ASSERT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_TRUE(fs::exists(pdf));
  std::ifstream in(rastro);
  const std::string json((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(json.find("\"pages\": 1"), std::string::npos) << json;
  EXPECT_NE(json.find("\"R2\": \"2.001,00\""), std::string::npos) << json;
}

TEST_F(Cli, ErrorsGiveTheirExitCodesAndLeaveNoPdf) {
  const fs::path pdf = pasta / "falha.pdf";
  struct Caso {
    std::string args;
    int codigo;
    std::string mensagem;
  } casos[] = {
      {Run("--param pLinhas=abc --out " + pdf.string()), 2, "pLinhas: 'abc' não é um valor inteiro válido."},
      {Run("--param pData=31/02/2026 --out " + pdf.string()), 2, "pData: '31/02/2026' não é uma data válida"},
      {Run("--param pData= --out " + pdf.string()), 2, "pData: informe uma data (use DD/MM/AAAA)."},
      {Run("--param pData=02/01/2026 --param pDataFim=01/01/2026 --out " + pdf.string()), 2,
       "pDataFim: A data inicial não pode ser maior que a data final."},
      {Run("--param pModo= --out " + pdf.string()), 2, "pModo: escolha uma opção: linhas (Linhas), erro (Erro)"},
      {Run("--param pLinhas=" + std::string(5000, '9') + "x --out " + pdf.string()), 2,
       "pLinhas: '" + std::string(60, '9') + "… (5001 caracteres)' não é um valor inteiro válido."},
      {Run("--param pModo=vazio --param pLinhas=4 --out " + pdf.string()), 2, "pLinhas: parâmetro desabilitado"},
      {Run("--param pNada=1 --out " + pdf.string()), 2, "pNada: parâmetro desconhecido"},
      {Run("--param 'pCodigos=1) or (1=1' --out " + pdf.string()), 2, "pCodigos: Seleção '1) or (1=1' inválida"},
      {Run("--param pModo=erro --out " + pdf.string()), 1, "Falha de teste."},
      {"run RptNaoExiste --plugins " + std::string(RPT_TEST_PLUGIN_DIR) + " --db x.fdb", 1, "não encontrado"},
  };
  const std::string antigo = "%PDF-1.4 de uma execução anterior";
  for (const auto& c : casos) {
    Gravar(pdf, antigo);  // a failed run leaves the older PDF as it was, and nothing beside it
    Saida s = Rpt(c.args);
    EXPECT_EQ(s.Codigo, c.codigo) << c.args << "\n" << s.Texto;
    EXPECT_NE(s.Texto.find(c.mensagem), std::string::npos) << s.Texto;
    EXPECT_EQ(Ler(pdf), antigo) << c.args;
    EXPECT_EQ(Conteudo(pasta).count("falha.pdf"), 1u);
    for (const auto& [nome, _] : Conteudo(pasta)) EXPECT_EQ(nome.find(".rpt-"), std::string::npos) << nome;
  }
}

TEST_F(Cli, EmptyReportSucceedsWithoutPdf) {
  const fs::path pdf = pasta / "vazio.pdf";
  Saida s = Rpt(Run("--param pModo=vazio --out " + pdf.string()));
  EXPECT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_NE(s.Texto.find("Nada a imprimir"), std::string::npos);
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(Cli, BadLayoutNamesTheFile) {
  const fs::path dir = pasta / "plugins-ruins";
  fs::create_directories(dir);
  fs::copy_file(fs::path(RPT_TEST_PLUGIN_DIR) / "RptTeste.so", dir / "RptTeste.so", fs::copy_options::overwrite_existing);
  std::ofstream(dir / "RptTeste.json") << R"({"secoes": [{"numero": 9, "altura": 10, "elementos": [{"nome": "lblX", "tipo": "rotulo"}]}]})";
  Saida s = Rpt("run RptTeste --plugins " + dir.string() + " --db " + banco->Arquivo());
  EXPECT_EQ(s.Codigo, 1);
  EXPECT_NE(s.Texto.find("RptTeste.json', seção 9, elemento 'lblX': falta \"x\""), std::string::npos) << s.Texto;
}

// Outputs that are not ours to replace are refused before any work, and stay as they were.
TEST_F(Cli, OutputsThatAreNotOursAreRefusedBeforeAnyWork) {
  const fs::path d = pasta / "destinos";
  fs::create_directories(d / "pasta");
  Gravar(d / "notas.txt", "minhas notas");
  Gravar(d / "r.pdf", "%PDF-1.4 antigo");
  Gravar(d / "texto.docx", std::string("PK\x03\x04", 4) + "word/document.xml");  // a zip, not a workbook
  mkfifo((d / "fila").c_str(), 0600);
  const std::string db = banco->Arquivo();
  const std::string bancoAntes = Ler(db);
  struct Caso {
    std::string opcoes, mensagem;
  } casos[] = {
      {"--out " + db, "--out: '" + db + "' é o banco de dados"},
      {"--out " + (d / "r.pdf").string() + " --trace " + db, "--trace: '" + db + "' é o banco de dados"},
      {"--out " + (d / "x.pdf").string() + " --trace " + (d / "x.pdf").string(), "é também a saída --out"},
      {"--out " + (d / "r.pdf").string() + " --trace " + (d / "r.pdf").string(), "é também a saída --out"},
      {"--out " + (d / "pasta").string(), "é uma pasta"},
      {"--out " + (d / "fila").string(), "não é um arquivo comum"},
      {"--out " + (d / "notas.txt").string(), "já existe e não é um PDF"},
      {"--out " + (d / "falta" / "r.pdf").string(), "fica numa pasta que não existe"},
      {"--out " + (d / "falta" / ".." / "r.pdf").string(), "fica numa pasta que não existe"},
      {"--out " + (d / "pasta" / "..").string(), "é uma pasta"},
      {"--trace " + (d / "falta" / "r.json").string(), "--trace: '"},
      {"--trace " + (d / "pasta").string(), "é uma pasta"},
      {"--trace " + (d / "notas.txt").string(), "já existe e não é um rastro JSON"},
      {"--png " + (d / "notas.txt").string(), "não é uma pasta"},
      {"--png " + db, "é o banco de dados"},
      {"--out " + (d / "pasta" / "pagina-0001.png").string() + " --png " + (d / "pasta").string(),
       "tem o nome de uma página de --png"},
      {"--xlsx " + db, "--xlsx: '" + db + "' é o banco de dados"},
      {"--csv " + db, "--csv: '" + db + "' é o banco de dados"},
      {"--out " + (d / "r.pdf").string() + " --xlsx " + (d / "r.pdf").string(), "--xlsx: '" + (d / "r.pdf").string() +
       "' é também a saída --out"},
      {"--xlsx " + (d / "x.xlsx").string() + " --csv " + (d / "x.xlsx").string(), "é também a saída --xlsx"},
      {"--trace " + (d / "x.csv").string() + " --csv " + (d / "x.csv").string(), "é também a saída --trace"},
      {"--xlsx " + (d / "notas.txt").string(), "--xlsx: '" + (d / "notas.txt").string() + "' já existe e não é uma planilha XLSX"},
      {"--xlsx " + (d / "texto.docx").string(), "já existe e não é uma planilha XLSX"},
      {"--csv " + (d / "notas.txt").string(), "já existe e não é um CSV em UTF-8"},
      {"--csv " + (d / "pasta").string(), "é uma pasta"},
      {"--xlsx " + (d / "falta" / "r.xlsx").string(), "fica numa pasta que não existe"},
  };
  const auto antes = Conteudo(d);
  for (const auto& c : casos) {
    std::string opcoes = c.opcoes;
    if (opcoes.find("--out") == std::string::npos) opcoes += " --out " + (d / "r.pdf").string();
    Saida s = Rpt(Run(opcoes));
    EXPECT_EQ(s.Codigo, 1) << opcoes << "\n" << s.Texto;
    EXPECT_NE(s.Texto.find(c.mensagem), std::string::npos) << s.Texto;
    EXPECT_NE(s.Texto.find("nada foi feito"), std::string::npos) << s.Texto;
    EXPECT_EQ(Conteudo(d), antes) << opcoes;
  }
  EXPECT_EQ(Ler(db), bancoAntes);
}

// The spreadsheets follow the PDF: in place on success, left as they were by a failure, gone when nothing prints.
TEST_F(Cli, SpreadsheetsAreReplacedOnlyByARunThatPrints) {
  const fs::path d = pasta / "planilhas";
  fs::create_directories(d);
  const std::string xlsx = (d / "r.xlsx").string(), csv = (d / "r.csv").string();
  const std::string saidas = " --out " + (d / "r.pdf").string() + " --xlsx " + xlsx + " --csv " + csv;
  Saida s = Rpt(Run("--param pLinhas=2" + saidas));
  ASSERT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_NE(s.Texto.find(xlsx + ": planilha gravada"), std::string::npos) << s.Texto;
  const std::string planilha = Ler(xlsx), linhas = Ler(csv);
  EXPECT_EQ(planilha.rfind("PK\x03\x04", 0), 0u);
  EXPECT_EQ(linhas.rfind("\xEF\xBB\xBF", 0), 0u);

  s = Rpt(Run("--param pModo=erro" + saidas));
  EXPECT_EQ(s.Codigo, 1) << s.Texto;
  EXPECT_EQ(Ler(xlsx), planilha);
  EXPECT_EQ(Ler(csv), linhas);

  s = Rpt(Run("--param pModo=vazio" + saidas));
  EXPECT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_EQ(Conteudo(d).size(), 0u);  // nothing printed: the older outputs go, no private folder stays
}

TEST_F(Cli, PageFolderKeepsTheUsersFilesAndThePdfInIt) {
  const fs::path pag = pasta / "pag";
  fs::create_directories(pag);
  Gravar(pag / "foto.png", "minha foto");
  Gravar(pag / "pagina-0007.png", "página de uma execução anterior");
  const std::string pdf = (pag / "r.png").string();  // a PDF under a picture's name, inside the page folder
  Saida s = Rpt(Run("--param pLinhas=2 --out " + pdf + " --png " + pag.string() + "/"));
  ASSERT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_EQ((std::set<std::string>{"foto.png", "pagina-0001.png", "r.png"}),
            [&] { std::set<std::string> n; for (auto& [k, v] : Conteudo(pag)) n.insert(k); return n; }());
  EXPECT_EQ(Ler(pag / "foto.png"), "minha foto");
  EXPECT_EQ(Ler(pdf).rfind("%PDF-", 0), 0u);
  EXPECT_EQ(Ler(pag / "pagina-0001.png").substr(1, 3), "PNG");

  // A new page folder is made with the usual permissions, not the private ones.
  const fs::path nova = pasta / "nova-pag";
  s = Rpt(Run("--param pLinhas=2 --out " + (pasta / "n.pdf").string() + " --png " + nova.string() + "/"));
  ASSERT_EQ(s.Codigo, 0) << s.Texto;
  EXPECT_TRUE(fs::exists(nova / "pagina-0001.png"));
  EXPECT_NE(fs::status(nova).permissions() & fs::perms::others_read, fs::perms::none);
}

TEST_F(Cli, SignalEndsTheRenderingAndLeavesTheOlderOutputs) {
  struct Caso {
    int sinal, codigo;
  } casos[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
  for (const auto& c : casos) {
    const fs::path d = pasta / ("sinal-" + std::to_string(c.sinal));
    fs::create_directories(d / "pag");
    Gravar(d / "r.pdf", "%PDF-1.4 antigo");
    Gravar(d / "pag" / "pagina-0001.png", "antiga");
    const auto antes = Conteudo(d);
    const pid_t pid = Iniciar(ArgsRun({"--param", "pLinhas=100000", "--out", (d / "r.pdf").string(), "--png",
                                       (d / "pag").string()}));
    // The first page drawn in the private folder: the run is rendering.
    bool desenhando = false;
    for (int i = 0; i < 1200 && !desenhando; ++i) {
      for (const auto& e : fs::recursive_directory_iterator(d))
        desenhando = desenhando || (e.path().filename() == "pagina-0001.png" && e.path().parent_path() != d / "pag");
      if (!desenhando) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(desenhando);
    const auto inicio = std::chrono::steady_clock::now();
    kill(pid, c.sinal);
    EXPECT_EQ(Esperar(pid), c.codigo) << c.sinal;
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));
    EXPECT_EQ(Conteudo(d), antes) << c.sinal;
  }
}

TEST_F(Cli, SignalCancelsARunningQuery) {
  const fs::path erros = pasta / "consulta-lenta.txt";
  const pid_t pid = Iniciar(ArgsRun({"--param", "pModo=lento", "--out", (pasta / "lento.pdf").string()}), erros);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // attached, the query under way
  kill(pid, SIGINT);
  EXPECT_EQ(Esperar(pid), 130);
  // Said by the run itself as it unwound, not by the watcher ending the process for it.
  EXPECT_NE(Ler(erros).find("Execução interrompida (SIGINT)."), std::string::npos) << Ler(erros);
  EXPECT_FALSE(fs::exists(pasta / "lento.pdf"));
}

// The test process keeps its own connection open meanwhile.
TEST_F(Cli, FourRunsAtOnceOnOneDatabasePrintWhatOneRunPrints) {
  // The page text, without the time of printing.
  auto texto = [](const fs::path& pdf) { return Shell("pdftotext " + pdf.string() + " - | grep -v '^Impresso em'").Texto; };
  const fs::path solo = pasta / "solo.pdf";
  ASSERT_EQ(Rpt(Run("--param pModo=banco --out " + solo.string())).Codigo, 0);
  const std::string esperado = texto(solo);
  ASSERT_NE(esperado.find("ESCRITORIO"), std::string::npos) << esperado;
  std::vector<pid_t> pids;
  for (int i = 0; i < 4; ++i)
    pids.push_back(Iniciar(ArgsRun({"--param", "pModo=banco", "--out", (pasta / ("junto" + std::to_string(i) + ".pdf")).string()})));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Esperar(pids[i]), 0) << i;
    EXPECT_EQ(texto(pasta / ("junto" + std::to_string(i) + ".pdf")), esperado) << i;
  }
}

TEST_F(Cli, BrokenPluginFilesAreNamedAndTheOthersStillWork) {
  const fs::path dir = pasta / "plugins-mistos";
  fs::create_directories(dir);
  const fs::path bom = fs::path(RPT_TEST_PLUGIN_DIR) / "RptTeste.so";
  fs::copy_file(bom, dir / "RptTeste.so", fs::copy_options::overwrite_existing);
  fs::copy_file(fs::path(RPT_TEST_PLUGIN_DIR) / "RptTeste.json", dir / "RptTeste.json",
                fs::copy_options::overwrite_existing);
  Gravar(dir / "RptTruncado.so", Ler(bom).substr(0, 4096));
  Gravar(dir / "RptTexto.so", "isto não é uma biblioteca");
  Gravar(dir / "RptVazio.so", "");
  fs::create_directories(dir / "RptPasta.so");
  Saida s = Rpt("list --plugins " + dir.string());
  EXPECT_EQ(s.Codigo, 1) << s.Texto;
  EXPECT_NE(s.Texto.find("RptTeste\tTRptTeste\t[versao: 1.2.3.0]"), std::string::npos) << s.Texto;
  for (const std::string nome : {"RptTruncado", "RptTexto", "RptVazio", "RptPasta"})
    EXPECT_NE(s.Texto.find("Plug-in '" + nome + "' (" + (dir / (nome + ".so")).string() + ")"), std::string::npos)
        << nome << "\n" << s.Texto;
  EXPECT_NE(s.Texto.find("está truncado"), std::string::npos) << s.Texto;

  s = Rpt("run RptTruncado --plugins " + dir.string() + " --db " + banco->Arquivo());
  EXPECT_EQ(s.Codigo, 1) << s.Texto;
  EXPECT_NE(s.Texto.find("RptTruncado.so) está truncado"), std::string::npos) << s.Texto;
  EXPECT_EQ(Rpt("run RptTeste --plugins " + dir.string() + " --db " + banco->Arquivo() + " --out " +
                (pasta / "misto.pdf").string())
                .Codigo,
            0);
}

// Help and the version answer on stdout with 0; a command line that cannot be read exits 2 naming
// what is wrong, in Portuguese, before any work.
TEST_F(Cli, HelpVersionAndMalformedCommandLines) {
  const std::string demo = (pasta / "d.fdb").string(), pdf = (pasta / "linha.pdf").string();
  const std::string plugins = " --plugins " + std::string(RPT_TEST_PLUGIN_DIR);
  struct Caso {
    std::string args;
    int codigo;
    std::string trecho;
  } casos[] = {
      {"--help", 0, "Uso: rpt [OPÇÕES] COMANDO\n"},
      {"-h", 0, "  demo-db                         Cria um banco de demonstração\n"},
      {"run --help", 0, "Uso: rpt run [OPÇÕES] PLUGIN\n"},
      {"run RptTeste --db x.fdb --help", 0, "  --db BANCO (exigido)            Banco de dados"},
      {"list --help", 0, "Uso: rpt list [OPÇÕES]\n"},
      {"describe --help", 0, "Uso: rpt describe [OPÇÕES] PLUGIN\n"},
      {"demo-db --help", 0, "  --scale N                       Multiplica o volume"},
      {"--version", 0, "rpt "},
      {"", 2, "Uso: rpt [OPÇÕES] COMANDO\n"},
      {"frobnicar", 2, "Comando desconhecido: frobnicar (veja rpt --help).\n"},
      {"--frob", 2, "Opção desconhecida: --frob (veja rpt --help).\n"},
      {Run("--out " + pdf + " --frob"), 2, "Opção desconhecida: --frob (veja rpt run --help).\n"},
      {"run --frob", 2, "Opção desconhecida: --frob (veja rpt run --help).\n"},
      {Run("--out " + pdf + " a=1"), 2, "Argumento a mais: a=1 (veja rpt run --help).\n"},
      {"run RptTeste --out " + pdf + plugins, 2, "Falta a opção --db BANCO (veja rpt run --help).\n"},
      {"run --db x.fdb --out " + pdf, 2, "Falta o argumento PLUGIN (veja rpt run --help).\n"},
      {"run RptTeste --out " + pdf + plugins + " --db", 2, "Falta o valor de --db (veja rpt run --help).\n"},
      {Run("--out " + pdf + " --db x.fdb"), 2, "A opção --db foi informada mais de uma vez (veja rpt run --help).\n"},
      {Run("--out " + pdf + " --param pLinhas"), 2, "--param: espera NOME=VALOR, recebeu 'pLinhas'.\n"},
      {Run("--out " + pdf + " --timeout 2s"), 2, "--timeout: deve ser um inteiro de 1 em diante; recebeu '2s'.\n"},
      {Run("--out " + pdf + " --timeout 0"), 2, "--timeout: deve ser um inteiro de 1 em diante; recebeu '0'.\n"},
      {"demo-db " + demo + " --scale 1abc", 2, "--scale: deve ser um inteiro de 1 em diante; recebeu '1abc'.\n"},
      {"demo-db " + demo + " --scale 0", 2, "--scale: deve ser um inteiro de 1 em diante; recebeu '0'.\n"},
      {"demo-db " + demo + " --scale 99999999999", 2, "recebeu '99999999999'.\n"},
      {"demo-db --scale 2", 2, "Falta o argumento ARQUIVO (veja rpt demo-db --help).\n"},
      {"describe", 2, "Falta o argumento PLUGIN (veja rpt describe --help).\n"},
  };
  for (const auto& c : casos) {
    // Help and the version on stdout, mistakes on stderr.
    Saida s = Shell("{ " + std::string(RPT_BIN_DIR) + "/rpt " + c.args +
                    (c.codigo == 0 ? " 2>/dev/null; }" : " 2>&1 >/dev/null; }"));
    EXPECT_EQ(s.Codigo, c.codigo) << c.args << "\n" << s.Texto;
    EXPECT_NE(s.Texto.find(c.trecho), std::string::npos) << c.args << "\n" << s.Texto;
    for (const char* ingles : {"Usage", "OPTIONS", "Options", "REQUIRED", "required", "expected", "Expected"})
      EXPECT_EQ(s.Texto.find(ingles), std::string::npos) << c.args << "\n" << s.Texto;
    if (c.codigo != 0 && !c.args.empty()) {
      EXPECT_EQ(s.Texto.find('\n'), s.Texto.size() - 1) << "one line: " << c.args << "\n" << s.Texto;
    }
  }
  EXPECT_FALSE(fs::exists(demo));
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_TRUE(std::regex_match(Rpt("--version").Texto, std::regex("rpt [0-9]+\\.[0-9]+\\.[0-9]+\n")));
}

TEST_F(Cli, AFailedWriteOfTheOutputIsAFailure) {
  Saida s = Shell("sh -c '" + std::string(RPT_BIN_DIR) + "/rpt list --plugins " + RPT_TEST_PLUGIN_DIR + " >/dev/full'");
  EXPECT_EQ(s.Codigo, 1) << s.Texto;
  EXPECT_NE(s.Texto.find("não foi possível escrever a saída"), std::string::npos) << s.Texto;
}

// Portuguese folder names, whatever the locale of the environment.
TEST_F(Cli, AccentedDatabasePathOpensInAnyLocale) {
  const fs::path dir = pasta / "Área de Trabalho";
  fs::create_directories(dir);
  fs::copy_file(banco->Arquivo(), dir / "relatório.fdb");
  for (const std::string ambiente : {"LANG= LC_ALL=C", "LC_ALL=C.UTF-8"}) {
    Saida s = Shell("env " + ambiente + " " + std::string(RPT_BIN_DIR) + "/rpt " +
                    "run RptTeste --plugins " + RPT_TEST_PLUGIN_DIR + " --param pModo=banco --db '" +
                    (dir / "relatório.fdb").string() + "' --out '" + (dir / "relatório.pdf").string() + "'");
    EXPECT_EQ(s.Codigo, 0) << ambiente << "\n" << s.Texto;
    EXPECT_TRUE(fs::exists(dir / "relatório.pdf"));
  }
}

TEST_F(Cli, ADatabaseWithoutOurTablesIsNamedAsSuch) {
  const fs::path outro = pasta / "outro.fdb";
  TnDMConexao::CriarBanco(outro.string());
  Saida s = Rpt("run RptTeste --plugins " + std::string(RPT_TEST_PLUGIN_DIR) + " --db " + outro.string());
  EXPECT_EQ(s.Codigo, 1) << s.Texto;
  EXPECT_NE(s.Texto.find("'" + outro.string() + "' não é um banco deste sistema: falta a tabela PESSOAFINANCEIRO."),
            std::string::npos)
      << s.Texto;
}

// A server that takes the connection and never answers, reached with a password on the command line.
TEST_F(Cli, SilentServerIsGivenUpAfterTheTimeout) {
  const int escuta = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in endereco{};
  endereco.sin_family = AF_INET;
  endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(escuta, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco), 0);
  ASSERT_EQ(listen(escuta, 4), 0);
  socklen_t tamanho = sizeof endereco;
  getsockname(escuta, reinterpret_cast<sockaddr*>(&endereco), &tamanho);
  const std::string db = "127.0.0.1/" + std::to_string(ntohs(endereco.sin_port)) + ":/dados/x.fdb";
  const fs::path erros = pasta / "servidor-mudo.txt";
  const auto inicio = std::chrono::steady_clock::now();
  const pid_t pid = Iniciar({"run", "RptTeste", "--plugins", RPT_TEST_PLUGIN_DIR, "--db", db, "--timeout", "2",
                             "--password", "segredo"},
                            erros);
  // While it waits, the password is not in the process list.
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  const std::string linhaDeComando = Ler("/proc/" + std::to_string(pid) + "/cmdline");
  EXPECT_NE(linhaDeComando.find("--password"), std::string::npos);
  EXPECT_EQ(linhaDeComando.find("segredo"), std::string::npos);
  EXPECT_EQ(Esperar(pid), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(20));
  EXPECT_EQ(Ler(erros), "Erro: O servidor de '" + db + "' não respondeu em 2 s (veja --timeout).\n");
  close(escuta);
}

// One rule for every plug-in: a blank date or choice is refused by the form, naming it.
TEST_F(Cli, EveryPluginRefusesABlankDateOrChoiceNamingIt) {
  const Saida lista = Rpt("list");
  int verificados = 0;
  std::istringstream linhas(lista.Texto);
  for (std::string linha; std::getline(linhas, linha);) {
    const std::string plugin = linha.substr(0, linha.find('\t'));
    std::istringstream campos(Rpt("describe " + plugin).Texto);
    for (std::string campo; std::getline(campos, campo);) {
      const bool data = campo.find("  (data ") != std::string::npos, escolha = campo.find("  (escolha)") != std::string::npos;
      if (campo.rfind("  p", 0) != 0 || !(data || escolha)) continue;
      const std::string nome = campo.substr(2, campo.find(' ', 2) - 2);
      const fs::path pdf = pasta / (plugin + ".pdf");
      Saida s = Rpt("run " + plugin + " --db " + banco->Arquivo() + " --param " + nome + "= --out " + pdf.string());
      EXPECT_EQ(s.Codigo, 2) << plugin << " " << nome << "\n" << s.Texto;
      EXPECT_EQ(s.Texto.rfind(nome + ": " + (data ? "informe uma data" : "escolha uma opção"), 0), 0u) << s.Texto;
      EXPECT_FALSE(fs::exists(pdf));
      ++verificados;
    }
  }
  EXPECT_GT(verificados, 10);
  // The payments report's reversed period, refused by the form on its end date.
  Saida s = Rpt("run RptPayments --db " + banco->Arquivo() +
                " --param pDataInicial=01/02/2026 --param pDataFinal=31/01/2026 --param pOrdenar=0");
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_EQ(s.Texto, "pDataFinal: A data inicial não pode ser maior que a data final.\n");
}

}  // namespace
