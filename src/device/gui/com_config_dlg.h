// CComConfigDlg: "Communication Configuration". Lists the machine's serial devices
// (a path may also be typed), probes the chosen one with Automatic Detection and
// returns it with "Connect to Devices".
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QPushButton;

class CComConfigDlg : public QDialog {
  Q_OBJECT

 public:
  // The probe of Automatic Detection: 1 when the port answered (or its failure to
  // open was already shown), 0 when it stayed silent.
  using Probe = std::function<int(const std::string& path)>;

  // preset: the port chosen so far (empty: none).
  CComConfigDlg(const std::string& preset, Probe probe, QWidget* parent = nullptr);

  // The chosen port; empty when none was chosen.
  const std::string& Port() const { return m_port; }

  QComboBox* PortList() const { return m_pList; }
  QPushButton* DetectButton() const { return m_pDetect; }
  QPushButton* ConnectButton() const { return m_pConnect; }

  // The port of the entry shown (a listed device or a typed path); empty for none.
  std::string CurrentPath() const;

 private:
  void OnConnect();
  void OnDetect();

  std::string m_port;
  Probe m_probe;
  QComboBox* m_pList = nullptr;
  QPushButton* m_pDetect = nullptr;
  QPushButton* m_pConnect = nullptr;
};
