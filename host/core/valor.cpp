#include "host/core/valor.h"

#include <cmath>
#include <stdexcept>

#include "host/core/datas.h"
#include "host/core/formato.h"
#include "host/core/texto.h"

namespace {

// A real outside the 64-bit range (or NaN) has no integer view; converting it
// anyway is undefined behaviour, so it is reported instead.
int64_t TruncarParaInteiro(double v) {
  double t = std::trunc(v);
  if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0))
    throw std::out_of_range("O valor " + FloatToStr(v) + " não cabe em um inteiro.");
  return static_cast<int64_t>(t);
}

}  // namespace

int64_t TValor::AsInteger() const {
  switch (FTipo) {
    case TTipo::Nulo: return 0;
    case TTipo::Inteiro: return std::get<int64_t>(FDado);
    case TTipo::Texto: {
      const auto& t = std::get<std::string>(FDado);
      return Trim(t).empty() ? 0 : StrToInt64(t);
    }
    default: return TruncarParaInteiro(std::get<double>(FDado));
  }
}

double TValor::AsFloat() const {
  switch (FTipo) {
    case TTipo::Nulo: return 0;
    case TTipo::Inteiro: return static_cast<double>(std::get<int64_t>(FDado));
    case TTipo::Texto: {
      const auto& t = std::get<std::string>(FDado);
      return Trim(t).empty() ? 0 : StrToFloat(t);
    }
    default: return std::get<double>(FDado);
  }
}

TDateTime TValor::AsDateTime() const {
  if (FTipo == TTipo::Texto) {
    // A text that is not a date is an error, not silently "no date".
    const auto& t = std::get<std::string>(FDado);
    return Trim(t).empty() ? 0 : StrToDate(t);
  }
  return AsFloat();
}

std::string TValor::AsString() const {
  switch (FTipo) {
    case TTipo::Nulo: return {};
    case TTipo::Inteiro: return std::to_string(std::get<int64_t>(FDado));
    case TTipo::Real: return FloatToStr(std::get<double>(FDado));
    case TTipo::Texto: return std::get<std::string>(FDado);
    case TTipo::Data: return DateToStr(std::get<double>(FDado));
    case TTipo::DataHora: return DateTimeToStr(std::get<double>(FDado));
  }
  return {};
}
