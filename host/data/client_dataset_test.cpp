// The in-memory dataset: cursor, editing, index order, key lookup, ranges and the
// progress of a loop over it.
#include "host/data/client_dataset.h"

#include <gtest/gtest.h>

#include "frame/mapper.h"
#include "host/core/datas.h"
#include "host/core/progresso.h"

namespace {

// Rows (grupo, nome, valor, data), grupo and data with nulls, in insertion order.
std::unique_ptr<TnClientDataSet> Exemplo() {
  auto ds = std::make_unique<TnClientDataSet>();
  ds->AddFieldDef("GRUPO", ftInteger);
  ds->AddFieldDef("NOME", ftString, 10);
  ds->AddFieldDef("VALOR", ftFloat);
  ds->AddFieldDef("DATA", ftDate);
  ds->CreateDataSet();
  struct L { TValor g; const char* n; double v; TValor d; } linhas[] = {
      {2, "b", 1.5, TValor::Data(EncodeDate(2024, 1, 2))},
      {1, "z", 2.0, TValor::Nulo()},
      {TValor::Nulo(), "n", 3.0, TValor::Data(EncodeDate(2024, 1, 1))},
      {2, "a", 4.0, TValor::Data(EncodeDate(2024, 1, 1))},
      {1, "z", 5.0, TValor::Data(EncodeDate(2023, 12, 31))},
      {3, "c", 6.0, TValor::Nulo()},
  };
  for (const auto& l : linhas) {
    ds->Append();
    ds->FieldByName("GRUPO")->SetValue(l.g);
    ds->FieldByName("NOME")->SetAsString(l.n);
    ds->FieldByName("VALOR")->SetAsFloat(l.v);
    ds->FieldByName("DATA")->SetValue(l.d);
    ds->Post();
  }
  return ds;
}

// VALOR of every row in view, in cursor order: it identifies the rows.
std::vector<double> Valores(TnClientDataSet& ds) {
  std::vector<double> r;
  for (ds.First(); !ds.Eof(); ds.Next()) r.push_back(ds.FieldByName("VALOR")->AsFloat());
  return r;
}

TEST(ClientDataSet, CursorFlagsFollowThePlatformRules) {
  auto ds = Exemplo();
  ds->First();
  EXPECT_TRUE(ds->Bof());
  EXPECT_FALSE(ds->Eof());
  EXPECT_EQ(ds->RecNo(), 1);
  ds->Last();
  EXPECT_TRUE(ds->Eof());  // Last leaves Eof set and the last row current
  EXPECT_EQ(ds->RecNo(), 6);
  EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), 6.0);
  ds->Prior();
  EXPECT_FALSE(ds->Eof());
  EXPECT_EQ(ds->RecNo(), 5);
  ds->First();
  ds->Prior();
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->RecNo(), 1);

  TnClientDataSet vazio;
  vazio.AddFieldDef("A", ftInteger);
  vazio.CreateDataSet();
  vazio.First();
  EXPECT_TRUE(vazio.Eof() && vazio.Bof() && vazio.IsEmpty());
  EXPECT_EQ(vazio.RecNo(), 0);
  EXPECT_TRUE(vazio.FieldByName("A")->IsNull());
  EXPECT_EQ(vazio.FieldByName("A")->AsInteger(), 0);
}

TEST(ClientDataSet, FieldLookupIgnoresCaseAndNamesAMissingField) {
  auto ds = Exemplo();
  EXPECT_EQ(ds->FieldByName("nome"), ds->Fields(1));
  EXPECT_EQ(ds->FindField("NAO"), nullptr);
  try {
    ds->FieldByName("NAOEXISTE");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Campo 'NAOEXISTE' não encontrado no conjunto de dados.");
  }
  EXPECT_THROW(ds->Fields(9), std::out_of_range);
}

