#include "host/web/formulario_web.h"

#include "host/core/texto.h"
#include "host/report/base_dll.h"
#include "host/report/formulario.h"
#include "host/report/layout.h"
#include "host/report/plugin.h"

namespace {

const char* NomeTipo(TnTipoParametro t) {
  switch (t) {
    case TnTipoParametro::Texto: return "texto";
    case TnTipoParametro::Inteiro: return "inteiro";
    case TnTipoParametro::Data: return "data";
    case TnTipoParametro::Codigos: return "codigos";
    case TnTipoParametro::Escolha: return "escolha";
  }
  return "texto";
}

// "31/01/2024" -> "31-01-2024": a date as a file name may hold it.
std::string DataParaArquivo(const std::string& data) {
  std::string r = Trim(data);
  for (char& c : r)
    if (c == '/') c = '-';
  return r;
}

}  // namespace

TnFormularioWeb::TnFormularioWeb(const std::string& plugin, const std::string& pastaPlugins)
    : FModulo(TnPlugin::Carregar(plugin, pastaPlugins)) {
  const TnrwBaseDllClass* classe = FModulo->ClassDll();
  if (!classe) throw Exception("Plug-in '" + FModulo->Nome() + "' não registrou sua classe de relatório.");
  FPlugin = FModulo->Nome();
  FReport = std::make_unique<TnrwReport>(TnLayout::Carregar(FModulo->ArquivoLayout()));
  FTitulo = FReport->Layout().Titulo;
  FObjeto = classe->Create(FReport.get());
  FForm = std::make_unique<TnFormParametros>(FReport.get(), FObjeto.get());
  FObjeto->AntesConfigurar(FForm.get());
  FObjeto->DepoisConfigurar(FForm.get());
}

TnFormularioWeb::~TnFormularioWeb() = default;

bool TnFormularioWeb::Conhece(const std::string& nome) const {
  return TnpqPowerQuery::GetParams(FReport.get())->FindParam(nome) != nullptr;
}

void TnFormularioWeb::Passo(TnEventoCampo evento, const std::string& nome, const std::string& valor) {
  switch (evento) {
    case TnEventoCampo::Entrar: FForm->Entrar(nome); break;
    case TnEventoCampo::Alterar:
      FForm->Alterar(nome, valor);
      FDigitados.emplace_back(nome, valor);
      break;
    case TnEventoCampo::Sair: FForm->Sair(nome); break;
  }
}

void TnFormularioWeb::Sincronizar(const std::vector<std::pair<std::string, std::string>>& valores) {
  for (const auto& item : TnpqPowerQuery::GetParams(FReport.get())->Itens())
    for (const auto& [nome, valor] : valores)
      if (nome == item->Nome() && valor != item->GetAsString()) {
        FForm->Preencher(nome, valor);
        FDigitados.emplace_back(nome, valor);
      }
}

void TnFormularioWeb::Confirmar() { FForm->Confirmar(); }

nlohmann::json TnFormularioWeb::Campos() const {
  nlohmann::json campos = nlohmann::json::array();
  for (const auto& item : TnpqPowerQuery::GetParams(FReport.get())->Itens()) {
    nlohmann::json opcoes = nlohmann::json::array();
    for (const auto& o : item->Opcoes) opcoes.push_back({{"valor", o.Valor}, {"texto", o.Texto}});
    campos.push_back({{"nome", item->Nome()},
                      {"rotulo", item->Rotulo},
                      {"tipo", NomeTipo(item->Tipo())},
                      {"valor", item->GetAsString()},
                      {"habilitado", item->Habilitado},
                      {"visivel", item->Visivel},
                      {"opcoes", opcoes}});
  }
  return campos;
}

std::string TnFormularioWeb::NomeArquivo() const {
  TnpqPowerParam* params = TnpqPowerQuery::GetParams(FReport.get());
  std::string nome = FTitulo.empty() ? FPlugin : FTitulo;
  for (const auto& item : params->Itens()) {
    if (item->NaoAntesDe.empty()) continue;
    const std::string inicio = DataParaArquivo(params->Param(item->NaoAntesDe)->GetAsString());
    const std::string fim = DataParaArquivo(item->GetAsString());
    if (!inicio.empty() && !fim.empty()) return nome + " " + inicio + " a " + fim;
  }
  return nome;
}
