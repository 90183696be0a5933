// The server's request handling against a demo database: the form's state after each
// step, the refusals a browser can provoke, a print from start to its files, the token.
#include "host/web/servidor_web.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include <nlohmann/json.hpp>

#include "tests/testkit/banco_demo_teste.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

class TServidorNoAr {
 public:
  TServidorNoAr(const std::string& banco, const std::string& temporaria, const std::string& token = {},
                const std::string& plugins = RPT_PLUGIN_DIR, int segundosOcioso = 900) {
    TnOpcoesServidor o;
    o.SegundosOcioso = segundosOcioso;
    o.Banco = banco;
    o.PastaPlugins = plugins;
    o.Porta = 0;
    o.Token = token;
    o.PastaTemporaria = temporaria;
    FServidor = std::make_unique<TnServidorWeb>(o);
    FThread = std::thread([this] { FServidor->Atender(); });
    Cliente = std::make_unique<httplib::Client>("127.0.0.1", FServidor->Porta());
    Cliente->set_read_timeout(60, 0);
    for (int i = 0; i < 100 && !Cliente->Get("/estatico/estilo.css"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ~TServidorNoAr() {
    FServidor->Parar();
    FThread.join();
  }
  std::unique_ptr<httplib::Client> Cliente;

 private:
  std::unique_ptr<TnServidorWeb> FServidor;
  std::thread FThread;
};

json Corpo(const httplib::Result& r) { return json::parse(r->body); }

class ServidorWeb : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { FBanco = new TBancoDemoTeste(1); }
  static void TearDownTestSuite() {
    delete FBanco;
    FBanco = nullptr;
  }
  void SetUp() override {
    FTemporaria = fs::temp_directory_path() / ("rpt-serve-teste-" + std::to_string(getpid()));
    fs::create_directories(FTemporaria);
    FServidor = std::make_unique<TServidorNoAr>(FBanco->Conexao().Banco(), FTemporaria.string(), "", Plugins());
  }
  virtual std::string Plugins() const { return RPT_PLUGIN_DIR; }
  void TearDown() override {
    FServidor.reset();
    EXPECT_TRUE(fs::is_empty(FTemporaria)) << "o servidor deixou arquivos temporários";
    fs::remove_all(FTemporaria);
  }
  httplib::Client& C() { return *FServidor->Cliente; }

  std::string AbrirFormulario(const std::string& plugin) {
    auto r = C().Post("/api/formularios", json{{"plugin", plugin}}.dump(), "application/json");
    EXPECT_EQ(r->status, 201) << r->body;
    return Corpo(r)["id"];
  }
  httplib::Result Passo(const std::string& id, const std::string& campo, const json& corpo) {
    return C().Post("/api/formularios/" + id + "/campos/" + campo, corpo.dump(), "application/json");
  }
  static json Campo(const json& resposta, const std::string& nome) {
    for (const auto& c : resposta["campos"])
      if (c["nome"] == nome) return c;
    return {};
  }
  std::string Imprimir(const std::string& id, const json& valores) {
    auto r = C().Post("/api/formularios/" + id + "/impressao", json{{"valores", valores}}.dump(), "application/json");
    EXPECT_EQ(r->status, 202) << r->body;
    return Corpo(r).value("impressao", "");
  }
  json EsperarImpressao(const std::string& id) {
    for (int i = 0; i < 600; ++i) {
      auto r = C().Get("/api/impressoes/" + id);
      const json s = Corpo(r);
      if (s["estado"] != "executando") return s;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
  }

  static inline TBancoDemoTeste* FBanco = nullptr;
  fs::path FTemporaria;
  std::unique_ptr<TServidorNoAr> FServidor;
};

TEST_F(ServidorWeb, CampoAlteradoPassaPelosGanchosDoRelatorio) {
  const std::string id = AbrirFormulario("RptInputsByDevelopment");
  auto r = Passo(id, "pTipoRelatorio", {{"evento", "alterar"}, {"valor", "1"}});
  ASSERT_EQ(r->status, 200) << r->body;
  EXPECT_EQ(Campo(Corpo(r), "pTipoRelatorio")["valor"], "1");
  EXPECT_EQ(Campo(Corpo(r), "pDetalharFornecedor")["habilitado"], false);
  EXPECT_EQ(Campo(Corpo(r), "pCodigoPessoaFinFornec")["habilitado"], false);
  r = Passo(id, "pTipoRelatorio", {{"evento", "alterar"}, {"valor", "0"}});
  EXPECT_EQ(Campo(Corpo(r), "pDetalharFornecedor")["habilitado"], true);
  EXPECT_EQ(Campo(Corpo(r), "pCodigoPessoaFinFornec")["habilitado"], true);
  EXPECT_EQ(Passo(id, "pTipoRelatorio", {{"evento", "sair"}})->status, 200);
}

TEST_F(ServidorWeb, ValorRecusadoVoltaNoSeuCampo) {
  const std::string id = AbrirFormulario("RptPayments");
  auto r = Passo(id, "pCodigoFornecedor", {{"evento", "alterar"}, {"valor", "1) or (1=1"}});
  ASSERT_EQ(r->status, 422) << r->body;
  EXPECT_EQ(Corpo(r)["campo"], "pCodigoFornecedor");
  EXPECT_EQ(Campo(Corpo(r), "pCodigoFornecedor")["valor"], "");  // the field kept its text

  r = C().Post("/api/formularios/" + id + "/impressao",
               json{{"valores", {{"pDataInicial", "31/03/2026"}, {"pDataFinal", "01/01/2026"}}}}.dump(), "application/json");
  ASSERT_EQ(r->status, 422) << r->body;
  EXPECT_EQ(Corpo(r)["campo"], "pDataFinal");
  EXPECT_EQ(Corpo(r)["erro"], "A data inicial não pode ser maior que a data final.");
}

TEST_F(ServidorWeb, ImprimeEOfereceOPdfComNomeDoRelatorio) {
  const std::string id = AbrirFormulario("RptPayments");
  auto r = C().Post("/api/formularios/" + id + "/impressao", R"({"valores": {}})", "application/json");
  ASSERT_EQ(r->status, 202) << r->body;
  const std::string impressao = Corpo(r)["impressao"];
  const json s = EsperarImpressao(impressao);
  ASSERT_EQ(s["estado"], "pronta") << s.dump();
  ASSERT_FALSE(s["imagens"].empty());
  auto png = C().Get(s["imagens"][0].get<std::string>());
  EXPECT_EQ(png->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(png->body.substr(1, 3), "PNG");
  auto pdf = C().Get(s["arquivos"][0]["baixar"].get<std::string>());
  EXPECT_EQ(pdf->body.substr(0, 5), "%PDF-");
  // (the client decodes the %20s of filename* as it reads the header)
  EXPECT_EQ(pdf->get_header_value("Content-Disposition"),
            "attachment; filename=\"Pagamentos 01-01-2026 a 31-03-2026.pdf\"; "
            "filename*=UTF-8''Pagamentos 01-01-2026 a 31-03-2026.pdf");
  ASSERT_EQ(s["arquivos"].size(), 2u);
  EXPECT_EQ(s["arquivos"][1]["tipo"], "xlsx");
  auto xlsx = C().Get(s["arquivos"][1]["baixar"].get<std::string>());
  EXPECT_EQ(xlsx->body.substr(0, 2), "PK");
  EXPECT_EQ(xlsx->get_header_value("Content-Type"),
            "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
  EXPECT_EQ(C().Post("/api/formularios/" + id + "/liberar")->status, 204);
  EXPECT_EQ(C().Get("/api/impressoes/" + impressao)->status, 404);
  EXPECT_TRUE(fs::is_empty(*fs::directory_iterator(FTemporaria))) << "a impressão liberada deixou arquivos";
}

TEST_F(ServidorWeb, RequisicoesRuinsRecebem4xxEOServidorSegue) {
  const std::string id = AbrirFormulario("RptPayments");
  const std::string grande(10 * 1024 * 1024, 'a');
  struct TCaso {
    const char* Nome;
    std::function<httplib::Result()> Pedir;
    int Status;
  } casos[] = {
      {"relatório desconhecido", [&] { return C().Post("/api/formularios", R"({"plugin": "RptNada"})", "application/json"); }, 404},
      {"página de relatório desconhecido", [&] { return C().Get("/relatorio/RptNada"); }, 404},
      {"parâmetro desconhecido", [&] { return Passo(id, "pNada", {{"evento", "alterar"}, {"valor", "1"}}); }, 400},
      {"parâmetro desconhecido na impressão",
       [&] { return C().Post("/api/formularios/" + id + "/impressao", R"({"valores": {"pNada": "1"}})", "application/json"); }, 400},
      {"formulário desconhecido", [&] { return Passo("00ff", "pDataFinal", {{"evento", "sair"}}); }, 404},
      {"corpo de 10 MB", [&] { return C().Post("/api/formularios", grande, "application/json"); }, 413},
      {"UTF-8 inválido", [&] { return C().Post("/api/formularios", "{\"plugin\": \"Rpt\xff\"}", "application/json"); }, 400},
      {"JSON inválido", [&] { return Passo(id, "pDataFinal", json("nada")); }, 400},
      {"outro nome de host", [&] { return C().Get("/", {{"Host", "exemplo.com.br:8080"}}); }, 403},
  };
  for (const TCaso& c : casos) {
    auto r = c.Pedir();
    ASSERT_TRUE(r) << c.Nome;
    EXPECT_EQ(r->status, c.Status) << c.Nome << ": " << r->body;
    const bool json = r->get_header_value("Content-Type").find("json") != std::string::npos;
    EXPECT_FALSE((json ? Corpo(r).value("erro", "") : r->body).empty()) << c.Nome << ": sem mensagem";
    EXPECT_EQ(C().Get("/")->status, 200) << "depois de " << c.Nome;
  }
}

// The test plug-in: a print that fails, one that matches nothing, one that waits on a query.
class ServidorWebComPluginDeTeste : public ServidorWeb {
 protected:
  std::string Plugins() const override { return RPT_TEST_PLUGIN_DIR; }
};

TEST_F(ServidorWebComPluginDeTeste, FalhaENadaAImprimirViramMensagens) {
  const std::string id = AbrirFormulario("RptTeste");
  json s = EsperarImpressao(Imprimir(id, {{"pModo", "erro"}}));
  EXPECT_EQ(s["estado"], "erro");
  EXPECT_EQ(s["mensagem"], "Não foi possível imprimir o relatório. O motivo ficou no registro do servidor.");
  EXPECT_FALSE(s.contains("campo"));
  s = EsperarImpressao(Imprimir(id, {{"pModo", "vazio"}}));
  EXPECT_EQ(s["estado"], "vazia");
  EXPECT_EQ(s["mensagem"], "Nada a imprimir: nenhum dado atende aos parâmetros informados.");
  EXPECT_TRUE(s["arquivos"].empty());
}

TEST_F(ServidorWebComPluginDeTeste, CancelarParaAConsultaENadaFica) {
  const std::string id = AbrirFormulario("RptTeste");
  const std::string impressao = Imprimir(id, {{"pModo", "lento"}});
  std::this_thread::sleep_for(std::chrono::milliseconds(800));  // attached, the query under way
  ASSERT_EQ(Corpo(C().Get("/api/impressoes/" + impressao))["estado"], "executando");
  EXPECT_EQ(C().Get("/")->status, 200);  // the server answers meanwhile
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_EQ(C().Post("/api/impressoes/" + impressao + "/cancelar")->status, 204);
  const json s = EsperarImpressao(impressao);
  EXPECT_EQ(s["estado"], "cancelada");
  EXPECT_EQ(s["mensagem"], "Impressão cancelada.");
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(5));
  EXPECT_TRUE(fs::is_empty(*fs::directory_iterator(FTemporaria))) << "a impressão cancelada deixou arquivos";
}

TEST(ServidorWebOcioso, FormularioSemUsoELiberadoComSuaImpressao) {
  TBancoDemoTeste banco(1);
  const fs::path temporaria = fs::temp_directory_path() / ("rpt-serve-ocioso-" + std::to_string(getpid()));
  fs::create_directories(temporaria);
  {
    TServidorNoAr s(banco.Conexao().Banco(), temporaria.string(), "", RPT_PLUGIN_DIR, 1);
    auto r = s.Cliente->Post("/api/formularios", R"({"plugin": "RptPayments"})", "application/json");
    const std::string id = Corpo(r)["id"];
    r = s.Cliente->Post("/api/formularios/" + id + "/impressao", "{}", "application/json");
    ASSERT_EQ(r->status, 202) << r->body;
    const std::string impressao = Corpo(r)["impressao"];
    std::this_thread::sleep_for(std::chrono::seconds(3));  // no request: a tab polling its print stays in use
    EXPECT_EQ(s.Cliente->Get("/api/impressoes/" + impressao)->status, 404);
    EXPECT_EQ(s.Cliente->Post("/api/formularios/" + id + "/campos/pDataFinal", R"({"evento": "sair"})",
                              "application/json")->status, 404);
    EXPECT_TRUE(fs::is_empty(*fs::directory_iterator(temporaria)));
  }
  EXPECT_TRUE(fs::is_empty(temporaria));
  fs::remove_all(temporaria);
}

TEST(ServidorWebToken, ExigidoEmTodaRequisicao) {
  TBancoDemoTeste banco(1);
  const fs::path temporaria = fs::temp_directory_path() / ("rpt-serve-token-" + std::to_string(getpid()));
  fs::create_directories(temporaria);
  {
    TServidorNoAr s(banco.Conexao().Banco(), temporaria.string(), "segredo");
    EXPECT_EQ(s.Cliente->Get("/")->status, 401);
    EXPECT_EQ(s.Cliente->Post("/api/formularios", R"({"plugin": "RptPayments"})", "application/json")->status, 401);
    EXPECT_EQ(s.Cliente->Get("/", {{"X-Rpt-Token", "errado"}})->status, 401);
    EXPECT_EQ(s.Cliente->Get("/", {{"X-Rpt-Token", "segredo"}})->status, 200);
    auto r = s.Cliente->Get("/?token=segredo");
    EXPECT_EQ(r->status, 303);
    EXPECT_EQ(r->get_header_value("Location"), "/");
    EXPECT_NE(r->get_header_value("Set-Cookie").find("rpt_token=segredo"), std::string::npos);
    EXPECT_EQ(s.Cliente->Get("/", {{"Cookie", "outro=1; rpt_token=segredo"}})->status, 200);
  }
  fs::remove_all(temporaria);

  TnOpcoesServidor o;
  o.Banco = banco.Conexao().Banco();
  o.Endereco = "0.0.0.0";
  EXPECT_THROW(TnServidorWeb{o}, EnOpcao);
}

}  // namespace
