// Block kinds have one home: their type codes are named in model/block_codes.h
// and every other file uses the names or asks the kind's descriptor. This test
// reads the source tree and counts what still spells a code outside the block
// library and the header: case labels and comparisons of a type with a
// three-digit literal (300..999), and the fixed function block numbers 9000
// and 10999. The ceilings only go down.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kTypeCodeCeiling = 0;
// The grid controls lie below the model and cannot see its header; their
// host hands them the edited block's number.
constexpr int kBlockNumberCeiling = 3;

fs::path SourceRoot() {
  return fs::path(ZOVUZI_TEST_DATA_DIR).parent_path().parent_path() / "src";
}

// The text with comments, string and character literals blanked out (line
// breaks kept).
std::string CodeOnly(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    if (s.compare(i, 2, "//") == 0) {
      while (i < n && s[i] != '\n') ++i;
    } else if (s.compare(i, 2, "/*") == 0) {
      const size_t end = s.find("*/", i + 2);
      const size_t stop = end == std::string::npos ? n : end + 2;
      for (; i < stop; ++i)
        if (s[i] == '\n') out += '\n';
      out += ' ';
    } else if (s[i] == '"' ||
               (s[i] == '\'' && (i == 0 || !std::isalnum(static_cast<unsigned char>(s[i - 1]))))) {
      const char quote = s[i++];
      while (i < n && s[i] != quote && s[i] != '\n') i += s[i] == '\\' ? 2 : 1;
      ++i;
      out += "\"\"";
    } else {
      out += s[i++];
    }
  }
  return out;
}

bool IsWord(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether an operand names a type: its last member or call ends the chain
// (b->m_nType, GetType(), typeCode, t).
bool IsTypeOperand(std::string last) {
  for (char& c : last) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return last == "t" || last.find("type") != std::string::npos;
}

// The last component of the operand chain that ends just before `end`.
std::string OperandBefore(const std::string& s, size_t end) {
  size_t i = end;
  while (i > 0 && s[i - 1] == ' ') --i;
  if (i >= 2 && s[i - 1] == ')' && s[i - 2] == '(') i -= 2;
  const size_t stop = i;
  while (i > 0 && IsWord(s[i - 1])) --i;
  return s.substr(i, stop - i);
}

// The last component of the operand chain that starts at `begin`.
std::string OperandAfter(const std::string& s, size_t begin) {
  size_t i = begin;
  while (i < s.size() && s[i] == ' ') ++i;
  std::string last;
  for (;;) {
    const size_t start = i;
    while (i < s.size() && IsWord(s[i])) ++i;
    if (i == start) break;
    last = s.substr(start, i - start);
    if (s.compare(i, 2, "()") == 0) i += 2;
    if (s.compare(i, 2, "->") == 0) {
      i += 2;
    } else if (i < s.size() && s[i] == '.') {
      ++i;
    } else {
      break;
    }
  }
  return last;
}

// The comparison operator that ends just before `end` ("" when none).
std::string OperatorBefore(const std::string& s, size_t end) {
  size_t i = end;
  while (i > 0 && s[i - 1] == ' ') --i;
  if (i >= 2) {
    const std::string two = s.substr(i - 2, 2);
    if (two == "==" || two == "!=" || two == "<=" || two == ">=") return two;
    if (two == "<<" || two == ">>" || two == "->") return "";
  }
  if (i >= 1 && (s[i - 1] == '<' || s[i - 1] == '>')) return std::string(1, s[i - 1]);
  return "";
}

std::string OperatorAfter(const std::string& s, size_t begin) {
  size_t i = begin;
  while (i < s.size() && s[i] == ' ') ++i;
  const std::string two = s.substr(i, 2);
  if (two == "==" || two == "!=" || two == "<=" || two == ">=") return two;
  if (two == "<<" || two == ">>" || two == "<=" || two == "->") return "";
  if (i < s.size() && (s[i] == '<' || s[i] == '>')) return std::string(1, s[i]);
  return "";
}

bool CaseBefore(const std::string& s, size_t end) {
  size_t i = end;
  while (i > 0 && s[i - 1] == ' ') --i;
  return i >= 4 && s.compare(i - 4, 4, "case") == 0 && (i == 4 || !IsWord(s[i - 5]));
}

// Whether the literal at `pos` is what a named constant of its own is defined
// as ("constexpr int kLinkTimeout = 9000;"): that is the constant's one home.
bool DefinesConstant(const std::string& s, size_t pos) {
  size_t start = s.rfind('\n', pos);
  start = start == std::string::npos ? 0 : start + 1;
  while (start < pos && s[start] == ' ') ++start;
  if (s.compare(start, 7, "static ") == 0) start += 7;
  return s.compare(start, 10, "constexpr ") == 0;
}

struct Counts {
  int typeCodes = 0;
  int blockNumbers = 0;
};

Counts CountFile(const std::string& code) {
  Counts counts;
  const size_t n = code.size();
  for (size_t i = 0; i < n;) {
    if (!std::isdigit(static_cast<unsigned char>(code[i])) ||
        (i > 0 && (IsWord(code[i - 1]) || code[i - 1] == '.'))) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < n && std::isdigit(static_cast<unsigned char>(code[j]))) ++j;
    if (j < n && (IsWord(code[j]) || code[j] == '.')) {
      i = j;
      continue;
    }
    const std::string token = code.substr(i, j - i);
    if ((token == "9000" || token == "10999") && !DefinesConstant(code, i)) ++counts.blockNumbers;
    if (token.size() == 3 && token[0] >= '3') {
      size_t k = j;
      while (k < n && code[k] == ' ') ++k;
      const bool label = CaseBefore(code, i) && k < n && (code[k] == ':' || code[k] == '.');
      size_t b = i;
      while (b > 0 && code[b - 1] == ' ') --b;
      const std::string before = OperatorBefore(code, i);
      const bool left = !before.empty() && IsTypeOperand(OperandBefore(code, b - before.size()));
      bool right = false;
      if (const std::string op = OperatorAfter(code, j); !op.empty()) {
        size_t o = j;
        while (o < n && code[o] == ' ') ++o;
        right = IsTypeOperand(OperandAfter(code, o + op.size()));
      }
      if (label || left || right) ++counts.typeCodes;
    }
    i = j;
  }
  return counts;
}

