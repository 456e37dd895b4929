// Convert to FBD: a ladder diagram rebuilt as a function-block diagram in a
// new document. Each input of a coil, analog output or function block takes
// the logic of the rungs that feed it: contacts in series become AND blocks,
// parallel branches OR blocks, break contacts inverted inputs (a NOT before
// an output), the power bus the constant 1, contacts the operand blocks they
// read, coils the output, flag or open-connector blocks they drive. Equal
// sub-terms are built once, so two coils fed by the same branches share one
// OR. The result is laid out in columns from the outputs to their sources,
// wired from its links, and wires that cross a block become connector pairs.
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "blocks/block_factory.h"
#include "blocks/data_log_block.h"
#include "editor/diagram_editor.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "platform/archive.h"

namespace {

constexpr int kColumnPitch = 75, kRowPitch = 55;
constexpr int kGateInputs = 4;

bool IsContact(int t) {
  return t >= kTypeMakeContact && t <= kTypeAnalogContact;
}
bool IsCoil(int t) {
  return t == kTypeRelayCoil || t == kTypeInvertedCoil;
}
bool IsNoBlock(int link) {
  return link >= LINK_OPEN && link <= 75;
}

// One term of an input's logic.
struct Term {
  enum Kind { kTrue, kFalse, kOperand, kNot, kAnd, kOr } kind = kFalse;
  int operand = 0;        // kOperand: the operand number read
  int operandType = 0;    // kOperand: the block type that stands for it
  std::vector<int> args;  // indexes of sub-terms
  bool operator<(const Term& o) const {
    return std::tie(kind, operand, operandType, args) < std::tie(o.kind, o.operand, o.operandType, o.args);
  }
};

Term Make(Term::Kind kind) {
  Term t;
  t.kind = kind;
  return t;
}

// The range start of an operand (its index is operand - start); the operand itself when none.
int RangeStart(int operand) {
  static constexpr int kRanges[][2] = {{kFirstInputOperand, kLastInputOperand},
                                       {kFirstOutputOperand, kLastOutputOperand},
                                       {kFirstShiftBitOperand, kLastShiftBitOperand},
                                       {kFirstFunctionKeyOperand, kLastFunctionKeyOperand},
                                       {kFirstFlagOperand, kLastFlagOperand},
                                       {kFirstLowOperand, kLastLowOperand},
                                       {kFirstHighOperand, kLastHighOperand},
                                       {kFirstAnalogInputOperand, kLastAnalogContactInput},
                                       {kFirstAnalogOutputOperand, kLastAnalogOutputOperand},
                                       {kFirstAnalogFlagOperand, kLastAnalogFlagOperand},
                                       {kFirstOpenConnectorOperand, kLastOpenConnectorOperand},
                                       {kFirstFunctionBlockNumber, kLastFunctionBlockNumber}};
  for (const auto& r : kRanges)
    if (operand >= r[0] && operand <= r[1]) return r[0];
  return 0;
}

// The block type of an operand read by a contact.
int OperandBlockType(int operand, bool analog) {
  if (analog) {
    if (operand >= kFirstAnalogFlagOperand && operand <= kLastAnalogFlagOperand) return kTypeAnalogFlag;
    if (operand >= kFirstAnalogOutputOperand && operand <= kLastAnalogOutputOperand) return kTypeAnalogOutput;
    return kTypeAnalogInput;
  }
  if (operand >= kFirstInputOperand && operand <= kLastInputOperand) return kTypeInput;
  if (operand >= kFirstOutputOperand && operand <= kLastOutputOperand) return kTypeOutput;
  if (operand >= kFirstShiftBitOperand && operand <= kLastShiftBitOperand) return kTypeShiftBit;
  if (operand >= kFirstFunctionKeyOperand && operand <= kLastFunctionKeyOperand) return kTypeFunctionKey;
  if (operand >= kFirstFlagOperand && operand <= kLastFlagOperand) return kTypeFlag;
  if (operand >= kFirstLowOperand && operand <= kLastLowOperand) return kTypeLowSignal;
  if (operand >= kFirstHighOperand && operand <= kLastHighOperand) return kTypeHighSignal;
  if (operand >= kFirstOpenConnectorOperand && operand <= kLastOpenConnectorOperand)
    return kTypeOpenConnector;
  return kTypeInput;
}

class CLadderConverter {
 public:
  CLadderConverter(const CZaradDoc& ladder, CZaradDoc& fbd) : m_ladder(ladder), m_fbd(fbd) {}

