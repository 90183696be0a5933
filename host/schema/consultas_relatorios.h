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

// Monthly costs: company header lookups.
inline std::vector<TConsultaRelatorio> Balancete() {
  return {
      {"acompanhamento mensal: nome da empresa",
       "select NOME from ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN  where CODIGOESCRIT = 1", {}},
      {"acompanhamento mensal: inscrição da empresa",
       "select INSCFEDERAL from ESCRITORIO left join PESSOAFINANCEIRO  on CODIGOESCRIT = CODIGOPESSOAFIN  where CODIGOESCRIT =  1", {}},
  };
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


// What the per-unit budget routine reads: the columns it relies on exist and join.
inline std::vector<TConsultaRelatorio> Dominio() {
  return {
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
  };
}

}  // namespace consultas

// Every statement above, in report order.
inline std::vector<TConsultaRelatorio> ConsultasDosRelatorios() {
  using namespace consultas;
  std::vector<TConsultaRelatorio> todas;
  for (auto grupo : {Balancete(), CustoOrcadoPorFase(), Insumos(), SolicitacaoCotacao(), DadosDoHospedeiro(), Dominio()})
    todas.insert(todas.end(), grupo.begin(), grupo.end());
  return todas;
}
