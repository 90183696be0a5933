// Property units for the city hall: one block per unit of the dataset the host
// opened and handed over in pCursor, each value copied as the dataset gives it.
#include <array>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "host/core/progresso.h"
#include "host/data/client_dataset.h"
#include "host/report/registro_conjuntos.h"

namespace {

constexpr int kSecaoImovel = 8;                  // one unit

const char* const kTextoProgresso = "Processando a operação solicitada...";

// Column of the handed-over dataset -> the report value that shows it, in writing order.
struct TColunaValor {
  const char* Coluna;
  const char* Valor;
};
constexpr std::array<TColunaValor, 15> kColunas{{
    {"Proprietario", "R1"},     {"Quadra", "R2"},           {"Lote", "R3"},        {"Endereco", "R4"},
    {"Numero", "R15"},          {"Bairro", "R5"},           {"Complemento", "R6"}, {"UtilizacaoImovel", "R7"},
    {"TipoImovel", "R8"},       {"CodCadMunic", "R9"},      {"Unidade", "R10"},    {"AreaImovel", "R11"},
    {"ZonaFiscal", "R12"},      {"FracaoTerreno", "R13"},   {"TestadaTerreno", "R14"},
}};

}  // namespace

class TRptUnitsForCityHall : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  static std::string Versao() { return "[versao: 1.0.0.0]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {kSecaoImovel}; }
  void ImprimirInterno() override;
  void DoParamChange(TObject*, TnpqParamItem*) override {}
  void DoParamEnter(TObject*, TnpqParamItem*) override {}
  void DoParamExit(TObject*, TnpqParamItem*) override {}

 private:
  TnClientDataSet* PegarConjuntoImoveis();
  std::unique_ptr<TnFraProgresso> MostrarProgresso(const TnClientDataSet* imoveis);
  std::array<TField*, kColunas.size()> LocalizarCampos(const TnClientDataSet* imoveis);
  void AtribuirValores(const std::array<TField*, kColunas.size()>& campos);
};

void TRptUnitsForCityHall::ImprimirInterno() {
  TnClientDataSet* imoveis = PegarConjuntoImoveis();
  std::unique_ptr<TnFraProgresso> progresso = MostrarProgresso(imoveis);
  const auto campos = LocalizarCampos(imoveis);
  imoveis->First();
  while (!imoveis->Eof()) {
    AtribuirValores(campos);
    RepPrintSection(kSecaoImovel);
    progresso->IncProgressoTotal(0);
    imoveis->Next();
  }
}

// The units the host opened: the handle in pCursor, never an address.
TnClientDataSet* TRptUnitsForCityHall::PegarConjuntoImoveis() {
  return TnRegistroConjuntos::ConjuntoDoParametro(Params()->Param("pCursor"));
}

std::unique_ptr<TnFraProgresso> TRptUnitsForCityHall::MostrarProgresso(const TnClientDataSet* imoveis) {
  std::unique_ptr<TnFraProgresso> progresso = CriarProgresso(Report);
  progresso->ConfigurarProgressoTotal(imoveis, kTextoProgresso);
  progresso->MostrarSimples(GetDMPower()->ProgressHost);
  return progresso;
}

// Looked up once: a column the dataset lacks stops the run before any unit prints.
std::array<TField*, kColunas.size()> TRptUnitsForCityHall::LocalizarCampos(const TnClientDataSet* imoveis) {
  std::array<TField*, kColunas.size()> campos{};
  for (size_t i = 0; i < kColunas.size(); ++i) campos[i] = imoveis->FieldByName(kColunas[i].Coluna);
  return campos;
}

void TRptUnitsForCityHall::AtribuirValores(const std::array<TField*, kColunas.size()>& campos) {
  TnpqPowerParam* p = Params();
  for (size_t i = 0; i < kColunas.size(); ++i) p->SetValues(kColunas[i].Valor, campos[i]->AsString());
}

RPT_REGISTRAR_RELATORIO(TRptUnitsForCityHall)
