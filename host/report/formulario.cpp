#include "host/report/formulario.h"

#include <sstream>

#include "host/core/texto.h"

namespace {
const char* NomeTipo(TnTipoParametro t) {
  switch (t) {
    case TnTipoParametro::Texto: return "texto";
    case TnTipoParametro::Inteiro: return "inteiro";
    case TnTipoParametro::Data: return "data DD/MM/AAAA";
    case TnTipoParametro::Codigos: return "códigos e faixas, ex.: 1,3,5-9";
    case TnTipoParametro::Escolha: return "escolha";
  }
  return "";
}
}  // namespace

TnFormParametros::TnFormParametros(TnrwReport* report, TnrwBaseDll* objeto) : FReport(report), FObjeto(objeto) {
  TnpqPowerQuery::GetParams(FReport)->DefinirAoAlterarControle(
      [this](TnpqParamItem* item) { FObjeto->DoParamChange(this, item); });
}

TnFormParametros::~TnFormParametros() { TnpqPowerQuery::GetParams(FReport)->DefinirAoAlterarControle({}); }

namespace {
// The field a step works on: known to the report and, to enter or change it, editable now. Hidden fields are
// the host's own (the session's company, say), so they still take values.
TnpqParamItem* Campo(TnrwReport* report, const std::string& nome, bool editavel = true) {
  TnpqParamItem* item = TnpqPowerQuery::GetParams(report)->FindParam(nome);
  if (!item) throw EnParam(nome, "parâmetro desconhecido neste relatório (veja rpt describe).");
  if (editavel && !item->Habilitado) throw EnParam(item, "parâmetro desabilitado no formulário neste momento.");
  return item;
}
}  // namespace

void TnFormParametros::Preencher(const std::string& nome, const std::string& valor) {
  Entrar(nome);
  Alterar(nome, valor);
  Sair(nome);
}

void TnFormParametros::Entrar(const std::string& nome) { FObjeto->DoParamEnter(this, Campo(FReport, nome)); }

void TnFormParametros::Alterar(const std::string& nome, const std::string& valor) {
  TnpqParamItem* item = Campo(FReport, nome);
  item->Validar(valor);
  item->SetAsString(valor);
  FObjeto->DoParamChange(this, item);
}

void TnFormParametros::Sair(const std::string& nome) { FObjeto->DoParamExit(this, Campo(FReport, nome, false)); }

void TnFormParametros::Confirmar() {
  TnpqPowerParam* params = TnpqPowerQuery::GetParams(FReport);
  for (const auto& item : params->Itens()) {
    if (item->NaoAntesDe.empty()) continue;
    TnpqParamItem* inicio = params->Param(item->NaoAntesDe);
    if (Trim(item->GetAsString()).empty() || Trim(inicio->GetAsString()).empty()) continue;
    if (item->GetAsDate() < inicio->GetAsDate())
      throw EnParam(item.get(), "A data inicial não pode ser maior que a data final.");
  }
}

std::string TnFormParametros::Descrever() const {
  std::ostringstream out;
  for (const auto& item : TnpqPowerQuery::GetParams(FReport)->Itens()) {
    out << "  " << item->Nome() << "  (" << NomeTipo(item->Tipo()) << ")  " << item->Rotulo;
    if (!item->GetAsString().empty()) out << "  [padrão: " << item->GetAsString() << "]";
    if (!item->Visivel) out << "  [oculto]";
    if (!item->Habilitado) out << "  [desabilitado]";
    if (!item->NaoAntesDe.empty()) out << "  [não antes de " << item->NaoAntesDe << "]";
    out << "\n";
    for (const auto& o : item->Opcoes) out << "      " << o.Valor << " = " << o.Texto << "\n";
  }
  return out.str();
}
