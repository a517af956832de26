#include "window/support/x_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <thread>

namespace kv::test {
namespace {

using Clock = std::chrono::steady_clock;

// Windows come and go while the tests look at the tree; a vanished one is no error.
int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

// Reads the display number Xvfb writes once it accepts connections.
std::string ReadDisplayNumber(int fd, std::chrono::milliseconds timeout) {
  std::string number;
  const auto deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    char c = 0;
    const ssize_t got = read(fd, &c, 1);
    if (got <= 0) break;
    if (c == '\n') return number;
    number += c;
  }
  return {};
}

int ChannelShift(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

}  // namespace

struct XServer::Connection {
  Display* display = nullptr;
  Window root = 0;
  ~Connection() {
    if (display != nullptr) XCloseDisplay(display);
  }
};

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool Near(Rgb8 a, Rgb8 b, int tolerance) {
  const auto close = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
  return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}

std::string Describe(Rgb8 c) {
  char text[32];
  std::snprintf(text, sizeof text, "rgb(%d, %d, %d)", c.r, c.g, c.b);
  return text;
}

XServer::XServer(int width, int height)
    : width_(width), height_(height), x_(std::make_unique<Connection>()) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  ChildProcess::Options options;
  options.argv = {
      "/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]),
      "-screen",       "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
      "-nolisten",     "tcp",        "-noreset"};
  options.pass_fd = fds[1];
  server_ = std::make_unique<ChildProcess>(options);
  close(fds[1]);
  const std::string number = ReadDisplayNumber(fds[0], std::chrono::seconds(20));
  close(fds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  display_name_ = ":" + number;

  XSetErrorHandler(IgnoreXErrors);
  x_->display = XOpenDisplay(display_name_.c_str());
  if (x_->display == nullptr) throw std::runtime_error("cannot connect to " + display_name_);
  x_->root = DefaultRootWindow(x_->display);
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(x_->display, &event_base, &error_base, &major, &minor)) {
    throw std::runtime_error("the X server has no XTest");
  }
}

XServer::~XServer() {
  x_.reset();
  window_manager_.reset();
  server_.reset();
}

void XServer::StartWindowManager() {
  ChildProcess::Options options;
  options.argv = {"/usr/bin/openbox", "--sm-disable"};
  options.env = {"DISPLAY=" + display_name_};
  window_manager_ = std::make_unique<ChildProcess>(options);
  Display* d = x_->display;
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  const bool managing = WaitUntil(
      [&] {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool found = XGetWindowProperty(d, x_->root, check, 0, 1, False, XA_WINDOW, &type,
                                              &format, &count, &after, &data) == Success &&
                           count == 1;
        if (data != nullptr) XFree(data);
        return found;
      },
      std::chrono::seconds(20));
  if (!managing) throw std::runtime_error("the window manager did not start");
}

void XServer::MovePointer(int x, int y) {
  XTestFakeMotionEvent(x_->display, -1, x, y, CurrentTime);
  XSync(x_->display, False);
}

void XServer::Button(int button, bool down) {
  XTestFakeButtonEvent(x_->display, static_cast<unsigned>(button), down ? True : False,
                       CurrentTime);
  XSync(x_->display, False);
}

void XServer::Click(int x, int y, int button) {
  MovePointer(x, y);
  Button(button, true);
  Button(button, false);
}

void XServer::Key(const std::string& keysym, bool down) {
  const KeySym sym = XStringToKeysym(keysym.c_str());
  if (sym == NoSymbol) throw std::runtime_error("unknown key " + keysym);
  const KeyCode code = XKeysymToKeycode(x_->display, sym);
  XTestFakeKeyEvent(x_->display, code, down ? True : False, CurrentTime);
  XSync(x_->display, False);
}

void XServer::TapKey(const std::string& keysym) {
  Key(keysym, true);
  Key(keysym, false);
}

void XServer::AltEnter() {
  Key("Alt_L", true);
  TapKey("Return");
  Key("Alt_L", false);
}

void XServer::BindKeysyms(const std::vector<std::string>& keysyms) {
  Display* d = x_->display;
  int min_code = 0, max_code = 0;
  XDisplayKeycodes(d, &min_code, &max_code);
  int per_code = 0;
  KeySym* map =
      XGetKeyboardMapping(d, static_cast<KeyCode>(min_code), max_code - min_code + 1, &per_code);
  const auto spare = [&](int code) {
    for (int i = 0; i < per_code; ++i) {
      if (map[(code - min_code) * per_code + i] != NoSymbol) return false;
    }
    return true;
  };
  int code = max_code;
  for (const std::string& name : keysyms) {
    KeySym sym = XStringToKeysym(name.c_str());
    if (sym == NoSymbol) throw std::runtime_error("unknown key " + name);
    if (XKeysymToKeycode(d, sym) != 0) continue;
    while (code >= min_code && !spare(code)) --code;
    if (code < min_code) throw std::runtime_error("no spare key code for " + name);
    KeySym both[2] = {sym, sym};
    XChangeKeyboardMapping(d, code--, 2, both, 1);
  }
  XFree(map);
  XSync(d, False);
}

std::pair<int, int> XServer::PointerPosition() {
  Window root = 0, child = 0;
  int x = 0, y = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  XQueryPointer(x_->display, x_->root, &root, &child, &x, &y, &wx, &wy, &mask);
  return {x, y};
}

