// The allocation branch once joined every allocation of the company to find the
// allocation itself; it now reads only those of the period. On the demo database
// both statements return the same rows in the same order as their former text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/datas.h"
#include "tests/testkit/banco_demo_teste.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

constexpr int kEmpresa = 1;
constexpr int kInsumoMaterial = 1;
// What the current text adds to the allocation branch; the former text is the current one without it.
const std::string kPeriodoDoRateio = "where RA.DATARATEIO between :pDataIni and :pDataFim";

struct TCaso {
  std::string TipoRelatorio, Detalhar, Competencia, Empreend;  // Detalhar "" by group: the form disables it
  int AnoIni, MesIni, AnoFim, MesFim, DiaFim;
};

std::string TextoAntigo(std::string sql) {
  const size_t onde = sql.find(kPeriodoDoRateio);
  if (onde != std::string::npos) sql.erase(onde, kPeriodoDoRateio.size());
  return sql;
}

class InputsByDevelopmentIdentidade : public TesteBancoDemo {};

TEST_F(InputsByDevelopmentIdentidade, AllocationsOfThePeriodOnlyReturnWhatTheFormerTextReturned) {
  const std::vector<TCaso> casos = {
      {"0", "0", "1", "", 2026, 1, 2026, 12, 31}, {"0", "1", "1", "", 2026, 1, 2026, 12, 31},
      {"0", "2", "0", "1", 2026, 3, 2026, 5, 31}, {"1", "", "1", "", 2026, 1, 2026, 12, 31},
      {"1", "", "0", "2", 2025, 1, 2025, 12, 31}, {"0", "1", "0", "1-2", 2026, 6, 2026, 6, 30},
  };
  int comparadas = 0;
  for (const TCaso& c : casos) {
    char ini[11], fim[11];
    std::snprintf(ini, sizeof ini, "01/%02d/%04d", c.MesIni, c.AnoIni);
    std::snprintf(fim, sizeof fim, "%02d/%02d/%04d", c.DiaFim, c.MesFim, c.AnoFim);
    SCOPED_TRACE(std::string("tipo ") + c.TipoRelatorio + " detalhe " + c.Detalhar + " competência " + c.Competencia +
                 " empreend '" + c.Empreend + "' " + ini + "-" + fim);
    TParametros parametros = {{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pDataInicial", ini},
                              {"pDataFinal", fim}, {"pTipoRelatorio", c.TipoRelatorio},
                              {"pTotalizarCompetencia", c.Competencia}};
    if (!c.Detalhar.empty()) parametros.emplace_back("pDetalharFornecedor", c.Detalhar);
    if (!c.Empreend.empty()) parametros.emplace_back("pCodigoEmpreend", c.Empreend);
    const TnRastro rastro = ImprimirComRastro(parametros).Rastro;
    const std::vector<TValor> valores = {TValor::DataHora(EncodeDate(c.AnoIni, c.MesIni, 1)),
                                         TValor::DataHora(EncodeDate(c.AnoFim, c.MesFim, c.DiaFim)),
                                         TValor(kEmpresa), TValor(kInsumoMaterial)};
    for (const TnConsultaExecutada& consulta : rastro.Consultas) {
      if (consulta.Sql.find(kPeriodoDoRateio) == std::string::npos) continue;
      const TLinhasConsulta esperadas = LinhasDaConsulta(TextoAntigo(consulta.Sql), valores);
      EXPECT_EQ(LinhasDaConsulta(consulta.Sql, valores), esperadas) << consulta.Sql;
      EXPECT_FALSE(esperadas.empty() && c.AnoIni == 2026) << consulta.Sql;
      ++comparadas;
    }
  }
  EXPECT_EQ(comparadas, 2 * static_cast<int>(casos.size()));  // the inputs and the group totals of every case
}

}  // namespace
