#pragma once
// The project's database schema (host/schema/schema.sql), built into the host
// library so that an installed rpt needs no source tree.
#include <string>
#include <vector>

class TnDMConexao;

// Text of the schema: the file named by the environment variable RPT_SCHEMA_FILE
// when it is set (tests give a broken or smaller schema that way; a missing file
// raises std::runtime_error naming it), else the text built into the library.
std::string LerSchemaBanco();

// Names of the tables that schema creates, in its order.
std::vector<std::string> TabelasDoSchema(const std::string& schema);

// Raises, naming the first missing table, when the database lacks one of the
// tables of the schema.
void ConferirTabelasDoSchema(TnDMConexao& conexao);
