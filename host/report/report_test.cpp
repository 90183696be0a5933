#include "host/report/report.h"

#include <gtest/gtest.h>

#include <optional>

#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "tests/testkit/paginas_memoria.h"

namespace {

// Header 40 + footer 18 + margins 76 leave 989 units of body on an A4 portrait page.
const char* kLayout = R"({
  "relatorio": "Teste do motor",
  "parametros": [{"nome": "pGrupo", "tipo": "inteiro", "padrao": "0"}],
  "secoes": [
    {"numero": 1, "altura": 40, "elementos": [
      {"tipo": "rotulo", "x": 0, "y": 0, "largura": 300, "altura": 16, "valor": "pTitulo"},
      {"tipo": "rotulo", "x": 518, "y": 0, "largura": 200, "altura": 16, "sistema": "pagina"}]},
    {"numero": 8, "altura": 20, "elementos": [
      {"tipo": "rotulo", "x": 0, "y": 0, "largura": 200, "altura": 16, "texto": "Cabeçalho de colunas"}]},
    {"numero": 9, "altura": 100, "elementos": [
      {"tipo": "rotulo", "nome": "lblR1", "x": 0, "y": 0, "largura": 200, "altura": 16, "valor": "R1"},
      {"tipo": "rotulo", "nome": "lblR2", "x": 300, "y": 0, "largura": 100, "altura": 16, "valor": "R2"}]},
    {"numero": 10, "altura": 30, "elementos": []},
    {"numero": 12, "altura": 398, "elementos": [
      {"tipo": "grafico", "nome": "Grafico", "x": 0, "y": 0, "largura": 700, "altura": 397}]}
  ]})";

class TRelatorioMotor : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  std::vector<int> CriarListaSectionsParaZebrar() override { return {9}; }
  void InstalarCabecalho() { Report->OnAfterSection = TnEventoSecao(this, &TRelatorioMotor::DepoisSecao); }
  int SecaoCabecalho = 8;
  int Chamadas = 0;

 private:
  void DepoisSecao(TObject*, int secao) {
    ++Chamadas;
    if (secao == 1) RepPrintSection(SecaoCabecalho);
  }
};

struct Motor : ::testing::Test {
  Motor() : report(TnLayout::DeTexto(kLayout, "teste.json")) {
    report.DefinirDestino(&paginas);
    report.DefinirRastro(true);
  }
  std::vector<int> Secoes() const { return report.Rastro().NumerosSecoes(false); }
  TPaginasMemoria paginas;
  TnrwReport report;
};

TEST_F(Motor, HeaderOnEveryPageWithHeadingAfterItAndOverflow) {
  TRelatorioMotor rel(&report);
  rel.InstalarCabecalho();
  for (int i = 0; i < 10; ++i) rel.RepPrintSection(9);  // 9 x 100 fit under header + heading, the 10th not
  EXPECT_EQ(report.Finalizar(), 2);
  EXPECT_EQ(Secoes(), (std::vector<int>{1, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 1, 8, 9}));
  EXPECT_EQ(report.Rastro().Secoes.back().Pagina, 2);
  ASSERT_EQ(paginas.Paginas.size(), 2u);
  EXPECT_EQ(paginas.Total, 2);
  // Page numbers wait for the total: the renderer fills the marker.
  EXPECT_NE(paginas.Texto(1, std::string("Página 2 de ") + kMarcaTotalPaginas), nullptr);
}

