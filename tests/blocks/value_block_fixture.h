// A document and a fake view for scanning value blocks: operand blocks give
// digital states and 16-bit words, and blocks are wired by their numbers.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "blocks/block_factory.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"
#include "support/fake_contexts.h"

class ValueBlockTest : public ::testing::Test {
 protected:
  ValueBlockTest() { m_view.m_pDoc = &m_doc; }

  // A block of the type with the given number, owned by the document.
  template <typename T = CBlockObj>
  T* Add(int type, int number) {
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(type);
    block->m_nNumber = number;
    return static_cast<T*>(m_doc.m_blocks.AddTail(std::move(block)));
  }
  // An analog flag (4288 + index) holding a word.
  CBlockObj* Flag(int index, int word) {
    CBlockObj* flag = Add(610, 4288 + index);
    flag->m_nWordValue = word;
    return flag;
  }
  // A digital input (100 + index) in a state.
  CBlockObj* Input(int index, int state) {
    CBlockObj* in = Add(600, 100 + index);
    in->m_nValue[kFirstOutputPin] = state;
    return in;
  }
  // A block whose value (GetValue) is v: a math block that is never scanned.
  CBlockObj* Reference(double v) {
    CBlockObj* ref = Add(869, 9900 + m_nextRef++);
    ref->m_dValue = v;
    return ref;
  }
  static void Wire(CBlockObj* to, int pin, const CBlockObj* from) { to->m_nSource[pin] = from->m_nNumber; }
  // An input pin wired to a fresh flag holding the word.
  void WireWord(CBlockObj* to, int pin, int word) { Wire(to, pin, Flag(m_nextFlag++, word)); }
  // An input pin wired to a fresh digital input in the state.
  void WireBit(CBlockObj* to, int pin, int state) { Wire(to, pin, Input(m_nextInput++, state)); }

  // Stores a block and reads it back as a new object of its class.
  template <typename T>
  static std::unique_ptr<T> RoundTrip(T* block) {
    CArchive out;
    out << static_cast<const CObject*>(block);
    CArchive in(out.TakeBytes());
    T* copy = nullptr;
    in >> copy;
    return std::unique_ptr<T>(copy);
  }

  CZaradDoc m_doc;
  CFakeViewContext m_view;
  int m_nextFlag = 0;
  int m_nextInput = 0;
  int m_nextRef = 0;
};
