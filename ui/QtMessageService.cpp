#include "ui/QtMessageService.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <memory>
#include <vector>

#include "ui/QtText.h"
#include "ui/Wnd.h"

namespace {
QStringList PatternList(const QString& patterns) {
  QStringList list = patterns.split(QRegularExpression(QStringLiteral("[; ]+")), Qt::SkipEmptyParts);
  list.sort();
  return list;
}

// Does the description already end in its own patterns, as "Log file(*.log)"
// does? Qt reads a filter's patterns from its last parentheses.
bool EndsInPatterns(const QString& description, const QString& patterns) {
  if (!description.endsWith(QLatin1Char(')'))) return false;
  const qsizetype open = description.lastIndexOf(QLatin1Char('('));
  if (open < 0) return false;
  return PatternList(description.mid(open + 1, description.size() - open - 2)) == PatternList(patterns);
}
// The width a title bar needs for the caption: its text (title bars are
// mostly bold) beside the window icon and the three window buttons.
int CaptionWidth(const QWidget& window) {
  QFont bold = window.font();
  bold.setBold(true);
  const int buttons = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
  return QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + 5 * std::max(buttons, 16);
}

// A box is at least as wide as its caption: Qt sizes it by its text alone and
// a long caption would be cut in the title bar.
void FitCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const QMargins m = grid->contentsMargins();
  const int width = CaptionWidth(box) - m.left() - m.right();
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}
}  // namespace

QString QtFileFilter(const std::string& filter) {
  QStringList parts = ToQ(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty() && parts[i + 1].isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (EndsInPatterns(parts[i], patterns)) {
      out << parts[i];
    } else {
      out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
  }
  return out.join(QStringLiteral(";;"));
}

namespace {
struct Choice {
  QMessageBox::StandardButton button;
  int result;
};

std::vector<Choice> ChoicesOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
      return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
      return {{QMessageBox::Ok, IDOK}};
  }
}

QWidget* WindowOf(CWnd* owner) {
  return owner && owner->GetWidget() ? owner->GetWidget()->window() : QApplication::activeWindow();
}
}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                                            UINT type) {
  auto box = std::make_unique<QMessageBox>(WindowOf(owner));
  box->setWindowTitle(ToCaption(caption));
  QString body = ToQ(text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box->setText(body);
  box->setTextFormat(Qt::PlainText);
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      box->setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box->setIcon(QMessageBox::Question);
      break;
    case MB_ICONEXCLAMATION:
      box->setIcon(QMessageBox::Warning);
      break;
    case MB_ICONASTERISK:
      box->setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  const std::vector<Choice> choices = ChoicesOf(type);
  for (const Choice& c : choices) box->addButton(c.button);
  size_t def = (type & MB_DEFMASK) >> 8;
  if (def < choices.size()) box->setDefaultButton(choices[def].button);
  // Esc answers Cancel where there is one, else the only button.
  box->setEscapeButton(choices.size() == 1 ? choices[0].button : QMessageBox::Cancel);
  FitCaption(*box);
  return box;
}

int QtMessageService::MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) {
  std::unique_ptr<QMessageBox> box = MakeMessageBox(owner, text, caption, type);
  box->exec();
  const auto clicked = box->standardButton(box->clickedButton());
  const std::vector<Choice> choices = ChoicesOf(type);
  for (const Choice& c : choices) {
    if (c.button == clicked) return c.result;
  }
  return choices.size() == 1 ? choices[0].result : IDCANCEL;
}

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& r) {
  auto dialog =
      std::make_unique<QFileDialog>(WindowOf(r.owner), ToCaption(r.title), ToQ(r.initialDir), QtFileFilter(r.filter));
  // Qt's own dialog, in the program's language and with its keys, rather
  // than a desktop's dialog in the desktop's.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(r.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog->setFileMode(r.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!r.defaultExt.empty()) dialog->setDefaultSuffix(ToQ(r.defaultExt));
  if (!r.fileName.empty()) dialog->selectFile(ToQ(r.fileName));
  if (!r.open && !(r.flags & OFN_OVERWRITEPROMPT)) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  return dialog;
}

std::optional<std::string> QtMessageService::FileDialog(const FileDialogRequest& r) {
  std::unique_ptr<QFileDialog> dialog = MakeFileDialog(r);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return FromQ(dialog->selectedFiles().first());
}

void QtMessageService::Beep() { QApplication::beep(); }
