#include "device/io_monitor.h"

#include "device/device_link.h"
#include "device/modbus.h"

const std::array<IoArea, 6> kIoAreas = {{
    {kFnReadInputs, 0, 32, 128, 2, 21},
    {kFnReadCoils, 256, 16, 128, 1, 21},
    {kFnReadInputRegisters, 500, 128, 64, 1, 133},
    {kFnReadHolding, 564, 64, 32, 1, 69},
    {kFnReadCoils, 384, 64, 128, 4, 21},
    {kFnReadHolding, 596, 1024, 64, 8, 133},
}};

int IoGridRows(int view) {
  return view == kIoViewIo ? 9 : 7;
}
int IoGridColumns(int view) {
  return view == kIoViewIo ? 61 : 101;
}

CString IoHeaderText(int view, int row, int column, bool first) {
  CString text;
  if (row == 0 && column == 0) return u"Index";
  if (view == kIoViewIo) {
    if (row == 0) {
      if (column <= 32)
        text.Format(u"I%d", column - 1);
      else if (column <= 48)
        text.Format(u"Q%d", column - 33);
      else if (column <= 56)
        text.Format(u" AI%d  ", column - 49);
      else
        text.Format(u" AQ%d  ", column - 57);
      return text;
    }
    if (column == 0) {
      if (row == 1) return u"Main";
      text.Format(first ? u"Ext%d" : u"Ext %d", row - 1);
      return text;
    }
    return text;
  }
  if (row == 0) {
    text.Format(view == kIoViewFlags ? u"M%d" : u"AM%-3d", column - 1);
    return text;
  }
  if (column == 0) {
    if (row == 6)
      text.Format(u"%d-%d", 500, 511);
    else
      text.Format(u"%d-%d", (row - 1) * 100, (row - 1) * 100 + 99);
  }
  return text;
}

COLORREF IoDataColour(int view, int column) {
  if (view != kIoViewIo) return column <= 50 ? 0x00FFFF80 : 0x0080FF00;
  if (column <= 32) return 0x00FFFF80;
  if (column <= 48) return 0x0080FF00;
  if (column <= 56) return 0x00FF8080;
  return 0x000080FF;
}

std::vector<IoCell> DecodeIoArea(int area, const std::vector<BYTE>& data) {
  std::vector<IoCell> cells;
  auto bit = [&cells](int row, int column, bool on) { cells.push_back({row, column, on ? u"1" : u"0", on}); };
  auto word = [&cells, &data](size_t at, int row, int column) {
    const int value = (data[at] << 8) | data[at + 1];
    CString text;
    text.Format(u"%d", value);
    cells.push_back({row, column, text, value != 0});
  };
  switch (area) {
    case 0:
    case 1: {
      const int perRow = area == 0 ? 4 : 2;
      const int firstColumn = area == 0 ? 1 : 33;
      for (size_t b = 0; b < data.size() && static_cast<int>(b) / perRow < 8; ++b) {
        for (int k = 0; k < 8; ++k)
          bit(static_cast<int>(b) / perRow + 1, firstColumn + 8 * (static_cast<int>(b) % perRow) + k,
              data[b] >> k & 1);
      }
      break;
    }
    case 2:
    case 3: {
      const int perRow = area == 2 ? 8 : 4;
      const int firstColumn = area == 2 ? 49 : 57;
      for (size_t w = 0; 2 * w + 1 < data.size() && static_cast<int>(w) / perRow < 8; ++w)
        word(2 * w, static_cast<int>(w) / perRow + 1, firstColumn + static_cast<int>(w) % perRow);
      break;
    }
    case 4:
      for (int i = 0; i < 512 && i / 8 < static_cast<int>(data.size()); ++i)
        bit(i / 100 + 1, i % 100 + 1, data[static_cast<size_t>(i / 8)] >> (i % 8) & 1);
      break;
    case 5:
      for (size_t w = 0; 2 * w + 1 < data.size() && w < 512; ++w)
        word(2 * w, static_cast<int>(w) / 100 + 1, static_cast<int>(w) % 100 + 1);
      break;
    default:
      break;
  }
  return cells;
}

namespace {

// Reads one area frame by frame; false when a frame could not be read or was refused.
bool ReadIoArea(CDeviceLink& link, int area, int delayMs, std::vector<BYTE>* out, int* error) {
  const IoArea& a = kIoAreas[static_cast<size_t>(area)];
  for (int f = 0; f < a.frames; ++f) {
    BYTE frame[kMaxFrame];
    const WORD reg = static_cast<WORD>(a.first + f * a.requestSize);
    const int length = link.ModBus().BuildReadRequest(reg, a.requestSize, frame, a.function);
    BYTE reply[300] = {};
    int got = 0;
    bool read = false;
    for (int attempt = 0; attempt < 3 && !read; ++attempt) {
      if (!link.WriteComPort(frame, length, error)) return false;
      got = a.expected;
      read = link.ReadComPort(reply, &got, error, 1000);
    }
    if (!read) return false;
    const UINT result = link.ModBus().CheckReadReply(reply, got, a.function);
    if (result != kReplyOk) {
      link.Host()->AppendInfo(link.ModBus().ResultText(result) + u"\n");
      *error = 0;
      return false;
    }
    out->insert(out->end(), reply + 3, reply + 3 + reply[2]);
    const bool last = f == a.frames - 1;
    if (area == 0 || area == 4 || (area == 5 && !last)) link.Pause(delayMs);
  }
  return true;
}

}  // namespace

IoPollResult PollIoStatus(CDeviceLink& link, int view, int address, int delayMs) {
  IoPollResult result;
  link.SetStation(static_cast<BYTE>(address));
  link.Pause(delayMs);
  SYSTEMTIME t;
  int error = 0;
  for (int attempt = 0; attempt < 3 && !result.clockRead; ++attempt)
    result.clockRead = link.ReadClock(&t, &error);
  if (!result.clockRead) {
    link.SetStation(0);
    return result;
  }
  result.time.Format(u"%d:%d:%d", t.wHour, t.wMinute, t.wSecond);
  link.Pause(delayMs);
  std::vector<int> areas = {0, 1, 2, 3};
  if (view == kIoViewFlags) areas = {4};
  if (view == kIoViewAnalogFlags) areas = {5};
  error = 0;
  result.areasRead = true;
  for (int area : areas) {
    std::vector<BYTE> data;
    if (!ReadIoArea(link, area, delayMs, &data, &error)) {
      result.areasRead = false;
      break;
    }
    const std::vector<IoCell> cells = DecodeIoArea(area, data);
    result.cells.insert(result.cells.end(), cells.begin(), cells.end());
  }
  link.SetStation(0);
  if (!result.areasRead) {
    result.cells.clear();
    CString lines = u"Read Data Error!\n";
    if (error > 8999)
      lines += u"TimeOut!\n";
    else if (error != 0)
      lines += u"Connection Error!\n";
    link.Host()->AppendInfo(lines);
  }
  return result;
}
