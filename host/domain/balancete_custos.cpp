#include "host/domain/balancete_custos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/data/client_dataset.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/domain/tipo_mvto_estoque.h"
#include "host/report/objeto.h"

namespace {

constexpr int kEstruturaSintetica = 1;           // TIPOESTRUTURA of a summary item
constexpr int kIncluir = 1;                      // FilterInterval: the codes of the selection
constexpr int kCompararInteiros = 0;             // FilterInterval: integer columns
constexpr int kTamanhoNome = 100;
constexpr int kTamanhoClassificacao = 200;
constexpr int kTamanhoInsumo = 200;
constexpr const char* kSintetica = "S";
constexpr const char* kAnalitica = "A";
constexpr const char* kLinhaInsumo = "I";
constexpr const char* kMascaraCodigoInsumo = "0000";
constexpr const char* kInsumoNaoInformado = "(insumo não informado)";

// Columns of the statement, in select order.
enum TColunaSQL {
  cTemRateio, cEscrit, cEmpreend, cNomeEmpre, cEstrutura, cClassif, cDescr, cTipo, cInsumo, cDescrInsumo,
  cAnterior, cMovimento
};

// Columns of the datasets, in this order; INSUMO only in the per-input one.
enum TColunaBalancete { bEscrit, bEmpreend, bNomeEmpre, bEstrutura, bTipo, bClassificacao, bInsumo };

using TCentavos = int64_t;

struct TSaldos {
  TCentavos Anterior = 0, Movimento = 0;
  void operator+=(const TSaldos& o) {
    Anterior += o.Anterior;
    Movimento += o.Movimento;
  }
};

// One input of an item: its code (none when the allocation named no input) and totals.
struct TInsumo {
  std::string Descricao;
  TSaldos Saldos;
};
using TInsumos = std::map<std::optional<int64_t>, TInsumo>;

struct TItem {
  int64_t Escrit = 0, Empreend = 0, Estrutura = 0;
  std::string NomeEmpre, Classif, Descr;
  bool Sintetico = false;
  bool TemRateio = false;                        // allocations of its own passed the filters
  bool Presente = false;                         // it gets a row
  TSaldos Proprio, Total;                        // own allocations; own plus the items below
  TInsumos InsumosProprios, Insumos;             // per input: own; the ones it lists
};

TCentavos EmCentavos(const TField* f) { return std::llround(f->AsFloat() * 100.0); }
double EmReais(TCentavos c) { return static_cast<double>(c) / 100.0; }

std::string TextoInsumo(const std::optional<int64_t>& codigo, const std::string& descricao) {
  if (!codigo) return kInsumoNaoInformado;
  return FormatFloat(kMascaraCodigoInsumo, static_cast<double>(*codigo)) + " - " + descricao;
}

// The classifications strictly above one: "1.1.01" gives "1" and "1.1".
std::vector<std::string> ClassificacoesAcima(const std::string& classif) {
  std::vector<std::string> acima;
  for (size_t p = classif.find('.'); p != std::string::npos; p = classif.find('.', p + 1))
    acima.push_back(classif.substr(0, p));
  return acima;
}

void Somar(TInsumos& destino, const TInsumos& origem) {
  for (const auto& [codigo, insumo] : origem) {
    TInsumo& d = destino[codigo];
    d.Descricao = insumo.Descricao;
    d.Saldos += insumo.Saldos;
  }
}

// Reads the statement's rows into one item per (company, development, structure item).
std::vector<TItem> LerItens(TnClientDataSet& ds) {
  std::vector<TItem> itens;
  std::map<std::tuple<int64_t, int64_t, int64_t>, size_t> porChave;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    const auto chave = std::make_tuple(ds.Fields(cEscrit)->AsLargeInt(), ds.Fields(cEmpreend)->AsLargeInt(),
                                       ds.Fields(cEstrutura)->AsLargeInt());
    auto [it, novo] = porChave.try_emplace(chave, itens.size());
    if (novo) {
      TItem item;
      std::tie(item.Escrit, item.Empreend, item.Estrutura) = chave;
      item.NomeEmpre = ds.Fields(cNomeEmpre)->AsString();
      item.Classif = ds.Fields(cClassif)->AsString();
      item.Descr = ds.Fields(cDescr)->AsString();
      item.Sintetico = !ds.Fields(cTipo)->IsNull() && ds.Fields(cTipo)->AsInteger() == kEstruturaSintetica;
      itens.push_back(std::move(item));
    }
    if (ds.Fields(cTemRateio)->AsInteger() == 0) continue;
    TItem& item = itens[it->second];
    const TSaldos saldos{EmCentavos(ds.Fields(cAnterior)), EmCentavos(ds.Fields(cMovimento))};
    item.TemRateio = true;
    item.Proprio += saldos;
    std::optional<int64_t> insumo;
    if (!ds.Fields(cInsumo)->IsNull()) insumo = ds.Fields(cInsumo)->AsLargeInt();
    TInsumo& i = item.InsumosProprios[insumo];
    i.Descricao = ds.Fields(cDescrInsumo)->AsString();
    i.Saldos += saldos;
  }
  return itens;
}

