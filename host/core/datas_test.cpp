// Calendar arithmetic: month ends, leap years, adding and counting months.
#include "host/core/datas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TDateTime D(int a, int m, int d) { return EncodeDate(a, m, d); }

TEST(Datas, DayZeroAndRoundTrip) {
  EXPECT_EQ(D(1899, 12, 30), 0);
  EXPECT_EQ(D(2024, 1, 1), 45292);
  int a, m, d;
  DecodeDate(45352.75, a, m, d);
  EXPECT_EQ((std::vector<int>{a, m, d}), (std::vector<int>{2024, 3, 1}));
  EXPECT_THROW(EncodeDate(2023, 2, 29), std::invalid_argument);
  TDateTime x;
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, x));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, x));
}

TEST(Datas, MonthBoundaries) {
  struct Caso { TDateTime d; TDateTime inicio; int ultimoDia; } casos[] = {
      {D(2024, 2, 15), D(2024, 2, 1), 29}, {D(2023, 2, 15), D(2023, 2, 1), 28},
      {D(1900, 2, 1), D(1900, 2, 1), 28},  {D(2000, 2, 29), D(2000, 2, 1), 29},
      {D(2024, 12, 31) + 0.5, D(2024, 12, 1), 31},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(StartOfTheMonth(c.d), c.inicio);
    TDateTime fim = EndOfTheMonth(c.d);
    EXPECT_EQ(DayOf(fim), c.ultimoDia);
    int h, m, s, ms;
    DecodeTime(fim, h, m, s, ms);
    EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{23, 59, 59, 999}));
    EXPECT_LT(fim, StartOfTheMonth(c.d + 40));
  }
}

TEST(Datas, IncMonthClipsTheDayAndKeepsTheTime) {
  struct Caso { TDateTime d; int meses; TDateTime esperado; } casos[] = {
      {D(2024, 1, 31), 1, D(2024, 2, 29)}, {D(2023, 1, 31), 1, D(2023, 2, 28)},
      {D(2024, 3, 31), -1, D(2024, 2, 29)}, {D(2024, 5, 31), 1, D(2024, 6, 30)},
      {D(2024, 12, 15), 1, D(2025, 1, 15)}, {D(2024, 1, 15), -13, D(2022, 12, 15)},
      {D(2024, 2, 29), 12, D(2025, 2, 28)}, {D(2024, 1, 31) + 0.25, 1, D(2024, 2, 29) + 0.25},
  };
  for (const auto& c : casos) EXPECT_EQ(IncMonth(c.d, c.meses), c.esperado) << c.d << " " << c.meses;
  // Stepping month by month from the 31st clips once and stays clipped.
  TDateTime cursor = D(2024, 1, 31);
  cursor = IncMonth(IncMonth(cursor, 1), 1);
  EXPECT_EQ(cursor, D(2024, 3, 29));
}

TEST(Datas, MonthsBetweenCountsCalendarMonthsBothEnds) {
  struct Caso { TDateTime a, b; int meses; } casos[] = {
      {D(2024, 1, 31), D(2024, 1, 1), 1},  {D(2024, 1, 31), D(2024, 2, 1), 2},
      {D(2024, 1, 1), D(2024, 12, 31), 12}, {D(2023, 11, 15), D(2024, 2, 10), 4},
      {D(2024, 3, 1), D(2024, 2, 28), 0},  {D(2024, 5, 1), D(2023, 1, 1), 0},
  };
  for (const auto& c : casos) EXPECT_EQ(MonthsBetween(c.a, c.b), c.meses) << c.a << " " << c.b;
}

TEST(Datas, WholeMonthsBetweenIsTheApproximateCount) {
  // Callers take the date part of the month's last instant: 365 days are 11 months, 366 would be 12.
  EXPECT_EQ(WholeMonthsBetween(D(2024, 1, 1), DateOf(EndOfTheMonth(D(2024, 12, 1)))), 11);
  EXPECT_EQ(WholeMonthsBetween(D(2024, 1, 1), EndOfTheMonth(D(2024, 12, 1))), 12);
  EXPECT_EQ(WholeMonthsBetween(D(2024, 1, 1), DateOf(EndOfTheMonth(D(2024, 1, 1)))), 0);
  EXPECT_EQ(WholeMonthsBetween(D(2024, 1, 1), D(2024, 3, 1)), 1);  // 60 days / 30.4375
  EXPECT_EQ(WholeMonthsBetween(D(2024, 3, 1), D(2024, 1, 1)), 1);  // absolute
}

}  // namespace
