// Simulated wall-clock times for tests.
#pragma once

#include "platform/types.h"

// The SYSTEMTIME of the given fields; the day of the week is 0 (Sunday) unless given.
inline SYSTEMTIME SimTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                          int ms = 0, int dayOfWeek = 0) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  st.wMilliseconds = static_cast<WORD>(ms);
  st.wDayOfWeek = static_cast<WORD>(dayOfWeek);
  return st;
}
