#include "app/LoggerPage.h"

#include <ctime>

#include "app/Kestrix2CommApp.h"
#include "app/MainFrame.h"
#include "ui/Dialog.h"

namespace loggerpage {

namespace {
constexpr UINT kClockMs = 100;
constexpr int64_t kOneDay = 86400;
constexpr const char* kNormalTermination = "Normal termination";
}  // namespace

bool IsPortOpen() { return theApp.m_device.m_port.IsOpen(); }

void ExecuteSettingItem(CWnd* page, int index) {
  if (theApp.m_pMainFrame != nullptr) theApp.m_pMainFrame->ExecuteSettingItem(page, index, 0);
}

void EnableMainFrame(BOOL enable) {
  if (theApp.m_pMainFrame != nullptr) theApp.m_pMainFrame->EnableWindow(enable);
}

void ShowResultTexts(CWnd& page) {
  const CKX2Device& device = theApp.m_device;
  if (!device.m_strError.empty()) {
    page.MessageBox(device.m_strError, nullptr, MB_ICONEXCLAMATION);
  } else if (!device.m_strSuccess.empty()) {
    page.MessageBox(device.m_strSuccess, kNormalTermination, MB_OK);
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
  if (theApp.m_device.GetDeviceNow(&t) == 0) t = 0;
  if (shown && *shown == t) return;
  shown = t;
  if (field != nullptr) field->SetWindowText(FormatLoggerClock(t));
}

}  // namespace loggerpage
