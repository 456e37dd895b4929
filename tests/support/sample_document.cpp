#include "support/sample_document.h"

#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "model/block_comment.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"

namespace {

// Function-block kinds the sample cycles through.
constexpr int kBlockTypes[] = {300, 301, 302, 303, 304, 305, 306, 307, 400, 401, 402, 403,
                               404, 405, 406, 407, 408, 409, 800, 801, 802, 803, 804, 805,
                               806, 807, 808, 809, 812, 815, 816, 817, 818, 819, 820, 821,
                               822, 823, 830, 831, 834, 838, 844, 846, 860, 862, 864, 879};
// Operand kinds: inputs, outputs, flags, analog inputs.
constexpr int kOperandTypes[] = {600, 605, 607, 608};
constexpr int kColumns = 32;
constexpr int kPitchX = 80;
constexpr int kPitchY = 60;

// A new block of the type when the document still allows one (its type limit),
// numbered by the document; null when the type is used up.
CBlockObj* AddAllowed(CZaradDoc& doc, int type) {
  if (doc.GetTypeLimit(type) > 0 && !doc.CheckTypeLimit(static_cast<UINT>(type), nullptr)) return nullptr;
  return doc.AddBlock(MakeBlockOfType(type));
}

// The next block of the kinds in turn, from kinds[*turn] on, skipping kinds
// that are used up; null when every kind is.
template <size_t N>
CBlockObj* AddNextAllowed(CZaradDoc& doc, const int (&kinds)[N], size_t* turn) {
  for (size_t tries = 0; tries < N; ++tries) {
    const int type = kinds[(*turn)++ % N];
    if (CBlockObj* block = AddAllowed(doc, type)) return block;
  }
  return nullptr;
}

CConnectLineObj* Connect(CZaradDoc& doc, CBlockObj* src, CBlockObj* dst, int pin) {
  auto wire = std::make_unique<CConnectLineObj>();
  wire->m_ptStart =
      CPoint(src->m_ptPos.x + src->m_nWidth + kPinMarkSize, src->m_ptPos.y + src->m_nHeight / 2);
  wire->m_ptEnd = CPoint(dst->m_ptPos.x - kPinMarkSize, dst->m_ptPos.y + 8 * (pin + 1));
  wire->m_nStartNumber = src->m_nNumber;
  wire->m_nEndNumber = dst->m_nNumber;
  wire->m_nStartPin = kFirstOutputPin;
  wire->m_nEndPin = pin;
  wire->m_pStartBlock = src;
  wire->m_pEndBlock = dst;
  const int midX = (wire->m_ptStart.x + wire->m_ptEnd.x) / 2;
  wire->m_points = {wire->m_ptStart,
                    CPoint(midX, wire->m_ptStart.y),
                    CPoint(midX, wire->m_ptStart.y),
                    CPoint(midX, wire->m_ptEnd.y),
                    CPoint(midX, wire->m_ptEnd.y),
                    wire->m_ptEnd};
  dst->m_nSource[pin] = src->m_nNumber;
  src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
  if (dst->m_nFirstLinkedPin < 0 || pin < dst->m_nFirstLinkedPin) dst->m_nFirstLinkedPin = pin;
  return doc.m_connections.AddTail(std::move(wire));
}

void AddElements(CBlockMSGTEXT* msg, const std::vector<CBlockObj*>& shown, int seed) {
  for (int set = 0; set < 2; ++set) {
    for (int line = 0; line < CBlockMSGTEXT::kLines; ++line) {
      auto element = std::make_unique<CWidget>(24, 8 * (line + 1), 7 * 8, 24, 0x00C0FFC0);
      const CBlockObj* block = shown[static_cast<size_t>(seed + line) % shown.size()];
      element->m_nRow = line + 1;
      element->m_nCol = 1 + 2 * set;
      element->m_nNumber = block->m_nNumber;
      element->m_pBlock = const_cast<CBlockObj*>(block);
      element->m_nParam = 0;
      element->m_nKind = 0;
      element->m_nWidth = 6;
      element->m_strLabel = CString(u"Current Time");
      msg->Elements(set, line)->push_back(std::move(element));
    }
  }
  msg->m_strTextSet1[1][1] = CString(u"T");
  msg->m_strTextSet2[2][3] = CString(u"\u6e29");
}

}  // namespace

void BuildSampleDocument(CZaradDoc& doc, const SampleDocumentSize& size) {
  std::vector<CBlockObj*> sources[3];  // blocks with a digital [1] or analog [2] output
  std::vector<CBlockObj*> sinks;       // blocks with inputs
  int placed = 0;
  auto place = [&](CBlockObj* block) {
    block->m_ptPos = CPoint(40 + kPitchX * (placed % kColumns), 40 + kPitchY * (placed / kColumns));
    ++placed;
    const int type = block->m_nPinType[kFirstOutputPin];
    if ((type == PIN_DIGITAL || type == PIN_ANALOG) && block->m_nOutputs > 0) sources[type].push_back(block);
    if (block->m_nInputs > 0) sinks.push_back(block);
  };

  size_t turn = 0;
  for (int i = 0; i < size.nOperands; ++i) {
    CBlockObj* block = AddNextAllowed(doc, kOperandTypes, &turn);
    if (!block) break;
    place(block);
  }
  std::vector<CBlockObj*> functionBlocks;
  const int messages = std::min(size.nMessageTexts, 16);
  std::vector<CBlockMSGTEXT*> texts;
  turn = 0;
  for (int i = 0; i < size.nFunctionBlocks; ++i) {
    CBlockObj* block =
        i < messages ? AddAllowed(doc, CBlockMSGTEXT::kTypeCode) : AddNextAllowed(doc, kBlockTypes, &turn);
    if (!block) continue;
    place(block);
    functionBlocks.push_back(block);
    if (auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, block)) {
      msg->SetPriority(i);
      texts.push_back(msg);
    }
  }

  int wires = 0;
  size_t next = 0;
  for (CBlockObj* dst : sinks) {
    for (int pin = 0; pin < dst->m_nInputs && wires < size.nWires; ++pin) {
      const int type = dst->m_nPinType[pin];
      if ((type != PIN_DIGITAL && type != PIN_ANALOG) || dst->m_nSource[pin] != LINK_OPEN) continue;
      const std::vector<CBlockObj*>& from = sources[type];
      if (from.empty()) continue;
      CBlockObj* src = from[next++ % from.size()];
      if (src == dst) src = from[next++ % from.size()];
      if (src == dst) continue;
      Connect(doc, src, dst, pin);
      ++wires;
    }
  }

  for (size_t i = 0; i < texts.size(); ++i) AddElements(texts[i], functionBlocks, static_cast<int>(i) * 7);

  for (int i = 0; i < size.nComments; ++i) {
    auto comment = std::make_unique<CBlockComment>();
    comment->m_ptPos = CPoint(40 + 200 * i, 10);
    comment->m_size = CSize(160, 24);
    comment->m_strText.Format(u"Section %d\r\nSample", i + 1);
    comment->m_nLines = 2;
    doc.m_comments.AddTail(std::move(comment));
  }
}
