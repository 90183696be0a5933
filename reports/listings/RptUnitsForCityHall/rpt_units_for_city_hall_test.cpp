// Units for the city hall: one block per unit of the handed-over dataset, the
// values as the dataset gives them, the bar counting the units, and a pCursor
// that designates nothing refused by name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>

#include "host/data/client_dataset.h"
#include "host/report/registro_conjuntos.h"
#include "host/report/report.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kColunas = {"Proprietario", "Quadra", "Lote", "Endereco", "Numero",
                                           "Bairro", "Complemento", "UtilizacaoImovel", "TipoImovel", "CodCadMunic",
                                           "Unidade", "AreaImovel", "ZonaFiscal", "FracaoTerreno", "TestadaTerreno"};
// The report value of each column above.
const std::vector<std::string> kValores = {"R1", "R2", "R3", "R4", "R15", "R5", "R6", "R7",
                                           "R8", "R9", "R10", "R11", "R12", "R13", "R14"};

using TLinha = std::vector<std::optional<std::string>>;  // one unit, in kColunas order; nullopt is null

TLinha Unidade(const std::string& n) {
  TLinha l;
  for (const std::string& c : kColunas) l.push_back(c + " " + n);
  return l;
}

// An in-memory units dataset with the given columns (all by default).
std::unique_ptr<TnClientDataSet> Imoveis(const std::vector<TLinha>& linhas, const std::vector<std::string>& colunas = kColunas) {
  auto ds = std::make_unique<TnClientDataSet>();
  for (const std::string& c : colunas) ds->AddFieldDef(c, ftString, 60);
  ds->CreateDataSet();
  for (const TLinha& l : linhas) {
    ds->Append();
    for (size_t i = 0; i < colunas.size(); ++i)
      if (l[i]) ds->Fields(static_cast<int>(i))->SetAsString(*l[i]);
    ds->Post();
  }
  return ds;
}

TnResultadoImpressao Imprimir(TnClientDataSet* imoveis) {
  TnPedidoImpressao pedido;
  pedido.Plugin = RPT_PLUGIN_PATH;
  pedido.ComRastro = true;
  pedido.Conjuntos.Nomeados = {{"pCursor", imoveis}};
  return ImprimirRelatorio(pedido);
}

class UnitsForCityHall : public TesteRelatorio {};

struct TCasoImoveis {
  const char* Caso;
  std::vector<TLinha> Linhas;
};

TEST_F(UnitsForCityHall, UmBlocoPorUnidadeComOsTextosDoConjunto) {
  TLinha semNumero = Unidade("2");
  semNumero[4] = "";
  TLinha comNulo = Unidade("3");
  comNulo[0] = std::nullopt;
  comNulo[11] = std::nullopt;
  const TCasoImoveis casos[] = {
      {"vazio", {}},
      {"três unidades", {Unidade("1"), Unidade("2"), Unidade("3")}},
      {"número vazio e campos nulos", {Unidade("1"), semNumero, comNulo}},
      {"textos sem retoque", {{" Ana ", "01", "007", "Rua A", "", "Centro", "", "Residencial", "Casa", "000.123",
                               "1", "0360.00", "2", "0,02500", "12.0"}}},
  };
  for (const auto& c : casos) {
    auto ds = Imoveis(c.Linhas);
    const TnResultadoImpressao r = Imprimir(ds.get());
    const auto secoes = Secoes(r, 8);
    ASSERT_EQ(secoes.size(), c.Linhas.size()) << c.Caso;
    EXPECT_EQ(r.Paginas, c.Linhas.empty() ? 0 : 1) << c.Caso;
    for (size_t i = 0; i < secoes.size(); ++i) {
      TValoresEsperados esperados;
      for (size_t k = 0; k < kValores.size(); ++k) esperados.push_back({kValores[k], c.Linhas[i][k].value_or("")});
      EXPECT_TRUE(MostraValores(secoes[i], esperados)) << c.Caso << ", unidade " << i + 1;
    }
    ASSERT_EQ(r.Rastro.Quadros.size(), 1u) << c.Caso;  // shown even when empty, then freed
    EXPECT_EQ(r.Rastro.Quadros[0].Maximo, static_cast<int>(c.Linhas.size())) << c.Caso;
    EXPECT_EQ(r.Rastro.Quadros[0].Posicao, static_cast<int>(c.Linhas.size())) << c.Caso;
    EXPECT_TRUE(r.Rastro.Quadros[0].Liberado) << c.Caso;
  }
}

// The layout's own query: the units of the development typed on the form, in unit order.
TEST_F(UnitsForCityHall, AsUnidadesDoEmpreendimentoVemDaConsultaDoLayout) {
  Sql("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME) values (10001, 'Ana Paula Conceição')");
  Sql("insert into ENDERECO (CODIGOENDERECO, LOGRADOURO, BAIRRO) values (7, 'Rua Tuim', 'Moema')");
  for (const char* imovel : {
           "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, UNIDADE, CODIGOENDERECO, NUMERO, UTILIZACAOIMOVEL,"
           " CODIGOPROPRIETARIO) values (1, 6, 10, '102', 7, '350', 1, 10001)",
           "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, UNIDADE, UTILIZACAOIMOVEL) values (1, 5, 10, '101', 4)",
           "insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, UNIDADE, UTILIZACAOIMOVEL) values (1, 9, 20, '901', 4)"})
    Sql(imovel);
  const TnResultadoImpressao r =
      ImprimirComRastro({{"pCodigoEscrit", std::to_string(semente::kEmpresa)}, {"pCodigoEmpreend", "10"}});
  EXPECT_EQ(ValoresDe(r.Rastro, 8, "R10"), (std::vector<std::string>{"101", "102"}));
  EXPECT_TRUE(MostraValores(Secoes(r, 8)[1], {{"R1", "Ana Paula Conceição"}, {"R4", "Rua Tuim"}, {"R15", "350"},
                                               {"R5", "Moema"}, {"R7", "Residencial"}}));
  EXPECT_EQ(ImprimirComRastro({{"pCodigoEmpreend", "30"}}).Paginas, 0);
}

