#include "device/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 921600:
      return B921600;
    default:
      return B0;
  }
}

// How long a write may stay blocked before the port counts as stuck.
constexpr int kWriteStallMs = 2000;

}  // namespace

PortOpenFailure ClassifyOpenError(int error) {
  switch (error) {
    case 0:
      return PortOpenFailure::kNone;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return PortOpenFailure::kMissing;
    case EBUSY:
    case EWOULDBLOCK:
      return PortOpenFailure::kBusy;
    case EACCES:
    case EPERM:
      return PortOpenFailure::kNoPermission;
    case ENOTTY:
      return PortOpenFailure::kNotSerial;
    default:
      return PortOpenFailure::kOther;
  }
}

CString DescribeOpenFailure(const std::string& path, PortOpenFailure kind, int error) {
  const CString name = CString::FromUtf8(path);
  CString text;
  switch (kind) {
    case PortOpenFailure::kMissing:
      text.Format(u"The port %ls does not exist. Check that the cable is plugged in.", name.GetString());
      break;
    case PortOpenFailure::kBusy:
      text.Format(u"The port %ls is in use by another program.", name.GetString());
      break;
    case PortOpenFailure::kNoPermission:
      text.Format(
          u"You have no permission to open %ls. Add your user to the group that owns the port "
          u"(usually dialout) and log in again.",
          name.GetString());
      break;
    case PortOpenFailure::kNotSerial:
      text.Format(u"%ls is not a serial port.", name.GetString());
      break;
    default:
      text.Format(u"The port %ls cannot be opened: %hs", name.GetString(), std::strerror(error));
      break;
  }
  return text;
}

CTermiosPort::~CTermiosPort() {
  Close();
}

bool CTermiosPort::Open(const std::string& path, const LineSettings& settings, CString* message) {
  Close();
  auto fail = [&](int error, const CString& text) {
    if (message) *message = text;
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    (void)error;
    return false;
  };
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    return fail(error, DescribeOpenFailure(path, ClassifyOpenError(error), error));
  }
  m_fd = fd;
  // One program at a time: an advisory lock that other users of the port honour too.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    return fail(error, DescribeOpenFailure(path, ClassifyOpenError(error), error));
  }
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) {
    const int error = errno;
    if (error == ENOTTY) return fail(error, DescribeOpenFailure(path, PortOpenFailure::kNotSerial, error));
    return fail(error, CString(u"Fail to Get Comm State!"));
  }
  ::ioctl(fd, TIOCEXCL);
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  switch (settings.dataBits) {
    case 5:
      tio.c_cflag |= CS5;
      break;
    case 6:
      tio.c_cflag |= CS6;
      break;
    case 7:
      tio.c_cflag |= CS7;
      break;
    default:
      tio.c_cflag |= CS8;
      break;
  }
  if (settings.parity == 1) tio.c_cflag |= PARENB | PARODD;
  if (settings.parity == 2) tio.c_cflag |= PARENB;
  if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  const speed_t speed = SpeedOf(settings.baudRate);
  if (speed == B0 || ::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
      ::tcsetattr(fd, TCSANOW, &tio) != 0) {
    return fail(errno, CString(u"Communication Port Connection Error, Pease Check!"));
  }
  ::tcflush(fd, TCIOFLUSH);
  // Raise DTR; a pseudo-terminal has no modem lines, which is no error.
  int dtr = TIOCM_DTR;
  ::ioctl(fd, TIOCMBIS, &dtr);
  return true;
}

bool CTermiosPort::Write(const BYTE* data, size_t length, int* error) {
  if (m_fd < 0) {
    if (error) *error = EBADF;
    return false;
  }
  size_t done = 0;
  auto stall = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteStallMs);
  while (done < length) {
    const ssize_t n = ::write(m_fd, data + done, length - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      stall = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteStallMs);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      if (error) *error = errno;
      return false;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(stall - std::chrono::steady_clock::now())
            .count();
    if (left <= 0) {
      if (error) *error = ETIMEDOUT;
      return false;
    }
    pollfd p{m_fd, POLLOUT, 0};
    ::poll(&p, 1, static_cast<int>(left));
  }
  return true;
}

int CTermiosPort::Read(BYTE* buffer, size_t max, int waitMs, int* error) {
  if (m_fd < 0) {
    if (error) *error = EBADF;
    return -1;
  }
  if (max == 0) return 0;
  pollfd p{m_fd, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&p, 1, waitMs < 0 ? 0 : waitMs);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) {
    if (error) *error = errno;
    return -1;
  }
  if (ready == 0) return 0;
  const ssize_t n = ::read(m_fd, buffer, max);
  if (n > 0) return static_cast<int>(n);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
  // End of file or an error: the line is gone (a cable pulled, the other end closed).
  if (error) *error = n < 0 ? errno : EIO;
  return -1;
}

void CTermiosPort::Purge() {
  if (m_fd >= 0) ::tcflush(m_fd, TCIOFLUSH);
}

void CTermiosPort::Close() {
  if (m_fd < 0) return;
  int dtr = TIOCM_DTR;
  ::ioctl(m_fd, TIOCMBIC, &dtr);
  ::tcflush(m_fd, TCIOFLUSH);
  ::close(m_fd);
  m_fd = -1;
}
