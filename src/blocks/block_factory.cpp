#include "blocks/block_factory.h"

#include <new>
#include <unordered_map>

#include "blocks/analog_blocks.h"
#include "blocks/block_kinds.h"
#include "blocks/comm_blocks.h"
#include "blocks/connector_obj.h"
#include "blocks/counter_blocks.h"
#include "blocks/data_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/extended_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/math_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_comment.h"
#include "model/block_kind.h"
#include "model/block_library.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "platform/cdc.h"

namespace {

constexpr int kPlainBlockInputs = 4;

template <typename T>
CBlockObj* New(int typeCode, const BlockContext& ctx) {
  return new (std::nothrow) T(typeCode, ctx);
}

CBlockObj* NewBlockOfClass(int typeCode, const BlockContext& ctx) {
  // The kinds that libraries above this one give (the message text).
  if (const BlockKind* kind = FindBlockKind(typeCode); kind && kind->create)
    return kind->create(typeCode, ctx);
  switch (typeCode) {
    case 300:
    case 301:
    case 302:
    case 303:
    case 304:
    case 305:
    case 306:
    case 307:
      return New<CBlockLogic>(typeCode, ctx);
    case 400:
      return New<CBlockDPR>(typeCode, ctx);
    case 401:
      return New<CBlockDDR>(typeCode, ctx);
    case 402:
      return New<CBlockMPLR>(typeCode, ctx);
    case 403:
      return New<CBlockPLR>(typeCode, ctx);
    case 404:
      return New<CBlockCPG>(typeCode, ctx);
    case 405:
      return New<CBlockRPR>(typeCode, ctx);
    case 406:
      return New<CBlockAPG>(typeCode, ctx);
    case 407:
      return New<CBlockRG>(typeCode, ctx);
    case 408:
      return New<CBlockSLS>(typeCode, ctx);
    case 409:
      return New<CBlockMFS>(typeCode, ctx);
    case 410:
      return New<CBlockWT>(typeCode, ctx);
    case 411:
      return New<CBlockYT>(typeCode, ctx);
    case 412:
      return New<CBlockAC>(typeCode, ctx);
    case 413:
      return New<CBlockSW>(typeCode, ctx);
    case 600:
      return New<CBlockIn>(typeCode, ctx);
    case 602:
      return New<CBlockShift>(typeCode, ctx);
    case 603:
      return New<CBlockLow>(typeCode, ctx);
    case 604:
      return New<CBlockHigh>(typeCode, ctx);
    case 605:
      return New<CBlockOut>(typeCode, ctx);
    case 606:
      return New<CBlockOpenX>(typeCode, ctx);
    case 607:
      return New<CBlockFlag>(typeCode, ctx);
    case 608:
      return New<CBlockAnalogIn>(typeCode, ctx);
    case 609:
      return New<CBlockAnalogOut>(typeCode, ctx);
    case 610:
      return New<CBlockAnalogFlag>(typeCode, ctx);
    case 611:
      return New<CBlockFKey>(typeCode, ctx);
    case 700:
      return New<CBlockMake>(typeCode, ctx);
    case 701:
      return New<CBlockBreak>(typeCode, ctx);
    case 702:
      return New<CBlockAContact>(typeCode, ctx);
    case 703:
      return New<CBlockRelayCoil>(typeCode, ctx);
    case 704:
      return New<CBlockInvOut>(typeCode, ctx);
    case 705:
      return New<CBlockAOutLAD>(typeCode, ctx);
    case 800:
      return New<CBlockCOUNTER>(typeCode, ctx);
    case 801:
      return New<CBlockHCOUNTER>(typeCode, ctx);
    case 802:
      return New<CBlockTHTRG>(typeCode, ctx);
    case 803:
      return New<CBlockACOMP>(typeCode, ctx);
    case 804:
      return New<CBlockATHTRG>(typeCode, ctx);
    case 805:
      return New<CBlockAAMP>(typeCode, ctx);
    case 806:
      return New<CBlockAWDOG>(typeCode, ctx);
    case 807:
      return New<CBlockADTRG>(typeCode, ctx);
    case 808:
      return New<CBlockLR>(typeCode, ctx);
    case 809:
      return New<CBlockPR>(typeCode, ctx);
    case 812:
      return New<CBlockSREG>(typeCode, ctx);
    case 813:
      return New<CBlockMR>(typeCode, ctx);
    case 814:
      return New<CBlockMW>(typeCode, ctx);
    case 815:
      return New<CBlockAMATH>(typeCode, ctx);
    case 816:
      return New<CBlockAMUX>(typeCode, ctx);
    case 817:
      return New<CBlockARAMP>(typeCode, ctx);
    case 818:
      return New<CBlockPI>(typeCode, ctx);
    case 819:
      return New<CBlockPWM>(typeCode, ctx);
    case 820:
      return New<CBlockAFILTER>(typeCode, ctx);
    case 821:
      return New<CBlockMAXMIN>(typeCode, ctx);
    case 822:
      return New<CBlockAVGVAL>(typeCode, ctx);
    case 823:
      return New<CBlockMATHERR>(typeCode, ctx);
    case 824:
      return New<CBlockWIFIIn>(typeCode, ctx);
    case 825:
      return New<CBlockWIFIOut>(typeCode, ctx);
    case 826:
      return New<CBlockWIFIAI>(typeCode, ctx);
    case 827:
      return New<CBlockWIFIAOut>(typeCode, ctx);
    case 830:
      return New<CBlockBoolean>(typeCode, ctx);
    case 831:
      return New<CBlockTDT>(typeCode, ctx);
    case 832:
      return New<CBlockBCD>(typeCode, ctx);
    case 833:
      return New<CBlockBIN>(typeCode, ctx);
    case 834:
      return New<CBlockROL>(typeCode, ctx);
    case 835:
      return New<CBlockROR>(typeCode, ctx);
    case 836:
      return New<CBlockSHL>(typeCode, ctx);
    case 837:
      return New<CBlockSHR>(typeCode, ctx);
    case 838:
      return New<CBlockANDM>(typeCode, ctx);
    case 839:
      return New<CBlockORM>(typeCode, ctx);
    case 840:
      return New<CBlockNOTM>(typeCode, ctx);
    case 841:
      return New<CBlockNANDM>(typeCode, ctx);
    case 842:
      return New<CBlockNORM>(typeCode, ctx);
    case 843:
      return New<CBlockXORM>(typeCode, ctx);
    case 844:
      return New<CBlockARRMXIV>(typeCode, ctx);
    case 845:
      return New<CBlockACMXIV>(typeCode, ctx);
    case 846:
      return New<CBlockRAND>(typeCode, ctx);
    case 847:
      return New<CBlockMEM>(typeCode, ctx);
    case 848:
      return New<CBlockENCODER>(typeCode, ctx);
    case 849:
      return New<CBlockSMC>(typeCode, ctx);
    case 850:
      return New<CBlockSMCE>(typeCode, ctx);
    case 851:
      return New<CBlockPTO>(typeCode, ctx);
    case 852:
      return New<CBlockPTOE>(typeCode, ctx);
    case 853:
      return New<CBlockSEG>(typeCode, ctx);
    case 854:
      return New<CBlockWORD2BIT>(typeCode, ctx);
    case 855:
      return New<CBlockUDC>(typeCode, ctx);
    case 856:
      return New<CBlockCRC16>(typeCode, ctx);
    case 860:
      return New<CBlockODD>(typeCode, ctx);
    case 861:
      return New<CBlockEVEN>(typeCode, ctx);
    case 862:
      return New<CBlockMOD>(typeCode, ctx);
    case 863:
      return New<CBlockREM>(typeCode, ctx);
    case 864:
      return New<CBlockLOG>(typeCode, ctx);
    case 865:
      return New<CBlockSQRT>(typeCode, ctx);
    case 866:
      return New<CBlockABS>(typeCode, ctx);
    case 867:
      return New<CBlockGCD>(typeCode, ctx);
    case 868:
      return New<CBlockLCM>(typeCode, ctx);
    case 869:
      return New<CBlockPOW2>(typeCode, ctx);
    case 870:
      return New<CBlockEXP>(typeCode, ctx);
    case 871:
      return New<CBlockFIX>(typeCode, ctx);
    case 872:
      return New<CBlockROUND>(typeCode, ctx);
    case 873:
      return New<CBlockSIN>(typeCode, ctx);
    case 874:
      return New<CBlockCOS>(typeCode, ctx);
    case 875:
      return New<CBlockTAN>(typeCode, ctx);
    case 876:
      return New<CBlockCOT>(typeCode, ctx);
    case 877:
      return New<CBlockSEC>(typeCode, ctx);
    case 878:
      return New<CBlockCSC>(typeCode, ctx);
    case 879:
      return New<CBlockQUAD>(typeCode, ctx);
    case 911:
      return New<CBlockDataLog>(typeCode, ctx);
    default:
      return new (std::nothrow) CBlockObj(typeCode, kPlainBlockInputs, ctx);
  }
}

}  // namespace

