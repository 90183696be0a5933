#pragma once
// The demonstration database: three companies of a construction group with
// their developments, works, stocks, purchases and payables, always the same
// data (fixed seed, no clock). Contents and good report parameters: docs/demo.md.
#include <string>

// Creates the embedded database file `arquivo` (which must not exist) from the
// project's schema and fills it; `escala` multiplies the developments and all
// that hangs on them (works, units, purchases, stock, allocations). Raises
// std::invalid_argument for a scale below 1; a failed build leaves no file.
void CriarBancoDemo(const std::string& arquivo, int escala = 1);
