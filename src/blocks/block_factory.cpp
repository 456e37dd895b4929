#include "blocks/block_factory.h"

#include <map>
#include <new>
#include <unordered_map>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
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
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "blocks/connector_obj.h"
#include "model/block_library.h"
#include "platform/cdc.h"

namespace {

constexpr int kPlainBlockInputs = 4;

template <typename T>
CBlockObj* New(int typeCode) {
  return new (std::nothrow) T(typeCode);
}

// Creators of the kinds that libraries above this one give (the message text).
std::map<int, BlockCreator>& RegisteredKinds() {
  static std::map<int, BlockCreator> kinds;
  return kinds;
}

CBlockObj* NewBlockOfClass(int typeCode) {
  if (auto it = RegisteredKinds().find(typeCode); it != RegisteredKinds().end()) return it->second(typeCode);
  switch (typeCode) {
    case 300:
    case 301:
    case 302:
    case 303:
    case 304:
    case 305:
    case 306:
    case 307:
      return New<CBlockLogic>(typeCode);
    case 400:
      return New<CBlockDPR>(typeCode);
    case 401:
      return New<CBlockDDR>(typeCode);
    case 402:
      return New<CBlockMPLR>(typeCode);
    case 403:
      return New<CBlockPLR>(typeCode);
    case 404:
      return New<CBlockCPG>(typeCode);
    case 405:
      return New<CBlockRPR>(typeCode);
    case 406:
      return New<CBlockAPG>(typeCode);
    case 407:
      return New<CBlockRG>(typeCode);
    case 408:
      return New<CBlockSLS>(typeCode);
    case 409:
      return New<CBlockMFS>(typeCode);
    case 410:
      return New<CBlockWT>(typeCode);
    case 411:
      return New<CBlockYT>(typeCode);
    case 412:
      return New<CBlockAC>(typeCode);
    case 413:
      return New<CBlockSW>(typeCode);
    case 600:
      return New<CBlockIn>(typeCode);
    case 602:
      return New<CBlockShift>(typeCode);
    case 603:
      return New<CBlockLow>(typeCode);
    case 604:
      return New<CBlockHigh>(typeCode);
    case 605:
      return New<CBlockOut>(typeCode);
    case 606:
      return New<CBlockOpenX>(typeCode);
    case 607:
      return New<CBlockFlag>(typeCode);
    case 608:
      return New<CBlockAnalogIn>(typeCode);
    case 609:
      return New<CBlockAnalogOut>(typeCode);
    case 610:
      return New<CBlockAnalogFlag>(typeCode);
    case 611:
      return New<CBlockFKey>(typeCode);
    case 700:
      return New<CBlockMake>(typeCode);
    case 701:
      return New<CBlockBreak>(typeCode);
    case 702:
      return New<CBlockAContact>(typeCode);
    case 703:
      return New<CBlockRelayCoil>(typeCode);
    case 704:
      return New<CBlockInvOut>(typeCode);
    case 705:
      return New<CBlockAOutLAD>(typeCode);
    case 800:
      return New<CBlockCOUNTER>(typeCode);
    case 801:
      return New<CBlockHCOUNTER>(typeCode);
    case 802:
      return New<CBlockTHTRG>(typeCode);
    case 803:
      return New<CBlockACOMP>(typeCode);
    case 804:
      return New<CBlockATHTRG>(typeCode);
    case 805:
      return New<CBlockAAMP>(typeCode);
    case 806:
      return New<CBlockAWDOG>(typeCode);
    case 807:
      return New<CBlockADTRG>(typeCode);
    case 808:
      return New<CBlockLR>(typeCode);
    case 809:
      return New<CBlockPR>(typeCode);
    case 812:
      return New<CBlockSREG>(typeCode);
    case 813:
      return New<CBlockMR>(typeCode);
    case 814:
      return New<CBlockMW>(typeCode);
    case 815:
      return New<CBlockAMATH>(typeCode);
    case 816:
      return New<CBlockAMUX>(typeCode);
    case 817:
      return New<CBlockARAMP>(typeCode);
    case 818:
      return New<CBlockPI>(typeCode);
    case 819:
      return New<CBlockPWM>(typeCode);
    case 820:
      return New<CBlockAFILTER>(typeCode);
    case 821:
      return New<CBlockMAXMIN>(typeCode);
    case 822:
      return New<CBlockAVGVAL>(typeCode);
    case 823:
      return New<CBlockMATHERR>(typeCode);
    case 824:
      return New<CBlockWIFIIn>(typeCode);
    case 825:
      return New<CBlockWIFIOut>(typeCode);
    case 826:
      return New<CBlockWIFIAI>(typeCode);
    case 827:
      return New<CBlockWIFIAOut>(typeCode);
    case 830:
      return New<CBlockBoolean>(typeCode);
    case 831:
      return New<CBlockTDT>(typeCode);
    case 832:
      return New<CBlockBCD>(typeCode);
    case 833:
      return New<CBlockBIN>(typeCode);
    case 834:
      return New<CBlockROL>(typeCode);
    case 835:
      return New<CBlockROR>(typeCode);
    case 836:
      return New<CBlockSHL>(typeCode);
    case 837:
      return New<CBlockSHR>(typeCode);
    case 838:
      return New<CBlockANDM>(typeCode);
    case 839:
      return New<CBlockORM>(typeCode);
    case 840:
      return New<CBlockNOTM>(typeCode);
    case 841:
      return New<CBlockNANDM>(typeCode);
    case 842:
      return New<CBlockNORM>(typeCode);
    case 843:
      return New<CBlockXORM>(typeCode);
    case 844:
      return New<CBlockARRMXIV>(typeCode);
    case 845:
      return New<CBlockACMXIV>(typeCode);
    case 846:
      return New<CBlockRAND>(typeCode);
    case 847:
      return New<CBlockMEM>(typeCode);
    case 848:
      return New<CBlockENCODER>(typeCode);
    case 849:
      return New<CBlockSMC>(typeCode);
    case 850:
      return New<CBlockSMCE>(typeCode);
    case 851:
      return New<CBlockPTO>(typeCode);
    case 852:
      return New<CBlockPTOE>(typeCode);
    case 853:
      return New<CBlockSEG>(typeCode);
    case 854:
      return New<CBlockWORD2BIT>(typeCode);
    case 855:
      return New<CBlockUDC>(typeCode);
    case 856:
      return New<CBlockCRC16>(typeCode);
    case 860:
      return New<CBlockODD>(typeCode);
    case 861:
      return New<CBlockEVEN>(typeCode);
    case 862:
      return New<CBlockMOD>(typeCode);
    case 863:
      return New<CBlockREM>(typeCode);
    case 864:
      return New<CBlockLOG>(typeCode);
    case 865:
      return New<CBlockSQRT>(typeCode);
    case 866:
      return New<CBlockABS>(typeCode);
    case 867:
      return New<CBlockGCD>(typeCode);
    case 868:
      return New<CBlockLCM>(typeCode);
    case 869:
      return New<CBlockPOW2>(typeCode);
    case 870:
      return New<CBlockEXP>(typeCode);
    case 871:
      return New<CBlockFIX>(typeCode);
    case 872:
      return New<CBlockROUND>(typeCode);
    case 873:
      return New<CBlockSIN>(typeCode);
    case 874:
      return New<CBlockCOS>(typeCode);
    case 875:
      return New<CBlockTAN>(typeCode);
    case 876:
      return New<CBlockCOT>(typeCode);
    case 877:
      return New<CBlockSEC>(typeCode);
    case 878:
      return New<CBlockCSC>(typeCode);
    case 879:
      return New<CBlockQUAD>(typeCode);
    case 911:
      return New<CBlockDataLog>(typeCode);
    default:
      return new (std::nothrow) CBlockObj(typeCode, kPlainBlockInputs);
  }
}

}  // namespace

