// Rules of the program properties pages: the password filters and change
// check, and the temperature clamps.
#include "properties/program_rules.h"

#include <gtest/gtest.h>

#include "properties/com_setting_page.h"

TEST(ProgramRules, FiltersCutAtTheFirstRefusedCharacter) {
  EXPECT_EQ(FirstNonCapital(u"ABC", false), std::nullopt);
  EXPECT_EQ(FirstNonCapital(u"aBC", false), 0);
  EXPECT_EQ(FirstNonCapital(u"AB1", false), 2);
  EXPECT_EQ(FirstNonCapital(u"AB1", true), std::nullopt);
  EXPECT_EQ(FirstNonCapital(u"AB-", true), 2);
  EXPECT_EQ(FirstNonCapital(u"", true), std::nullopt);
}

TEST(ProgramRules, PasswordChanges) {
  const struct {
    const char16_t *doc, *typed, *fresh, *repeat;
    UINT message;
    const char16_t* result;
  } cases[] = {
      {u"", u"", u"ABC", u"ABC", 0, u"ABC"},       // no password yet: set one
      {u"", u"", u"ABC", u"ABD", 608, u""},        // repeated differently
      {u"PW", u"", u"NEW", u"NEW", 609, u"PW"},    // current one not given
      {u"PW", u"PX", u"NEW", u"NEW", 609, u"PW"},  // current one wrong
      {u"PW", u"pw", u"", u"", 609, u"PW"},        // case-sensitive
      {u"PW", u"PW", u"", u"", 0, u""},            // the right one, no new: removed
      {u"PW", u"PW", u"NEW", u"NEW", 0, u"NEW"},   // changed
      {u"PW", u"", u"", u"", 0, u"PW"},            // untouched
      {u"PW", u"", u"", u"X", 608, u"PW"},         // only the repeat typed
  };
  for (const auto& c : cases) {
    const PasswordChange r = CheckPasswordChange(c.doc, c.typed, c.fresh, c.repeat);
    EXPECT_EQ(r.messageId, c.message) << CString(c.doc).GetLength() << " " << CString(c.typed).GetLength();
    EXPECT_EQ(r.password, CString(c.result));
  }
}

TEST(ProgramRules, ProtectTemperaturesClamp) {
  EXPECT_EQ(ClampProtectTemperature(40000), 32767);
  EXPECT_EQ(ClampProtectTemperature(-40000), -32768);
  EXPECT_EQ(ClampProtectTemperature(90), 90);
  EXPECT_EQ(ClampProtectTemperature(1LL << 40), 32767);
}

TEST(ComPortRules, ParityEntriesAndFields) {
  EXPECT_EQ(ComParityEntries(0).size(), 6u);
  EXPECT_EQ(ComParityEntries(2).size(), 6u);
  EXPECT_EQ(ComParityEntries(1).size(), 10u);
  EXPECT_TRUE(ComParityEntries(-1).empty());
  const struct {
    const char16_t* entry;
    int parity, data, stop;
  } cases[] = {{u"None,8,1", 0, 1, 0}, {u"Odd,7,2", 1, 0, 1}, {u"Even,8,2", 2, 1, 1}, {u"Even,7,1", 2, 0, 0}};
  for (const auto& c : cases) {
    ComPortSettings port;
    port.nParity = 9;
    ApplyParityEntry(c.entry, &port);
    EXPECT_EQ(port.nParity, c.parity);
    EXPECT_EQ(port.nDataBits, c.data);
    EXPECT_EQ(port.nStopBits, c.stop);
    EXPECT_EQ(ComParityText(port), CString(c.entry));
  }
  // A text that names nothing leaves the fields alone.
  ComPortSettings port;
  port.nParity = 2;
  ApplyParityEntry(u"x", &port);
  EXPECT_EQ(port.nParity, 2);
}

TEST(ComPortRules, NewerBaudRatesFallBackForAnOlderSeries) {
  for (int baud : {10, 11, 12}) {
    ComPortSettings port;
    port.nBaudRate = baud;
    EXPECT_EQ(ComPortForSeries(port, 0x21).nBaudRate, 3);
    EXPECT_EQ(ComPortForSeries(port, 0x51).nBaudRate, baud);
  }
  ComPortSettings port;
  port.nBaudRate = 9;
  EXPECT_EQ(ComPortForSeries(port, 0x11).nBaudRate, 9);
}
