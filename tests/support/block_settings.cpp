#include "support/block_settings.h"

#include <algorithm>
#include <memory>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/time_blocks.h"
#include "model/block_codes.h"
#include "model/model_table.h"
#include "model/toolbox_lists.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/param_display_width.h"
#include "msgtext/widget.h"

void SetNonDefaultParameters(CBlockObj& b, CBlockObj* partner, int variant) {
  int* const words[] = {
      &b.m_nParam1,  &b.m_nParam3,  &b.m_nParam4,  &b.m_nParam5,  &b.m_nParam6,  &b.m_nParam7,  &b.m_nParam8,
      &b.m_nParam9,  &b.m_nParam10, &b.m_nParam11, &b.m_nParam12, &b.m_nParam13, &b.m_nParam14, &b.m_nParam15,
      &b.m_nParam16, &b.m_nParam17, &b.m_nParam18, &b.m_nParam19, &b.m_nParam20, &b.m_nParam21, &b.m_nParam22,
      &b.m_nParam23, &b.m_nParam24, &b.m_nParam25, &b.m_nParam26, &b.m_nParam27, &b.m_nParam28};
  int n = 0;
  for (int* w : words) {
    *w = variant == 2 ? n % 3 : 1 + ((n + variant) % 2);
    ++n;
  }
  b.m_dParam = variant == 2 ? -12.75 : 2.5 + variant;
  b.m_strName = variant == 1 ? u"PUMP 2" : u"N1";
  if (b.m_nType != kTypeMessageText && b.m_nType != kTypeDataLog && partner != nullptr) {
    for (int k = 0; k < kRefCount; ++k) {
      // References 1, 3 and 4, or 2 alone; a reference out of use names no block.
      b.m_bUseRef[k] = variant == 1 ? k == 1 : k != 1;
      b.m_pRef[k] = b.m_bUseRef[k] != 0 ? partner : nullptr;
    }
  }
  if (auto* a = dynamic_cast<CBlockAnalog*>(&b)) {
    a->m_nSensor = 1 + variant;
    a->m_dGain = variant == 2 ? 9.99 : 2.5 - variant;
    a->m_nOffset = variant == 2 ? -9999 : -500 + 700 * variant;
    a->m_nThreshold1 = variant == 2 ? -1234 : 300 - 50 * variant;
    a->m_nThreshold2 = variant == 2 ? 32000 : 200 + 250 * variant;
    a->m_nPoint = 2 + (variant == 1 ? 1 : 0) - (variant == 2 ? 2 : 0);
    a->m_nOption1 = variant == 1 ? 0 : 1;
    a->m_nOption2 = variant;
    a->m_nOption3 = variant == 1 ? 0 : 1;
    a->m_dKc = 1.25 + variant;
    a->m_nOption4 = variant;
    a->m_nTiMinutes = 2 + 50 * (variant == 2);
    a->m_nTiSeconds = 15 + variant;
    a->m_nSelect = variant == 1 ? 0 : 1;
  }
  if (auto* mr = dynamic_cast<CBlockMR*>(&b)) {
    mr->m_bySlaveAddress = static_cast<BYTE>(7 + variant * 100);
    mr->m_byCommand = static_cast<BYTE>(1 + variant);
    mr->m_byFunction = static_cast<BYTE>(variant == 1 ? 6 : 3);
    mr->m_nPort = 1 + (variant == 1);
    mr->m_wRegister = static_cast<WORD>(100 + variant * 999);
    mr->m_wCount = static_cast<WORD>(2 + variant);
    mr->m_wDataAddress = static_cast<WORD>(5 + variant * 40);
  }
  if (auto* wifi = dynamic_cast<CBlockWIFI*>(&b)) {
    wifi->m_nWifiSource = variant == 1 ? 2 : 1;
    wifi->m_nWifiId = 2 + variant;
    wifi->m_nWifiBlockType = variant == 1 ? 0 : 1;
    wifi->m_nWifiBlockNumber = 3 + variant * 5;
  }
  if (auto* t = dynamic_cast<CBlockTime*>(&b)) {
    const int cam = variant == 1 ? 2 : 0;
    t->m_nCamDays[cam][1] = t->m_nCamDays[cam][3] = 1;
    t->m_nCamDays[cam][6] = variant == 2;
    t->m_nCamOn[cam][0] = 6 + variant, t->m_nCamOn[cam][1] = 30 - variant, t->m_bCamOnUnset[cam] = 0;
    t->m_nCamOff[cam][0] = 18 + variant, t->m_nCamOff[cam][1] = 45 + variant, t->m_bCamOffUnset[cam] = 0;
  }
  if (auto* text = dynamic_cast<CBlockMSGTEXT*>(&b)) {
    text->m_nParam1 = 0;  // a message text's pending acknowledgement exists only while simulating
    text->m_strTextSet1[1][1] = u"P";
    text->m_strTextSet1[1][2] = variant == 1 ? u" " : u"1";
    text->m_strTextSet1[1][3] = u"2";
    if (partner != nullptr) {
      // The partner's second display value, as wide as the display shows it.
      const MsgParamRow* row = FindMsgParamRow(partner->m_nType);
      const int param = row != nullptr && row->display.size() > 1 ? row->display[1] : -1;
      auto e = std::make_unique<CWidget>();
      e->m_nRow = 2, e->m_nCol = 1 + variant, e->m_nKind = 1;
      e->m_nParam = param;
      e->m_nWidth = std::max(GetParamDisplayWidth(param), 1);
      e->m_pBlock = partner;
      e->m_nNumber = partner->m_nNumber;
      text->m_ElementsSet1[1].push_back(std::move(e));
    }
  }
  if (auto* log = dynamic_cast<CBlockDataLog*>(&b)) {
    log->m_nParam2 = 1;
    log->m_items.push_back(DataLogItem{u"x", u"", 140 + variant, 0});
    if (partner != nullptr) log->m_items.push_back(DataLogItem{u"B1", u"", partner->m_nNumber, 1, partner});
  }
}

std::vector<int> PaletteFunctionTypes(WORD model, bool ladder) {
  if (g_ToolboxLists.basic.empty()) BuildToolboxLists();
  std::vector<int> types;
  for (int category :
       {PALETTE_BASIC, PALETTE_TIME, PALETTE_SPECIAL, PALETTE_DATA, PALETTE_MATH, PALETTE_DATALOG})
    for (UINT t : PaletteEntries(category, ModelSeries(model), ladder)) {
      const int typeClass = CZaradDoc::GetTypeClass(t);
      if (typeClass == 2 || typeClass == 4) types.push_back(static_cast<int>(t));
    }
  return types;
}
