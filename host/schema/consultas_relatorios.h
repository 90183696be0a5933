#pragma once
// Report queries assembled from the reports' own SQL fragments, in each of
// their shapes, with the values they bind. The schema is held to them: every
// statement must prepare on a database built from schema.sql, and on the demo
// database each must return rows. Selections go through FilterInterval and
// literals through ValorParaSQL, as the reports write them.
#include <string>
#include <vector>

#include "host/core/datas.h"
#include "host/core/valor.h"
#include "host/data/filtros.h"

struct TConsultaRelatorio {
  std::string Relatorio;        // report and shape the statement belongs to
  std::string Sql;              // the statement as the report builds it
  std::vector<TValor> Valores;  // values of its distinct :names, in order of appearance
};

namespace consultas {

// Company 1 over 2026, the period the demo database is richest in.
inline const TValor kEscrit = TValor(1);
inline TValor Ini() { return TValor::Data(EncodeDate(2026, 1, 1)); }
inline TValor Fim() { return TValor::Data(EncodeDate(2026, 12, 31)); }
inline std::string DataIni() { return ValorParaSQL(Ini()); }
inline std::string DataFim() { return ValorParaSQL(Fim()); }

// Every code the demo uses for companies, developments, works, inputs and suppliers.
inline std::string Filtro(const std::string& coluna) { return FilterInterval({coluna}, "1-999", {1}, true, 0); }
inline std::string FiltroSemE(const std::string& coluna) { return FilterInterval({coluna}, "1-999", {1}, false, 0); }
inline std::string Tipos(const std::string& coluna, const std::string& tipos) {
  return FilterInterval({coluna}, tipos, {1}, true, 0);
}

// Payables and payments: instalments, invoices by stock and stock shares.
inline std::vector<TConsultaRelatorio> PagarEPagamentos() {
  std::vector<TConsultaRelatorio> r;
  for (int tipo = 0; tipo <= 2; ++tipo) {
    const std::string nome = "contas a pagar e pagamentos tipo " + std::to_string(tipo);
    std::string c;
    if (tipo != 1) c = " (PA.DATAVENCIMENTOPARC between :pDataIni and :pDataFim) ";
    if (tipo != 0) c = (c.empty() ? "" : c + " or ") + " (BX.DATABAIXA between :pDataIni and :pDataFim) ";
    c = " and (" + c + ") ";
    std::string d;
    if (tipo != 1)
      d = "((select count(*) from NOTAENTRADAPARCELA PA where PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = NE.CODIGONOTAENT and PA.DATAVENCIMENTOPARC between :pDataIni and :pDataFim) > 0) ";
    if (tipo != 0)
      d = (d.empty() ? "" : d + " or ") + "((select count(*) from NOTAENTRADAPARCELABAIXA BX " +
          "where BX.CODIGOESCRIT = NE.CODIGOESCRIT " + "and BX.CODIGONOTAENT = NE.CODIGONOTAENT " +
          "and BX.DATABAIXA between :pDataIni and :pDataFim) > 0) ";
    d = " and (" + d + ") ";
    const std::string emp = Filtro("ET.CODIGOEMPREEND");
    const std::string forn = Filtro("NE.CODIGOPESSOAFIN");

    std::string parcela =
        "select distinct NE.CODIGONOTAENT , coalesce(NE.QUANTIDADEPARC, 1) QUANTIDADEPARC , PA.CODIGONOTAENTPARCELA , PA.DATAVENCIMENTOPARC , PA.VALORPARC , NE.DATAEMISSAONOTA , PA.SALDOPAGAR , BX.DATABAIXA , sum(coalesce(BX.VALORBAIXA, 0)) VALORBAIXA , sum(coalesce(BX.VALORJUROS, 0) + coalesce(BX.VALORMULTA, 0)) VALORJUROMULTA , sum(coalesce(BX.VALORDESCONTO, 0)) VALORDESCONTO from NOTAENTRADA NE join NOTAENTRADAPARCELA PA on PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = NE.CODIGONOTAENT left join NOTAENTRADAPARCELABAIXA BX on BX.CODIGOESCRIT = NE.CODIGOESCRIT and BX.CODIGONOTAENT = NE.CODIGONOTAENT and BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA where NE.CodigoEscrit = :pCodigoEscrit ";
    if (tipo == 0) parcela += " and (PA.SALDOPAGAR <> 0) ";
    if (tipo == 1) parcela += " and (PA.VALORPARC <> PA.SALDOPAGAR) ";
    parcela += c + forn + " group by NE.CODIGONOTAENT " + ", coalesce(NE.QUANTIDADEPARC, 1) " +
               ", PA.CODIGONOTAENTPARCELA " + ", PA.DATAVENCIMENTOPARC " + ", PA.VALORPARC " +
               ", NE.DATAEMISSAONOTA " + ", PA.SALDOPAGAR " + ", BX.DATABAIXA ";
    r.push_back({nome + ": parcelas", parcela, {kEscrit, Ini(), Fim()}});

    const std::string m =
        "select distinct NE.CODIGONOTAENT , NE.NUMERONOTA , NE.ESPECIENOTA , NE.CODIGOPESSOAFIN , FO.NOME , NM.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE from NOTAENTRADA NE join PESSOAFINANCEIRO FO on FO.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN join NOTAENTRADAITEMMVTOESTOQUE NM on NM.CODIGOESCRIT = NE.CODIGOESCRIT and NM.CODIGONOTAENT = NE.CODIGONOTAENT join ESTOQUEMOVIMENTO MV on MV.CODIGOESCRIT = NE.CODIGOESCRIT and MV.CODIGOESTOQUE = NM.CODIGOESTOQUE and MV.CODIGOMVTOESTOQUE = NM.CODIGOMVTOESTOQUE left join ESTOQUE ET on ET.CODIGOESCRIT = NE.CODIGOESCRIT and ET.CODIGOESTOQUE = NM.CODIGOESTOQUE left join EMPREENDIMENTO EM on EM.CODIGOESCRIT = NE.CODIGOESCRIT and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND join NOTAENTRADAPARCELA PA on PA.CODIGOESCRIT = NE.CODIGOESCRIT and PA.CODIGONOTAENT = NE.CODIGONOTAENT left join NOTAENTRADAPARCELABAIXA BX on BX.CODIGOESCRIT = NE.CODIGOESCRIT and BX.CODIGONOTAENT = NE.CODIGONOTAENT and BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA where NE.CODIGOESCRIT = :pCodigoEscrit ";
    const std::string rr =
        std::string("select distinct NE.CODIGONOTAENT , NE.NUMERONOTA , NE.ESPECIENOTA , NE.CODIGOPESSOAFIN , FO.NOME , RA.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE from NOTAENTRADA NE join PESSOAFINANCEIRO FO on FO.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and NI.CODIGONOTAENT = NE.CODIGONOTAENT join INSUMO SU on SU.CODIGOINSUMO = NI.CODIGOINSUMO and SU.TIPOINSUMO <> ") +
        ValorParaSQL(TValor(1)) + " join NOTAENTRADAITEMRATEIO RI " + "on RI.CODIGOESCRIT = NE.CODIGOESCRIT " +
        "and RI.CODIGONOTAENT = NE.CODIGONOTAENT " + "and RI.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM " +
        "join RATEIO RA " + "on RA.CODIGOESCRIT = RI.CODIGOESCRIT " + "and RA.CODIGOEMPREEND = RI.CODIGOEMPREEND " +
        "and RA.CODIGOESTRUTURA = RI.CODIGOESTRUTURA " + "and RA.CODIGORATEIO = RI.CODIGORATEIO " +
        "join ESTOQUE ET " + "on ET.CODIGOESCRIT = NE.CODIGOESCRIT " + "and ET.CODIGOESTOQUE = RA.CODIGOESTOQUE " +
        "join EMPREENDIMENTO EM " + "on EM.CODIGOESCRIT = NE.CODIGOESCRIT " +
        "and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND " + "join NOTAENTRADAPARCELA PA " +
        "on PA.CODIGOESCRIT = NE.CODIGOESCRIT " + "and PA.CODIGONOTAENT = NE.CODIGONOTAENT " +
        "left join NOTAENTRADAPARCELABAIXA BX " + "on BX.CODIGOESCRIT = NE.CODIGOESCRIT " +
        "and BX.CODIGONOTAENT = NE.CODIGONOTAENT " + "and BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA " +
        "where NE.CODIGOESCRIT = :pCodigoEscrit ";
    r.push_back({nome + ": notas por estoque",
                 "select distinct * from (" + m + c + emp + forn + " union " + rr + c + emp + forn + ") Tab ",
                 {kEscrit, Ini(), Fim()}});

    const std::string ms =
        "select NE.CODIGONOTAENT , NM.CODIGOESTOQUE , sum(round((MV.QUANTIDADEMVTO * MV.VALORCUSTOOPERACIONALUNIT), 2)) TotalEstoqueNota , NE.VALORTOTALNOTA from NOTAENTRADA NE join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and NI.CODIGONOTAENT = NE.CODIGONOTAENT join NOTAENTRADAITEMMVTOESTOQUE NM on NM.CODIGOESCRIT = NE.CODIGOESCRIT and NM.CODIGONOTAENT = NE.CODIGONOTAENT and NM.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join ESTOQUEMOVIMENTO MV on MV.CODIGOESCRIT = NE.CODIGOESCRIT and MV.CODIGOESTOQUE = NM.CODIGOESTOQUE and MV.CODIGOMVTOESTOQUE = NM.CODIGOMVTOESTOQUE left join ESTOQUE ET on ET.CODIGOESCRIT = NE.CODIGOESCRIT and ET.CODIGOESTOQUE = NM.CODIGOESTOQUE join UNIDADEMEDIDA UN on UN.CODIGOUNIDADEMEDIDA = NI.CODIGOUNIDADEMEDIDA where NE.CodigoEscrit = :pCodigoEscrit ";
    const std::string rs =
        std::string("select NE.CODIGONOTAENT , ET.CODIGOESTOQUE , sum(round(ET.VALORRATEIO, 2)) TotalEstoqueNota , NE.VALORTOTALNOTA from NOTAENTRADA NE join NOTAENTRADAITEM NI on NI.CODIGOESCRIT = NE.CODIGOESCRIT and NI.CODIGONOTAENT = NE.CODIGONOTAENT join NOTAENTRADAITEMRATEIO RI on RI.CODIGOESCRIT = NE.CODIGOESCRIT and RI.CODIGONOTAENT = NE.CODIGONOTAENT and RI.CODIGONOTAENTITEM = NI.CODIGONOTAENTITEM join INSUMO SU on SU.CODIGOINSUMO = NI.CODIGOINSUMO and SU.TIPOINSUMO <> ") +
        ValorParaSQL(TValor(1)) + " join RATEIO ET " + "on ET.CODIGOESCRIT = NE.CODIGOESCRIT " +
        "and ET.CODIGOEMPREEND = RI.CODIGOEMPREEND " + "and ET.CODIGOESTRUTURA = RI.CODIGOESTRUTURA " +
        "and ET.CODIGORATEIO = RI.CODIGORATEIO " + "where NE.CodigoEscrit = :pCodigoEscrit";
    r.push_back({nome + ": participação dos estoques",
                 ms + d + emp + forn + " group by " + "  NE.CODIGONOTAENT " + ", NM.CODIGOESTOQUE " +
                     ", NE.VALORTOTALNOTA " + " union " + rs + d + emp + forn + " group by NE.CODIGONOTAENT " +
                     ", ET.CODIGOESTOQUE " + ", NE.VALORTOTALNOTA ",
                 {kEscrit, Ini(), Fim()}});
  }
  r.push_back({"contas a pagar e pagamentos: cabeçalho",
               "select Nome,InscFederal from PessoaFinanceiro where CodigoPessoaFin = 1", {}});
  return r;
}

// Payables: one statement per grouping and model.
inline std::vector<TConsultaRelatorio> ContasPagar() {
  std::vector<TConsultaRelatorio> r;
  const std::string fone =
      "SELECT FIRST 1 CO.VALOR   FROM PESSOACONTATO CO   WHERE CO.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN AND   CO.VALOR IS NOT NULL AND   CO.TIPOCONTATO IN (1,2,3,5,0,4) ";
  for (const std::string quebra : {"PE.CODIGOPESSOAFIN", "PA.DATAVENCIMENTOPARC"})
    for (int modelo = 0; modelo <= 1; ++modelo) {
      std::string s = "SELECT " + quebra + " CAMPOQUEBRA " + ",PA.CODIGOESCRIT " + ",EMP.NOME AS NOMEEMPRESA " +
                      ",EMP.INSCFEDERAL AS INSCRFEDERALEMPRESA " + ",PE.CODIGOPESSOAFIN AS CODIGOFORNECEDOR " +
                      ",PE.NOME AS NOMEFORNECEDOR " + ",( " + fone + " ) AS FONE " + ",PA.CODIGONOTAENT " +
                      ",PA.CODIGONOTAENTPARCELA " + ",PA.DATAEMISSAOPARC " + ",PA.DATAVENCIMENTOPARC " +
                      ",COALESCE(PA.SALDOPAGAR,0) AS SALDO " + ",NE.NUMERONOTA " +
                      ",COALESCE(NE.QUANTIDADEPARC,1) AS QUANTIDADEPARC " +
                      ",SUM(COALESCE(CASE WHEN BX.DATABAIXA > " + DataFim() +
                      " THEN BX.VALORBAIXA ELSE 0 END,0)) AS BAIXASFORAPERIODO " + "FROM NOTAENTRADAPARCELA PA " +
                      "JOIN NOTAENTRADA NE ON NE.CODIGOESCRIT=PA.CODIGOESCRIT " +
                      "AND NE.CODIGONOTAENT =PA.CODIGONOTAENT " +
                      "LEFT JOIN NOTAENTRADAPARCELABAIXA BX ON (BX.CODIGOESCRIT = PA.CODIGOESCRIT AND " +
                      "BX.CODIGONOTAENT = PA.CODIGONOTAENT AND " +
                      "BX.CODIGONOTAENTPARCELA = PA.CODIGONOTAENTPARCELA) " +
                      "LEFT join PessoaFinanceiro PE ON (PE.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN) " +
                      "LEFT join PessoaFinanceiro EMP ON (EMP.CODIGOPESSOAFIN = PA.CODIGOESCRIT) ";
      s += " WHERE PA.DATAVENCIMENTOPARC >= " + DataIni() + " ";
      s += " AND PA.DATAVENCIMENTOPARC <= " + DataFim() + " ";
      if (modelo == 0)
        s += " AND (((PA.SITUACAOPGTOPARC IN (3)) and (BX.DATABAIXA > " + DataFim() + "))" +
             " or (PA.SITUACAOPGTOPARC IN (1,2)))";
      else
        s += " AND PA.SITUACAOPGTOPARC IN (1,2)";
      s += Filtro("PE.CODIGOPESSOAFIN") + Filtro("PA.CODIGOESCRIT");
      s += " GROUP BY " + quebra + " " + ",PA.CODIGOESCRIT " + ",EMP.NOME " + ",EMP.INSCFEDERAL " +
           ",PE.CODIGOPESSOAFIN " + ",PE.NOME " + ",( " + fone + " ) " + ",PA.CODIGONOTAENT " +
           ",PA.CODIGONOTAENTPARCELA " + ",PA.DATAEMISSAOPARC " + ",PA.DATAVENCIMENTOPARC " +
           ",COALESCE(PA.SALDOPAGAR,0) " + ",NE.NUMERONOTA " + ",COALESCE(NE.QUANTIDADEPARC,1)";
      r.push_back({"contas a pagar " + quebra + " modelo " + std::to_string(modelo), s, {}});
    }
  return r;
}

// Payments: grouping by supplier and by payment date, with and without filters.
inline std::vector<TConsultaRelatorio> Pagamentos() {
  std::vector<TConsultaRelatorio> r;
  for (int quebra = 0; quebra <= 1; ++quebra)
    for (bool filtros : {false, true}) {
      std::string s = "SELECT " + std::string(quebra == 0 ? "PE.CODIGOPESSOAFIN QUEBRACAMPO" : "BX.DATABAIXA QUEBRACAMPO") +
                      ", EM.CODIGOESCRIT " + ", PM.NOME NOMEEMPRESA " + ", PM.INSCFEDERAL " +
                      ", PE.CODIGOPESSOAFIN " + ", PE.NOME NOMEPESSOA " + ", NE.NUMERONOTA " +
                      ", PA.DATAVENCIMENTOPARC " + ", PA.VALORPARC " + ", BX.DATABAIXA " + ", BX.VALORBAIXA " +
                      ", BX.VALORJUROS " + ", BX.VALORMULTA " + ", BX.VALORDESCONTO " + "FROM ESCRITORIO  EM " +
                      "INNER JOIN PESSOAFINANCEIRO PM " + "ON (PM.CODIGOPESSOAFIN = EM.CODIGOESCRIT) " +
                      "INNER JOIN NOTAENTRADA NE " + "ON (NE.CODIGOESCRIT = EM.CODIGOESCRIT) " +
                      "INNER JOIN PESSOAFINANCEIRO PE " + "ON (NE.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN) " +
                      "INNER JOIN NOTAENTRADAPARCELA PA " + "ON (NE.CODIGOESCRIT = PA.CODIGOESCRIT AND " +
                      "NE.CODIGONOTAENT = PA.CODIGONOTAENT) " + "INNER JOIN NOTAENTRADAPARCELABAIXA BX " +
                      "ON (PA.CODIGOESCRIT = BX.CODIGOESCRIT AND " + "PA.CODIGONOTAENT = BX.CODIGONOTAENT AND " +
                      "PA.CODIGONOTAENTPARCELA = BX.CODIGONOTAENTPARCELA) " + "WHERE BX.DATABAIXA between " +
                      DataIni() + " and " + DataFim();
      if (filtros) s += Filtro("EM.CODIGOESCRIT") + Filtro("PE.CODIGOPESSOAFIN");
      s += quebra == 0 ? "order by EM.CODIGOESCRIT, PE.NOME, BX.DATABAIXA"
                       : "order by EM.CODIGOESCRIT, BX.DATABAIXA,  PE.NOME";
      r.push_back({"pagamentos quebra " + std::to_string(quebra) + (filtros ? " com filtros" : ""), s, {}});
    }
  return r;
}

// Incurred cost by unit: monthly cost, previous balance and development header.
inline std::vector<TConsultaRelatorio> CustoIncorridoPorUnidade() {
  const std::string join = std::string("left join INSUMO SU on SU.CODIGOINSUMO = RA.CODIGOINSUMO ") +
                           "join IMOVEL IM on IM.CODIGOESCRIT = ES.CODIGOESCRIT and IM.CODIGOIMOVEL = ES.CODIGOIMOVEL ";
  const std::string filtroEmpreend = Filtro("ES.CODIGOEMPREEND");
  const std::string filtros = filtroEmpreend + Filtro("ES.CODIGOIMOVEL") + Filtro("IM.CODIGOTPIMOVEL") +
                              Filtro("SU.TIPOINSUMO") + Filtro("SU.CLASSIFINSUMO") +
                              Tipos("RA.TIPOMVTOESTOQUE", "-1,0,1");
  const std::string competencia =
      "cast(extract(year from RA.DATARATEIO) || '-' || extract(month from RA.DATARATEIO) || '-01' as date)";
  std::vector<TConsultaRelatorio> r;
  r.push_back({"custo incorrido: custo mensal",
               "select ES.CODIGOEMPREEND , ES.CODIGOIMOVEL , ES.DESCRESTRUTURA , ES.COEFICIENTEMQUADRADO , ES.TOTALMQUADRADO , ES.TOTALMQUADRADOUTIL , " +
                   competencia +
                   " Competencia , sum(coalesce(case when RA.TIPOMVTOESTOQUE < 0 then (RA.VALORRATEIO * -1) else RA.VALORRATEIO end, 0)) SaldoMensal from EMPREENDIMENTOESTRUTURA ES left join RATEIO RA on RA.CODIGOESCRIT = ES.CODIGOESCRIT and RA.CODIGOEMPREEND = ES.CODIGOEMPREEND and RA.CODIGOESTRUTURA = ES.CODIGOESTRUTURA and RA.DATARATEIO between :pdatainicial and :pdatafinal " +
                   join + "where ES.CODIGOESCRIT = :pCODIGOESCRIT " + "and ES.TIPOESTRUTURA = :pAnalitico " +
                   filtros + " group by " + "  ES.CODIGOEMPREEND " + ", ES.CODIGOIMOVEL " + ", ES.DESCRESTRUTURA " +
                   ", ES.COEFICIENTEMQUADRADO " + ", ES.TOTALMQUADRADO " + ", ES.TOTALMQUADRADOUTIL " + ", " +
                   competencia + " " + "order by " + "  ES.CODIGOEMPREEND " + ", ES.CODIGOIMOVEL " +
                   ", ES.TOTALMQUADRADOUTIL ",
               {Ini(), Fim(), kEscrit, TValor(2)}});
  r.push_back({"custo incorrido: saldo anterior",
               "select RA.CODIGOEMPREEND , ES.CODIGOIMOVEL , sum(coalesce(case when RA.TIPOMVTOESTOQUE < 0 then (RA.VALORRATEIO * -1) else RA.VALORRATEIO end, 0)) SaldoAnterior from RATEIO RA join EMPREENDIMENTOESTRUTURA ES on ES.CODIGOESCRIT = RA.CODIGOESCRIT and ES.CODIGOEMPREEND = RA.CODIGOEMPREEND and ES.CODIGOESTRUTURA = RA.CODIGOESTRUTURA " +
                   join + "where RA.DATARATEIO <= :pDataInicial " + "and RA.CODIGOESCRIT = :pCodigoEscrit " +
                   filtros + "group by RA.CODIGOEMPREEND, ES.CODIGOIMOVEL " +
                   "order by RA.CODIGOEMPREEND, ES.CODIGOIMOVEL ",
               {Ini(), kEscrit}});
  r.push_back({"custo incorrido: empreendimentos",
               "select PF.NOME NomeEscrit , PF.INSCFEDERAL , EP.CODIGOEMPREEND , EP.NOMEEMPRE , ES.TOTALMQUADRADO , ES.TOTALMQUADRADOUTIL , IM.CODIGOTPIMOVEL , TP.DSTPIMOVEL , count(*) Quantidade from EMPREENDIMENTO EP join PESSOAFINANCEIRO PF on PF.CODIGOPESSOAFIN = EP.CODIGOESCRIT join IMOVEL IM on IM.CODIGOESCRIT = EP.CODIGOESCRIT and IM.CODIGOEMPREEND = EP.CODIGOEMPREEND join TPIMOVEL TP on TP.CODIGOTPIMOVEL = IM.CODIGOTPIMOVEL join EMPREENDIMENTOESTRUTURA ES on ES.CODIGOESCRIT = EP.CODIGOESCRIT and ES.CODIGOEMPREEND = EP.CODIGOEMPREEND and ES.CLASSIFESTRUTURA = '1' where EP.CODIGOESCRIT = :pCODIGOESCRIT " +
                   filtroEmpreend + "group by " + "  PF.NOME " + ", PF.INSCFEDERAL " + ", EP.CODIGOEMPREEND " +
                   ", EP.NOMEEMPRE " + ", ES.TOTALMQUADRADO " + ", ES.TOTALMQUADRADOUTIL " +
                   ", IM.CODIGOTPIMOVEL " + ", TP.DSTPIMOVEL " + "order by EP.CODIGOEMPREEND ",
               {kEscrit}});
  return r;
}

// Monthly costs and the cost trial balance: company header lookups.
inline std::vector<TConsultaRelatorio> Balancete() {
  return {
      {"balancete: empresa",
       "select PE.CODIGOPESSOAFIN, PE.NOME, PE.INSCFEDERAL from PessoaFinanceiro PE join ESCRITORIO  EM on EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN  where PE.CODIGOPESSOAFIN = 1 order by PE.CODIGOPESSOAFIN", {}},
      {"balancete: todas as empresas",
       "select PE.CODIGOPESSOAFIN, PE.NOME, PE.INSCFEDERAL from PessoaFinanceiro PE join ESCRITORIO  EM on EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN  order by PE.CODIGOPESSOAFIN", {}},
      {"acompanhamento mensal: nome da empresa",
       "select NOME from ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN  where CODIGOESCRIT = 1", {}},
      {"acompanhamento mensal: inscrição da empresa",
       "select INSCFEDERAL from ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN  where CODIGOESCRIT =  1", {}},
  };
}

// Works progress: phases and photos.
inline std::vector<TConsultaRelatorio> AndamentoObra() {
  const std::string fases =
      "select OB.CODIGOESCRIT , ES.NOME , ES.INSCFEDERAL , OB.CODIGOOBRA , OB.DESCROBRA , OB.CODIGOEMPREEND , EM.NOMEEMPRE , OB.DATAPREVINICIO , OB.DATAPREVFIM , FA.CLASSIFICACAO , FA.DESCRICAO , FA.TIPO , FA.DATAINICIOPREV , FA.DATAFIMPREV , FA.DATAINICIOEXEC , FA.DATAFIMEXEC , FA.PERCENTPARTICIPACAO , FA.PERCENTCONCLUSAO , FA.CODIGOFASE from OBRA OB join EMPREENDIMENTO EM on EM.CODIGOESCRIT = OB.CODIGOESCRIT and EM.CODIGOEMPREEND = OB.CODIGOEMPREEND join PESSOAFINANCEIRO ES on ES.CODIGOPESSOAFIN = OB.CODIGOESCRIT join OBRAFASE FA on FA.CODIGOESCRIT = OB.CODIGOESCRIT and FA.CODIGOOBRA = OB.CODIGOOBRA where OB.CodigoEscrit = :pCodigoEscrit ";
  return {
      {"andamento da obra: fases", fases + " order by OB.CodigoObra, FA.CLASSIFICACAO ", {kEscrit}},
      {"andamento da obra: fases filtradas sem subfases",
       fases + Filtro("OB.CODIGOEMPREEND") + Filtro("OB.CODIGOOBRA") + "and FA.TIPO = " + ValorParaSQL(TValor(1)) +
           " order by OB.CodigoObra, FA.CLASSIFICACAO ", {kEscrit}},
      {"andamento da obra: fotos",
       "SELECT FOTOPEQUENA, CODIGOESCRIT, CODIGOOBRA, CODIGOFASE FROM OBRAFASEFOTO WHERE CODIGOESCRIT=:pCODIGOESCRIT" +
           Filtro("CODIGOOBRA"), {kEscrit}},
  };
}

// Budgeted cost by area, analytic and synthetic.
inline std::vector<TConsultaRelatorio> CustoOrcadoPorArea() {
  std::vector<TConsultaRelatorio> r;
  for (bool sintetico : {false, true}) {
    std::string s = sintetico
        ? "select OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , MO.NomeMoeda , SU.CodigoInsumoGrupo, GR.ClassifGrupo, GR.DescrGrupo, OO.ConverterMoeda , OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra , sum(OI.ValorTotal) ValorTotal "
        : "select OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , MO.NomeMoeda , OI.CodigoInsumo , SU.DescrInsumo , OI.CodigoUnidadeMedida , OO.ConverterMoeda , OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra , sum(OI.Quantidade) Quantidade , sum(OI.ValorUnitario) ValorUnitario , sum(OI.ValorTotal) ValorTotal ";
    s += std::string("from ObraOrcamento OO ") + "join Obra OB " + "on OB.CodigoEscrit = OO.CodigoEscrit " +
         "and OB.CodigoObra = OO.CodigoObra " + "join Empreendimento EM " + "on EM.CodigoEscrit = OO.CodigoEscrit " +
         "and EM.CodigoEmpreend = OB.CodigoEmpreend " + "join OBRAORCAMENTOINSUMO OI " +
         "on OI.CodigoEscrit = OO.CodigoEscrit " + "and OI.CodigoObra = OO.CodigoObra " +
         "and OI.DataOrcamento = OO.DataOrcamento " + "join Insumo SU " + "on SU.CodigoInsumo = OI.CodigoInsumo " +
         "join FprMoeda MO " + "on MO.CodigoMoeda = OO.CodigoMoeda ";
    s += std::string("join (select EM2.CodigoEscrit ") + ", EM2.CodigoEmpreend " +
         ", sum(IA.TotalMQuadrado) TotalMQuadrado " + ", sum(IA.TotalMUtil) TotalMUtil " + "from Empreendimento EM2 " +
         "join Imovel IM " + "on IM.CodigoEscrit = EM2.CodigoEscrit " + "and IM.CodigoEmpreend = EM2.CodigoEmpreend " +
         "join ImovelArea IA " + "on IA.CodigoEscrit = EM2.CodigoEscrit " + "and IA.CodigoImovel = IM.CodigoImovel " +
         "where EM2.CodigoEscrit = :pCodigoEscrit " + "group by 1,2) AR " + "on AR.CodigoEscrit = OO.CodigoEscrit " +
         "and AR.CodigoEmpreend = OB.CodigoEmpreend ";
    s += std::string("join (select OI2.CodigoEscrit, OI2.CodigoObra, OI2.DataOrcamento, sum(OI2.ValorTotal) ValorTotalObra ") +
         "from  ObraOrcamentoInsumo OI2 " + "where OI2.CodigoEscrit = :pCodigoEscrit " +
         "group by OI2.CodigoEscrit, OI2.CodigoObra, OI2.DataOrcamento) OT " + "on OT.CodigoEscrit = OO.CodigoEscrit " +
         "and OT.CodigoObra = OO.CodigoObra " + "and OT.DataOrcamento = OO.DataOrcamento ";
    if (sintetico) s += "join InsumoGrupo GR on GR.CodigoInsumoGrupo = SU.CodigoInsumoGrupo ";
    s += std::string("where OO.CodigoEscrit = :pCodigoEscrit ") + "and OO.DataOrcamento = (select max(OO2.DataOrcamento) " +
         "from ObraOrcamento OO2 " + "where OO2.CodigoEscrit = OO.CodigoEscrit " + "and OO2.CodigoObra = OO.CodigoObra) ";
    s += Filtro("OB.CodigoEmpreend") + Filtro("OB.CodigoObra") + Filtro("OI.CodigoInsumo");
    s += sintetico
        ? " group by OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , MO.NomeMoeda , SU.CodigoInsumoGrupo, GR.ClassifGrupo, GR.DescrGrupo, OO.ConverterMoeda , OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra "
        : " group by OB.CodigoEmpreend , EM.NomeEmpre , OO.CodigoObra , OB.DescrObra , OO.CodigoMoeda , MO.NomeMoeda , OI.CodigoInsumo , SU.DescrInsumo , OI.CodigoUnidadeMedida , OO.ConverterMoeda , OO.ValorCotacaoMoeda , EM.FormaRateio , AR.TotalMQuadrado , AR.TotalMUtil , OT.ValorTotalObra ";
    s += "order by OB.CodigoEmpreend, OO.CodigoObra ";
    r.push_back({std::string("custo orçado por área ") + (sintetico ? "sintético" : "analítico"), s, {kEscrit}});
  }
  return r;
}

// Budgeted cost by phase.
inline std::vector<TConsultaRelatorio> CustoOrcadoPorFase() {
  const std::string base =
      "select FA.CodigoObra , OB.DescrObra , OB.CodigoEmpreend , EM.NomeEmpre , FA.CodigoFase , FA.Classificacao , FA.Descricao , FA.Tipo , FA.PercentParticipacao , OC.ValorTotalOrcado from OBRAFASE FA join OBRA OB on OB.CodigoEscrit = FA.CodigoEscrit and OB.CodigoObra = FA.CodigoObra join ObraOrcamento OC on OC.CodigoEscrit = FA.CodigoEscrit and OC.CodigoObra = OB.CodigoObra join Empreendimento EM on EM.CodigoEscrit = FA.CodigoEscrit and EM.CodigoEmpreend = OB.CodigoEmpreend where FA.CodigoEscrit = :pCodigoEscrit and OC.DataOrcamento = (select max(OC2.DataOrcamento) from ObraOrcamento OC2 where OC2.CodigoEscrit = OC.CodigoEscrit and OC2.CodigoObra = OC.CodigoObra) ";
  return {
      {"custo orçado por fase", base + "order by OB.CodigoEmpreend, FA.CodigoObra, FA.Classificacao", {kEscrit}},
      {"custo orçado por fase sem subfases",
       base + Filtro("OB.CodigoEmpreend") + Filtro("FA.CodigoObra") + "and FA.Tipo = " + ValorParaSQL(TValor(1)) + " " +
           "order by OB.CodigoEmpreend, FA.CodigoObra, FA.Classificacao", {kEscrit}},
  };
}

// Inputs by development: main query in every shape and the group totals.
inline std::string InsumosPorEmpreendimento(bool porGrupo, int detalhe, bool competencia) {
  const bool fornecedor = detalhe == 0 || detalhe == 1;
  std::string col = "MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO ";
  col += porGrupo ? std::string(", MU.CODIGOINSUMOGRUPO CampoCodigo ") + ", GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO CampoDescr "
                  : std::string(", MO.CODIGOINSUMO CampoCodigo ") + ", Mu.DESCRINSUMO CampoDescr ";
  col += std::string(", IT.CODIGOUNIDADEMEDIDA ") + ", coalesce(UN.ABREVIATURA, UN.DESCRUNIDADE) Unidade ";
  if (fornecedor) col += std::string(", NENT.CODIGOPESSOAFIN ") + ", PF.NOME ";
  if (detalhe == 0) col += std::string(", NENT.NUMERONOTA ") + ", NENT.DATAENTRADANOTA ";
  std::string join =
      "join INSUMO MU on MU.CODIGOINSUMO = MO.CODIGOINSUMO join INSUMOGRUPO GR on GR.CODIGOINSUMOGRUPO = MU.CODIGOINSUMOGRUPO join NOTAENTRADAITEM IT on IT.CODIGOESCRIT = MO.CODIGOESCRIT and IT.CODIGONOTAENT = NE.CODIGONOTAENT and IT.CODIGONOTAENTITEM = NE.CODIGONOTAENTITEM join UNIDADEMEDIDA UN on UN.CODIGOUNIDADEMEDIDA = IT.CODIGOUNIDADEMEDIDA ";
  if (fornecedor)
    join += std::string("left join NOTAENTRADA NENT ") + "on NENT.CODIGOESCRIT = IT.CODIGOESCRIT " +
            "and NENT.CODIGONOTAENT = IT.CODIGONOTAENT " + "left join PESSOAFINANCEIRO PF " +
            "on NENT.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN ";
  std::string filtro = "and MO.CODIGOESCRIT = :pCodigoEscrit " + Filtro("ET.CODIGOEMPREEND") + Filtro("MO.CODIGOINSUMO") +
                       Filtro("MU.CLASSIFINSUMO") + Tipos("MO.TIPOMVTOESTOQUE", "-1,0");
  if (fornecedor) filtro += Filtro("NENT.CODIGOPESSOAFIN");
  std::string grupo = "group by   MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO ";
  grupo += porGrupo ? std::string(", MU.CODIGOINSUMOGRUPO ") + ", GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO "
                    : std::string(", MO.CODIGOINSUMO ") + ", Mu.DESCRINSUMO ";
  grupo += std::string(", IT.CODIGOUNIDADEMEDIDA ") + ", coalesce(UN.ABREVIATURA, UN.DESCRUNIDADE) ";
  if (fornecedor) grupo += ", NENT.CODIGOPESSOAFIN, PF.NOME ";
  if (detalhe == 0) grupo += ", NENT.NUMERONOTA, NENT.DATAENTRADANOTA ";
  std::string ordem = " ";
  if (detalhe == 0) ordem += porGrupo ? " Order by MU.CODIGOINSUMOGRUPO " : " Order by MO.CODIGOINSUMO ";
  const std::string m1 = competencia ? ", cast(Extract(Year from MO.DATAMVTOESTOQUE) || '-' || Extract(Month from MO.DATAMVTOESTOQUE) || '-01' as date) Competencia " : "";
  const std::string g1 = competencia ? ", cast(Extract(Year from MO.DATAMVTOESTOQUE) || '-' || Extract(Month from MO.DATAMVTOESTOQUE) || '-01' as date)" : "";
  const std::string m2 = competencia ? ", cast(Extract(Year from MO.DATARATEIO) || '-' || Extract(Month from MO.DATARATEIO) || '-01' as date) Competencia " : "";
  const std::string g2 = competencia ? ", cast(Extract(Year from MO.DATARATEIO) || '-' || Extract(Month from MO.DATARATEIO) || '-01' as date)" : "";
  return "select * from (select " + col + m1 +
         ", sum(case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO else (MO.QUANTIDADEMVTO * -1) end) Quantidade " +
         ", sum((case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO else (MO.QUANTIDADEMVTO * -1) end * MO.VALORCUSTOOPERACIONALUNIT)) TotalCustoOpeUnit " +
         "from ESTOQUEMOVIMENTO MO " + "join ESTOQUE ET " + "on ET.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and ET.CODIGOESTOQUE = MO.CODIGOESTOQUE " + "left join EMPREENDIMENTO EM " +
         "on EM.CODIGOESCRIT = MO.CODIGOESCRIT " + "and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND " +
         "join NOTAENTRADAITEMMVTOESTOQUE NE " + "on NE.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and NE.CODIGOESTOQUE = MO.CODIGOESTOQUE " + "and NE.CODIGOMVTOESTOQUE = MO.CODIGOMVTOESTOQUE " + join +
         "where MO.DATAMVTOESTOQUE between :pDataIni and :pDataFim " + filtro + "and MU.TipoInsumo = :pMaterial " +
         grupo + g1 + " " + ordem + " ) tab " + "where Quantidade <> 0 " + "union all " + "select * from (" +
         "select " + col + m2 +
         ", sum(case when MO.TIPOMVTOESTOQUE <= 0 then MO.QUANTIDADERATEIO else (MO.QUANTIDADERATEIO * -1) end) Quantidade " +
         ", sum((case when MO.TIPOMVTOESTOQUE <= 0 then MO.VALORRATEIO else (MO.VALORRATEIO * -1) end )) TotalCustoOpeUnit " +
         "from RATEIO MO " + "join EMPREENDIMENTO EM " + "on EM.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and EM.CODIGOEMPREEND = MO.CODIGOEMPREEND " + "join ESTOQUE ET " + "on ET.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and ET.CODIGOEMPREEND = EM.CODIGOEMPREEND " + "join NOTAENTRADAITEMRATEIO NE " +
         "on NE.CODIGOESCRIT = MO.CODIGOESCRIT " + "and NE.CODIGOEMPREEND = MO.CODIGOEMPREEND " +
         "and NE.CODIGOESTRUTURA = MO.CODIGOESTRUTURA " + "and NE.CODIGORATEIO = MO.CODIGORATEIO " + join +
         "where MO.DATARATEIO between :pDataIni and :pDataFim " + filtro + "and MU.TipoInsumo <> :pMaterial " + grupo +
         g2 + " " + ordem + " ) tab " + "where Quantidade <> 0 ";
}

inline std::string GruposInsumoPorEmpreendimento(bool competencia) {
  const std::string col = "MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO CampoDescr ";
  const std::string join =
      "join INSUMO MU on MU.CODIGOINSUMO = MO.CODIGOINSUMO join INSUMOGRUPO GR on GR.CODIGOINSUMOGRUPO = MU.CODIGOINSUMOGRUPO join NOTAENTRADAITEM IT on IT.CODIGOESCRIT = MO.CODIGOESCRIT and IT.CODIGONOTAENT = NE.CODIGONOTAENT and IT.CODIGONOTAENTITEM = NE.CODIGONOTAENTITEM join UNIDADEMEDIDA UN on UN.CODIGOUNIDADEMEDIDA = IT.CODIGOUNIDADEMEDIDA ";
  const std::string filtro = "and MO.CODIGOESCRIT = :pCodigoEscrit " + Filtro("MU.CLASSIFINSUMO") +
                             Tipos("MO.TIPOMVTOESTOQUE", "-1,0") + Filtro("ET.CODIGOEMPREEND") +
                             Filtro("MO.CODIGOINSUMO");
  const std::string grupo = "group by   MO.CODIGOESTOQUE , ET.DESCRESTOQUE , ET.CODIGOEMPREEND , EM.NOMEEMPRE , MU.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO || ' - ' ||GR.DESCRGRUPO ";
  const std::string m1 = competencia ? ", cast(Extract(Year from MO.DATAMVTOESTOQUE) || '-' || Extract(Month from MO.DATAMVTOESTOQUE) || '-01' as date) Competencia " : "";
  const std::string g1 = competencia ? ", cast(Extract(Year from MO.DATAMVTOESTOQUE) || '-' || Extract(Month from MO.DATAMVTOESTOQUE) || '-01' as date)" : "";
  const std::string m2 = competencia ? ", cast(Extract(Year from MO.DATARATEIO) || '-' || Extract(Month from MO.DATARATEIO) || '-01' as date) Competencia " : "";
  const std::string g2 = competencia ? ", cast(Extract(Year from MO.DATARATEIO) || '-' || Extract(Month from MO.DATARATEIO) || '-01' as date)" : "";
  return "select * from (select " + col + m1 + ", sum((case when MO.TipoMvtoEstoque <= 0 then MO.QUANTIDADEMVTO " +
         "else (MO.QUANTIDADEMVTO * -1) end * MO.VALORCUSTOOPERACIONALUNIT)) TotalCustoOpeUnit " +
         "from ESTOQUEMOVIMENTO MO " + "join ESTOQUE ET " + "on ET.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and ET.CODIGOESTOQUE = MO.CODIGOESTOQUE " + "left join EMPREENDIMENTO EM " +
         "on EM.CODIGOESCRIT = MO.CODIGOESCRIT " + "and EM.CODIGOEMPREEND = ET.CODIGOEMPREEND " +
         "join NOTAENTRADAITEMMVTOESTOQUE NE " + "on NE.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and NE.CODIGOESTOQUE = MO.CODIGOESTOQUE " + "and NE.CODIGOMVTOESTOQUE = MO.CODIGOMVTOESTOQUE " + join +
         "where MO.DATAMVTOESTOQUE between :pDataIni and :pDataFim " + filtro + "and MU.TipoInsumo = :pMaterial " +
         grupo + g1 + " " + ") tab " + "where TotalCustoOpeUnit <> 0 " + "union all " + "select * from (" + "select " +
         col + m2 + ", sum((case when MO.TIPOMVTOESTOQUE <= 0 then MO.VALORRATEIO else (MO.VALORRATEIO * -1) end )) TotalCustoOpeUnit " +
         "from RATEIO MO " + "join EMPREENDIMENTO EM " + "on EM.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and EM.CODIGOEMPREEND = MO.CODIGOEMPREEND " + "join ESTOQUE ET " + "on ET.CODIGOESCRIT = MO.CODIGOESCRIT " +
         "and ET.CODIGOEMPREEND = EM.CODIGOEMPREEND " + "join NOTAENTRADAITEMRATEIO NE " +
         "on NE.CODIGOESCRIT = MO.CODIGOESCRIT " + "and NE.CODIGOEMPREEND = MO.CODIGOEMPREEND " +
         "and NE.CODIGOESTRUTURA = MO.CODIGOESTRUTURA " + "and NE.CODIGORATEIO = MO.CODIGORATEIO " + join +
         "where MO.DATARATEIO between :pDataIni and :pDataFim " + filtro + "and MU.TipoInsumo <> :pMaterial " + grupo +
         g2 + " " + ") tab " + "where TotalCustoOpeUnit <> 0 ";
}

inline std::vector<TConsultaRelatorio> InsumosPorEmpreendimento() {
  std::vector<TConsultaRelatorio> r;
  for (bool porGrupo : {false, true})
    for (int detalhe = 0; detalhe <= 2; ++detalhe)
      for (bool competencia : {false, true})
        r.push_back({"insumos por empreendimento grupo=" + std::to_string(porGrupo) + " detalhe=" +
                         std::to_string(detalhe) + " competência=" + std::to_string(competencia),
                     InsumosPorEmpreendimento(porGrupo, detalhe, competencia), {Ini(), Fim(), kEscrit, TValor(1)}});
  for (bool competencia : {false, true})
    r.push_back({"insumos por empreendimento: grupos competência=" + std::to_string(competencia),
                 GruposInsumoPorEmpreendimento(competencia), {Ini(), Fim(), kEscrit, TValor(1)}});
  return r;
}

// Stock position, both orderings.
inline std::vector<TConsultaRelatorio> PosicaoEstoque() {
  std::vector<TConsultaRelatorio> r;
  for (const std::string ordem : {"EM.CodigoInsumo", "IM.DescrInsumo"})
    r.push_back({"posição de estoque por " + ordem,
                 "select P.CodigoPessoaFin, P.NOME NomeEscrit, P.INSCFEDERAL InscrFederalEscrit, EM.CodigoEstoque, ES.DescrEstoque, EM.CodigoInsumo, IM.DescrInsumo, UM.CodigoUnidadeMedida, UM.Abreviatura, sum((case when EM.TipoMvtoEstoque <= 0 then EM.QUANTIDADEMVTO else (EM.QUANTIDADEMVTO * -1) end * VALORCUSTOOPERACIONALUNIT)) SaldoValor, sum(case when EM.TipoMvtoEstoque <= 0 then EM.QUANTIDADEMVTO else (EM.QUANTIDADEMVTO * -1) end) SaldoQtd from EstoqueMovimento EM join Estoque ES on ES.CodigoEscrit = EM.CodigoEscrit and ES.CodigoEstoque = EM.CodigoEstoque join Insumo IM on IM.CodigoInsumo = EM.CodigoInsumo join UnidadeMedida UM on UM.CodigoUnidadeMedida = IM.CodigoUnidadeMedida join PessoaFinanceiro P on P.CodigoPessoaFin = EM.CodigoEscrit where EM.CodigoEscrit = :pCodigoEscrit and EM.DataMvtoEstoque <= :pData " +
                     Filtro("ES.CODIGOESTOQUE") + Filtro("IM.CODIGOINSUMO") + Filtro("IM.CLASSIFINSUMO") +
                     Tipos("EM.TIPOMVTOESTOQUE", "-2-2") + "group by P.CodigoPessoaFin, " + "P.NOME, " +
                     "P.INSCFEDERAL, " + "EM.CodigoEstoque, " + "ES.DescrEstoque, " + "EM.CodigoInsumo, " +
                     "IM.DescrInsumo, " + "UM.CodigoUnidadeMedida, " + "UM.Abreviatura " +
                     "order by EM.CodigoEstoque, " + ordem,
                 {kEscrit, Fim()}});
  return r;
}

// Purchases: the three orderings, with the company break and filters.
inline std::vector<TConsultaRelatorio> Compras() {
  std::vector<TConsultaRelatorio> r;
  const char* ordens[] = {"NE.DATAENTRADANOTA",
                          "cast(extract(year from DATAENTRADANOTA) || '-' || extract(month from DATAENTRADANOTA) || '-01' as date)",
                          "NE.CODIGOPESSOAFIN"};
  for (int i = 0; i < 3; ++i)
    for (bool quebra : {true, false}) {
      std::string s = std::string("select NE.CODIGOESCRIT , NE.DATAENTRADANOTA , NE.DATAEMISSAONOTA , NE.CODIGONOTAENT , NE.NUMERONOTA , NE.CODIGOPESSOAFIN , PF.NOME NomeFornec , NE.VALORTOTALNOTA , NE.FORMAPGTONOTA , NE.STATUSNOTA , ES.NOME NomeEscrit , ES.InscFederal , ") +
                      ordens[i] + " CAMPOORDENAR " + "from NOTAENTRADA NE " + "join PESSOAFINANCEIRO PF " +
                      "on PF.CODIGOPESSOAFIN = NE.CODIGOPESSOAFIN " + "join PESSOAFINANCEIRO ES " +
                      "on ES.CODIGOPESSOAFIN = NE.CODIGOESCRIT " + "where NE.DATAENTRADANOTA between :pDataIni and :pDataFim ";
      if (quebra) s += Filtro("NE.CODIGOESCRIT") + Filtro("NE.CODIGOPESSOAFIN");
      s += " order by " + std::string(quebra ? "NE.CODIGOESCRIT," : "") + "CAMPOORDENAR";
      r.push_back({"compras ordem " + std::to_string(i) + (quebra ? " por escritório" : ""), s, {Ini(), Fim()}});
    }
  return r;
}

// Inputs register: groups, inputs with both ranges, group classifications, company.
inline std::vector<TConsultaRelatorio> Insumos() {
  const std::string insumos =
      "SELECT I.CODIGOINSUMO, I.DESCRINSUMO, I.CLASSIFINSUMO, I.TIPOINSUMO, GR.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO, UN.ABREVIATURA FROM INSUMO I JOIN INSUMOGRUPO GR ON I.CODIGOINSUMOGRUPO = GR.CODIGOINSUMOGRUPO LEFT JOIN UNIDADEMEDIDA UN ON I.CODIGOUNIDADEMEDIDA = UN.CODIGOUNIDADEMEDIDA ";
  return {
      {"insumos: grupos", "SELECT GR.CODIGOINSUMOGRUPO, GR.DESCRGRUPO, GR.CLASSIFGRUPO, GR.TIPOGRUPO FROM INSUMOGRUPO GR ORDER BY GR.CLASSIFGRUPO ", {}},
      {"insumos: todos", insumos + "order by I.CODIGOINSUMOGRUPO, I.CODIGOINSUMO", {}},
      {"insumos: filtrados",
       insumos + "WHERE " + FilterInterval({"I.CODIGOINSUMO"}, "1-3", {1}, false, 0) + " AND " +
           "((GR.CLASSIFGRUPO LIKE '01%') OR (GR.CLASSIFGRUPO LIKE '02%'))" + "order by I.CODIGOINSUMOGRUPO, I.TIPOINSUMO", {}},
      {"insumos: classificação dos grupos",
       "SELECT GR.CODIGOINSUMOGRUPO, GR.CLASSIFGRUPO FROM INSUMOGRUPO GR WHERE " + FilterInterval({"GR.CODIGOINSUMOGRUPO"}, "1,2", {1}, false, 0), {}},
      {"insumos: empresa",
       "select PE.CODIGOPESSOAFIN, PE.NOME, PE.INSCFEDERAL from PessoaFinanceiro PE join ESCRITORIO  EM on EM.CODIGOESCRIT = PE.CODIGOPESSOAFIN where PE.CODIGOPESSOAFIN = 1", {}},
  };
}

// Quotation request: company letterhead and suppliers with their contact person.
inline std::vector<TConsultaRelatorio> SolicitacaoCotacao() {
  return {
      {"solicitação de cotação: empresa",
       "select ES.LOGO , PF.NOME , PF.INSCFEDERAL , VE.ENDERECO1 || ', ' || VE.ENDERECO2 DescEndereco , FO.VALOR Fone , MA.VALOR Email from PessoaFinanceiro PF join Escritorio ES on ES.CODIGOESCRIT = PF.CODIGOPESSOAFIN left join PessoaEndereco PE on PE.CodigoPessoaFin = PF.CodigoPessoaFin and PE.Padrao = :pPadrao left join VEndereco VE on VE.CODIGOENDERECO = PE.CODIGOENDERECO left join PESSOACONTATO FO on FO.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and FO.TIPOCONTATO = :pFoneComercial left join PESSOACONTATO MA on MA.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and MA.TIPOCONTATO = :pEmailEmpresa where PF.CodigoPessoaFin = :pCodigoEscrit",
       {TValor(1), TValor(3), TValor(8), kEscrit}},
      {"solicitação de cotação: fornecedores",
       "select PF.CodigoPessoaFin , PF.Nome , PF.InscFederal , FO.Valor Fone , FX.Valor Fax , MA.Valor Email , CO.Nome Contato , VE.ENDERECO1 || ', ' || VE.ENDERECO2 DescEndereco from PessoaFinanceiro PF left join PessoaEndereco PE on PE.CodigoPessoaFin = PF.CodigoPessoaFin and PE.Padrao = :pPadrao left join VEndereco VE on VE.CODIGOENDERECO = PE.CODIGOENDERECO left join PESSOACONTATO FO on FO.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and FO.TIPOCONTATO = :pFoneComercial left join PESSOACONTATO FX on FX.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and FX.TIPOCONTATO = :pFax left join PESSOACONTATO MA on MA.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN and MA.TIPOCONTATO = :pEmailEmpresa left join (select PR.CODIGOPESSOAFIN, min(PR.CODIGOPESSOARELACIONADA) CodigoContato from PESSOARELACAO PR where " +
           FiltroSemE("PR.CodigoPessoaFin") + "and PR.TIPORELACIONAMENTO = :pProprietario " +
           "group by PR.CODIGOPESSOAFIN) PR2 " + "on PR2.CODIGOPESSOAFIN = PF.CODIGOPESSOAFIN " +
           "left join PessoaFinanceiro CO " + "on CO.CODIGOPESSOAFIN = PR2.CodigoContato " + "where " +
           FiltroSemE("PF.CodigoPessoaFin"),
       {TValor(1), TValor(3), TValor(5), TValor(8), TValor(3)}},
  };
}

// Datasets the host hands over: the units of the city hall listing and the
// items of a request for quotation.
inline std::vector<TConsultaRelatorio> DadosDoHospedeiro() {
  return {
      {"imóveis para a prefeitura",
       "select Proprietario, Quadra, Lote, Endereco, Numero, Bairro, Complemento, UtilizacaoImovel, TipoImovel, CodCadMunic, Unidade, AreaImovel, ZonaFiscal, FracaoTerreno, TestadaTerreno from VIMOVELPREFEITURA where CODIGOESCRIT = :pCodigoEscrit and CODIGOEMPREEND = :pCodigoEmpreend order by CODIGOIMOVEL", {kEscrit, TValor(1)}},
      {"itens da solicitação de cotação",
       "select SEQINSUMO SeqInsumo, CODIGOINSUMO CodigoInsumo, DESCRINSUMO DescrInsumo, DESCRUNIDADE DescrUnidade, QUANTIDADE Quantidade from VORCAMENTOENTRADAITEM where CODIGOESCRIT = :pCodigoEscrit and CODIGOORCAMENTOENT = :pCodigoOrcamentoEntrada order by SEQINSUMO", {kEscrit, TValor(1)}},
  };
}


// What the domain routines read (cost trial balance, per-unit budget, stock
// movement record): the columns they rely on exist and join.
inline std::vector<TConsultaRelatorio> Dominio() {
  const std::string sinal = "case when RA.TIPOMVTOESTOQUE < 0 then -RA.VALORRATEIO else RA.VALORRATEIO end";
  return {
      {"domínio: balancete de custos",
       "select ES.CODIGOESCRIT, ES.CODIGOEMPREEND, EM.NOMEEMPRE, ES.CODIGOESTRUTURA, ES.TIPOESTRUTURA, ES.CLASSIFESTRUTURA, ES.DESCRESTRUTURA, SU.DESCRINSUMO, "
       "sum(case when RA.DATARATEIO < :pDataInicial then " + sinal + " else 0 end) SALDOANTERIOR, "
       "sum(case when RA.DATARATEIO >= :pDataInicial then " + sinal + " else 0 end) MOVIMENTO "
       "from EMPREENDIMENTOESTRUTURA ES join EMPREENDIMENTO EM on EM.CODIGOESCRIT = ES.CODIGOESCRIT and EM.CODIGOEMPREEND = ES.CODIGOEMPREEND "
       "left join RATEIO RA on RA.CODIGOESCRIT = ES.CODIGOESCRIT and RA.CODIGOEMPREEND = ES.CODIGOEMPREEND and RA.CODIGOESTRUTURA = ES.CODIGOESTRUTURA and RA.DATARATEIO <= :pDataFinal "
       "left join INSUMO SU on SU.CODIGOINSUMO = RA.CODIGOINSUMO "
       "where ES.CODIGOESCRIT = :pCodigoEscrit "
       "group by ES.CODIGOESCRIT, ES.CODIGOEMPREEND, EM.NOMEEMPRE, ES.CODIGOESTRUTURA, ES.TIPOESTRUTURA, ES.CLASSIFESTRUTURA, ES.DESCRESTRUTURA, SU.DESCRINSUMO "
       "order by ES.CODIGOESCRIT, ES.CODIGOEMPREEND, ES.CLASSIFESTRUTURA",
       {Ini(), Fim(), kEscrit}},
      {"domínio: custo orçado da obra por imóvel",
       "select EM.CODIGOEMPREEND, EM.NOMEEMPRE, IM.CODIGOIMOVEL Codigo, IM.DESCRIMOVEL Descricao, OB.CODIGOOBRA, OB.DESCROBRA, "
       "OO.VALORTOTALORCADO, EM.FORMARATEIO, TOT.TOTALMQUADRADO TotalMQuadradoEmpreend, TOT.TOTALMQUADRADOUTIL TotalMUtilEmpreend, "
       "ES.TOTALMQUADRADO, ES.TOTALMQUADRADOUTIL, ES.COEFICIENTEMQUADRADO, TP.DSTPIMOVEL "
       "from OBRA OB join EMPREENDIMENTO EM on EM.CODIGOESCRIT = OB.CODIGOESCRIT and EM.CODIGOEMPREEND = OB.CODIGOEMPREEND "
       "join OBRAORCAMENTO OO on OO.CODIGOESCRIT = OB.CODIGOESCRIT and OO.CODIGOOBRA = OB.CODIGOOBRA "
       "and OO.DATAORCAMENTO = (select max(O2.DATAORCAMENTO) from OBRAORCAMENTO O2 where O2.CODIGOESCRIT = OO.CODIGOESCRIT and O2.CODIGOOBRA = OO.CODIGOOBRA) "
       "join EMPREENDIMENTOESTRUTURA TOT on TOT.CODIGOESCRIT = EM.CODIGOESCRIT and TOT.CODIGOEMPREEND = EM.CODIGOEMPREEND and TOT.CLASSIFESTRUTURA = '1' "
       "join EMPREENDIMENTOESTRUTURA ES on ES.CODIGOESCRIT = EM.CODIGOESCRIT and ES.CODIGOEMPREEND = EM.CODIGOEMPREEND and ES.TIPOESTRUTURA = 2 "
       "join IMOVEL IM on IM.CODIGOESCRIT = ES.CODIGOESCRIT and IM.CODIGOIMOVEL = ES.CODIGOIMOVEL "
       "join TPIMOVEL TP on TP.CODIGOTPIMOVEL = IM.CODIGOTPIMOVEL "
       "where OB.CODIGOESCRIT = :pCodigoEscrit order by EM.CODIGOEMPREEND, OB.CODIGOOBRA, IM.CODIGOIMOVEL", {kEscrit}},
      {"domínio: movimentação de estoque",
       "select MV.CODIGOESTOQUE, ET.DESCRESTOQUE, MV.CODIGOINSUMO, SU.DESCRINSUMO, SU.DESCRCOMPLEMENTAR, MV.DATAMVTOESTOQUE, "
       "MV.REFERENCIA, MV.DOCUMENTO, MV.TIPOMVTOESTOQUE, MV.VALORCUSTOOPERACIONALUNIT, MV.QUANTIDADEMVTO, MV.CODIGOOBRA, MV.HISTORICO "
       "from ESTOQUEMOVIMENTO MV join ESTOQUE ET on ET.CODIGOESCRIT = MV.CODIGOESCRIT and ET.CODIGOESTOQUE = MV.CODIGOESTOQUE "
       "join INSUMO SU on SU.CODIGOINSUMO = MV.CODIGOINSUMO "
       "where MV.CODIGOESCRIT = :pCodigoEscrit and MV.DATAMVTOESTOQUE between :pDataInicial and :pDataFinal "
       "order by MV.CODIGOESTOQUE, MV.CODIGOINSUMO, MV.DATAMVTOESTOQUE, MV.CODIGOMVTOESTOQUE",
       {kEscrit, Ini(), Fim()}},
  };
}

}  // namespace consultas

// Every statement above, in report order.
inline std::vector<TConsultaRelatorio> ConsultasDosRelatorios() {
  using namespace consultas;
  std::vector<TConsultaRelatorio> todas;
  for (auto grupo : {PagarEPagamentos(), ContasPagar(), Pagamentos(), CustoIncorridoPorUnidade(), Balancete(),
                     AndamentoObra(), CustoOrcadoPorArea(), CustoOrcadoPorFase(), InsumosPorEmpreendimento(),
                     PosicaoEstoque(), Compras(), Insumos(), SolicitacaoCotacao(), DadosDoHospedeiro(), Dominio()})
    todas.insert(todas.end(), grupo.begin(), grupo.end());
  return todas;
}
