#pragma once
#include <cstdint>

namespace demo {

// Fixed-seed generator (splitmix64): the same data set on every run and machine.
class TSorteio {
 public:
  explicit TSorteio(uint64_t semente) : FEstado(semente) {}
  uint64_t Proximo() {
    uint64_t z = (FEstado += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Entre(int a, int b) { return a + static_cast<int>(Proximo() % static_cast<uint64_t>(b - a + 1)); }
  double Fracao() { return static_cast<double>(Proximo() >> 11) / 9007199254740992.0; }
  double Faixa(double a, double b) { return a + (b - a) * Fracao(); }
  bool Chance(int porCento) { return Entre(1, 100) <= porCento; }

 private:
  uint64_t FEstado;
};

}  // namespace demo
