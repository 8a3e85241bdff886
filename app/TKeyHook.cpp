#include "app/TKeyHook.h"

CTKeyHook::~CTKeyHook() { UnHook(); }

BOOL CTKeyHook::UnHook() {
  if (m_hHook == 0) return TRUE;
  if (!UnhookWindowsHookEx(m_hHook)) return FALSE;
  m_hHook = 0;
  return TRUE;
}

BOOL CTKeyHook::SetHook(CWnd*, HOOKPROC proc) {
  if (m_hHook != 0) return FALSE;
  // One user-interface thread: the hook sees every key of the program.
  m_hHook = SetWindowsHookEx(WH_KEYBOARD, proc, nullptr, 0);
  return m_hHook != 0 ? TRUE : FALSE;
}
