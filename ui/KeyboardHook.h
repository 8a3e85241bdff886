#pragma once
// Keyboard hooks and key pre-translation, over one application-wide Qt
// event filter.
//
// Every key press and release of the program first goes through the hook
// chain (newest hook first; a non-zero answer swallows the key), then, for
// key-downs, through PreTranslateMessage of the window that has the focus
// and its parents (TRUE swallows it), and only then to Qt.

#include <initializer_list>
#include <vector>

#include "ui/WinDefs.h"

using HHOOK = intptr_t;
using HINSTANCE = void*;
// code HC_ACTION, wParam the virtual key, lParam the key flags: bit 31 set
// for a key-up, bit 30 for a key that was down before, bit 29 while Alt is
// held, bits 16-23 a scan code, bits 0-15 the repeat count.
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

// Only WH_KEYBOARD is offered; the thread id is ignored (one user-interface thread).
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
// The next hook's answer, 0 at the end of the chain.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// Installs the event filter on the application (once; needs the QApplication).
void InstallKeyboardFilter();

// Called by a window's PreTranslateMessage that answers TRUE for a key that
// Qt should still handle the ordinary way (the dialog manager's keys).
void LetDialogManagerHandle();

// The character of the key event being translated now (0 when it gives
// none): what the platform's key translation would make of the key.
int CurrentKeyChar();

// Is that virtual key down now (high bit set, as GetKeyState answers).
short GetKeyState(int virtualKey);

// Two keys held together, such as a chord of two modifiers that unlocks an
// operation the ordinary user should not stumble on.
struct KeyChord {
  int first;
  int second;
};
// Both keys down now, each asked of GetKeyState, the second only while the
// first is down.
bool IsKeyChordHeld(const KeyChord& chord);

// Keys that count as down for GetKeyState while the object lives, whatever the
// keyboard says: tests hold keys this way, since an offscreen platform has
// no keyboard state to ask. Holds nest.
class ScopedKeyHold {
 public:
  explicit ScopedKeyHold(std::initializer_list<int> virtualKeys);
  explicit ScopedKeyHold(const KeyChord& chord) : ScopedKeyHold({chord.first, chord.second}) {}
  ~ScopedKeyHold();
  ScopedKeyHold(const ScopedKeyHold&) = delete;
  ScopedKeyHold& operator=(const ScopedKeyHold&) = delete;

 private:
  std::vector<int> m_keys;
};
