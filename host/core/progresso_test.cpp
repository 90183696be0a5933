// Progress frames: ranges, steps and what reaches the terminal.
#include "host/core/progresso.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Progresso, BarsCountAndStopAtTheirEnd) {
  auto p = CriarProgresso(nullptr);
  std::ostringstream tela;
  p->DefinirSaida(&tela);
  p->MostrarMultiplo();
  p->ConfigurarProgressoTotal(0, 2);
  p->SetTextos("Processando Balancete", "Processando intervalos");
  p->ConfigurarProgressoParcial(0, 4);
  for (int i = 0; i < 6; ++i) p->IncProgressoParcial(0);
  EXPECT_EQ(p->PosicaoParcial(), 4);  // clipped at the end
  p->SetProgressoParcial(0);
  EXPECT_EQ(p->PosicaoParcial(), 0);
  p->IncProgressoTotal(0);
  EXPECT_EQ(p->PosicaoTotal(), 1);
  EXPECT_NE(tela.str().find("Processando Balancete [###############...............] 50%"), std::string::npos);
  EXPECT_NE(tela.str().find("Processando intervalos ["), std::string::npos);
  p->Ocultar();
  EXPECT_FALSE(p->Visivel());
  std::string antes = tela.str();
  p->IncProgressoTotal(0);
  EXPECT_EQ(tela.str(), antes);  // hidden: nothing drawn
}

TEST(Progresso, TheHostKeepsHowEachFrameStoodUntilItsRelease) {
  TnFraProgressoHost host;
  {
    auto p = CriarProgresso(nullptr);
    p->ConfigurarProgressoTotal(0, 3);
    p->MostrarSimples(&host);
    p->IncProgressoTotal(0);
    p->IncProgressoTotal(0);
    ASSERT_EQ(host.Quadros().size(), 1u);
    EXPECT_EQ(host.Quadros()[0].Maximo, 3);
    EXPECT_EQ(host.Quadros()[0].Posicao, 2);
    EXPECT_FALSE(host.Quadros()[0].Liberado);
    auto nunca = CriarProgresso(nullptr);  // never shown on the host: not kept
  }
  ASSERT_EQ(host.Quadros().size(), 1u);
  EXPECT_TRUE(host.Quadros()[0].Liberado);
  EXPECT_EQ(host.Quadros()[0].Posicao, 2);
}

}  // namespace

TEST(EscutaProgresso, OuveOsQuadrosDaSuaThreadENaoOsDeOutras) {
  std::vector<std::string> avisos;
  {
    TnEscutaProgresso escuta([&](const std::string& texto, const TnQuadroProgresso& q) {
      avisos.push_back(texto + " " + std::to_string(q.Posicao) + "/" + std::to_string(q.Maximo) + (q.Liberado ? " fim" : ""));
    });
    std::thread([] {
      TnFraProgresso outro;
      outro.ConfigurarProgressoTotal(0, 5, "outra thread");
    }).join();
    {
      TnFraProgresso p;
      p.ConfigurarProgressoTotal(0, 4, "Unidades");
      p.IncProgressoTotal();
      p.SetProgressoTotal(9);
    }
  }
  TnFraProgresso depois;
  depois.ConfigurarProgressoTotal(0, 2, "sem escuta");
  EXPECT_EQ(avisos, (std::vector<std::string>{"Unidades 0/4", "Unidades 1/4", "Unidades 4/4", "Unidades 4/4 fim"}));
}
