// The statements as they read before the allocations were summed per invoice item ahead
// of the joins to the invoices and the inputs: on the demo database the current
// statements return the same rows in the same order for every shape and selection below.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/data/filtros.h"
#include "tests/testkit/banco_demo_teste.h"
#include "tests/testkit/relatorio_teste.h"

namespace {

constexpr int kEmpresa = 1;
constexpr int kInsumoMaterial = 1;

// ---- The former text, kept here only -------------------------------------------

struct TTextoAntigo {
  bool PorGrupo, Competencia;
  int Detalhe;  // 0 per invoice, 1 per supplier, anything else none
  std::string Empreend, Insumo, Classif, Tipo, Fornecedor;  // selections as typed, "" for none

  bool ComDetalhe() const { return Detalhe == 0 || Detalhe == 1; }
  static std::string Filtro(const std::string& coluna, const std::string& selecao) {
    return FilterInterval({coluna}, selecao, {1}, true);
  }
  std::string Mes(const std::string& coluna, bool comNome) const {
    if (!Competencia) return "";
    const std::string s = ", cast(Extract(Year from " + coluna + ") || '-' || Extract(Month from " + coluna +
                          ") || '-01' as date)";
    return comNome ? s + " Competencia " : s;
  }
  static std::string Custo() {
    return ", sum(round(case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO else (MO.QUANTIDADEMVTO * -1) end * "
           "MO.VALORCUSTOOPERACIONALUNIT, 2)) TotalCustoOpeUnit ";
  }
  static std::string Estoque() {
    return "from ESTOQUEMOVIMENTO MO join ESTOQUE ET on ET.CODIGOESCRIT = MO.CODIGOESCRIT and ET.CODIGOESTOQUE = "
           "MO.CODIGOESTOQUE left join EMPREENDIMENTO EM on EM.CODIGOESCRIT = MO.CODIGOESCRIT and EM.CODIGOEMPREEND = "
           "ET.CODIGOEMPREEND join NOTAENTRADAITEMMVTOESTOQUE NE on NE.CODIGOESCRIT = MO.CODIGOESCRIT and "
           "NE.CODIGOESTOQUE = MO.CODIGOESTOQUE and NE.CODIGOMVTOESTOQUE = MO.CODIGOMVTOESTOQUE ";
  }
  static std::string Rateio() {
    return "from RATEIO MO join EMPREENDIMENTO EM on EM.CODIGOESCRIT = MO.CODIGOESCRIT and EM.CODIGOEMPREEND = "
           "MO.CODIGOEMPREEND join (select RA.CODIGOESCRIT, RA.CODIGOEMPREEND, RA.CODIGOESTRUTURA, RA.CODIGORATEIO, "
           "ES.DESCRESTOQUE from RATEIO RA left join ESTOQUE ES on ES.CODIGOESCRIT = RA.CODIGOESCRIT and "
           "ES.CODIGOESTOQUE = RA.CODIGOESTOQUE where RA.DATARATEIO between :pDataIni and :pDataFim) ET on "
           "ET.CODIGOESCRIT = MO.CODIGOESCRIT and ET.CODIGOEMPREEND = MO.CODIGOEMPREEND and ET.CODIGOESTRUTURA = "
           "MO.CODIGOESTRUTURA and ET.CODIGORATEIO = MO.CODIGORATEIO join NOTAENTRADAITEMRATEIO NE on "
           "NE.CODIGOESCRIT = MO.CODIGOESCRIT and NE.CODIGOEMPREEND = MO.CODIGOEMPREEND and NE.CODIGOESTRUTURA = "
           "MO.CODIGOESTRUTURA and NE.CODIGORATEIO = MO.CODIGORATEIO ";
  }
  static std::string JuncaoInsumo() {
    return "join INSUMO MU on MU.CODIGOINSUMO = MO.CODIGOINSUMO join INSUMOGRUPO GR on GR.CODIGOINSUMOGRUPO = "
           "MU.CODIGOINSUMOGRUPO join NOTAENTRADAITEM IT on IT.CODIGOESCRIT = MO.CODIGOESCRIT and IT.CODIGONOTAENT = "
           "NE.CODIGONOTAENT and IT.CODIGONOTAENTITEM = NE.CODIGONOTAENTITEM join UNIDADEMEDIDA UN on "
           "UN.CODIGOUNIDADEMEDIDA = IT.CODIGOUNIDADEMEDIDA ";
  }