  void Run();

 private:
  // The logic of an electrical node: the OR of what drives it.
  int NodeTerm(const CBlockObj* block, int pin);
  int ContactOutputTerm(const CBlockObj* contact);
  int Intern(Term t);
  int And(std::vector<int> args);
  int Or(std::vector<int> args);
  // The block number whose output carries term t (built on first use).
  int Build(int term);
  CBlockObj* Add(int type, int number = 0);
  // A copy of a ladder block for the new document.
  std::unique_ptr<CBlockObj> CopyBlock(const CBlockObj& block);
  void Feed(CBlockObj* consumer, int pin, int term, bool outputBlock);
  int ResolveOperand(const CBlockObj* contact) const;
  bool HasWireAt(const CBlockObj* block, int pin) const;
  void RelinkMessageElements();
  void CopyProgramSettings();

  const CZaradDoc& m_ladder;
  CZaradDoc& m_fbd;
  std::vector<Term> m_terms;
  std::map<Term, int> m_index;
  std::map<int, int> m_built;  // term -> block number
  std::map<std::pair<const CBlockObj*, int>, int> m_nodeMemo;
  std::set<std::pair<const CBlockObj*, int>> m_inProgress;
};

int CLadderConverter::Intern(Term t) {
  const auto it = m_index.find(t);
  if (it != m_index.end()) return it->second;
  m_terms.push_back(t);
  const int id = static_cast<int>(m_terms.size()) - 1;
  m_index.emplace(std::move(t), id);
  return id;
}

int CLadderConverter::And(std::vector<int> args) {
  std::vector<int> kept;
  for (int a : args) {
    const Term& t = m_terms[static_cast<size_t>(a)];
    if (t.kind == Term::kFalse) return Intern(Make(Term::kFalse));
    // Contacts in series make one AND (chained four inputs at a time).
    if (t.kind == Term::kAnd) {
      const std::vector<int> inner = t.args;
      kept.insert(kept.end(), inner.begin(), inner.end());
    } else if (t.kind != Term::kTrue) {
      kept.push_back(a);
    }
  }
  if (kept.empty()) return Intern(Make(Term::kTrue));
  if (kept.size() == 1) return kept.front();
  Term t = Make(Term::kAnd);
  t.args = kept;
  return Intern(t);
}

int CLadderConverter::Or(std::vector<int> args) {
  std::vector<int> kept;
  for (int a : args) {
    const Term& t = m_terms[static_cast<size_t>(a)];
    if (t.kind == Term::kTrue) return Intern(Make(Term::kTrue));
    // Parallel branches make one OR.
    const std::vector<int> inner = t.kind == Term::kOr ? t.args : std::vector<int>{a};
    for (int x : inner)
      if (m_terms[static_cast<size_t>(x)].kind != Term::kFalse &&
          std::find(kept.begin(), kept.end(), x) == kept.end())
        kept.push_back(x);
  }
  if (kept.empty()) return Intern(Make(Term::kFalse));
  if (kept.size() == 1) return kept.front();
  Term t = Make(Term::kOr);
  t.args = kept;
  return Intern(t);
}

int CLadderConverter::ResolveOperand(const CBlockObj* contact) const {
  int operand = contact->m_nOperand;
  // A contact of a coil or a ladder analog output reads what that element drives.
  if ((operand >= kFirstCoilNumber && operand <= kLastCoilNumber) ||
      (operand >= kFirstLadderAnalogOutputNumber && operand <= kLastLadderAnalogOutputNumber)) {
    if (const CBlockObj* element = m_ladder.FindBlockByNumber(operand)) operand = element->m_nOperand;
  }
  return operand;
}

void CLadderConverter::CopyProgramSettings() {
  const CZaradDoc& l = m_ladder;
  CZaradDoc& f = m_fbd;
  f.m_strCreator = l.m_strCreator;
  f.m_strProjectName = l.m_strProjectName;
  f.m_strInstallationName = l.m_strInstallationName;
  f.m_strCustomer = l.m_strCustomer;
  f.m_strDiagramNo = l.m_strDiagramNo;
  f.m_strChecked = l.m_strChecked;
  f.m_strVersion1 = l.m_strVersion1;
  f.m_strVersion2 = l.m_strVersion2;
  f.m_strVersion3 = l.m_strVersion3;
  f.m_bShowPropertiesOnNew = l.m_bShowPropertiesOnNew;
  f.m_strComment = l.m_strComment;
  f.m_strProgramName = l.m_strProgramName;
  f.m_strPassword = l.m_strPassword;
  f.m_nRedundancy = l.m_nRedundancy;
  f.m_nSyncTime = l.m_nSyncTime;
  f.m_bCopyProtect = l.m_bCopyProtect;
  f.m_nTempHigh = l.m_nTempHigh;
  f.m_nTempLow = l.m_nTempLow;
  for (int k = 0; k < 3; ++k) f.m_ports[k] = l.m_ports[k];
  f.m_strLogoFile = l.m_strLogoFile;
  f.m_bHasLogoImage = l.m_bHasLogoImage;
  if (l.m_pLogoImage) {
    f.m_pLogoImage = std::make_unique<BYTE[]>(kLogoImageSize);
    std::copy(l.m_pLogoImage.get(), l.m_pLogoImage.get() + kLogoImageSize, f.m_pLogoImage.get());
  }
  f.m_bLogoInverse = l.m_bLogoInverse;
  f.m_nLanguage = l.m_nLanguage;
  f.m_nLogoTime = l.m_nLogoTime;
  f.m_nContrast = l.m_nContrast;
  f.m_nBacklight = l.m_nBacklight;
  if (l.IsNewerFamily()) {
    f.m_bKeepOutputs = l.m_bKeepOutputs;
    f.m_aqFixedValue = l.m_aqFixedValue;
    f.m_aqRangeType = l.m_aqRangeType;
    f.m_nAiRangeType0 = l.m_nAiRangeType0;
    f.m_nAiRangeType1 = l.m_nAiRangeType1;
  }
  f.m_wModelCode = l.m_wModelCode;
  f.m_wModelAux1 = l.m_wModelAux1;
  f.m_wFirmware = l.m_wFirmware;
  f.m_wModelAux2 = l.m_wModelAux2;
  f.m_strModelName = l.m_strModelName;
  f.m_nCharSet1 = l.m_nCharSet1;
  f.m_nCharSet2 = l.m_nCharSet2;
  f.m_nDefaultCharSet = l.m_nDefaultCharSet;
  f.m_nTickerCharMs = l.m_nTickerCharMs;
  f.m_nTickerLineMs = l.m_nTickerLineMs;
  f.m_nAiFilter = l.m_nAiFilter;
  f.m_nScopeTime = l.m_nScopeTime;
}

void CLadderConverter::RelinkMessageElements() {
  // The copied display elements still point into the ladder document: they
  // take the new document's block of their number. In the newer series an
  // element whose block is gone is dropped, except a graph.
  const bool newer = m_fbd.IsNewerFamily();
  for (CBlockObj* b : m_fbd.m_blocks) {
    auto* text = dynamic_cast<CBlockMSGTEXT*>(b);
    if (!text) continue;
    for (int set = 0; set < 2; ++set)
      for (int line = 0; line < CBlockMSGTEXT::kLines; ++line) {
        CBlockMSGTEXT::ElementList* list = text->Elements(set, line);
        if (!list) continue;
        std::erase_if(*list, [&](std::unique_ptr<CWidget>& e) {
          if (!e) return true;
          e->m_pDoc = &m_fbd;
          e->m_pBlock = m_fbd.FindBlockByNumber(e->m_nNumber);
          return newer && !e->m_pBlock && e->m_nKind != MSGELEM_GRAPH;
        });
      }
  }
}

bool CLadderConverter::HasWireAt(const CBlockObj* block, int pin) const {
  for (const CConnectLineObj* w : m_ladder.m_connections)
    if ((w->m_pStartBlock == block && w->m_nStartPin == pin) ||
        (w->m_pEndBlock == block && w->m_nEndPin == pin))
      return true;
  return false;
}

int CLadderConverter::ContactOutputTerm(const CBlockObj* contact) {
  const int operand = ResolveOperand(contact);
  int literal;
  if (IsFunctionBlockNumber(operand)) {
    Term t{Term::kOperand, operand, 0, {}};
    literal = Intern(t);
  } else {
    Term t{Term::kOperand, operand, OperandBlockType(operand, contact->m_nType == kTypeAnalogContact), {}};
    literal = Intern(t);
  }
  // An analog contact passes its analog value on: what feeds its input is dropped.
  if (contact->m_nType == kTypeAnalogContact) return literal;
  if (contact->m_nType == kTypeBreakContact) literal = Intern({Term::kNot, 0, 0, {literal}});
  return And({NodeTerm(contact, 0), literal});
}

int CLadderConverter::NodeTerm(const CBlockObj* block, int pin) {
  const auto key = std::make_pair(block, pin);
  if (const auto it = m_nodeMemo.find(key); it != m_nodeMemo.end()) return it->second;
  // A loop (possible only in a damaged file) reads as false.
  if (!m_inProgress.insert(key).second) return Intern(Make(Term::kFalse));
  // The electrical node of the pin: every pin joined to it through wires;
  // its value is the OR of the outputs on it.
  std::set<std::pair<const CBlockObj*, int>> node{key};
  std::vector<std::pair<const CBlockObj*, int>> todo{key};
  while (!todo.empty()) {
    const auto [b, p] = todo.back();
    todo.pop_back();
    for (const CConnectLineObj* w : m_ladder.m_connections) {
      std::pair<const CBlockObj*, int> other;
      if (w->m_pStartBlock == b && w->m_nStartPin == p) {
        other = {w->m_pEndBlock, w->m_nEndPin};
      } else if (w->m_pEndBlock == b && w->m_nEndPin == p) {
        other = {w->m_pStartBlock, w->m_nStartPin};
      } else {
        continue;
      }
      if (!other.first) continue;
      // A connector half passes the node on to its partner's wire.
      if (IsConnectorType(other.first->m_nType)) {
        const int partnerNumber = other.first->m_nType == kTypeMaleConnector
                                      ? other.first->m_nNumber + kFemaleNumberOffset
                                      : other.first->m_nNumber - kFemaleNumberOffset;
        const CBlockObj* partner = m_ladder.FindBlockByNumber(partnerNumber);
        if (partner) {
          const int partnerPin = partner->m_nType == kTypeMaleConnector ? 0 : kFirstOutputPin;
          if (node.insert({partner, partnerPin}).second) todo.push_back({partner, partnerPin});
        }
        continue;
      }
      if (node.insert(other).second) todo.push_back(other);
    }
  }
  std::vector<int> drivers;
  const CBlockObj* bus = m_ladder.m_powerBus.GetHead();
  for (const auto& [b, p] : node) {
    if (p < kFirstOutputPin) continue;
    if (b == bus) {
      drivers.push_back(Intern(Make(Term::kTrue)));
    } else if (IsContact(b->m_nType)) {
      drivers.push_back(ContactOutputTerm(b));
    }
  }
  const int term = Or(drivers);
  m_inProgress.erase(key);
  m_nodeMemo[key] = term;
  return term;
}

CBlockObj* CLadderConverter::Add(int type, int number) {
  std::unique_ptr<CBlockObj> block = MakeBlockOfType(type, BlockContext::For(&m_fbd));
  if (!block) return nullptr;
  CBlockObj* added = m_fbd.AddBlock(std::move(block));
  if (number != 0) m_fbd.SetBlockNumber(added, number);
  return added;
}

int CLadderConverter::Build(int term) {
  if (const auto it = m_built.find(term); it != m_built.end()) return it->second;
  const Term t = m_terms[static_cast<size_t>(term)];
  int number = 0;
  switch (t.kind) {
    case Term::kTrue:
    case Term::kFalse: {
      const int type = t.kind == Term::kTrue ? kTypeHighSignal : kTypeLowSignal;
      CBlockObj* existing = nullptr;
      for (CBlockObj* b : m_fbd.m_blocks)
        if (b->m_nType == type && !existing) existing = b;
      number = (existing ? existing : Add(type))->m_nNumber;
      break;
    }
    case Term::kOperand: {
      if (CBlockObj* b = m_fbd.FindBlockByNumber(t.operand)) {
        number = b->m_nNumber;
      } else if (t.operandType != 0) {
        CBlockObj* b2 = Add(t.operandType, t.operand);
        b2->m_nOperand = t.operand - RangeStart(t.operand);
        number = b2->m_nNumber;
      } else {
        number = t.operand;  // a function block that no longer exists: left open below
      }
      break;
    }
    case Term::kNot: {
      CBlockObj* gate = Add(kTypeNot);
      Feed(gate, 0, t.args.front(), false);
      number = gate->m_nNumber;
      break;
    }
    case Term::kAnd:
    case Term::kOr: {
      // Four inputs a gate: the first gate takes four terms, each further
      // gate the previous one and up to three more.
      const int type = t.kind == Term::kAnd ? kTypeAnd : kTypeOr;
      CBlockObj* gate = Add(type);
      size_t next = 0;
      for (int pin = 0; pin < kGateInputs && next < t.args.size(); ++pin)
        Feed(gate, pin, t.args[next++], false);
      while (next < t.args.size()) {
        CBlockObj* more = Add(type);
        more->m_nSource[0] = gate->m_nNumber;
        gate->m_nSource[kFirstOutputPin] = more->m_nNumber;
        for (int pin = 1; pin < kGateInputs && next < t.args.size(); ++pin)
          Feed(more, pin, t.args[next++], false);
        gate = more;
      }
      number = gate->m_nNumber;
      break;
    }
  }
  m_built[term] = number;
  return number;
}

void CLadderConverter::Feed(CBlockObj* consumer, int pin, int term, bool outputBlock) {
  const Term& t = m_terms[static_cast<size_t>(term)];
  // A negated operand into a gate or function block is an inverted input;
  // an output block cannot invert, so it gets a NOT block.
  if (t.kind == Term::kNot && !outputBlock &&
      m_terms[static_cast<size_t>(t.args.front())].kind != Term::kAnd &&
      m_terms[static_cast<size_t>(t.args.front())].kind != Term::kOr) {
    const int source = Build(t.args.front());
    consumer->m_nSource[pin] = source;
    consumer->m_bInvert[pin] = consumer->m_bInvert[pin] ? 0 : 1;  // a copied block keeps its own negation
    if (CBlockObj* s = m_fbd.FindBlockByNumber(source)) s->m_nSource[kFirstOutputPin] = consumer->m_nNumber;
    return;
  }
  const int source = Build(term);
  CBlockObj* s = m_fbd.FindBlockByNumber(source);
  consumer->m_nSource[pin] = s ? source : LINK_OPEN;
  if (s) s->m_nSource[kFirstOutputPin] = consumer->m_nNumber;
}

std::unique_ptr<CBlockObj> CLadderConverter::CopyBlock(const CBlockObj& block) {
  try {
    CArchive out;
    out.m_pDocument = const_cast<CZaradDoc*>(&m_ladder);
    out.WriteObject(&block);
    if (block.HasElementLists()) const_cast<CBlockObj&>(block).SerializeElementLists(out);
    CArchive in(out.TakeBytes());
    in.m_pDocument = &m_fbd;
    std::unique_ptr<CObject> object(in.ReadNewObject(RUNTIME_CLASS(CBlockObj)));
    if (dynamic_cast<CBlockObj*>(object.get()) != nullptr) {
      std::unique_ptr<CBlockObj> copy(static_cast<CBlockObj*>(object.release()));
      if (copy->HasElementLists()) copy->SerializeElementLists(in);
      // The pin types of a function-block diagram (a ladder block has no wired output).
      copy->GetPinTypeRow(&m_fbd);
      return copy;
    }
  } catch (const CArchiveException&) {
  }
  // A record that does not read back (none the program writes): the settings copy.
  std::unique_ptr<CBlockObj> copy = MakeBlockOfType(block.m_nType, BlockContext::For(&m_fbd));
  if (copy) const_cast<CBlockObj&>(block).CopyTo(copy.get(), TRUE, &m_fbd);
  return copy;
}

void CLadderConverter::Run() {
  CopyProgramSettings();
  // Numbered and looked up from tables built once, not from a pass over the diagram per block.
  CBlockNumberingBatch numbering(m_fbd);
  m_fbd.m_sizePage = m_ladder.m_sizePage;
  // The function blocks and the data log come over whole, with their numbers:
  // parameters, references, every pin-source slot after the inputs (the fields
  // of the device record), the family's own fields and the display elements.
  // Only their wired inputs and their output link are rebuilt from the rungs.
  std::vector<std::pair<const CBlockObj*, CBlockObj*>> functions;
  for (const CBlockObj* b : m_ladder.m_blocks) {
    const int typeClass = CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType));
    if (typeClass != 2 && typeClass != 4) continue;
    std::unique_ptr<CBlockObj> copy = CopyBlock(*b);
    if (!copy) continue;
    for (int i = 0; i < copy->m_nInputs && i < kFirstOutputPin; ++i)
      if (!IsLinkCode(copy->m_nSource[i])) copy->m_nSource[i] = LINK_OPEN;
    copy->m_nSource[kFirstOutputPin] = 0;
    CBlockObj* added = m_fbd.AddBlock(std::move(copy));
    m_fbd.SetBlockNumber(added, b->m_nNumber);
    added->m_ptPos = b->m_ptPos;
    functions.emplace_back(b, added);
  }
  // References and logged blocks name the new document's blocks of the same numbers.
  for (auto& [from, to] : functions) {
    for (int k = 0; k < kRefCount; ++k)
      to->m_pRef[k] = from->m_pRef[k] ? m_fbd.FindBlockByNumber(from->m_pRef[k]->m_nNumber) : nullptr;
    if (auto* log = dynamic_cast<CBlockDataLog*>(to)) log->BindItems(m_fbd);
  }
  // Outputs: each coil and ladder analog output becomes the block of its operand.
  for (const CBlockObj* b : m_ladder.m_blocks) {
    if (!IsCoil(b->m_nType) && b->m_nType != kTypeLadderAnalogOutput) continue;
    const int operand = b->m_nOperand;
    int type;
    if (b->m_nType == kTypeLadderAnalogOutput) {
      type = operand >= kFirstAnalogFlagOperand && operand <= kLastAnalogFlagOperand ? kTypeAnalogFlag
                                                                                     : kTypeAnalogOutput;
    } else {
      type = operand >= kFirstFlagOperand && operand <= kLastFlagOperand ? kTypeFlag
             : operand >= kFirstOpenConnectorOperand && operand <= kLastOpenConnectorOperand
                 ? kTypeOpenConnector
                 : kTypeOutput;
    }
    CBlockObj* out = m_fbd.FindBlockByNumber(operand);
    if (!out) {
      out = Add(type, operand);
      out->m_nOperand = operand - RangeStart(operand);
      out->m_ptPos = b->m_ptPos;
    }
    if (!HasWireAt(b, 0)) {
      // Nothing wired to the coil: the output's input stays open, behind a
      // NOT with an open input for an inverted output.
      out->m_nSource[0] = LINK_OPEN;
      if (b->m_nType == kTypeInvertedCoil) {
        CBlockObj* gate = Add(kTypeNot);
        gate->m_nSource[kFirstOutputPin] = out->m_nNumber;
        out->m_nSource[0] = gate->m_nNumber;
      }
      continue;
    }
    int term = NodeTerm(b, 0);
    if (b->m_nType == kTypeInvertedCoil) term = Intern({Term::kNot, 0, 0, {term}});
    Feed(out, 0, term, true);
  }
  for (auto& [from, to] : functions)
    for (int i = 0; i < from->m_nInputs && i < kFirstOutputPin; ++i) {
      if (IsLinkCode(from->m_nSource[i]) && from->m_nSource[i] != LINK_OPEN) {
        to->m_nSource[i] = from->m_nSource[i];  // fixed codes stay
        continue;
      }
      const int term = NodeTerm(from, i);
      if (m_terms[static_cast<size_t>(term)].kind == Term::kFalse && from->m_nSource[i] == LINK_OPEN)
        continue;
      Feed(to, i, term, false);
    }
  RelinkMessageElements();
}

}  // namespace