TEST(ClientDataSet, IndexOrdersStablyWithNullsFirstOnMixedTypes) {
  struct Caso { const char* indice; std::vector<double> ordem; } casos[] = {
      {"GRUPO", {3.0, 2.0, 5.0, 1.5, 4.0, 6.0}},       // null first, ties keep insertion order
      {"GRUPO;NOME", {3.0, 2.0, 5.0, 4.0, 1.5, 6.0}},
      {"nome;VALOR", {4.0, 1.5, 6.0, 3.0, 2.0, 5.0}},
      {"DATA;GRUPO", {2.0, 6.0, 5.0, 3.0, 4.0, 1.5}},  // null dates first, then by date and group
      {"", {1.5, 2.0, 3.0, 4.0, 5.0, 6.0}},            // back to insertion order
  };
  auto ds = Exemplo();
  for (const auto& c : casos) {
    ds->SetIndexFieldNames(c.indice);
    EXPECT_EQ(Valores(*ds), c.ordem) << c.indice;
  }
  EXPECT_THROW(ds->SetIndexFieldNames("GRUPO;XIS"), std::runtime_error);
}

TEST(ClientDataSet, FindKeyAndRangesOnTheIndexFields) {
  auto ds = Exemplo();
  ds->SetIndexFieldNames("GRUPO;NOME");
  struct Caso { std::vector<TValor> chave; bool achou; double valor; } chaves[] = {
      {{1, "z"}, true, 2.0},     // first of two equal keys
      {{2}, true, 4.0},          // partial key: first row of group 2
      {{TValor::Nulo()}, true, 3.0},
      {{2, "c"}, false, 0},
      {{"3"}, true, 6.0},        // text key converted to the integer field
  };
  for (const auto& c : chaves) {
    ds->First();
    EXPECT_EQ(ds->FindKey(c.chave), c.achou);
    if (c.achou) {
      EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), c.valor);
    }
  }
  struct Faixa { std::vector<TValor> ini, fim; std::vector<double> ordem; } faixas[] = {
      {{1}, {1}, {2.0, 5.0}},
      {{1}, {2}, {2.0, 5.0, 4.0, 1.5}},
      {{2, "b"}, {3}, {1.5, 6.0}},
      {{5}, {9}, {}},
      {{3}, {1}, {}},  // start after end: nothing
  };
  for (const auto& f : faixas) {
    ds->SetRange(f.ini, f.fim);
    EXPECT_EQ(Valores(*ds), f.ordem);
    EXPECT_EQ(ds->RecordCount(), static_cast<int>(f.ordem.size()));
  }
  ds->SetRange({1}, {1});
  ds->Next();  // on 5.0, second row of the range
  ds->CancelRange();
  EXPECT_EQ(ds->RecordCount(), 6);
  EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), 5.0);  // same row after cancelling

  ds->SetRange({2}, {2});
  EXPECT_FALSE(ds->FindKey({1}));  // lookups stay inside the range
  EXPECT_TRUE(ds->FindKey({2, "b"}));
  EXPECT_THROW(ds->SetRange({1, "a", 3}, {2}), std::runtime_error);
  TnClientDataSet semIndice;
  semIndice.AddFieldDef("A", ftInteger);
  semIndice.CreateDataSet();
  EXPECT_THROW(semIndice.FindKey({1}), std::runtime_error);
}

