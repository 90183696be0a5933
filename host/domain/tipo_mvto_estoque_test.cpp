#include "host/domain/tipo_mvto_estoque.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "tests/testkit/banco_teste.h"

// The list filters allocations in the database: issues, site returns and direct
// allocations pass; transfers, supplier returns and adjustments do not.
TEST(TipoMvtoEstoque, CostListSelectsIssuesReturnsAndDirectAllocationsOnly) {
  TBancoTeste banco(true);
  for (int tipo = -3; tipo <= 4; ++tipo)
    banco.Script("insert into RATEIO (CODIGOESCRIT, CODIGOEMPREEND, CODIGOESTRUTURA, CODIGORATEIO, TIPOMVTOESTOQUE) "
                 "values (1, 1, 1, " + std::to_string(tipo + 10) + ", " + std::to_string(tipo) + ");");
  auto ds = ExecutarSQL("select RA.TIPOMVTOESTOQUE from RATEIO RA where 1 = 1" +
                        FilterInterval({"RA.TIPOMVTOESTOQUE"}, TipoMvtoEstoqueListaBaixaParaCustos(), {1}, true, 0, -1) +
                        "order by RA.TIPOMVTOESTOQUE");
  std::vector<int> tipos;
  for (ds->First(); !ds->Eof(); ds->Next()) tipos.push_back(ds->Fields(0)->AsInteger());
  EXPECT_EQ(tipos, (std::vector<int>{-1, 0, 1}));
}

// One signed byte: -1 stays -1 on its way from the database.
static_assert(sizeof(TnTipoMvtoEstoque) == 1 && std::is_signed_v<std::underlying_type_t<TnTipoMvtoEstoque>>);

TEST(TipoMvtoEstoque, EachTypeHasItsTextAndDirection) {
  const struct {
    int tipo;
    const char* texto;
    bool entrada;
  } casos[] = {
      {-4, "Tipo -4", true},
      {-3, "Ajuste de inventário (sobra)", true},
      {-2, "Transferência recebida", true},
      {-1, "Devolução da obra", true},
      {0, "Compra", true},
      {1, "Saída para obra", false},
      {2, "Transferência enviada", false},
      {3, "Devolução ao fornecedor", false},
      {4, "Ajuste de inventário (falta)", false},
      {5, "Tipo 5", false},
  };
  for (const auto& c : casos) {
    const auto tipo = static_cast<TnTipoMvtoEstoque>(c.tipo);
    EXPECT_EQ(DescricaoTipoMvtoEstoque(tipo), c.texto) << c.tipo;
    EXPECT_EQ(EntradaEstoque(tipo), c.entrada) << c.tipo;
  }
}


namespace {

const char* kLayoutTipos = R"({
  "relatorio": "Tipos de movimento",
  "parametros": [
    {"nome": "pTipoMvtoEstoqueCL", "rotulo": "Tipos", "tipo": "codigos"},
    {"nome": "pCodigoEmpreend", "rotulo": "Empreendimentos", "tipo": "codigos"}],
  "secoes": [{"numero": 1, "altura": 20, "elementos": []}]})";

// A report class that takes the list parameter as the cost reports do, and notes the
// guard each time the form tells it about a change.
class TRelatorioTipos : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  void DepoisConfigurar(TnFormParametros* pai) override {
    TnrwBaseDll::DepoisConfigurar(pai);
    ConfigurarParamTipoMvtoCL(Params(), FExecutarParamChange);
  }
  void DoParamChange(TObject* sender, TnpqParamItem* item) override {
    TnrwBaseDll::DoParamChange(sender, item);
    Guardas.push_back(item->Nome() + (FExecutarParamChange ? " ativa" : " suspensa"));
    AlterarParamTipoMvtoCL(Params(), item, FExecutarParamChange);
  }
  bool FExecutarParamChange = false;
  std::vector<std::string> Guardas;
};