void CDiagramEditor::ConvertLadderToFbd(const CZaradDoc& ladder) {
  const int keepSnapshot = m_bAutoSnapshot;
  m_bAutoSnapshot = 0;
  CLadderConverter(ladder, *m_pDoc).Run();
  LayoutConvertedDiagram();
  RebuildConnectionsFromLinks();
  m_bAutoSnapshot = keepSnapshot;
  m_pDoc->SetModifiedFlag(true);
  InvalidateDiagram();
}

// ---- Layout -----------------------------------------------------------------------------------

namespace {

int FirstLinkedInput(const CBlockObj* b) {
  for (int i = 0; i < b->m_nInputs && i < kFirstOutputPin; ++i)
    if (!IsNoBlock(b->m_nSource[i])) return i;
  return -1;
}

bool IsOutputKind(const CBlockObj* b) {
  const int t = b->m_nType;
  return t == kTypeOutput || t == kTypeFlag || t == kTypeAnalogOutput || t == kTypeAnalogFlag;
}

}  // namespace

void CDiagramEditor::PlaceSourceColumns(CBlockObj* block, int pin, int* maxColumn, int* rows,
                                        std::map<const CBlockObj*, CPoint>& cells) {
  const int walkPin = FirstLinkedInput(block);
  if (walkPin < 0) return;
  CBlockObj* source = m_pDoc->FindBlockByNumber(block->m_nSource[pin]);
  if (!source || IsOutputKind(source) || cells.count(source)) return;
  const CPoint cell = cells[block];
  const int row = pin == walkPin ? cell.y : ++*rows;
  cells[source] = CPoint(cell.x + 1, row);
  *maxColumn = std::max(*maxColumn, cell.x + 1);
  const int sourceWalk = FirstLinkedInput(source);
  if (sourceWalk < 0) return;
  for (int i = sourceWalk; i < source->m_nInputs && i < kFirstOutputPin; ++i)
    if (!IsNoBlock(source->m_nSource[i])) PlaceSourceColumns(source, i, maxColumn, rows, cells);
}

