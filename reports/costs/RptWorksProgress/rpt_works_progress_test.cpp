// Works progress through the real host path on small fixtures in an embedded database.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "grafico_obra.h"
#include "host/core/datas.h"
#include "host/render/picture.h"
#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

// A 4x3 PNG, as the works photos are stored.
const char* const kFotoPng =
    "89504E470D0A1A0A0000000D49484452000000040000000308020000003B9639910000001049444154789C633851A101470C3839"
    "0050C610E1AA38AF7F0000000049454E44AE426082";

constexpr TColor kVerde = 0x8000, kLaranja = 0x80FF, kVermelho = 0xFF;

// What one print left: the trace and the page model.
struct TSaida {
  TnRastro Rastro;
  std::vector<TPagina> Paginas;

  std::vector<const TElementoGrafico*> Graficos() const {
    std::vector<const TElementoGrafico*> g;
    for (const auto& p : Paginas)
      for (const auto& e : p.Elementos)
        if (auto* x = std::get_if<TElementoGrafico>(&e)) g.push_back(x);
    return g;
  }
  int PaginaDe(const TElementoGrafico* g) const {
    for (const auto& p : Paginas)
      for (const auto& e : p.Elementos)
        if (std::get_if<TElementoGrafico>(&e) == g) return p.Numero;
    return 0;
  }
  // Per printed photo row, which of its four slots hold a decoded picture.
  std::vector<std::vector<bool>> LinhasDeFotos() const {
    std::vector<std::vector<bool>> linhas;
    for (const auto& p : Paginas) {
      std::vector<bool> atual;
      for (const auto& e : p.Elementos)
        if (auto* i = std::get_if<TElementoImagem>(&e)) {
          atual.push_back(i->Imagem && i->Imagem->Valida());
          if (atual.size() == 4) linhas.push_back(std::exchange(atual, {}));
        }
    }
    return linhas;
  }
  // The value a section-1 label showed on each page.
  std::vector<std::string> Cabecalhos(const std::string& valor) const {
    std::vector<std::string> v;
    for (const auto& s : Rastro.Secoes)
      if (s.Secao == 1) v.push_back(s.Valor(valor));
    return v;
  }
  std::vector<int> Secoes() const { return Rastro.NumerosSecoes(); }
};

std::vector<std::string> Rotulos(const TElementoGrafico* g) {
  std::vector<std::string> r;
  for (const auto& p : g->Grafico->Series(0)->Pontos()) r.push_back(p.Rotulo);
  return r;
}

struct WorksProgress : ::testing::Test {
  WorksProgress() {
    Executar("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, INSCFEDERAL) values (1, :v1, :v2)",
             {"Construtora Horizonte Ltda", "12.345.678/0001-90"});
    Executar("insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 3, :v1)",
             {"Residencial Aurora"});
    Executar("insert into EMPREENDIMENTO (CODIGOESCRIT, CODIGOEMPREEND, NOMEEMPRE) values (1, 4, :v1)",
             {"Parque das Flores"});
  }

