#include "app/caption_translator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include "platform/gui/qt_string.h"
#include "platform/string_table.h"

QString CCaptionTranslator::translate(const char*, const char* sourceText, const char*, int) const {
  if (!sourceText || !*sourceText) return QString();
  const QString source = QString::fromUtf8(sourceText);
  // A text with a mnemonic ("&Red:") is looked up without it; the Chinese text
  // carries the letter in brackets before a closing colon ("红(&R):").
  QString plain = source;
  QChar mnemonic;
  const qsizetype amp = plain.indexOf(QLatin1Char('&'));
  if (amp >= 0 && amp + 1 < plain.size() && plain[amp + 1] != QLatin1Char('&')) {
    mnemonic = plain[amp + 1].toUpper();
    plain.remove(amp, 1);
  }
  const CString chinese = LookupCaption(ToCString(plain));
  if (chinese.IsEmpty()) return QString();
  QString text = ToQString(chinese);
  if (!mnemonic.isNull()) {
    const QString key = QStringLiteral("(&%1)").arg(mnemonic);
    if (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xFF1A)))
      text.insert(text.size() - 1, key);
    else if (text.endsWith(QLatin1String("...")))
      text.insert(text.size() - 3, key);
    else
      text += key;
  }
  return text;
}

std::vector<std::unique_ptr<QTranslator>> InstallChineseQtTranslators() {
  std::vector<std::unique_ptr<QTranslator>> translators;
  auto own = std::make_unique<CCaptionTranslator>();
  QCoreApplication::installTranslator(own.get());
  translators.push_back(std::move(own));
  auto qt = std::make_unique<QTranslator>();
  if (qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt.get());
    translators.push_back(std::move(qt));
  }
  return translators;
}