CBlockObj* CreateBlockOfType(int typeCode, const BlockContext& ctx) {
  CBlockObj* block = nullptr;
  try {
    block = NewBlockOfClass(typeCode, ctx);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (block == nullptr) return nullptr;
  block->m_nWidth = kFactoryBlockWidth;
  block->m_nHeight = block->m_nInputs == 4 ? kFactoryBlockHeight4 : kFactoryBlockHeight;
  return block;
}

std::unique_ptr<CBlockObj> MakeBlockOfType(int typeCode, const BlockContext& ctx) {
  return std::unique_ptr<CBlockObj>(CreateBlockOfType(typeCode, ctx));
}

int RegisterBlockClasses() {
  // Naming the classes that the factory does not build links their object
  // files, and with them their registration (the factory's switch does the
  // same for the classes it builds). The volatile store keeps the references.
  [[maybe_unused]] static const CRuntimeClass* volatile sink = nullptr;
  for (const CRuntimeClass* cls :
       {RUNTIME_CLASS(CBlockObj), RUNTIME_CLASS(CBlockMale), RUNTIME_CLASS(CBlockFemale),
        RUNTIME_CLASS(CPowerBusObj), RUNTIME_CLASS(CBlockComment), RUNTIME_CLASS(CConnectLineObj)}) {
    sink = cls;
  }
  return static_cast<int>(CRuntimeClass::GetRegisteredClasses().size());
}

const CRuntimeClass* ClassOfBlockType(int typeCode) {
  switch (typeCode) {
    case kTypeMaleConnector:
      return RUNTIME_CLASS(CBlockMale);
    case kTypeFemaleConnector:
      return RUNTIME_CLASS(CBlockFemale);
    case kTypePowerBus:
      return RUNTIME_CLASS(CPowerBusObj);
    default:
      break;
  }
  static std::unordered_map<int, const CRuntimeClass*> cache;
  auto it = cache.find(typeCode);
  if (it != cache.end()) return it->second;
  std::unique_ptr<CBlockObj> probe = MakeBlockOfType(typeCode);
  const CRuntimeClass* cls = probe ? probe->GetRuntimeClass() : RUNTIME_CLASS(CBlockObj);
  // Codes without a class all map to CBlockObj; keep the cache small for them.
  if (cls != RUNTIME_CLASS(CBlockObj) || (typeCode >= 0 && typeCode <= kLastTypeCode))
    cache.emplace(typeCode, cls);
  return cls;
}

namespace {

// The block library as the model sees it.
class CStandardBlockLibrary : public CBlockLibrary {
 public:
  std::unique_ptr<CBlockObj> CreateBlock(int typeCode, const BlockContext& ctx) const override {
    return MakeBlockOfType(typeCode, ctx);
  }
  std::unique_ptr<CBlockObj> CreatePowerBus(const BlockContext& ctx) const override {
    return std::make_unique<CPowerBusObj>(kTypePowerBus, ctx);
  }
  const CRuntimeClass* ClassOfType(int typeCode) const override { return ClassOfBlockType(typeCode); }
  void Draw(CBlockObj& block, CViewContext* view, CDC* dc, int flag, COLORREF state) const override {
    block.DrawPlain(view, dc, flag, state);
  }
  void DrawSelected(CBlockObj& block, CViewContext* view, CDC* dc) const override {
    block.DrawSelectedPlain(view, dc);
  }
  void DrawStateText(CBlockObj& block, CViewContext* view, CDC* dc) const override {
    block.DrawStateTextPlain(view, dc);
  }
  void DrawHighlight(CBlockObj& block, CDC* dc, COLORREF colour, BOOL outline) const override {
    block.DrawHighlightPlain(dc, colour, outline);
  }
};

}  // namespace

void InstallStandardBlockLibrary() {
  static const CStandardBlockLibrary library;
  RegisterBlockClasses();
  RegisterStandardBlockKinds();
  InstallBlockLibrary(&library);
}
