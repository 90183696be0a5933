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


}  // namespace consultas

// Every statement above, in report order.
inline std::vector<TConsultaRelatorio> ConsultasDosRelatorios() {
  using namespace consultas;
  std::vector<TConsultaRelatorio> todas;
  for (auto grupo : {Compras()})
    todas.insert(todas.end(), grupo.begin(), grupo.end());
  return todas;
}
