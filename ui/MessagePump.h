#pragma once
// Posted messages and the message pumps.
//
// Messages posted to a window handle wait in one queue of our own, so the
// pumps can count them; the Qt event loop drains the queue as well, so a
// posted command arrives whether the program sits in the application's loop,
// a modal dialog or one of the pumps below.

#include <cstddef>

#include "ui/WinDefs.h"

// Installs the window services of the core (IsWindow, posting a command to a
// window from any thread). Call once the application object exists.
void InstallUiPlatformServices();
// Makes the queue's waker; the framework calls it on the user-interface
// thread whenever a window is made.
void EnsureMessageDispatcher();

// Queues a message for a window; FALSE when the handle is no window. Any thread.
BOOL PostWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// As PostWindowMessage, for a value of which only the latest matters (a
// progress count): when the same message with the same first argument for
// the same window still waits among the last few queued, it takes this
// second argument instead of a new message being queued. A worker faster
// than the window thread so never piles such messages up.
BOOL PostLatestWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// On the user-interface thread: dispatches at most maxMessages posted messages
// and lets Qt handle its own pending input, timer and paint events without
// waiting. Returns how many posted messages it dispatched; on any other
// thread it returns 0 at once.
int PumpMessages(int maxMessages);

// On the user-interface thread: dispatches every message pending now (not
// those that handlers post meanwhile) and Qt's pending events.
int PumpAllPendingMessages();

// On the user-interface thread: sleeps until something arrives for the
// window side (input, a timer, a posted message, a WakeUiThread) and handles
// it, posted messages included. Costs nothing while nothing arrives.
void WaitForWindowEvents();
// Any thread: makes a WaitForWindowEvents now or next return.
void WakeUiThread();

// Posted messages not yet dispatched.
size_t PendingMessageCount();

// Is the calling thread the user-interface thread (the QApplication's).
bool IsUiThread();

// Is a modal dialog or message box up now (user-interface thread): its
// caller waits below it.
bool IsModalLoopRunning();
