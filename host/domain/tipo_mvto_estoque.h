#pragma once
// Stock-movement types (TIPOMVTOESTOQUE): their names, their direction, and the
// types the cost reports group together.
#include <cstdint>
#include <string>

// A movement's type. Signed, so the entries below 0 keep their sign; 0 or less is an
// entry into the stock (counts positive), above 0 an exit (counts negative).
enum class TnTipoMvtoEstoque : int8_t {
  AjusteInventarioSobra = -3,    // inventory adjustment, surplus found
  TransferenciaRecebida = -2,    // transfer received from another stock
  DevolucaoObra = -1,            // material returned from the site
  Compra = 0,                    // purchase (invoice entry)
  SaidaObra = 1,                 // issue to the works
  TransferenciaEnviada = 2,      // transfer sent to another stock
  DevolucaoFornecedor = 3,       // return to the supplier
  AjusteInventarioFalta = 4,     // inventory adjustment, shortage found
};

bool EntradaEstoque(TnTipoMvtoEstoque tipo);                  // true for 0 or less: an entry
std::string DescricaoTipoMvtoEstoque(TnTipoMvtoEstoque tipo);  // "Compra", ...; "Tipo N" for an unknown N

// The types whose allocations are incurred cost, as a selection text ("-1,0,1"):
// -1 material returned from the site (reduces the cost), 0 non-stock inputs
// allocated straight from the invoice item, 1 material issued to the works.
// Transfers, supplier returns and inventory adjustments (-3, -2, 2, 3, 4) only
// move stock between places and never reach a unit's cost.
std::string TipoMvtoEstoqueListaBaixaParaCustos();
