// Little-endian byte assembly for hand-written archive fixtures: numbers,
// both string forms, class records and object references.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/types.h"

class FixtureBytes {
 public:
  FixtureBytes& Byte(int v) {
    m_b.push_back(static_cast<BYTE>(v & 0xFF));
    return *this;
  }
  FixtureBytes& Word(int v) { return Byte(v).Byte(v >> 8); }
  FixtureBytes& Int(int v) {
    const auto u = static_cast<unsigned>(v);
    for (int i = 0; i < 4; ++i) Byte(static_cast<int>(u >> (8 * i)));
    return *this;
  }
  FixtureBytes& Ints(std::initializer_list<int> vs) {
    for (int v : vs) Int(v);
    return *this;
  }
  FixtureBytes& Float(float f) {
    unsigned u = 0;
    std::memcpy(&u, &f, sizeof u);
    return Int(static_cast<int>(u));
  }
  FixtureBytes& Raw(const std::vector<BYTE>& bytes) {
    m_b.insert(m_b.end(), bytes.begin(), bytes.end());
    return *this;
  }
  FixtureBytes& Fill(int value, size_t n) {
    m_b.insert(m_b.end(), n, static_cast<BYTE>(value));
    return *this;
  }
  // The old string form: a length byte and 8-bit characters.
  FixtureBytes& Str8(const std::string& s) {
    Byte(static_cast<int>(s.size()));
    m_b.insert(m_b.end(), s.begin(), s.end());
    return *this;
  }
  // The tagged UTF-16 form of an ASCII text.
  FixtureBytes& Str16(const std::string& s) {
    Byte(0xFF).Word(0xFFFE).Byte(static_cast<int>(s.size()));
    for (char c : s) Word(static_cast<unsigned char>(c));
    return *this;
  }
  // A new-class record: tag FFFF, schema, name length and name.
  FixtureBytes& NewClass(const std::string& name, int schema) {
    Word(0xFFFF).Word(schema).Word(static_cast<int>(name.size()));
    m_b.insert(m_b.end(), name.begin(), name.end());
    return *this;
  }
  // A later object of the class with that index.
  FixtureBytes& ClassRef(int index) { return Word(0x8000 | index); }

  std::vector<BYTE> m_b;
};
