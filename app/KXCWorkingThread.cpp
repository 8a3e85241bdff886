#include "app/KXCWorkingThread.h"

#include "app/DlgTerminal.h"
#include "app/DlgWorking.h"
#include "app/Kestrix2CommApp.h"
#include "app/MainFrame.h"
#include "platform/Time.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/MessagePump.h"

namespace {
// Set for the whole of a Run, user-interface thread only.
bool g_bOperationRunning = false;

// The destructor's patience with a worker that does not stop: 201 passes
// of 50 ms, about ten seconds.
constexpr int kStopPasses = 201;
constexpr uint32_t kStopPassMs = 50;

constexpr UINT kTerminalButtons[] = {CDlgTerminal::kHello, CDlgTerminal::kSleep, CDlgTerminal::kSaveLog};
}  // namespace

CKXCWorkingThread::CKXCWorkingThread() = default;

CKXCWorkingThread::~CKXCWorkingThread() {
  if (m_hStopEvent) m_hStopEvent->Set();
  if (m_pThread && m_pThread->IsRunning()) {
    platform::Sleep(100);
    int passes = 0;
    while (m_pThread->IsRunning() && passes < kStopPasses) {
      if (PendingMessageCount() > 0 && PumpMessages(1) > 0) continue;
      ++passes;
      platform::Sleep(kStopPassMs);
    }
    // Killing the worker could leave the port lock held; it runs on alone
    // instead and leaves as soon as it looks at its abandoned flag.
    if (m_pThread->IsRunning()) m_pThread->Abandon();
  }
  m_pThread.reset();
  m_hStopEvent.reset();
  delete m_pWorkingDlg;
  m_pWorkingDlg = nullptr;
}

bool CKXCWorkingThread::IsOperationRunning() { return g_bOperationRunning; }

bool CKXCWorkingThread::RefuseWhileBusy(CWnd* owner) {
  if (!g_bOperationRunning) return false;
  if (owner == nullptr) owner = theApp.m_pMainFrame;
  if (owner != nullptr) owner->MessageBox(res::LoadString(res::kStrBusy), nullptr, MB_ICONEXCLAMATION);
  return true;
}

WorkResult CKXCWorkingThread::WorkResultOf(DeviceResult result, const char* detail) {
  if (result == DeviceResult::kOk) return WorkResult::kDone;
  theApp.m_device.SetError(result, detail);
  return WorkResult::kFailed;
}

RunResult CKXCWorkingThread::Run(CWnd* pParent, const char* caption) { return Run(pParent, caption, FALSE); }

RunResult CKXCWorkingThread::Run(CWnd* pParent, const char* caption, BOOL bCancelable) {
  // A second exchange beside a running one would interleave on the port and
  // share the device object's records.
  if (RefuseWhileBusy(pParent)) return kBusy;
  g_bOperationRunning = true;

  theApp.m_dlgTerminal.m_bIdle = 0;
  EnableTerminalButtons(FALSE);

  const HWND hParent = pParent ? pParent->GetSafeHwnd() : 0;
  if (IsWindow(hParent)) pParent->EnableWindow(FALSE);

  ShowProgressWindow(pParent, caption, bCancelable);
  // The owner alone is not enough: the tabbed panel's other pages, the
  // frame's menus and any dialog would start an operation of their own.
  const std::vector<HWND> disabled = DisableOtherWindows(m_pWorkingDlg->GetSafeHwnd());

  platform::Sleep(0);
  m_nResult = WorkResult::kFailed;

  StartWorker();

  // Pump until the worker has ended, even when the owner's window is hidden
  // or destroyed meanwhile: the work still uses the port and the device
  // object, and returning early would let the next operation start beside it.
  // Between pumps the window thread sleeps until input, a timer, a posted
  // message or the worker's end arrives: a logger's reply may take 45 s.
  for (;;) {
    const int dispatched = PumpAllPendingMessages();
    if (!m_pThread || !m_pThread->IsRunning()) break;
    if (dispatched == 0) WaitForWindowEvents();
  }

  CloseProgressWindow();
  EnableAgain(disabled);
  // The owner's window may have gone during the run; its handle tells.
  if (CWnd* parent = CWnd::FromHandle(hParent)) {
    parent->EnableWindow(TRUE);
    parent->SetFocus();
  }

  theApp.m_dlgTerminal.m_bIdle = 1;
  EnableTerminalButtons(TRUE);
  g_bOperationRunning = false;
  return RunResultOf(m_nResult);
}

