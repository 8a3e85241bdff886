#pragma once
// The background-operation runner that every window running a logger
// operation derives from: Run disables the owner and the terminal's send
// buttons, shows the progress window, runs ThreadWork on a worker thread,
// keeps the window side alive until the worker has ended and returns
// ThreadWork's result.
//
// One logger operation at a time: while a run works, every window of the
// program but its progress window and the terminal takes no input, and Run
// keeps waiting until its worker has ended, whatever happens to the owner's
// window meanwhile. A Run asked for all the same (a posted command) says
// that another operation is running and returns kBusy without starting
// anything.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/EscapeEvent.h"
#include "app/RunResult.h"
#include "app/WorkResult.h"
#include "link/DeviceResult.h"
#include "platform/Event.h"
#include "platform/Thread.h"
#include "ui/WinDefs.h"

class CWnd;
class CDlgWorking;

class CKXCWorkingThread {
 public:
  // Result of a Run that did not start because another operation runs.
  static constexpr RunResult kBusy = RunResult::kBusy;

  CKXCWorkingThread();
  virtual ~CKXCWorkingThread();
  CKXCWorkingThread(const CKXCWorkingThread&) = delete;
  CKXCWorkingThread& operator=(const CKXCWorkingThread&) = delete;

  // User-interface thread. caption: UTF-8, null or empty for the window's
  // own text.
  virtual RunResult Run(CWnd* pParent, const char* caption, BOOL bCancelable);
  virtual RunResult Run(CWnd* pParent, const char* caption);
  // The operation, on the worker thread.
  virtual WorkResult ThreadWork();
  virtual void OnWorkEnd();
  virtual void OnWorkBegin();

  // From the worker: posts a progress command (CDlgWorking::kSetTotal,
  // kSetCount) with its value to this run's progress window; one of the same
  // command that still waits takes the newer value. FALSE when the window
  // has gone.
  BOOL PostWorkingCommand(UINT command, LPARAM value) const;
  // Does a logger operation run now (its Run has not returned yet).
  static bool IsOperationRunning();
  // While one runs: says so over the owner (the main frame when null) and
  // answers true, so the caller starts nothing. User-interface thread.
  static bool RefuseWhileBusy(CWnd* owner);
  // From the worker: the device object's result as the work's. A failure
  // leaves its text, with the detail on a line of its own where one is
  // given, in the device object.
  static WorkResult WorkResultOf(DeviceResult result, const char* detail = nullptr);

  std::unique_ptr<platform::Thread> m_pThread;
  std::unique_ptr<platform::Event> m_hStopEvent;
  WorkResult m_nResult = WorkResult::kFailed;
  CEscapeEvent m_escapeEvent;
  CDlgWorking* m_pWorkingDlg = nullptr;

 private:
  static uint32_t ThreadProc(CKXCWorkingThread* runner);
  void EnableTerminalButtons(BOOL enable);
  void ShowProgressWindow(CWnd* pParent, const char* caption, BOOL bCancelable);
  void CloseProgressWindow();
  void StartWorker();
  // The program's windows that stood open to input, now disabled; and back.
  static std::vector<HWND> DisableOtherWindows(HWND progress);
  static void EnableAgain(const std::vector<HWND>& windows);

  // The progress window's handle, which the worker reads while the window
  // side may destroy the window.
  std::atomic<HWND> m_hWorkingWnd{0};
};
