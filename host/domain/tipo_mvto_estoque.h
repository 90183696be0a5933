#pragma once
// Stock-movement types (TIPOMVTOESTOQUE) as the cost reports group them.
#include <string>

// The types whose allocations are incurred cost, as a selection text ("-1,0,1"):
// -1 material returned from the site (reduces the cost), 0 non-stock inputs
// allocated straight from the invoice item, 1 material issued to the works.
// Transfers, supplier returns and inventory adjustments (-3, -2, 2, 3, 4) only
// move stock between places and never reach a unit's cost.
std::string TipoMvtoEstoqueListaBaixaParaCustos();
