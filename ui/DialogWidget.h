#pragma once
// The Qt window of a pop-up dialog: Enter and Esc become the dialog's
// default command and IDCANCEL, as the platform's dialog manager does.

#include <QDialog>

class CWnd;

class DialogWidget : public QDialog {
 public:
  DialogWidget(CWnd* owner, QWidget* parent);
  void Forget() { m_owner = nullptr; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void reject() override;

 private:
  CWnd* m_owner;
};
