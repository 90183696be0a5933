// The datasets a layout has the host open: ":name" bound to the form's parameter
// of that name by its kind, the handles of the registry, and nothing left open.
#include "host/report/conjuntos_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/data/client_dataset.h"
#include "host/report/base_dll.h"
#include "host/report/registro_conjuntos.h"
#include "host/report/report.h"
#include "tests/testkit/banco_teste.h"

namespace {

// One row whatever the parameters: each one comes back as the database received it.
const char* kLayout = R"({
  "relatorio": "Conjuntos",
  "parametros": [
    {"nome": "pEmpresa", "tipo": "inteiro"},
    {"nome": "pData", "tipo": "data"},
    {"nome": "pTexto", "tipo": "texto"}],
  "consulta": "select cast(:pEmpresa as integer) EMPRESA, cast(:pData as date) DATA, cast(:pTexto as varchar(20)) TEXTO, cast(:PEMPRESA as integer) DE_NOVO from RDB$DATABASE",
  "conjuntos": {"pCursor": "select 1 UM from RDB$DATABASE where cast(:pTexto as varchar(20)) is not null"},
  "secoes": [{"numero": 1, "altura": 20, "elementos": []}]})";

std::unique_ptr<TnrwReport> Relatorio() { return std::make_unique<TnrwReport>(TnLayout::DeTexto(kLayout, "teste.json")); }

TnpqPowerParam* Parametros(TnrwReport& r) { return TnpqPowerQuery::GetParams(&r); }

TEST(ConjuntosLayout, CadaNomeRecebeOParametroPeloSeuTipoEEmBrancoENulo) {
  TBancoTeste banco;
  struct {
    const char *Empresa, *Data, *Texto;
    const char *EsperadoEmpresa, *EsperadoData, *EsperadoTexto;
    bool CursorComLinha;
  } casos[] = {
      {"7", "31/01/2026", "Obra 1", "7", "31/01/2026", "Obra 1", true},
      {"", "", "", "", "", "", false},
  };
  for (const auto& c : casos) {
    auto report = Relatorio();
    Parametros(*report)->Param("pEmpresa")->SetAsString(c.Empresa);
    Parametros(*report)->Param("pData")->SetAsString(c.Data);
    Parametros(*report)->Param("pTexto")->SetAsString(c.Texto);
    TnConjuntosDoLayout conjuntos(*report, {});
    TnClientDataSet* principal = report->MainDataSet();
    ASSERT_NE(principal, nullptr);
    EXPECT_EQ(principal->FieldByName("EMPRESA")->AsString(), c.EsperadoEmpresa);
    EXPECT_EQ(principal->FieldByName("DE_NOVO")->AsString(), c.EsperadoEmpresa);
    EXPECT_EQ(principal->FieldByName("DATA")->AsString(), c.EsperadoData);
    EXPECT_EQ(principal->FieldByName("TEXTO")->AsString(), c.EsperadoTexto);
    EXPECT_EQ(principal->FieldByName("TEXTO")->IsNull(), *c.Texto == 0);
    TnClientDataSet* cursor = TnRegistroConjuntos::ConjuntoDoParametro(Parametros(*report)->Param("pCursor"));
    EXPECT_EQ(cursor->IsEmpty(), !c.CursorComLinha) << c.Texto;
  }
}

TEST(ConjuntosLayout, OConjuntoChegaPorUmParametroInteiroOculto) {
  auto report = Relatorio();
  TnpqParamItem* cursor = Parametros(*report)->Param("pCursor");
  EXPECT_EQ(cursor->Tipo(), TnTipoParametro::Inteiro);
  EXPECT_FALSE(cursor->Visivel);
}

TEST(ConjuntosLayout, UmNomeQueOFormularioNaoTemRecusaOLayoutNomeandoO) {
  struct {
    const char *Chave, *Sql, *Mensagem;
  } casos[] = {
      {"consulta", R"("select 1 from RDB$DATABASE where 1 = :pEmpresa or 2 = :pObra")",
       "Layout 'x.json', consulta: ':pObra' não é parâmetro do formulário."},
      {"conjuntos", R"({"pCursor": "select 1 from RDB$DATABASE where 1 = :pCodigoEmpreend"})",
       "Layout 'x.json', conjunto 'pCursor': ':pCodigoEmpreend' não é parâmetro do formulário."},
      {"conjuntos", R"({"pEmpresa": "select 1 from RDB$DATABASE"})",
       "Layout 'x.json', conjunto 'pEmpresa': o parâmetro deve ser do tipo inteiro."},
  };
  for (const auto& c : casos) {
    const std::string json = std::string(R"({"relatorio": "x", "parametros": [{"nome": "pEmpresa", "tipo": "texto"}], ")") +
                             c.Chave + "\": " + c.Sql + R"(, "secoes": []})";
    try {
      TnLayout::DeTexto(json, "x.json");
      ADD_FAILURE() << c.Sql << " was accepted";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), c.Mensagem);
    }
  }
}

