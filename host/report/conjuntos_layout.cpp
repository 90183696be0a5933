#include "host/report/conjuntos_layout.h"

#include "host/core/texto.h"
#include "host/data/sql.h"
#include "host/data/varredura_sql.h"
#include "host/report/registro_conjuntos.h"
#include "host/report/report.h"

namespace {

TnpqParamItem* ParametroPorNome(TnpqPowerParam& params, const std::string& nome) {
  for (const auto& item : params.Itens())
    if (UpperCase(item->Nome()) == UpperCase(nome)) return item.get();
  return nullptr;
}

TnClientDataSet* Fornecido(const TnConjuntosFornecidos& fornecidos, const std::string& nome) {
  for (const auto& [parametro, ds] : fornecidos.Nomeados)
    if (UpperCase(parametro) == UpperCase(nome)) return ds;
  return nullptr;
}

}  // namespace

TValor ValorParaConsulta(const TnpqParamItem& parametro) {
  if (Trim(parametro.GetAsString()).empty()) return TValor::Nulo();
  switch (parametro.Tipo()) {
    case TnTipoParametro::Inteiro: return TValor(parametro.GetAsInteger());
    case TnTipoParametro::Data: return TValor::Data(parametro.GetAsDate());
    default: return TValor(parametro.GetAsString());
  }
}

std::vector<TValor> ValoresDaConsulta(const std::string& sql, TnpqPowerParam& params) {
  std::vector<TValor> valores;
  for (const std::string& nome : TraduzirParametros(sql).Nomes) {
    TnpqParamItem* item = ParametroPorNome(params, nome);
    // The layout was refused on load for a :name the form lacks; a hand-built one is refused here.
    if (!item) throw Exception("Consulta do layout usa ':" + nome + "', que não é parâmetro do formulário.");
    valores.push_back(ValorParaConsulta(*item));
  }
  return valores;
}

TnConjuntosDoLayout::TnConjuntosDoLayout(TnrwReport& report, const TnConjuntosFornecidos& fornecidos)
    : FReport(report) {
  TnpqPowerParam& params = *TnpqPowerQuery::GetParams(&report);
  const TnLayout& layout = report.Layout();
  std::vector<std::pair<TnpqParamItem*, TnClientDataSet*>> nomeados;
  for (const auto& [nome, sql] : layout.Conjuntos)
    nomeados.emplace_back(params.Param(nome), Abrir(sql, Fornecido(fornecidos, nome)));
  for (const auto& [nome, ds] : fornecidos.Nomeados) {
    bool doLayout = false;
    for (const auto& conjunto : layout.Conjuntos) doLayout |= UpperCase(conjunto.first) == UpperCase(nome);
    if (!doLayout) nomeados.emplace_back(params.Param(nome), ds);
  }
  TnClientDataSet* principal = fornecidos.Principal;
  if (!principal && !layout.Consulta.empty()) principal = Abrir(layout.Consulta, nullptr);
  // Every query ran: only now does anything designate them.
  for (const auto& [item, ds] : nomeados) {
    FRegistrados.push_back(std::make_unique<TnConjuntoRegistrado>(ds));
    item->SetAsString(std::to_string(FRegistrados.back()->Handle()));
  }
  FReport.DefinirMainDataSet(principal);
}

TnConjuntosDoLayout::~TnConjuntosDoLayout() { FReport.DefinirMainDataSet(nullptr); }

TnClientDataSet* TnConjuntosDoLayout::Abrir(const std::string& sql, TnClientDataSet* fornecido) {
  if (fornecido) return fornecido;
  TnDataSetSQL ds = ExecutarSQL(sql, ValoresDaConsulta(sql, *TnpqPowerQuery::GetParams(&FReport)));
  FAbertos.push_back(std::move(ds));
  return FAbertos.back().get();
}
