#include "ui/ComboBox.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ui/ControlFactory.h"
#include "ui/QtText.h"

namespace {
QComboBox* Combo(QWidget* w) { return qobject_cast<QComboBox*>(w); }

int Find(const QComboBox* combo, int startAfter, const std::string& text, bool whole) {
  const QString wanted = ToQ(text);
  const int n = combo->count();
  if (startAfter < -1 || startAfter >= n) startAfter = -1;
  // The search wraps round from the entry after the start, as the platform's does.
  for (int k = 0; k < n; ++k) {
    const int i = (startAfter + 1 + k) % n;
    const QString entry = combo->itemText(i);
    const bool match =
        whole ? entry.compare(wanted, Qt::CaseInsensitive) == 0 : entry.startsWith(wanted, Qt::CaseInsensitive);
    if (match) return i;
  }
  return CB_ERR;
}
}  // namespace

void CComboBox::OnAttached() {
  const uint64_t style = TemplateStyleOf(GetWidget());
  const bool dropDown = (style & res::CS_DROPDOWN) != 0 && (style & res::CS_DROPDOWNLIST) == 0;
  m_dwStyle = (m_dwStyle & ~CBS_TYPEMASK) | (dropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
}

int CComboBox::AddString(const std::string& text) { return InsertString(-1, text); }

int CComboBox::InsertString(int index, const std::string& text) {
  QComboBox* combo = Combo(GetWidget());
  if (!combo || index < -1 || index > combo->count()) return CB_ERR;
  const int at = index == -1 ? combo->count() : index;
  // An entry joining the list changes neither the choice nor the typed
  // text (Qt would choose the first entry of an empty list).
  const QString typed = combo->currentText();
  const bool chosen = combo->currentIndex() >= 0;
  const QSignalBlocker quiet(combo);
  combo->insertItem(at, ToQ(text));
  if (!chosen) {
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(typed);
  }
  return at;
}

int CComboBox::DeleteString(int index) {
  QComboBox* combo = Combo(GetWidget());
  if (!combo || index < 0 || index >= combo->count()) return CB_ERR;
  const QSignalBlocker quiet(combo);
  combo->removeItem(index);
  return combo->count();
}

void CComboBox::ResetContent() {
  if (QComboBox* combo = Combo(GetWidget())) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    if (combo->isEditable()) combo->setEditText(QString());
  }
}

int CComboBox::GetCount() const {
  QComboBox* combo = Combo(GetWidget());
  return combo ? combo->count() : CB_ERR;
}

int CComboBox::GetCurSel() const {
  QComboBox* combo = Combo(GetWidget());
  if (!combo || combo->currentIndex() < 0) return CB_ERR;
  // A drop-down whose field no longer shows the chosen entry has no choice.
  if (combo->isEditable() && combo->currentText() != combo->itemText(combo->currentIndex())) return CB_ERR;
  return combo->currentIndex();
}

int CComboBox::SetCurSel(int index) {
  QComboBox* combo = Combo(GetWidget());
  if (!combo) return CB_ERR;
  const QSignalBlocker quiet(combo);
  if (index < 0 || index >= combo->count()) {
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
    return CB_ERR;
  }
  combo->setCurrentIndex(index);
  if (combo->isEditable()) combo->setEditText(combo->itemText(index));
  return index;
}

int CComboBox::GetLBText(int index, std::string& text) const {
  QComboBox* combo = Combo(GetWidget());
  if (!combo || index < 0 || index >= combo->count()) return CB_ERR;
  text = FromQ(combo->itemText(index));
  return static_cast<int>(text.size());
}

std::string CComboBox::GetLBText(int index) const {
  std::string text;
  GetLBText(index, text);
  return text;
}

int CComboBox::FindStringExact(int startAfter, const std::string& text) const {
  QComboBox* combo = Combo(GetWidget());
  return combo ? Find(combo, startAfter, text, true) : CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& text) {
  QComboBox* combo = Combo(GetWidget());
  if (!combo) return CB_ERR;
  const int at = Find(combo, startAfter, text, false);
  if (at != CB_ERR) SetCurSel(at);
  return at;
}