ScreenImage XServer::Capture(int left, int top, int width, int height) {
  ScreenImage image;
  image.left = left;
  image.top = top;
  image.width = width;
  image.height = height;
  XImage* x = XGetImage(x_->display, x_->root, left, top, static_cast<unsigned>(width),
                        static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (x == nullptr) throw std::runtime_error("cannot read the screen");
  const int rs = ChannelShift(x->red_mask), gs = ChannelShift(x->green_mask),
            bs = ChannelShift(x->blue_mask);
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int xx = 0; xx < width; ++xx) {
      const unsigned long p = XGetPixel(x, xx, y);
      image.pixels[static_cast<size_t>(y) * width + xx] = {
          static_cast<uint8_t>((p & x->red_mask) >> rs),
          static_cast<uint8_t>((p & x->green_mask) >> gs),
          static_cast<uint8_t>((p & x->blue_mask) >> bs)};
    }
  }
  XDestroyImage(x);
  return image;
}

Rgb8 XServer::PixelAt(int x, int y) {
  return Capture(x, y, 1, 1).pixels[0];
}

void XServer::SaveScreen(const std::string& path) {
  const ScreenImage screen = Capture(0, 0, width_, height_);
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return;
  std::fprintf(out, "P6\n%d %d\n255\n", width_, height_);
  for (const Rgb8& p : screen.pixels) {
    const unsigned char rgb[3] = {p.r, p.g, p.b};
    std::fwrite(rgb, 1, 3, out);
  }
  std::fclose(out);
}

std::string XServer::WindowName(unsigned long window) {
  Display* d = x_->display;
  for (const char* property : {"_NET_WM_NAME", "WM_NAME"}) {
    const Atom atom = XInternAtom(d, property, False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, window, atom, 0, 256, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
      std::string name(reinterpret_cast<char*>(data), count);
      XFree(data);
      if (format == 8) return name;
    }
  }
  return {};
}

bool XServer::Viewable(unsigned long window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(x_->display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

unsigned long XServer::FindWindow(const std::string& name) {
  std::vector<Window> pending{x_->root};
  while (!pending.empty()) {
    const Window w = pending.back();
    pending.pop_back();
    if (w != x_->root && Viewable(w) && WindowName(w) == name) return w;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(x_->display, w, &root, &parent, &children, &count) != 0) {
      pending.insert(pending.end(), children, children + count);
      if (children != nullptr) XFree(children);
    }
  }
  return 0;
}

WindowGeometry XServer::Geometry(unsigned long window) {
  XWindowAttributes attributes;
  WindowGeometry g;
  if (XGetWindowAttributes(x_->display, window, &attributes) == 0) return g;
  Window child = 0;
  XTranslateCoordinates(x_->display, window, x_->root, 0, 0, &g.x, &g.y, &child);
  g.width = attributes.width;
  g.height = attributes.height;
  return g;
}

unsigned long XServer::FocusedWindow() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_->display, &focus, &revert);
  return focus;
}

unsigned long XServer::OpenFocusThief(int x, int y, int width, int height) {
  Display* d = x_->display;
  const Window w =
      XCreateSimpleWindow(d, x_->root, x, y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, 0, WhitePixel(d, DefaultScreen(d)));
  XStoreName(d, w, "focus thief");
  XSelectInput(d, w, StructureNotifyMask);
  XMapRaised(d, w);
  XSync(d, False);
  WaitUntil([&] { return Viewable(w); }, std::chrono::seconds(5));
  Activate(w);
  return w;
}

void XServer::CloseWindow(unsigned long window) {
  XDestroyWindow(x_->display, window);
  XSync(x_->display, False);
}

void XServer::ResizeWindow(unsigned long window, int width, int height) {
  XResizeWindow(x_->display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(x_->display, False);
}

bool XServer::Framed(unsigned long window) {
  Display* d = x_->display;
  // The window's ancestor just below the root is the window manager's frame, if any.
  Window top = window;
  for (;;) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, top, &root, &parent, &children, &count) == 0) return false;
    if (children != nullptr) XFree(children);
    if (parent == root || parent == 0) break;
    top = parent;
  }
  XWindowAttributes inner, outer;
  if (XGetWindowAttributes(d, window, &inner) == 0 || XGetWindowAttributes(d, top, &outer) == 0) {
    return false;
  }
  return outer.height > inner.height;
}

bool XServer::WaitUntilPointerFree(std::chrono::milliseconds timeout) {
  Display* d = x_->display;
  return WaitUntil(
      [&] {
        const int grabbed = XGrabPointer(d, x_->root, False, 0, GrabModeAsync, GrabModeAsync, None,
                                         None, CurrentTime);
        if (grabbed == GrabSuccess) XUngrabPointer(d, CurrentTime);
        XSync(d, False);
        return grabbed == GrabSuccess;
      },
      timeout);
}

void XServer::RequestClose(unsigned long window) {
  Display* d = x_->display;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, window, False, NoEventMask, &event);
  XSync(d, False);
}

void XServer::Activate(unsigned long window) {
  Display* d = x_->display;
  if (window_manager_) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // from a pager: the window manager obeys at once
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, x_->root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    XRaiseWindow(d, window);
    XSetInputFocus(d, window, RevertToPointerRoot, CurrentTime);
  }
  XSync(d, False);
}

}  // namespace kv::test
