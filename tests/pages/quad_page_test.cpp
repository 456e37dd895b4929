// The quadratic equation page: A never 0, the ranges of the coefficients, the
// amplification held while typed, and the round trip.
#include "pages/quad_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using Q = CQUAD;

TEST(QuadPage, AmplificationTextRules) {
  struct Row {
    const char16_t* typed;
    const char16_t* kept;
  };
  const Row rows[] = {{u"1.5", u"1.5"}, {u"1.567", u"1.56"}, {u"123456", u"12345"}, {u"-3", u"-3"},
                      {u"3-", u"3"},    {u"1.2.3", u"1.23"}, {u"a1b", u"1"},        {u"", u""}};
  for (const Row& r : rows) EXPECT_EQ(Q::FilterAmp(r.typed), CString(r.kept)) << CString(r.typed).ToUtf8();
  EXPECT_EQ(Q::FormatAmp(1.53), CString(u"1.53"));
  EXPECT_EQ(Q::FormatAmp(1.5), CString(u"1.5"));
  EXPECT_EQ(Q::FormatAmp(10000), CString(u"10000"));
  EXPECT_EQ(Q::FormatAmp(-0.001), CString(u"0"));
}

TEST(QuadPage, TypingHoldsTheAmplification) {
  CDiagramBuilder d;
  PageHarness<Q> h(&d.Doc());
  h.Open();
  EXPECT_EQ(h.host->GetText(Q::kIdAmp), CString(u"1"));
  EXPECT_EQ(h.host->GetTip(Q::kIdAmp), CString(u"Number between -10000.00 and 10000.00"));
  EXPECT_EQ(h.host->GetTip(Q::kIdB), CString(u"Number between -32767 and 32767"));
  h.host->Type(Q::kIdAmp, u"1.5");
  h.host->Spin(Q::kIdAmpSpin, 3);
  EXPECT_EQ(h.host->GetText(Q::kIdAmp), CString(u"1.53"));
  h.host->Type(Q::kIdAmp, u"9999.99");
  h.host->Spin(Q::kIdAmpSpin, 5);
  EXPECT_EQ(h.host->GetText(Q::kIdAmp), CString(u"10000"));
  h.host->Type(Q::kIdAmp, u"12000");
  EXPECT_EQ(h.host->GetText(Q::kIdAmp), CString(u"10000"));
  h.host->Type(Q::kIdAmp, u"-12000.5");
  EXPECT_EQ(h.host->GetText(Q::kIdAmp), CString(u"-10000"));
}

TEST(QuadPage, RefusedValues) {
  struct Row {
    int id;
    const char16_t* text;
    const char16_t* message;
  };
  const Row rows[] = {
      {Q::kIdA, u"0", u"Please enter a integer except 0"},
      {Q::kIdA, u"40000", u"Please enter an integer between -32767 and 32767."},
      {Q::kIdB, u"-32768", u"Please enter an integer between -32767 and 32767."},
      {Q::kIdC, u"", u"Please enter an integer."},
      {Q::kIdAmp, u"", u"Number between -10000.00 and 10000.00"},
      {Q::kIdAmp, u"-", u"Number between -10000.00 and 10000.00"},
  };
  for (const Row& r : rows) {
    CDiagramBuilder d;
    PageHarness<Q> h(&d.Doc());
    h.Open();
    h.host->SetText(r.id, r.text);
    EXPECT_FALSE(h.page.UpdateData(true)) << r.id;
    ASSERT_FALSE(h.sink.texts().empty());
    EXPECT_EQ(h.sink.texts().back(), CString(r.message)) << r.id;
    EXPECT_EQ(h.host->GetFocus(), r.id);
  }
}

TEST(QuadPage, RoundTrip) {
  CDiagramBuilder d;
  CBlockObj* quad = d.Add(879);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Type(Q::kIdA, u"-3");
    host.Type(Q::kIdB, u"32767");
    host.Type(Q::kIdC, u"-32767");
    host.Type(Q::kIdAmp, u"2.25");
    host.Choose(Q::kIdDirection, 1);
    host.Click(Q::kIdProtection);
  };
  ASSERT_TRUE(command.Run(quad, false, runner));
  EXPECT_EQ(quad->m_nParam10, -3);
  EXPECT_EQ(quad->m_nParam15, 32767);
  EXPECT_EQ(quad->m_nParam20, -32767);
  EXPECT_DOUBLE_EQ(quad->m_dParam, 2.25);
  EXPECT_EQ(quad->m_nParam11, 1);
  EXPECT_EQ(quad->m_nParam2, 1);
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetText(Q::kIdA), CString(u"-3"));
    EXPECT_EQ(host.GetText(Q::kIdAmp), CString(u"2.25"));
    EXPECT_EQ(host.GetCurSel(Q::kIdDirection), 1);
  };
  ASSERT_TRUE(command.Run(quad, false, runner));
}

}  // namespace
