#include "host/render/renderizador.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <sstream>

#include "host/render/desenho_grafico.h"
#include "host/render/picture.h"
#include "host/render/posse_cairo.h"

namespace fs = std::filesystem;

// fontconfig keeps a few bytes of its configuration until the process ends
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

// A solid w x h picture in the given gdk-pixbuf format ("png", "jpeg", "bmp").
std::string ImagemSolida(int w, int h, uint8_t r, uint8_t g, uint8_t b, const char* formato = "png") {
  const TPixbuf pb(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, w, h));
  gdk_pixbuf_fill(pb.get(), (uint32_t{r} << 24) | (uint32_t{g} << 16) | (uint32_t{b} << 8) | 0xFF);
  gchar* buf = nullptr;
  gsize n = 0;
  const gboolean ok = gdk_pixbuf_save_to_buffer(pb.get(), &buf, &n, formato, nullptr, nullptr);
  const TTextoGlib bytes(buf);
  EXPECT_TRUE(ok) << formato;
  return std::string(bytes.get(), n);
}

std::string Executar(const std::string& comando) {
  std::string saida;
  FILE* p = popen(comando.c_str(), "r");
  if (!p) return saida;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) saida.append(buf.data(), n);
  pclose(p);
  return saida;
}

struct TPng {
  TSuperficieCairo Posse;
  cairo_surface_t* S;
  explicit TPng(const fs::path& p) : Posse(cairo_image_surface_create_from_png(p.c_str())), S(Posse.get()) {}
  bool Ok() const { return cairo_surface_status(S) == CAIRO_STATUS_SUCCESS; }
  int W() const { return cairo_image_surface_get_width(S); }
  int H() const { return cairo_image_surface_get_height(S); }
  TColor Pixel(int x, int y) const {  // in TColor order: low byte red
    auto* d = cairo_image_surface_get_data(S);
    uint32_t v = *reinterpret_cast<uint32_t*>(d + y * cairo_image_surface_get_stride(S) + x * 4);
    return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
  }
  int Contar(TColor c, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Pixel(x, y) == c;
    return n;
  }
};

TElementoTexto Texto(double x, double y, double w, std::string s, TAlinhamento al = TAlinhamento::Esquerda,
                     double tamanho = 8, bool negrito = false) {
  TElementoTexto t;
  t.Area = {x, y, w, 16};
  t.Texto = std::move(s);
  t.Alinhamento = al;
  t.Fonte.Tamanho = tamanho;
  t.Fonte.Negrito = negrito;
  return t;
}

