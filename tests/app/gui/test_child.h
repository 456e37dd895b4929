// A stand-in diagram window for the shell tests: a plain widget whose "document"
// is a small text file ("kind=N zoom=F"). Its constructor and destructor tell the
// shell context what a document's constructor and destructor tell it.
#pragma once

#include <QFile>
#include <QTextStream>
#include <QWidget>

#include "app/document_window.h"
#include "model/shell_context.h"
#include "platform/gui/qt_string.h"

class TestChild : public QWidget, public DocumentWindow {
 public:
  TestChild() {
    CShellContext* shell = GetShellContext();
    if (shell->m_nOpenDocs == 0) shell->ToggleInfoBar();
    ++shell->m_nOpenDocs;
    if (!shell->HasModelNameControl()) {
      shell->AddStatusPaneControl(1, kStatusBitmapButton);
      shell->AddStatusPaneControl(2, kStatusModelName);
    }
    ++s_live;
  }
  ~TestChild() override {
    CShellContext* shell = GetShellContext();
    if (shell->m_nOpenDocs > 0) --shell->m_nOpenDocs;
    if (shell->m_nOpenDocs == 0 && shell->IsInfoBarVisible()) {
      shell->ToggleInfoBar();
      shell->RemoveStatusPane(2);
      shell->RemoveStatusPane(1);
    }
    --s_live;
  }

  QWidget* GetWidget() override { return this; }
  bool OnNewDocument(int kind) override {
    m_nKind = kind;
    return true;
  }
  bool OnOpenDocument(const CString& path, CString* error) override {
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
      *error = CString(u"Cannot open ") + path;
      return false;
    }
    QTextStream in(&file);
    QString word;
    in >> word;
    if (!word.startsWith("kind=")) {
      *error = CString(u"Not a diagram");
      return false;
    }
    m_nKind = word.mid(5).toInt();
    in >> word;
    if (word.startsWith("zoom=")) m_fZoom = word.mid(5).toFloat();
    return true;
  }
  bool OnSaveDocument(const CString& path, CString* error) override {
    ++m_nSaves;
    QFile file(ToQString(path));
    if (!file.open(QIODevice::WriteOnly)) {
      *error = CString(u"Cannot write ") + path;
      return false;
    }
    QTextStream(&file) << "kind=" << m_nKind << " zoom=" << m_fZoom << "\n";
    return true;
  }
  bool IsModified() const override { return m_bModified; }
  void SetModifiedFlag(bool modified) override { m_bModified = modified; }
  int GetKind() const override { return m_nKind; }
  bool GetZoom(float* zoom) const override {
    *zoom = m_fZoom;
    return true;
  }

  int m_nKind = 1;
  float m_fZoom = 1.0f;
  bool m_bModified = false;
  int m_nSaves = 0;
  static inline int s_live = 0;
};
