// The analog math block's formula: its tokens (CBlockObj::BuildFormulaText),
// postfix order with an operator stack, and the evaluation with a value stack.
// Numbers travel between the steps as text, written with "%f" and read back
// in the C locale whatever the process locale is.
#include <charconv>
#include <cmath>
#include <string>

#include "blocks/analog_blocks.h"
#include "blocks/string_stack.h"

namespace {

constexpr char16_t kOperators[] = u"+-*/";

// Position of a one-character operator token in "+-*/", or -1.
int OperatorIndex(const CString& token) {
  if (token.GetLength() != 1) return -1;
  for (int i = 0; i < 4; ++i) {
    if (token[0] == kOperators[i]) return i;
  }
  return -1;
}

int Precedence(const CString& token) {
  if (token == u"(") return 10;
  const int op = OperatorIndex(token);
  if (op < 0) return 0;
  return op < 2 ? 1 : 2;
}

// The leading decimal number of a text, as the C library's atof reads it;
// an empty or non-numeric text reads as 0.
float ReadNumber(const CString& text) {
  const std::string s = text.ToUtf8();
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
  if (i < s.size() && s[i] == '+') ++i;
  double v = 0.0;
  const auto result = std::from_chars(s.data() + i, s.data() + s.size(), v, std::chars_format::general);
  return result.ec == std::errc() ? static_cast<float>(v) : 0.0f;
}

void Append(std::vector<CString>* list, int* count, const CString& item) {
  if (static_cast<size_t>(*count) >= list->size()) list->resize(static_cast<size_t>(*count) + 1);
  (*list)[static_cast<size_t>((*count)++)] = item;
}

}  // namespace

void CBlockAnalog::EvaluateFormula() {
  CStringStack stack;
  std::vector<CString> infix(16);
  CString text;
  if (const auto* math = DYNAMIC_DOWNCAST(CBlockAMATH, this)) math->BuildFormulaText(&text, &infix);
  std::vector<CString> postfix(20);
  InfixToPostfix(infix, &postfix, &stack);
  EvaluatePostfix(postfix, &stack);
}

void CBlockAnalog::InfixToPostfix(const std::vector<CString>& infix, std::vector<CString>* postfix,
                                  CStringStack* stack) {
  int count = 0;
  for (const CString& token : infix) {
    if (token.IsEmpty()) break;
    if (token == u"(") {
      stack->Push(token);
    } else if (OperatorIndex(token) >= 0) {
      while (!stack->IsEmpty()) {
        const CString top = stack->Top();
        if (top == u"(" || Precedence(top) < Precedence(token)) break;
        Append(postfix, &count, top);
        stack->Drop();
      }
      stack->Push(token);
    } else if (token == u")") {
      while (!stack->IsEmpty()) {
        const CString item = stack->Pop();
        if (item == u"(") break;
        Append(postfix, &count, item);
      }
    } else {
      Append(postfix, &count, token);
    }
  }
  while (!stack->IsEmpty()) Append(postfix, &count, stack->Pop());
}

void CBlockAnalog::EvaluatePostfix(const std::vector<CString>& postfix, CStringStack* stack) {
  for (const CString& token : postfix) {
    if (token.IsEmpty()) break;
    const int op = OperatorIndex(token);
    if (op < 0) {
      stack->Push(token);
      continue;
    }
    const float b = ReadNumber(stack->Pop());
    const float a = ReadNumber(stack->Pop());
    if (op == 3 && b == 0.0f) {
      m_nResult = kDivisionByZero;
      return;
    }
    float r = 0.0f;
    switch (op) {
      case 0:
        r = a + b;
        break;
      case 1:
        r = a - b;
        break;
      case 2:
        r = a * b;
        break;
      default:
        r = a / b;
        break;
    }
    stack->Push(FormatString(u"%f", static_cast<double>(r)));
  }
  double v = ReadNumber(stack->Pop());
  if (std::isnan(v)) v = 0.0;
  if (v != 0.0 && std::isfinite(v)) {
    // Half away from zero by the first decimal digit.
    const double tenths = std::fmod(std::trunc(v * 10.0), 10.0);
    if (std::fabs(tenths) >= 5.0) v += v > 0.0 ? 1.0 : -1.0;
  }
  if (v > kAnalogLimit) {
    m_nResult = kAnalogLimit;
  } else if (v < kFormulaLow) {
    m_nResult = kFormulaLow;
  } else {
    m_nResult = static_cast<int>(v);
  }
}

void CBlockAMATH::BuildFormulaText(CString* out, std::vector<CString>* parts) const {
  if (parts == nullptr) return;
  static const char* const kOps[4] = {"+", "-", "*", "/"};
  auto value = [](int v) {
    CString s;
    s.Format("%d", v);
    return s;
  };
  // An operator index outside 0..3 has no character: its text is empty.
  auto op = [](int index) { return CString(index >= 0 && index < 4 ? kOps[index] : ""); };
  const CString v1 = value(m_nParam10), v2 = value(m_nParam15), v3 = value(m_nParam20),
                v4 = value(m_nParam22);
  const CString o1 = op(m_nParam9), o2 = op(m_nParam14), o3 = op(m_nParam19);
  const int p1 = m_nParam11, p2 = m_nParam16, p3 = m_nParam21;
  const CString L(u"("), R(u")");
  std::vector<CString> t;
  if (p1 == 2) {
    if (p2 == 1) {
      t = {L, L, v1, o1, v2, R, o2, v3, R, o3, v4};
    } else if (p3 == 1) {
      t = {L, v1, o1, v2, R, o2, L, v3, o3, v4, R};
    } else {
      t = {L, v1, o1, v2, R, o2, v3, o3, v4};
    }
  } else if (p2 == 2) {
    if (p3 == 1) {
      t = {v1, o1, L, L, v2, o2, v3, R, o3, v4, R};
    } else if (p1 == 1) {
      t = {L, v1, o1, L, v2, o2, v3, R, R, o3, v4};
    } else {
      t = {v1, o1, L, v2, o2, v3, R, o3, v4};
    }
  } else if (p3 == 2) {
    if (p1 == 1) {
      t = {L, v1, o1, v2, R, o2, L, v3, o3, v4, R};
    } else if (p2 == 1) {
      t = {v1, o1, L, v2, o2, L, v3, o3, v4, R, R};
    } else {
      t = {v1, o1, v2, o2, L, v3, o3, v4, R};
    }
  } else {
    t = {v1, o1, v2, o2, v3, o3, v4};
  }
  parts->assign(16, CString());
  std::copy(t.begin(), t.end(), parts->begin());
  if (out) {
    out->Empty();
    for (const CString& s : *parts) {
      if (s.IsEmpty()) break;
      *out += s;
    }
  }
  parts->resize(20);
}