  void Executar(const std::string& sql, const std::vector<TValor>& valores = {}) {
    banco.Conexao().Executar(sql, valores);
  }
  void Obra(int obra, int empreend, const std::string& descricao, TValor inicio = TValor::Data(EncodeDate(2025, 2, 1)),
            TValor fim = TValor::Data(EncodeDate(2026, 6, 30))) {
    Executar("insert into OBRA (CODIGOESCRIT, CODIGOOBRA, DESCROBRA, CODIGOEMPREEND, DATAPREVINICIO, DATAPREVFIM) "
             "values (1, :v1, :v2, :v3, :v4, :v5)",
             {obra, descricao, empreend, inicio, fim});
  }
  void Fase(int obra, int fase, const std::string& classificacao, const std::string& descricao, int tipo,
            double participacao, double conclusao) {
    Executar("insert into OBRAFASE (CODIGOESCRIT, CODIGOOBRA, CODIGOFASE, CLASSIFICACAO, DESCRICAO, TIPO, "
             "DATAINICIOPREV, DATAFIMPREV, DATAINICIOEXEC, PERCENTPARTICIPACAO, PERCENTCONCLUSAO) "
             "values (1, :v1, :v2, :v3, :v4, :v5, :v6, :v7, :v8, :v9, :v10)",
             {obra, fase, classificacao, descricao, tipo, TValor::Data(EncodeDate(2025, 3, fase % 28 + 1)),
              TValor::Data(EncodeDate(2025, 9, 30)), TValor::Data(EncodeDate(2025, 4, 7)), participacao,
              conclusao});
  }
  // The whole-works phase "00" and n phases of small participation.
  void ObraComFases(int obra, int fases) {
    Obra(obra, 3, "Obra " + std::to_string(obra));
    Fase(obra, 1, "00", "Obra completa", 1, 100, 40);
    for (int i = 1; i <= fases; ++i) {
      const std::string c = (i < 10 ? "0" : "") + std::to_string(i);
      Fase(obra, i + 1, c, "Fase " + c, 1, 2, 50);
    }
  }
  void Fotos(int obra, int quantas) {
    for (int i = 1; i <= quantas; ++i)
      Executar("insert into OBRAFASEFOTO (CODIGOESCRIT, CODIGOOBRA, CODIGOFASE, CODIGOFOTO, FOTOPEQUENA) values (1, " +
               std::to_string(obra) + ", 1, " + std::to_string(i) + ", x'" + kFotoPng + "')");
  }
  // Works 10: the whole works, two phases and two sub-phases of "02".
  void ObraAurora() {
    Obra(10, 3, "Edifício Aurora");
    Fase(10, 1, "00", "Obra completa", 1, 100, 45);
    Fase(10, 2, "01", "Fundação", 1, 40, 100);
    Fase(10, 3, "02", "Estrutura", 1, 60, 8.5);
    Fase(10, 4, "02.01", "Formas", 2, 50, 30);
    Fase(10, 5, "02.02", "Armação", 2, 50, 100);
  }

  // As the host prints, keeping the pages in memory.
  TSaida Imprimir(const TParametros& parametros) {
    TImpressaoEmMemoria m = ImprimirEmMemoria(parametros);
    return {std::move(m.Rastro), std::move(m.Paginas)};
  }

  TBancoTeste banco{true};
};

TEST_F(WorksProgress, PrintModesChooseThePhaseListTheChartOrBoth) {
  ObraAurora();
  const struct {
    const char* Modo;
    std::vector<int> Secoes;
  } casos[] = {
      {"0", {11, 8, 8, 9, 10, 9, 10}},
      {"1", {12}},
      {"2", {11, 8, 8, 9, 10, 9, 10, 12}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Modo);
    const TnResultadoImpressao r = ImprimirComRastro({{"pImprimir", c.Modo}});
    EXPECT_EQ(r.Paginas, 1);
    EXPECT_EQ(r.Rastro.NumerosSecoes(), c.Secoes);
  }
}

