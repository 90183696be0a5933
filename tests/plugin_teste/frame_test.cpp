// The frame as the host meets it: a plug-in loaded with dlopen, its class, Imprimir.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "host/report/plugin.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

struct Frame : ::testing::Test {
  Frame() : plugin(TnPlugin::Carregar(RPT_PLUGIN_PATH)) {
    objetosVivos = reinterpret_cast<int (*)()>(dlsym(dlopen(RPT_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD),
                                                     "RptTesteObjetosVivos"));
  }
  std::unique_ptr<TnrwReport> NovoRelatorio() {
    auto r = std::make_unique<TnrwReport>(TnLayout::Carregar(plugin->ArquivoLayout()));
    r->DefinirRastro(true);
    return r;
  }
  std::unique_ptr<TnPlugin> plugin;
  int (*objetosVivos)() = nullptr;
};

TEST_F(Frame, ClassDllGivesTheRegisteredClassEveryTime) {
  const TnrwBaseDllClass* classe = plugin->ClassDll();
  ASSERT_NE(classe, nullptr);
  EXPECT_EQ(classe, plugin->ClassDll());
  EXPECT_STREQ(classe->Nome, "TRptTeste");
  EXPECT_EQ(classe->Versao(), "[versao: 1.2.3.0]");
}

TEST_F(Frame, ImprimirRefusesWhatIsNotAReportAndCreatesNothing) {
  ASSERT_NE(objetosVivos, nullptr);
  EXPECT_EQ(MensagemDe([&] { plugin->Imprimir(nullptr); }), "Erro: Endereço: 00000000 nao é de relatório.");
  int outro = 0;
  char esperado[64];
  std::snprintf(esperado, sizeof esperado, "Erro: Endereço: %08llX nao é de relatório.",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&outro)));
  EXPECT_EQ(MensagemDe([&] { plugin->Imprimir(&outro); }), esperado);
  auto report = NovoRelatorio();
  void* destruido = report.get();
  report.reset();
  EXPECT_NE(MensagemDe([&] { plugin->Imprimir(destruido); }).find("nao é de relatório."), std::string::npos);
  EXPECT_EQ(objetosVivos(), 0);
}

TEST_F(Frame, ALibraryWithoutItsClassSaysSo) {
  auto semRegistro = TnPlugin::Carregar("RptSemRegistro", RPT_TEST_PLUGIN_DIR);
  EXPECT_EQ(semRegistro->ClassDll(), nullptr);
  auto report = NovoRelatorio();
  EXPECT_EQ(MensagemDe([&] { semRegistro->Imprimir(report.get()); }), "FClassDll está nil.");
}

TEST_F(Frame, ARaisingReportIsDestroyedAndTheNextPrintWorks) {
  auto report = NovoRelatorio();
  TnpqPowerQuery::GetParams(report.get())->SetValues("pModo", "erro");
  EXPECT_EQ(MensagemDe([&] { plugin->Imprimir(report.get()); }), "Falha de teste.");
  EXPECT_EQ(objetosVivos(), 0);

  TnpqPowerQuery::GetParams(report.get())->SetValues("pModo", "linhas");
  plugin->Imprimir(report.get());
  EXPECT_EQ(objetosVivos(), 0);
  EXPECT_EQ(report->Finalizar(), 1);
  EXPECT_EQ(report->Rastro().NumerosSecoes(), (std::vector<int>{9, 9, 9}));
}

TEST_F(Frame, HeadingFollowsThePrintingRunNotTheFormObject) {
  auto report = NovoRelatorio();
  auto formulario = plugin->ClassDll()->Create(report.get());
  TnFormParametros form(report.get(), formulario.get());
  formulario->DepoisConfigurar(&form);
  form.Preencher("pModo", "linhas");
  plugin->Imprimir(report.get());
  EXPECT_EQ(report->OnAfterSection.Alvo(), formulario.get());  // back to the form object
  formulario.reset();
  EXPECT_FALSE(static_cast<bool>(report->OnAfterSection));
  report->Finalizar();
  // The form object never read pModo; the printing object did, so the heading is section 8.
  EXPECT_EQ(report->Rastro().NumerosSecoes(), (std::vector<int>{8, 9, 9, 9}));
}

TEST_F(Frame, FormHooksRunAsTheUserTypes) {
  auto report = NovoRelatorio();
  auto formulario = plugin->ClassDll()->Create(report.get());
  TnFormParametros form(report.get(), formulario.get());
  form.Preencher("pModo", "vazio");
  auto* params = TnpqPowerQuery::GetParams(report.get());
  EXPECT_FALSE(params->Param("pLinhas")->Habilitado);
  EXPECT_THROW(form.Preencher("pLinhas", "4"), EnParam);
  EXPECT_THROW(form.Preencher("pModo", "nenhum"), EnParam);
  EXPECT_THROW(form.Preencher("pNaoExiste", "1"), EnParam);
  EXPECT_THROW_MSG(form.Preencher("pCodigos", "1) or (1=1"), EnParam,
                   "Seleção '1) or (1=1' inválida: '1) or (1=1' não é um código nem uma faixa. Use códigos inteiros separados "
                   "por vírgula e faixas como 5-9 (exemplo: 1,3,5-9).");
  form.Preencher("pCodigos", " 1, 3-5 ");
  EXPECT_EQ(params->GetValues("pModo"), "vazio");  // refused values change nothing
}

}  // namespace
