#include "pages/ladder_operand_page.h"

#include <map>

#include "model/block_codes.h"
#include "model/block_obj.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"

namespace {

CString Name(int type) {
  return LookupBlockName(g_BlockTypeNames, static_cast<UINT>(type));
}

bool IsContact(int type) {
  return type == kTypeMakeContact || type == kTypeBreakContact || type == kTypeAnalogContact;
}

CString Upper(CString s) {
  return s.MakeUpper();
}

}  // namespace

CPropPageLadIO::CPropPageLadIO() {
  m_strTitle = Describe().caption;
}

const PageDesc& CPropPageLadIO::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {kTemplate,
                                u"Parameter",
                                CSize(276, 160),
                                {
                                    {kIdListLabel, K::kStatic, u"Available Blocks", CRect(7, 5, 200, 14)},
                                    {kIdList, K::kList, u"", CRect(7, 16, 269, 130)},
                                    {kIdNumberLabel, K::kStatic, u"Block Number", CRect(7, 140, 70, 150)},
                                    {kIdNumber, K::kEdit, u"", CRect(74, 138, 160, 151)},
                                }};
  return desc;
}

void CPropPageLadIO::LoadValues(const BlockPageValues& values) {
  static_cast<LadderValues&>(*this) = values.ladder;
}
void CPropPageLadIO::StoreValues(BlockPageValues& values) const {
  values.ladder = *this;
}

void CPropPageLadIO::Fill() {
  CControlHost& host = Host();
  host.ResetContent(kIdList);
  const CZaradDoc* doc = Document();
  if (!doc) return;
  const bool newer = doc->IsNewerFamily();
  auto free = [&](int operand) {
    if (operand == m_nOperand) return true;
    for (const auto& b : doc->m_blocks)
      if (b->m_nOperand == operand) return false;
    return true;
  };
  // Entries sorted by key; equal keys keep the document's order.
  std::multimap<int, CString> sorted;
  auto add = [&](const CString& text) { host.AddString(kIdList, text); };
  const int t = m_nElementType;
  if (t == kTypeMakeContact || t == kTypeBreakContact) {
    for (int i = 0; i < 256; ++i)
      if (i % 32 < 16) add(FormatString(u"I%d%02d%s", i / 32, i % 32, Name(600).GetString()));
    if (newer)
      for (int i = 0; i < 5; ++i) add(FormatString(u"F%d%s", i, Name(611).GetString()));
    add(FormatString(u"High%s", Name(604).GetString()));
    add(FormatString(u"Low%s", Name(603).GetString()));
    const int bits = newer ? 64 : 16;
    for (int i = 0; i < bits; ++i) add(FormatString(u"S%d.%d%s", i / 16, i % 16, Name(602).GetString()));
    for (const auto& b : doc->m_blocks) {
      const int op = b->m_nOperand;
      if (b->m_nType == kTypeRelayCoil || b->m_nType == kTypeInvertedCoil) {
        if (op >= 1316 && op <= 1827)
          sorted.emplace(op, FormatString(u"M%d%s", op - 1316, Name(607).GetString()));
        else if (op >= 600 && op <= 727)
          sorted.emplace(op,
                         FormatString(u"Q%d%02d%s", (op - 600) / 16, (op - 600) % 16, Name(605).GetString()));
      } else if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2 && !(b->m_byCaps & 0x20)) {
        sorted.emplace(b->m_nNumber, FormatString(u"B%d%s", b->m_nNumber - kFirstFunctionBlockNumber,
                                                  Name(b->m_nType).GetString()));
      }
    }
  } else if (t == kTypeAnalogContact) {
    for (int i = 0; i < 64; ++i) add(FormatString(u"AI%d%02d%s", i / 8, i % 8, Name(608).GetString()));
    for (const auto& b : doc->m_blocks) {
      const int op = b->m_nOperand;
      if (b->m_nType == kTypeLadderAnalogOutput) {
        if (op >= 4288 && op <= 4799)
          sorted.emplace(op, FormatString(u"AM%d%s", op - 4288, Name(610).GetString()));
        else if (op >= 4230 && op <= 4261)
          sorted.emplace(
              op, FormatString(u"AQ%d%02d%s", (op - 4230) / 4, (op - 4230) % 4, Name(609).GetString()));
      } else if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2 && (b->m_byCaps & 0x20)) {
        sorted.emplace(b->m_nNumber, FormatString(u"B%d%s", b->m_nNumber - kFirstFunctionBlockNumber,
                                                  Name(b->m_nType).GetString()));
      }
    }
  } else if (t == kTypeRelayCoil || t == kTypeInvertedCoil) {
    for (int i = 0; i < 512; ++i)
      if (free(1316 + i)) add(FormatString(u"M%d%s", i, Name(607).GetString()));
    for (int i = 0; i < 128; ++i)
      if (i % 16 <= 7 && free(600 + i))
        add(FormatString(u"Q%d%02d%s", i / 16, i % 16, Name(605).GetString()));
    bool read = false;
    for (const auto& b : doc->m_blocks)
      if ((b->m_nType == kTypeMakeContact || b->m_nType == kTypeBreakContact) &&
          b->m_nOperand == m_nCoilNumber)
        read = true;
    if (!read)
      for (int i = 0; i < 128; ++i)
        if (free(4800 + i)) add(FormatString(u"X%d%s", i, Name(606).GetString()));
  } else if (t == kTypeLadderAnalogOutput) {
    for (int i = 0; i < 512; ++i)
      if (free(4288 + i)) add(FormatString(u"AM%d%s", i, Name(610).GetString()));
    for (int i = 0; i < 32; ++i)
      if (free(4230 + i)) add(FormatString(u"AQ%d%02d%s", i / 4, i % 4, Name(609).GetString()));
  }
  for (const auto& [key, text] : sorted) add(text);
}

