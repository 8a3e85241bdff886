#pragma once
// A keyboard hook held by one window for as long as it is active.

#include "ui/KeyboardHook.h"

class CWnd;

class CTKeyHook {
 public:
  CTKeyHook() = default;
  ~CTKeyHook();
  CTKeyHook(const CTKeyHook&) = delete;
  CTKeyHook& operator=(const CTKeyHook&) = delete;

  // TRUE when no hook is held afterwards.
  virtual BOOL UnHook();
  // FALSE when a hook is held already or none could be made.
  virtual BOOL SetHook(CWnd* pWnd, HOOKPROC proc);

  HHOOK m_hHook = 0;
};
