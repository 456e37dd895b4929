#include "model/help_topics.h"

#include <algorithm>
#include <iterator>

namespace {

struct HelpTopic {
  WORD topic;
  const char16_t* page;
};

// Ascending by topic.
constexpr HelpTopic kHelpTopics[] = {
    {1000, u"TAN.htm"},
    {1001, u"Stopwatch.htm"},
    {1002, u"Stairway Lighting Switch.htm"},
    {1003, u"Stepping Motor Control.htm"},
    {1004, u"Stepping Motor Control _ Edge.htm"},
    {1005, u"SQRT.htm"},
    {1006, u"SIN.htm"},
    {1007, u"SHR.htm"},
    {1008, u"SHL.htm"},
    {1009, u"Shift register.htm"},
    {1010, u"Shift register bits.htm"},
    {1017, u"ABS.htm"},
    {1018, u"ACMX_MI_AV.htm"},
    {1019, u"Analog amplifier.htm"},
    {1020, u"Analog comparator.htm"},
    {1021, u"Analog differential trigger.htm"},
    {1022, u"Analog filter.htm"},
    {1023, u"Analog inputs.htm"},
    {1024, u"Analog MUX.htm"},
    {1025, u"Analog outputs.htm"},
    {1026, u"Analog Ramp.htm"},
    {1027, u"Analog threshold trigger.htm"},
    {1028, u"Analog watchdog.htm"},
    {1029, u"AND with edge evaluation.htm"},
    {1030, u"AND.htm"},
    {1031, u"AND_MASK.htm"},
    {1032, u"ARRMX_MI_AV.htm"},
    {1033, u"Astronomical clock.htm"},
    {1034, u"Asynchronous Pulse Generator.htm"},
    {1035, u"Average Value.htm"},
    {1036, u"BCD.htm"},
    {1037, u"BIN.htm"},
    {1038, u"COS.htm"},
    {1039, u"COT.htm"},
    {1040, u"CRC16.htm"},
    {1041, u"CSC.htm"},
    {1042, u"Data Log.htm"},
    {1043, u"Edge triggered wiping relay.htm"},
    {1044, u"ENCODER.htm"},
    {1045, u"EVEN.htm"},
    {1046, u"EXP.htm"},
    {1047, u"FIX.htm"},
    {1048, u"Flags.htm"},
    {1049, u"Function Keys.htm"},
    {1050, u"GCD.htm"},
    {1051, u"Hours counter.htm"},
    {1052, u"Inputs.htm"},
    {1053, u"Latching relay.htm"},
    {1054, u"LCM.htm"},
    {1055, u"LOG.htm"},
    {1056, u"MathDetection.htm"},
    {1057, u"Mathematical instruction.htm"},
    {1058, u"Max_Min.htm"},
    {1059, u"MEM.htm"},
    {1060, u"Message text.htm"},
    {1061, u"MOD.htm"},
    {1062, u"Modbus Read.htm"},
    {1063, u"Modbus Write.htm"},
    {1064, u"Multiple Function Switch.htm"},
    {1065, u"NAND with edge evaluation.htm"},
    {1066, u"NAND.htm"},
    {1067, u"NAND_MASK.htm"},
    {1068, u"NOR.htm"},
    {1069, u"NOR_MASK.htm"},
    {1070, u"NOT.htm"},
    {1071, u"NOT_MASK.htm"},
    {1072, u"ODD.htm"},
    {1073, u"Off-Delay.htm"},
    {1074, u"On-Off-Delay.htm"},
    {1075, u"On_Delay.htm"},
    {1076, u"Open connectors.htm"},
    {1077, u"OR.htm"},
    {1078, u"OR_MASK.htm"},
    {1079, u"Outputs.htm"},
    {1080, u"Permanent logical levels.htm"},
    {1081, u"PI controller.htm"},
    {1082, u"POW2.htm"},
    {1083, u"PTO.htm"},
    {1084, u"PTOE.htm"},
    {1085, u"Pulse relay.htm"},
    {1086, u"PWM.htm"},
    {1087, u"Quadratic equation.htm"},
    {1088, u"RAND.htm"},
    {1089, u"Random Generator.htm"},
    {1091, u"REM.htm"},
    {1092, u"Retentive On-Delay.htm"},
    {1093, u"ROL.htm"},
    {1094, u"ROR.htm"},
    {1095, u"ROUND.htm"},
    {1096, u"SEC.htm"},
    {1097, u"SEG.htm"},
    {1098, u"TDT.htm"},
    {1099, u"Threshold trigger.htm"},
    {1100, u"UDC.htm"},
    {1101, u"Up_Down Counter.htm"},
    {1103, u"Wiping relay.htm"},
    {1104, u"Word to Bit.htm"},
    {1105, u"XOR.htm"},
    {1106, u"XOR_MASK.htm"},
    {1107, u"Yearly timer.htm"},
    {1108, u"Boolean function.htm"},
    {1110, u"Weekly timer.htm"},
    {1113, u"Wifi Digital Read.htm"},
    {1114, u"Wifi Digital Write.htm"},
    {1115, u"Wifi Analog Read.htm"},
    {1116, u"Wifi Analog Write.htm"},
};

}  // namespace

const char16_t* HelpTopicPage(WORD topic) {
  const auto it = std::lower_bound(std::begin(kHelpTopics), std::end(kHelpTopics), topic,
                                   [](const HelpTopic& t, WORD id) { return t.topic < id; });
  return it != std::end(kHelpTopics) && it->topic == topic ? it->page : nullptr;
}

int HelpTopicCount() {
  return static_cast<int>(std::size(kHelpTopics));
}

CString HelpFilePath(const CString& programPath, bool chinese) {
  const int slash = programPath.ReverseFind(u'/');
  const CString folder = programPath.Left(slash + 1);
  CString name = programPath.Mid(slash + 1);
  const int dot = name.ReverseFind(u'.');
  if (dot > 0) name = name.Left(dot);
  name.MakeUpper();
  // The Chinese help is the program's name with "_GBK" (ZEVEVEZAREZI_GBK.CHM).
  if (chinese) return folder + name + u"_GBK.CHM";
  name += u".HLP";
  name.Replace(CString(u"HLP"), CString(u"CHM"));
  return folder + name;
}
