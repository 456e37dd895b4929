// The hover texts of pins and bodies, keyed by exact type code.
#include "editor/pin_texts.h"

#include <gtest/gtest.h>

#include "blocks/block_factory.h"
#include "blocks/ladder_blocks.h"
#include "model/block_obj.h"
#include "support/diagram_builder.h"

namespace {

TEST(PinTextsTest, TitlesAndInputPinNamesByTypeCode) {
  CDiagramBuilder d;
  struct Case {
    int type;
    int pin;
    const char16_t* text;
  } cases[] = {
      {401, 1, u"R"},
      {401, kPinTextBody, u"Off-Delay(Trg,R,T)"},
      {401, kFirstOutputPin, u""},  // output pins have no text
      {401, 3, u""},                // beyond the type's pins
      {410, 1, u"No 2"},
      {300, 3, u"In4"},
      {605, 0, u"In"},
      {600, kPinTextBody, u"Input"},
      {879, 1, u"y"},
      {900, kPinTextBody, u""},  // connector halves have no row
      {901, 0, u""},
  };
  for (const Case& c : cases) {
    auto block = MakeBlockOfType(c.type);
    EXPECT_EQ(GetPinText(block.get(), c.pin), CString(c.text)) << c.type << " pin " << c.pin;
  }
  // Codes without a block type, which a row formula would map past its table, have no text.
  for (int type : {308, 599, 699, 799, 899, 950}) {
    CBlockObj plain;
    plain.m_nType = type;
    EXPECT_TRUE(GetPinText(&plain, kPinTextBody).IsEmpty()) << type;
  }
  // The ladder power bus is known by its class.
  CPowerBusObj bus;
  EXPECT_EQ(GetPinText(&bus, kPinTextBody), CString(u"Left Power Bus"));
  EXPECT_TRUE(GetPinText(&bus, 0).IsEmpty());
  EXPECT_TRUE(GetPinText(nullptr, 0).IsEmpty());
}

}  // namespace
