// The frame codec: CRC, request builders and reply checkers.
#include "device/modbus.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes WithCrc(Bytes frame) {
  const WORD crc = CModBus::CalcCrc(frame.data(), frame.size());
  frame.push_back(static_cast<BYTE>(crc >> 8));
  frame.push_back(static_cast<BYTE>(crc & 0xFF));
  return frame;
}

// A function-3 reply with n data bytes.
Bytes ReadReply(int n, BYTE function = 3) {
  Bytes r{0, function, static_cast<BYTE>(n)};
  for (int i = 0; i < n; ++i) r.push_back(static_cast<BYTE>(i));
  return WithCrc(r);
}

// A start-of-download reply of a device (19 bytes from type 0x51 on, else 17).
Bytes StartReply(BYTE b3, BYTE b4, WORD firmware, bool longForm) {
  Bytes r{0,
          100,
          static_cast<BYTE>(longForm ? 14 : 12),
          b3,
          b4,
          0,
          0,
          static_cast<BYTE>(firmware >> 8),
          static_cast<BYTE>(firmware & 0xFF)};
  r.resize(longForm ? 17 : 15, 0);
  return WithCrc(r);
}

Bytes Corrupt(Bytes b, size_t at, BYTE x = 0xFF) {
  b[at] ^= x;
  return b;
}

Bytes Cut(Bytes b, size_t by) {
  b.resize(b.size() - by);
  return b;
}

}  // namespace

TEST(ModBusCrc, KnownValuesAndFrameOrder) {
  const BYTE text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(CModBus::CalcCrc(text, 9), 0x374B);
  EXPECT_EQ(CModBus::CalcCrc(text, 0), 0xFFFF);
  BYTE frame[kMaxFrame] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  ASSERT_EQ(CModBus::AppendCrc(frame, 9), 0);
  EXPECT_EQ(frame[9], 0x37);
  EXPECT_EQ(frame[10], 0x4B);
}

TEST(ModBusCrc, AppendRefusesOverlongFramesWholly) {
  BYTE frame[400] = {};
  frame[160] = frame[161] = 0xEE;
  EXPECT_EQ(CModBus::AppendCrc(frame, 160), -1);
  EXPECT_EQ(frame[160], 0xEE);
  EXPECT_EQ(frame[161], 0xEE);
  // A length of 256 + 9 must not pass as 9.
  frame[265] = 0xEE;
  EXPECT_EQ(CModBus::AppendCrc(frame, 265), -1);
  EXPECT_EQ(frame[9], 0);
  EXPECT_EQ(CModBus::AppendCrc(frame, 159), 0);
}

