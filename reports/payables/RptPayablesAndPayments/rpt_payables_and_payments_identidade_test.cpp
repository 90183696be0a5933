// The statements as they read before they started from the invoices of the period:
// on the demo database the current statements return the same rows in the same
// order for every report type, period and selection below.
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
enum TTipo { kContaPagar = 0, kPagamento = 1, kPagarPgto = 2 };

// ---- The former text, kept here only -------------------------------------------

struct TTextoAntigo {
  int Tipo;
  std::string FiltroEmpreend, FiltroFornecedor;

  std::string PeriodoParcela() const {
    std::string c;
    if (Tipo != kPagamento) c = " (PA.DATAVENCIMENTOPARC between :pDataIni and :pDataFim) ";
    if (Tipo != kContaPagar) c = (c.empty() ? "" : c + " or ") + " (BX.DATABAIXA between :pDataIni and :pDataFim) ";
    return " and (" + c + ") ";
  }

  std::string PeriodoNota() const {
    std::string d;
    if (Tipo != kPagamento)
      d = "((select count(*) from NOTAENTRADAPARCELA PA where PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = "
          "NE.CODIGONOTAENT and PA.DATAVENCIMENTOPARC between :pDataIni and :pDataFim) > 0) ";
    if (Tipo != kContaPagar) {
      if (!d.empty()) d += " or ";
      d += "((select count(*) from NOTAENTRADAPARCELABAIXA BX where BX.CODIGOESCRIT = NE.CODIGOESCRIT "
           "and BX.CODIGONOTAENT = NE.CODIGONOTAENT and BX.DATABAIXA between :pDataIni and :pDataFim) > 0) ";
    }
    return " and (" + d + ") ";
  }

  std::string Parcela() const {
    std::string sql =
        "select distinct NE.CODIGONOTAENT , coalesce(NE.QUANTIDADEPARC, 1) QUANTIDADEPARC , "
        "PA.CODIGONOTAENTPARCELA , PA.DATAVENCIMENTOPARC , PA.VALORPARC , NE.DATAEMISSAONOTA , PA.SALDOPAGAR , "
        "BX.DATABAIXA , sum(coalesce(BX.VALORBAIXA, 0)) VALORBAIXA , sum(coalesce(BX.VALORJUROS, 0) + "
        "coalesce(BX.VALORMULTA, 0)) VALORJUROMULTA , sum(coalesce(BX.VALORDESCONTO, 0)) VALORDESCONTO from "
        "NOTAENTRADA NE join NOTAENTRADAPARCELA PA on PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = "
        "NE.CODIGONOTAENT left join NOTAENTRADAPARCELABAIXA BX on BX.CODIGOESCRIT = NE.CODIGOESCRIT and "
        "BX.CODIGONOTAENT = NE.CODIGONOTAENT and BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA where "
        "NE.CodigoEscrit = :pCodigoEscrit ";
    if (Tipo == kContaPagar) sql += " and (PA.SALDOPAGAR <> 0) ";
    else if (Tipo == kPagamento) sql += " and (PA.VALORPARC <> PA.SALDOPAGAR) ";
    return sql + PeriodoParcela() + FiltroFornecedor +
           " group by NE.CODIGONOTAENT , coalesce(NE.QUANTIDADEPARC, 1) , PA.CODIGONOTAENTPARCELA , "
           "PA.DATAVENCIMENTOPARC , PA.VALORPARC , NE.DATAEMISSAONOTA , PA.SALDOPAGAR , BX.DATABAIXA ";
  }

