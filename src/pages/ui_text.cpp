#include "pages/ui_text.h"

#include <map>

CString ChineseUiText(int id) {
  static const std::map<int, const char16_t*> kTexts = {
      {1, u"确定"},
      {2, u"取消"},
      {9, u"帮助"},
      {109, u"当前参数值"},
      {137, u"关断延时时间(TL)"},
      {154, u"输入编号:"},
      {155, u"输出编号:"},
      {156, u"主机/扩展模块"},
      {157, u"高速输入"},
      {167, u"标志位编号:"},
      {168, u"M511 = 信息字符集标志"},
      {170, u"注释"},
      {171, u"分钟 (m:s)"},
      {172, u"秒 (s:1/100s)"},
      {173, u"分钟"},
      {174, u"秒"},
      {1024, u"激活参数保持"},
      {1025, u"激活参数保护"},
      {1212, u"毫秒"},
      {1245, u"小时 (h:m)"},
      {1371, u"块名"},
      {1423, u"参数"},
      {1546, u"引用"},
      {12321, u"应用"},
  };
  auto it = kTexts.find(id);
  return it == kTexts.end() ? CString() : CString(it->second);
}