class Renderizador : public ::testing::Test {
 protected:
  void SetUp() override {
    // RPT_RENDER_SAIDA keeps the output for a look
    if (const char* d = std::getenv("RPT_RENDER_SAIDA")) {
      Pasta = fs::path(d) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
      Manter = true;
    } else {
      Pasta = fs::temp_directory_path() /
              ("rpt_render_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    fs::remove_all(Pasta);
    fs::create_directories(Pasta);
  }
  void TearDown() override {
    if (!Manter) fs::remove_all(Pasta);
  }
  std::string Pdf() const { return (Pasta / "saida.pdf").string(); }
  std::string TextoPdf(const std::string& opcoes = "-layout") const {
    return Executar("pdftotext " + opcoes + " '" + Pdf() + "' -");
  }

  fs::path Pasta;
  bool Manter = false;
};

// Two pages of a payments listing: header, "Página n de M", striped rows, a photo and a chart.
std::vector<TPagina> DocumentoPagamentos(std::shared_ptr<const TPicture> foto) {
  std::vector<TPagina> paginas;
  const char* fornecedores[] = {"São José Materiais de Construção e Comércio Ltda", "Açougue Irmãos Ávila",
                                "Cimentos Paraná S/A", "Ferragens Conceição"};
  const char* valores[] = {"1.234,56", "12,00", "987.654,32", "0,50"};
  for (int n = 1; n <= 2; ++n) {
    TPagina p;
    p.Numero = n;
    p.Elementos.push_back(Texto(40, 30, 500, "Relatório de Pagamentos", TAlinhamento::Esquerda, 14, true));
    auto rodape = Texto(600, 30, 154, "Página " + std::to_string(n) + " de " + kMarcaTotalPaginas,
                        TAlinhamento::Direita);
    rodape.ComTotalPaginas = true;
    p.Elementos.push_back(rodape);
    p.Elementos.push_back(TElementoLinha{40, 60, 754, 60, 1, 0});
    p.Elementos.push_back(Texto(40, 70, 200, "Fornecedor", TAlinhamento::Esquerda, 8, true));
    p.Elementos.push_back(Texto(640, 70, 114, "Valor pago", TAlinhamento::Direita, 8, true));
    for (int i = 0; i < 12; ++i) {
      const double y = 90 + i * 18;
      if (i % 2 == 0) p.Elementos.push_back(TElementoCaixa{{40, y, 714, 18}, 0xF0E8E0, std::nullopt, 1});
      p.Elementos.push_back(Texto(40, y + 1, 200, fornecedores[i % 4]));
      p.Elementos.push_back(Texto(250, y + 1, 80, "10/03/2024", TAlinhamento::Centro));
      p.Elementos.push_back(Texto(640, y + 1, 114, valores[i % 4], TAlinhamento::Direita));
    }
    TElementoTexto obs = Texto(40, 320, 300, "Observação: pagamentos conferidos pela tesouraria em março, "
                                             "com retenções de impostos já descontadas.");
    obs.MultiLinha = true;
    obs.Area.Altura = 60;
    p.Elementos.push_back(obs);
    if (n == 1) {
      p.Elementos.push_back(TElementoImagem{{40, 400, 200, 200}, foto, true});
    } else {
      auto g = std::make_shared<TDBChart>();
      g->Titulo = "Conclusão por fase";
      const char* fases[] = {"Fundação", "Estrutura", "Alvenaria", "Instalações elétricas", "Acabamento"};
      const double pct[] = {100, 80, 45.5, 10, 0};
      for (int i = 0; i < 5; ++i) g->Series(0)->Add(pct[i], fases[i], i == 0 ? 0x008000 : clTeeColor);
      p.Elementos.push_back(TElementoGrafico{{40, 400, 714, 397}, g});
    }
    paginas.push_back(std::move(p));
  }
  return paginas;
}

TEST_F(Renderizador, DocumentoDePaginasEmPdfEPng) {
  auto foto = TPicture::DeBytes(ImagemSolida(200, 100, 255, 0, 0));
  {
    TnRenderizador r(Pdf(), Pasta.string(), 1.0);
    for (auto& p : DocumentoPagamentos(foto)) r.AdicionarPagina(std::move(p));
    EXPECT_FALSE(fs::exists(Pdf())) << "nothing is written before Finalizar";
    r.Finalizar(2);
  }
  const std::string texto = TextoPdf();
  for (const char* esperado : {"Relatório de Pagamentos", "Página 1 de 2", "Página 2 de 2", "São José",
                               "Açougue Irmãos Ávila", "987.654,32", "Conclusão por fase", "Instalações",
                               "conferidos pela tesouraria", "descontadas."})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << "\n" << texto;
  // the long supplier name is cut with an ellipsis inside its column
  EXPECT_EQ(texto.find("Comércio Ltda"), std::string::npos);
  EXPECT_NE(texto.find("…"), std::string::npos);
  EXPECT_EQ(Executar("pdfinfo '" + Pdf() + "' | grep Pages"), "Pages:           2\n");

  for (int n = 1; n <= 2; ++n) {
    char nome[32];
    std::snprintf(nome, sizeof nome, "pagina-%04d.png", n);
    TPng png(Pasta / nome);
    ASSERT_TRUE(png.Ok()) << nome;
    EXPECT_EQ(png.W(), 794);
    EXPECT_EQ(png.H(), 1123);
    EXPECT_EQ(png.Pixel(400, 95), 0xF0E8E0u) << "striped row fill";
    EXPECT_EQ(png.Pixel(400, 113), 0xFFFFFFu) << "unstriped row";
  }
  // a 2:1 picture in a square frame: scaled to 200x100 and centred vertically
  TPng p1(Pasta / "pagina-0001.png");
  EXPECT_EQ(p1.Pixel(140, 500), 0x0000FFu);
  EXPECT_EQ(p1.Pixel(140, 430), 0xFFFFFFu);
  EXPECT_EQ(p1.Pixel(140, 570), 0xFFFFFFu);
  // the chart: explicit green first bar, palette colours for the automatic ones
  TPng p2(Pasta / "pagina-0002.png");
  EXPECT_GT(p2.Contar(0x008000, 40, 400, 754, 797), 500);
  EXPECT_GT(p2.Contar(CorDaPaleta(1), 40, 400, 754, 797), 500);
  EXPECT_GT(p2.Contar(CorDaPaleta(2), 40, 400, 754, 797), 200);
}

TEST_F(Renderizador, NumerosAlinhadosADireitaTerminamNaBordaDaColuna) {
  TPagina p;
  p.Numero = 1;
  const char* valores[] = {"1.234,56", "12,00", "987.654,32", "0,50"};
  for (int i = 0; i < 4; ++i) p.Elementos.push_back(Texto(640, 90 + i * 18, 114, valores[i], TAlinhamento::Direita));
  p.Elementos.push_back(Texto(300, 200, 200, "Centro", TAlinhamento::Centro));
  {
    TnRenderizador r(Pdf());
    r.AdicionarPagina(std::move(p));
    r.Finalizar(1);
  }
  // word boxes in PDF points: 754 layout units = 565.5 pt
  const std::string caixas = TextoPdf("-bbox");
  auto atributo = [&](size_t pos, const char* nome) {
    return std::stod(caixas.substr(caixas.find(std::string(nome) + "=\"", pos) + std::strlen(nome) + 2));
  };
  int achadas = 0;
  for (size_t pos = caixas.find("<word "); pos != std::string::npos; pos = caixas.find("<word ", pos + 1)) {
    const double xMin = atributo(pos, "xMin"), xMax = atributo(pos, "xMax");
    const size_t ini = caixas.find('>', pos) + 1;
    const std::string palavra = caixas.substr(ini, caixas.find('<', ini) - ini);
    if (palavra == "Centro") {
      EXPECT_NEAR((xMin + xMax) / 2, 400 * 0.75, 1.0);
    } else {
      EXPECT_NEAR(xMax, 754 * 0.75, 1.0) << palavra;
      ++achadas;
    }
  }
  EXPECT_EQ(achadas, 4);
}

TEST_F(Renderizador, SemFinalizarNadaEGravado) {
  {
    TnRenderizador r(Pdf(), Pasta.string());
    for (auto& p : DocumentoPagamentos(nullptr)) r.AdicionarPagina(std::move(p));
  }
  EXPECT_TRUE(fs::is_empty(Pasta));
}

TEST_F(Renderizador, SemPaginasGeraPdfValidoDeUmaPaginaEmBranco) {
  TnRenderizador r(Pdf(), Pasta.string());
  r.Finalizar(0);
  EXPECT_EQ(Executar("pdfinfo '" + Pdf() + "' | grep Pages"), "Pages:           1\n");
  EXPECT_FALSE(fs::exists(Pasta / "pagina-0001.png"));
  EXPECT_THROW(r.Finalizar(0), std::logic_error);
}

TEST_F(Renderizador, FalhaAoGravarNaoDeixaSaidaParcial) {
  // the PNG folder is a file: the PNG of page 1 fails after the PDF was started
  std::ofstream(Pasta / "arquivo") << "x";
  TnRenderizador r(Pdf(), (Pasta / "arquivo" / "png").string());
  for (auto& p : DocumentoPagamentos(nullptr)) r.AdicionarPagina(std::move(p));
  EXPECT_ANY_THROW(r.Finalizar(2));
  EXPECT_FALSE(fs::exists(Pdf()));
}

TEST_F(Renderizador, EscalaDoPngDefineOTamanhoEmPixels) {
  TPagina retrato, paisagem;
  retrato.Numero = 1;
  paisagem.Numero = 2;
  paisagem.Largura = 1123;
  paisagem.Altura = 794;
  {
    TnRenderizador r(Pdf(), Pasta.string(), 2.0);
    r.AdicionarPagina(std::move(retrato));
    r.AdicionarPagina(std::move(paisagem));
    r.Finalizar(2);
  }
  TPng a(Pasta / "pagina-0001.png"), b(Pasta / "pagina-0002.png");
  EXPECT_EQ(std::make_pair(a.W(), a.H()), std::make_pair(1588, 2246));
  EXPECT_EQ(std::make_pair(b.W(), b.H()), std::make_pair(2246, 1588));
  EXPECT_NE(Executar("pdfinfo -f 2 -l 2 '" + Pdf() + "'").find("842.25 x 595.5"), std::string::npos);
}

TEST(Picture, FormatosLidosEDadosIlegiveis) {
  struct {
    std::string nome, bytes;
    bool valida;
  } casos[] = {
      {"png", ImagemSolida(30, 20, 1, 2, 3, "png"), true},
      {"jpeg", ImagemSolida(30, 20, 1, 2, 3, "jpeg"), true},
      {"bmp", ImagemSolida(30, 20, 1, 2, 3, "bmp"), true},
      {"vazio", "", false},
      {"texto", "isto não é uma imagem", false},
      {"png truncado", ImagemSolida(30, 20, 1, 2, 3, "png").substr(0, 40), false},
  };
  for (const auto& c : casos) {
    auto p = TPicture::DeBytes(c.bytes);
    ASSERT_TRUE(p) << c.nome;
    EXPECT_EQ(p->Valida(), c.valida) << c.nome;
    EXPECT_EQ(p->Largura(), c.valida ? 30 : 0) << c.nome;
    EXPECT_EQ(p->Altura(), c.valida ? 20 : 0) << c.nome;
  }
}

TEST_F(Renderizador, ImagemIlegivelEGraficosExtremosNaoInterrompem) {
  TPagina p;
  p.Numero = 1;
  p.Elementos.push_back(TElementoImagem{{40, 40, 150, 150}, TPicture::DeBytes("lixo"), false});
  p.Elementos.push_back(TElementoImagem{{200, 40, 150, 150}, nullptr, true});
  auto vazio = std::make_shared<TDBChart>();
  p.Elementos.push_back(TElementoGrafico{{40, 200, 714, 200}, vazio});
  p.Elementos.push_back(TElementoGrafico{{40, 400, 714, 10}, vazio});  // too low for a plot
  auto sessenta = std::make_shared<TDBChart>();
  for (int i = 0; i < 60; ++i)
    sessenta->Series(0)->Add(i * 1234.5, "Unidade habitacional " + std::to_string(i + 1));
  sessenta->Series(0)->Add(std::nan(""), "Sem valor");  // no bar, the scale stays sound
  p.Elementos.push_back(TElementoGrafico{{40, 420, 714, 397}, sessenta});
  // one series per phase, as the budget-by-phase report builds them, plus a negative value
  auto porFase = std::make_shared<TDBChart>();
  porFase->RemoveAllSeries();
  for (int i = 0; i < 6; ++i) {
    auto s = std::make_unique<TBarSeries>();
    s->Add(i == 3 ? -500 : 1000.0 * (i + 1), "Fase " + std::to_string(i + 1));
    porFase->AddSeries(std::move(s));
  }
  porFase->Legenda().push_back("Total orçado: 21.000,00");
  p.Elementos.push_back(TElementoGrafico{{40, 830, 714, 280}, porFase});
  {
    TnRenderizador r(Pdf(), Pasta.string());
    r.AdicionarPagina(std::move(p));
    EXPECT_NO_THROW(r.Finalizar(1));
  }
  TPng png(Pasta / "pagina-0001.png");
  ASSERT_TRUE(png.Ok());
  // the unreadable picture still shows its frame; the empty slot without frame leaves paper
  EXPECT_NE(png.Pixel(40, 100), 0xFFFFFFu);
  // the sixty bars share one automatic colour per point: many palette colours appear
  int cores = 0;
  for (int i = 0; i < 16; ++i) cores += png.Contar(CorDaPaleta(i), 40, 420, 754, 817) > 20;
  EXPECT_EQ(cores, 16);
  const std::string texto = TextoPdf("");  // -raw would split the upright labels into words
  for (const char* esperado : {"Unidade habitacional 60", "Fase 6", "Total orçado", "-500"})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado;
}

TEST_F(Renderizador, VariasSeriesLadoALadoComLegenda) {
  auto g = std::make_shared<TDBChart>();
  g->Series(0)->Title = "Orçado";
  auto real = std::make_unique<TBarSeries>();
  real->Title = "Realizado";
  real->SeriesColor = 0x0000FF;
  for (int m = 1; m <= 4; ++m) {
    g->Series(0)->Add(100 * m, "Mês " + std::to_string(m));
    real->Add(90 * m, "Mês " + std::to_string(m));
  }
  g->AddSeries(std::move(real));
  TPagina p;
  p.Numero = 1;
  p.Elementos.push_back(TElementoGrafico{{0, 0, 794, 400}, g});
  {
    TnRenderizador r(Pdf(), Pasta.string());
    r.AdicionarPagina(std::move(p));
    r.Finalizar(1);
  }
  TPng png(Pasta / "pagina-0001.png");
  EXPECT_GT(png.Contar(CorDaPaleta(0), 0, 0, 794, 400), 1000) << "first series, automatic colour";
  EXPECT_GT(png.Contar(0x0000FF, 0, 0, 794, 400), 1000) << "second series, its own colour";
  const std::string texto = TextoPdf("-raw");
  for (const char* esperado : {"Orçado", "Realizado", "Mês 4", "360"})
    EXPECT_NE(texto.find(esperado), std::string::npos) << esperado;
}

}  // namespace
