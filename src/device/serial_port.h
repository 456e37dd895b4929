// The serial port of the device link: an interface the transfers run against, and
// the termios port that opens a real device (or a pseudo-terminal in tests).
#pragma once

#include <cstddef>
#include <string>

#include "platform/cstring.h"
#include "platform/types.h"

// Line settings in the manner of a DCB: parity 0 none, 1 odd, 2 even; stop bits 0
// one, 2 two.
struct LineSettings {
  int baudRate = 115200;
  int dataBits = 8;
  int parity = 0;
  int stopBits = 0;
};

class CSerialPort {
 public:
  virtual ~CSerialPort() = default;
  // Opens the port named by path with the given settings. On failure the port stays
  // closed and *message holds the reason for the user.
  virtual bool Open(const std::string& path, const LineSettings& settings, CString* message) = 0;
  virtual bool IsOpen() const = 0;
  // Writes the whole frame, looping over partial writes; false with the system
  // error in *error when the port refuses or stays blocked.
  virtual bool Write(const BYTE* data, size_t length, int* error) = 0;
  // Waits up to waitMs for input and reads what has arrived, at most max bytes.
  // Returns the count (0 when nothing came) or -1 with the system error in *error.
  virtual int Read(BYTE* buffer, size_t max, int waitMs, int* error) = 0;
  // Throws away unread input and unsent output.
  virtual void Purge() = 0;
  virtual void Close() = 0;
};

// Why a port did not open.
enum class PortOpenFailure { kNone, kMissing, kBusy, kNoPermission, kNotSerial, kOther };

// The failure kind of an open() errno.
PortOpenFailure ClassifyOpenError(int error);
// A text for the user that says which port failed and why.
CString DescribeOpenFailure(const std::string& path, PortOpenFailure kind, int error);

class CTermiosPort : public CSerialPort {
 public:
  CTermiosPort() = default;
  ~CTermiosPort() override;
  CTermiosPort(const CTermiosPort&) = delete;
  CTermiosPort& operator=(const CTermiosPort&) = delete;

  // Opens the device for this process alone (busy when another holds it), sets a
  // raw line with the given settings and raises DTR. On failure the port stays
  // closed and *message holds the reason for the user.
  bool Open(const std::string& path, const LineSettings& settings, CString* message) override;

  bool IsOpen() const override { return m_fd >= 0; }
  bool Write(const BYTE* data, size_t length, int* error) override;
  int Read(BYTE* buffer, size_t max, int waitMs, int* error) override;
  void Purge() override;
  // Drops DTR, purges both directions and closes; nothing when closed.
  void Close() override;

 private:
  int m_fd = -1;
};
