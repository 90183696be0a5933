#include "host/domain/custo_orcado_imovel.h"

#include "host/core/formato.h"
#include "host/core/texto.h"
#include "host/data/filtros.h"

namespace {

// The condition of one selection on its column; "" when the selection is empty.
std::string Filtro(const std::string& coluna, const std::string& selecao) {
  return selecao.empty() ? "" : FilterInterval({coluna}, selecao, {1}, true, 0);
}

}  // namespace

std::string MontarSqlCustoOrcadoObraPorImovel(int modelo, const std::string& codigoEmpreend,
                                              const std::string& codigoObra, const std::string& codigoImovel,
                                              const std::string& codigoTPImovel, TDateTime data) {
  const bool analitico = modelo != moSintetico;
  std::string sql;
  // The line: a unit, or a unit type with the sums of its units.
  sql += analitico
             ? "select OB.CodigoEmpreend , EM.NomeEmpre , IM.CodigoImovel Codigo , IM.DescrImovel Descricao , "
               "OB.CodigoObra , OB.DescrObra , OO.ValorTotalOrcado , EM.FormaRateio , "
               "coalesce(TE.TotalMQuadrado, 0) TotalMQuadradoEmpreend , coalesce(TE.TotalMUtil, 0) TotalMUtilEmpreend , "
               "coalesce(AI.TotalMQuadrado, 0) TotalMQuadrado , coalesce(AI.TotalMUtil, 0) TotalMQuadradoUtil , "
               "coalesce(CE.CoeficienteMQuadrado, 0) CoeficienteMQuadrado "
             : "select OB.CodigoEmpreend , EM.NomeEmpre , coalesce(IM.CodigoTPImovel, 0) Codigo , TP.DsTPImovel Descricao , "
               "OB.CodigoObra , OB.DescrObra , OO.ValorTotalOrcado , EM.FormaRateio , "
               "coalesce(TE.TotalMQuadrado, 0) TotalMQuadradoEmpreend , coalesce(TE.TotalMUtil, 0) TotalMUtilEmpreend , "
               "sum(coalesce(AI.TotalMQuadrado, 0)) TotalMQuadrado , sum(coalesce(AI.TotalMUtil, 0)) TotalMQuadradoUtil , "
               "sum(coalesce(CE.CoeficienteMQuadrado, 0)) CoeficienteMQuadrado ";
  sql += "from Obra OB "
         "join Empreendimento EM "
         "on EM.CodigoEscrit = OB.CodigoEscrit "
         "and EM.CodigoEmpreend = OB.CodigoEmpreend ";
  // The latest budget of each works, read on its primary key.
  sql += "join (select OO2.CodigoEscrit , OO2.CodigoObra , max(OO2.DataOrcamento) DataOrcamento "
         "from ObraOrcamento OO2 "
         "where OO2.CodigoEscrit = :pCodigoEscrit ";
  if (data > 0) sql += "and OO2.DataOrcamento <= " + ValorParaSQL(TValor::Data(data)) + " ";
  sql += "group by OO2.CodigoEscrit , OO2.CodigoObra) UO "
         "on UO.CodigoEscrit = OB.CodigoEscrit "
         "and UO.CodigoObra = OB.CodigoObra "
         "join ObraOrcamento OO "
         "on OO.CodigoEscrit = UO.CodigoEscrit "
         "and OO.CodigoObra = UO.CodigoObra "
         "and OO.DataOrcamento = UO.DataOrcamento ";
  // The units of the works' development, their areas and coefficients.
  sql += "join Imovel IM "
         "on IM.CodigoEscrit = OB.CodigoEscrit "
         "and IM.CodigoEmpreend = OB.CodigoEmpreend "
         "left join (select IA.CodigoEscrit , IA.CodigoImovel , sum(IA.TotalMQuadrado) TotalMQuadrado , "
         "sum(IA.TotalMUtil) TotalMUtil "
         "from ImovelArea IA "
         "where IA.CodigoEscrit = :pCodigoEscrit "
         "group by IA.CodigoEscrit , IA.CodigoImovel) AI "
         "on AI.CodigoEscrit = IM.CodigoEscrit "
         "and AI.CodigoImovel = IM.CodigoImovel "
         "left join (select ES.CodigoEscrit , ES.CodigoImovel , sum(ES.CoeficienteMQuadrado) CoeficienteMQuadrado "
         "from EmpreendimentoEstrutura ES "
         "where ES.CodigoEscrit = :pCodigoEscrit "
         "and ES.TipoEstrutura = 2 "
         "group by ES.CodigoEscrit , ES.CodigoImovel) CE "
         "on CE.CodigoEscrit = IM.CodigoEscrit "
         "and CE.CodigoImovel = IM.CodigoImovel ";
  // The development's areas over all its units, once per development.
  sql += "left join (select IM2.CodigoEscrit , IM2.CodigoEmpreend , sum(IA2.TotalMQuadrado) TotalMQuadrado , "
         "sum(IA2.TotalMUtil) TotalMUtil "
         "from Imovel IM2 "
         "join ImovelArea IA2 "
         "on IA2.CodigoEscrit = IM2.CodigoEscrit "
         "and IA2.CodigoImovel = IM2.CodigoImovel "
         "where IM2.CodigoEscrit = :pCodigoEscrit "
         "group by IM2.CodigoEscrit , IM2.CodigoEmpreend) TE "
         "on TE.CodigoEscrit = OB.CodigoEscrit "
         "and TE.CodigoEmpreend = OB.CodigoEmpreend ";
  if (!analitico) sql += "left join TPImovel TP on TP.CodigoTPImovel = IM.CodigoTPImovel ";
  sql += "where OB.CodigoEscrit = :pCodigoEscrit ";
  sql += Filtro("OB.CodigoEmpreend", Trim(codigoEmpreend));
  sql += Filtro("OB.CodigoObra", Trim(codigoObra));
  sql += Filtro("IM.CodigoImovel", Trim(codigoImovel));
  sql += Filtro("IM.CodigoTPImovel", Trim(codigoTPImovel));
  if (!analitico)
    sql += "group by OB.CodigoEmpreend , EM.NomeEmpre , coalesce(IM.CodigoTPImovel, 0) , TP.DsTPImovel , "
           "OB.CodigoObra , OB.DescrObra , OO.ValorTotalOrcado , EM.FormaRateio , "
           "coalesce(TE.TotalMQuadrado, 0) , coalesce(TE.TotalMUtil, 0) ";
  sql += analitico ? "order by OB.CodigoEmpreend , OB.CodigoObra , IM.CodigoImovel"
                   : "order by OB.CodigoEmpreend , OB.CodigoObra , 3";
  return sql;
}

double VerificarSetemDiferenca(double esperado, double totalCorrente, double ultimo) {
  return RoundValor(ultimo + esperado - totalCorrente, 2);
}
