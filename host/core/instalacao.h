#pragma once
// Where the files of an installation are, found from the folder of the host
// library itself: the build tree lays them out as an installed tree does, so
// both find them without a path fixed at build time.
#include <string>

std::string PastaBibliotecaHost();     // absolute folder of the host library (librpthost.so)
std::string PastaPluginsInstalada();   // the report plug-ins with their layouts
std::string PastaFirebirdInstalada();  // the embedded engine's configuration (firebird.conf)
