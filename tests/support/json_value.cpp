#include "support/json_value.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

class JsonParser {
 public:
  explicit JsonParser(std::string_view text) : m_text(text) {}

  JsonValue Document() {
    JsonValue v = Value();
    Space();
    if (m_at != m_text.size()) Fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void Fail(const char* what) const {
    throw std::runtime_error(std::string("JSON: ") + what + " at offset " + std::to_string(m_at));
  }
  void Space() {
    while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at]))) ++m_at;
  }
  char Peek() {
    Space();
    if (m_at >= m_text.size()) Fail("unexpected end");
    return m_text[m_at];
  }
  void Expect(char c) {
    if (Peek() != c) Fail("unexpected character");
    ++m_at;
  }
  bool Word(std::string_view w) {
    if (m_text.substr(m_at, w.size()) != w) return false;
    m_at += w.size();
    return true;
  }

  JsonValue Value() {
    JsonValue v;
    const char c = Peek();
    if (c == '{') {
      v.m_kind = JsonValue::Kind::kObject;
      ++m_at;
      if (Peek() == '}') {
        ++m_at;
        return v;
      }
      for (;;) {
        if (Peek() != '"') Fail("object key expected");
        std::string key = String();
        Expect(':');
        v.m_object[key] = Value();
        if (Peek() == ',') {
          ++m_at;
          continue;
        }
        Expect('}');
        return v;
      }
    }
    if (c == '[') {
      v.m_kind = JsonValue::Kind::kArray;
      ++m_at;
      if (Peek() == ']') {
        ++m_at;
        return v;
      }
      for (;;) {
        v.m_array.push_back(Value());
        if (Peek() == ',') {
          ++m_at;
          continue;
        }
        Expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.m_kind = JsonValue::Kind::kString;
      v.m_string = String();
      return v;
    }
    if (Word("true") || Word("false")) {
      v.m_kind = JsonValue::Kind::kBool;
      v.m_bool = m_text.substr(m_at - 4, 4) == "true";
      return v;
    }
    if (Word("null")) return v;
    const char* begin = m_text.data() + m_at;
    char* end = nullptr;
    const std::string number(begin, std::min<size_t>(64, m_text.size() - m_at));
    v.m_number = std::strtod(number.c_str(), &end);
    if (end == number.c_str()) Fail("value expected");
    m_at += static_cast<size_t>(end - number.c_str());
    v.m_kind = JsonValue::Kind::kNumber;
    return v;
  }

  unsigned Hex4() {
    if (m_at + 4 > m_text.size()) Fail("short escape");
    const std::string digits(m_text.substr(m_at, 4));
    m_at += 4;
    return static_cast<unsigned>(std::strtoul(digits.c_str(), nullptr, 16));
  }

  void PutUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  std::string String() {
    Expect('"');
    std::string out;
    for (;;) {
      if (m_at >= m_text.size()) Fail("unterminated string");
      const char c = m_text[m_at++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (m_at >= m_text.size()) Fail("unterminated escape");
      const char e = m_text[m_at++];
      switch (e) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          unsigned cp = Hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && Word("\\u"))
            cp = 0x10000 + ((cp - 0xD800) << 10) + (Hex4() - 0xDC00);
          PutUtf8(out, cp);
          break;
        }
        default:
          out += e;
      }
    }
  }

  std::string_view m_text;
  size_t m_at = 0;
};

namespace {
const JsonValue& NullValue() {
  static const JsonValue null;
  return null;
}
}  // namespace

JsonValue JsonValue::Parse(std::string_view text) {
  return JsonParser(text).Document();
}

JsonValue JsonValue::ParseFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Parse(text);
}

bool JsonValue::AsBool() const {
  if (m_kind != Kind::kBool) throw std::runtime_error("JSON: not a boolean");
  return m_bool;
}

double JsonValue::AsNumber() const {
  if (m_kind != Kind::kNumber) throw std::runtime_error("JSON: not a number");
  return m_number;
}

const std::string& JsonValue::AsString() const {
  if (m_kind != Kind::kString) throw std::runtime_error("JSON: not a string");
  return m_string;
}

const std::vector<JsonValue>& JsonValue::AsArray() const {
  if (m_kind != Kind::kArray) throw std::runtime_error("JSON: not an array");
  return m_array;
}

const std::map<std::string, JsonValue>& JsonValue::AsObject() const {
  if (m_kind != Kind::kObject) throw std::runtime_error("JSON: not an object");
  return m_object;
}

const JsonValue& JsonValue::operator[](const std::string& key) const {
  if (m_kind != Kind::kObject) return NullValue();
  const auto it = m_object.find(key);
  return it == m_object.end() ? NullValue() : it->second;
}

const JsonValue& JsonValue::operator[](size_t index) const {
  return m_kind == Kind::kArray && index < m_array.size() ? m_array[index] : NullValue();
}

bool JsonValue::Has(const std::string& key) const {
  return m_kind == Kind::kObject && m_object.count(key) != 0;
}

size_t JsonValue::size() const {
  return m_kind == Kind::kArray ? m_array.size() : m_kind == Kind::kObject ? m_object.size() : 0;
}

std::vector<unsigned char> HexBytes(std::string_view hex) {
  std::vector<unsigned char> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    const std::string pair(hex.substr(i, 2));
    out.push_back(static_cast<unsigned char>(std::strtoul(pair.c_str(), nullptr, 16)));
  }
  return out;
}
