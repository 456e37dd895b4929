#include "editor/wiring_rules.h"

#include <initializer_list>

#include "model/block_codes.h"

namespace {

struct Range {
  int first, last;
};

bool In(int type, std::initializer_list<Range> ranges) {
  for (const Range& r : ranges)
    if (type >= r.first && type <= r.last) return true;
  return false;
}

}  // namespace

SignalKind SourceSignalKind(int type) {
  if (IsConnectorType(type)) return SignalKind::kConnector;
  if (In(type, {{kTypeAnalogInput, kTypeAnalogFlag},
                {kTypeAnalogContact, kTypeAnalogContact},
                {kTypeSW, kTypeSW},
                {kTypeAAMP, kTypeAAMP},
                {kTypeAMATH, kTypePI},
                {kTypeAnalogFilter, kTypeAVGVAL},
                {kTypeWifiAI, kTypeWifiAI},
                {kTypeBCD, kTypeMEM},
                {kTypeSEG, kTypeSEG},
                {kTypeCRC16, kTypeCRC16},
                {kTypeMOD, kTypeQUAD}}))
    return SignalKind::kAnalog;
  return SignalKind::kDigital;
}

SignalKind PinSignalKind(int type, int pin) {
  if (IsConnectorType(type)) return SignalKind::kConnector;
  if (In(type, {{kTypeAnalogInput, kTypeAnalogFlag},
                {kTypeLadderAnalogOutput, kTypeLadderAnalogOutput},
                {kTypeACOMP, kTypeAAMP},
                {kTypeADTRG, kTypeADTRG},
                {kTypeAnalogFilter, kTypeAnalogFilter},
                {kTypeBCD, kTypeXORM},
                {kTypeACMXIV, kTypeRAND},
                {kTypeWORD2BIT, kTypeWORD2BIT},
                {kTypeODD, kTypeCSC}}))
    return SignalKind::kAnalog;
  if (In(type, {{kTypeAWDOG, kTypeAWDOG},
                {kTypePWM, kTypePWM},
                {kTypeWifiAQ, kTypeWifiAQ},
                {kTypeSEG, kTypeSEG},
                {kTypeQUAD, kTypeQUAD}}))
    return pin >= 1 ? SignalKind::kAnalog : SignalKind::kDigital;
  if (In(type, {{kTypePI, kTypePI}, {kTypeMAXMIN, kTypeAVGVAL}}))
    return pin >= 2 ? SignalKind::kAnalog : SignalKind::kDigital;
  return SignalKind::kDigital;
}

bool AreKindsCompatible(SignalKind source, SignalKind pin) {
  return source == SignalKind::kConnector || pin == SignalKind::kConnector || source == pin;
}

int LoopRowKind(int type) {
  if (In(type, {{kTypeAnd, kTypeNot},
                {kTypeDPR, kTypeMFS},
                {kTypeCOUNTER, kTypeTHTRG},
                {kTypeLR, kTypeMW},
                {kTypeMATHERR, kTypeMATHERR},
                {kTypeBoolean, kTypeTDT},
                {kTypeENCODER, kTypeUDC}}))
    return 0;
  if (In(type, {{kTypeOutput, kTypeOutput}, {kTypeFlag, kTypeFlag}})) return 1;
  if (In(type, {{kTypeAnalogOutput, kTypeAnalogFlag}})) return 2;
  if (In(type,
         {{kTypeACOMP, kTypeATHTRG}, {kTypeAWDOG, kTypeADTRG}, {kTypePWM, kTypePWM}, {kTypeODD, kTypeEVEN}}))
    return 4;
  if (In(type, {{kTypeSW, kTypeSW}, {kTypeAMATH, kTypePI}, {kTypeMAXMIN, kTypeAVGVAL}, {kTypeMEM, kTypeMEM}}))
    return 5;
  return 3;
}

int LoopColumnKind(int type) {
  if (In(type, {{kTypeAnd, kTypeNot},
                {kTypeDPR, kTypeMFS},
                {kTypeSW, kTypeSW},
                {kTypeCOUNTER, kTypeTHTRG},
                {kTypeLR, kTypeARAMP},
                {kTypeMATHERR, kTypeMATHERR},
                {kTypeBoolean, kTypeTDT},
                {kTypeMEM, kTypeUDC}}))
    return 0;
  if (In(type, {{kTypeOutput, kTypeOutput}, {kTypeFlag, kTypeFlag}})) return 1;
  if (In(type, {{kTypeAnalogOutput, kTypeAnalogFlag}})) return 2;
  if (In(type, {{kTypeACOMP, kTypeAAMP},
                {kTypeADTRG, kTypeADTRG},
                {kTypeAnalogFilter, kTypeAnalogFilter},
                {kTypeBCD, kTypeXORM},
                {kTypeACMXIV, kTypeRAND},
                {kTypeCRC16, kTypeCRC16},
                {kTypeODD, kTypeLCM}}))
    return 3;
  if (In(type,
         {{kTypeAWDOG, kTypeAWDOG}, {kTypePI, kTypePWM}, {kTypeMAXMIN, kTypeAVGVAL}, {kTypeQUAD, kTypeQUAD}}))
    return 4;
  return 5;
}

bool IsLoopAllowed(int rowType, int columnType) {
  // Rows: the fixed end's kind; columns: the target's kind (5: any other type).
  static constexpr bool kAllowed[6][6] = {
      {false, true, false, false, false, true},  {true, true, false, false, true, false},
      {false, false, true, true, true, false},   {false, false, true, false, false, true},
      {false, true, false, false, false, false}, {false, false, true, false, false, true},
  };
  return kAllowed[LoopRowKind(rowType)][LoopColumnKind(columnType)];
}
