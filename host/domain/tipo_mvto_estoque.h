#pragma once
// Stock-movement types (TIPOMVTOESTOQUE): their names, their direction, the types
// the cost reports group together, and the parameter-form routines of the
// movement-type list parameter "pTipoMvtoEstoqueCL".
#include <cstdint>
#include <string>

class TnpqPowerParam;
class TnpqParamItem;

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

// The name of the movement-type list parameter the two routines below act on.
inline constexpr const char* kParamTipoMvtoEstoqueCL = "pTipoMvtoEstoqueCL";

// Captions pTipoMvtoEstoqueCL on the form: "Tipos de movimento (vazio: -1, 0 e 1)".
// Nothing when the layout has no such parameter.
void DOConfigruarCaptionParamTipoMvtoCL(TnpqPowerParam* params);

// After pTipoMvtoEstoqueCL changed: a text the selection notation refuses, or one naming
// a type outside TipoMvtoEstoqueListaBaixaParaCustos, raises EnParam on the parameter
// (the value is left as typed); an accepted text is rewritten in canonical form (the
// types ascending, comma-separated: "1, -1" -> "-1,1") through the parameter's form
// control, which raises DoParamChange again on an open form. An empty text stays empty.
void DOChangeParamTipoMvtoCL(TnpqPowerParam* params);

// The DepoisConfigurar step of the reports that take pTipoMvtoEstoqueCL, after their base
// call: sets the report's guard (its FExecutarParamChange) to true and captions the parameter.
void ConfigurarParamTipoMvtoCL(TnpqPowerParam* params, bool& executarParamChange);

// The DoParamChange step of those reports, after their base call: when item is
// pTipoMvtoEstoqueCL (name compared upper-cased) and the guard is true, clears the guard,
// calls DOChangeParamTipoMvtoCL and sets the guard back to true, also when it raises. So the
// routine's own rewrite of the value does not call it again, and nothing is acted on before
// ConfigurarParamTipoMvtoCL ran (the guard starts false).
void AlterarParamTipoMvtoCL(TnpqPowerParam* params, TnpqParamItem* item, bool& executarParamChange);
