#include "support/fixture_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

std::string FixturePath(const std::string& name) {
  return std::string(ZOVUZI_TEST_DATA_DIR) + "/fixtures/" + name;
}

std::vector<BYTE> ReadFixtureBytes(const std::string& name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read the fixture " << FixturePath(name);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
