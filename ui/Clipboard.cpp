#include "ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "ui/QtText.h"

namespace {
QClipboard* Clipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}
}  // namespace

BOOL IsClipboardTextAvailable() {
  QClipboard* cb = Clipboard();
  const QMimeData* data = cb ? cb->mimeData() : nullptr;
  return data && data->hasText();
}

BOOL GetClipboardText(std::string& text) {
  QClipboard* cb = Clipboard();
  const QMimeData* data = cb ? cb->mimeData() : nullptr;
  if (!data || !data->hasText()) return FALSE;
  text = FromQ(data->text());
  return TRUE;
}

BOOL SetClipboardText(const std::string& text) {
  QClipboard* cb = Clipboard();
  if (!cb) return FALSE;
  cb->setText(ToQ(text));
  return TRUE;
}

BOOL EmptyClipboard() {
  QClipboard* cb = Clipboard();
  if (!cb) return FALSE;
  cb->clear();
  return TRUE;
}
