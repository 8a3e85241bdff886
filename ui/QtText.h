#pragma once
// The one boundary between the system's UTF-8 text and Qt's strings.

#include <QString>
#include <string>

inline QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline QString ToQ(const char* s) { return s ? QString::fromUtf8(s) : QString(); }
inline std::string FromQ(const QString& s) { return s.toUtf8().toStdString(); }

// A caption as the window system gets it: control characters (a title that
// ends in CR LF) have no form in a title bar and are left out.
inline QString ToCaption(const std::string& s) {
  QString q = ToQ(s);
  q.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
  return q;
}
