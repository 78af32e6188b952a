// A bare Xlib window with the survey window's client size: the floor of what
// any window can cost to start on the display, to keep the toolkits' figures
// in proportion. Runs until it is killed or its window is closed.
#include <X11/Xlib.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    (void)std::fputs("empty_xlib_window: cannot open the display\n", stderr);
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 615, 291, 1,
                          BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "Empty Xlib window");
  Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &delete_window, 1);
  XSelectInput(display, window, ExposureMask);
  XMapWindow(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == ClientMessage &&
        static_cast<Atom>(event.xclient.data.l[0]) == delete_window) {
      break;
    }
  }
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
