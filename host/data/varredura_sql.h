#pragma once
// SQL text scanning shared by the data layer: ":name" parameters to positional
// markers, and scripts split into statements. String literals, quoted names and
// comments are never looked into.
#include <string>
#include <vector>

struct TnSqlPosicional {
  std::string Sql;                    // the text with each ":name" replaced by "?"
  std::vector<std::string> Nomes;     // distinct names, first appearance order, case ignored
  std::vector<int> Marcadores;        // for each "?", the index of its name in Nomes
};

TnSqlPosicional TraduzirParametros(const std::string& sql);       // ":a ... :b ... :a" -> 2 names, 3 markers
std::vector<std::string> DividirScript(const std::string& script); // by ";" (SET TERM changes it); drops comments, COMMIT and isql SETs
