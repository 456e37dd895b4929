// QtMessageSink: shows the program's messages as modal message boxes.
#pragma once

#include "platform/message_sink.h"

class QWidget;

class QtMessageSink : public MessageSink {
 public:
  // Message boxes are owned by the active window, else by the fallback parent.
  explicit QtMessageSink(QWidget* fallbackParent = nullptr) : m_pParent(fallbackParent) {}
  void SetFallbackParent(QWidget* parent) { m_pParent = parent; }
  int Show(const Message& m) override;

 private:
  QWidget* m_pParent;
};
