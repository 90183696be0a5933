// Pictures from picture fields, as layout images take them.
#include <gtest/gtest.h>

#include "host/data/client_dataset.h"
#include "host/render/picture.h"
#include "host/report/imagens.h"

namespace {

std::string DeHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

TEST(CarregarLogoEmpresa, DecodesThePictureOfTheCurrentRowAndGivesNoneForAnEmptyField) {
  TnClientDataSet ds;
  ds.AddFieldDef("FOTO", ftBlob);
  ds.CreateDataSet();
  const std::string png = DeHex(
      "89504E470D0A1A0A0000000D49484452000000040000000308020000003B9639910000001049444154789C633851A101470C3839"
      "0050C610E1AA38AF7F0000000049454E44AE426082");
  for (const std::string& bytes : {png, std::string(), std::string("não é uma imagem")}) {
    ds.Append();
    if (!bytes.empty()) ds.FieldByName("FOTO")->SetAsString(bytes);
    ds.Post();
  }
  TField* foto = ds.FieldByName("FOTO");
  ds.First();
  auto imagem = CarregarLogoEmpresa(nullptr, foto);
  ASSERT_TRUE(imagem && imagem->Valida());
  EXPECT_EQ(imagem->Largura(), 4);
  EXPECT_EQ(imagem->Altura(), 3);
  ds.Next();
  EXPECT_EQ(CarregarLogoEmpresa(nullptr, foto), nullptr);
  ds.Next();
  imagem = CarregarLogoEmpresa(nullptr, foto);
  ASSERT_NE(imagem, nullptr);
  EXPECT_FALSE(imagem->Valida());  // an empty frame, not a failed print
  EXPECT_EQ(CarregarLogoEmpresa(nullptr, nullptr), nullptr);
}

}  // namespace
