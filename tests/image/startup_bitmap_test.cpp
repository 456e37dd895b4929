#include "image/startup_bitmap.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <vector>

#include "image/image_layout.h"
#include "platform/message_sink.h"

namespace {

struct BmpSpec {
  int infoSize = 40;
  int width = kLogoWidth;
  int height = kLogoHeight;  // negative: top-down rows
  int bits = 1;
  int compression = 0;
  bool blackFirst = true;  // palette entry 0 is black
  size_t cut = 0;          // bytes cut off the end
};

void Put(std::vector<BYTE>& v, long long value, int n) {
  for (int i = 0; i < n; ++i) v.push_back(static_cast<BYTE>((value >> (8 * i)) & 0xFF));
}

// A bitmap whose pixels are all white except a black top-left pixel; the
// padding bits of each row are 0.
std::vector<BYTE> MakeBmp(const BmpSpec& s) {
  std::vector<BYTE> f = {'B', 'M'};
  const int offBits = 14 + s.infoSize + 8;
  Put(f, offBits + 64 * 16, 4);
  Put(f, 0, 4);
  Put(f, offBits, 4);
  Put(f, s.infoSize, 4);
  Put(f, s.width, 4);
  Put(f, s.height, 4);
  Put(f, 1, 2);
  Put(f, s.bits, 2);
  Put(f, s.compression, 4);
  f.resize(14 + static_cast<size_t>(s.infoSize), 0);
  const BYTE black[4] = {0, 0, 0, 0};
  const BYTE white[4] = {0xFF, 0xFF, 0xFF, 0};
  const BYTE* first = s.blackFirst ? black : white;
  const BYTE* second = s.blackFirst ? white : black;
  f.insert(f.end(), first, first + 4);
  f.insert(f.end(), second, second + 4);
  const int whiteBit = s.blackFirst ? 1 : 0;
  for (int fileRow = 0; fileRow < 64; ++fileRow) {
    const int row = s.height < 0 ? fileRow : 63 - fileRow;
    std::vector<BYTE> bytes(16, 0);
    for (int c = 0; c < kLogoWidth; ++c) {
      const int bit = (row == 0 && c == 0) ? 1 - whiteBit : whiteBit;
      if (bit) bytes[static_cast<size_t>(c / 8)] |= static_cast<BYTE>(0x80 >> (c % 8));
    }
    f.insert(f.end(), bytes.begin(), bytes.end());
  }
  f.resize(f.size() - s.cut);
  return f;
}

class StartupBitmapTest : public ::testing::Test {
 protected:
  CString Write(const std::vector<BYTE>& bytes) {
    std::ofstream out(m_path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return CString(m_path.string());
  }
  ~StartupBitmapTest() override { std::filesystem::remove(m_path); }
  int SetBits(const BYTE* logo) {
    int n = 0;
    for (int i = 0; i < kLogoBytes; ++i) n += std::popcount(static_cast<unsigned>(logo[i]));
    return n;
  }

  std::filesystem::path m_path =
      std::filesystem::temp_directory_path() /
      ("zovuzi-logo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bmp");
  RecordingMessageSink m_sink;
  ScopedMessageSink m_scope{&m_sink};
};

TEST_F(StartupBitmapTest, HeaderFormsAndRowOrdersGiveTheSameLogo) {
  for (const BmpSpec& spec : {BmpSpec{}, BmpSpec{.infoSize = 124}, BmpSpec{.infoSize = 108, .height = -64},
                              BmpSpec{.height = -64}}) {
    BYTE logo[kLogoBytes];
    ASSERT_EQ(LoadStartupBitmap(Write(MakeBmp(spec)), true, logo), kBitmapOk) << spec.infoSize;
    // A black palette entry 0: set bits are dark. The top-left pixel is bit 0
    // of byte 0; the padding columns 108..119 come out dark too.
    EXPECT_EQ(logo[0], 0x01);
    EXPECT_EQ(logo[1], 0x00);
    EXPECT_EQ(logo[120], 0x00);
    EXPECT_EQ(logo[107], 0x00);
    EXPECT_EQ(logo[108], 0xFF);
    EXPECT_EQ(logo[7 * 120 + 119], 0xFF);
    EXPECT_EQ(SetBits(logo), 1 + 12 * 64);
  }
  EXPECT_TRUE(m_sink.messages().empty());

  BYTE logo[kLogoBytes];
  ASSERT_EQ(LoadStartupBitmap(Write(MakeBmp({.blackFirst = false})), true, logo), kBitmapOk);
  EXPECT_EQ(logo[0], 0x01);
  EXPECT_EQ(SetBits(logo), 1);
}

TEST_F(StartupBitmapTest, UnsuitableFilesAreRefusedWithTheirMessage) {
  const CString path = Write(MakeBmp({.bits = 24}));
  BYTE logo[kLogoBytes] = {};
  EXPECT_EQ(LoadStartupBitmap(path, true, logo), kBitmapInvalid);
  EXPECT_EQ(LoadStartupBitmap(path, false, nullptr), kBitmapInvalid);
  ASSERT_EQ(m_sink.texts().size(), 2u);
  EXPECT_EQ(m_sink.texts()[0],
            path + CString(u" is not a 108(Width) x 64(Height) pixels and Monochrone Bitmap File "
                           u"Format,Please Check Options->Properties->General's [Company logo] "
                           u"Field!"));
  EXPECT_EQ(m_sink.texts()[1],
            path + CString(u" is not a 108(Width) x 64(Height) pixels and Monochrone Bitmap File Format!"));
  EXPECT_EQ(logo[0], 0);

  for (const BmpSpec& spec : {BmpSpec{.width = 108 + 256}, BmpSpec{.height = 64 + 256},
                              BmpSpec{.compression = 1}, BmpSpec{.cut = 1}, BmpSpec{.infoSize = 12}}) {
    EXPECT_EQ(LoadStartupBitmap(Write(MakeBmp(spec)), false, nullptr), kBitmapInvalid) << spec.width;
  }
}

TEST_F(StartupBitmapTest, MissingFileGivesNoLogoAndNoMessage) {
  BYTE logo[kLogoBytes] = {};
  EXPECT_EQ(LoadStartupBitmap(CString(m_path.string()), true, logo), kBitmapNotFound);
  EXPECT_EQ(LoadStartupBitmap(CString(), true, logo), kBitmapNotFound);
  EXPECT_TRUE(m_sink.messages().empty());
  EXPECT_EQ(LoadStartupBitmap(Write(MakeBmp({})), false, nullptr), kBitmapOk);
}

}  // namespace
