#pragma once
// The demo data set: a construction group's companies with their developments,
// works, stocks, purchases and payables, always the same (fixed seed, no clock).
class TnDMConexao;

namespace demo {

// Fills the tables of a database created from the project's schema; `escala`
// multiplies the developments and all that hangs on them. Commits what it wrote.
void GerarDadosDemo(TnDMConexao& conexao, int escala);

}  // namespace demo
