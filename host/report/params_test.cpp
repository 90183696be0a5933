#include "host/report/params.h"

#include <gtest/gtest.h>

#include <memory>

// A parameter error reaches the caller after the report (and its items) is gone.
TEST(EnParamTest, KeepsTheParameterNameAfterTheItemIsFreed) {
  auto item = std::make_unique<TnpqParamItem>("pDataFinal", TnTipoParametro::Data);
  EnParam erro(item.get(), "Data inválida.");
  item.reset();
  EXPECT_EQ(erro.NomeParametro(), "pDataFinal");
}
