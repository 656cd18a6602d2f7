// XTest input, XGetImage read-back and DAMAGE frame counting on the tests'
// own X server.
#include "x_session.h"

#include <poll.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

namespace e2e {

XSession::XSession(const std::string& display_name)
{
    display_ = XOpenDisplay(display_name.c_str());
    if (display_ == nullptr) {
        error_ = "cannot open X display " + display_name;
        return;
    }
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display_, &event_base, &error_base, &major, &minor)) {
        error_ = "X server has no XTest";
        return;
    }
    if (!XDamageQueryExtension(display_, &damage_event_base_, &error_base)) {
        error_ = "X server has no DAMAGE";
        return;
    }
    root_ = DefaultRootWindow(display_);
    // The root window's damage includes every window drawn on it, so this
    // sees the viewer's buffer swaps without knowing its window.
    damage_ = XDamageCreate(display_, root_, XDamageReportNonEmpty);
    XSync(display_, False);
}

XSession::~XSession()
{
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

Frame XSession::capture()
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, root_, &attributes);
    XImage* image = XGetImage(display_, root_, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    Frame frame;
    frame.width = attributes.width;
    frame.height = attributes.height;
    frame.pixels.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            frame.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width) +
                         static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xffffffUL);
        }
    }
    XDestroyImage(image);
    return frame;
}

void XSession::key(const char* keysym_name, bool down)
{
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym_name));
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    XSync(display_, False);
}

void XSession::movePointerBy(int dx, int dy)
{
    XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
    XSync(display_, False);
}

void XSession::placePointer(int x, int y)
{
    XWarpPointer(display_, None, root_, 0, 0, 0, 0, x, y);
    XSync(display_, False);
}

void XSession::pointer(int* x, int* y)
{
    Window root = 0;
    Window child = 0;
    int window_x = 0;
    int window_y = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, root_, &root, &child, x, y, &window_x, &window_y, &buttons);
}

void XSession::forgetDrawingSoFar()
{
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
    }
    XDamageSubtract(display_, damage_, None, None);
    XSync(display_, False);
}

bool XSession::waitForFrames(int frames, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    forgetDrawingSoFar();
    int seen = 0;
    while (seen < frames) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == damage_event_base_ + XDamageNotify) {
                // Cleared, so the next drawing reports again: one count per
                // drawing at least, however many swaps came in between.
                XDamageSubtract(display_, damage_, None, None);
                XSync(display_, False);
                ++seen;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (seen >= frames) {
            break;
        }
        if (left.count() <= 0) {
            return false;
        }
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    return true;
}

}  // namespace e2e
