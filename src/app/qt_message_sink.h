// QtMessageSink: shows the program's messages as modal message boxes.
#pragma once

#include <functional>

#include "platform/message_sink.h"

class QWidget;

class QtMessageSink : public MessageSink {
 public:
  // Message boxes are owned by the active window, else by the fallback parent.
  explicit QtMessageSink(QWidget* fallbackParent = nullptr) : m_pParent(fallbackParent) {}
  void SetFallbackParent(QWidget* parent) { m_pParent = parent; }
  int Show(const Message& m) override;
  // Details go to the information window through the function (none: nowhere).
  void SetInformationWindow(std::function<void(const CString&)> append);
  void AppendInformation(const CString& text) override;

 private:
  QWidget* m_pParent;
  std::function<void(const CString&)> m_append;
};
