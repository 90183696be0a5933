#pragma once
// Calendar arithmetic on TDateTime day counts. Texts of dates are formato.h's.

// Days since 30/12/1899, time of day as the fraction; 0 is "no date".
using TDateTime = double;

TDateTime EncodeDate(int ano, int mes, int dia);                 // throws on an invalid date
TDateTime EncodeDateTime(int ano, int mes, int dia, int h, int m, int s, int ms);
void DecodeDate(TDateTime d, int& ano, int& mes, int& dia);       // calendar parts of d
void DecodeTime(TDateTime d, int& h, int& m, int& s, int& ms);    // time-of-day parts of d
bool TryEncodeDate(int ano, int mes, int dia, TDateTime& d);     // false on an invalid date
TDateTime StartOfTheMonth(TDateTime d);                          // day 1 of d's month
TDateTime EndOfTheMonth(TDateTime d);                            // last day of d's month, 23:59:59.999
TDateTime IncMonth(TDateTime d, int meses);                      // adds months, clipping the day
int DaysInMonth(int ano, int mes);                               // 28..31
bool IsLeapYear(int ano);                                        // Gregorian rule
TDateTime DateOf(TDateTime d);                                   // drops the time of day
int MonthsBetween(TDateTime inicial, TDateTime final_);          // calendar months, both ends counted; 0 when final_'s month is earlier
int WholeMonthsBetween(TDateTime a, TDateTime b);                // |b - a| days / 30.4375, truncated
int YearOf(TDateTime d);                                         // calendar year of d
int MonthOf(TDateTime d);                                        // 1..12
int DayOf(TDateTime d);                                          // 1..31
TDateTime Today();                                               // the current date
TDateTime Now();                                                 // the current date and time