  std::string NotaEmpreend() const {
    const std::string condicoes = PeriodoParcela() + FiltroEmpreend + FiltroFornecedor;
    const std::string parcelas =
        "join NOTAENTRADAPARCELA PA on PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = NE.CODIGONOTAENT "
        "left join NOTAENTRADAPARCELABAIXA BX on BX.CODIGOESCRIT = NE.CODIGOESCRIT and BX.CODIGONOTAENT = "
        "NE.CODIGONOTAENT and BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA where NE.CODIGOESCRIT = "
        ":pCodigoEscrit ";
    const std::string movimento =
        "select distinct NE.CODIGONOTAENT , NE.NUMERONOTA , NE.ESPECIENOTA , NE.CODIGOPESSOAFIN , FO.NOME , "
        "NM.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE from NOTAENTRADA NE join "
        "PESSOAFINANCEIRO FO on FO.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN join NOTAENTRADAITEMMVTOESTOQUE NM on "
        "NM.CODIGOESCRIT = NE.CODIGOESCRIT and NM.CODIGONOTAENT = NE.CODIGONOTAENT join ESTOQUEMOVIMENTO MV on "
        "MV.CODIGOESCRIT = NE.CODIGOESCRIT and MV.CODIGOESTOQUE = NM.CODIGOESTOQUE and MV.CODIGOMVTOESTOQUE = "
        "NM.CODIGOMVTOESTOQUE left join ESTOQUE ET on ET.CODIGOESCRIT = NE.CODIGOESCRIT and ET.CODIGOESTOQUE = "
        "NM.CODIGOESTOQUE left join EMPREENDIMENTO EM on EM.CODIGOESCRIT = NE.CODIGOESCRIT and EM.CODIGOEMPREEND = "
        "ET.CODIGOEMPREEND " + parcelas;
    const std::string rateio =
        "select distinct NE.CODIGONOTAENT , NE.NUMERONOTA , NE.ESPECIENOTA , NE.CODIGOPESSOAFIN , FO.NOME , "
        "RA.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE from NOTAENTRADA NE join "
        "PESSOAFINANCEIRO FO on FO.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = "
        "NE.CODIGOESCRIT and NI.CODIGONOTAENT = NE.CODIGONOTAENT join INSUMO SU on SU.CODIGOINSUMO = NI.CODIGOINSUMO "
        "and SU.TIPOINSUMO <> 1 join NOTAENTRADAITEMRATEIO RI on RI.CODIGOESCRIT = NE.CODIGOESCRIT and "
        "RI.CODIGONOTAENT = NE.CODIGONOTAENT and RI.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join RATEIO RA on "
        "RA.CODIGOESCRIT = RI.CODIGOESCRIT and RA.CODIGOEMPREEND = RI.CODIGOEMPREEND and RA.CODIGOESTRUTURA = "
        "RI.CODIGOESTRUTURA and RA.CODIGORATEIO = RI.CODIGORATEIO join ESTOQUE ET on ET.CODIGOESCRIT = "
        "NE.CODIGOESCRIT and ET.CODIGOESTOQUE = RA.CODIGOESTOQUE join EMPREENDIMENTO EM on EM.CODIGOESCRIT = "
        "NE.CODIGOESCRIT and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND " + parcelas;
    return "select distinct * from (" + movimento + condicoes + " union " + rateio + condicoes + ") Tab ";
  }

  std::string Estoque() const {
    const std::string condicoes = PeriodoNota() + FiltroEmpreend + FiltroFornecedor;
    return "select NE.CODIGONOTAENT , NM.CODIGOESTOQUE , sum(round((MV.QUANTIDADEMVTO * "
           "MV.VALORCUSTOOPERACIONALUNIT), 2)) TotalEstoqueNota , NE.VALORTOTALNOTA from NOTAENTRADA NE join "
           "NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and NI.CODIGONOTAENT = NE.CODIGONOTAENT join "
           "NOTAENTRADAITEMMVTOESTOQUE NM on NM.CODIGOESCRIT = NE.CODIGOESCRIT and NM.CODIGONOTAENT = "
           "NE.CODIGONOTAENT and NM.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join ESTOQUEMOVIMENTO MV on "
           "MV.CODIGOESCRIT = NE.CODIGOESCRIT and MV.CODIGOESTOQUE = NM.CODIGOESTOQUE and MV.CODIGOMVTOESTOQUE = "
           "NM.CODIGOMVTOESTOQUE left join ESTOQUE ET on ET.CODIGOESCRIT = NE.CODIGOESCRIT and ET.CODIGOESTOQUE = "
           "NM.CODIGOESTOQUE join UNIDADEMEDIDA UN on UN.CODIGOUNIDADEMEDIDA = NI.CODIGOUNIDADEMEDIDA where "
           "NE.CodigoEscrit = :pCodigoEscrit " + condicoes +
           " group by NE.CODIGONOTAENT , NM.CODIGOESTOQUE , NE.VALORTOTALNOTA  union "
           "select NE.CODIGONOTAENT , ET.CODIGOESTOQUE , sum(round(ET.VALORRATEIO, 2)) TotalEstoqueNota , "
           "NE.VALORTOTALNOTA from NOTAENTRADA NE join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and "
           "NI.CODIGONOTAENT = NE.CODIGONOTAENT join NOTAENTRADAITEMRATEIO RI on RI.CODIGOESCRIT = NE.CODIGOESCRIT and "
           "RI.CODIGONOTAENT = NE.CODIGONOTAENT and RI.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join INSUMO SU on "
           "SU.CODIGOINSUMO = NI.CODIGOINSUMO and SU.TIPOINSUMO <> 1 join RATEIO ET on ET.CODIGOESCRIT = "
           "NE.CODIGOESCRIT and ET.CODIGOEMPREEND = RI.CODIGOEMPREEND and ET.CODIGOESTRUTURA = RI.CODIGOESTRUTURA and "
           "ET.CODIGORATEIO = RI.CODIGORATEIO where NE.CodigoEscrit = :pCodigoEscrit" + condicoes +
           " group by NE.CODIGONOTAENT , ET.CODIGOESTOQUE , NE.VALORTOTALNOTA ";
  }
};

