// CCaptionTranslator: Qt's own texts (the standard buttons, the colour, file and
// print dialogs, the edit menus of text fields) in the Chinese interface, from the
// program's caption table. Qt's Chinese translation, where the system has it, is
// installed after this one and so takes precedence.
#pragma once

#include <QTranslator>
#include <memory>

class CCaptionTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override;
};

// Installs the Chinese translators for Qt's texts; they go with the returned objects.
std::vector<std::unique_ptr<QTranslator>> InstallChineseQtTranslators();