// Each item's own allocations count for itself and for every summary item above it.
void TotalizarSinteticos(std::vector<TItem>& itens, bool insumosNosSinteticos) {
  std::map<std::tuple<int64_t, int64_t, std::string>, size_t> sinteticos;
  for (size_t i = 0; i < itens.size(); ++i)
    if (itens[i].Sintetico) sinteticos.emplace(std::make_tuple(itens[i].Escrit, itens[i].Empreend, itens[i].Classif), i);
  for (TItem& item : itens) {
    if (!item.TemRateio) continue;
    item.Presente = true;
    item.Total += item.Proprio;
    if (item.Sintetico == insumosNosSinteticos) Somar(item.Insumos, item.InsumosProprios);
    for (const std::string& acima : ClassificacoesAcima(item.Classif)) {
      const auto s = sinteticos.find(std::make_tuple(item.Escrit, item.Empreend, acima));
      if (s == sinteticos.end()) continue;
      TItem& sintetico = itens[s->second];
      sintetico.Presente = true;
      sintetico.Total += item.Proprio;
      if (insumosNosSinteticos) Somar(sintetico.Insumos, item.InsumosProprios);
    }
  }
}

void PrepararDataSet(TnClientDataSet& ds, bool porInsumo) {
  ds.AddFieldDef("CODIGOESCRIT", ftInteger);
  ds.AddFieldDef("CODIGOEMPREEND", ftInteger);
  ds.AddFieldDef("NOMEEMPRE", ftString, kTamanhoNome);
  ds.AddFieldDef("CODIGOESTRUTURA", ftInteger);
  ds.AddFieldDef("TIPOESTRUTURA", ftString, 1);
  ds.AddFieldDef("CLASSIFICACAO", ftString, kTamanhoClassificacao);
  if (porInsumo) ds.AddFieldDef("INSUMO", ftString, kTamanhoInsumo);
  ds.AddFieldDef("SALDOANTERIOR", ftFloat);
  ds.AddFieldDef("MOVIMENTO", ftFloat);
  ds.AddFieldDef("SALDO", ftFloat);
  ds.CreateDataSet();
  ds.SetLogChanges(false);
}

class TnGravadorBalancete {
 public:
  TnGravadorBalancete(TnClientDataSet& ds, bool porInsumo, size_t linhas) : FDs(ds), FPorInsumo(porInsumo) {
    FDs.IniciarCarga(linhas);
  }

  void Linha(const TItem& item, const char* tipo, const std::string& insumo, const TSaldos& s) {
    FDs.CarregarInteiro(bEscrit, item.Escrit);
    FDs.CarregarInteiro(bEmpreend, item.Empreend);
    FDs.CarregarTexto(bNomeEmpre, item.NomeEmpre);
    FDs.CarregarInteiro(bEstrutura, item.Estrutura);
    FDs.CarregarTexto(bTipo, tipo);
    FDs.CarregarTexto(bClassificacao, item.Classif + " - " + item.Descr);
    int coluna = bInsumo;
    if (FPorInsumo) FDs.CarregarTexto(coluna++, insumo);
    FDs.CarregarReal(coluna++, EmReais(s.Anterior));
    FDs.CarregarReal(coluna++, EmReais(s.Movimento));
    FDs.CarregarReal(coluna, EmReais(s.Anterior + s.Movimento));
    FDs.FecharLinha();
  }

