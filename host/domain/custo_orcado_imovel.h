#pragma once
// The budget of a works apportioned over the property units of its development:
// the SQL of the lines (one per unit, or per unit type) and the correction that
// lets the last line take what rounding left over.
#include <string>

#include "host/core/valor.h"
#include "host/domain/custo_orcado.h"

// The per-unit budget lines of company :pCodigoEscrit (its only parameter), one
// row per unit of each works' development (moAnalitico) or per unit type of it
// (moSintetico), by development, works, then unit or type code, with the columns
//   CodigoEmpreend, NomeEmpre, Codigo, Descricao (unit: CODIGOIMOVEL, DESCRIMOVEL;
//   type: CODIGOTPIMOVEL, 0 for units without one, and DSTPIMOVEL), CodigoObra,
//   DescrObra, ValorTotalOrcado (VALORTOTALORCADO of the works' latest budget: the
//   greatest DATAORCAMENTO, on or before data when data is above 0; a works with
//   no such budget has no rows), FormaRateio, TotalMQuadradoEmpreend and
//   TotalMUtilEmpreend (sums of IMOVELAREA over every unit of the development,
//   whatever the unit and type selections; 0 without area rows), TotalMQuadrado and
//   TotalMQuadradoUtil (sums of the unit's IMOVELAREA rows; 0 without rows) and
//   CoeficienteMQuadrado (of the unit's analytic structure item; 0 without one);
//   the synthetic model sums areas and coefficients over the units of a type.
// The four selections (docs/selecao.md) narrow OB.CodigoEmpreend, OB.CodigoObra,
// IM.CodigoImovel and IM.CodigoTPImovel; a refused one throws EnSelecaoInvalida.
std::string MontarSqlCustoOrcadoObraPorImovel(int modelo, const std::string& codigoEmpreend,
                                              const std::string& codigoObra, const std::string& codigoImovel,
                                              const std::string& codigoTPImovel, TDateTime data);

// The value the last item takes so that the items add up to esperado: RoundValor(
// ultimo + esperado - totalCorrente, 2), totalCorrente already counting ultimo.
double VerificarSetemDiferenca(double esperado, double totalCorrente, double ultimo);
