// A device link talking to the simulator on a pseudo-terminal, with a host that
// records the information bar and the progress dialog, and a recording message sink.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/device_link.h"
#include "platform/message_sink.h"
#include "support/device_simulator.h"

class RecordingDeviceHost : public CDeviceHost {
 public:
  void AppendInfo(const CString& text) override { log += text.ToUtf8(); }
  bool HasProgressDialog() override { return dialog; }
  void CreateProgressDialog() override {
    dialog = true;
    ++dialogsCreated;
  }
  void SetProgress(int percent, int phase) override {
    progress.push_back(percent);
    lastPhase = phase;
  }
  void DestroyProgressDialog() override { dialog = false; }
  bool ChoosePort() override { return false; }
  bool CompileActiveDocument(TransferImage* out) override {
    *out = image;
    return prepare;
  }

  // The password dialog: the letters typed, or Cancel when password is empty.
  int AskPassword(BYTE out[8]) override {
    ++passwordAsks;
    if (password.empty()) return kPasswordCancelled;
    for (size_t i = 0; i < password.size() && i < 8; ++i) out[i] = static_cast<BYTE>(password[i]);
    return kPasswordGiven;
  }
  bool OpenUploadedProgram(const UploadedProgram& program) override {
    uploaded.push_back(program);
    return openResult;
  }

  std::string log;
  bool dialog = false;
  int dialogsCreated = 0;
  std::vector<int> progress;
  int lastPhase = 0;
  TransferImage image;
  bool prepare = true;
  std::string password;
  int passwordAsks = 0;
  std::vector<UploadedProgram> uploaded;
  bool openResult = true;
};

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() : m_link(&m_host), m_sink(&m_messages) {
    m_link.SetPortPath(m_sim.PortPath());
    m_link.SetTimeScale(0.1);
  }

  // The texts of the message boxes shown.
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const CString& t : m_messages.texts()) out.push_back(t.ToUtf8());
    return out;
  }
  bool Logged(const std::string& line) const { return m_host.log.find(line) != std::string::npos; }
  // The function codes of the frames the simulator received.
  std::vector<int> Functions() const {
    std::vector<int> out;
    for (const auto& f : m_sim.Requests()) out.push_back(f.size() > 1 ? f[1] : -1);
    return out;
  }
  int CountFunction(int fn) const {
    int n = 0;
    for (int f : Functions()) n += f == fn;
    return n;
  }

  DeviceSimulator m_sim;
  RecordingDeviceHost m_host;
  CDeviceLink m_link;
  RecordingMessageSink m_messages;
  ScopedMessageSink m_sink;
};