  void Terminar() { FDs.TerminarCarga(); }

 private:
  TnClientDataSet& FDs;
  bool FPorInsumo;
};

void GravarItens(std::vector<TItem>& itens, bool porInsumo, TnClientDataSet& destino) {
  std::vector<const TItem*> presentes;
  for (const TItem& item : itens)
    if (item.Presente) presentes.push_back(&item);
  std::sort(presentes.begin(), presentes.end(), [](const TItem* a, const TItem* b) {
    return std::tie(a->Escrit, a->Empreend, a->Classif, a->Estrutura) <
           std::tie(b->Escrit, b->Empreend, b->Classif, b->Estrutura);
  });
  TnGravadorBalancete gravador(destino, porInsumo, presentes.size());
  for (const TItem* item : presentes) {
    gravador.Linha(*item, item->Sintetico ? kSintetica : kAnalitica, "", item->Total);
    if (!porInsumo) continue;
    for (const auto& [codigo, insumo] : item->Insumos)
      gravador.Linha(*item, kLinhaInsumo, TextoInsumo(codigo, insumo.Descricao), insumo.Saldos);
  }
  gravador.Terminar();
}

}  // namespace

TnBalanceteCustos::TnBalanceteCustos()
    : FCdsBalancete(std::make_unique<TnClientDataSet>()),
      FCdsBalanceteDetInsumos(std::make_unique<TnClientDataSet>()) {
  PrepararDataSet(*FCdsBalancete, false);
  PrepararDataSet(*FCdsBalanceteDetInsumos, true);
}

TnBalanceteCustos::~TnBalanceteCustos() = default;

void TnBalanceteCustos::CarregarBalancete() { Carregar(false, *FCdsBalancete); }

void TnBalanceteCustos::CarregarBalanceteDetInsumos() { Carregar(true, *FCdsBalanceteDetInsumos); }

void TnBalanceteCustos::Carregar(bool porInsumo, TnClientDataSet& destino) const {
  if (DateOf(DataFinal) < DateOf(DataInicial))
    throw Exception("A data inicial não pode ser maior que a data final.");
  std::vector<TValor> valores;
  const std::string sql = MontarSQLBalancete(porInsumo, valores);
  TnDataSetSQL linhas = ExecutarSQL(sql, valores);
  std::vector<TItem> itens = LerItens(*linhas);
  DestruirSQL(linhas);
  TotalizarSinteticos(itens, porInsumo && Modelo != kModeloAnalitico);
  TnClientDataSet carga;
  PrepararDataSet(carga, porInsumo);
  GravarItens(itens, porInsumo, carga);
  destino.TrocarDados(std::move(carga));
}

