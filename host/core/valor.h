#pragma once
// Values that cross the host boundary: dates as day counts and the tagged value
// that binds to SQL parameters and lives in dataset fields.
#include <cstdint>
#include <string>
#include <variant>

#include "host/core/datas.h"

class TValor {
 public:
  enum class TTipo { Nulo, Inteiro, Real, Texto, Data, DataHora };

  TValor() = default;                                   // null
  TValor(int v) : FTipo(TTipo::Inteiro), FDado(int64_t{v}) {}
  TValor(int64_t v) : FTipo(TTipo::Inteiro), FDado(v) {}
  TValor(double v) : FTipo(TTipo::Real), FDado(v) {}
  TValor(std::string v) : FTipo(TTipo::Texto), FDado(std::move(v)) {}
  TValor(const char* v) : TValor(std::string(v)) {}
  static TValor Nulo() { return {}; }
  static TValor Data(TDateTime d) { return TValor(TTipo::Data, d); }       // date only
  static TValor DataHora(TDateTime d) { return TValor(TTipo::DataHora, d); } // keeps the time

  TTipo Tipo() const { return FTipo; }                 // kind of value held
  bool IsNull() const { return FTipo == TTipo::Nulo; }  // true for the null value
  int64_t AsInteger() const;                            // integer view (texts parsed, reals truncated)
  double AsFloat() const;                               // numeric view; dates as day counts
  TDateTime AsDateTime() const;                         // date view; texts parsed as DD/MM/YYYY
  std::string AsString() const;                         // display text; null is empty

 private:
  TValor(TTipo t, double d) : FTipo(t), FDado(d) {}
  TTipo FTipo = TTipo::Nulo;
  std::variant<std::monostate, int64_t, double, std::string> FDado;
};
