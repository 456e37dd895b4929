#include "platform/gui/qt_keys.h"

#include "platform/virtual_keys.h"

namespace {

struct KeyPair {
  int qt;
  UINT vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Escape, VK_ESCAPE},  {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_Home, VK_HOME},      {Qt::Key_End, VK_END},       {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Up, VK_UP},         {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Delete, VK_DELETE},  {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Space, VK_SPACE},
};

}  // namespace

UINT VirtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return static_cast<UINT>(qtKey);  // the same codes
  for (const KeyPair& k : kKeys) {
    if (k.qt == qtKey) return k.vk;
  }
  return 0;
}

QKeyCombination QtKeyOf(UINT vk, bool ctrl, bool shift) {
  Qt::Key key = Qt::Key_unknown;
  if (vk >= VK_F1 && vk <= VK_F12) {
    key = static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(vk - VK_F1));
  } else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
    key = static_cast<Qt::Key>(vk);
  } else {
    for (const KeyPair& k : kKeys) {
      if (k.vk == vk) {
        key = static_cast<Qt::Key>(k.qt);
        break;
      }
    }
  }
  Qt::KeyboardModifiers mods;
  if (ctrl) mods |= Qt::ControlModifier;
  if (shift) mods |= Qt::ShiftModifier;
  return QKeyCombination(mods, key);
}
