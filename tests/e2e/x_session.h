// The tests' side of the X server: input through XTest, the screen read back
// with XGetImage, and the viewer's frames counted through DAMAGE, so a test
// waits for frames drawn rather than for a guessed time.
#pragma once

#include <chrono>
#include <string>

#include "frame.h"

// Xlib's types, declared rather than included: Xlib.h defines macros such as
// None, Bool and Status that would leak into every test. The struct's name is
// Xlib's own.
typedef struct _XDisplay Display;  // NOLINT(bugprone-reserved-identifier)
typedef unsigned long XID;

namespace e2e {

class XSession {
public:
    // Connects to display_name (":N"); error() says why when it cannot.
    explicit XSession(const std::string& display_name);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& error() const { return error_; }

    // The whole screen as it is now.
    Frame capture();

    // A key by its X keysym name ("w", "Escape", "space"), pressed or released.
    void key(const char* keysym_name, bool down);
    // The pointer moved by dx, dy pixels from where it is (x right, y down),
    // as a mouse does: the viewer sees the motion.
    void movePointerBy(int dx, int dy);
    // The pointer put at x, y by a warp, not by the mouse device: classic SDL
    // sees the warp as motion, sdl12-compat does not.
    void placePointer(int x, int y);
    // Where the X server has the pointer, in screen pixels.
    void pointer(int* x, int* y);

    // Waits until the screen has been drawn on at least `frames` separate
    // times from now. False when that takes longer than timeout.
    bool waitForFrames(int frames, std::chrono::milliseconds timeout);

private:
    void forgetDrawingSoFar();

    Display* display_ = nullptr;
    XID root_ = 0;
    XID damage_ = 0;
    int damage_event_base_ = 0;
    std::string error_;
};

}  // namespace e2e
