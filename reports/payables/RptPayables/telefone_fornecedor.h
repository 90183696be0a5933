#pragma once
// The telephone subquery of the payables statement: at most one contact value of the
// supplier among the telephone types, its row limit worded for the database kind of the
// current connection. Apart from the report class so its tests can read every kind's wording.
#include <string>

#include "host/core/texto.h"
#include "host/data/filtros.h"
#include "host/data/sql.h"
#include "host/report/objeto.h"

namespace telefone_fornecedor {

// Contact types that hold a telephone number, in the order they are looked at.
constexpr int kTiposTelefone[] = {1, 2, 3, 5, 0, 4};

// Database kinds and how each one limits a subquery to its first row.
constexpr int kTipoConFirebird = 0;
constexpr int kTipoConOracle = 1;
constexpr int kTipoConSqlServer = 2;
constexpr int kPrimeiraLinha = 1;

}  // namespace telefone_fornecedor

// An integer as an SQL literal.
inline std::string LiteralInteiro(int valor) { return ValorParaSQL(TValor(valor), ftInteger); }

// The subquery for nDMConexao::PegarTipoCon(); another kind raises "Tipo de banco de dados não suportado: N.".
inline std::string MontarSQLFone() {
  using namespace telefone_fornecedor;
  std::string antes, depois;
  switch (const int tipo = nDMConexao::PegarTipoCon()) {
    case kTipoConFirebird: antes = "FIRST " + LiteralInteiro(kPrimeiraLinha); break;
    case kTipoConOracle: depois = "and ROWNUM <= " + LiteralInteiro(kPrimeiraLinha); break;
    case kTipoConSqlServer: antes = "TOP " + LiteralInteiro(kPrimeiraLinha); break;
    default: throw Exception("Tipo de banco de dados não suportado: " + std::to_string(tipo) + ".");
  }
  std::string tipos;
  for (int t : kTiposTelefone) Add(tipos, LiteralInteiro(t), ",");
  return "SELECT " + antes + " CO.VALOR   FROM PESSOACONTATO CO   WHERE CO.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN AND" +
         "   CO.VALOR IS NOT NULL AND   CO.TIPOCONTATO IN (" + tipos + ") " + depois;
}