// The page number shows once a page: in the page header when its layout has one there,
// otherwise in the standard footer beside the print date.
TEST(Rodape, PageNumberOnlyInTheFooterWhenTheHeaderHasNone) {
  const struct {
    const char* cabecalho;
    double yPagina;  // where the one page-number text sits
  } casos[] = {
      {R"({"tipo": "rotulo", "x": 518, "y": 0, "largura": 200, "altura": 16, "sistema": "pagina"})", 38},
      {R"({"tipo": "rotulo", "x": 0, "y": 0, "largura": 200, "altura": 16, "texto": "Sem número"})", 1123 - 38 - 18 + 4},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.cabecalho);
    TnrwReport report(TnLayout::DeTexto(std::string(R"({"relatorio": "Rodapé", "secoes": [
        {"numero": 1, "altura": 40, "elementos": [)") + c.cabecalho + R"(]},
        {"numero": 8, "altura": 20, "elementos": []}]})", "rodape.json"));
    TPaginasMemoria paginas;
    report.DefinirDestino(&paginas);
    TRelatorioMotor rel(&report);
    rel.RepPrintSection(8);
    report.Finalizar();
    ASSERT_EQ(paginas.Paginas.size(), 1u);
    std::vector<double> numeros;
    int datas = 0;
    for (const auto& e : paginas.Paginas[0].Elementos)
      if (const auto* t = std::get_if<TElementoTexto>(&e)) {
        if (t->Texto.rfind("Página ", 0) == 0) numeros.push_back(t->Area.Y);
        if (t->Texto.rfind("Impresso em ", 0) == 0) ++datas;
      }
    EXPECT_EQ(numeros, std::vector<double>{c.yPagina});
    EXPECT_EQ(datas, 1);
  }
}

TEST_F(Motor, EndOfPageNeverLeavesABlankPage) {
  TRelatorioMotor rel(&report);
  rel.RepEndOfPage(true);            // before anything printed
  rel.RepPrintSection(10);
  rel.RepEndOfPage(true);
  rel.RepEndOfPage(true);            // twice is still one break
  rel.RepPrintSection(10);
  rel.RepPrintSection(10);
  EXPECT_EQ(report.Finalizar(), 2);
  EXPECT_EQ(Secoes(), (std::vector<int>{1, 10, 1, 10, 10}));
}

TEST_F(Motor, ASectionTallerThanAPageStillPrintsOncePerPage) {
  TRelatorioMotor rel(&report);
  report.GetSections(10)->SetHeight(2000);
  rel.RepPrintSection(10);
  rel.RepPrintSection(10);
  EXPECT_EQ(report.Finalizar(), 2);
}

TEST_F(Motor, StripesAlternateOnTheSectionsOfSlotOne) {
  TRelatorioMotor rel(&report);
  for (int i = 0; i < 4; ++i) rel.RepPrintSection(9);
  rel.RepPrintSection(10);
  report.Finalizar();
  int faixas = 0;
  for (const auto& e : paginas.Paginas[0].Elementos)
    if (auto* caixa = std::get_if<TElementoCaixa>(&e); caixa && caixa->Preenchimento) ++faixas;
  EXPECT_EQ(faixas, 2);              // rows 1 and 3 of the four striped rows; section 10 never
}

// An entry on two lines keeps one shade; the stripes alternate again after it.
TEST_F(Motor, AKeptStripeCoversTheNextLineToo) {
  TRelatorioMotor rel(&report);
  rel.RepPrintSection(9);
  report.ManterFaixa();
  for (int i = 0; i < 3; ++i) rel.RepPrintSection(9);
  report.Finalizar();
  std::vector<double> faixas;
  for (const auto& e : paginas.Paginas[0].Elementos)
    if (auto* caixa = std::get_if<TElementoCaixa>(&e); caixa && caixa->Preenchimento) faixas.push_back(caixa->Area.Y);
  EXPECT_EQ(faixas, (std::vector<double>{78, 178, 378}));  // rows 1 and 2 together, 3 plain, 4 striped
}

TEST_F(Motor, LabelsMoveHideAndTurnBoldAtRunTime) {
  TRelatorioMotor rel(&report);
  auto* params = TnpqPowerQuery::GetParams(&report);
  params->SetValues("R1", "Fornecedor São José");
  params->SetValues("R2", "1.234,56");
  report.LabelByName("lblR1")->Left = 50;
  report.LabelByName("lblR1")->SetFontStyle({fsBold});
  report.LabelByName("lblR2")->Visible = false;
  rel.RepPrintSection(9);
  report.Finalizar();
  const TElementoTexto* r1 = paginas.Texto(0, "Fornecedor São José");
  ASSERT_NE(r1, nullptr);
  EXPECT_DOUBLE_EQ(r1->Area.X, 38 + 50);
  EXPECT_TRUE(r1->Fonte.Negrito);
  EXPECT_EQ(paginas.Texto(0, "1.234,56"), nullptr);
  EXPECT_EQ(report.Rastro().Secoes[1].Valor("R1"), "Fornecedor São José");
  EXPECT_THROW(report.LabelByName("naoExiste"), Exception);
  EXPECT_THROW(report.LabelByName("Grafico"), Exception);  // a chart, not a label
  EXPECT_EQ(report.FindLabel("lblR1"), report.LabelByName("lblR1"));
  EXPECT_EQ(report.FindLabel("naoExiste"), nullptr);
  EXPECT_EQ(report.FindLabel("Grafico"), nullptr);
}