void CKXCWorkingThread::StartWorker() {
  if (!m_hStopEvent) {
    m_hStopEvent = std::make_unique<platform::Event>(true, false);
  } else {
    m_hStopEvent->Reset();
  }

  m_pThread.reset();  // the previous run's worker ended before its Run returned
  auto thread = std::make_unique<platform::Thread>();
  // The worker's end wakes the run's wait loop, which otherwise sleeps until
  // something arrives for the windows.
  if (thread->Create([this] { return ThreadProc(this); }, &WakeUiThread)) {
    m_pThread = std::move(thread);
    platform::Sleep(50);
    m_pThread->Resume();
  }
}

// The progress window of this run, with the abort button when the work can
// be cancelled.
void CKXCWorkingThread::ShowProgressWindow(CWnd* pParent, const char* caption, BOOL bCancelable) {
  m_pWorkingDlg = new CDlgWorking;
  g_pCurWorkingDlg = m_pWorkingDlg;
  if (bCancelable) {
    if (!m_escapeEvent.m_hEvent) {
      m_escapeEvent.m_hEvent = new platform::Event(true, false);
    } else {
      m_escapeEvent.m_hEvent->Reset();
    }
    m_pWorkingDlg->m_pEscapeEvent = &m_escapeEvent;
  }
  m_pWorkingDlg->m_strCaption = caption ? caption : "";
  m_pWorkingDlg->m_pParentWnd = pParent;
  theApp.CreateWithFont(*m_pWorkingDlg, CDlgWorking::IDD, nullptr);
  m_hWorkingWnd.store(m_pWorkingDlg->GetSafeHwnd());
}

void CKXCWorkingThread::CloseProgressWindow() {
  m_hWorkingWnd.store(0);
  m_pWorkingDlg->DestroyWindow();
  delete m_pWorkingDlg;
  m_pWorkingDlg = nullptr;
}

WorkResult CKXCWorkingThread::ThreadWork() { return WorkResult::kFailed; }
void CKXCWorkingThread::OnWorkEnd() {}
void CKXCWorkingThread::OnWorkBegin() {}

BOOL CKXCWorkingThread::PostWorkingCommand(UINT command, LPARAM value) const {
  return PostLatestWindowMessage(m_hWorkingWnd.load(), WM_COMMAND, command, value);
}

uint32_t CKXCWorkingThread::ThreadProc(CKXCWorkingThread* runner) {
  if (!runner) return 0;
  runner->OnWorkBegin();
  const WorkResult result = runner->ThreadWork();
  // An abandoned worker outlived its owner: nothing of it may be touched.
  if (platform::Thread::CurrentAbandoned()) return 0;
  runner->m_nResult = result;
  runner->OnWorkEnd();
  return 0;
}

std::vector<HWND> CKXCWorkingThread::DisableOtherWindows(HWND progress) {
  std::vector<HWND> disabled;
  // The terminal stays live: the operator watches the traffic there.
  const HWND terminal = theApp.m_dlgTerminal.GetSafeHwnd();
  for (const HWND window : CWnd::TopLevelWindows()) {
    CWnd* wnd = CWnd::FromHandle(window);
    if (window == progress || window == terminal || wnd == nullptr || !wnd->IsWindowEnabled()) continue;
    wnd->EnableWindow(FALSE);
    disabled.push_back(window);
  }
  return disabled;
}

// Windows that went during the run are skipped.
void CKXCWorkingThread::EnableAgain(const std::vector<HWND>& windows) {
  for (const HWND window : windows) {
    if (CWnd* wnd = CWnd::FromHandle(window)) wnd->EnableWindow(TRUE);
  }
}

void CKXCWorkingThread::EnableTerminalButtons(BOOL enable) {
  for (UINT id : kTerminalButtons) {
    if (CWnd* button = theApp.m_dlgTerminal.GetDlgItem(static_cast<int>(id))) button->EnableWindow(enable);
  }
}
