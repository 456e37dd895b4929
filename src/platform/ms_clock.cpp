#include "platform/ms_clock.h"

#include <chrono>
#include <climits>
#include <thread>

namespace {

constexpr long long kDaysPer400Years = 146097;

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if (a % b != 0 && ((a < 0) != (b < 0))) --q;
  return q;
}

// Moves whole multiples of radix from low into high (low ends in 0..radix-1).
void Carry(long long& high, long long& low, long long radix) {
  const long long q = FloorDiv(low, radix);
  high += q;
  low -= q * radix;
}

bool IsLeapYear(long long year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// month0: 0 = January.
int MonthLength(long long year, long long month0) {
  static constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month0 == 1 && IsLeapYear(year) ? 29 : kLength[month0];
}

// Leap years among 1..year of the proleptic Gregorian calendar (extended to
// negative years so that differences stay right).
long long LeapYearsThrough(long long year) {
  return FloorDiv(year, 4) - FloorDiv(year, 100) + FloorDiv(year, 400);
}

}  // namespace

void NormalizeField(int* high, int* low, int radix) {
  if (!high || !low || radix < 1) return;
  long long h = *high;
  long long l = *low;
  Carry(h, l, radix);
  *low = static_cast<int>(l);
  *high = static_cast<int>(h < INT_MIN ? INT_MIN : h > INT_MAX ? INT_MAX : h);
}

LONGLONG MakeUtcTime(struct tm* tm) {
  if (!tm) return -1;
  // All carries in 64 bits so that no field combination can overflow.
  long long sec = tm->tm_sec;
  long long min = tm->tm_min;
  long long hour = tm->tm_hour;
  long long mday = tm->tm_mday;
  long long mon = tm->tm_mon;
  long long year = static_cast<long long>(tm->tm_year) + 1900;
  Carry(min, sec, 60);
  Carry(hour, min, 60);
  Carry(mday, hour, 24);
  Carry(year, mon, 12);

  // Whole 400-year cycles first (each is exactly 146097 days from any month),
  // so the month-by-month walk below stays short for any day count.
  if (mday > kDaysPer400Years) {
    const long long k = (mday - 1) / kDaysPer400Years;
    mday -= k * kDaysPer400Years;
    year += 400 * k;
  } else if (mday < 1) {
    const long long k = (kDaysPer400Years - mday) / kDaysPer400Years;
    mday += k * kDaysPer400Years;
    year -= 400 * k;
  }
  while (mday < 1) {
    if (--mon < 0) {
      mon = 11;
      --year;
    }
    mday += MonthLength(year, mon);
  }
  while (mday > MonthLength(year, mon)) {
    mday -= MonthLength(year, mon);
    if (++mon > 11) {
      mon = 0;
      ++year;
    }
  }

  if (year - 1900 < INT_MIN || year - 1900 > INT_MAX) return -1;
  long long yday = mday - 1;
  for (int m = 0; m < mon; ++m) yday += MonthLength(year, m);
  const long long days = 365 * (year - 1970) + LeapYearsThrough(year - 1) - LeapYearsThrough(1969);

  tm->tm_sec = static_cast<int>(sec);
  tm->tm_min = static_cast<int>(min);
  tm->tm_hour = static_cast<int>(hour);
  tm->tm_mday = static_cast<int>(mday);
  tm->tm_mon = static_cast<int>(mon);
  tm->tm_year = static_cast<int>(year - 1900);
  tm->tm_yday = static_cast<int>(yday);
  // 1970-01-01 was a Thursday; computed for every year so that a carry into
  // a year before 1970 still gets its right day of the week.
  tm->tm_wday = static_cast<int>(days + yday + 4 - 7 * FloorDiv(days + yday + 4, 7));

  if (year < 1970) return -1;
  return (days + yday) * 86400 + hour * 3600 + min * 60 + sec;
}

BOOL SystemTimeToTm(const SYSTEMTIME* st, struct tm* tm) {
  if (!st || !tm) return FALSE;
  tm->tm_sec = st->wSecond;
  tm->tm_min = st->wMinute;
  tm->tm_hour = st->wHour;
  tm->tm_mday = st->wDay;
  tm->tm_wday = st->wDayOfWeek;
  tm->tm_mon = st->wMonth - 1;
  tm->tm_year = st->wYear - 1900;
  tm->tm_isdst = -1;
  return TRUE;
}

BOOL TmToSystemTime(const struct tm* tm, SYSTEMTIME* st) {
  if (!tm || !st) return FALSE;
  st->wYear = static_cast<WORD>(tm->tm_year + 1900);
  st->wMonth = static_cast<WORD>(tm->tm_mon + 1);
  st->wDayOfWeek = static_cast<WORD>(tm->tm_wday);
  st->wDay = static_cast<WORD>(tm->tm_mday);
  st->wHour = static_cast<WORD>(tm->tm_hour);
  st->wMinute = static_cast<WORD>(tm->tm_min);
  st->wSecond = static_cast<WORD>(tm->tm_sec);
  st->wMilliseconds = 0;
  return TRUE;
}

LONGLONG SystemTimeToMs(const SYSTEMTIME* st) {
  struct tm tm = {};
  if (!SystemTimeToTm(st, &tm)) return -1;
  return MakeUtcTime(&tm) * 1000 + st->wMilliseconds;
}

void AddMsToSystemTime(const SYSTEMTIME* in, int ms, SYSTEMTIME* out) {
  struct tm tm = {};
  if (!out || !SystemTimeToTm(in, &tm)) return;
  // 64 bits: ms + wMilliseconds must not overflow for ms near INT_MAX.
  long long total = static_cast<long long>(ms) + in->wMilliseconds;
  long long sec = tm.tm_sec;
  Carry(sec, total, 1000);
  tm.tm_sec = static_cast<int>(sec);  // |sec| <= 65535 + 2^31 / 1000
  MakeUtcTime(&tm);
  TmToSystemTime(&tm, out);
  out->wMilliseconds = static_cast<WORD>(total);
}

void WaitMs(int ms) {
  if (ms <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_until(deadline);
}

void GetLocalTime(SYSTEMTIME* st) {
  if (!st) return;
  struct timespec ts = {};
  clock_gettime(CLOCK_REALTIME, &ts);
  struct tm tm = {};
  localtime_r(&ts.tv_sec, &tm);
  TmToSystemTime(&tm, st);
  st->wMilliseconds = static_cast<WORD>(ts.tv_nsec / 1000000);
}
