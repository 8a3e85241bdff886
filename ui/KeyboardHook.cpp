#include "ui/KeyboardHook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <set>
#include <vector>

#include "ui/VirtualKeys.h"
#include "ui/WinAppEx.h"
#include "ui/Wnd.h"

namespace {
struct Hook {
  HHOOK handle;
  HOOKPROC proc;
};
// All on the user-interface thread, newest hook first.
std::vector<Hook> g_hooks;
HHOOK g_nextHook = 1;
bool g_letDialogManager = false;
int g_currentChar = 0;
std::set<int> g_keysDown;
std::multiset<int> g_keysHeld;
const QEvent* g_lastEvent = nullptr;
ulong g_lastStamp = 0;
QEvent::Type g_lastType = QEvent::None;
QPointer<QWidget> g_lastReceiver;

LPARAM KeyFlags(const QKeyEvent* ke, bool down) {
  uint32_t flags = 1u | ((ke->nativeScanCode() & 0xFFu) << 16);
  if (ke->modifiers() & Qt::AltModifier) flags |= 1u << 29;
  if (!down || ke->isAutoRepeat()) flags |= 1u << 30;
  if (!down) flags |= 1u << 31;
  return static_cast<LPARAM>(flags);
}

class KeyFilter : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    if (!o->isWidgetType()) return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    // A key that a widget ignores travels on to its parents as the same
    // event; it is translated once. (A new event may reuse the address of
    // the last one, but it does not go to an ancestor of its receiver.)
    auto* receiver = static_cast<QWidget*>(o);
    if (e == g_lastEvent && ke->timestamp() == g_lastStamp && e->type() == g_lastType && g_lastReceiver &&
        receiver->isAncestorOf(g_lastReceiver)) {
      g_lastReceiver = receiver;
      return false;
    }
    g_lastEvent = e;
    g_lastStamp = ke->timestamp();
    g_lastType = e->type();
    g_lastReceiver = receiver;

    bool down = e->type() == QEvent::KeyPress;
    int vk = QtKeyToVirtualKey(ke->key());
    if (vk == 0) return false;
    if (down) {
      g_keysDown.insert(vk);
    } else if (!ke->isAutoRepeat()) {
      g_keysDown.erase(vk);
    }
    // A key typed into a window that the framework does not know (a standard
    // file dialog, a message box, an open menu) is that window's alone: no
    // hook and no window behind it may take it.
    CWnd* owner = KeyOwner(receiver);
    if (!owner) return false;
    LPARAM flags = KeyFlags(ke, down);
    if (!g_hooks.empty()) {
      if (g_hooks.front().proc(HC_ACTION, static_cast<WPARAM>(vk), flags) != 0) return true;
    }
    if (!down) return false;
    return PreTranslate(owner, ke, vk, flags);
  }

 private:
  // The framework's window of the widget that has the key, found without
  // leaving the widget's own top-level window: a foreign dialog's parent is
  // the window it was opened from, which must not see the dialog's keys.
  static CWnd* KeyOwner(QWidget* target) {
    CWnd* wnd = CWnd::FromWidget(target);
    if (!wnd) return nullptr;
    const QWidget* own = wnd->GetWidget();
    for (QWidget* w = target; w && w != own; w = w->parentWidget()) {
      if (w->isWindow()) return nullptr;
    }
    return wnd;
  }

  static bool PreTranslate(CWnd* wnd, QKeyEvent* ke, int vk, LPARAM flags) {
    MSG msg;
    msg.hwnd = wnd->m_hWnd;
    msg.message = (ke->modifiers() & Qt::AltModifier) || vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = static_cast<WPARAM>(vk);
    msg.lParam = flags;
    QString text = ke->text();
    g_currentChar = text.size() == 1 ? text.at(0).unicode() : 0;
    g_letDialogManager = false;
    bool answered = false;
    CWnd* top = nullptr;
    for (CWnd* w = wnd; w && !answered; w = w->GetParent()) {
      top = w;
      answered = w->PreTranslateMessage(&msg) != FALSE;
    }
    // Keys of modeless windows get a last chance at the main window.
    CWnd* main = AfxGetMainWnd();
    if (!answered && main && top != main) answered = main->PreTranslateMessage(&msg) != FALSE;
    bool swallow = answered && !g_letDialogManager;
    g_letDialogManager = false;
    g_currentChar = 0;
    return swallow;
  }
};
}  // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
  if (idHook != WH_KEYBOARD || !proc) return 0;
  HHOOK h = g_nextHook++;
  g_hooks.insert(g_hooks.begin(), Hook{h, proc});
  return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto it = std::find_if(g_hooks.begin(), g_hooks.end(), [hook](const Hook& h) { return h.handle == hook; });
  if (it == g_hooks.end()) return FALSE;
  g_hooks.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto it = std::find_if(g_hooks.begin(), g_hooks.end(), [hook](const Hook& h) { return h.handle == hook; });
  if (it == g_hooks.end() || ++it == g_hooks.end()) return 0;
  return it->proc(code, wParam, lParam);
}

void InstallKeyboardFilter() {
  static KeyFilter* filter = nullptr;
  if (filter || !QCoreApplication::instance()) return;
  filter = new KeyFilter;
  QCoreApplication::instance()->installEventFilter(filter);
}

void LetDialogManagerHandle() { g_letDialogManager = true; }

int CurrentKeyChar() { return g_currentChar; }

short GetKeyState(int virtualKey) {
  if (g_keysHeld.count(virtualKey) != 0) return static_cast<short>(0x8000);
  Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
  bool down;
  switch (virtualKey) {
    case VK_SHIFT:
      down = mods & Qt::ShiftModifier;
      break;
    case VK_CONTROL:
      down = mods & Qt::ControlModifier;
      break;
    case VK_MENU:
      down = mods & Qt::AltModifier;
      break;
    default:
      down = g_keysDown.count(virtualKey) != 0;
  }
  return down ? static_cast<short>(0x8000) : 0;
}

bool IsKeyChordHeld(const KeyChord& chord) {
  if ((GetKeyState(chord.first) & 0x8000) == 0) return false;
  return (GetKeyState(chord.second) & 0x8000) != 0;
}

ScopedKeyHold::ScopedKeyHold(std::initializer_list<int> virtualKeys) : m_keys(virtualKeys) {
  for (int key : m_keys) g_keysHeld.insert(key);
}

ScopedKeyHold::~ScopedKeyHold() {
  for (int key : m_keys) g_keysHeld.erase(g_keysHeld.find(key));
}
