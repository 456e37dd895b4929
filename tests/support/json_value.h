// A small JSON reader for the tests' data files: objects, arrays, strings
// (with \u escapes), numbers, true, false and null. Parse errors are thrown as
// std::runtime_error naming the offset.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class JsonValue {
 public:
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };

  static JsonValue Parse(std::string_view text);
  static JsonValue ParseFile(const std::string& path);

  Kind kind() const { return m_kind; }
  bool IsNull() const { return m_kind == Kind::kNull; }
  bool AsBool() const;
  double AsNumber() const;
  long long AsInt() const { return static_cast<long long>(AsNumber()); }
  const std::string& AsString() const;
  const std::vector<JsonValue>& AsArray() const;
  const std::map<std::string, JsonValue>& AsObject() const;

  // Member of an object; a null value when there is none.
  const JsonValue& operator[](const std::string& key) const;
  // Element of an array; a null value past the end.
  const JsonValue& operator[](size_t index) const;
  bool Has(const std::string& key) const;
  size_t size() const;

 private:
  friend class JsonParser;
  Kind m_kind = Kind::kNull;
  bool m_bool = false;
  double m_number = 0;
  std::string m_string;
  std::vector<JsonValue> m_array;
  std::map<std::string, JsonValue> m_object;
};

// The bytes a string of hex digits spells ("0a1B" -> {0x0A, 0x1B}).
std::vector<unsigned char> HexBytes(std::string_view hex);