TEST(ModBusBuilders, FramesAsTheDeviceReadsThem) {
  CModBus m;
  BYTE b[kMaxFrame];
  BYTE data[160] = {};
  for (int i = 0; i < 160; ++i) data[i] = static_cast<BYTE>(i);
  struct Row {
    const char* name;
    int length;
    Bytes head;  // the frame before its CRC
  };
  const BYTE two[2] = {0x12, 0x34};
  const BYTE password[8] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
  const BYTE record[4] = {0, 1, 0, 5};
  std::vector<std::pair<Row, Bytes>> rows;
  auto row = [&](const char* name, int length, Bytes head) {
    rows.push_back({{name, length, head}, Bytes(b, b + std::max(length, 0))});
  };
  row("read", m.BuildReadRequest(0x8C00, 64, b), {0, 3, 0x8C, 0, 0, 0x40});
  row("read texts", m.BuildReadRequest(0, 64, b, kFnReadMessageTexts), {0, 121, 0, 0, 0, 0x40});
  row("read memory", m.BuildReadMemoryRequest(0x200004B8, 12, b), {0, 249, 0x20, 0, 0x04, 0xB8, 12});
  row("write single", m.BuildWriteSingleRequest(9160, two, b), {0, 6, 0x23, 0xC8, 0x12, 0x34});
  row("start download", m.BuildStartDownloadRequest(b), {0, 100, 0, 0, 0, 1});
  row("end download", m.BuildEndDownloadRequest(0, b), {0, 101, 0, 0, 0, 0});
  row("start upload", m.BuildStartUploadRequest(b), {0, 102, 0, 0, 0, 1});
  row("end upload", m.BuildEndUploadRequest(1, b), {0, 103, 0, 0, 0, 1});
  row("password", m.BuildPasswordRequest(password, b),
      {0, 110, 0, 0, 0, 4, 8, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'});
  row("calibrate", m.BuildSettingRequest(record, 4, b, kFnCalibrate), {0, 234, 0, 1, 0, 5});
  row("clock", m.BuildSettingRequest(record, 4, b, kFnSetClock, 0x6188),
      {0, 220, 0x61, 0x88, 0, 2, 4, 0, 1, 0, 5});
  for (const auto& [r, frame] : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_EQ(r.length, static_cast<int>(r.head.size()) + 2);
    EXPECT_EQ(frame, WithCrc(r.head));
  }
  // A 64-register write: 137 bytes, byte count 0x80, the data as given.
  ASSERT_EQ(m.BuildWriteRequest(0xA000, 64, data, b), 137);
  EXPECT_EQ(b[6], 0x80);
  EXPECT_EQ(b[7], 0);
  EXPECT_EQ(b[134], 127);
  EXPECT_EQ(Bytes(b, b + 137), WithCrc(Bytes(b, b + 135)));
  // The remote module's 74 registers still fit; frames that would not are refused.
  EXPECT_EQ(m.BuildWriteRequest(0, 74, data, b), 157);
  EXPECT_EQ(m.BuildWriteRequest(0, 76, data, b), 161);
  EXPECT_EQ(m.BuildWriteRequest(0, 77, data, b), -1);
  EXPECT_EQ(m.BuildSettingRequest(data, 160, b, kFnWriteConfig), -1);
  EXPECT_EQ(m.BuildSettingRequest(data, 12, b, kFnWriteConfig), 16);
  EXPECT_EQ(m.BuildSettingRequest(data, 4, b, kFnReadHolding), -1);
}

TEST(ModBusCheckers, ReadReplies) {
  CModBus m;
  const Bytes good = ReadReply(128);
  ASSERT_EQ(good.size(), 133u);
  struct Row {
    const char* name;
    Bytes reply;
    UINT expected;
  };
  Bytes garbageCount = good;
  garbageCount[2] = 0xFF;  // claims 255 data bytes
  const Row rows[] = {
      {"good", good, kReplyOk},
      {"cut by one", Cut(good, 1), kReplyLengthError},
      {"short", Bytes{0, 3}, kReplyLengthError},
      {"empty", Bytes{}, kReplyLengthError},
      {"byte count beyond the reply", garbageCount, kReplyLengthError},
      {"station", WithCrc(Bytes{1, 3, 2, 0, 0}), kReplyStationError},
      {"function", ReadReply(2, 4), kReplyFunctionError},
      {"bad crc", Corrupt(good, 132), kReplyCrcError},
      {"garbled data", Corrupt(good, 40), kReplyCrcError},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(m.CheckReadReply(r.reply.data(), static_cast<int>(r.reply.size())), r.expected);
  }
}

TEST(ModBusCheckers, StartOfDownloadReplies) {
  CModBus m;
  const DeviceIdentity newer{0x5188, 0, 0xC100, 1};
  const DeviceIdentity older{0x2188, 0, 0xB100, 1};
  const DeviceIdentity clear{0x5188, 0, 0xC100, 4};
  Bytes card = StartReply(0x88, 0x99, 0, false);
  Bytes badCount = StartReply(0x51, 0x88, 0xC100, true);
  badCount[2] = 0xFF;
  struct Row {
    const char* name;
    Bytes reply;
    DeviceIdentity expected;
    UINT result;
  };
  const Row rows[] = {
      {"newer device", StartReply(0x51, 0x88, 0xC100, true), newer, kReplyOk},
      {"older device", StartReply(0x21, 0x88, 0xB200, false), older, kReplyOk},
      {"other series", StartReply(0x61, 0x88, 0xC100, true), newer, kReplyMachineTypeMismatch},
      {"old firmware", StartReply(0x51, 0x88, 0xB100, true), newer, kReplyFirmwareMismatch},
      {"memory card in clear mode, bad crc", Corrupt(card, 16), clear, kReplyOk},
      {"memory card too old", card, newer, kReplyMemoryCardMismatch},
      {"memory card for the older series", card, older, kReplyOk},
      {"bad crc", Corrupt(StartReply(0x51, 0x88, 0xC100, true), 18), newer, kReplyCrcError},
      {"short", Cut(StartReply(0x51, 0x88, 0xC100, true), 2), newer, kReplyLengthError},
      {"byte count beyond the reply", badCount, newer, kReplyLengthError},
      {"garbled", Bytes(19, 0xA5), newer, kReplyLengthError},
      {"station", WithCrc(Cut(Corrupt(StartReply(0x51, 0x88, 0xC100, true), 0, 1), 2)), newer,
       kReplyStationError},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(m.CheckStartDownloadReply(r.reply.data(), static_cast<int>(r.reply.size()), r.expected),
              r.result);
  }
}

TEST(ModBusCheckers, StartOfUploadReplies) {
  CModBus m;
  auto reply = [](BYTE type, WORD firmware, WORD password, WORD size) {
    Bytes r{0,
            102,
            12,
            type,
            0x88,
            0,
            0,
            static_cast<BYTE>(firmware >> 8),
            static_cast<BYTE>(firmware),
            0,
            0,
            static_cast<BYTE>(password >> 8),
            static_cast<BYTE>(password),
            static_cast<BYTE>(size >> 8),
            static_cast<BYTE>(size)};
    return WithCrc(r);
  };
  struct Row {
    const char* name;
    Bytes reply;
    UINT result;
  };
  const Row rows[] = {
      {"no password", reply(0x21, 0xB100, 0xFFFF, 0x1440), 1},
      {"password", reply(0x21, 0xB100, 0x1234, 0x1440), 2},
      {"size not whole blocks", reply(0x21, 0xB100, 0, 0x0041), kReplyBadProgramSize},
      {"no program before the password", reply(0x21, 0xB100, 0x1234, 0xFFFF), kReplyNoProgram},
      {"type too old", reply(0x10, 0xB100, 0, 0x1440), kReplyMachineTypeMismatch},
      {"firmware", reply(0x51, 0xB100, 0, 0x1440), kReplyFirmwareMismatch},
      {"bad crc", Corrupt(reply(0x21, 0xB100, 0, 0x1440), 16), kReplyCrcError},
      {"short", Cut(reply(0x21, 0xB100, 0, 0x1440), 3), kReplyCrcError},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(m.CheckStartUploadReply(r.reply.data(), static_cast<int>(r.reply.size())), r.result);
  }
}

TEST(ModBusCheckers, UploadSizesAreReadOnlyWhereAnImageHoldsThem) {
  // A start-of-upload reply with the size word and, in the long form, the text size word.
  auto reply = [](BYTE type, WORD size, int text) {
    Bytes r{0,
            102,
            static_cast<BYTE>(text < 0 ? 12 : 14),
            type,
            0x88,
            0,
            0,
            0xC1,
            0,
            0,
            0,
            0xFF,
            0xFF,
            static_cast<BYTE>(size >> 8),
            static_cast<BYTE>(size)};
    if (text >= 0) r.insert(r.end(), {static_cast<BYTE>(text >> 8), static_cast<BYTE>(text)});
    return WithCrc(r);
  };
  struct Row {
    const char* name;
    Bytes reply;
    int result;
    int total;
    int text;
  };
  const Row rows[] = {
      {"table only", reply(0x51, 0x1400, 0), kUploadSizesOk, 10240, 0},
      {"largest with 16 pages", reply(0x51, 0x4400, 16 * 640), kUploadSizesOk, 10240 + 0x6000, 16 * 1280},
      {"older series ignores the text word", reply(0x21, 0x1440, 64), kUploadSizesOk, 10368, 0},
      // The short form's "text word" would be its CRC.
      {"short form of type 0xFF", reply(0xFF, 0x1440, -1), kUploadSizesOk, 10368, 0},
      {"below the table", reply(0x51, 0x13C0, 0), kUploadProgramSizeOutOfRange, 0, 0},
      {"past the program area", reply(0x51, 0x4440, 0), kUploadProgramSizeOutOfRange, 0, 0},
      {"would wrap", reply(0x51, 0x8000, 0), kUploadProgramSizeOutOfRange, 0, 0},
      {"half a frame", reply(0x51, 0x1420, 0), kUploadProgramSizeOutOfRange, 0, 0},
      {"text not whole pages", reply(0x51, 0x1440, 64), kUploadTextSizeInvalid, 0, 0},
      {"seventeen pages", reply(0x51, 0x1440, 17 * 640), kUploadTextSizeInvalid, 0, 0},
      {"byte count disagrees", Corrupt(reply(0x51, 0x1440, 0), 2, 0x01), kUploadReplyUnreadable, 0, 0},
      {"cut short", Cut(reply(0x51, 0x1440, 0), 2), kUploadReplyUnreadable, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    UploadSizes sizes{-1, -1};
    EXPECT_EQ(ReadUploadSizes(r.reply.data(), static_cast<int>(r.reply.size()), &sizes), r.result);
    if (r.result == kUploadSizesOk) {
      EXPECT_EQ(sizes.totalBytes, r.total);
      EXPECT_EQ(sizes.textBytes, r.text);
    } else {
      EXPECT_EQ(sizes.totalBytes, -1);
    }
  }
}

TEST(ModBusCheckers, EchoMemoryPasswordAndSettingReplies) {
  CModBus m;
  const Bytes end = WithCrc({0, 101, 0, 0, 0, 1});
  EXPECT_TRUE(m.CheckEndDownloadReply(end.data(), 8, 1));
  EXPECT_FALSE(m.CheckEndDownloadReply(end.data(), 8, 0));
  EXPECT_FALSE(m.CheckEndDownloadReply(end.data(), 7, 1));
  EXPECT_FALSE(m.CheckEndDownloadReply(Corrupt(end, 7).data(), 8, 1));
  EXPECT_FALSE(m.CheckEndUploadReply(end.data(), 8, 1));

  Bytes memory{0, 249, 0x20, 0, 0x04, 0xB8, 12};
  memory.resize(19, 0);
  memory = WithCrc(memory);
  EXPECT_EQ(m.CheckReadMemoryReply(memory.data(), 21, 12), kReplyOk);
  EXPECT_EQ(m.CheckReadMemoryReply(memory.data(), 20, 12), kReplyLengthError);
  EXPECT_EQ(m.CheckReadMemoryReply(memory.data(), 4, 12), kReplyLengthError);
  Bytes otherAddress = memory;
  otherAddress[5] = 0xB9;
  EXPECT_EQ(m.CheckReadMemoryReply(WithCrc(Cut(otherAddress, 2)).data(), 21, 12), kReplyAddressError);
  EXPECT_EQ(m.CheckReadMemoryReply(Corrupt(memory, 10).data(), 21, 12), kReplyCrcError);

  const Bytes password{0, 110, 2, 0, 0, 0x11, 0x22};
  EXPECT_TRUE(m.CheckPasswordReply(password.data(), 7));
  EXPECT_FALSE(m.CheckPasswordReply(password.data(), 6));

  const Bytes clock7 = WithCrc({0, 220, 0x61, 0x88, 0, 7});
  const Bytes clock6 = WithCrc({0, 220, 0x61, 0x88, 0, 6});
  const Bytes older6 = WithCrc({0, 220, 0x21, 0x88, 0, 6});
  EXPECT_TRUE(m.CheckSettingReply(clock7.data(), 8, kFnSetClock));
  EXPECT_FALSE(m.CheckSettingReply(clock6.data(), 8, kFnSetClock));
  EXPECT_TRUE(m.CheckSettingReply(older6.data(), 8, kFnSetClock));
  EXPECT_FALSE(m.CheckSettingReply(clock7.data(), 3, kFnSetClock));
  Bytes config{0, 233};
  config.resize(14, 0);
  config = WithCrc(config);
  EXPECT_TRUE(m.CheckSettingReply(config.data(), 16, kFnWriteConfig));
  EXPECT_FALSE(m.CheckSettingReply(config.data(), 15, kFnWriteConfig));
  EXPECT_FALSE(m.CheckSettingReply(Corrupt(config, 15).data(), 16, kFnWriteConfig));
}

TEST(ModBusExceptions, NamesAndCodes) {
  const Bytes reply = WithCrc({0, 0x83, 2});
  CString text(u"unchanged");
  EXPECT_EQ(CModBus::FormatExceptionReply(reply.data(), 5, text), 2);
  EXPECT_EQ(text, CString(u"No=2->ILLIGAL DATA ADDRESS"));
  const Bytes unknown = WithCrc({0, 0x90, 12});
  EXPECT_EQ(CModBus::FormatExceptionReply(unknown.data(), 5, text), 12);
  EXPECT_EQ(text, CString(u"No=12->"));
  CString normal(u"kept");
  const Bytes read = ReadReply(2);
  EXPECT_EQ(CModBus::FormatExceptionReply(read.data(), 7, normal), 0);
  EXPECT_EQ(normal, CString(u"kept"));
}

TEST(ModBusTexts, EveryResultHasItsText) {
  CModBus m;
  EXPECT_EQ(m.ResultText(0), CString(u"OK!"));
  EXPECT_EQ(m.ResultText(7), CString(u"Machine type mismatch Error!"));
  EXPECT_EQ(m.ResultText(12), CString(u"Memory Card version mismatch Error!"));
  EXPECT_EQ(m.ResultText(13), CString());
}