void CDiagramEditor::LayoutConvertedDiagram() {
  std::vector<CBlockObj*> terminals;
  for (CBlockObj* b : m_pDoc->m_blocks)
    if (b->m_nSource[kFirstOutputPin] == 0 || IsOutputKind(b) || b->m_nType == kTypeOpenConnector)
      terminals.push_back(b);
  std::sort(terminals.begin(), terminals.end(),
            [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });
  std::map<const CBlockObj*, CPoint> cells;
  int rows = 0, maxColumn = 1;
  for (CBlockObj* t : terminals) {
    if (cells.count(t)) continue;
    cells[t] = CPoint(1, ++rows);
    const int walk = FirstLinkedInput(t);
    if (walk < 0) continue;
    for (int i = walk; i < t->m_nInputs && i < kFirstOutputPin; ++i)
      if (!IsNoBlock(t->m_nSource[i])) PlaceSourceColumns(t, i, &maxColumn, &rows, cells);
  }
  // Blocks no output reaches get rows of their own below the rest.
  for (CBlockObj* b : m_pDoc->m_blocks)
    if (!cells.count(b)) cells[b] = CPoint(1, ++rows);
  int right = 0, bottom = 0;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    const CPoint cell = cells[b];
    b->m_nWidth = 25;
    b->m_nHeight = b->m_nInputs == 4 ? 40 : 36;
    b->m_ptPos = b->m_ptDragStart = CPoint((maxColumn - cell.x + 1) * kColumnPitch, cell.y * kRowPitch);
    right = std::max(right, b->m_ptPos.x + b->m_nWidth);
    bottom = std::max(bottom, b->m_ptPos.y + b->m_nHeight);
  }
  const CSize page = m_pDoc->m_sizePage;
  if (page.cx <= 0 || page.cy <= 0) return;
  if (maxColumn * kColumnPitch < page.cx && rows * kRowPitch < page.cy && right < page.cx && bottom < page.cy)
    return;
  m_pDoc->m_nPagesAcross = std::max(right, maxColumn * kColumnPitch) / page.cx + 1;
  m_pDoc->m_nPagesDown = std::max(rows * kRowPitch, bottom) / page.cy + 1;
  m_pDoc->m_rcDiagram.right = page.cx * m_pDoc->m_nPagesAcross;
  m_pDoc->m_rcDiagram.bottom = page.cy * m_pDoc->m_nPagesDown;
  UpdateScrollSizes();
}

int CDiagramEditor::RebuildConnectionsFromLinks() {
  for (CBlockObj* b : std::vector<CBlockObj*>(m_pDoc->m_blocks.begin(), m_pDoc->m_blocks.end())) {
    const int walk = FirstLinkedInput(b);
    if (walk < 0) continue;
    for (int i = walk; i < b->m_nInputs && i < kFirstOutputPin; ++i) {
      if (IsNoBlock(b->m_nSource[i])) continue;
      CBlockObj* source = m_pDoc->FindBlockByNumber(b->m_nSource[i]);
      CRect in, out;
      if (!source || !GetPinRect(&in, b, i) || !GetPinRect(&out, source, kFirstOutputPin)) continue;
      const int keepOutputLink = source->m_nSource[kFirstOutputPin];
      AddDirectConnection(in.CenterPoint(), b, i, out.CenterPoint(), source, kFirstOutputPin);
      (void)keepOutputLink;
    }
  }
  return SeparateCrossingConnections();
}