// ---- The comparison ----------------------------------------------------------

struct TCaso {
  int Tipo;
  int AnoIni, MesIni, DiaIni, AnoFim, MesFim, DiaFim;
  std::string Empreend, Fornecedor;  // selections as typed on the form, "" for none
};

class PayablesAndPaymentsIdentidade : public TesteBancoDemo {};

TEST_F(PayablesAndPaymentsIdentidade, StatementsFromTheInvoicesOfThePeriodReturnWhatTheFormerTextsReturned) {
  const std::vector<TCaso> casos = {
      {kContaPagar, 2026, 10, 1, 2026, 12, 31, "", ""},      {kPagamento, 2026, 10, 1, 2026, 12, 31, "", ""},
      {kPagarPgto, 2026, 10, 1, 2026, 12, 31, "", ""},       {kContaPagar, 2026, 3, 1, 2026, 3, 31, "1-2", ""},
      {kPagamento, 2026, 1, 1, 2026, 6, 30, "1", "101-109"}, {kPagarPgto, 2026, 3, 1, 2026, 3, 31, "2", ""},
      {kPagarPgto, 2026, 1, 1, 2026, 12, 31, "", "110-124"}, {kPagamento, 2025, 1, 1, 2025, 1, 31, "", ""},
  };
  for (const TCaso& c : casos) {
    const std::string ini = FormatDateTime("dd/mm/yyyy", EncodeDate(c.AnoIni, c.MesIni, c.DiaIni));
    const std::string fim = FormatDateTime("dd/mm/yyyy", EncodeDate(c.AnoFim, c.MesFim, c.DiaFim));
    SCOPED_TRACE("tipo " + std::to_string(c.Tipo) + " " + ini + "-" + fim + " empreend '" + c.Empreend +
                 "' fornecedor '" + c.Fornecedor + "'");
    TParametros parametros = {{"pCodigoEscrit", std::to_string(kEmpresa)}, {"pDataInicial", ini},
                              {"pDataFinal", fim},                          {"pTipoRelatorio", std::to_string(c.Tipo)},
                              {"pOrdenar", "0"}};
    if (!c.Empreend.empty()) parametros.emplace_back("pCodigoEmpreend", c.Empreend);
    if (!c.Fornecedor.empty()) parametros.emplace_back("pCodigoPessoaFin", c.Fornecedor);
    const TnRastro rastro = ImprimirComRastro(parametros).Rastro;

    const TTextoAntigo antigo{c.Tipo, FilterInterval({"ET.CODIGOEMPREEND"}, c.Empreend, {1}, true),
                              FilterInterval({"NE.CODIGOPESSOAFIN"}, c.Fornecedor, {1}, true)};
    const std::vector<TValor> valores = {TValor(kEmpresa),
                                         TValor::Data(EncodeDate(c.AnoIni, c.MesIni, c.DiaIni)),
                                         TValor::Data(EncodeDate(c.AnoFim, c.MesFim, c.DiaFim))};
    const struct {
      std::string Antigo, Marca;
    } comandos[] = {{antigo.Parcela(), "VALORJUROMULTA"},
                    {antigo.NotaEmpreend(), "select distinct * from ("},
                    {antigo.Estoque(), "TotalEstoqueNota"}};
    for (const auto& comando : comandos) {
      SCOPED_TRACE(comando.Marca);
      const TLinhasConsulta esperadas = LinhasDaConsulta(comando.Antigo, valores);
      EXPECT_EQ(LinhasDaConsulta(ConsultaComMarca(rastro, comando.Marca), valores), esperadas);
    }
  }
}

// The table above must reach rows: a comparison of two empty results proves nothing.
TEST_F(PayablesAndPaymentsIdentidade, TheDemoPeriodHasInstalmentsPaymentsAndStocksForEveryType) {
  for (int tipo : {kContaPagar, kPagamento, kPagarPgto}) {
    const TTextoAntigo antigo{tipo, "", ""};
    const std::vector<TValor> valores = {TValor(kEmpresa), TValor::Data(EncodeDate(2026, 10, 1)),
                                         TValor::Data(EncodeDate(2026, 12, 31))};
    EXPECT_FALSE(LinhasDaConsulta(antigo.Parcela(), valores).empty()) << tipo;
    EXPECT_FALSE(LinhasDaConsulta(antigo.NotaEmpreend(), valores).empty()) << tipo;
    EXPECT_FALSE(LinhasDaConsulta(antigo.Estoque(), valores).empty()) << tipo;
  }
}

}  // namespace
