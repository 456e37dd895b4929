#include "platform/ms_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

#include "support/sim_time.h"

namespace {

TEST(MsClockTest, SystemTimeToMs) {
  struct Case {
    SYSTEMTIME st;
    LONGLONG ms;
  } cases[] = {
      {SimTime(1970, 1, 1, 0, 0, 0, 1), 1},
      {SimTime(2000, 1, 1, 0, 0, 0, 0), 946684800000LL},
      {SimTime(2009, 2, 13, 23, 31, 30, 0), 1234567890000LL},
      {SimTime(2100, 3, 1, 0, 0, 0, 0), 4107542400000LL},
      // Before 1970: the -1 of MakeUtcTime times 1000, plus the milliseconds.
      {SimTime(1969, 12, 31, 23, 59, 59, 500), -500},
      {SimTime(1969, 6, 1, 0, 0, 0, 0), -1000},
      // Out-of-range fields carry: 2008-12-32 is 2009-01-01.
      {SimTime(2008, 12, 32, 0, 0, 0, 0), 1230768000000LL},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SystemTimeToMs(&c.st), c.ms) << c.st.wYear << "-" << c.st.wMonth << "-" << c.st.wDay;
  }
  EXPECT_EQ(SystemTimeToMs(nullptr), -1);
}

TEST(MsClockTest, AddMsToSystemTimeCarriesEveryField) {
  struct Case {
    SYSTEMTIME in;
    int ms;
    SYSTEMTIME out;  // including the recomputed day of the week
  } cases[] = {
      {SimTime(2008, 12, 31, 23, 59, 59, 990), 25, SimTime(2009, 1, 1, 0, 0, 0, 15, 4)},
      {SimTime(2008, 3, 1, 0, 0, 0, 0), -1000, SimTime(2008, 2, 29, 23, 59, 59, 0, 5)},
      {SimTime(2008, 3, 1, 0, 0, 0, 0), -2000, SimTime(2008, 2, 29, 23, 59, 58, 0, 5)},
      {SimTime(2100, 2, 28, 0, 0, 0, 0), 86400000, SimTime(2100, 3, 1, 0, 0, 0, 0, 1)},
      {SimTime(2000, 1, 1, 0, 0, 0, 0), 0, SimTime(2000, 1, 1, 0, 0, 0, 0, 6)},
      // The extremes of ms: the millisecond sum must not overflow.
      {SimTime(2000, 1, 1, 0, 0, 0, 999), INT_MAX, SimTime(2000, 1, 25, 20, 31, 24, 646, 2)},
      {SimTime(2000, 1, 1, 0, 0, 0, 0), INT_MIN, SimTime(1999, 12, 7, 3, 28, 36, 352, 2)},
      // A carry back into 1969 still gets its day of the week.
      {SimTime(1970, 1, 1, 0, 0, 0, 0), -1, SimTime(1969, 12, 31, 23, 59, 59, 999, 3)},
  };
  for (const Case& c : cases) {
    SYSTEMTIME out;
    AddMsToSystemTime(&c.in, c.ms, &out);
    EXPECT_EQ(out, c.out) << c.in.wYear << "-" << c.in.wMonth << "-" << c.in.wDay << " + " << c.ms << " -> "
                          << out.wYear << "-" << out.wMonth << "-" << out.wDay << " " << out.wHour << ":"
                          << out.wMinute << ":" << out.wSecond << "." << out.wMilliseconds << " dow "
                          << out.wDayOfWeek;
  }
  // In place, and null arguments are ignored.
  SYSTEMTIME st = SimTime(2008, 12, 31, 23, 59, 59, 990);
  AddMsToSystemTime(&st, 25, &st);
  EXPECT_EQ(st, SimTime(2009, 1, 1, 0, 0, 0, 15, 4));
  AddMsToSystemTime(nullptr, 25, &st);
  AddMsToSystemTime(&st, 25, nullptr);
  EXPECT_EQ(st, SimTime(2009, 1, 1, 0, 0, 0, 15, 4));
}

TEST(MsClockTest, NormalizeFieldIsFloorDivision) {
  struct Case {
    int high, low, radix, wantHigh, wantLow;
  } cases[] = {
      {5, -130, 60, 2, 50},
      {5, 130, 60, 7, 10},
      {5, 59, 60, 5, 59},
      {5, -1, 60, 4, 59},
      {0, 0, 24, 0, 0},
      {3, 7, 0, 3, 7},
      {3, 7, -5, 3, 7},
      {1, 1999, 1000, 2, 999},
      {INT_MAX, 120, 60, INT_MAX, 0},  // saturates rather than overflow
  };
  for (const Case& c : cases) {
    int high = c.high, low = c.low;
    NormalizeField(&high, &low, c.radix);
    EXPECT_EQ(high, c.wantHigh) << c.high << " " << c.low << " " << c.radix;
    EXPECT_EQ(low, c.wantLow) << c.high << " " << c.low << " " << c.radix;
  }
  NormalizeField(nullptr, nullptr, 60);  // no crash
}