TEST(ClientDataSet, PostedRowsTakeTheirPlaceInIndexAndRange) {
  auto ds = Exemplo();
  ds->SetIndexFieldNames("GRUPO");
  ds->SetRange({1}, {2});
  ds->Append();
  ds->FieldByName("GRUPO")->SetAsInteger(1);
  ds->FieldByName("VALOR")->SetAsFloat(7.0);
  ds->Post();
  EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), 7.0);  // cursor on the new row
  EXPECT_EQ(Valores(*ds), (std::vector<double>{2.0, 5.0, 7.0, 1.5, 4.0}));

  ds->First();
  ds->Edit();
  ds->FieldByName("GRUPO")->SetAsInteger(3);  // moves out of the range
  ds->Post();
  EXPECT_EQ(Valores(*ds), (std::vector<double>{5.0, 7.0, 1.5, 4.0}));
  ds->CancelRange();
  EXPECT_EQ(Valores(*ds), (std::vector<double>{3.0, 5.0, 7.0, 1.5, 4.0, 2.0, 6.0}));

  ds->First();
  ds->Edit();
  ds->FieldByName("NOME")->SetAsString("mudado");
  ds->Cancel();
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "n");
  ds->Append();
  ds->FieldByName("VALOR")->SetAsFloat(8.0);
  ds->Next();  // moving posts the pending row
  EXPECT_EQ(ds->RecordCount(), 8);
}

TEST(ClientDataSet, EditWithoutIndexKeepsTheRowInPlace) {
  auto ds = Exemplo();
  ds->SetRecNo(3);
  ds->Edit();
  ds->FieldByName("NOME")->SetAsString("mudado");
  ds->Post();
  EXPECT_EQ(ds->RecNo(), 3);
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "mudado");
  EXPECT_EQ(Valores(*ds), (std::vector<double>{1.5, 2.0, 3.0, 4.0, 5.0, 6.0}));
}

// Index order of Exemplo on GRUPO;NOME: 3 (null), 2 and 5 (1 z), 4 (2 a), 1.5 (2 b), 6 (3 c).
TEST(ClientDataSet, PostedRowLandsWhereAReSortPutsIt) {
  struct Caso { int RecNo; TValor Grupo; const char* Nome; std::vector<double> Ordem; } casos[] = {
      {1, 3, "d", {2.0, 5.0, 4.0, 1.5, 6.0, 3.0}},              // forward, to the end
      {6, TValor::Nulo(), "a", {6.0, 3.0, 2.0, 5.0, 4.0, 1.5}},  // backward, to the start
      {4, 1, "z", {3.0, 2.0, 4.0, 5.0, 1.5, 6.0}},               // ties: physical order decides
      {3, 2, "b", {3.0, 2.0, 4.0, 1.5, 5.0, 6.0}},               // tie with an earlier row
      {2, 1, "z", {3.0, 2.0, 5.0, 4.0, 1.5, 6.0}},               // key unchanged
      {0, 1, "z", {3.0, 2.0, 5.0, 7.0, 4.0, 1.5, 6.0}},          // appended after its equals
      {0, TValor::Nulo(), "a", {7.0, 3.0, 2.0, 5.0, 4.0, 1.5, 6.0}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.RecNo);
    auto ds = Exemplo();
    ds->SetIndexFieldNames("GRUPO;NOME");
    if (c.RecNo == 0) {
      ds->Append();
      ds->FieldByName("VALOR")->SetAsFloat(7.0);
    } else {
      ds->SetRecNo(c.RecNo);
      ds->Edit();
    }
    const double valor = ds->FieldByName("VALOR")->AsFloat();
    ds->FieldByName("GRUPO")->SetValue(c.Grupo);
    ds->FieldByName("NOME")->SetAsString(c.Nome);
    ds->Post();
    EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), valor);  // cursor on the posted row
    EXPECT_EQ(Valores(*ds), c.Ordem);
    ds->SetIndexFieldNames("GRUPO;NOME");  // a full re-sort agrees
    EXPECT_EQ(Valores(*ds), c.Ordem);
  }
}

