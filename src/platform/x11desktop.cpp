#include "platform/x11desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstring>

#include "platform/codepage.h"

namespace yura {
namespace {

Display* AsDisplay(void* display) { return static_cast<Display*>(display); }

// A window property as bytes; empty when it is missing.
std::string Property(Display* display, Window window, Atom property, Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 1 << 16, False, type, &actualType, &format, &count, &after,
                         &data) != Success ||
      data == nullptr)
    return {};
  std::string bytes(reinterpret_cast<const char*>(data), count * static_cast<unsigned long>(format / 8));
  XFree(data);
  return bytes;
}

std::string TitleOf(Display* display, Window window) {
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  std::string title = Property(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8);
  if (title.empty()) title = Property(display, window, XA_WM_NAME, AnyPropertyType);
  return Utf8ToSjis(title);
}

KeySym KeySymOfVirtualKey(std::uint32_t key) {
  if (key >= 'A' && key <= 'Z') return XK_a + (key - 'A');
  if (key >= '0' && key <= '9') return XK_0 + (key - '0');
  if (key >= 112 && key <= 127) return XK_F1 + (key - 112);
  switch (key) {
    case 3: return XK_Break;
    case 8: return XK_BackSpace;
    case 9: return XK_Tab;
    case 12: return XK_Clear;
    case 13: return XK_Return;
    case 16: return XK_Shift_L;
    case 17: return XK_Control_L;
    case 18: return XK_Alt_L;
    case 20: return XK_Caps_Lock;
    case 25: return XK_Kanji;
    case 27: return XK_Escape;
    case 32: return XK_space;
    case 33: return XK_Prior;
    case 34: return XK_Next;
    case 35: return XK_End;
    case 36: return XK_Home;
    case 37: return XK_Left;
    case 38: return XK_Up;
    case 39: return XK_Right;
    case 40: return XK_Down;
    case 44: return XK_Print;
    case 45: return XK_Insert;
    case 46: return XK_Delete;
    case 47: return XK_Help;
    case 144: return XK_Num_Lock;
    case 145: return XK_Scroll_Lock;
    case 0xBA: return XK_semicolon;
    case 0xBB: return XK_equal;
    case 0xBC: return XK_comma;
    case 0xBD: return XK_minus;
    case 0xBE: return XK_period;
    case 0xBF: return XK_slash;
    case 0xC0: return XK_grave;
    case 0xDB: return XK_bracketleft;
    case 0xDC: return XK_backslash;
    case 0xDD: return XK_bracketright;
    case 0xDE: return XK_apostrophe;
    default: return NoSymbol;
  }
}

void FakeKey(Display* display, KeySym symbol, bool press) {
  const KeyCode code = XKeysymToKeycode(display, symbol);
  if (code != 0) XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime);
}

}  // namespace

std::unique_ptr<TX11Desktop> TX11Desktop::Open() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
    // Listing and activating still work; typing does not.
  }
  return std::unique_ptr<TX11Desktop>(new TX11Desktop(display));
}

TX11Desktop::~TX11Desktop() { XCloseDisplay(AsDisplay(display_)); }

std::vector<TX11Desktop::TWindow> TX11Desktop::Windows() {
  Display* display = AsDisplay(display_);
  const Window root = DefaultRootWindow(display);
  std::vector<Window> candidates;
  const std::string clients =
      Property(display, root, XInternAtom(display, "_NET_CLIENT_LIST_STACKING", False), XA_WINDOW);
  if (!clients.empty()) {
    candidates.resize(clients.size() / sizeof(Window));
    std::memcpy(candidates.data(), clients.data(), candidates.size() * sizeof(Window));
  } else {
    // Without a window manager the top-level windows are the root's children.
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children != nullptr) {
      candidates.assign(children, children + count);
      XFree(children);
    }
  }
  std::vector<TWindow> windows;
  for (Window window : candidates) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) continue;
    std::string title = TitleOf(display, window);
    if (!title.empty()) windows.push_back({window, std::move(title)});
  }
  return windows;
}

void TX11Desktop::Activate(unsigned long window) {
  Display* display = AsDisplay(display_);
  const Window root = DefaultRootWindow(display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // a request from a pager or tool
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  // Without a window manager nobody answers that request.
  XRaiseWindow(display, window);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XFlush(display);
}

bool TX11Desktop::IsActive(unsigned long window) {
  Display* display = AsDisplay(display_);
  const std::string active =
      Property(display, DefaultRootWindow(display), XInternAtom(display, "_NET_ACTIVE_WINDOW", False), XA_WINDOW);
  if (active.size() >= sizeof(Window)) {
    Window id = 0;
    std::memcpy(&id, active.data(), sizeof id);
    if (id == window) return true;
  }
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  // The focus may rest on a child of the top-level window.
  for (Window current = focus; current != 0 && current != PointerRoot;) {
    if (current == window) return true;
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, current, &rootReturn, &parent, &children, &count)) break;
    if (children != nullptr) XFree(children);
    if (parent == rootReturn) break;
    current = parent;
  }
  return false;
}

void TX11Desktop::Key(std::uint32_t virtualKey, bool press) {
  const KeySym symbol = KeySymOfVirtualKey(virtualKey);
  if (symbol != NoSymbol) FakeKey(AsDisplay(display_), symbol, press);
}

void TX11Desktop::TypeCharacter(char32_t character) {
  Display* display = AsDisplay(display_);
  // Latin-1 characters are their own key symbols; others are Unicode ones.
  const KeySym symbol = character < 0x100 ? static_cast<KeySym>(character) : 0x01000000 + character;
  const KeyCode code = XKeysymToKeycode(display, symbol);
  if (code == 0) return;
  const bool shift = XkbKeycodeToKeysym(display, code, 0, 0) != symbol;
  if (shift) FakeKey(display, XK_Shift_L, true);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  if (shift) FakeKey(display, XK_Shift_L, false);
}

void TX11Desktop::Flush() { XFlush(AsDisplay(display_)); }

}  // namespace yura
