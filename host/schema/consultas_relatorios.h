#pragma once
// Queries of the reports not built yet, in each of their shapes, with the values
// they bind, so the schema is held to them before their code exists: every
// statement must prepare on a database built from schema.sql, and on the demo
// database each must return rows. A built report's own statements are held to
// the schema by the demo-run test instead (its trace lists what it ran), so each
// report deletes its block here when it lands, and the file goes with the last.
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
  for (auto grupo : {ContasPagar(), Balancete(), CustoOrcadoPorArea(), CustoOrcadoPorFase(), PosicaoEstoque(),
                     Compras(), Insumos(), SolicitacaoCotacao(), DadosDoHospedeiro(), Dominio()})
    todas.insert(todas.end(), grupo.begin(), grupo.end());
  return todas;
}