struct ParamTipoMvto : ::testing::Test {
  ParamTipoMvto() : report(TnLayout::DeTexto(kLayoutTipos, "tipos.json")), objeto(&report) {}
  TnpqParamItem* Tipos() { return objeto.Params()->Param("pTipoMvtoEstoqueCL"); }
  TnrwReport report;
  TRelatorioTipos objeto;
};

TEST_F(ParamTipoMvto, CaptionNamesTheTypesAnEmptyListStandsFor) {
  TnFormParametros form(&report, &objeto);
  objeto.DepoisConfigurar(&form);
  EXPECT_EQ(Tipos()->Rotulo, "Tipos de movimento (vazio: -1, 0 e 1)");
  EXPECT_TRUE(objeto.FExecutarParamChange);
}

// The rewrite goes through the form control and so reaches DoParamChange again, where the
// suspended guard keeps the routine from running twice.
TEST_F(ParamTipoMvto, AcceptedTextsAreRewrittenOnceInCanonicalForm) {
  struct TCaso {
    const char* Digitado;
    const char* Fica;
    std::vector<std::string> Guardas;
  } casos[] = {
      {"1, -1", "-1,1", {"pTipoMvtoEstoqueCL ativa", "pTipoMvtoEstoqueCL suspensa"}},
      {"-1-1", "-1,0,1", {"pTipoMvtoEstoqueCL ativa", "pTipoMvtoEstoqueCL suspensa"}},
      {"0;0,1", "0,1", {"pTipoMvtoEstoqueCL ativa", "pTipoMvtoEstoqueCL suspensa"}},
      {"-1,0", "-1,0", {"pTipoMvtoEstoqueCL ativa"}},
      {"", "", {"pTipoMvtoEstoqueCL ativa"}},
  };
  TnFormParametros form(&report, &objeto);
  objeto.DepoisConfigurar(&form);
  for (const TCaso& c : casos) {
    objeto.Guardas.clear();
    form.Preencher("pTipoMvtoEstoqueCL", c.Digitado);
    EXPECT_EQ(Tipos()->GetAsString(), c.Fica) << c.Digitado;
    EXPECT_EQ(objeto.Guardas, c.Guardas) << c.Digitado;
    EXPECT_TRUE(objeto.FExecutarParamChange) << c.Digitado;
  }
}

TEST_F(ParamTipoMvto, RefusedTextsRaiseEnParamOnTheParameterAndRestoreTheGuard) {
  struct TCaso {
    const char* Digitado;
    const char* Mensagem;
  } casos[] = {
      {"2", "O tipo de movimento 2 não conta como custo; use -1, 0 e 1."},
      {"-3-0", "O tipo de movimento -3 não conta como custo; use -1, 0 e 1."},
      {"0-4", "O tipo de movimento 2 não conta como custo; use -1, 0 e 1."},
      {"1;x", "Seleção '1;x' inválida"},
  };
  TnFormParametros form(&report, &objeto);
  objeto.DepoisConfigurar(&form);
  for (const TCaso& c : casos) {
    try {
      form.Preencher("pTipoMvtoEstoqueCL", c.Digitado);
      ADD_FAILURE() << c.Digitado << " accepted";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.Item(), Tipos()) << c.Digitado;
      EXPECT_EQ(std::string(e.what()).rfind(c.Mensagem, 0), 0u) << e.what();
    }
    EXPECT_TRUE(objeto.FExecutarParamChange) << c.Digitado;
  }
}

// Before DepoisConfigurar the guard is false; another parameter never calls the routine.
TEST_F(ParamTipoMvto, NothingBeforeConfiguringAndNothingForOtherParameters) {
  TnFormParametros form(&report, &objeto);
  form.Preencher("pTipoMvtoEstoqueCL", "1, -1");
  EXPECT_EQ(Tipos()->GetAsString(), "1, -1");
  objeto.DepoisConfigurar(&form);
  form.Preencher("pCodigoEmpreend", "1");
  EXPECT_EQ(Tipos()->GetAsString(), "1, -1");
}

}  // namespace