TEST_F(WorksProgress, PhaseLinesAndHeaderShowTheWorksValues) {
  ObraAurora();
  Obra(20, 4, "");  // no description, no dates
  Executar("update OBRA set DATAPREVINICIO = null, DATAPREVFIM = null where CODIGOOBRA = 20");
  Fase(20, 1, "00", "Obra completa", 1, 100, 0);
  const TSaida s = Imprimir({{"pImprimir", "0"}});
  const auto& secoes = s.Rastro.Secoes;
  EXPECT_EQ(s.Cabecalhos("pDescrEscrit"), (std::vector<std::string>{"Construtora Horizonte Ltda", "Construtora Horizonte Ltda"}));
  EXPECT_EQ(s.Cabecalhos("pInscrFedEscrit")[0], "12.345.678/0001-90");
  EXPECT_EQ(s.Cabecalhos("pDescrObra"),
            (std::vector<std::string>{"10 - Edifício Aurora de 01/02/2025 a 30/06/2026", "20"}));
  EXPECT_EQ(s.Cabecalhos("pDescrEmpreend"), (std::vector<std::string>{"3 - Residencial Aurora", "4 - Parque das Flores"}));

  ASSERT_EQ(secoes[1].Secao, 11);
  EXPECT_EQ(secoes[1].Valor("R1"), "00 Obra completa");
  EXPECT_EQ(secoes[1].Valor("R6"), "100,00");
  ASSERT_EQ(secoes[3].Secao, 8);
  const std::vector<std::pair<std::string, std::string>> fase{
      {"R1", "02 Estrutura"}, {"R2", "04/03/2025"}, {"R3", "30/09/2025"}, {"R4", "07/04/2025"},
      {"R5", ""},             {"R6", "60,00"},      {"R7", "8,50"}};
  for (const auto& [nome, texto] : fase) EXPECT_EQ(secoes[3].Valor(nome), texto) << nome;
  ASSERT_EQ(secoes[4].Secao, 9);
  EXPECT_EQ(secoes[4].Valor("R1"), "02.01 Formas");
  ASSERT_EQ(secoes[5].Secao, 10);
  EXPECT_EQ(secoes[5].Valor("R2"), "50,00");
  EXPECT_EQ(secoes[5].Valor("R3"), "30,00");
}

TEST_F(WorksProgress, SubphasesOffLeaveThemOutOfListAndChart) {
  ObraAurora();
  const TSaida s = Imprimir({{"pImprimir", "2"}, {"pExibirSubfases", "0"}});
  EXPECT_EQ(s.Secoes(), (std::vector<int>{11, 8, 8, 12}));
  ASSERT_EQ(s.Graficos().size(), 1u);
  EXPECT_EQ(Rotulos(s.Graficos()[0]), (std::vector<std::string>{"Estrutura", "Fundação"}));
}

TEST_F(WorksProgress, ChartSkipsWholeWorksPhasesUnlessAloneAndColoursByProgress) {
  ObraAurora();
  Obra(20, 3, "Galpão");
  Fase(20, 1, "00", "Obra completa", 1, 100, 45);
  const TSaida s = Imprimir({{"pImprimir", "1"}});
  EXPECT_EQ(s.Secoes(), (std::vector<int>{12, 12}));
  const auto graficos = s.Graficos();
  ASSERT_EQ(graficos.size(), 2u);
  EXPECT_EQ(s.PaginaDe(graficos[1]), 2);  // each works on its own page

  // Last phase first; finished is green even for a sub-phase.
  const auto& pontos = graficos[0]->Grafico->Series(0)->Pontos();
  ASSERT_EQ(pontos.size(), 4u);
  const std::vector<std::tuple<std::string, double, TColor>> esperados{
      {"Armação", 100, kVerde}, {"Formas", 30, kLaranja}, {"Estrutura", 8.5, kVermelho}, {"Fundação", 100, kVerde}};
  for (size_t i = 0; i < pontos.size(); ++i) {
    EXPECT_EQ(pontos[i].Rotulo, std::get<0>(esperados[i]));
    EXPECT_DOUBLE_EQ(pontos[i].Valor, std::get<1>(esperados[i]));
    EXPECT_EQ(pontos[i].Cor, std::get<2>(esperados[i])) << pontos[i].Rotulo;
  }
  // A lone phase of participation 100 is still charted, and nothing of the first works is left.
  EXPECT_EQ(Rotulos(graficos[1]), (std::vector<std::string>{"Obra completa"}));
}

TEST(GraficoObra, NeededHeightGrowsPast22EntriesUpToTheCap) {
  const std::pair<int, double> casos[] = {{1, 397}, {22, 397}, {23, 413}, {30, 525}, {46, 781}, {47, 794}, {80, 794}};
  for (const auto& [entradas, altura] : casos) EXPECT_EQ(AlturaNecessariaGrafico(entradas), altura) << entradas;
}

