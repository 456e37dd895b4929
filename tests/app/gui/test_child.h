// A stand-in diagram window for the shell tests: a plain widget whose "document"
// is a small text file ("kind=N zoom=F").
#pragma once

#include <QFile>
#include <QTextStream>
#include <QWidget>

#include "platform/gui/qt_string.h"
#include "shell/document_window.h"

class TestChild : public QWidget, public DocumentWindow {
 public:
  TestChild() { ++s_live; }
  ~TestChild() override { --s_live; }

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
  const CString& GetTitle() const override { return m_strTitle; }
  void SetTitle(const CString& title) override { m_strTitle = title; }
  const CString& GetPathName() const override { return m_strPathName; }
  void SetPathName(const CString& path) override { m_strPathName = path; }
  bool IsModified() const override { return m_bModified; }
  void SetModifiedFlag(bool modified) override { m_bModified = modified; }
  int GetKind() const override { return m_nKind; }
  bool GetZoom(float* zoom) const override {
    *zoom = m_fZoom;
    return true;
  }

  CString m_strTitle;
  CString m_strPathName;
  int m_nKind = 1;
  float m_fZoom = 1.0f;
  bool m_bModified = false;
  int m_nSaves = 0;
  static inline int s_live = 0;
};