  std::string Insumos() const {
    std::string colunas = "MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO ";
    std::string grupo = "group by   MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO ";
    colunas += PorGrupo ? ", MU.CODIGOINSUMOGRUPO CampoCodigo , GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO CampoDescr "
                        : ", MO.CODIGOINSUMO CampoCodigo , Mu.DESCRINSUMO CampoDescr ";
    grupo += PorGrupo ? ", MU.CODIGOINSUMOGRUPO , GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO " : ", MO.CODIGOINSUMO , Mu.DESCRINSUMO ";
    colunas += ", IT.CODIGOUNIDADEMEDIDA , coalesce(UN.ABREVIATURA, UN.DESCRUNIDADE) Unidade ";
    grupo += ", IT.CODIGOUNIDADEMEDIDA , coalesce(UN.ABREVIATURA, UN.DESCRUNIDADE) ";
    std::string juncao = JuncaoInsumo();
    std::string filtro = "and MO.CODIGOESCRIT = :pCodigoEscrit " + Filtro("ET.CODIGOEMPREEND", Empreend) +
                         Filtro("MO.CODIGOINSUMO", Insumo) + Filtro("MU.CLASSIFINSUMO", Classif) +
                         Filtro("MO.TIPOMVTOESTOQUE", Tipo);
    if (ComDetalhe()) {
      colunas += ", NENT.CODIGOPESSOAFIN , PF.NOME ";
      grupo += ", NENT.CODIGOPESSOAFIN, PF.NOME ";
      juncao += "left join NOTAENTRADA NENT on NENT.CODIGOESCRIT = IT.CODIGOESCRIT and NENT.CODIGONOTAENT = "
                "IT.CODIGONOTAENT left join PESSOAFINANCEIRO PF on NENT.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN ";
      filtro += Filtro("NENT.CODIGOPESSOAFIN", Fornecedor);
    }
    if (Detalhe == 0) {
      colunas += ", NENT.NUMERONOTA , NENT.DATAENTRADANOTA ";
      grupo += ", NENT.NUMERONOTA, NENT.DATAENTRADANOTA ";
    }
    std::string ordem = " ";
    if (Detalhe == 0) ordem += PorGrupo ? " Order by MU.CODIGOINSUMOGRUPO " : " Order by MO.CODIGOINSUMO ";
    return "select * from (select " + colunas + Mes("MO.DATAMVTOESTOQUE", true) +
           ", sum(case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO else (MO.QUANTIDADEMVTO * -1) end) Quantidade " +
           Custo() + Estoque() + juncao + "where MO.DATAMVTOESTOQUE between :pDataIni and :pDataFim " + filtro +
           "and MU.TipoInsumo = :pMaterial " + grupo + Mes("MO.DATAMVTOESTOQUE", false) + " " + ordem +
           " ) tab where Quantidade <> 0 union all select * from (select " + colunas + Mes("MO.DATARATEIO", true) +
           ", sum(case when MO.TIPOMVTOESTOQUE <= 0 then MO.QUANTIDADERATEIO else (MO.QUANTIDADERATEIO * -1) end) "
           "Quantidade , sum((case when MO.TIPOMVTOESTOQUE <= 0 then MO.VALORRATEIO else (MO.VALORRATEIO * -1) end )) "
           "TotalCustoOpeUnit " + Rateio() + juncao + "where MO.DATARATEIO between :pDataIni and :pDataFim " + filtro +
           "and MU.TipoInsumo <> :pMaterial " + grupo + Mes("MO.DATARATEIO", false) + " " + ordem +
           " ) tab where Quantidade <> 0 ";
  }

