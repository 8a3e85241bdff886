#include "app/LoggerPage.h"

#include <ctime>

#include "app/KXCWorkingThread.h"
#include "app/Kestrix2CommApp.h"
#include "app/MainFrame.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/Dialog.h"

namespace loggerpage {

namespace {
constexpr UINT kClockMs = 100;
constexpr int64_t kOneDay = 86400;
constexpr const char* kNormalTermination = "Normal termination";
}  // namespace

bool IsPortOpen() { return theApp.m_device.m_port.IsOpen(); }

void ExecuteSettingItem(CWnd* page, int index, unsigned flags) {
  if (theApp.m_pMainFrame != nullptr) theApp.m_pMainFrame->ExecuteSettingItem(page, index, flags);
}

void EnableMainFrame(BOOL enable) {
  if (theApp.m_pMainFrame != nullptr) theApp.m_pMainFrame->EnableWindow(enable);
}

bool Confirm(CWnd& page, unsigned textId, const char* caption) {
  return page.MessageBox(res::LoadString(textId), caption, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

RunResult RunPageWork(CWnd& page, CKXCWorkingThread& work) {
  // The texts of the operation that runs are its own to show.
  if (CKXCWorkingThread::RefuseWhileBusy(&page)) return RunResult::kBusy;
  theApp.m_device.ClearDeviceMessages();
  const RunResult result = work.Run(&page, nullptr, FALSE);
  ShowDeviceMessages(page);
  return result;
}

void ShowDeviceMessages(CWnd& page) {
  const CKX2Device& device = theApp.m_device;
  if (!device.m_strError.empty()) {
    page.MessageBox(device.m_strError, nullptr, MB_ICONEXCLAMATION);
  } else if (!device.m_strSuccess.empty()) {
    page.MessageBox(device.m_strSuccess, kNormalTermination, MB_OK);
  }
}

void ShowOutcome(CWnd& page, bool done, const char* caption) {
  if (done) {
    page.MessageBox(res::LoadString(res::kStrSuccess), caption, MB_OK);
  } else {
    page.MessageBox(res::LoadString(res::kStrFailure), caption, MB_ICONEXCLAMATION);
  }
}

BOOL TranslatePageMessage(CDialog& page, MSG* msg) {
  if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == static_cast<WPARAM>(VK_ESCAPE)) return TRUE;
  return page.CDialog::PreTranslateMessage(msg);
}

void DestroyPageWindow(CWnd& page) {
  if (page.GetSafeHwnd() != 0) page.DestroyWindow();
}

UINT_PTR StartClockTimer(CWnd& page, UINT_PTR& running, UINT_PTR id) {
  if (running != 0) page.KillTimer(running);
  running = page.SetTimer(id, kClockMs);
  return running;
}

void StopClockTimer(CWnd& page, UINT_PTR& running) {
  if (running != 0) page.KillTimer(running);
  running = 0;
}

BOOL OnClockTimer(CWnd& page, UINT_PTR id, UINT_PTR running, int fieldId, std::optional<int64_t>& shown) {
  if (running == 0 || id != running) return FALSE;
  ShowLoggerClock(page.GetDlgItem(fieldId), shown);
  return TRUE;
}

void OnClockPageShown(CWnd& page, BOOL show, UINT_PTR& running, UINT_PTR id) {
  if (show) {
    StartClockTimer(page, running, id);
  } else {
    StopClockTimer(page, running);
  }
}

std::string FormatLoggerClock(int64_t t) {
  if (t <= kOneDay) return std::string();
  const std::time_t when = static_cast<std::time_t>(t);
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return std::string();
  char text[64];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(text, n);
}

void ShowLoggerClock(CWnd* field, std::optional<int64_t>& shown) {
  int64_t t = 0;
  if (theApp.m_device.GetDeviceNow(&t) != ReadResult::kDone) t = 0;
  if (shown && *shown == t) return;
  shown = t;
  if (field != nullptr) field->SetWindowText(FormatLoggerClock(t));
}

}  // namespace loggerpage
