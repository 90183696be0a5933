#include "host/data/banco_demo.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/core/valor.h"
#include "host/data/client_dataset.h"
#include "host/data/conexao.h"

#ifndef RPT_SCHEMA_FILE
#define RPT_SCHEMA_FILE "host/schema/schema.sql"
#endif

std::string LerSchemaBanco() {
  const char* env = std::getenv("RPT_SCHEMA_FILE");
  const std::string caminho = env && *env ? env : RPT_SCHEMA_FILE;
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) throw std::runtime_error("Arquivo do esquema do banco não encontrado: " + caminho);
  std::ostringstream texto;
  texto << arquivo.rdbuf();
  return texto.str();
}

std::vector<std::string> TabelasDoSchema(const std::string& schema) {
  static const std::regex kCriacao(R"(create\s+table\s+([A-Za-z0-9_$]+))", std::regex::icase);
  std::vector<std::string> tabelas;
  for (std::sregex_iterator i(schema.begin(), schema.end(), kCriacao), fim; i != fim; ++i)
    tabelas.push_back((*i)[1].str());
  return tabelas;
}

void ConferirTabelasDoSchema(TnDMConexao& conexao) {
  std::string schema;
  try {
    schema = LerSchemaBanco();
  } catch (const std::runtime_error&) {
    return;  // an installation without the schema file has nothing to compare with
  }
  conexao.ConferirTabelas(TabelasDoSchema(schema));
}

