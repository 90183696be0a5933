#pragma once
// Text helpers the reports share. UTF-8 throughout; case folding knows ASCII
// and the accented Latin letters Portuguese uses.
#include <string>
#include <vector>

std::string TemDados(const std::string& antes, const std::string& texto,
                     const std::string& depois);                // joined, or empty when texto is blank
void Add(std::string& lista, const std::string& item, const std::string& separador = ",",
         bool semRepetir = false);                              // appends item; semRepetir skips one already listed
std::string CapitalizeCaption(const std::string& texto);        // "março de 2024" -> "Março De 2024"
std::string PreencherDireita(const std::string& texto, int quantidade,
                             const std::string& preenchimento = " ");  // quantidade fills appended
std::string PreencherEsquerda(const std::string& texto, int quantidade,
                              const std::string& preenchimento = " "); // quantidade fills prepended
std::vector<std::string> StrToStrArray(const std::string& texto,
                                       const std::string& separador);  // pieces; none for empty text
std::string Trim(const std::string& texto);                     // drops blanks and control chars at both ends
std::string UpperCase(const std::string& texto);                // "ção" -> "ÇÃO"
std::string LowerCase(const std::string& texto);                // "ÇÃO" -> "ção"
bool SameText(const std::string& a, const std::string& b);      // equal ignoring letter case
int TamanhoUtf8(const std::string& texto);                      // number of characters, not bytes
std::string CortarUtf8(const std::string& texto, int caracteres);  // at most that many characters
bool Utf8Valido(const std::string& texto);                       // well-formed UTF-8 (plain ASCII is)
std::string ResumoParaMensagem(const std::string& valor);        // a typed value short enough to quote in a message
