// The millisecond clock: SYSTEMTIME to milliseconds since 1970 and back.
//
// Every time is treated as universal time: no time zone and no daylight-saving
// shift is applied, so sums and differences of simulated times are plain
// arithmetic. Nothing here touches process-wide time-zone settings, and the
// functions keep no state (safe on any thread).
#pragma once

#include <ctime>

#include "platform/types.h"

// Milliseconds since 1970-01-01 00:00:00.000. A time before 1970 gives
// -1000 + wMilliseconds (the -1 of MakeUtcTime in seconds); a null st gives -1.
LONGLONG SystemTimeToMs(const SYSTEMTIME* st);

// out = in + ms with all carries (ms may be negative); the day of the week of
// out is recomputed. Null arguments leave out untouched.
void AddMsToSystemTime(const SYSTEMTIME* in, int ms, SYSTEMTIME* out);

// Waits ms milliseconds measured on the steady clock (a step of the wall
// clock neither stretches nor cuts the wait). ms <= 0 returns at once.
void WaitMs(int ms);

// Normalises the fields of tm (seconds, minutes, hours, days, months carried
// into years; tm_yday and tm_wday recomputed) and returns the seconds since
// 1970. A normalised year before 1970, or one that no longer fits tm_year,
// gives -1. tm_isdst is not read. A null tm gives -1.
LONGLONG MakeUtcTime(struct tm* tm);

// Field copies; tm_isdst becomes -1, tm_yday is not set, wMilliseconds becomes 0.
// They return FALSE (and write nothing) when either pointer is null.
BOOL SystemTimeToTm(const SYSTEMTIME* st, struct tm* tm);
BOOL TmToSystemTime(const struct tm* tm, SYSTEMTIME* st);

// Carries *low into *high so that *low lies in 0..radix-1 and
// high * radix + low is unchanged (floor division). A radix below 1 changes
// nothing; a carry that would overflow *high saturates it.
void NormalizeField(int* high, int* low, int radix);

// The current local wall-clock time (the process's time zone as it is).
void GetLocalTime(SYSTEMTIME* st);
