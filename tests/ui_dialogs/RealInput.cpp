#include "tests/ui_dialogs/RealInput.h"

#include <dlfcn.h>

#include <chrono>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

// Last: the X headers define names that the others use.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The X window of a top-level window, looked up through the toolkit in the running program.
Window XWindowOf(wxWindow* window) {
  using GetWindow = void* (*)(void*);
  using GetXid = Window (*)(void*);
  const auto getWindow = reinterpret_cast<GetWindow>(dlsym(RTLD_DEFAULT, "gtk_widget_get_window"));
  const auto getXid = reinterpret_cast<GetXid>(dlsym(RTLD_DEFAULT, "gdk_x11_window_get_xid"));
  void* const gdkWindow = getWindow && window->GetHandle() ? getWindow(window->GetHandle()) : nullptr;
  return gdkWindow && getXid ? getXid(gdkWindow) : 0;
}

}  // namespace

void LetEventsArrive() {
  for (int i = 0; i < 20; ++i) {
    wxTheApp->Yield(true);
    wxMilliSleep(10);
  }
}

bool WaitUntil(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    wxTheApp->Yield(true);
    wxMilliSleep(10);
  }
  return true;
}

void ClickOnScreen(wxWindow* window) {
  const wxRect rect = window->GetScreenRect();
  wxUIActionSimulator user;
  user.MouseMove(rect.x + rect.width / 2, rect.y + rect.height / 2);
  LetEventsArrive();
  user.MouseClick();
  LetEventsArrive();
}

void PressCloseBox(wxWindow* window) {
  const Window target = XWindowOf(window);
  Display* display = XOpenDisplay(nullptr);
  if (!target || !display) {
    if (display) XCloseDisplay(display);
    ADD_FAILURE() << "no X window to close";
    return;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = target;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, target, False, NoEventMask, &event);
  XCloseDisplay(display);  // flushes the request
  LetEventsArrive();
}

wxImage ScreenImage(const wxRect& rect) {
  wxImage image(rect.width, rect.height);
  Display* display = XOpenDisplay(nullptr);
  if (!display) return image;
  XImage* shot = XGetImage(display, DefaultRootWindow(display), rect.x, rect.y, rect.width, rect.height,
                           AllPlanes, ZPixmap);
  if (shot) {
    for (int y = 0; y < rect.height; ++y)
      for (int x = 0; x < rect.width; ++x) {
        const unsigned long pixel = XGetPixel(shot, x, y);  // the tests' screens have 24 bits
        image.SetRGB(x, y, (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
      }
    XDestroyImage(shot);
  }
  XCloseDisplay(display);
  return image;
}
