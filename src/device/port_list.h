// The serial devices of this machine, for the COM Configuration list.
#pragma once

#include <string>
#include <vector>

struct SerialPortEntry {
  std::string path;         // /dev/ttyUSB0, /dev/serial/by-id/usb-..., /dev/ttyS0
  std::string description;  // the USB product and maker where known
};

// The USB and ACM serial devices, the built-in ports that exist, and the stable
// /dev/serial/by-id names of USB devices, each with its description.
std::vector<SerialPortEntry> ListSerialPorts();

// The text of a list entry: the path, then the description when there is one.
std::string PortEntryText(const SerialPortEntry& entry);
