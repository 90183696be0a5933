#include "host/domain/tipo_mvto_estoque.h"

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