TEST_F(Motor, SectionPositionsResizeSectionsOnCompile) {
  TnpqSection* s12 = report.GetSections(12);
  const double topo = s12->Top;
  EXPECT_DOUBLE_EQ(s12->GetPosition(), topo + 398);
  s12->SetPosition(report.FundoImprimivel());
  EXPECT_DOUBLE_EQ(s12->GetHeight(), 398);  // nothing moves before CompileSections
  report.CompileSections();
  EXPECT_DOUBLE_EQ(s12->GetHeight(), report.FundoImprimivel() - topo);
  EXPECT_DOUBLE_EQ(report.FundoImprimivel(), 1123 - 38 - 18);
  EXPECT_THROW(report.GetSections(99), Exception);
}

TEST_F(Motor, PrintPositionFollowsPrintedSections) {
  TRelatorioMotor rel(&report);
  EXPECT_DOUBLE_EQ(report.PosicaoAtual(), 38 + 40);
  rel.RepPrintSection(10);
  EXPECT_DOUBLE_EQ(report.PosicaoAtual(), 38 + 40 + 30);
}

TEST_F(Motor, HandlerOfADestroyedObjectIsNeverCalled) {
  {
    TRelatorioMotor formulario(&report);
    formulario.InstalarCabecalho();
    EXPECT_TRUE(static_cast<bool>(report.OnAfterSection));
  }
  EXPECT_FALSE(static_cast<bool>(report.OnAfterSection));
  TRelatorioMotor rel(&report);
  rel.RepPrintSection(10);
  EXPECT_EQ(Secoes(), (std::vector<int>{1, 10}));
}

TEST_F(Motor, PrintingObjectTakesOverTheFormHandlerAndGivesItBack) {
  TRelatorioMotor formulario(&report);
  formulario.InstalarCabecalho();
  formulario.SecaoCabecalho = 8;
  {
    TRelatorioMotor impressao(&report);
    impressao.SecaoCabecalho = 10;     // this run's own grouping
    report.AdotarEventos(&impressao);
    impressao.RepPrintSection(9);
    EXPECT_EQ(impressao.Chamadas, 3);  // 1, 10, 9
    EXPECT_EQ(formulario.Chamadas, 0);
  }
  EXPECT_EQ(report.OnAfterSection.Alvo(), &formulario);
  EXPECT_EQ(Secoes(), (std::vector<int>{1, 10, 9}));
}

