#include "host/report/params.h"

#include <algorithm>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"

namespace {
std::string Chave(const std::string& nome) { return LowerCase(nome); }
std::string Citado(const std::string& valor) { return "'" + ResumoParaMensagem(valor) + "'"; }
}  // namespace

TnpqParamItem::TnpqParamItem(std::string nome, TnTipoParametro tipo)
    : FNome(std::move(nome)), FTipo(tipo) {}

int TnpqParamItem::GetAsInteger() const {
  const std::string texto = Trim(FValor);
  if (texto.empty()) return 0;
  int valor = 0;
  if (!TryStrToInt(texto, valor))
    throw EnParam(const_cast<TnpqParamItem*>(this), Citado(texto) + " não é um valor inteiro válido.");
  return valor;
}

TDateTime TnpqParamItem::GetAsDate() const {
  const std::string texto = Trim(FValor);
  if (texto.empty()) return 0;
  const TDateTime data = StrToDateDef(texto, -1);
  if (data < 0)
    throw EnParam(const_cast<TnpqParamItem*>(this),
                  Citado(texto) + " não é uma data válida (use DD/MM/AAAA).");
  return data;
}

void TnpqParamItem::Validar(const std::string& valor) const {
  auto* eu = const_cast<TnpqParamItem*>(this);
  const std::string texto = Trim(valor);
  // A date and a choice are never blank on the form: a report would read 0 for them.
  if (texto.empty() && FTipo != TnTipoParametro::Data && FTipo != TnTipoParametro::Escolha) return;
  int inteiro = 0;
  switch (FTipo) {
    case TnTipoParametro::Inteiro:
      if (!TryStrToInt(texto, inteiro))
        throw EnParam(eu, Citado(texto) + " não é um valor inteiro válido.");
      break;
    case TnTipoParametro::Data:
      if (texto.empty()) throw EnParam(eu, "informe uma data (use DD/MM/AAAA).");
      if (StrToDateDef(texto, -1) < 0)
        throw EnParam(eu, Citado(texto) + " não é uma data válida (use DD/MM/AAAA).");
      break;
    case TnTipoParametro::Escolha: {
      const bool conhecida = std::any_of(Opcoes.begin(), Opcoes.end(),
                                         [&](const TnOpcaoParametro& o) { return o.Valor == texto; });
      if (!conhecida) {
        std::string validas;
        for (const auto& o : Opcoes) Add(validas, o.Valor + " (" + o.Texto + ")", ", ", false);
        if (texto.empty()) throw EnParam(eu, "escolha uma opção: " + validas + ".");
        throw EnParam(eu, Citado(texto) + " não é uma opção válida; use " + validas + ".");
      }
      break;
    }
    case TnTipoParametro::Codigos:
      try {
        LerSelecao(texto);
      } catch (const EnSelecaoInvalida& e) {
        throw EnParam(eu, e.what());
      }
      break;
    case TnTipoParametro::Texto:
      break;
  }
}

// The name is copied: the exception usually outlives the report that owns the item.
EnParam::EnParam(TnpqParamItem* item, const std::string& mensagem)
    : Exception(mensagem), FItem(item), FNome(item ? item->Nome() : std::string()) {}

EnParam::EnParam(std::string nome, const std::string& mensagem) : Exception(mensagem), FNome(std::move(nome)) {}

EnParam::~EnParam() = default;

std::string EnParam::NomeParametro() const { return FNome; }

TnpqParamItem* TnpqPowerParam::Adicionar(std::unique_ptr<TnpqParamItem> item) {
  FItens.push_back(std::move(item));
  return FItens.back().get();
}

TnpqParamItem* TnpqPowerParam::FindParam(const std::string& nome) {
  for (auto& item : FItens)
    if (SameText(item->Nome(), nome)) return item.get();
  return nullptr;
}

TnpqParamItem* TnpqPowerParam::Param(const std::string& nome) {
  if (auto* item = FindParam(nome)) return item;
  throw Exception("Parâmetro '" + nome + "' não existe no layout do relatório.");
}

void TnpqPowerParam::SetValues(const std::string& nome, const std::string& texto) {
  if (auto* item = FindParam(nome))
    item->SetAsString(texto);
  else
    FValores[Chave(nome)] = texto;
}

std::string TnpqPowerParam::GetValues(const std::string& nome) const {
  for (const auto& item : FItens)
    if (SameText(item->Nome(), nome)) return item->GetAsString();
  const auto it = FValores.find(Chave(nome));
  return it == FValores.end() ? std::string() : it->second;
}

void TnpqPowerParam::EdEnabledField(const std::string& nome, bool habilitado) {
  Param(nome)->Habilitado = habilitado;
}

void TnpqPowerParam::EdVisibleField(const std::string& nome, bool visivel) {
  Param(nome)->Visivel = visivel;
}

TnFraControle* TnpqPowerParam::EdFindFieldControl(const std::string& nome) {
  TnpqParamItem* item = Param(nome);
  auto& controle = FControles[Chave(item->Nome())];
  if (!controle) controle = std::make_unique<TnFraControle>(item, this);
  return controle.get();
}

void TnFraControle::SetAsString(const std::string& valor) {
  FItem->SetAsString(valor);
  FParams->ControleAlterado(FItem);
}

std::string FiltroParametro(TnpqParamItem* parametro, const std::vector<std::string>& campos,
                            const std::vector<int>& tiposInclusao, bool comAnd, int tipoValor) {
  try {
    return FilterInterval(campos, Trim(parametro->GetAsString()), tiposInclusao, comAnd, tipoValor);
  } catch (const EnSelecaoInvalida& e) {
    throw EnParam(parametro, e.what());
  }
}