CString CPropPageLadIO::OperandPrefixText(int op) const {
  auto two = [](const char16_t* p, int a, int b) { return FormatString(u"%s%d%02d", p, a, b); };
  auto one = [](const char16_t* p, int a) { return FormatString(u"%s%d", p, a); };
  const CZaradDoc* doc = Document();
  if (op >= kFirstLadderAnalogOutputNumber || op >= kFirstCoilNumber) {
    const CBlockObj* element = doc ? doc->FindBlockByNumber(op) : nullptr;
    if (!element) return CString();
    const int o = element->m_nOperand;
    if (op >= kFirstLadderAnalogOutputNumber) {
      if (o >= 4230 && o <= 4261) return two(u"AQ", (o - 4230) / 4, (o - 4230) % 4);
      if (o >= 4288 && o <= 4799) return one(u"AM", o - 4288);
      return CString();
    }
    if (o >= 600 && o <= 727) return two(u"Q", (o - 600) / 16, (o - 600) % 16);
    if (o >= 1316 && o <= 1827) return one(u"M", o - 1316);
    return CString();
  }
  if (op >= kFirstFunctionBlockNumber) return one(u"B", op - kFirstFunctionBlockNumber);
  if (op >= 4800) return one(u"X", op - 4800);
  if (op >= 4288) return one(u"AM", op - 4288);
  if (op >= 4230) return two(u"AQ", (op - 4230) / 4, (op - 4230) % 4);
  if (op >= 4000) return two(u"AI", (op - 4000) / 8, (op - 4000) % 8);
  if (op >= 2900) return u"High";
  if (op >= 1870) return u"Low";
  if (op >= 1316) return one(u"M", op - 1316);
  if (op >= 1300 && op <= 1304) return one(u"F", op - 1300);
  if (op >= 1000) return FormatString(u"S%d.%d", (op - 1000) / 16, (op - 1000) % 16);
  if (op >= 600) return two(u"Q", (op - 600) / 16, (op - 600) % 16);
  if (op >= 100) return two(u"I", (op - 100) / 32, (op - 100) % 32);
  return CString();
}

bool CPropPageLadIO::SelectStartingWith(const CString& text) {
  CControlHost& host = Host();
  const CString wanted = Upper(text);
  for (int i = 0; i < host.GetCount(kIdList); ++i)
    if (Upper(host.GetItemText(kIdList, i)).Left(wanted.GetLength()) == wanted) {
      host.SetCurSel(kIdList, i);
      return true;
    }
  return false;
}