  std::string GruposInsumo() const {
    const std::string colunas = "MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , "
                                "MU.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO CampoDescr ";
    const std::string filtro = "and MO.CODIGOESCRIT = :pCodigoEscrit " + Filtro("MU.CLASSIFINSUMO", Classif) +
                               Filtro("MO.TIPOMVTOESTOQUE", Tipo) + Filtro("ET.CODIGOEMPREEND", Empreend) +
                               Filtro("MO.CODIGOINSUMO", Insumo);
    const std::string grupo = "group by   MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , "
                              "MU.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO ";
    return "select * from (select " + colunas + Mes("MO.DATAMVTOESTOQUE", true) + Custo() + Estoque() + JuncaoInsumo() +
           "where MO.DATAMVTOESTOQUE between :pDataIni and :pDataFim " + filtro + "and MU.TipoInsumo = :pMaterial " +
           grupo + Mes("MO.DATAMVTOESTOQUE", false) + " ) tab where TotalCustoOpeUnit <> 0 union all select * from "
           "(select " + colunas + Mes("MO.DATARATEIO", true) +
           ", sum((case when MO.TIPOMVTOESTOQUE <= 0 then MO.VALORRATEIO else (MO.VALORRATEIO * -1) end )) "
           "TotalCustoOpeUnit " + Rateio() + JuncaoInsumo() + "where MO.DATARATEIO between :pDataIni and :pDataFim " +
           filtro + "and MU.TipoInsumo <> :pMaterial " + grupo + Mes("MO.DATARATEIO", false) +
           " ) tab where TotalCustoOpeUnit <> 0 ";
  }
};

// ---- The comparison ----------------------------------------------------------

struct TCaso {
  std::string TipoRelatorio, Detalhar, Competencia;  // Detalhar "" by group: the form disables it
  int AnoIni, MesIni, AnoFim, MesFim, DiaFim;
  std::string Empreend, Insumo, Classif, Tipo, Fornecedor;
};

class InputsByDevelopmentIdentidade : public TesteBancoDemo {};

TEST_F(InputsByDevelopmentIdentidade, AllocationsSummedPerInvoiceItemReturnWhatTheFormerTextReturned) {
  const std::vector<TCaso> casos = {
      {"0", "0", "1", 2026, 1, 2026, 12, 31, "", "", "", "", ""},
      {"0", "1", "1", 2026, 1, 2026, 12, 31, "", "", "", "", ""},
      {"0", "2", "0", 2026, 3, 2026, 5, 31, "1", "", "", "", ""},
      {"1", "", "1", 2026, 1, 2026, 12, 31, "", "", "", "", ""},
      {"1", "", "0", 2025, 1, 2025, 12, 31, "2", "", "", "", ""},
      {"0", "1", "0", 2026, 6, 2026, 6, 30, "1-2", "", "", "", ""},
      {"0", "0", "0", 2026, 1, 2026, 12, 31, "", "1-40", "1", "0-1", "101-110"},
      {"0", "1", "1", 2026, 1, 2026, 6, 30, "2", "", "1-2", "0", ""},
      {"1", "", "1", 2026, 7, 2026, 12, 31, "1", "41-99", "", "", ""},
  };
  for (const TCaso& c : casos) {
    const std::string ini = FormatDateTime("dd/mm/yyyy", EncodeDate(c.AnoIni, c.MesIni, 1));
    const std::string fim = FormatDateTime("dd/mm/yyyy", EncodeDate(c.AnoFim, c.MesFim, c.DiaFim));
    SCOPED_TRACE("tipo " + c.TipoRelatorio + " detalhe " + c.Detalhar + " competência " + c.Competencia + " " + ini +
                 "-" + fim + " empreend '" + c.Empreend + "' insumo '" + c.Insumo + "' classif '" + c.Classif +
                 "' mvto '" + c.Tipo + "' fornecedor '" + c.Fornecedor + "'");
    TParametros parametros = {{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pDataInicial", ini},
                              {"pDataFinal", fim}, {"pTipoRelatorio", c.TipoRelatorio},
                              {"pTotalizarCompetencia", c.Competencia}};
    const std::pair<const char*, const std::string*> selecoes[] = {
        {"pDetalharFornecedor", &c.Detalhar}, {"pCodigoEmpreend", &c.Empreend},   {"pCodigoInsumo", &c.Insumo},
        {"pClassifInsumoCL", &c.Classif},     {"pTipoMvtoEstoqueCL", &c.Tipo},    {"pCodigoPessoaFinFornec", &c.Fornecedor}};
    for (const auto& [nome, valor] : selecoes)
      if (!valor->empty()) parametros.emplace_back(nome, *valor);
    const TnRastro rastro = ImprimirComRastro(parametros).Rastro;

    // A form without a detail mode leaves it at its default, none.
    const TTextoAntigo antigo{c.TipoRelatorio == "1", c.Competencia == "1",
                              c.Detalhar.empty() ? 2 : std::stoi(c.Detalhar),
                              c.Empreend, c.Insumo, c.Classif, c.Tipo, c.Fornecedor};
    const std::vector<TValor> valores = {TValor::DataHora(EncodeDate(c.AnoIni, c.MesIni, 1)),
                                         TValor::DataHora(EncodeDate(c.AnoFim, c.MesFim, c.DiaFim)),
                                         TValor(kEmpresa), TValor(kInsumoMaterial)};
    const struct {
      std::string Antigo, Marca;
    } comandos[] = {{antigo.Insumos(), "Quantidade <> 0"}, {antigo.GruposInsumo(), "TotalCustoOpeUnit <> 0"}};
    for (const auto& comando : comandos) {
      SCOPED_TRACE(comando.Marca);
      const TLinhasConsulta esperadas = LinhasDaConsulta(comando.Antigo, valores);
      EXPECT_EQ(LinhasDaConsulta(ConsultaComMarca(rastro, comando.Marca), valores), esperadas);
    }
  }
}

// The table above must reach rows of both branches: comparing empty results proves nothing.
TEST_F(InputsByDevelopmentIdentidade, TheDemoYearHasStockAndAllocationLinesForEveryShape) {
  const std::vector<TValor> valores = {TValor::DataHora(EncodeDate(2026, 1, 1)),
                                       TValor::DataHora(EncodeDate(2026, 12, 31)), TValor(kEmpresa),
                                       TValor(kInsumoMaterial)};
  for (const TTextoAntigo& antigo : {TTextoAntigo{false, true, 0, "", "", "", "", ""},
                                     TTextoAntigo{true, false, 2, "", "", "", "", ""}}) {
    for (const std::string& sql : {antigo.Insumos(), antigo.GruposInsumo()}) {
      const std::string estoque = sql.substr(0, sql.find("union all"));
      const std::string rateio = sql.substr(sql.find("union all") + 9);
      EXPECT_FALSE(LinhasDaConsulta(estoque, valores).empty()) << estoque;
      EXPECT_FALSE(LinhasDaConsulta(rateio, valores).empty()) << rateio;
    }
  }
}

}  // namespace