TEST(ClientDataSet, ValuesConvertToTheFieldType) {
  TnClientDataSet ds;
  ds.AddFieldDef("TEXTO", ftString, 3);
  ds.AddFieldDef("INTEIRO", ftInteger, 0, true);
  ds.AddFieldDef("QUANDO", ftDateTime);
  ds.AddFieldDef("DIA", ftDate);
  ds.CreateDataSet();
  EXPECT_THROW(ds.FieldByName("TEXTO")->SetAsString("x"), std::runtime_error);  // not editing
  ds.Append();
  ds.FieldByName("TEXTO")->SetAsString("ação");
  ds.FieldByName("INTEIRO")->SetAsFloat(2.5);
  ds.FieldByName("QUANDO")->SetAsString("31/01/2024");
  ds.FieldByName("DIA")->SetAsDateTime(EncodeDateTime(2024, 1, 31, 23, 0, 0, 0));
  EXPECT_EQ(ds.FieldByName("TEXTO")->AsString(), "açã");  // cut to the size, in characters
  EXPECT_EQ(ds.FieldByName("INTEIRO")->AsInteger(), 3);
  EXPECT_EQ(ds.FieldByName("DIA")->AsDateTime(), EncodeDate(2024, 1, 31));
  EXPECT_THROW(ds.FieldByName("INTEIRO")->SetAsString("1 or 1=1"), std::invalid_argument);
  EXPECT_THROW(ds.FieldByName("INTEIRO")->SetAsInteger(int64_t{1} << 40), std::out_of_range);
  ds.FieldByName("INTEIRO")->Clear();
  try {
    ds.Post();
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Campo 'INTEIRO' deve ter um valor.");
  }
  ds.Cancel();
  EXPECT_TRUE(ds.IsEmpty());
  ds.SetLogChanges(false);
  auto cheio = Exemplo();
  cheio->SetIndexFieldNames("NOME");
  cheio->EmptyDataSet();
  EXPECT_TRUE(cheio->IsEmpty());
  EXPECT_EQ(cheio->IndexFieldNames(), "NOME");
}

struct TMapperExemplo : TnMapperBase {
  NCAMPO(Grupo);
  NCAMPO(NOME);
};
struct TMapperFaltando : TnMapperBase {
  NCAMPO(GRUPO);
  NCAMPO(CodigoNotaEnt);
};
struct TMapperOpcional : TnMapperBase {
  NCAMPO_OPCIONAL(Nome);
  NCAMPO_OPCIONAL(CodigoNotaEnt);
};

TEST(Mapper, OneBoundObjectPerClassAndDataset) {
  auto a = Exemplo(), b = Exemplo();
  TMapperExemplo* m = Mapper<TMapperExemplo>(a.get());
  EXPECT_EQ(Mapper<TMapperExemplo>(a.get()), m);
  EXPECT_NE(Mapper<TMapperExemplo>(b.get()), m);
  a->Last();
  EXPECT_EQ(m->NOME->AsString(), "c");  // follows the current row
  EXPECT_EQ(static_cast<TField*>(m->Grupo), a->FieldByName("GRUPO"));
  try {
    Mapper<TMapperFaltando>(a.get());
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Campo 'CodigoNotaEnt' não encontrado no conjunto de dados.");
  }
  // An optional member binds when the column is there and stays null when it is not.
  TMapperOpcional* o = Mapper<TMapperOpcional>(a.get());
  EXPECT_EQ(static_cast<TField*>(o->Nome), a->FieldByName("NOME"));
  EXPECT_EQ(static_cast<TField*>(o->CodigoNotaEnt), nullptr);
}

// A progress frame counts a dataset's rows.
TEST(Progresso, TotalFromADatasetAndQuietWhenNotATerminal) {
  TnClientDataSet ds;
  ds.AddFieldDef("A", ftInteger);
  ds.CreateDataSet();
  for (int i = 0; i < 3; ++i) {
    ds.Append();
    ds.Fields(0)->SetAsInteger(i);
    ds.Post();
  }
  TnFraProgresso p;  // stderr of a test run is not a terminal
  p.ConfigurarProgressoTotal(&ds, "Processando a operação solicitada...");
  p.MostrarSimples();
  EXPECT_EQ(p.MaximoTotal(), 3);
  EXPECT_TRUE(p.Visivel());
  EXPECT_FALSE(p.Multiplo());
}

}  // namespace