CBlockObj* CreateBlockOfType(int typeCode) {
  CBlockObj* block = nullptr;
  try {
    block = NewBlockOfClass(typeCode);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (block == nullptr) return nullptr;
  block->m_nWidth = kFactoryBlockWidth;
  block->m_nHeight = block->m_nInputs == 4 ? kFactoryBlockHeight4 : kFactoryBlockHeight;
  return block;
}

std::unique_ptr<CBlockObj> MakeBlockOfType(int typeCode) {
  return std::unique_ptr<CBlockObj>(CreateBlockOfType(typeCode));
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

void RegisterBlockKind(int typeCode, BlockCreator create) {
  if (create != nullptr) RegisteredKinds()[typeCode] = create;
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
  if (cls != RUNTIME_CLASS(CBlockObj) || (typeCode >= 0 && typeCode <= kLastTypeCode)) cache.emplace(typeCode, cls);
  return cls;
}

namespace {

// The block library as the model sees it.
class CStandardBlockLibrary : public CBlockLibrary {
 public:
  std::unique_ptr<CBlockObj> CreateBlock(int typeCode) const override { return MakeBlockOfType(typeCode); }
  std::unique_ptr<CBlockObj> CreatePowerBus() const override {
    return std::make_unique<CPowerBusObj>(kTypePowerBus);
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
  InstallBlockLibrary(&library);
}