namespace {

// Money is kept in cents and quantities, unit values, areas and rates in
// ten-thousandths, so that instalments, items and allocations add up exactly.
using TCentavos = int64_t;
using TQuatro = int64_t;
constexpr TQuatro kUm = 10000;

// Everything happens up to this day; later instalments are still open.
TDateTime DataBase() { return EncodeDate(2026, 12, 15); }

TValor Reais(TCentavos c) { return TValor(static_cast<double>(c) / 100.0); }
TValor Quatro(TQuatro v) { return TValor(static_cast<double>(v) / 10000.0); }
TValor Dia(TDateTime d) { return TValor::Data(d); }
TValor DiaOuNulo(TDateTime d) { return d > 0 ? TValor::Data(d) : TValor(); }
TValor TextoOuNulo(const std::string& s) { return s.empty() ? TValor() : TValor(s); }
TValor CodigoOuNulo(int c) { return c ? TValor(c) : TValor(); }

// Quantity times unit value, in cents rounded half up (both are never negative).
TCentavos Multiplicar(TQuatro qtd, TQuatro unitario) { return (qtd * unitario + 500000) / 1000000; }
TQuatro ParaQuatro(double v) { return std::llround(v * 10000.0); }

// Shares of total in proportion to the weights; the last takes the remainder.
std::vector<int64_t> Repartir(int64_t total, const std::vector<int64_t>& pesos) {
  int64_t soma = 0;
  for (int64_t p : pesos) soma += p;
  std::vector<int64_t> partes(pesos.size(), 0);
  if (pesos.empty() || soma <= 0) return partes;
  int64_t usado = 0;
  for (size_t i = 0; i + 1 < pesos.size(); ++i) {
    partes[i] = static_cast<int64_t>(static_cast<long double>(total) * pesos[i] / soma);
    usado += partes[i];
  }
  partes.back() = total - usado;
  return partes;
}

// Fixed-seed generator (splitmix64): the same data set on every run and machine.
class TSorteio {
 public:
  explicit TSorteio(uint64_t semente) : FEstado(semente) {}
  uint64_t Proximo() {
    uint64_t z = (FEstado += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Entre(int a, int b) { return a + static_cast<int>(Proximo() % static_cast<uint64_t>(b - a + 1)); }
  double Fracao() { return static_cast<double>(Proximo() >> 11) / 9007199254740992.0; }
  double Faixa(double a, double b) { return a + (b - a) * Fracao(); }
  bool Chance(int porCento) { return Entre(1, 100) <= porCento; }

 private:
  uint64_t FEstado;
};

std::string DoisDigitos(int n) { return n < 10 && n >= 0 ? "0" + std::to_string(n) : std::to_string(n); }

std::string Digitos(int64_t n, int largura) {
  char b[32];
  std::snprintf(b, sizeof b, "%0*lld", largura, static_cast<long long>(n));
  return b;
}

// Federal tax numbers with valid check digits.
std::string Cnpj(int64_t raiz, int filial) {
  std::string d = Digitos(raiz % 100000000, 8) + Digitos(filial, 4);
  auto dv = [](const std::string& s, const int* pesos) {
    int soma = 0;
    for (size_t i = 0; i < s.size(); ++i) soma += (s[i] - '0') * pesos[i];
    int r = soma % 11;
    return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
  };
  static const int p1[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  static const int p2[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  d += dv(d, p1);
  d += dv(d, p2);
  return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" + d.substr(12, 2);
}

std::string Cpf(int64_t base) {
  std::string d = Digitos(base % 1000000000, 9);
  for (int k = 0; k < 2; ++k) {
    int soma = 0;
    const int n = static_cast<int>(d.size());
    for (int i = 0; i < n; ++i) soma += (d[static_cast<size_t>(i)] - '0') * (n + 1 - i);
    int r = (soma * 10) % 11;
    d += static_cast<char>('0' + (r == 10 ? 0 : r));
  }
  return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9, 2);
}

// ---------------------------------------------------------------------------
// Pictures drawn with cairo: company logos and works photos.

struct TSuperficie {
  cairo_surface_t* S;
  cairo_t* C;
  TSuperficie(int l, int a) : S(cairo_image_surface_create(CAIRO_FORMAT_RGB24, l, a)), C(cairo_create(S)) {}
  ~TSuperficie() {
    cairo_destroy(C);
    cairo_surface_destroy(S);
  }
  TSuperficie(const TSuperficie&) = delete;
  TSuperficie& operator=(const TSuperficie&) = delete;

  std::string Png() {
    cairo_surface_flush(S);
    std::string bytes;
    auto escrever = [](void* destino, const unsigned char* dados, unsigned int n) {
      static_cast<std::string*>(destino)->append(reinterpret_cast<const char*>(dados), n);
      return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(S, escrever, &bytes) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("Falha ao gerar imagem PNG da base de demonstração.");
    return bytes;
  }
};

void Cor(cairo_t* c, uint32_t rgb) {
  cairo_set_source_rgb(c, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

std::string DesenharLogo(const std::string& sigla, uint32_t corFundo) {
  TSuperficie s(240, 80);
  cairo_t* c = s.C;
  Cor(c, 0xFFFFFF);
  cairo_paint(c);
  Cor(c, corFundo);
  cairo_rectangle(c, 6, 6, 68, 68);
  cairo_fill(c);
  Cor(c, 0xFFFFFF);  // a stylised building in the square
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(c, 16 + i * 18, 56 - i * 12, 12, 12 + i * 12);
    cairo_fill(c);
  }
  Cor(c, corFundo);
  cairo_select_font_face(c, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(c, 22);
  cairo_move_to(c, 84, 48);
  cairo_show_text(c, sigla.c_str());
  return s.Png();
}

// A site seen at a phase of the works: the building rises with the completion.
std::string DesenharFoto(int andares, double conclusao, const std::string& fase, uint32_t corFase, int variacao) {
  TSuperficie s(160, 120);
  cairo_t* c = s.C;
  cairo_pattern_t* ceu = cairo_pattern_create_linear(0, 0, 0, 90);
  cairo_pattern_add_color_stop_rgb(ceu, 0, 0.35, 0.6 + 0.05 * (variacao % 3), 0.9);
  cairo_pattern_add_color_stop_rgb(ceu, 1, 0.85, 0.92, 0.98);
  cairo_set_source(c, ceu);
  cairo_paint(c);
  cairo_pattern_destroy(ceu);
  Cor(c, 0x8B6B4A);  // ground
  cairo_rectangle(c, 0, 96, 160, 24);
  cairo_fill(c);
  const int feitos = std::max(1, static_cast<int>(std::lround(andares * conclusao)));
  const double x = 30 + 8 * (variacao % 4), largura = 70, altura = 10;
  for (int a = 0; a < feitos && a < 8; ++a) {
    const double y = 96 - (a + 1) * altura;
    Cor(c, a + 1 == feitos && conclusao < 1.0 ? 0x9E9E9E : corFase);
    cairo_rectangle(c, x, y, largura, altura - 1);
    cairo_fill(c);
    Cor(c, 0xF5F0C8);  // windows
    for (int j = 0; j < 5; ++j) {
      cairo_rectangle(c, x + 5 + j * 13, y + 2, 7, altura - 5);
      cairo_fill(c);
    }
  }
  if (conclusao < 1.0) {  // the crane while the structure goes up
    Cor(c, 0xE0A000);
    cairo_set_line_width(c, 2);
    cairo_move_to(c, 128, 96);
    cairo_line_to(c, 128, 14);
    cairo_line_to(c, 96 - 10 * (variacao % 2), 14);
    cairo_stroke(c);
  }
  Cor(c, 0x202020);
  cairo_select_font_face(c, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(c, 11);
  cairo_move_to(c, 6, 114);
  cairo_show_text(c, ("Fase " + fase).c_str());
  return s.Png();
}

// ---------------------------------------------------------------------------
// Catalogues.

struct TGrupoDemo {
  int Codigo;
  const char* Classif;
  const char* Descr;
  int Tipo;           // 1 summary, 2 analytic
  int TipoInsumo;     // kind of its inputs
  int ClassifInsumo;  // classification of its inputs
};

const std::vector<TGrupoDemo>& Grupos() {
  static const std::vector<TGrupoDemo> g = {
      {1, "01", "Materiais", 1, 1, 1},
      {2, "01.01", "Aglomerantes e agregados", 2, 1, 1},
      {3, "01.02", "Aço e ferragens", 2, 1, 1},
      {4, "01.03", "Blocos e tijolos", 2, 1, 1},
      {5, "01.04", "Madeiras", 2, 1, 1},
      {6, "01.05", "Materiais hidráulicos", 2, 1, 1},
      {7, "01.06", "Materiais elétricos", 2, 1, 1},
      {8, "01.07", "Revestimentos e acabamentos", 2, 1, 1},
      {9, "01.08", "Esquadrias, vidros e ferragens", 2, 1, 1},
      {10, "01.09", "Concreto usinado", 2, 1, 1},
      {11, "02", "Mão de obra", 1, 2, 1},
      {12, "02.01", "Empreitadas", 2, 2, 1},
      {13, "02.02", "Mão de obra própria", 2, 2, 1},
      {14, "03", "Serviços", 1, 3, 1},
      {15, "03.01", "Serviços técnicos", 2, 3, 1},
      {16, "03.02", "Serviços terceirizados", 2, 3, 1},
      {17, "04", "Equipamentos", 1, 4, 2},
      {18, "04.01", "Locação de equipamentos", 2, 4, 2},
      {19, "05", "Despesas", 1, 5, 3},
      {20, "05.01", "Despesas do canteiro", 2, 5, 3},
      {21, "05.02", "Despesas diversas", 2, 5, 3},
  };
  return g;
}

const TGrupoDemo& Grupo(int codigo) { return Grupos()[static_cast<size_t>(codigo - 1)]; }

struct TInsumoDemo {
  int Codigo;
  const char* Descr;
  const char* Compl;
  int Grupo;
  int Unidade;      // 0: none
  int Fase;         // works phase its cost belongs to
  double QtdPorM2;  // budgeted quantity per m² of the development
  double Preco;     // reference unit price, in reais
  bool Central;     // bought by the central warehouse and sent to the sites
  int Tipos;        // development kinds it serves: bit (1 << kind)
};

constexpr int kV = 1 << 1, kH = 1 << 2, kC = 1 << 3, kL = 1 << 4, kTodos = kV | kH | kC | kL;

const std::vector<TInsumoDemo>& Insumos() {
  static const std::vector<TInsumoDemo> i = {
      {1, "Cimento Portland CP II-E-32", "Saco de 50 kg", 2, 6, 8, 0.90, 34.90, true, kV | kH | kC},
      {2, "Areia média lavada", "Granulometria 0,6 a 2,0 mm", 2, 4, 8, 0.12, 128.00, true, kV | kH | kC},
      {3, "Brita nº 1", "Pedra britada 9,5 a 19 mm", 2, 4, 5, 0.08, 142.50, true, kTodos},
      {4, "Cal hidratada CH-III", "Saco de 20 kg", 2, 6, 14, 0.25, 18.70, false, kV | kH | kC},
      {5, "Argamassa colante AC-II", "Saco de 20 kg", 2, 6, 14, 0.35, 27.40, false, kV | kH | kC},
      {6, "Vergalhão CA-50 10,0 mm", "Barra de 12 m", 3, 5, 8, 18.0, 7.85, true, kV | kH | kC},
      {7, "Vergalhão CA-50 8,0 mm", "Barra de 12 m", 3, 5, 8, 9.0, 8.10, true, kV | kH | kC},
      {8, "Arame recozido nº 18", "Rolo de 1 kg", 3, 5, 8, 0.30, 16.90, false, kV | kH | kC},
      {9, "Tela soldada Q-138", "Painel 2,45 x 6,00 m", 3, 3, 5, 0.40, 22.60, false, kV | kH | kC},
      {10, "Bloco cerâmico de vedação 14x19x29 cm", "Nove furos", 4, 1, 11, 14.0, 1.95, false, kV | kH | kC},
      {11, "Bloco de concreto estrutural 14x19x39 cm", "Classe A", 4, 1, 11, 4.0, 3.80, false, kV | kC},
      {12, "Tábua de pinus 2,5 x 30 cm", "Bruta", 5, 2, 8, 1.10, 9.40, false, kV | kH | kC},
      {13, "Chapa de compensado resinado 17 mm", "2,20 x 1,10 m", 5, 11, 8, 0.12, 96.00, false, kV | kC},
      {14, "Tubo de PVC para esgoto 100 mm", "Barra de 6 m", 6, 2, 13, 0.50, 28.50, false, kTodos},
      {15, "Tubo de PVC soldável 25 mm", "Barra de 6 m", 6, 2, 13, 1.20, 6.90, false, kTodos},
      {16, "Registro de gaveta 3/4\"", "Bruto, metal", 6, 1, 13, 0.05, 74.00, false, kV | kH | kC},
      {17, "Caixa d'água de polietileno 1.000 L", "Com tampa", 6, 1, 13, 0.006, 489.00, false, kV | kH | kC},
      {18, "Cabo flexível 2,5 mm²", "750 V, rolo de 100 m", 7, 2, 12, 6.0, 2.35, false, kTodos},
      {19, "Eletroduto corrugado 3/4\"", "Rolo de 50 m", 7, 2, 12, 3.0, 1.80, false, kTodos},
      {20, "Disjuntor termomagnético 20 A", "Monopolar, curva C", 7, 1, 12, 0.08, 21.50, false, kV | kH | kC},
      {21, "Quadro de distribuição para 12 disjuntores", "De embutir", 7, 1, 12, 0.012, 168.00, false, kV | kH | kC},
      {22, "Porcelanato polido 60 x 60 cm", "Retificado, tipo A", 8, 3, 14, 0.55, 69.90, false, kV | kH | kC},
      {23, "Revestimento cerâmico 30 x 60 cm", "Parede, tipo A", 8, 3, 14, 0.45, 38.50, false, kV | kH | kC},
      {24, "Rejunte flexível", "Saco de 5 kg", 8, 5, 14, 0.30, 9.80, false, kV | kH | kC},
      {25, "Tinta acrílica fosca", "Lata de 18 L, branco neve", 8, 7, 18, 0.06, 329.00, false, kV | kH | kC},
      {26, "Massa corrida PVA", "Lata de 18 L", 8, 7, 18, 0.05, 98.00, false, kV | kH | kC},
      {27, "Janela de alumínio 1,20 x 1,00 m", "Com vidro liso", 9, 1, 17, 0.05, 890.00, false, kV | kH | kC},
      {28, "Porta de madeira semioca 0,80 x 2,10 m", "Com batente", 9, 1, 17, 0.06, 345.00, false, kV | kH | kC},
      {29, "Vidro temperado 8 mm", "Incolor", 9, 3, 17, 0.06, 210.00, false, kV | kC},
      {30, "Conjunto de fechadura e dobradiças", "Cromado", 9, 13, 17, 0.06, 89.00, false, kV | kH | kC},
      {31, "Concreto usinado fck 30 MPa", "Bombeado, abatimento 10 cm", 10, 4, 8, 0.18, 465.00, false, kTodos},
      {32, "Empreitada de estrutura de concreto", "Forma, armação e concretagem", 12, 4, 8, 0.18, 380.00, false, kV | kC},
      {33, "Empreitada de alvenaria", "Vedação com blocos cerâmicos", 12, 3, 11, 1.60, 38.00, false, kV | kH | kC},
      {34, "Empreitada de revestimento", "Reboco e assentamento", 12, 3, 14, 1.20, 42.00, false, kV | kH | kC},
      {35, "Empreitada de pintura", "Massa e duas demãos", 12, 3, 18, 2.50, 16.50, false, kV | kH | kC},
      {36, "Pedreiro", "Hora normal", 13, 8, 11, 1.20, 31.50, false, kTodos},
      {37, "Servente", "Hora normal", 13, 8, 2, 2.00, 19.80, false, kTodos},
      {38, "Eletricista", "Hora normal", 13, 8, 12, 0.60, 36.00, false, kTodos},
      {39, "Encanador", "Hora normal", 13, 8, 13, 0.50, 35.00, false, kTodos},
      {40, "Projeto estrutural", "Por m² de área construída", 15, 3, 2, 1.00, 18.00, false, kV | kH | kC},
      {41, "Sondagem a percussão (SPT)", "Por metro perfurado", 15, 2, 5, 0.03, 95.00, false, kTodos},
      {42, "Levantamento topográfico", "Equipe com estação total", 15, 12, 2, 0.002, 1450.00, false, kTodos},
      {43, "Ensaio de compressão de corpo de prova", "Concreto", 15, 1, 8, 0.05, 38.00, false, kV | kC},
      {44, "Terraplenagem e escavação", "Corte, aterro e compactação", 16, 4, 2, 0.35, 42.00, false, kTodos},
      {45, "Impermeabilização com manta asfáltica", "4 mm, aplicada", 16, 3, 14, 0.25, 89.00, false, kV | kH | kC},
      {46, "Fornecimento e instalação de elevador", "8 passageiros", 16, 1, 17, 0.0015, 185000.00, false, kV | kC},
      {47, "Limpeza final de obra", "Pós-obra", 16, 3, 19, 1.00, 6.50, false, kTodos},
      {48, "Locação de betoneira 400 L", "Mensal", 18, 9, 8, 0.004, 480.00, false, kTodos},
      {49, "Locação de andaime tubular", "Mensal, 100 m²", 18, 9, 14, 0.010, 650.00, false, kV | kH | kC},
      {50, "Locação de grua", "Mensal, com operador", 18, 9, 8, 0.004, 18500.00, false, kV | kC},
      {51, "Caçamba para entulho 5 m³", "Retirada inclusa", 18, 1, 2, 0.020, 320.00, false, kTodos},
      {52, "Energia elétrica do canteiro", "Conta mensal", 20, 9, 2, 0.008, 1850.00, false, kTodos},
      {53, "Água e esgoto do canteiro", "Conta mensal", 20, 9, 2, 0.008, 620.00, false, kTodos},
      {54, "Taxas, licenças e emolumentos", "Alvarás e registros", 20, 0, 2, 0.001, 8500.00, false, kTodos},
  };
  return i;
}

const TInsumoDemo& Insumo(int codigo) { return Insumos()[static_cast<size_t>(codigo - 1)]; }
bool Material(const TInsumoDemo& i) { return Grupo(i.Grupo).TipoInsumo == 1; }
// Inputs counted in whole units (bags, cans, pieces, sheets, sets).
bool Inteiro(const TInsumoDemo& i) {
  return i.Unidade == 1 || i.Unidade == 6 || i.Unidade == 7 || i.Unidade == 11 || i.Unidade == 13;
}

struct TFaseDemo {
  int Codigo;
  const char* Classif;
  const char* Descr;
  int Tipo;
  double Part;       // per cent of the works, or of the parent phase for a sub-phase
  double Ini, Fim;   // window in the plan, as fractions of the works' duration
};

const std::vector<TFaseDemo>& Fases() {
  static const std::vector<TFaseDemo> f = {
      {1, "00", "Obra completa", 1, 100, 0.00, 1.00},
      {2, "01", "Serviços preliminares", 1, 5, 0.00, 0.08},
      {3, "01.01", "Instalação do canteiro de obras", 2, 40, 0.00, 0.04},
      {4, "01.02", "Locação da obra", 2, 60, 0.04, 0.08},
      {5, "02", "Fundações", 1, 12, 0.05, 0.20},
      {6, "02.01", "Estacas", 2, 70, 0.05, 0.125},
      {7, "02.02", "Blocos e vigas baldrames", 2, 30, 0.125, 0.20},
      {8, "03", "Estrutura", 1, 25, 0.15, 0.50},
      {9, "03.01", "Pilares e vigas", 2, 55, 0.15, 0.325},
      {10, "03.02", "Lajes", 2, 45, 0.325, 0.50},
      {11, "04", "Alvenaria", 1, 12, 0.35, 0.65},
      {12, "05", "Instalações elétricas", 1, 8, 0.45, 0.85},
      {13, "06", "Instalações hidráulicas", 1, 8, 0.45, 0.85},
      {14, "07", "Revestimentos", 1, 12, 0.60, 0.90},
      {15, "07.01", "Reboco", 2, 50, 0.60, 0.75},
      {16, "07.02", "Cerâmica e porcelanato", 2, 50, 0.75, 0.90},
      {17, "08", "Esquadrias", 1, 6, 0.75, 0.95},
      {18, "09", "Pintura", 1, 7, 0.85, 0.98},
      {19, "10", "Limpeza e entrega", 1, 5, 0.96, 1.00},
  };
  return f;
}

const TFaseDemo& Fase(int codigo) { return Fases()[static_cast<size_t>(codigo - 1)]; }

struct TUnidadeMedidaDemo {
  int Codigo;
  const char* Descr;
  const char* Abrev;
};

const std::vector<TUnidadeMedidaDemo>& UnidadesMedida() {
  static const std::vector<TUnidadeMedidaDemo> u = {
      {1, "Unidade", "un"},   {2, "Metro", "m"},         {3, "Metro quadrado", "m²"}, {4, "Metro cúbico", "m³"},
      {5, "Quilograma", "kg"}, {6, "Saco", "sc"},         {7, "Lata", "lt"},           {8, "Hora", "h"},
      {9, "Mês", "mês"},       {10, "Verba", "vb"},       {11, "Chapa", "ch"},         {12, "Dia", "dia"},
      {13, "Conjunto", nullptr},
  };
  return u;
}

struct TTipoImovelDemo {
  int Codigo;
  const char* Descr;
  double Total, Util, Garagem;  // m²: private area, usable area, garage area
};

const std::vector<TTipoImovelDemo>& TiposImovel() {
  static const std::vector<TTipoImovelDemo> t = {
      {1, "Apartamento 2 dormitórios", 62.40, 54.10, 12.00},
      {2, "Apartamento 3 dormitórios", 84.75, 73.20, 24.00},
      {3, "Cobertura duplex", 152.30, 131.60, 24.00},
      {4, "Sala comercial", 38.20, 33.40, 0},
      {5, "Loja térrea", 74.50, 68.90, 0},
      {6, "Casa térrea 3 dormitórios", 112.60, 98.30, 0},
      {7, "Lote residencial", 300.00, 300.00, 0},
  };
  return t;
}

// Development kinds: 1 apartment building, 2 gated houses, 3 commercial, 4 land subdivision.
struct TModeloEmpreend {
  const char* Nome;
  int Tipo;
  int Torres, Andares, PorAndar;  // buildings; houses or lots in PorAndar
  bool Cobertura;
};

const std::vector<TModeloEmpreend>& ModelosEmpreend() {
  static const std::vector<TModeloEmpreend> m = {
      {"Residencial Jardim das Acácias", 1, 2, 4, 2, false},
      {"Condomínio Villa Toscana", 2, 1, 1, 10, false},
      {"Edifício Solar do Ipê", 1, 1, 6, 3, true},
      {"Torre Empresarial Barão Geraldo", 3, 1, 5, 4, false},
      {"Residencial Parque das Águas", 1, 2, 5, 2, false},
      {"Loteamento Recanto dos Pássaros", 4, 1, 1, 16, false},
      {"Residencial Bosque dos Jequitibás", 1, 1, 5, 3, false},
      {"Condomínio Reserva São Conrado", 2, 1, 1, 12, false},
      {"Edifício Mirante da Serra", 1, 1, 6, 2, true},
      {"Centro Comercial Paço Imperial", 3, 1, 4, 4, false},
      {"Residencial Vila Sônia", 1, 2, 4, 2, false},
      {"Loteamento Colinas do Atibaia", 4, 1, 1, 14, false},
      {"Edifício Maison Côte d'Azur", 1, 1, 5, 2, true},
      {"Residencial Pôr do Sol", 1, 1, 4, 4, false},
      {"Condomínio Jardim Botânico", 2, 1, 1, 8, false},
      {"Edifício Conceição Tower", 3, 1, 6, 3, false},
      {"Residencial Praça São Bento", 1, 2, 3, 3, false},
      {"Loteamento Estância Guaraná", 4, 1, 1, 12, false},
  };
  return m;
}

struct TEmpresaDemo {
  int Codigo;
  const char* Nome;
  const char* Fantasia;
  const char* Sigla;
  int64_t RaizCnpj;
  const char* Rua;
  const char* Numero;
  const char* Complemento;
  const char* Bairro;
  const char* Cidade;
  const char* Uf;
  const char* Cep;
  const char* Fone;
  const char* Fax;
  const char* Email;
  uint32_t Cor;  // 0: no logo
  int Empreendimentos;
  std::vector<const char*> Bairros;
  std::vector<const char*> Ruas;
  int Moeda;
  double Cotacao[3];  // budget currency rate, initial budget and revisions
};

const std::vector<TEmpresaDemo>& Empresas() {
  static const std::vector<TEmpresaDemo> e = {
      {1, "Construtora Horizonte Ltda", "Horizonte Construtora", "HORIZONTE", 12345678, "Avenida Paulista", "1578",
       "Conjunto 92", "Bela Vista", "São Paulo", "SP", "01310-200", "(11) 3251-4400", "(11) 3251-4401",
       "contato@horizonteconstrutora.com.br", 0x1F4E9A, 3,
       {"Vila Mariana", "Moema", "Santana", "Tatuapé", "Pinheiros", "Ipiranga"},
       {"Rua das Acácias", "Rua Tuim", "Rua Conselheiro Brotero", "Alameda dos Maracatins", "Rua Padre Anchieta",
        "Rua Voluntários da Pátria"},
       1, {1.0, 1.0, 1.0}},
      {2, "Incorporadora Vale Verde S.A.", "Vale Verde", "VALE VERDE", 23456789, "Rua Barão de Jaguara", "707",
       "10º andar", "Centro", "Campinas", "SP", "13015-001", "(19) 3232-1180", "", "financeiro@valeverde.com.br",
       0x2E7D32, 2, {"Cambuí", "Taquaral", "Barão Geraldo", "Nova Campinas"},
       {"Rua Coronel Quirino", "Avenida Albino José Barbosa de Oliveira", "Rua Maria Monteiro", "Rua Sampainho"}, 2,
       {2087.5432, 2131.9874, 2176.4410}},
      {3, "Ribeiro & Filhos Engenharia Ltda", "Ribeiro & Filhos", "RIBEIRO", 34567890, "Rua XV de Novembro", "1299",
       "", "Centro", "Curitiba", "PR", "80060-000", "(41) 3322-5090", "(41) 3322-5091",
       "obras@ribeiroefilhos.eng.br", 0, 1, {"Batel", "Água Verde", "Santa Felicidade"},
       {"Rua Desembargador Motta", "Avenida Iguaçu", "Rua Padre Agostinho"}, 3, {5.4128, 5.2391, 5.6012}},
  };
  return e;
}

struct TFornecedorDemo {
  const char* Nome;
  const char* Fantasia;
  std::vector<int> Grupos;   // analytic input groups it sells
  std::vector<int> Insumos;  // specific inputs (utilities, specialists)
  const char* Cidade;
  const char* Uf;
  bool Fone, Fax, Email;
};

const std::vector<TFornecedorDemo>& FornecedoresBase() {
  static const std::vector<TFornecedorDemo> f = {
      {"Casa do Construtor Itaú Materiais Ltda", "Casa do Construtor", {2, 4, 5}, {}, "São Paulo", "SP", true, true, true},
      {"Aço Forte Distribuidora de Ferro S.A.", "Aço Forte", {3}, {}, "Guarulhos", "SP", true, false, true},
      {"Cerâmica São Jorge Indústria e Comércio Ltda", "Cerâmica São Jorge", {4, 8}, {}, "Tatuí", "SP", true, true, false},
      {"Madeireira Paraná Ltda", "Madeireira Paraná", {5}, {}, "Curitiba", "PR", true, false, true},
      {"Hidráulica Água Limpa Comércio Ltda", "Água Limpa", {6}, {}, "Campinas", "SP", true, true, true},
      {"Elétrica Luz & Força Materiais Elétricos Ltda", "Luz & Força", {7}, {}, "São Paulo", "SP", true, false, true},
      {"Acabamentos Nobre Comércio de Pisos Ltda", "Nobre Acabamentos", {8}, {}, "Santo André", "SP", true, false, true},
      {"Vidraçaria e Esquadrias Cristal Ltda", "Cristal Esquadrias", {9}, {}, "Osasco", "SP", true, true, true},
      {"Concreteira Pedra Azul S.A.", "Pedra Azul", {10}, {}, "Jundiaí", "SP", true, false, true},
      {"Empreiteira Irmãos Araújo Ltda", "Irmãos Araújo", {12}, {}, "São Paulo", "SP", true, false, false},
      {"Gonçalves & Conceição Serviços de Pintura Ltda", "G&C Pinturas", {12}, {}, "Campinas", "SP", true, false, true},
      {"Cooperativa de Mão de Obra União Ltda", "Coop União", {13}, {}, "São Paulo", "SP", true, true, true},
      {"Escritório Técnico Simões Engenharia Ltda", "Simões Engenharia", {}, {40, 42, 43}, "São Paulo", "SP", true, false, true},
      {"Geotécnica Sondagens do Brasil Ltda", "Geotécnica", {}, {41}, "Sorocaba", "SP", true, false, true},
      {"Terraplenagem Bandeirantes Ltda", "Bandeirantes", {}, {44}, "Barueri", "SP", true, false, false},
      {"Impermeabilizações Vedatudo Ltda", "Vedatudo", {}, {45, 47}, "São Paulo", "SP", true, true, true},
      {"Elevadores Ascensão S.A.", "Ascensão", {}, {46}, "São Paulo", "SP", true, false, true},
      {"Locadora de Equipamentos Guindaste Forte Ltda", "Guindaste Forte", {}, {48, 50}, "São Bernardo do Campo", "SP", true, false, true},
      {"Andaimes São Cristóvão Locações Ltda", "São Cristóvão", {}, {49, 51}, "Campinas", "SP", true, false, true},
      {"Companhia Paulista de Energia Elétrica", "CPEE", {}, {52}, "São Paulo", "SP", true, false, true},
      {"Companhia de Saneamento Básico Regional", "Saneamento Regional", {}, {53}, "São Paulo", "SP", false, false, true},
      {"Cartório de Registro de Imóveis e Anexos", "Registro de Imóveis", {}, {54}, "São Paulo", "SP", false, false, false},
      {"Distribuidora Nossa Senhora Aparecida Materiais Ltda", "N. S. Aparecida", {2, 3, 6, 7}, {}, "Aparecida", "SP", true, true, true},
      {"Comercial Pôr do Sol Materiais de Construção Ltda", "Pôr do Sol", {2, 4, 8}, {}, "Curitiba", "PR", true, false, true},
  };
  return f;
}

const std::vector<const char*>& PrenomesDemo() {
  static const std::vector<const char*> p = {
      "Ana Paula", "João Batista", "Maria José", "José Antônio", "Francisca", "Luís Henrique", "Márcia", "Sérgio",
      "Conceição", "André Luiz", "Patrícia", "Antônio Carlos", "Fábio", "Cláudia", "Vinícius", "Letícia",
      "Rogério", "Beatriz", "Mônica", "Otávio", "Lúcia Helena", "Gustavo", "Débora", "Raimundo", "Tânia",
      "Caio", "Jéssica", "Inês", "Ângelo", "Glória"};
  return p;
}

const std::vector<const char*>& SobrenomesDemo() {
  static const std::vector<const char*> s = {
      "Gonçalves", "Araújo", "Conceição", "Simões", "Magalhães", "Ribeiro", "Assunção", "Brandão", "Fernandes",
      "Guimarães", "Lopes", "Nogueira", "Peçanha", "Quintão", "Sá", "Teixeira", "Valadão", "Zanetti", "Falcão",
      "Damásio", "Esteves", "Câmara", "Loureiro", "Meireles", "Prado", "Rocha", "Sampaio", "Tavares", "Vasconcelos",
      "Ximenes"};
  return s;
}

// ---------------------------------------------------------------------------
// Writing: one prepared insert per table, all run in batches.

class TTabela {
 public:
  TTabela(TnDMConexao& conexao, std::string nome, const std::vector<std::string>& colunas)
      : FNome(std::move(nome)), FColunas(colunas.size()) {
    std::string lista, valores;
    for (const auto& c : colunas) {
      lista += (lista.empty() ? "" : ", ") + c;
      valores += (valores.empty() ? ":" : ", :") + c;
    }
    FLote = conexao.PrepararLote("insert into " + FNome + " (" + lista + ") values (" + valores + ")");
  }
  void operator()(const std::vector<TValor>& valores) {
    if (valores.size() != FColunas) throw std::logic_error("Linha com colunas a mais ou a menos para " + FNome + ".");
    FLote->Executar(valores);
    ++FLinhas;
  }
  void Confirmar() { FLote->Confirmar(); }
  int64_t Linhas() const { return FLinhas; }

 private:
  std::string FNome;
  size_t FColunas;
  int64_t FLinhas = 0;
  std::unique_ptr<TnDMConexao::TnLote> FLote;
};

struct TTabelas {
  explicit TTabelas(TnDMConexao& c)
      : Pessoa(c, "PESSOAFINANCEIRO", {"CODIGOPESSOAFIN", "NOME", "NOMEFANTASIA", "TIPOPESSOA", "INSCFEDERAL", "INSCESTADUAL", "INSCMUNICIPAL", "DATACADASTRO"}),
        Escritorio(c, "ESCRITORIO", {"CODIGOESCRIT", "SIGLAESCRIT", "LOGO", "ATIVO"}),
        Contato(c, "PESSOACONTATO", {"CODIGOPESSOAFIN", "CODIGOPESSOACONTATO", "TIPOCONTATO", "VALOR", "OBSERVACAO"}),
        Relacao(c, "PESSOARELACAO", {"CODIGOPESSOAFIN", "CODIGOPESSOARELACIONADA", "TIPORELACIONAMENTO"}),
        Endereco(c, "ENDERECO", {"CODIGOENDERECO", "LOGRADOURO", "NUMERO", "COMPLEMENTO", "BAIRRO", "CIDADE", "UF", "CEP"}),
        PessoaEndereco(c, "PESSOAENDERECO", {"CODIGOPESSOAFIN", "CODIGOENDERECO", "PADRAO", "TIPOENDERECO"}),
        UnidadeMedida(c, "UNIDADEMEDIDA", {"CODIGOUNIDADEMEDIDA", "DESCRUNIDADE", "ABREVIATURA"}),
        InsumoGrupo(c, "INSUMOGRUPO", {"CODIGOINSUMOGRUPO", "CLASSIFGRUPO", "DESCRGRUPO", "TIPOGRUPO"}),
        Insumo(c, "INSUMO", {"CODIGOINSUMO", "DESCRINSUMO", "DESCRCOMPLEMENTAR", "CODIGOINSUMOGRUPO", "CODIGOUNIDADEMEDIDA", "TIPOINSUMO", "CLASSIFINSUMO"}),
        Moeda(c, "FPRMOEDA", {"CODIGOMOEDA", "NOMEMOEDA", "SIMBOLOMOEDA"}),
        Empreendimento(c, "EMPREENDIMENTO", {"CODIGOESCRIT", "CODIGOEMPREEND", "NOMEEMPRE", "TIPOEMPREENDIMENTO", "FORMARATEIO", "CODIGOENDERECO", "DATALANCAMENTO"}),
        TipoImovel(c, "TPIMOVEL", {"CODIGOTPIMOVEL", "DSTPIMOVEL"}),
        Imovel(c, "IMOVEL", {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOEMPREEND", "CODIGOTPIMOVEL", "DESCRIMOVEL", "UNIDADE", "BLOCO", "QUADRA", "LOTE", "CODIGOENDERECO", "NUMERO", "COMPLEMENTO", "UTILIZACAOIMOVEL", "CODCADMUNIC", "ZONAFISCAL", "FRACAOTERRENO", "TESTADATERRENO", "CODIGOPROPRIETARIO"}),
        ImovelArea(c, "IMOVELAREA", {"CODIGOESCRIT", "CODIGOIMOVEL", "CODIGOIMOVELAREA", "DESCRAREA", "TOTALMQUADRADO", "TOTALMUTIL"}),
        Estrutura(c, "EMPREENDIMENTOESTRUTURA", {"CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA", "CLASSIFESTRUTURA", "DESCRESTRUTURA", "TIPOESTRUTURA", "CODIGOIMOVEL", "COEFICIENTEMQUADRADO", "TOTALMQUADRADO", "TOTALMQUADRADOUTIL"}),
        Obra(c, "OBRA", {"CODIGOESCRIT", "CODIGOOBRA", "DESCROBRA", "CODIGOEMPREEND", "DATAPREVINICIO", "DATAPREVFIM", "DATAEXECINICIO", "DATAEXECFIM"}),
        ObraFase(c, "OBRAFASE", {"CODIGOESCRIT", "CODIGOOBRA", "CODIGOFASE", "CLASSIFICACAO", "DESCRICAO", "TIPO", "DATAINICIOPREV", "DATAFIMPREV", "DATAINICIOEXEC", "DATAFIMEXEC", "PERCENTPARTICIPACAO", "PERCENTCONCLUSAO"}),
        Foto(c, "OBRAFASEFOTO", {"CODIGOESCRIT", "CODIGOOBRA", "CODIGOFASE", "CODIGOFOTO", "DATAFOTO", "DESCRFOTO", "FOTOPEQUENA"}),
        Orcamento(c, "OBRAORCAMENTO", {"CODIGOESCRIT", "CODIGOOBRA", "DATAORCAMENTO", "DESCRORCAMENTO", "CODIGOMOEDA", "CONVERTERMOEDA", "VALORCOTACAOMOEDA", "VALORTOTALORCADO"}),
        OrcamentoInsumo(c, "OBRAORCAMENTOINSUMO", {"CODIGOESCRIT", "CODIGOOBRA", "DATAORCAMENTO", "CODIGOORCAMENTOINSUMO", "CODIGOINSUMO", "CODIGOUNIDADEMEDIDA", "CODIGOFASE", "QUANTIDADE", "VALORUNITARIO", "VALORTOTAL"}),
        Estoque(c, "ESTOQUE", {"CODIGOESCRIT", "CODIGOESTOQUE", "DESCRESTOQUE", "CODIGOEMPREEND"}),
        Movimento(c, "ESTOQUEMOVIMENTO", {"CODIGOESCRIT", "CODIGOESTOQUE", "CODIGOMVTOESTOQUE", "DATAMVTOESTOQUE", "TIPOMVTOESTOQUE", "CODIGOINSUMO", "QUANTIDADEMVTO", "VALORCUSTOOPERACIONALUNIT", "REFERENCIA", "DOCUMENTO", "CODIGOOBRA", "HISTORICO"}),
        Rateio(c, "RATEIO", {"CODIGOESCRIT", "CODIGOEMPREEND", "CODIGOESTRUTURA", "CODIGORATEIO", "DATARATEIO", "TIPOMVTOESTOQUE", "CODIGOINSUMO", "CODIGOESTOQUE", "CODIGOMVTOESTOQUE", "CODIGOOBRA", "CODIGOFASE", "QUANTIDADERATEIO", "VALORRATEIO"}),
        Nota(c, "NOTAENTRADA", {"CODIGOESCRIT", "CODIGONOTAENT", "NUMERONOTA", "ESPECIENOTA", "SERIENOTA", "CODIGOPESSOAFIN", "DATAEMISSAONOTA", "DATAENTRADANOTA", "VALORTOTALNOTA", "QUANTIDADEPARC", "FORMAPGTONOTA", "STATUSNOTA", "OBSERVACAO"}),
        NotaItem(c, "NOTAENTRADAITEM", {"CODIGOESCRIT", "CODIGONOTAENT", "CODIGONOTAENTITEM", "CODIGOINSUMO", "CODIGOUNIDADEMEDIDA", "QUANTIDADEITEM", "VALORUNITARIOITEM", "VALORTOTALITEM"}),
        NotaItemMovimento(c, "NOTAENTRADAITEMMVTOESTOQUE", {"CODIGOESCRIT", "CODIGONOTAENT", "CODIGONOTAENTITEM", "CODIGOESTOQUE", "CODIGOMVTOESTOQUE"}),
        NotaItemRateio(c, "NOTAENTRADAITEMRATEIO", {"CODIGOESCRIT", "CODIGONOTAENT", "CODIGONOTAENTITEM", "CODIGOEMPREEND", "CODIGOESTRUTURA", "CODIGORATEIO"}),
        Parcela(c, "NOTAENTRADAPARCELA", {"CODIGOESCRIT", "CODIGONOTAENT", "CODIGONOTAENTPARCELA", "DATAEMISSAOPARC", "DATAVENCIMENTOPARC", "VALORPARC", "SALDOPAGAR", "SITUACAOPGTOPARC"}),
        Baixa(c, "NOTAENTRADAPARCELABAIXA", {"CODIGOESCRIT", "CODIGONOTAENT", "CODIGONOTAENTPARCELA", "CODIGONOTAENTPARCELABAIXA", "DATABAIXA", "VALORBAIXA", "VALORJUROS", "VALORMULTA", "VALORDESCONTO"}),
        Cotacao(c, "ORCAMENTOENTRADA", {"CODIGOESCRIT", "CODIGOORCAMENTOENT", "DATAORCAMENTOENT", "DESCRORCAMENTOENT", "CODIGOOBRA"}),
        CotacaoItem(c, "ORCAMENTOENTRADAITEM", {"CODIGOESCRIT", "CODIGOORCAMENTOENT", "SEQINSUMO", "CODIGOINSUMO", "CODIGOUNIDADEMEDIDA", "QUANTIDADE"}) {}

  void ConfirmarTodas() {
    for (TTabela* t : {&Pessoa, &Escritorio, &Contato, &Relacao, &Endereco, &PessoaEndereco, &UnidadeMedida,
                       &InsumoGrupo, &Insumo, &Moeda, &Empreendimento, &TipoImovel, &Imovel, &ImovelArea, &Estrutura,
                       &Obra, &ObraFase, &Foto, &Orcamento, &OrcamentoInsumo, &Estoque, &Movimento, &Rateio, &Nota,
                       &NotaItem, &NotaItemMovimento, &NotaItemRateio, &Parcela, &Baixa, &Cotacao, &CotacaoItem})
      t->Confirmar();
  }

  TTabela Pessoa, Escritorio, Contato, Relacao, Endereco, PessoaEndereco, UnidadeMedida, InsumoGrupo, Insumo, Moeda,
      Empreendimento, TipoImovel, Imovel, ImovelArea, Estrutura, Obra, ObraFase, Foto, Orcamento, OrcamentoInsumo,
      Estoque, Movimento, Rateio, Nota, NotaItem, NotaItemMovimento, NotaItemRateio, Parcela, Baixa, Cotacao,
      CotacaoItem;
};

// ---------------------------------------------------------------------------
// The generator.

struct TUnidadeRateio {
  int Estrutura;
  int64_t Peso;  // area share used to spread costs
};

struct TEmpreendDemo {
  int Codigo;
  std::string Nome;
  int Tipo, FormaRateio;
  int Estoque;  // its site stock
  int Andares;
  TQuatro AreaTotal = 0, AreaUtil = 0;
  std::vector<TUnidadeRateio> Unidades;
};

struct TLinhaOrcamento {
  int Insumo;
  TQuatro Qtd, Unitario;
  TCentavos Total;
};

struct TObraDemo {
  int Codigo;
  size_t Empreend;  // index in the company's developments
  std::string Descr;
  TDateTime Inicio, FimPrev, FimReal;
  double Ritmo;  // actual pace against the plan (1 = on time)
  std::vector<TLinhaOrcamento> Orcamento;

  bool Concluida() const { return FimReal <= DataBase(); }
  // Share of the plan done by day d.
  double Progresso(TDateTime d) const {
    const double p = (d - Inicio) * Ritmo / (FimPrev - Inicio);
    return std::clamp(p, 0.0, 1.0);
  }
  // Day the plan's fraction f is reached.
  TDateTime Quando(double f) const { return std::floor(Inicio + f * (FimPrev - Inicio) / Ritmo); }
  TDateTime Previsto(double f) const { return std::floor(Inicio + f * (FimPrev - Inicio)); }
  double Conclusao(const TFaseDemo& fase) const {
    return std::clamp((Progresso(DataBase()) - fase.Ini) / (fase.Fim - fase.Ini), 0.0, 1.0);
  }
};

struct TSaldo {
  TQuatro Qtd = 0;
  long double Valor = 0;  // reais, as the movements' quantity times unit cost add up
  TQuatro CustoMedio() const {
    return Qtd > 0 ? std::llround(Valor * 10000.0L * 10000.0L / static_cast<long double>(Qtd)) : 0;
  }
};

class TGeradorDemo {
 public:
  TGeradorDemo(TnDMConexao& conexao, int escala) : T(conexao), FEscala(escala), FSorte(20260101) {}

  void Gerar() {
    Cadastros();
    Empresas_();
    Signatarios();
    Fornecedores();
    for (const TEmpresaDemo& e : Empresas()) Empresa(e);
    T.ConfirmarTodas();
  }

 private:
  TTabelas T;
  int FEscala;
  TSorteio FSorte;
  int FProximoEndereco = 1;
  int FProximoContato = 2001;
  int FProximoProprietario = 10001;
  int FEmpreendExtra = 0;  // developments beyond the base ones, across companies
  std::map<int, std::vector<int>> FFornecedoresInsumo;  // input -> suppliers
  std::vector<int> FFornecedores;

  // Per company while it is generated.
  const TEmpresaDemo* FEmpresa = nullptr;
  std::vector<TEmpreendDemo> FEmpreends;
  std::vector<TObraDemo> FObras;
  std::map<std::pair<int, int>, TSaldo> FSaldos;  // (stock, input)
  int FProximoImovel = 0, FProximoMovimento = 0, FProximoRateio = 0, FProximaNota = 0;

  int NovoEndereco(const std::string& rua, const std::string& numero, const std::string& complemento,
                   const std::string& bairro, const std::string& cidade, const std::string& uf, const std::string& cep) {
    const int codigo = FProximoEndereco++;
    T.Endereco({codigo, TextoOuNulo(rua), TextoOuNulo(numero), TextoOuNulo(complemento), TextoOuNulo(bairro),
                TextoOuNulo(cidade), TextoOuNulo(uf), TextoOuNulo(cep)});
    return codigo;
  }

  std::string CepAleatorio(const std::string& uf) {
    const int base = uf == "PR" ? 80000 : 1000 + FSorte.Entre(0, 12000);
    return Digitos(base + FSorte.Entre(0, 2999), 5) + "-" + Digitos(FSorte.Entre(0, 999), 3);
  }

  std::string NomePessoa(int n) {
    const auto& p = PrenomesDemo();
    const auto& s = SobrenomesDemo();
    const size_t a = static_cast<size_t>(n) % p.size();
    const size_t b = (static_cast<size_t>(n) * 7 + 3) % s.size();
    const size_t c = (static_cast<size_t>(n) * 13 + 11) % s.size();
    return std::string(p[a]) + " " + s[b] + (b == c ? "" : std::string(" ") + s[c]);
  }

  void Cadastros() {
    for (const auto& u : UnidadesMedida()) T.UnidadeMedida({u.Codigo, u.Descr, u.Abrev ? TValor(u.Abrev) : TValor()});
    for (const auto& g : Grupos()) T.InsumoGrupo({g.Codigo, g.Classif, g.Descr, g.Tipo});
    for (const auto& i : Insumos())
      T.Insumo({i.Codigo, i.Descr, i.Compl, i.Grupo, CodigoOuNulo(i.Unidade), Grupo(i.Grupo).TipoInsumo,
                Grupo(i.Grupo).ClassifInsumo});
    T.Moeda({1, "Real", "R$"});
    T.Moeda({2, "CUB-SP", "CUB"});
    T.Moeda({3, "Dólar americano", "US$"});
    for (const auto& t : TiposImovel()) T.TipoImovel({t.Codigo, t.Descr});
  }

  void Empresas_() {
    for (const TEmpresaDemo& e : Empresas()) {
      T.Pessoa({e.Codigo, e.Nome, e.Fantasia, "J", Cnpj(e.RaizCnpj, 1), Digitos(e.RaizCnpj * 7 % 1000000000, 9) + "." + Digitos(e.Codigo, 3),
                Digitos(e.RaizCnpj % 9999991, 7), Dia(EncodeDate(2009 + e.Codigo * 3, 3 + e.Codigo, 10))});
      T.Escritorio({e.Codigo, e.Sigla, e.Cor ? TValor(DesenharLogo(e.Sigla, e.Cor)) : TValor(), 1});
      const int end = NovoEndereco(e.Rua, e.Numero, e.Complemento, e.Bairro, e.Cidade, e.Uf, e.Cep);
      T.PessoaEndereco({e.Codigo, end, 1, 1});
      int seq = 1;
      T.Contato({e.Codigo, seq++, 3, e.Fone, "Recepção"});
      if (*e.Fax) T.Contato({e.Codigo, seq++, 5, e.Fax, TValor()});
      T.Contato({e.Codigo, seq++, 8, e.Email, TValor()});
    }
  }

  void Signatarios() {
    T.Pessoa({90, "Marcos Antônio Simões", TValor(), "F", Cpf(318204559), TValor(), TValor(), Dia(EncodeDate(2015, 2, 2))});
    T.Contato({90, 1, 1, "(11) 99612-3040", "Engenheiro responsável - CREA-SP 5061234567"});
    T.Pessoa({91, "Fernanda Lúcia Prado", TValor(), "F", Cpf(227645018), TValor(), TValor(), Dia(EncodeDate(2016, 8, 15))});
    T.Contato({91, 1, 8, "fernanda.prado@contabilprado.com.br", "Contadora - CRC 1SP245781/O-3"});
  }

  void Fornecedor(int codigo, const TFornecedorDemo& f, int indice) {
    T.Pessoa({codigo, f.Nome, f.Fantasia, "J", Cnpj(40000000 + static_cast<int64_t>(indice) * 1234577, 1),
              Digitos(110000000 + indice * 7919, 9), TValor(), Dia(EncodeDate(2018 + indice % 7, 1 + indice % 12, 5 + indice % 20))});
    const auto& bairros = Empresas()[0].Bairros;
    const int end = NovoEndereco(std::string("Rua ") + SobrenomesDemo()[static_cast<size_t>(indice) % SobrenomesDemo().size()],
                                 std::to_string(100 + indice * 37 % 1900), indice % 3 == 0 ? "Galpão " + std::to_string(1 + indice % 4) : "",
                                 bairros[static_cast<size_t>(indice) % bairros.size()], f.Cidade, f.Uf, CepAleatorio(f.Uf));
    T.PessoaEndereco({codigo, end, 1, 1});
    if (indice % 4 == 1) {  // a delivery address besides the default one
      const int entrega = NovoEndereco("Rodovia Anhanguera", "km " + std::to_string(20 + indice), "Depósito", "Distrito Industrial",
                                       f.Cidade, f.Uf, CepAleatorio(f.Uf));
      T.PessoaEndereco({codigo, entrega, 0, 4});
    }
    const std::string ddd = std::string(f.Uf) == "PR" ? "(41)" : "(11)";
    int seq = 1;
    if (f.Fone) T.Contato({codigo, seq++, 3, ddd + " " + std::to_string(3100 + indice * 53 % 800) + "-" + Digitos(1000 + indice * 311 % 9000, 4), "Vendas"});
    if (f.Fone && indice % 3 == 0) T.Contato({codigo, seq++, 1, ddd + " 9" + std::to_string(8100 + indice * 97 % 1800) + "-" + Digitos(indice * 733 % 10000, 4), "Representante"});
    if (f.Fax) T.Contato({codigo, seq++, 5, ddd + " " + std::to_string(3100 + indice * 53 % 800) + "-" + Digitos(1001 + indice * 311 % 9000, 4), TValor()});
    if (f.Email) {
      std::string dominio;
      for (char c : std::string(f.Fantasia))
        if (std::isalnum(static_cast<unsigned char>(c))) dominio += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      T.Contato({codigo, seq++, 8, "vendas@" + dominio + ".com.br", TValor()});
      if (!f.Fone) T.Contato({codigo, seq++, 6, "www." + dominio + ".com.br", TValor()});
    }
    // Contact persons: the one with the smallest code is the one a quotation names.
    const int contatos = f.Fone ? (indice % 5 == 0 ? 2 : 1) : 0;
    for (int k = 0; k < contatos; ++k) {
      const int pessoa = FProximoContato++;
      T.Pessoa({pessoa, NomePessoa(pessoa), TValor(), "F", Cpf(100000000 + static_cast<int64_t>(pessoa) * 7717), TValor(), TValor(), TValor()});
      T.Relacao({codigo, pessoa, 3});
    }
    if (indice % 6 == 2) {  // a partner, not a contact
      const int socio = FProximoContato++;
      T.Pessoa({socio, NomePessoa(socio), TValor(), "F", Cpf(100000000 + static_cast<int64_t>(socio) * 7717), TValor(), TValor(), TValor()});
      T.Relacao({codigo, socio, 1});
    }
    for (int g : f.Grupos)
      for (const auto& i : Insumos())
        if (i.Grupo == g) FFornecedoresInsumo[i.Codigo].push_back(codigo);
    for (int i : f.Insumos) FFornecedoresInsumo[i].push_back(codigo);
    FFornecedores.push_back(codigo);
  }

  void Fornecedores() {
    const auto& base = FornecedoresBase();
    for (size_t i = 0; i < base.size(); ++i) Fornecedor(101 + static_cast<int>(i), base[i], static_cast<int>(i));
    // Larger scales bring more material dealers competing for the same inputs.
    static const std::vector<int> gruposMaterial = {2, 3, 4, 5, 6, 7, 8, 9};
    for (int k = 0; k < 2 * (FEscala - 1); ++k) {
      const int indice = static_cast<int>(base.size()) + k;
      const std::string sobrenome = SobrenomesDemo()[static_cast<size_t>(k) % SobrenomesDemo().size()];
      const std::string nome = "Comercial " + sobrenome + " Materiais de Construção " + std::to_string(k + 1) + " Ltda";
      const std::string fantasia = "Comercial " + sobrenome + " " + std::to_string(k + 1);
      const int g1 = gruposMaterial[static_cast<size_t>(k) % gruposMaterial.size()];
      const int g2 = gruposMaterial[static_cast<size_t>(k * 3 + 1) % gruposMaterial.size()];
      const TFornecedorDemo f{nome.c_str(), fantasia.c_str(), {g1, g2}, {}, "São Paulo", "SP", true, k % 2 == 0, true};
      Fornecedor(101 + indice, f, indice);
    }
  }

  // Supplier of an input for one development: each development keeps its dealers.
  int FornecedorDe(int insumo, int empreendGlobal) {
    const auto& lista = FFornecedoresInsumo.at(insumo);
    return lista[static_cast<size_t>(empreendGlobal + insumo) % lista.size()];
  }

  // ---- one company ----------------------------------------------------------

  void Empresa(const TEmpresaDemo& e) {
    FEmpresa = &e;
    FEmpreends.clear();
    FObras.clear();
    FSaldos.clear();
    FProximoImovel = 1;
    FProximoMovimento = 1;
    FProximoRateio = 1;
    FProximaNota = 1;
    T.Estoque({e.Codigo, 1, "Almoxarifado Central", TValor()});
    const int total = e.Empreendimentos * FEscala;
    for (int j = 0; j < total; ++j) Empreendimento(j);
    for (TObraDemo& o : FObras) {
      ObraFases(o);
      Orcamentos(o);
      Fotos(o);
    }
    Movimentacao();
    Cotacoes();
  }

  int IndiceGlobal(size_t empreend) const {
    return (FEmpresa->Codigo - 1) * 100000 + static_cast<int>(empreend);
  }

  void Empreendimento(int j) {
    const TEmpresaDemo& e = *FEmpresa;
    // The first developments of each company are the fixed ones of the demo;
    // larger scales add more from the list, numbered when the names repeat.
    static const int base[] = {0, 0, 3, 5};  // first model of each company
    size_t modelo;
    std::string nome;
    int extra = -1;
    if (j < e.Empreendimentos) {
      modelo = static_cast<size_t>(base[e.Codigo] + j);
      nome = ModelosEmpreend()[modelo].Nome;
    } else {
      extra = FEmpreendExtra++;
      modelo = 6 + static_cast<size_t>(extra) % 12;
      nome = ModelosEmpreend()[modelo].Nome;
      if (extra >= 12) nome += " " + std::to_string(extra / 12 + 1);
    }
    const TModeloEmpreend& m = ModelosEmpreend()[modelo];
    TEmpreendDemo d;
    d.Codigo = j + 1;
    d.Nome = nome;
    d.Tipo = m.Tipo;
    d.FormaRateio = (m.Tipo == 3 || j % 3 == 2) ? 2 : 1;
    d.Estoque = j + 2;
    d.Andares = m.Tipo == 1 || m.Tipo == 3 ? m.Andares : (m.Tipo == 2 ? 2 : 1);

    const std::string bairro = e.Bairros[static_cast<size_t>(j) % e.Bairros.size()];
    const std::string rua = e.Ruas[static_cast<size_t>(j * 5 + 1) % e.Ruas.size()];
    const std::string numeroPredio = std::to_string(120 + (j * 173) % 1700);
    const int endereco = NovoEndereco(rua, m.Tipo == 4 ? "" : numeroPredio, "", bairro, e.Cidade, e.Uf, CepAleatorio(e.Uf));

    // Timeline: the base developments are spread over 2025 and 2026; the
    // extra ones start between December 2024 and May 2026.
    static const int inicioBase[] = {-1, 1, 7, 14, 4, 12, 10};  // months after January 2025, by base model
    static const int duracaoBase[] = {0, 18, 17, 20, 20, 18, 12};
    TDateTime inicio;
    int duracao;
    if (extra < 0) {
      inicio = IncMonth(EncodeDate(2025, 1, 1), inicioBase[modelo + 1]);
      duracao = duracaoBase[modelo + 1];
    } else {
      inicio = IncMonth(EncodeDate(2024, 12, 1), (extra * 3) % 18);
      duracao = 14 + (extra * 5) % 12;
    }
    T.Empreendimento({e.Codigo, d.Codigo, d.Nome, d.Tipo, d.FormaRateio, endereco, Dia(inicio - 120)});
    T.Estoque({e.Codigo, d.Estoque, "Canteiro - " + d.Nome.substr(0, 48), d.Codigo});

    Unidades(d, m, endereco, numeroPredio);
    FEmpreends.push_back(d);
    const size_t indice = FEmpreends.size() - 1;

    TObraDemo o;
    o.Codigo = static_cast<int>(FObras.size()) + 1;
    o.Empreend = indice;
    o.Descr = (m.Tipo == 4 ? "Infraestrutura - " : "Construção - ") + d.Nome.substr(0, 70);
    o.Inicio = inicio + FSorte.Entre(0, 9);
    o.FimPrev = IncMonth(inicio, duracao) - 1;
    o.Ritmo = j == 0 ? 1.08 : FSorte.Faixa(0.86, 1.02);  // the first works runs ahead of plan
    o.FimReal = o.Quando(1.0);
    FObras.push_back(o);
    if (j == 0) {  // the first development also builds its leisure area
      TObraDemo lazer;
      lazer.Codigo = static_cast<int>(FObras.size()) + 1;
      lazer.Empreend = indice;
      lazer.Descr = "Área de lazer e paisagismo - " + d.Nome.substr(0, 60);
      lazer.Inicio = o.Inicio + 240;
      lazer.FimPrev = lazer.Inicio + 270;
      lazer.Ritmo = 0.9;
      lazer.FimReal = lazer.Quando(1.0);
      FObras.push_back(lazer);
    }
  }

  void Unidades(TEmpreendDemo& d, const TModeloEmpreend& m, int endereco, const std::string& numeroPredio) {
    const TEmpresaDemo& e = *FEmpresa;
    struct TUn {
      int Codigo, Tipo;
      std::string Descr, Unidade, Bloco, Quadra, Lote, Numero, Complemento;
      TQuatro Total, Util, Garagem;
    };
    std::vector<std::vector<TUn>> blocos;  // units by tower (or block of lots)
    const char* letras = "ABCD";
    for (int t = 0; t < m.Torres; ++t) {
      std::vector<TUn> un;
      for (int a = 1; a <= m.Andares; ++a)
        for (int p = 1; p <= m.PorAndar; ++p) {
          TUn u{};
          u.Codigo = FProximoImovel++;
          if (m.Tipo == 1) {
            u.Tipo = (m.Cobertura && a == m.Andares) ? 3 : (p % 2 == 1 ? 1 : 2);
            u.Unidade = std::to_string(a * 100 + p);
            u.Bloco = std::string("Torre ") + letras[t];
            u.Descr = "Apartamento " + u.Unidade + " - " + u.Bloco;
            u.Numero = numeroPredio;
            u.Complemento = "Apto " + u.Unidade + (m.Torres > 1 ? " " + u.Bloco : "");
          } else if (m.Tipo == 3) {
            u.Tipo = a == 1 && p <= 2 ? 5 : 4;
            u.Unidade = (u.Tipo == 5 ? "Loja " + std::to_string(p) : "Sala " + std::to_string(a * 100 + p));
            u.Bloco = "Bloco único";
            u.Descr = u.Unidade;
            u.Numero = numeroPredio;
            u.Complemento = u.Unidade;
          } else if (m.Tipo == 2) {
            u.Tipo = 6;
            u.Unidade = "Casa " + DoisDigitos(p);
            u.Quadra = "A";
            u.Lote = std::to_string(p);
            u.Descr = u.Unidade;
            u.Numero = std::to_string(10 + p * 10);
            u.Complemento = u.Unidade;
          } else {
            u.Tipo = 7;
            u.Quadra = std::string(1, "ABC"[(p - 1) * 3 / m.PorAndar]);
            u.Lote = std::to_string(p);
            u.Unidade = "Quadra " + u.Quadra + " Lote " + DoisDigitos(p);
            u.Descr = "Lote " + DoisDigitos(p) + " - Quadra " + u.Quadra;
            u.Numero = p == 1 ? "" : std::to_string(p * 15);  // the first lot has no number yet
          }
          const TTipoImovelDemo& tp = TiposImovel()[static_cast<size_t>(u.Tipo - 1)];
          u.Total = ParaQuatro(u.Tipo == 7 ? 240.0 + (p * 37) % 121 : tp.Total);
          u.Util = u.Tipo == 7 ? u.Total : ParaQuatro(tp.Util);
          u.Garagem = ParaQuatro(tp.Garagem);
          un.push_back(u);
        }
      blocos.push_back(un);
    }

    for (const auto& b : blocos)
      for (const auto& u : b) {
        d.AreaTotal += u.Total + u.Garagem;
        d.AreaUtil += u.Util;
      }
    // Coefficients: each unit's share of the area, in four decimals adding up to 1.
    std::vector<int64_t> areas;
    for (const auto& b : blocos)
      for (const auto& u : b) areas.push_back(u.Total + u.Garagem);
    const std::vector<int64_t> coef = Repartir(kUm, areas);

    int estrutura = 1;
    T.Estrutura({e.Codigo, d.Codigo, estrutura++, "1", d.Nome, 1, TValor(), Quatro(kUm), Quatro(d.AreaTotal), Quatro(d.AreaUtil)});
    size_t k = 0;
    for (size_t t = 0; t < blocos.size(); ++t) {
      const std::string classifBloco = "1." + std::to_string(t + 1);
      TQuatro totalBloco = 0, utilBloco = 0, coefBloco = 0;
      for (size_t i = 0; i < blocos[t].size(); ++i) {
        totalBloco += blocos[t][i].Total + blocos[t][i].Garagem;
        utilBloco += blocos[t][i].Util;
        coefBloco += coef[k + i];
      }
      const std::string nomeBloco = m.Tipo == 1 ? std::string("Torre ") + letras[t]
                                    : m.Tipo == 2 ? "Casas do condomínio"
                                    : m.Tipo == 3 ? "Edifício comercial"
                                                  : "Lotes";
      T.Estrutura({e.Codigo, d.Codigo, estrutura++, classifBloco, nomeBloco, 1, TValor(), Quatro(coefBloco), Quatro(totalBloco), Quatro(utilBloco)});
      for (size_t i = 0; i < blocos[t].size(); ++i, ++k) {
        const TUn& u = blocos[t][i];
        const bool vendido = FSorte.Chance(60);
        int proprietario = e.Codigo;
        if (vendido) {
          proprietario = FProximoProprietario++;
          T.Pessoa({proprietario, NomePessoa(proprietario), TValor(), "F", Cpf(200000000 + static_cast<int64_t>(proprietario) * 3571),
                    TValor(), TValor(), Dia(EncodeDate(2025, 1 + proprietario % 12, 1 + proprietario % 28))});
        }
        const std::string cadastro = Digitos(e.Codigo * 10 + 1, 3) + "." + Digitos(100 + d.Codigo, 3) + "." +
                                     Digitos(u.Codigo, 4) + "-" + std::to_string(u.Codigo % 10);
        T.Imovel({e.Codigo, u.Codigo, d.Codigo, u.Tipo, u.Descr, u.Unidade, TextoOuNulo(u.Bloco), TextoOuNulo(u.Quadra),
                  TextoOuNulo(u.Lote), endereco, TextoOuNulo(u.Numero), TextoOuNulo(u.Complemento),
                  m.Tipo == 3 ? 2 : 1, cadastro, m.Tipo == 3 ? "ZC-2" : "ZR-" + std::to_string(1 + d.Codigo % 4),
                  Quatro(coef[k]), Quatro(m.Tipo == 2 || m.Tipo == 4 ? ParaQuatro(10.0 + u.Codigo % 6) : ParaQuatro(24.0)),
                  proprietario});
        T.ImovelArea({e.Codigo, u.Codigo, 1, u.Tipo == 7 ? "Área do lote" : "Área privativa", Quatro(u.Total), Quatro(u.Util)});
        if (u.Garagem > 0) T.ImovelArea({e.Codigo, u.Codigo, 2, "Vaga de garagem", Quatro(u.Garagem), Quatro(0)});
        const std::string classif = classifBloco + "." + DoisDigitos(static_cast<int>(i) + 1);
        T.Estrutura({e.Codigo, d.Codigo, estrutura, classif, u.Descr, 2, u.Codigo, Quatro(coef[k]),
                     Quatro(u.Total + u.Garagem), Quatro(u.Util)});
        d.Unidades.push_back({estrutura, d.FormaRateio == 1 ? coef[k] : u.Util});
        ++estrutura;
      }
    }
  }

  // ---- works ---------------------------------------------------------------

  void ObraFases(const TObraDemo& o) {
    const TEmpresaDemo& e = *FEmpresa;
    const TEmpreendDemo& d = FEmpreends[o.Empreend];
    T.Obra({e.Codigo, o.Codigo, o.Descr, d.Codigo, Dia(o.Inicio), Dia(o.FimPrev),
            DiaOuNulo(o.Inicio <= DataBase() ? o.Inicio : 0), DiaOuNulo(o.Concluida() ? o.FimReal : 0)});
    double geral = 0;
    for (const TFaseDemo& f : Fases())
      if (f.Tipo == 1 && f.Codigo != 1) geral += f.Part * std::round(o.Conclusao(f) * 10000) / 100;
    for (const TFaseDemo& f : Fases()) {
      const double conclusao = f.Codigo == 1 ? std::round(geral) / 100 : std::round(o.Conclusao(f) * 10000) / 100;
      const bool iniciada = o.Progresso(DataBase()) > f.Ini;
      const bool terminada = f.Codigo == 1 ? o.Concluida() : conclusao >= 100;
      T.ObraFase({e.Codigo, o.Codigo, f.Codigo, f.Classif, f.Descr, f.Tipo, Dia(o.Previsto(f.Ini)), Dia(o.Previsto(f.Fim)),
                  DiaOuNulo(iniciada ? o.Quando(f.Ini) : 0), DiaOuNulo(terminada ? std::min(o.Quando(f.Fim), DataBase()) : 0),
                  Quatro(ParaQuatro(f.Part)), Quatro(ParaQuatro(conclusao))});
    }
  }

  TQuatro PrecoEm(const TInsumoDemo& i, TDateTime data) const {
    // Prices rise about 0.5 % a month from January 2025.
    const double meses = std::max(0.0, (data - EncodeDate(2025, 1, 1)) / 30.4375);
    return ParaQuatro(i.Preco * (1.0 + 0.005 * meses));
  }

  // Two oddities of company 1 that the works cost analysis shows: works 4's fees
  // are budgeted and allocated without a phase, and works 3's latest revision drops
  // the scaffolding rental it has already been allocated.
  static constexpr int kObraTaxasSemFase = 4, kInsumoTaxas = 54;
  static constexpr int kObraRevisaoSemAndaime = 3, kInsumoAndaime = 49;
  int FaseDoCusto(const TObraDemo& o, int insumo) const {
    const bool semFase = FEmpresa->Codigo == 1 && o.Codigo == kObraTaxasSemFase && insumo == kInsumoTaxas;
    return semFase ? 0 : Insumo(insumo).Fase;
  }
  bool RetiradoDaRevisao(const TObraDemo& o, int insumo, bool ultimaRevisao) const {
    return ultimaRevisao && FEmpresa->Codigo == 1 && o.Codigo == kObraRevisaoSemAndaime && insumo == kInsumoAndaime;
  }

  void Orcamentos(TObraDemo& o) {
    const TEmpresaDemo& e = *FEmpresa;
    const TEmpreendDemo& d = FEmpreends[o.Empreend];
    const bool lazer = o.Codigo == 2 && FEmpreends.size() > 0 && o.Empreend == 0;
    static const std::vector<int> insumosLazer = {1, 2, 10, 22, 33, 36, 37, 47, 51};
    const double fatorTipo[] = {0, 1.0, 0.9, 1.0, 0.15};
    const double area = static_cast<double>(d.AreaTotal) / kUm * (lazer ? 0.06 : fatorTipo[d.Tipo]);
    // The initial budget, then revisions while the works goes on.
    std::vector<TDateTime> datas = {o.Inicio - 45};
    if (o.Inicio + 120 <= DataBase()) datas.push_back(o.Inicio + 120);
    if (o.Inicio + 330 <= DataBase()) datas.push_back(o.Inicio + 330);
    std::vector<TLinhaOrcamento> inicial;
    for (const TInsumoDemo& i : Insumos()) {
      if (lazer ? std::find(insumosLazer.begin(), insumosLazer.end(), i.Codigo) == insumosLazer.end()
                : !(i.Tipos & (1 << d.Tipo)))
        continue;
      double qtd = i.QtdPorM2 * area * FSorte.Faixa(0.95, 1.05);
      qtd = Inteiro(i) || i.Unidade == 9 ? std::max(1.0, std::ceil(qtd)) : std::max(0.01, std::round(qtd * 100) / 100);
      const TQuatro q = ParaQuatro(qtd), u = PrecoEm(i, datas[0]);
      inicial.push_back({i.Codigo, q, u, Multiplicar(q, u)});
    }
    o.Orcamento = inicial;
    static const char* nomes[] = {"Orçamento inicial", "Revisão 1 - reajuste de preços", "Revisão 2 - reprogramação"};
    for (size_t r = 0; r < datas.size(); ++r) {
      std::vector<TLinhaOrcamento> linhas = inicial;
      if (r > 0)
        for (auto& l : linhas) {
          l.Qtd = Inteiro(Insumo(l.Insumo)) ? ParaQuatro(std::ceil(static_cast<double>(l.Qtd) / kUm * FSorte.Faixa(0.97, 1.06)))
                                            : ParaQuatro(std::round(static_cast<double>(l.Qtd) / kUm * FSorte.Faixa(0.97, 1.06) * 100) / 100);
          l.Unitario = PrecoEm(Insumo(l.Insumo), datas[r]);
          l.Total = Multiplicar(l.Qtd, l.Unitario);
        }
      const bool ultimaRevisao = r > 0 && r + 1 == datas.size();
      linhas.erase(std::remove_if(linhas.begin(), linhas.end(),
                                  [&](const TLinhaOrcamento& l) { return RetiradoDaRevisao(o, l.Insumo, ultimaRevisao); }),
                   linhas.end());
      TCentavos total = 0;
      for (const auto& l : linhas) total += l.Total;
      const bool converter = e.Moeda != 1;
      T.Orcamento({e.Codigo, o.Codigo, Dia(datas[r]), nomes[r], e.Moeda, converter ? 1 : 0,
                   Quatro(ParaQuatro(e.Cotacao[r])), Reais(total)});
      int seq = 1;
      for (const auto& l : linhas) {
        const TInsumoDemo& i = Insumo(l.Insumo);
        T.OrcamentoInsumo({e.Codigo, o.Codigo, Dia(datas[r]), seq++, i.Codigo, CodigoOuNulo(i.Unidade),
                           CodigoOuNulo(FaseDoCusto(o, i.Codigo)),
                           Quatro(l.Qtd), Quatro(l.Unitario), Reais(l.Total)});
      }
    }
  }

  void Fotos(const TObraDemo& o) {
    const TEmpresaDemo& e = *FEmpresa;
    // Company 1: the first works has six photos (one unreadable), the leisure
    // area none; company 2's first works five; the others up to four.
    int quantas = 4;
    if (e.Codigo == 1 && o.Codigo == 1) quantas = 6;
    if (e.Codigo == 1 && o.Codigo == 2) quantas = 0;
    if (e.Codigo == 2 && o.Codigo == 1) quantas = 5;
    std::vector<const TFaseDemo*> feitas;
    for (const TFaseDemo& f : Fases())
      if (f.Tipo == 1 && f.Codigo != 1 && o.Conclusao(f) > 0) feitas.push_back(&f);
    if (feitas.empty()) return;
    static const uint32_t cores[] = {0xB0502F, 0x7A7A7A, 0x4F6D8A, 0xC8A165, 0x6B8E23, 0x8E5B9E};
    const int andares = std::max(2, FEmpreends[o.Empreend].Andares);
    for (int k = 0; k < quantas; ++k) {
      const TFaseDemo& f = *feitas[static_cast<size_t>(k) % feitas.size()];
      const double estado = std::min(f.Fim, o.Progresso(DataBase()));  // the building when the phase ended
      std::string png = DesenharFoto(andares, estado, f.Classif, cores[k % 6], k + o.Codigo);
      if (e.Codigo == 1 && o.Codigo == 1 && k == quantas - 1) png = png.substr(0, 60);  // a damaged file
      const TDateTime data = std::min(o.Quando(f.Ini) + 10 + k, DataBase());
      T.Foto({e.Codigo, o.Codigo, f.Codigo, k + 1, Dia(data), std::string("Vista da obra - ") + f.Descr, png});
    }
  }

  // ---- purchases, stock, allocations and payables --------------------------

  TDateTime DiaDoMes(TDateTime mes, int dia) const {
    int a, m, x;
    DecodeDate(mes, a, m, x);
    const TDateTime d = EncodeDate(a, m, std::min(dia, DaysInMonth(a, m)));
    return std::min(d, DataBase());
  }

  int Movimento(int estoque, TDateTime data, int tipo, int insumo, TQuatro qtd, TQuatro unitario, int referencia,
                const std::string& documento, int obra, const std::string& historico) {
    const int codigo = FProximoMovimento++;
    T.Movimento({FEmpresa->Codigo, estoque, codigo, Dia(data), tipo, insumo, Quatro(qtd), Quatro(unitario),
                 CodigoOuNulo(referencia), documento, CodigoOuNulo(obra), historico});
    TSaldo& s = FSaldos[{estoque, insumo}];
    const long double valor = static_cast<long double>(qtd) / kUm * static_cast<long double>(unitario) / kUm;
    if (tipo <= 0) {
      s.Qtd += qtd;
      s.Valor += valor;
    } else {
      s.Qtd -= qtd;
      s.Valor -= valor;
    }
    return codigo;
  }

  // Spreads a cost over the development's units; returns the allocation rows.
  std::vector<std::pair<int, int>> Ratear(const TObraDemo& o, int insumo, TDateTime data, int tipo, TQuatro qtd,
                                          TCentavos valor, int movimento) {
    const TEmpreendDemo& d = FEmpreends[o.Empreend];
    std::vector<int64_t> pesos;
    for (const auto& u : d.Unidades) pesos.push_back(u.Peso);
    const auto qtds = Repartir(qtd, pesos);
    const auto valores = Repartir(valor, pesos);
    std::vector<std::pair<int, int>> linhas;
    for (size_t k = 0; k < d.Unidades.size(); ++k) {
      if (qtds[k] == 0 && valores[k] == 0) continue;
      const int codigo = FProximoRateio++;
      T.Rateio({FEmpresa->Codigo, d.Codigo, d.Unidades[k].Estrutura, codigo, Dia(data), tipo, insumo, d.Estoque,
                CodigoOuNulo(movimento), o.Codigo, CodigoOuNulo(FaseDoCusto(o, insumo)), Quatro(qtds[k]), Reais(valores[k])});
      linhas.push_back({d.Unidades[k].Estrutura, codigo});
    }
    return linhas;
  }

  struct TItemNota {
    int Insumo;
    TQuatro Qtd, Unitario;
    TCentavos Total;
  };

  // Writes an invoice with its items, instalments and payments; returns the
  // invoice code (items are numbered from 1 in the order given).
  int Nota(int fornecedor, TDateTime emissao, const std::vector<TItemNota>& itens, bool servico, int status) {
    const TEmpresaDemo& e = *FEmpresa;
    const int codigo = FProximaNota++;
    TCentavos total = 0;
    for (const auto& i : itens) total += i.Total;
    const TDateTime entrada = std::min(emissao + FSorte.Entre(0, 3), DataBase());
    const bool utilidade = itens.size() == 1 && Insumo(itens[0].Insumo).Grupo == 20;
    int parcelas = 1;
    if (!utilidade) parcelas = total > 6000000 ? FSorte.Entre(3, 4) : total > 1500000 ? FSorte.Entre(2, 3) : FSorte.Entre(1, 2);
    std::vector<TDateTime> vencimentos;
    for (int p = 1; p <= parcelas; ++p)
      vencimentos.push_back(utilidade ? emissao + 7 : servico ? emissao + 15 + 30 * (p - 1) : emissao + 28 * p);
    const int forma = (parcelas == 1 && vencimentos[0] - emissao <= 7) ? 1 : 0;
    const std::string numero = Digitos(1000 + (fornecedor * 7919 + codigo * 31) % 900000, 6);
    T.Nota({e.Codigo, codigo, numero, servico ? "NFS-e" : "NF-e", servico ? "" : "1", fornecedor, Dia(emissao),
            Dia(entrada), Reais(total), parcelas, forma, status, TValor()});
    int seq = 1;
    for (const auto& i : itens) {
      const TInsumoDemo& ins = Insumo(i.Insumo);
      T.NotaItem({e.Codigo, codigo, seq++, i.Insumo, ins.Unidade ? ins.Unidade : 10, Quatro(i.Qtd), Quatro(i.Unitario), Reais(i.Total)});
    }
    const TCentavos valorParcela = total / parcelas;
    for (int p = 1; p <= parcelas; ++p) {
      const TCentavos valor = p < parcelas ? valorParcela : total - valorParcela * (parcelas - 1);
      Parcela(codigo, p, emissao, vencimentos[static_cast<size_t>(p - 1)], valor);
    }
    return codigo;
  }

  // An instalment and what was paid of it by the base date: on time, early
  // with a discount, late with interest and fine, in two payments, in part, or not yet.
  void Parcela(int nota, int numero, TDateTime emissao, TDateTime vencimento, TCentavos valor) {
    struct TPagamento {
      TDateTime Data;
      TCentavos Baixa, Juros, Multa, Desconto;
    };
    std::vector<TPagamento> pagos;
    auto atraso = [&](TDateTime data, TCentavos base) {
      const int dias = static_cast<int>(data - vencimento);
      return dias > 0 ? std::pair<TCentavos, TCentavos>{std::llround(base * 0.00033 * dias), std::llround(base * 0.02)}
                      : std::pair<TCentavos, TCentavos>{0, 0};
    };
    auto pagar = [&](TDateTime data, TCentavos baixa, TCentavos desconto) {
      if (data > DataBase()) return;
      const auto [juros, multa] = atraso(data, baixa);
      pagos.push_back({data, baixa, juros, multa, desconto});
    };
    const int sorte = FSorte.Entre(1, 100);
    if (vencimento > DataBase()) {
      if (sorte <= 6) pagar(vencimento - 10, valor, std::llround(valor * 0.015));
    } else if (sorte <= 50) {
      pagar(vencimento - FSorte.Entre(0, 1), valor, 0);
    } else if (sorte <= 60) {
      pagar(vencimento - FSorte.Entre(2, 5), valor, std::llround(valor * 0.015));
    } else if (sorte <= 75) {
      pagar(vencimento + FSorte.Entre(3, 45), valor, 0);
    } else if (sorte <= 85) {
      const TCentavos primeira = valor / 2;
      pagar(vencimento, primeira, 0);
      pagar(vencimento + FSorte.Entre(10, 25), valor - primeira, 0);
    } else if (sorte <= 93) {
      pagar(vencimento + FSorte.Entre(0, 5), valor * FSorte.Entre(30, 70) / 100, 0);
    }
    TCentavos pago = 0;
    for (const auto& p : pagos) pago += p.Baixa;
    const TCentavos saldo = valor - pago;
    const int situacao = saldo == 0 ? 3 : pago > 0 ? 2 : 1;
    const int escrit = FEmpresa->Codigo;
    T.Parcela({escrit, nota, numero, Dia(emissao), Dia(vencimento), Reais(valor), Reais(saldo), situacao});
    int seq = 1;
    for (const auto& p : pagos)
      T.Baixa({escrit, nota, numero, seq++, Dia(p.Data), Reais(p.Baixa), p.Juros ? Reais(p.Juros) : TValor(),
               p.Multa ? Reais(p.Multa) : TValor(), p.Desconto ? Reais(p.Desconto) : TValor()});
  }

  // Quantity of a budget line the works consumes in a month, by the share of
  // its phase done in that month.
  TQuatro Consumo(const TObraDemo& o, const TLinhaOrcamento& l, TDateTime mes, TDateTime fimMes) {
    const TFaseDemo& f = Fase(Insumo(l.Insumo).Fase);
    const double a = o.Progresso(mes), b = o.Progresso(fimMes + 1);
    const double parte = std::max(0.0, std::min(b, f.Fim) - std::max(a, f.Ini)) / (f.Fim - f.Ini);
    if (parte <= 0) return 0;
    double qtd = static_cast<double>(l.Qtd) / kUm * parte * FSorte.Faixa(0.92, 1.10);
    if (Inteiro(Insumo(l.Insumo)) || Insumo(l.Insumo).Unidade == 9) qtd = std::ceil(qtd - 0.2);
    else qtd = std::round(qtd * 100) / 100;
    return qtd > 0 ? ParaQuatro(qtd) : 0;
  }

  void Movimentacao() {
    TDateTime primeiro = DataBase();
    for (const auto& o : FObras) primeiro = std::min(primeiro, o.Inicio);
    int transferencia = 1, requisicao = 1;
    for (TDateTime mes = StartOfTheMonth(primeiro); mes <= DataBase(); mes = IncMonth(mes, 1)) {
      int a, m, x;
      DecodeDate(mes, a, m, x);
      const TDateTime fimMes = std::min(EncodeDate(a, m, DaysInMonth(a, m)), DataBase());

      // What each works consumes this month: materials from the stocks, the
      // rest bought as services and allocated straight from the invoice.
      std::map<std::pair<size_t, int>, TQuatro> materiais;  // (works, input)
      std::map<std::pair<int, int>, std::vector<std::pair<size_t, TItemNota>>> servicos;  // (supplier, pair of developments)
      for (size_t w = 0; w < FObras.size(); ++w) {
        const TObraDemo& o = FObras[w];
        if (o.Inicio > fimMes || o.Progresso(mes) >= 1.0) continue;
        for (const auto& l : o.Orcamento) {
          const TQuatro q = Consumo(o, l, mes, fimMes);
          if (q <= 0) continue;
          const TInsumoDemo& i = Insumo(l.Insumo);
          if (Material(i)) {
            materiais[{w, i.Codigo}] += q;
          } else {
            const int g = IndiceGlobal(o.Empreend);
            const TQuatro u = ParaQuatro(static_cast<double>(PrecoEm(i, mes)) / kUm * FSorte.Faixa(0.97, 1.04));
            servicos[{FornecedorDe(i.Codigo, g), static_cast<int>(o.Empreend / 2)}].push_back({w, {i.Codigo, q, u, Multiplicar(q, u)}});
          }
        }
      }

      // Purchases at the start of the month: site deliveries go by dealer and
      // pair of developments (one invoice may serve two sites); the central
      // warehouse buys cement, sand, gravel and steel for every site.
      std::map<std::pair<int, int>, std::vector<std::pair<int, TItemNota>>> compras;  // -> (stock, item)
      std::map<std::pair<int, int>, TQuatro> porEstoque;  // (stock, input) needs of the month
      for (const auto& [chave, q] : materiais) {
        const TObraDemo& o = FObras[chave.first];
        porEstoque[{FEmpreends[o.Empreend].Estoque, chave.second}] += q;
      }
      std::map<int, TQuatro> central;
      for (const auto& [chave, q] : porEstoque) {
        const auto [estoque, insumo] = chave;
        const TInsumoDemo& i = Insumo(insumo);
        const TSaldo& s = FSaldos[{estoque, insumo}];
        const TQuatro falta = q - std::max<TQuatro>(0, s.Qtd);
        if (i.Central) {
          central[insumo] += q;
          continue;
        }
        if (falta <= 0) continue;
        double compra = static_cast<double>(falta) / kUm * 1.04;
        compra = Inteiro(i) ? std::ceil(compra) : std::ceil(compra * 100) / 100;
        const TQuatro qc = ParaQuatro(compra);
        const TQuatro u = ParaQuatro(static_cast<double>(PrecoEm(i, mes)) / kUm * FSorte.Faixa(0.96, 1.04));
        const size_t empreend = static_cast<size_t>(estoque - 2);
        compras[{FornecedorDe(insumo, IndiceGlobal(empreend)), static_cast<int>(empreend / 2)}].push_back({estoque, {insumo, qc, u, Multiplicar(qc, u)}});
      }
      for (const auto& [insumo, q] : central) {
        const TInsumoDemo& i = Insumo(insumo);
        const TQuatro falta = q - std::max<TQuatro>(0, FSaldos[{1, insumo}].Qtd);
        if (falta <= 0) continue;
        double compra = static_cast<double>(falta) / kUm * 1.10;
        compra = Inteiro(i) ? std::ceil(compra) : std::ceil(compra * 100) / 100;
        const TQuatro qc = ParaQuatro(compra);
        const TQuatro u = ParaQuatro(static_cast<double>(PrecoEm(i, mes)) / kUm * FSorte.Faixa(0.94, 1.00));
        compras[{FornecedorDe(insumo, 0), -1}].push_back({1, {insumo, qc, u, Multiplicar(qc, u)}});
      }
      for (const auto& [chave, itens] : compras) {
        const TDateTime emissao = DiaDoMes(mes, FSorte.Entre(1, 6));
        std::vector<TItemNota> linhas;
        for (const auto& it : itens) linhas.push_back(it.second);
        const int nota = Nota(chave.first, emissao, linhas, false, 1);
        const TDateTime chegada = std::min(emissao + 1, DataBase());
        int item = 1;
        for (const auto& [estoque, it] : itens) {
          const int mv = Movimento(estoque, chegada, 0, it.Insumo, it.Qtd, it.Unitario, item, "NF-e " + std::to_string(nota), 0,
                                   "Entrada por nota fiscal de compra");
          T.NotaItemMovimento({FEmpresa->Codigo, nota, item, estoque, mv});
          if (FSorte.Chance(3) && chegada + 3 <= DataBase()) {  // part of the delivery sent back
            const TQuatro volta = Inteiro(Insumo(it.Insumo)) ? std::max<TQuatro>(kUm, it.Qtd / 20 / kUm * kUm) : it.Qtd / 20 / 100 * 100;
            if (volta > 0)
              Movimento(estoque, chegada + 3, 3, it.Insumo, volta, FSaldos[{estoque, it.Insumo}].CustoMedio(), item,
                        "NF-e " + std::to_string(nota), 0, "Devolução ao fornecedor - material avariado");
          }
          ++item;
        }
      }

      // Transfers from the central warehouse to the sites.
      for (const auto& [chave, q] : porEstoque) {
        const auto [estoque, insumo] = chave;
        if (!Insumo(insumo).Central) continue;
        const TQuatro envio = std::min(q, FSaldos[{1, insumo}].Qtd);
        if (envio <= 0) continue;
        const TDateTime data = DiaDoMes(mes, 8 + static_cast<int>(insumo % 4));
        const TQuatro custo = FSaldos[{1, insumo}].CustoMedio();
        const std::string doc = "TR-" + Digitos(transferencia, 6);
        Movimento(1, data, 2, insumo, envio, custo, transferencia, doc, 0, "Transferência para " + std::to_string(estoque));
        Movimento(estoque, data, -2, insumo, envio, custo, transferencia, doc, 0, "Transferência do Almoxarifado Central");
        ++transferencia;
      }

      // Issues to the works, allocated over the units, and some returns.
      for (const auto& [chave, q] : materiais) {
        const TObraDemo& o = FObras[chave.first];
        const int estoque = FEmpreends[o.Empreend].Estoque, insumo = chave.second;
        const TQuatro saida = std::min(q, FSaldos[{estoque, insumo}].Qtd);
        if (saida <= 0) continue;
        const TDateTime data = DiaDoMes(mes, 12 + static_cast<int>((insumo + o.Codigo) % 14));
        const TQuatro custo = FSaldos[{estoque, insumo}].CustoMedio();
        const std::string doc = "RM-" + Digitos(requisicao, 6);
        const int mv = Movimento(estoque, data, 1, insumo, saida, custo, requisicao, doc, o.Codigo, "Requisição para a obra");
        Ratear(o, insumo, data, 1, saida, Multiplicar(saida, custo), mv);
        ++requisicao;
        if (FSorte.Chance(8) && data + 5 <= DataBase()) {
          TQuatro volta = saida * FSorte.Entre(3, 8) / 100;
          volta = Inteiro(Insumo(insumo)) ? volta / kUm * kUm : volta / 100 * 100;
          if (volta > 0) {
            const int dv = Movimento(estoque, data + 5, -1, insumo, volta, custo, requisicao - 1, doc, o.Codigo, "Sobra devolvida pela obra");
            Ratear(o, insumo, data + 5, -1, volta, Multiplicar(volta, custo), dv);
          }
        }
      }

      // Inventory count at the central warehouse every quarter.
      if (m % 3 == 0) {
        const TDateTime data = DiaDoMes(mes, 28);
        for (int insumo : {1, 2}) {
          const TSaldo s = FSaldos[{1, insumo}];
          const TQuatro ajuste = insumo == 1 ? std::max(kUm, s.Qtd / 100 / kUm * kUm) : std::max<TQuatro>(5000, s.Qtd / 100 / 100 * 100);
          if (insumo == 1 && s.Qtd < 2 * ajuste) continue;
          Movimento(1, data, insumo == 1 ? 4 : -3, insumo, ajuste, s.CustoMedio(), 0, "INV-" + Digitos(a * 100 + m, 6), 0,
                    insumo == 1 ? "Ajuste de inventário - perda" : "Ajuste de inventário - sobra");
        }
      }

      // Service invoices at the end of the month, allocated to the works.
      for (const auto& [chave, itens] : servicos) {
        const TDateTime emissao = DiaDoMes(mes, 20 + FSorte.Entre(0, 8));
        const bool pendente = emissao > DataBase() - 8 && FSorte.Chance(40);
        std::vector<TItemNota> linhas;
        for (const auto& it : itens) linhas.push_back(it.second);
        const int nota = Nota(chave.first, emissao, linhas, true, pendente ? 0 : 1);
        int item = 1;
        for (const auto& [w, it] : itens) {
          for (const auto& [estrutura, rateio] : Ratear(FObras[w], it.Insumo, emissao, 0, it.Qtd, it.Total, 0))
            T.NotaItemRateio({FEmpresa->Codigo, nota, item, FEmpreends[FObras[w].Empreend].Codigo, estrutura, rateio});
          ++item;
        }
      }
    }
    // A purchase entered on the last days, waiting to be put into stock.
    const TInsumoDemo& cimento = Insumo(1);
    const TQuatro q = ParaQuatro(200), u = PrecoEm(cimento, DataBase());
    Nota(FornecedorDe(1, 0), DataBase() - 2, {{1, q, u, Multiplicar(q, u)}}, false, 2);
  }

  void Cotacoes() {
    const TEmpresaDemo& e = *FEmpresa;
    static const TDateTime datas[] = {EncodeDate(2026, 3, 10), EncodeDate(2026, 9, 5)};
    for (int k = 0; k < 2; ++k) {
      const TObraDemo& o = FObras[static_cast<size_t>(k * 2) % FObras.size()];  // two different building works
      T.Cotacao({e.Codigo, k + 1, Dia(datas[k]), "Cotação de materiais - " + o.Descr.substr(0, 70), o.Codigo});
      int seq = 1;
      for (const auto& l : o.Orcamento) {
        const TInsumoDemo& i = Insumo(l.Insumo);
        if (!Material(i) || (l.Insumo + k) % 3 != 0 || seq > 8) continue;
        double qtd = static_cast<double>(l.Qtd) / kUm * 0.1;
        qtd = Inteiro(i) ? std::max(1.0, std::ceil(qtd)) : std::max(0.01, std::round(qtd * 100) / 100);
        T.CotacaoItem({e.Codigo, k + 1, seq++, i.Codigo, CodigoOuNulo(i.Unidade), Quatro(ParaQuatro(qtd))});
      }
    }
  }
};

}  // namespace

void CriarBancoDemo(const std::string& arquivo, int escala) {
  if (escala < 1) throw std::invalid_argument("A escala da base de demonstração deve ser 1 ou maior.");
  const std::string schema = LerSchemaBanco();
  std::unique_ptr<TnDMConexao> conexao = TnDMConexao::CriarBanco(arquivo);
  try {
    conexao->ExecutarScript(schema);
    {
      TGeradorDemo gerador(*conexao, escala);
      gerador.Gerar();
    }
    // The indexes were made on empty tables: without fresh selectivities the
    // optimiser joins the large tables in the worst order.
    std::unique_ptr<TnClientDataSet> indices = conexao->ExecuteQueryView(
        "select trim(RDB$INDEX_NAME) from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0");
    for (indices->First(); !indices->Eof(); indices->Next())
      conexao->Executar("SET STATISTICS INDEX " + indices->Fields(0)->AsString());
  } catch (...) {
    // A half-filled demo would pass for a good one: it goes.
    conexao.reset();
    std::remove(arquivo.c_str());
    throw;
  }
}