TEST_F(WorksProgress, ChartPast22EntriesFillsTheSectionDownToThePageLimit) {
  // Entries count the whole-works phase too, though it is not plotted.
  ObraComFases(10, 21);
  ObraComFases(20, 22);
  ObraComFases(30, 46);
  ObraComFases(40, 2);  // after a grown chart the standard size is back
  TnrwReport modelo(TnLayout::Carregar(TnPlugin::Carregar(RPT_PLUGIN_PATH)->ArquivoLayout()));
  const double alturaAoLimite = modelo.FundoImprimivel() - modelo.GetSections(12)->Top - 1;

  const TSaida s = Imprimir({{"pImprimir", "2"}});
  const auto graficos = s.Graficos();
  ASSERT_EQ(graficos.size(), 4u);
  const double alturas[] = {397, alturaAoLimite, alturaAoLimite, 397};
  const size_t pontos[] = {21, 22, 46, 2};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(graficos[i]->Area.Altura, alturas[i]);
    EXPECT_EQ(graficos[i]->Grafico->Series(0)->Pontos().size(), pontos[i]);
    EXPECT_LE(graficos[i]->Area.Y + graficos[i]->Area.Altura, modelo.FundoImprimivel());
  }
  // The grown charts need more room than their phase pages leave: each moves to a page of its own.
  EXPECT_EQ(s.PaginaDe(graficos[0]), 1);
  EXPECT_EQ(s.PaginaDe(graficos[1]), 3);
  EXPECT_EQ(s.PaginaDe(graficos[2]), 5);
  EXPECT_EQ(s.PaginaDe(graficos[3]), 6);
}

TEST_F(WorksProgress, PageThatContinuesAWorksShowsThatWorksInItsHeader) {
  ObraComFases(10, 22);
  ObraComFases(20, 2);
  const TSaida s = Imprimir({{"pImprimir", "2"}});
  EXPECT_EQ(s.Cabecalhos("pDescrObra"), (std::vector<std::string>{"10 - Obra 10 de 01/02/2025 a 30/06/2026",
                                                                  "10 - Obra 10 de 01/02/2025 a 30/06/2026",
                                                                  "20 - Obra 20 de 01/02/2025 a 30/06/2026"}));
}

TEST_F(WorksProgress, PhotosPrintFourToARow) {
  ObraComFases(10, 1);
  ObraComFases(20, 1);
  ObraComFases(30, 1);
  Fotos(10, 4);
  Fotos(20, 5);
  const bool s = true, n = false;
  const struct {
    const char* Nome;
    TParametros Parametros;
    std::vector<int> Secoes;
    std::vector<std::vector<bool>> Linhas;
  } casos[] = {
      // Report only: the form turns photos on.
      {"relatorio", {{"pImprimir", "0"}}, {11, 8, 13, 11, 8, 13, 13, 11, 8}, {{s, s, s, s}, {s, s, s, s}, {s, n, n, n}}},
      // Report and chart (the layout's mode) with photos: they come before the chart.
      {"relatorio e grafico", {{"pExibirFoto", "1"}},
       {11, 8, 13, 12, 11, 8, 13, 13, 12, 11, 8, 12},
       {{s, s, s, s}, {s, s, s, s}, {s, n, n, n}}},
      {"sem fotos", {{"pImprimir", "2"}}, {11, 8, 12, 11, 8, 12, 11, 8, 12}, {}},
      {"uma obra", {{"pImprimir", "0"}, {"pCodigoObra", "20"}}, {11, 8, 13, 13}, {{s, s, s, s}, {s, n, n, n}}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.Nome);
    const TSaida saida = Imprimir(c.Parametros);
    EXPECT_EQ(saida.Secoes(), c.Secoes);
    EXPECT_EQ(saida.LinhasDeFotos(), c.Linhas);
  }
}