TEST(Layout, ErrorsNameTheFileAndTheElement) {
  struct Caso {
    const char* json;
    const char* trecho;
  } casos[] = {
      {"{", "JSON inválido"},
      {R"({"secoes": [{"numero": 8, "altura": 10, "elementos": [{"tipo": "seta", "nome": "x", "x": 0, "y": 0, "largura": 1, "altura": 1}]}]})",
       "seção 8, elemento 'x': tipo de elemento 'seta' desconhecido"},
      {R"({"secoes": [{"numero": 8, "altura": 10, "elementos": [{"nome": "lblLonga", "x": 600, "y": 0, "largura": 200, "altura": 1}]}]})",
       "elemento 'lblLonga': passa da margem direita"},
      {R"({"secoes": [{"numero": 8, "elementos": []}]})", "seção 8: falta \"altura\""},
      {R"({"secoes": [{"numero": 8, "altura": 1}, {"numero": 8, "altura": 1}]})", "número de seção repetido"},
      {R"({"parametros": [{"nome": "pX", "tipo": "data", "padrao": "32/01/2026"}], "secoes": []})",
       "'32/01/2026' não é uma data válida"},
  };
  for (const auto& c : casos) {
    try {
      TnLayout::DeTexto(c.json, "ruim.json");
      ADD_FAILURE() << "aceitou " << c.json;
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find("Layout 'ruim.json'"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << e.what();
    }
  }
}

TEST(Parametros, ValuesAndConversions) {
  TnrwReport report(TnLayout::DeTexto(kLayout, "teste.json"));
  TnpqPowerParam* p = TnpqPowerQuery::GetParams(&report);
  EXPECT_EQ(p->Param("PGRUPO")->GetAsInteger(), 0);  // names ignore letter case
  p->SetValues("pGrupo", "x1");
  EXPECT_THROW(p->Param("pGrupo")->GetAsInteger(), EnParam);
  p->SetValues("pTitulo", "Título");       // not a parameter: a report value
  EXPECT_EQ(p->GetValues("ptitulo"), "Título");
  p->SetValues("pTitulo", "");
  EXPECT_EQ(p->GetValues("pTitulo"), "");
  EXPECT_EQ(p->GetValues("nunca"), "");
  try {
    p->Param("pGrupo")->Validar("abc");
    FAIL();
  } catch (const EnParam& e) {
    EXPECT_EQ(e.Item(), p->Param("pGrupo"));
  }
  EXPECT_THROW(p->Param("pNaoExiste"), Exception);
}

TEST(Parametros, AnErrorKeepsTheParameterNameAfterItsReportIsGone) {
  std::optional<EnParam> erro;
  {
    TnrwReport report(TnLayout::DeTexto(kLayout, "teste.json"));
    try {
      TnpqPowerQuery::GetParams(&report)->Param("pGrupo")->Validar("abc");
    } catch (const EnParam& e) {
      erro = e;
    }
  }
  ASSERT_TRUE(erro);
  EXPECT_EQ(erro->NomeParametro(), "pGrupo");
}

// A value set through a control reaches DoParamChange only while a form is open, as typing does.
TEST(Parametros, AControlSetOnAnOpenFormRaisesDoParamChange) {
  struct TContaAlteracoes : TnrwBaseDll {
    using TnrwBaseDll::TnrwBaseDll;
    void DoParamChange(TObject*, TnpqParamItem* item) override { Alterados.push_back(item->Nome() + "=" + item->GetAsString()); }
    std::vector<std::string> Alterados;
  };
  TnrwReport report(TnLayout::DeTexto(kLayout, "teste.json"));
  TContaAlteracoes objeto(&report);
  TnpqPowerParam* p = TnpqPowerQuery::GetParams(&report);
  p->EdFindFieldControl("pGrupo")->SetAsInteger(1);  // no form yet
  {
    TnFormParametros form(&report, &objeto);
    p->EdFindFieldControl("pGrupo")->SetAsInteger(2);
    p->EdFindFieldControl("pGrupo")->SetAsString("3");
  }
  p->EdFindFieldControl("pGrupo")->SetAsString("4");  // closed again
  EXPECT_EQ(objeto.Alterados, (std::vector<std::string>{"pGrupo=2", "pGrupo=3"}));
  EXPECT_EQ(p->Param("pGrupo")->GetAsString(), "4");
}

// A selection read from its parameter: the condition, or EnParam bound to that parameter.
TEST(Parametros, FiltroParametroGivesTheConditionOrEnParamOnIt) {
  TnpqParamItem item("pCodigoEmpreend", TnTipoParametro::Codigos);
  struct Caso { const char* texto; const char* esperado; } casos[] = {
      {" 1,3-4 ", " and (E.C = 1 or E.C between 3 and 4) "},
      {"", ""},
      {"  ", ""},
  };
  for (const auto& c : casos) {
    item.SetAsString(c.texto);
    EXPECT_EQ(FiltroParametro(&item, {"E.C"}), c.esperado) << c.texto;
  }
  item.SetAsString("7");
  EXPECT_EQ(FiltroParametro(&item, {"E.C", "F.C"}, {2}, false, 1), "not (E.C = '7') and not (F.C = '7') ");
  for (const char* recusado : {"1;drop", "1) or (1=1", "x"}) {
    item.SetAsString(recusado);
    try {
      FiltroParametro(&item, {"E.C"});
      ADD_FAILURE() << recusado;
    } catch (const EnParam& e) {
      EXPECT_EQ(e.Item(), &item);
      EXPECT_EQ(e.NomeParametro(), "pCodigoEmpreend");
      EXPECT_NE(std::string(e.what()).find(std::string("Seleção '") + recusado + "' inválida"), std::string::npos)
          << e.what();
    }
  }
}

}  // namespace
