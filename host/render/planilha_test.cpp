// The spreadsheet writers on a small sheet: cells typed from the printed texts, the CSV's quoting.
#include "host/render/planilha.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/testkit/planilha_teste.h"

namespace fs = std::filesystem;

namespace {

struct PlanilhaGravada : ::testing::Test {
  PlanilhaGravada() { fs::create_directories(pasta); }
  ~PlanilhaGravada() override { fs::remove_all(pasta); }
  const fs::path pasta = fs::temp_directory_path() / ("rpt-planilha-render-" + std::to_string(getpid()));
};

TnPlanilha Exemplo(const std::vector<std::string>& textos) {
  TnPlanilha p;
  p.Nome = "Pagamentos: [teste]";
  p.Titulo = {{"Construtora Alfa", true, 11, false}};
  p.Larguras.assign(textos.size(), 70);
  p.Cabecalho.assign(textos.size(), {"Coluna", true, 8, false});
  auto& linha = p.Linhas.emplace_back();
  for (const auto& t : textos) linha.push_back({t, false, 8, true});
  return p;
}

TEST_F(PlanilhaGravada, CellsTakeTheKindAndFormatOfWhatWasPrinted) {
  struct Caso {
    std::string texto;
    TTipoCelula tipo;
    double numero;
    std::string formato, textoLido;
  } casos[] = {
      {"1.234,50", TTipoCelula::Numero, 1234.5, "#,##0.00", ""},
      {" (12,50)", TTipoCelula::Numero, -12.5, "#,##0.00;(#,##0.00)", ""},
      {"12,5%", TTipoCelula::Numero, 0.125, "#,##0.0%", ""},
      {"0007", TTipoCelula::Texto, 0, "General", "0007"},
      {"05/03/2026", TTipoCelula::Data, 0, "dd/mm/yyyy", "05/03/2026"},
      {"Cimento; saco \"50 kg\"", TTipoCelula::Texto, 0, "General", "Cimento; saco \"50 kg\""},
  };
  std::vector<std::string> textos;
  for (const auto& c : casos) textos.push_back(c.texto);
  const std::string arquivo = (pasta / "r.xlsx").string();
  GravarPlanilhaXlsx(Exemplo(textos), arquivo);
  const TPlanilhaLida lida = LerXlsx(arquivo);
  ASSERT_EQ(lida.Linhas.size(), 4u);  // the title, a blank row, the heading, the line
  EXPECT_EQ(lida.LinhasCongeladas, 3);
  EXPECT_TRUE(lida.Linhas[0][0].Negrito);
  for (size_t i = 0; i < std::size(casos); ++i) {
    const TCelulaLida& c = lida.Linhas[3][i];
    EXPECT_EQ(c.Tipo, casos[i].tipo) << casos[i].texto;
    EXPECT_DOUBLE_EQ(c.Numero, casos[i].numero) << casos[i].texto;
    EXPECT_EQ(c.Formato, casos[i].formato) << casos[i].texto;
    EXPECT_EQ(c.Texto, casos[i].textoLido) << casos[i].texto;
  }

  GravarPlanilhaCsv(Exemplo(textos), (pasta / "r.csv").string());
  std::ifstream in(pasta / "r.csv", std::ios::binary);
  const std::string csv((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(csv,
            "\xEF\xBB\xBF" "Construtora Alfa\r\n\r\nColuna;Coluna;Coluna;Coluna;Coluna;Coluna\r\n"
            "1234,50;-12,50;12,5%;0007;05/03/2026;\"Cimento; saco \"\"50 kg\"\"\"\r\n");
}

TEST_F(PlanilhaGravada, AFileThatCannotBeWrittenIsNamed) {
  const std::string arquivo = (pasta / "falta" / "r.xlsx").string();
  for (auto gravar : {GravarPlanilhaXlsx, GravarPlanilhaCsv}) {
    try {
      gravar(Exemplo({"1"}), arquivo);
      ADD_FAILURE() << "gravou em uma pasta que não existe";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("Não foi possível gravar a planilha '" + arquivo + "'"), std::string::npos)
          << e.what();
    }
  }
}

}  // namespace
