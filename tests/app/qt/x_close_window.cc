// quorvane-x-close WINDOW-ID: asks an X11 window to close, as a window manager
// does when the user clicks its close button (the WM_DELETE_WINDOW message).

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvane-x-close WINDOW-ID\n");
    return 2;
  }
  const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) {
    std::fprintf(stderr, "quorvane-x-close: cannot open the display\n");
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  if (XSendEvent(display.get(), event.xclient.window, False, NoEventMask, &event) == 0) {
    std::fprintf(stderr, "quorvane-x-close: cannot send to window %s\n", argv[1]);
    return 1;
  }
  XSync(display.get(), False);
  return 0;
}
