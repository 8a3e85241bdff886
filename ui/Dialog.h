#pragma once
// CDialog: a dialog built from a template, modal (DoModal) or modeless
// (Create). The template may be replaced before the build (InitModalIndirect,
// CreateIndirect), which is how the program gives its dialogs its own font.

#include <functional>
#include <memory>

#include "ui/DataExchange.h"
#include "ui/DialogTemplate.h"
#include "ui/Fonts.h"
#include "ui/Wnd.h"

class CDialog : public CWnd {
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modal run; returns the value given to EndDialog, or -1 when the dialog
  // could not be built.
  virtual INT_PTR DoModal();
  // The next DoModal uses this template (copied) in place of m_nIDTemplate.
  BOOL InitModalIndirect(const CDialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);
  BOOL InitModalIndirect(const res::DialogTemplateData& data, CWnd* pParentWnd = nullptr);

  // Modeless windows.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(const CDialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(const res::DialogTemplateData& data, CWnd* pParentWnd = nullptr);

  void EndDialog(int nResult);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  // Dialog units of this dialog's font to pixels.
  void MapDialogRect(LPRECT rc) const;
  const DluMetrics& GetDluMetrics() const { return m_dlu; }
  BOOL PreTranslateMessage(MSG* msg) override;

  // Test hook: called once each modal dialog runs (shown, inside its loop).
  // Returns the previous hook.
  using ModalHook = std::function<void(CDialog*)>;
  static ModalHook SetModalHook(ModalHook hook);

  UINT m_nIDTemplate = 0;
  UINT m_nIDHelp = 0;
  const char* m_lpszTemplateName = nullptr;
  CWnd* m_pParentWnd = nullptr;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnClose() override;
  void OnWidgetGone() override;

 private:
  BOOL Build(const res::DialogTemplateData& data, CWnd* parent, bool modal);
  std::unique_ptr<CDialogTemplate> m_pIndirect;
  DluMetrics m_dlu{8, 16};
  INT_PTR m_nModalResult = -1;
  bool m_bModal = false;
  bool m_bEnded = false;
};
