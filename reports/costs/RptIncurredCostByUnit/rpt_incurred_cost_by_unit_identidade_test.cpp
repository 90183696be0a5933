// The monthly cost per unit as it read before each item's allocations were summed per
// month ahead of the join to the items: on the demo database the current statement
// returns the same rows in the same order for every period and selection below.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/data/filtros.h"
#include "host/domain/tipo_mvto_estoque.h"
#include "tests/testkit/banco_demo_teste.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

constexpr int kEmpresa = 1;
constexpr int kEstruturaAnalitica = 2;

struct TCaso {
  int AnoIni, MesIni, DiaIni, AnoFim, MesFim, DiaFim;
  std::string Empreend, Imovel, TipoImovel, TipoInsumo, ClassifInsumo;  // selections as typed, "" for none
};

// The former text, kept here only.
std::string TextoAntigo(const TCaso& c) {
  const auto filtro = [](const std::string& coluna, const std::string& selecao) {
    return FilterInterval({coluna}, selecao, {1}, true);
  };
  const std::string mes = "cast(extract(year from RA.DATARATEIO) || '-' || extract(month from RA.DATARATEIO) || '-01' as date)";
  const std::string insumos = filtro("SU.TIPOINSUMO", c.TipoInsumo) + filtro("SU.CLASSIFINSUMO", c.ClassifInsumo);
  std::string sql =
      "select ES.CODIGOEMPREEND , ES.CODIGOIMOVEL , ES.DESCRESTRUTURA , ES.COEFICIENTEMQUADRADO , ES.TOTALMQUADRADO , "
      "ES.TOTALMQUADRADOUTIL , " + mes + " Competencia , sum(coalesce(case when RA.TIPOMVTOESTOQUE < 0 then "
      "(RA.VALORRATEIO * -1) else RA.VALORRATEIO end, 0)) SaldoMensal from EMPREENDIMENTOESTRUTURA ES left join "
      "RATEIO RA on RA.CODIGOESCRIT = ES.CODIGOESCRIT and RA.CODIGOEMPREEND = ES.CODIGOEMPREEND and "
      "RA.CODIGOESTRUTURA = ES.CODIGOESTRUTURA and RA.DATARATEIO between :pdatainicial and :pdatafinal " +
      FilterInterval({"RA.TIPOMVTOESTOQUE"}, TipoMvtoEstoqueListaBaixaParaCustos(), {1}, true);
  if (!insumos.empty())
    sql += "and exists (select 1 from INSUMO SU where SU.CODIGOINSUMO = RA.CODIGOINSUMO" + insumos + ") ";
  if (!c.TipoImovel.empty())
    sql += "join IMOVEL IM on IM.CODIGOESCRIT = ES.CODIGOESCRIT and IM.CODIGOIMOVEL = ES.CODIGOIMOVEL ";
  return sql + "where ES.CODIGOESCRIT = :pCODIGOESCRIT and ES.TIPOESTRUTURA = :pAnalitico " +
         filtro("ES.CODIGOEMPREEND", c.Empreend) + filtro("ES.CODIGOIMOVEL", c.Imovel) +
         filtro("IM.CODIGOTPIMOVEL", c.TipoImovel) +
         " group by ES.CODIGOEMPREEND , ES.CODIGOIMOVEL , ES.DESCRESTRUTURA , ES.COEFICIENTEMQUADRADO , "
         "ES.TOTALMQUADRADO , ES.TOTALMQUADRADOUTIL , " + mes +
         " order by ES.CODIGOEMPREEND , ES.CODIGOIMOVEL , ES.TOTALMQUADRADOUTIL , Competencia ";
}

class IncurredCostByUnitIdentidade : public TesteBancoDemo {};

TEST_F(IncurredCostByUnitIdentidade, MonthsSummedPerItemFirstReturnWhatTheFormerTextReturned) {
  const std::vector<TCaso> casos = {
      {2026, 1, 1, 2026, 12, 31, "", "", "", "", ""},   {2026, 4, 1, 2026, 6, 30, "", "", "", "", ""},
      {2026, 3, 15, 2026, 4, 10, "1", "", "", "", ""},  {2025, 7, 1, 2026, 6, 30, "1-2", "1-20", "", "", ""},
      {2026, 1, 1, 2026, 12, 31, "", "", "1", "", ""},  {2026, 1, 1, 2026, 12, 31, "", "", "", "1", "1-2"},
      {2026, 6, 1, 2026, 9, 30, "2", "", "", "2-9", ""}, {2020, 1, 1, 2020, 3, 31, "", "", "", "", ""},
  };
  int comMeses = 0;
  for (const TCaso& c : casos) {
    const std::string ini = FormatDateTime("dd/mm/yyyy", EncodeDate(c.AnoIni, c.MesIni, c.DiaIni));
    const std::string fim = FormatDateTime("dd/mm/yyyy", EncodeDate(c.AnoFim, c.MesFim, c.DiaFim));
    SCOPED_TRACE(ini + "-" + fim + " empreend '" + c.Empreend + "' imóvel '" + c.Imovel + "' tipo imóvel '" +
                 c.TipoImovel + "' tipo insumo '" + c.TipoInsumo + "' classif '" + c.ClassifInsumo + "'");
    TParametros parametros = {{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pDataInicial", ini}, {"pDataFinal", fim}};
    const std::pair<const char*, const std::string*> selecoes[] = {
        {"pCodigoEmpreend", &c.Empreend},   {"pCodigoImovel", &c.Imovel},        {"pCodigoTPImovel", &c.TipoImovel},
        {"pTipoInsumoCL", &c.TipoInsumo},   {"pClassifInsumoCL", &c.ClassifInsumo}};
    for (const auto& [nome, valor] : selecoes)
      if (!valor->empty()) parametros.emplace_back(nome, *valor);
    const TnRastro rastro = ImprimirComRastro(parametros).Rastro;
    const std::vector<TValor> valores = {TValor::Data(EncodeDate(c.AnoIni, c.MesIni, c.DiaIni)),
                                         TValor::Data(EncodeDate(c.AnoFim, c.MesFim, c.DiaFim)), TValor(kEmpresa),
                                         TValor(kEstruturaAnalitica)};
    const TLinhasConsulta esperadas = LinhasDaConsulta(TextoAntigo(c), valores);
    EXPECT_EQ(LinhasDaConsulta(ConsultaComMarca(rastro, "SaldoMensal"), valores), esperadas);
    for (const auto& linha : esperadas) comMeses += linha[6] != "<nulo>";
  }
  EXPECT_GT(comMeses, 0);  // months reached, not only units without allocations
}

}  // namespace
