#include "ui/WidgetText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "platform/Text.h"
#include "ui/QtText.h"
#include "ui/ReadOnlyEditWidget.h"

namespace {
const char* kRawText = "kx2rawtext";

QString Lines(const std::string& text) {
  QString s = ToQ(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}
}  // namespace

std::string StripMnemonic(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += text[i];
  }
  return out;
}

void SetWidgetText(QWidget* w, const std::string& text) {
  if (!w) return;
  // A text of any length, kept once.
  if (auto* view = dynamic_cast<ReadOnlyEditWidget*>(w)) {
    view->SetText(text);
    return;
  }
  // The text exactly as set, so reading it back gives the same bytes even
  // where the widget shows it changed (line ends, mnemonics).
  w->setProperty(kRawText, ToQ(text));
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(Lines(StripMnemonic(text)));
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    line->setText(ToQ(text));
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    plain->setPlainText(Lines(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(Lines(text));
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(ToQ(text));
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (combo->isEditable()) combo->setEditText(ToQ(text));
  } else {
    w->setWindowTitle(ToCaption(text));
  }
}

std::string GetWidgetText(const QWidget* w) {
  if (!w) return {};
  if (auto* view = dynamic_cast<const ReadOnlyEditWidget*>(w)) return platform::ToValidUtf8(view->Bytes());
  if (auto* line = qobject_cast<const QLineEdit*>(w)) return FromQ(line->text());
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(w)) {
    QString s = plain->toPlainText();
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQ(s);
  }
  if (auto* combo = qobject_cast<const QComboBox*>(w)) return FromQ(combo->currentText());
  QVariant raw = w->property(kRawText);
  if (raw.isValid()) return FromQ(raw.toString());
  if (auto* label = qobject_cast<const QLabel*>(w)) return FromQ(label->text());
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return FromQ(button->text());
  if (auto* group = qobject_cast<const QGroupBox*>(w)) return FromQ(group->title());
  return FromQ(w->windowTitle());
}
