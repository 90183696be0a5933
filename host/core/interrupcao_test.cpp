// Stop requests: the check raises once asked, and the cancellers run until removed.
#include "host/core/interrupcao.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace {

TEST(Interrupcao, StopRequestRaisesAndRunsTheCancellers) {
  int cancelados = 0;
  const int id = TnInterrupcao::RegistrarCancelamento([&] { ++cancelados; });
  EXPECT_NO_THROW(TnInterrupcao::Verificar());
  EXPECT_EQ(TnInterrupcao::SinalRecebido(), 0);

  TnInterrupcao::Pedir(SIGTERM);
  EXPECT_EQ(cancelados, 1);
  EXPECT_EQ(TnInterrupcao::SinalRecebido(), SIGTERM);
  try {
    TnInterrupcao::Verificar();
    ADD_FAILURE();
  } catch (const EnInterrompido& e) {
    EXPECT_EQ(e.Sinal(), SIGTERM);
    EXPECT_STREQ(e.what(), "Execução interrompida (SIGTERM).");
  }

  TnInterrupcao::RemoverCancelamento(id);
  TnInterrupcao::Pedir(SIGINT);
  EXPECT_EQ(cancelados, 1);
  TnInterrupcao::Esquecer();
  EXPECT_NO_THROW(TnInterrupcao::Verificar());
  EXPECT_EQ(TnInterrupcao::CodigoSaida(SIGINT), 130);
  EXPECT_EQ(TnInterrupcao::CodigoSaida(SIGHUP), 129);
}

}  // namespace