// The fields are looked up before the first unit: nothing prints, the frame is freed.
TEST_F(UnitsForCityHall, ColunaQueFaltaParaAntesDeImprimir) {
  std::vector<std::string> semNumero = kColunas;
  semNumero.erase(semNumero.begin() + 4);
  TLinha linha = Unidade("1");
  linha.pop_back();
  auto ds = Imoveis({linha}, semNumero);
  TImpressaoDireta direta(RPT_PLUGIN_PATH, {});
  TnConjuntoRegistrado registro(ds.get());
  TnpqPowerQuery::GetParams(&direta.Report())->Param("pCursor")->SetAsString(std::to_string(registro.Handle()));
  EXPECT_THROW_MSG(direta.Imprimir(), std::runtime_error, "Campo 'Numero' não encontrado no conjunto de dados.");
  EXPECT_FALSE(direta.Report().ImprimiuAlgo());
  const auto& quadros = direta.Report().ProgressHost()->Quadros();
  ASSERT_EQ(quadros.size(), 1u);
  EXPECT_TRUE(quadros[0].Liberado);
}

// A pCursor that designates nothing is refused before any frame shows.
TEST_F(UnitsForCityHall, CursorQueNaoDesignaConjuntoERecusado) {
  for (const std::string& valor : {std::string(""), std::string("7"), std::string("140737488355328")}) {
    TImpressaoDireta direta(RPT_PLUGIN_PATH, {{"pCursor", valor}});
    try {
      direta.Imprimir();
      ADD_FAILURE() << valor << " was accepted";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.NomeParametro(), "pCursor");
      EXPECT_EQ(std::string(e.what()), "'" + valor + "' não designa um conjunto de dados aberto pelo sistema.");
    }
    EXPECT_TRUE(direta.Report().ProgressHost()->Quadros().empty()) << valor;
  }
}

// Through rpt, with the plug-in beside layouts that change what the host hands over.
class UnitsForCityHallRpt : public UnitsForCityHall {
 protected:
  void SetUp() override {
    FPasta = fs::temp_directory_path() / ("rpt-prefeitura-" + std::to_string(getpid()));
    fs::create_directories(FPasta);
    fs::copy_file(RPT_PLUGIN_PATH, FPasta / "RptUnitsForCityHall.so", fs::copy_options::overwrite_existing);
  }
  void TearDown() override { fs::remove_all(FPasta); }
  // The report's layout with its conjunto replaced (empty: none, the cursor typed on the form).
  void Layout(const std::string& conjunto) {
    std::ifstream in(fs::path(RPT_PLUGIN_PATH).replace_extension(".json"));
    std::string json((std::istreambuf_iterator<char>(in)), {});
    const std::regex consulta(R"re("conjuntos": \{[^}]*\})re");
    json = std::regex_replace(json, consulta,
                              conjunto.empty() ? std::string(R"("conjuntos": {})")
                                               : R"("conjuntos": {"pCursor": ")" + conjunto + "\"}");
    if (conjunto.empty())
      json = std::regex_replace(json, std::regex(R"re("parametros": \[)re"),
                                R"("parametros": [{"nome": "pCursor", "tipo": "inteiro"},)");
    std::ofstream(FPasta / "RptUnitsForCityHall.json") << json;
  }
  TSaidaRpt Rodar(const std::string& params) {
    return RodarRpt("run RptUnitsForCityHall --plugins " + FPasta.string() + " --db " + banco.Arquivo() + " " + params +
                    " --out " + (FPasta / "saida.pdf").string());
  }
  fs::path FPasta;
};

TEST_F(UnitsForCityHallRpt, ColunaQueFaltaSai1ComOTextoDoHospedeiro) {
  Sql("insert into IMOVEL (CODIGOESCRIT, CODIGOIMOVEL, CODIGOEMPREEND, UNIDADE, UTILIZACAOIMOVEL) values (1, 5, 10, '101', 4)");
  Layout("select Proprietario, Quadra, Lote, Endereco from VIMOVELPREFEITURA where CODIGOEMPREEND = :pCodigoEmpreend");
  const TSaidaRpt s = Rodar("--param pCodigoEmpreend=10");
  EXPECT_EQ(s.Codigo, 1) << s.Texto;
  EXPECT_NE(s.Texto.find("Erro: Campo 'Numero' não encontrado no conjunto de dados."), std::string::npos) << s.Texto;
  EXPECT_FALSE(fs::exists(FPasta / "saida.pdf"));
}

TEST_F(UnitsForCityHallRpt, CursorDigitadoSai2NomeandoOParametro) {
  Layout("");
  const TSaidaRpt s = Rodar("--param pCursor=4198400");
  EXPECT_EQ(s.Codigo, 2) << s.Texto;
  EXPECT_NE(s.Texto.find("pCursor: '4198400' não designa um conjunto de dados aberto pelo sistema."), std::string::npos)
      << s.Texto;
}

}  // namespace
