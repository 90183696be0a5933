#include "host/domain/descricoes_insumo.h"

#include <array>

namespace {

// The text at position valor - 1 of textos, or empty outside 1..size.
template <size_t N>
std::string TextoDoCodigo(const std::array<const char*, N>& textos, int valor) {
  if (valor < 1 || valor > static_cast<int>(N)) return {};
  return textos[static_cast<size_t>(valor - 1)];
}

}  // namespace

std::string TIncListDescricao::GetDscTipoInsumo(int tipoInsumo) {
  static constexpr std::array<const char*, 5> kTipos = {"Material", "Mão de obra", "Serviço", "Equipamento",
                                                         "Despesa"};
  return TextoDoCodigo(kTipos, tipoInsumo);
}

std::string TIncListDescricao::GetDscClassifInsumo(int classifInsumo) {
  static constexpr std::array<const char*, 3> kClassificacoes = {"Custo direto", "Custo indireto",
                                                                  "Despesa administrativa"};
  return TextoDoCodigo(kClassificacoes, classifInsumo);
}

std::string THelperEnumStr::TDicSimNao(int valor) {
  switch (valor) {
    case 1: return "Sim";
    case 0: return "Não";
    default: return {};
  }
}
