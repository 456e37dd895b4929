#include "device/port_list.h"

#include <libserialport.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace {

bool IsLinkPortName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0 || name.rfind("ttyS", 0) == 0;
}

std::string Describe(sp_port* port) {
  std::string text;
  if (const char* product = sp_get_port_usb_product(port)) text = product;
  if (const char* maker = sp_get_port_usb_manufacturer(port)) {
    if (!text.empty()) text += " - ";
    text += maker;
  }
  if (text.empty()) {
    if (const char* description = sp_get_port_description(port)) text = description;
  }
  return text;
}

}  // namespace

std::vector<SerialPortEntry> ListSerialPorts() {
  std::vector<SerialPortEntry> out;
  std::map<std::string, std::string> descriptions;  // real path -> description
  sp_port** ports = nullptr;
  if (sp_list_ports(&ports) == SP_OK && ports) {
    for (int i = 0; ports[i]; ++i) {
      const char* name = sp_get_port_name(ports[i]);
      if (!name || !IsLinkPortName(name)) continue;
      std::error_code ec;
      if (!std::filesystem::exists(name, ec)) continue;
      descriptions[name] = Describe(ports[i]);
    }
    sp_free_port_list(ports);
  }
  for (const auto& [path, description] : descriptions) out.push_back({path, description});
  // The stable names of USB devices: they survive replugging in another order.
  std::error_code ec;
  const std::filesystem::path byId("/dev/serial/by-id");
  if (std::filesystem::is_directory(byId, ec)) {
    std::vector<SerialPortEntry> stable;
    for (const auto& link : std::filesystem::directory_iterator(byId, ec)) {
      const std::string target = std::filesystem::canonical(link.path(), ec).string();
      if (ec) continue;
      auto it = descriptions.find(target);
      stable.push_back({link.path().string(), it != descriptions.end() ? it->second : std::string()});
    }
    std::sort(stable.begin(), stable.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    out.insert(out.end(), stable.begin(), stable.end());
  }
  return out;
}

std::string PortEntryText(const SerialPortEntry& entry) {
  // A description that only repeats the device's name adds nothing.
  const std::string name = std::filesystem::path(entry.path).filename().string();
  if (entry.description.empty() || entry.description == name) return entry.path;
  return entry.path + "  (" + entry.description + ")";
}
