#pragma once
// Numbers as the demo's documents print them.
#include <cstdint>
#include <string>

namespace demo {

std::string DoisDigitos(int n);              // 0..9 with a leading zero: "07"
std::string Digitos(int64_t n, int largura);  // n padded with zeros to largura digits

// Federal tax numbers with valid check digits.
std::string Cnpj(int64_t raiz, int filial);  // "NN.NNN.NNN/FFFF-DD": the root's last 8 digits, the branch
std::string Cpf(int64_t base);               // "NNN.NNN.NNN-DD": the last 9 digits of base

}  // namespace demo
