#include "editor/pin_texts.h"

#include <algorithm>
#include <iterator>

#include "blocks/ladder_blocks.h"
#include "model/block_obj.h"
#include "platform/string_table.h"

namespace {

// The texts of one block type: its title and its input pins' names (string ids, 0 for none).
struct PinTextRow {
  int type;
  UINT title;
  UINT pins[4];
};

// By exact type code, in ascending order; types without a row have no tip.
constexpr PinTextRow kRows[] = {
    {kTypeAnd, 450, {850, 851, 852, 853}},
    {kTypeAndEdge, 451, {850, 851, 852, 853}},
    {kTypeNand, 455, {850, 851, 852, 853}},
    {kTypeNandEdge, 456, {850, 851, 852, 853}},
    {kTypeOr, 452, {850, 851, 852, 853}},
    {kTypeNor, 457, {850, 851, 852, 853}},
    {kTypeXor, 454, {850, 851, 852, 853}},
    {kTypeNot, 453, {850, 851, 852, 853}},
    {kTypeDPR, 810, {857, 869}},
    {kTypeDDR, 811, {857, 858, 869}},
    {kTypeMPLR, 812, {857, 876}},
    {kTypePLR, 813, {857, 858, 869}},
    {kTypeCPG, 814, {857, 869}},
    {kTypeRPR, 815, {857, 858, 876}},
    {kTypeAPG, 816, {877, 878, 876}},
    {kTypeRG, 824, {877, 876}},
    {kTypeSLS, 826, {857, 869}},
    {kTypeMFS, 825, {857, 858, 876}},
    {kTypeWT, 827, {879, 886, 887}},
    {kTypeYT, 828, {899}},
    {kTypeAC, 835, {876}},
    {kTypeSW, 836, {877, 891, 858, 876}},
    {kTypeInput, 480, {}},
    {kTypeCursorKey, 490, {}},
    {kTypeShiftBit, 488, {}},
    {kTypeLowSignal, 473, {}},
    {kTypeHighSignal, 476, {}},
    {kTypeOutput, 481, {854}},
    {kTypeOpenConnector, 482, {854}},
    {kTypeFlag, 483, {854}},
    {kTypeAnalogInput, 486, {}},
    {kTypeAnalogOutput, 487, {854}},
    {kTypeAnalogFlag, 491, {854}},
    {kTypeFunctionKey, 500, {}},
    {kTypeMakeContact, 520, {854}},
    {kTypeBreakContact, 521, {854}},
    {kTypeAnalogContact, 522, {854}},
    {kTypeRelayCoil, 523, {854}},
    {kTypeInvertedCoil, 524, {854}},
    {kTypeLadderAnalogOutput, 525, {854}},
    {kTypeCOUNTER, 829, {858, 906, 907, 876}},
    {kTypeHCOUNTER, 841, {858, 877, 909, 876}},
    {kTypeTHTRG, 842, {919, 876}},
    {kTypeACOMP, 843, {927, 928, 876}},
    {kTypeATHTRG, 844, {927, 876}},
    {kTypeAAMP, 845, {927, 876}},
    {kTypeAWDOG, 846, {877, 927, 876}},
    {kTypeADTRG, 847, {927, 876}},
    {kTypeLR, 848, {860, 858, 876}},
    {kTypePR, 849, {857, 860, 858, 876}},
    {kTypeMessageText, 902, {877, 929, 876}},
    {kTypeSoftKey, 903, {877, 876}},
    {kTypeShiftRegister, 904, {854, 857, 907, 876}},
    {kTypeMR, 905, {877, 858, 876}},
    {kTypeMW, 910, {877, 858, 876}},
    {kTypeAMATH, 859, {877, 876}},
    {kTypeAMUX, 861, {877, 862, 863, 876}},
    {kTypeARAMP, 864, {877, 930, 931, 876}},
    {kTypePI, 865, {932, 858, 936, 876}},
    {kTypePWM, 866, {877, 927, 876}},
    {kTypeAnalogFilter, 867, {927, 876}},
    {kTypeMAXMIN, 868, {877, 862, 927, 876}},
    {kTypeAVGVAL, 870, {877, 858, 927, 876}},
    {kTypeMATHERR, 871, {877, 858, 876}},
    {kTypeWifiIn, 880, {877, 876}},
    {kTypeWifiOut, 881, {877, 850, 876}},
    {kTypeWifiAI, 882, {877, 876}},
    {kTypeWifiAQ, 883, {877, 850, 876}},
    {kTypeBoolean, 529, {850, 851, 852, 853}},
    {kTypeTDT, 530, {857, 858}},
    {kTypeBCD, 531, {850}},
    {kTypeBIN, 532, {850}},
    {kTypeROL, 533, {850, 876}},
    {kTypeROR, 534, {850, 876}},
    {kTypeSHL, 535, {850, 876}},
    {kTypeSHR, 536, {850, 876}},
    {kTypeANDM, 537, {850, 876}},
    {kTypeORM, 538, {850, 876}},
    {kTypeNOTM, 539, {850, 876}},
    {kTypeNANDM, 540, {850, 876}},
    {kTypeNORM, 541, {850, 876}},
    {kTypeXORM, 542, {850, 876}},
    {kTypeARRMXIV, 543, {876}},
    {kTypeACMXIV, 544, {850, 851, 876}},
    {kTypeRAND, 545, {876}},
    {kTypeMEM, 568, {858, 876}},
    {kTypeENCODER, 569, {858, 876}},
    {kTypeSMC, 572, {877, 907, 876}},
    {kTypeSMCE, 573, {857, 858, 907, 876}},
    {kTypePTO, 574, {877, 876}},
    {kTypePTOE, 575, {857, 858, 876}},
    {kTypeSEG, 576, {857, 927}},
    {kTypeWORD2BIT, 577, {927, 876}},
    {kTypeUDC, 564, {877, 876}},
    {kTypeCRC16, 578, {877, 876}},
    {kTypeODD, 546, {850}},
    {kTypeEVEN, 547, {850}},
    {kTypeMOD, 548, {850, 876}},
    {kTypeREM, 549, {850, 876}},
    {kTypeLOG, 550, {850, 876}},
    {kTypeSQRT, 551, {850, 876}},
    {kTypeABS, 552, {850}},
    {kTypeGCD, 553, {850, 851}},
    {kTypeLCM, 554, {850, 851}},
    {kTypePOW2, 555, {850, 876}},
    {kTypeEXP, 556, {850, 876}},
    {kTypeFIX, 557, {850, 876}},
    {kTypeROUND, 558, {850, 876}},
    {kTypeSIN, 559, {850, 876}},
    {kTypeCOS, 560, {850, 876}},
    {kTypeTAN, 561, {850, 876}},
    {kTypeCOT, 562, {850, 876}},
    {kTypeSEC, 563, {850, 876}},
    {kTypeCSC, 566, {850, 876}},
    {kTypeQUAD, 567, {858, 942, 876}},
    {kTypeDataLog, 955, {877, 876}},
};

constexpr UINT kPowerBusTitle = 526;  // "Left Power Bus"

}  // namespace

CString GetPinText(const CBlockObj* block, int pin) {
  if (!block || pin < 0 || pin > kPinTextBody) return CString();
  if (dynamic_cast<const CPowerBusObj*>(block))
    return pin == kPinTextBody ? LoadString(kPowerBusTitle) : CString();
  const auto* row = std::lower_bound(std::begin(kRows), std::end(kRows), block->m_nType,
                                     [](const PinTextRow& r, int type) { return r.type < type; });
  if (row == std::end(kRows) || row->type != block->m_nType) return CString();
  if (pin == kPinTextBody) return LoadString(row->title);
  if (pin >= static_cast<int>(std::size(row->pins)) || row->pins[pin] == 0) return CString();
  return LoadString(row->pins[pin]);
}
