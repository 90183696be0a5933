#pragma once
// The demonstration database: three companies of a construction group with
// their developments, works, stocks, purchases and payables, always the same
// data (fixed seed, no clock). Contents and good report parameters: docs/demo.md.
#include <string>
#include <vector>

// Creates the embedded database file `arquivo` (which must not exist) from the
// project's schema and fills it; `escala` multiplies the developments and all
// that hangs on them (works, units, purchases, stock, allocations).
void CriarBancoDemo(const std::string& arquivo, int escala = 1);

// Text of the schema the demo is built from: the file named by the environment
// variable RPT_SCHEMA_FILE, else the project's host/schema/schema.sql.
std::string LerSchemaBanco();

// Names of the tables that schema creates, in its order.
std::vector<std::string> TabelasDoSchema(const std::string& schema);

// Raises, naming the first missing table, when the database lacks one of the
// tables of the project's schema; checks nothing when the schema file is absent.
class TnDMConexao;
void ConferirTabelasDoSchema(TnDMConexao& conexao);
