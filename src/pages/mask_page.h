// CMask: the page of the mask blocks 838-843: a 16-bit mask typed as four
// hexadecimal digits, set bit by bit in the bit-mask dialog, or taken from
// another block. The NOT mask (840) has no mask. CBitMaskDlg: the dialog of
// the sixteen bits.
#pragma once

#include "pages/block_param_page.h"

class CBitMaskDlg : public CParamPage {
 public:
  static constexpr int kTemplate = 334;
  static constexpr int kIdFirstBit = 1215;  // bit n: box 1215 + n
  static constexpr int kBits = 16;

  CBitMaskDlg();
  const PageDesc& Describe() const override;
  void OnOK() override;
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}

  CString m_strHex;

 protected:
  void DoDataExchange(CDataExchange&) override {}
  void OnInitDialog() override;
};

class CMask : public CBlockParamPage, public MaskValues {
 public:
  static constexpr int kTemplate = 4593;
  static constexpr int kIdGroup = 1007, kIdProtection = 1269, kIdMask = 1289, kIdSetting = 1183,
                       kIdHex = 1330;
  static constexpr int kIdReference = 1546, kIdRefList = 104;
  static constexpr int kNotMask = 840;

  // The value of hexadecimal text (right to left, 4 bits a character; a
  // character other than a decimal digit counts its code less 0x37), low 16 bits.
  static int ParseMask(const CString& text);
  // What the mask edit keeps of a text: hexadecimal digits, upper case.
  static CString FilterMask(const CString& text);

  CMask();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void PrepareApplyValues(BlockPageValues& values) const override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateTabOrder();
  void OnMaskUpdate();
  void OnSetting();
};
