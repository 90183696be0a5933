#include "host/core/datas.h"

#include <chrono>
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <stdexcept>


namespace {

constexpr int64_t kMsPorDia = 86400000;
// Day 0 of TDateTime (30/12/1899) counted from 01/01/1970.
constexpr int64_t kDia0Unix = -25569;

// Days from 01/01/1970 to a civil date and back (proleptic Gregorian).
int64_t DiasDeCivil(int64_t a, unsigned m, unsigned d) {
  a -= m <= 2;
  const int64_t era = (a >= 0 ? a : a - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(a - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilDeDias(int64_t z, int& a, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  a = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

// Whole day and time-of-day milliseconds; like the platform, a negative
// date keeps a positive time of day.
void Partes(TDateTime d, int64_t& dia, int64_t& ms) {
  double inteiro;
  double fracao = std::modf(d, &inteiro);
  dia = static_cast<int64_t>(inteiro);
  ms = std::llround(std::fabs(fracao) * kMsPorDia);
  if (ms >= kMsPorDia) ms = kMsPorDia - 1;  // 23:59:59.9999 stays on its day
}

}  // namespace

bool IsLeapYear(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }

int DaysInMonth(int ano, int mes) {
  static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mes < 1 || mes > 12) return 0;
  return mes == 2 && IsLeapYear(ano) ? 29 : dias[mes - 1];
}

bool TryEncodeDate(int ano, int mes, int dia, TDateTime& d) {
  if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1 || dia > DaysInMonth(ano, mes)) return false;
  d = static_cast<double>(DiasDeCivil(ano, static_cast<unsigned>(mes), static_cast<unsigned>(dia)) - kDia0Unix);
  return true;
}

TDateTime EncodeDate(int ano, int mes, int dia) {
  TDateTime d;
  if (!TryEncodeDate(ano, mes, dia, d)) {
    char b[64];
    std::snprintf(b, sizeof b, "Data inválida: %02d/%02d/%04d.", dia, mes, ano);
    throw std::invalid_argument(b);
  }
  return d;
}

TDateTime EncodeDateTime(int ano, int mes, int dia, int h, int m, int s, int ms) {
  if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
    throw std::invalid_argument("Hora inválida.");
  double fracao = ((h * 3600.0 + m * 60.0 + s) * 1000.0 + ms) / kMsPorDia;
  TDateTime d = EncodeDate(ano, mes, dia);
  return d >= 0 ? d + fracao : d - fracao;
}

void DecodeDate(TDateTime d, int& ano, int& mes, int& dia) {
  int64_t diaInteiro, ms;
  Partes(d, diaInteiro, ms);
  CivilDeDias(diaInteiro + kDia0Unix, ano, mes, dia);
}

void DecodeTime(TDateTime d, int& h, int& m, int& s, int& ms) {
  int64_t dia, t;
  Partes(d, dia, t);
  h = static_cast<int>(t / 3600000);
  m = static_cast<int>(t / 60000 % 60);
  s = static_cast<int>(t / 1000 % 60);
  ms = static_cast<int>(t % 1000);
}

int YearOf(TDateTime d) { int a, m, dd; DecodeDate(d, a, m, dd); return a; }
int MonthOf(TDateTime d) { int a, m, dd; DecodeDate(d, a, m, dd); return m; }
int DayOf(TDateTime d) { int a, m, dd; DecodeDate(d, a, m, dd); return dd; }

TDateTime DateOf(TDateTime d) { return std::trunc(d); }

TDateTime StartOfTheMonth(TDateTime d) {
  int a, m, dd;
  DecodeDate(d, a, m, dd);
  return EncodeDate(a, m, 1);
}

TDateTime EndOfTheMonth(TDateTime d) {
  int a, m, dd;
  DecodeDate(d, a, m, dd);
  return EncodeDateTime(a, m, DaysInMonth(a, m), 23, 59, 59, 999);
}

TDateTime IncMonth(TDateTime d, int meses) {
  int a, m, dd;
  DecodeDate(d, a, m, dd);
  int total = a * 12 + (m - 1) + meses;
  int na = total / 12, nm = total % 12 + 1;
  if (total < 0) {  // only reachable far before year 1; keep it well defined
    na = (total - 11) / 12;
    nm = total - na * 12 + 1;
  }
  int h, mi, s, ms;
  DecodeTime(d, h, mi, s, ms);
  return EncodeDateTime(na, nm, std::min(dd, DaysInMonth(na, nm)), h, mi, s, ms);
}

int MonthsBetween(TDateTime inicial, TDateTime final_) {
  int a1, m1, d1, a2, m2, d2;
  DecodeDate(inicial, a1, m1, d1);
  DecodeDate(final_, a2, m2, d2);
  int meses = (a2 * 12 + m2) - (a1 * 12 + m1) + 1;
  return meses < 0 ? 0 : meses;
}

int WholeMonthsBetween(TDateTime a, TDateTime b) {
  return static_cast<int>(std::trunc(std::fabs(b - a) / 30.4375));
}

TDateTime Now() {
  using namespace std::chrono;
  auto agora = system_clock::now();
  std::time_t t = system_clock::to_time_t(agora);
  std::tm local{};
  localtime_r(&t, &local);
  int ms = static_cast<int>(duration_cast<milliseconds>(agora.time_since_epoch()).count() % 1000);
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        std::min(local.tm_sec, 59), ms);
}

TDateTime Today() { return std::floor(Now()); }
