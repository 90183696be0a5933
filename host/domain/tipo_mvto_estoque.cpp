#include "host/domain/tipo_mvto_estoque.h"

#include <algorithm>
#include <set>
#include <vector>

#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/report/params.h"

namespace {

// The cost-relevant types, one by one (the list is a handful of small codes).
std::set<int64_t> TiposDeCusto() {
  std::set<int64_t> tipos;
  for (const TnFaixaSelecao& f : LerSelecao(TipoMvtoEstoqueListaBaixaParaCustos()))
    for (int64_t t = f.Inicio; t <= f.Fim; ++t) tipos.insert(t);
  return tipos;
}

// "-1, 0 e 1": the list as a sentence.
std::string ListaPorExtenso(const std::set<int64_t>& tipos) {
  std::string texto;
  size_t i = 0;
  for (int64_t t : tipos) {
    if (i > 0) texto += i + 1 == tipos.size() ? " e " : ", ";
    texto += std::to_string(t);
    ++i;
  }
  return texto;
}

// The first type of a range that is not cost-relevant; the range's end + 1 when all are.
int64_t PrimeiroForaDaLista(const TnFaixaSelecao& faixa, const std::set<int64_t>& tipos) {
  int64_t t = faixa.Inicio;
  while (tipos.count(t) && t < faixa.Fim) ++t;
  return tipos.count(t) ? faixa.Fim + 1 : t;
}

// Guard set back whatever leaves the change routine.
struct TnRestaurarGuarda {
  bool& Guarda;
  ~TnRestaurarGuarda() { Guarda = true; }
};

}  // namespace

bool EntradaEstoque(TnTipoMvtoEstoque tipo) { return static_cast<int>(tipo) <= 0; }

std::string DescricaoTipoMvtoEstoque(TnTipoMvtoEstoque tipo) {
  switch (tipo) {
    case TnTipoMvtoEstoque::AjusteInventarioSobra: return "Ajuste de inventário (sobra)";
    case TnTipoMvtoEstoque::TransferenciaRecebida: return "Transferência recebida";
    case TnTipoMvtoEstoque::DevolucaoObra: return "Devolução da obra";
    case TnTipoMvtoEstoque::Compra: return "Compra";
    case TnTipoMvtoEstoque::SaidaObra: return "Saída para obra";
    case TnTipoMvtoEstoque::TransferenciaEnviada: return "Transferência enviada";
    case TnTipoMvtoEstoque::DevolucaoFornecedor: return "Devolução ao fornecedor";
    case TnTipoMvtoEstoque::AjusteInventarioFalta: return "Ajuste de inventário (falta)";
  }
  return "Tipo " + std::to_string(static_cast<int>(tipo));
}

std::string TipoMvtoEstoqueListaBaixaParaCustos() { return "-1,0,1"; }

void DOConfigruarCaptionParamTipoMvtoCL(TnpqPowerParam* params) {
  if (TnpqParamItem* item = params->FindParam(kParamTipoMvtoEstoqueCL))
    item->Rotulo = "Tipos de movimento (vazio: " + ListaPorExtenso(TiposDeCusto()) + ")";
}

void DOChangeParamTipoMvtoCL(TnpqPowerParam* params) {
  TnpqParamItem* item = params->Param(kParamTipoMvtoEstoqueCL);
  const std::string texto = item->GetAsString();
  if (Trim(texto).empty()) return;
  std::vector<TnFaixaSelecao> faixas;
  try {
    faixas = LerSelecao(texto);
  } catch (const EnSelecaoInvalida& e) {
    throw EnParam(item, e.what());
  }
  const std::set<int64_t> custo = TiposDeCusto();
  std::set<int64_t> escolhidos;
  for (const TnFaixaSelecao& f : faixas) {
    if (const int64_t fora = PrimeiroForaDaLista(f, custo); fora <= f.Fim)
      throw EnParam(item, "O tipo de movimento " + std::to_string(fora) + " não conta como custo; use " +
                              ListaPorExtenso(custo) + ".");
    for (int64_t t = f.Inicio; t <= f.Fim; ++t) escolhidos.insert(t);
  }
  std::string canonico;
  for (int64_t t : escolhidos) Add(canonico, std::to_string(t), ",", false);
  if (canonico != texto) params->EdFindFieldControl(kParamTipoMvtoEstoqueCL)->SetAsString(canonico);
}

void ConfigurarParamTipoMvtoCL(TnpqPowerParam* params, bool& executarParamChange) {
  executarParamChange = true;
  DOConfigruarCaptionParamTipoMvtoCL(params);
}

void AlterarParamTipoMvtoCL(TnpqPowerParam* params, TnpqParamItem* item, bool& executarParamChange) {
  if (!item || UpperCase(item->Nome()) != UpperCase(kParamTipoMvtoEstoqueCL) || !executarParamChange) return;
  executarParamChange = false;
  TnRestaurarGuarda restaurar{executarParamChange};
  DOChangeParamTipoMvtoCL(params);
}