TEST(ConjuntosLayout, UmNumeroDigitadoOuVencidoNaoDesignaNada) {
  TnClientDataSet ds;
  int handle = 0;
  {
    TnConjuntoRegistrado registro(&ds);
    handle = registro.Handle();
    EXPECT_GT(handle, 0);
    EXPECT_EQ(TnRegistroConjuntos::Resolver(handle), &ds);
    TnConjuntoRegistrado outro(&ds);
    EXPECT_NE(outro.Handle(), handle);  // never reused
  }
  EXPECT_EQ(TnRegistroConjuntos::Resolver(handle), nullptr);
  EXPECT_EQ(TnRegistroConjuntos::Resolver(handle + 1000), nullptr);
  EXPECT_EQ(TnRegistroConjuntos::Resolver(0), nullptr);
  EXPECT_EQ(TnRegistroConjuntos::Resolver(-1), nullptr);
  EXPECT_EQ(TnRegistroConjuntos::Resolver(reinterpret_cast<intptr_t>(&ds)), nullptr);  // an address is no handle

  TnpqParamItem cursor("pCursor", TnTipoParametro::Inteiro);
  for (const std::string& texto : {std::to_string(handle), std::string(), std::string("abc"), std::string("99999999999")}) {
    cursor.SetAsString(texto);
    try {
      TnRegistroConjuntos::ConjuntoDoParametro(&cursor);
      ADD_FAILURE() << "'" << texto << "' designated a dataset";
    } catch (const EnParam& e) {
      EXPECT_EQ(e.Item(), &cursor);
      EXPECT_EQ(std::string(e.what()), "'" + texto + "' não designa um conjunto de dados aberto pelo sistema.");
    }
  }
}

// A print that raises still leaves no dataset designated or open (ASan checks the freeing).
TEST(ConjuntosLayout, ConjuntosSaoLiberadosTambemQuandoAImpressaoFalha) {
  TBancoTeste banco;
  auto report = Relatorio();
  Parametros(*report)->Param("pTexto")->SetAsString("x");
  std::string handle;
  try {
    TnConjuntosDoLayout conjuntos(*report, {});
    handle = Parametros(*report)->Param("pCursor")->GetAsString();
    ASSERT_NE(TnRegistroConjuntos::Resolver(std::stoll(handle)), nullptr);
    throw std::runtime_error("falha na impressão");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(TnRegistroConjuntos::Resolver(std::stoll(handle)), nullptr);
  EXPECT_EQ(report->MainDataSet(), nullptr);
}

// A query that fails leaves nothing registered and the report without MainDataSet.
TEST(ConjuntosLayout, ConsultaQueFalhaNaoDeixaNadaAberto) {
  TBancoTeste banco;
  auto report = std::make_unique<TnrwReport>(TnLayout::DeTexto(R"({"relatorio": "x",
    "conjuntos": {"pCursor": "select 1 from RDB$DATABASE"}, "consulta": "select 1 from TABELA_QUE_NAO_EXISTE",
    "secoes": []})", "x.json"));
  EXPECT_ANY_THROW({ TnConjuntosDoLayout conjuntos(*report, {}); });
  EXPECT_EQ(Parametros(*report)->Param("pCursor")->GetAsString(), "");
  EXPECT_EQ(report->MainDataSet(), nullptr);
}

// Datasets built by the caller take the place of the queries and stay the caller's.
TEST(ConjuntosLayout, ConjuntosDoChamadorSubstituemAsConsultas) {
  TnClientDataSet principal, cursor;
  auto report = Relatorio();
  {
    TnConjuntosDoLayout conjuntos(*report, {&principal, {{"pCursor", &cursor}}});
    EXPECT_EQ(report->MainDataSet(), &principal);
    EXPECT_EQ(TnRegistroConjuntos::ConjuntoDoParametro(Parametros(*report)->Param("pCursor")), &cursor);
    TnrwBaseDll objeto(report.get());
    EXPECT_EQ(objeto.MainDataSet, &principal);
  }
  EXPECT_EQ(report->MainDataSet(), nullptr);
}

}  // namespace
