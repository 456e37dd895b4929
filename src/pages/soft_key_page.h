// The soft-key page (CSoftKey): the soft key as a switch or a momentary push
// button, its starting status, the name (in edit 1081), "Retentivity" and
// "Protection Active". No block type opens it from the block sheet (the soft
// key has no type page there); it is built for its owners to create directly.
// In simulation a momentary push button never starts or leaves the page with
// status On.
#pragma once

#include "pages/block_param_page.h"

struct SoftKeyValues {
  int m_nKeyType = 0;  // 0 "Switch", 1 "Momentary PushButton"
  int m_nStatus = 1;   // 0 "On", 1 "Off"
};

class CSoftKey : public CBlockParamPage, public SoftKeyValues {
 public:
  static constexpr int kTemplate = 4563;
  static constexpr int kIdName = 1081, kIdSwitch = 1116, kIdPushButton = 1117, kIdOn = 1212, kIdOff = 1214;

  CSoftKey();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  // A momentary push button at On goes to Off; true when it did.
  bool ReleasePushButton();
};
