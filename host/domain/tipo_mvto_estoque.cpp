#include "host/domain/tipo_mvto_estoque.h"

std::string TipoMvtoEstoqueListaBaixaParaCustos() { return "-1,0,1"; }