TEST(TypeCodeLiteralsTest, OutsideTheBlockLibraryTheCodesGoByName) {
  const fs::path root = SourceRoot();
  ASSERT_TRUE(fs::is_directory(root / "blocks")) << root;
  std::map<std::string, Counts> perFolder;
  Counts total;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const fs::path path = entry.path();
    if (path.extension() != ".cpp" && path.extension() != ".h") continue;
    const fs::path rel = fs::relative(path, root);
    if (*rel.begin() == "blocks" || rel == fs::path("model") / "block_codes.h") continue;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const Counts c = CountFile(CodeOnly(text.str()));
    std::string folder = rel.begin()->string();
    if (rel.string().find("/gui/") != std::string::npos) folder += "/gui";
    perFolder[folder].typeCodes += c.typeCodes;
    perFolder[folder].blockNumbers += c.blockNumbers;
    total.typeCodes += c.typeCodes;
    total.blockNumbers += c.blockNumbers;
  }
  std::string report;
  for (const auto& [folder, c] : perFolder)
    if (c.typeCodes || c.blockNumbers)
      report += folder + ": " + std::to_string(c.typeCodes) + " type codes, " +
                std::to_string(c.blockNumbers) + " block numbers\n";
  EXPECT_LE(total.typeCodes, kTypeCodeCeiling) << report;
  EXPECT_LE(total.blockNumbers, kBlockNumberCeiling) << report;
  std::printf("literal type codes %d, literal 9000/10999 %d\n%s", total.typeCodes, total.blockNumbers,
              report.c_str());
}

TEST(TypeCodeLiteralsTest, TheCounterFindsWhatItLooksFor) {
  const struct {
    const char* code;
    int typeCodes;
    int blockNumbers;
  } cases[] = {
      {"if (b->m_nType == 400) x();", 1, 0},
      {"if (413 >= type) x();", 1, 0},
      {"switch (t) { case 600: case 611: break; }", 2, 0},
      {"if (t >= 400 && t <= 413) x();", 2, 0},
      {"if (GetType() != 810) x();", 1, 0},
      {"if (width > 400) x();", 0, 0},
      {"if (t == kTypeDPR) x(); // t == 400", 0, 0},
      {"s = \"case 400:\";", 0, 0},
      {"n = 9000 + 10999; m = 90000;", 0, 2},
      {"x = y << 400; z = t->a;", 0, 0},
      {"double d = 400.0; if (t == 0x400) x();", 0, 0},
      {"constexpr int kLinkTimeout = 9000;\nint n = b - 9000;", 0, 1},
  };
  for (const auto& c : cases) {
    const Counts counts = CountFile(CodeOnly(c.code));
    EXPECT_EQ(counts.typeCodes, c.typeCodes) << c.code;
    EXPECT_EQ(counts.blockNumbers, c.blockNumbers) << c.code;
  }
}

}  // namespace