// Two parts in one statement: the allocations grouped by item (and input), and the
// summary items of the developments, which the totals hang on. The allocations are
// grouped on their own keys first (a narrow sort of the many rows), and only the grouped
// rows meet the structure, the development and the input.
std::string TnBalanceteCustos::MontarSQLBalancete(bool porInsumo, std::vector<TValor>& valores) const {
  const std::string valor =
      "case when RA.TIPOMVTOESTOQUE < 0 then -coalesce(RA.VALORRATEIO, 0) else coalesce(RA.VALORRATEIO, 0) end";
  const bool comEscrit = CodigoEscrit != 0;
  const std::string insumo = porInsumo ? "RA.CODIGOINSUMO" : "cast(null as integer) CODIGOINSUMO";

  std::string rateios =
      "select RA.CODIGOESCRIT, RA.CODIGOEMPREEND, RA.CODIGOESTRUTURA, " + insumo + ", "
      "sum(case when RA.DATARATEIO < :pDataInicial then " + valor + " else 0 end) SALDOANTERIOR, "
      "sum(case when RA.DATARATEIO >= :pDataInicial then " + valor + " else 0 end) MOVIMENTO "
      "from RATEIO RA ";
  if (!CodigoImovel.empty())
    rateios += "join EMPREENDIMENTOESTRUTURA EU on EU.CODIGOESCRIT = RA.CODIGOESCRIT "
               "and EU.CODIGOEMPREEND = RA.CODIGOEMPREEND and EU.CODIGOESTRUTURA = RA.CODIGOESTRUTURA ";
  if (!ClassifInsumo.empty()) rateios += "join INSUMO SC on SC.CODIGOINSUMO = RA.CODIGOINSUMO ";
  rateios += "where RA.DATARATEIO <= :pDataFinal ";
  if (SomenteMovimento) rateios += "and RA.DATARATEIO >= :pDataInicial ";
  if (comEscrit) rateios += "and RA.CODIGOESCRIT = :pCodigoEscrit ";
  rateios += FilterInterval({"RA.CODIGOEMPREEND"}, CodigoEmpreend, {kIncluir}, true, kCompararInteiros);
  rateios += FilterInterval({"EU.CODIGOIMOVEL"}, CodigoImovel, {kIncluir}, true, kCompararInteiros);
  rateios += FilterInterval({"SC.CLASSIFINSUMO"}, ClassifInsumo, {kIncluir}, true, kCompararInteiros);
  rateios += FilterInterval({"RA.TIPOMVTOESTOQUE"}, TipoMvtoEstoqueListaBaixaParaCustos(), {kIncluir}, true,
                            kCompararInteiros);
  rateios += FilterInterval({"RA.TIPOMVTOESTOQUE"}, TipoMvtoEstoque, {kIncluir}, true, kCompararInteiros);
  rateios += "group by RA.CODIGOESCRIT, RA.CODIGOEMPREEND, RA.CODIGOESTRUTURA";
  rateios += porInsumo ? ", RA.CODIGOINSUMO" : "";

  std::string sql =
      "select 1 TEMRATEIO, RS.CODIGOESCRIT, RS.CODIGOEMPREEND, EP.NOMEEMPRE, RS.CODIGOESTRUTURA, "
      "ES.CLASSIFESTRUTURA, ES.DESCRESTRUTURA, ES.TIPOESTRUTURA, RS.CODIGOINSUMO, ";
  sql += porInsumo ? "SU.DESCRINSUMO, " : "cast(null as varchar(100)) DESCRINSUMO, ";
  sql += "RS.SALDOANTERIOR, RS.MOVIMENTO "
         "from (" + rateios + ") RS "
         "join EMPREENDIMENTOESTRUTURA ES on ES.CODIGOESCRIT = RS.CODIGOESCRIT and ES.CODIGOEMPREEND = RS.CODIGOEMPREEND "
         "and ES.CODIGOESTRUTURA = RS.CODIGOESTRUTURA "
         "left join EMPREENDIMENTO EP on EP.CODIGOESCRIT = RS.CODIGOESCRIT and EP.CODIGOEMPREEND = RS.CODIGOEMPREEND ";
  if (porInsumo) sql += "left join INSUMO SU on SU.CODIGOINSUMO = RS.CODIGOINSUMO ";
  sql +=
      "union all "
      "select 0, ES.CODIGOESCRIT, ES.CODIGOEMPREEND, EP.NOMEEMPRE, ES.CODIGOESTRUTURA, ES.CLASSIFESTRUTURA, "
      "ES.DESCRESTRUTURA, ES.TIPOESTRUTURA, null, null, 0, 0 "
      "from EMPREENDIMENTOESTRUTURA ES "
      "left join EMPREENDIMENTO EP on EP.CODIGOESCRIT = ES.CODIGOESCRIT and EP.CODIGOEMPREEND = ES.CODIGOEMPREEND "
      "where ES.TIPOESTRUTURA = " + std::to_string(kEstruturaSintetica) + " ";
  if (comEscrit) sql += "and ES.CODIGOESCRIT = :pCodigoEscrit ";
  sql += FilterInterval({"ES.CODIGOEMPREEND"}, CodigoEmpreend, {kIncluir}, true, kCompararInteiros);

  valores = {TValor::Data(DateOf(DataInicial)), TValor::Data(DateOf(DataFinal))};
  if (comEscrit) valores.emplace_back(CodigoEscrit);
  return sql;
}