TEST(MsClockTest, MakeUtcTimeNormalisesFields) {
  struct tm tm = {};
  tm.tm_year = 109;  // 2009
  tm.tm_mon = 0;
  tm.tm_mday = 32;
  EXPECT_EQ(MakeUtcTime(&tm), 1233446400LL);
  EXPECT_EQ(tm.tm_mon, 1);
  EXPECT_EQ(tm.tm_mday, 1);
  EXPECT_EQ(tm.tm_yday, 31);
  EXPECT_EQ(tm.tm_wday, 0);

  // A huge day count is carried quickly and exactly.
  tm = {};
  tm.tm_year = 70;
  tm.tm_mday = INT_MAX;
  EXPECT_EQ(MakeUtcTime(&tm), (static_cast<LONGLONG>(INT_MAX) - 1) * 86400);
  tm = {};
  tm.tm_year = 70;
  tm.tm_mday = INT_MIN;
  EXPECT_EQ(MakeUtcTime(&tm), -1);

  // A year that no longer fits tm_year after the month carry.
  tm = {};
  tm.tm_year = INT_MAX;
  tm.tm_mon = 12;
  tm.tm_mday = 1;
  EXPECT_EQ(MakeUtcTime(&tm), -1);
  EXPECT_EQ(MakeUtcTime(nullptr), -1);
}

// Every combination of out-of-range fields agrees with the C library's pure
// UTC conversion (timegm) from 1970 on.
TEST(MsClockTest, MakeUtcTimeAgreesWithTimegm) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> field(-5000, 5000);
  std::uniform_int_distribution<int> year(75, 400);
  for (int i = 0; i < 5000; ++i) {
    struct tm a = {};
    a.tm_sec = field(rng);
    a.tm_min = field(rng);
    a.tm_hour = field(rng) / 10;
    a.tm_mday = field(rng) / 10;
    a.tm_mon = field(rng) / 100;
    a.tm_year = year(rng);
    struct tm b = a;
    const LONGLONG got = MakeUtcTime(&a);
    const time_t want = timegm(&b);
    ASSERT_EQ(got, static_cast<LONGLONG>(want)) << i;
    ASSERT_EQ(a.tm_year, b.tm_year);
    ASSERT_EQ(a.tm_mon, b.tm_mon);
    ASSERT_EQ(a.tm_mday, b.tm_mday);
    ASSERT_EQ(a.tm_yday, b.tm_yday);
    ASSERT_EQ(a.tm_wday, b.tm_wday);
  }
}

TEST(MsClockTest, FieldCopies) {
  const SYSTEMTIME st = SimTime(2024, 2, 29, 13, 14, 15, 678, 4);
  struct tm tm = {};
  ASSERT_TRUE(SystemTimeToTm(&st, &tm));
  EXPECT_EQ(tm.tm_year, 124);
  EXPECT_EQ(tm.tm_mon, 1);
  EXPECT_EQ(tm.tm_mday, 29);
  EXPECT_EQ(tm.tm_wday, 4);
  EXPECT_EQ(tm.tm_isdst, -1);
  SYSTEMTIME back;
  ASSERT_TRUE(TmToSystemTime(&tm, &back));
  EXPECT_EQ(back, SimTime(2024, 2, 29, 13, 14, 15, 0, 4));  // milliseconds are not in tm
  EXPECT_FALSE(SystemTimeToTm(&st, nullptr));
  EXPECT_FALSE(SystemTimeToTm(nullptr, &tm));
  EXPECT_FALSE(TmToSystemTime(nullptr, &back));
  EXPECT_FALSE(TmToSystemTime(&tm, nullptr));
}

TEST(MsClockTest, WaitMsUsesTheSteadyClock) {
  using std::chrono::steady_clock;
  auto t0 = steady_clock::now();
  WaitMs(0);
  WaitMs(-50);
  EXPECT_LT(steady_clock::now() - t0, std::chrono::milliseconds(20));
  t0 = steady_clock::now();
  WaitMs(30);
  EXPECT_GE(steady_clock::now() - t0, std::chrono::milliseconds(30));
}

TEST(MsClockTest, GetLocalTimeIsPlausible) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_GE(st.wYear, 2020);
  EXPECT_GE(st.wMonth, 1);
  EXPECT_LE(st.wMonth, 12);
  EXPECT_LE(st.wDayOfWeek, 6);
  EXPECT_LT(st.wMilliseconds, 1000);
}

}  // namespace