void CPropPageLadIO::OnInitDialog() {
  CParamPage::OnInitDialog();
  Fill();
  const CString own = OperandPrefixText(m_nOperand);
  if (own.IsEmpty() || !SelectStartingWith(own))
    Host().SetCurSel(kIdList, Host().GetCount(kIdList) > 0 ? 0 : -1);
}

bool CPropPageLadIO::StartsWith(const CString& prefix) const {
  return Host().GetText(kIdList).Left(prefix.GetLength()) == prefix;
}

void CPropPageLadIO::ParseOperandName() {
  const CString text = Host().GetText(kIdList);
  const CZaradDoc* doc = Document();
  auto coilOf = [doc](int o, std::initializer_list<int> types) {
    for (int type : types)
      if (const CBlockObj* e = doc ? doc->FindBlockByOperand(o, type) : nullptr) return e->m_nNumber;
    return -1;
  };
  auto set = [this](int op) {
    if (op >= 0) m_nOperand = op;
  };
  if (IsContact(m_nElementType)) {
    if (StartsWith(u"I") && !StartsWith(u"IM")) {
      const int n = ReadDecimal(text, 1, 3);
      if (n >= 0) set(100 + 32 * (n / 100) + n % 100);
    } else if (StartsWith(u"F")) {
      const int n = ReadDecimal(text, 1, 2);
      if (n >= 0) set(1300 + n);
    } else if (StartsWith(u"High")) {
      set(2900);
    } else if (StartsWith(u"Low")) {
      set(1870);
    } else if (StartsWith(u"S")) {
      const int a = ReadDecimal(text, 1, 1);
      const int b = ReadDecimal(text, 3, 2);
      if (a >= 0 && b >= 0) set(1000 + 16 * a + b);
    } else if (StartsWith(u"AI")) {
      const int n = ReadDecimal(text, 2, 3);
      if (n >= 0) set(4000 + 8 * (n / 100) + n % 100);
    } else if (StartsWith(u"Q")) {
      const int n = ReadDecimal(text, 1, 3);
      if (n >= 0) set(coilOf(600 + 16 * (n / 100) + n % 100, {703, 704}));
    } else if (StartsWith(u"M")) {
      const int n = ReadDecimal(text, 1, 3);
      if (n >= 0) set(coilOf(1316 + n, {703, 704}));
    } else if (StartsWith(u"AQ")) {
      const int n = ReadDecimal(text, 2, 3);
      if (n >= 0) set(coilOf(4230 + 4 * (n / 100) + n % 100, {705}));
    } else if (StartsWith(u"AM")) {
      const int n = ReadDecimal(text, 2, 3);
      if (n >= 0) set(coilOf(4288 + n, {705}));
    } else if (StartsWith(u"B")) {
      const int n = ReadDecimal(text, 1, 4);
      if (n >= 0) set(kFirstFunctionBlockNumber + n);
    }
    return;
  }
  if (StartsWith(u"Q")) {
    const int n = ReadDecimal(text, 1, 3);
    if (n >= 0) set(600 + 16 * (n / 100) + n % 100);
  } else if (StartsWith(u"M")) {
    const int n = ReadDecimal(text, 1, 3);
    if (n >= 0) set(1316 + n);
  } else if (StartsWith(u"X")) {
    const int n = ReadDecimal(text, 1, 3);
    if (n >= 0) set(4800 + n);
  } else if (StartsWith(u"AQ")) {
    const int n = ReadDecimal(text, 2, 3);
    if (n >= 0) set(4230 + 4 * (n / 100) + n % 100);
  } else if (StartsWith(u"AM")) {
    const int n = ReadDecimal(text, 2, 3);
    if (n >= 0) set(4288 + n);
  }
}

void CPropPageLadIO::OnOK() {
  ParseOperandName();
}

void CPropPageLadIO::OnNotify(int id, Notify code) {
  if (id == kIdList && code == Notify::kSelChange) return SetModified();
  if (id == kIdList && code == Notify::kDblClick) {
    if (m_requestOK) m_requestOK();
    return;
  }
  if (id == kIdNumber && code == Notify::kChange) SelectStartingWith(Host().GetText(kIdNumber));
}
