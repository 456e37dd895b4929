// The descriptors of the block kinds: every kind the program can build or
// offer has one, and what the other subsystems ask of it is there.
#include <gtest/gtest.h>

#include "blocks/block_factory.h"
#include "model/block_codes.h"
#include "model/block_kind.h"
#include "model/block_obj.h"
#include "model/toolbox_lists.h"
#include "platform/recording_dc.h"

namespace {

TEST(BlockKindsTest, EveryKindWithAClassOfItsOwnHasADescriptor) {
  int kinds = 0;
  for (int type = 0; type <= kLastTypeCode; ++type) {
    if (ClassOfBlockType(type) == RUNTIME_CLASS(CBlockObj)) continue;
    ++kinds;
    const BlockKind* kind = FindBlockKind(type);
    ASSERT_NE(kind, nullptr) << type;
    EXPECT_EQ(kind->type, type);
  }
  EXPECT_GE(kinds, 110);
  // A code without a kind gets the empty descriptor.
  EXPECT_EQ(FindBlockKind(555), nullptr);
  EXPECT_EQ(BlockKindOf(555).page, PageFamily::kNone);
  EXPECT_EQ(BlockKindOf(555).paletteIcon, nullptr);
}

TEST(BlockKindsTest, EveryPaletteEntryDrawsAPictogramInsideItsColumn) {
  BuildToolboxLists();
  for (bool ladder : {false, true})
    for (int series : {0x11, 0x21, 0x51, 0x52})
      for (int category = PALETTE_BASIC; category <= PALETTE_DATALOG; ++category)
        for (UINT type : PaletteEntries(category, series, ladder)) {
          const BlockKind& kind = BlockKindOf(static_cast<int>(type));
          ASSERT_NE(kind.paletteIcon, nullptr) << type;
          const CRect box(10, 15, 35, 51);
          CRecordingDC dc;
          kind.paletteIcon(&dc, box);
          EXPECT_FALSE(dc.Calls().empty()) << type;
          for (const DCCall& call : dc.Calls())
            for (const CPoint& p : call.points) {
              EXPECT_GE(p.x, box.left) << type;
              EXPECT_LE(p.x, box.right + 1) << type;
            }
        }
}

TEST(BlockKindsTest, TheMessageTextRegistersItsOwnKind) {
  const BlockKind* text = FindBlockKind(kTypeMessageText);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->page, PageFamily::kMsgText);
  EXPECT_NE(text->create, nullptr);
  EXPECT_NE(text->paletteIcon, nullptr);
  std::unique_ptr<CBlockObj> block = MakeBlockOfType(kTypeMessageText);
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block->GetRuntimeClass()->m_lpszClassName, "CBlockMSGTEXT");
}

}  // namespace