TEST_F(WorksProgress, SelectionsOfDevelopmentsAndWorks) {
  ObraComFases(10, 1);
  Obra(20, 4, "Casa 20");
  Fase(20, 1, "00", "Obra completa", 1, 100, 10);
  Obra(30, 4, "Casa 30");
  Fase(30, 1, "00", "Obra completa", 1, 100, 10);
  const struct {
    TParametros Parametros;
    std::vector<std::string> Obras;
  } casos[] = {
      {{{"pCodigoEmpreend", "4"}}, {"20 - Casa 20", "30 - Casa 30"}},
      {{{"pCodigoObra", "10,30"}}, {"10 - Obra 10", "30 - Casa 30"}},
      {{{"pCodigoEmpreend", "4"}, {"pCodigoObra", "5-25"}}, {"20 - Casa 20"}},
      {{{"pCodigoObra", "99"}}, {}},
  };
  for (const auto& c : casos) {
    TParametros p = c.Parametros;
    p.emplace_back("pImprimir", "0");
    const TSaida s = Imprimir(p);
    std::vector<std::string> obras;
    for (const auto& d : s.Cabecalhos("pDescrObra")) obras.push_back(d.substr(0, d.find(" de ")));
    EXPECT_EQ(obras, c.Obras) << c.Parametros[0].second;
    EXPECT_EQ(s.Rastro.Paginas, static_cast<int>(c.Obras.size()));
  }
}

TEST_F(WorksProgress, SameWorksCodeInAnotherDevelopmentStartsANewGroup) {
  // Works are keyed by company and code; a database without that key can hold one code twice.
  banco.Script("alter table OBRA drop constraint PK_OBRA;");
  Obra(10, 3, "Torre");
  Obra(10, 4, "Torre");
  Fase(10, 1, "00", "Obra completa", 1, 100, 10);
  const TSaida s = Imprimir({{"pImprimir", "2"}});
  EXPECT_EQ(s.Secoes(), (std::vector<int>{11, 12, 11, 12}));
  const auto empreend = s.Cabecalhos("pDescrEmpreend");
  EXPECT_EQ(std::set<std::string>(empreend.begin(), empreend.end()),
            (std::set<std::string>{"3 - Residencial Aurora", "4 - Parque das Flores"}));
}

TEST_F(WorksProgress, FormHidesAndForcesThePhotoSwitchByPrintMode) {
  auto plugin = TnPlugin::Carregar(RPT_PLUGIN_PATH);
  TnrwReport report(TnLayout::Carregar(plugin->ArquivoLayout()));
  auto* params = TnpqPowerQuery::GetParams(&report);
  auto* foto = params->Param("pExibirFoto");

  // Report only at configuration: the switch stays as it is.
  params->SetValues("pImprimir", "0");
  params->SetValues("pExibirFoto", "1");
  {
    auto objeto = plugin->ClassDll()->Create(&report);
    TnFormParametros form(&report, objeto.get());
    objeto->DepoisConfigurar(&form);
    EXPECT_FALSE(params->Param("pCodigoEscrit")->Visivel);
    EXPECT_TRUE(foto->Visivel);
    EXPECT_EQ(foto->GetAsString(), "1");
  }

  // Another mode at configuration hides it and turns it off; changing the mode forces it.
  params->SetValues("pImprimir", "2");
  auto objeto = plugin->ClassDll()->Create(&report);
  TnFormParametros form(&report, objeto.get());
  objeto->DepoisConfigurar(&form);
  EXPECT_FALSE(foto->Visivel);
  EXPECT_EQ(foto->GetAsString(), "0");

  const struct {
    const char* Modo;
    const char* Foto;
    bool Habilitado;
  } casos[] = {{"0", "1", true}, {"1", "0", false}, {"0", "1", true}, {"2", "0", false}};
  for (const auto& c : casos) {
    form.Preencher("pImprimir", c.Modo);
    EXPECT_EQ(foto->GetAsString(), c.Foto) << c.Modo;
    EXPECT_EQ(foto->Habilitado, c.Habilitado) << c.Modo;
    EXPECT_FALSE(foto->Visivel);
  }
  EXPECT_THROW(form.Preencher("pExibirFoto", "1"), EnParam);
}

}  // namespace
