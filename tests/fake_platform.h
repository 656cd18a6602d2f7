// A stand-in for the SDL, GL and GLU functions the viewer calls, linked in
// place of the real libraries. It records every call with its arguments and
// plays a script of main-loop passes: the events queued, the keys held and
// where the pointer is.
#ifndef GRIDWALK_TESTS_FAKE_PLATFORM_H
#define GRIDWALK_TESTS_FAKE_PLATFORM_H

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "SDL.h"

namespace fake {

// One recorded call: the function's name and its arguments as doubles
// (pointers recorded as 0 for null, 1 otherwise).
struct Call {
    std::string name;
    std::vector<double> args;
    bool operator==(const Call& other) const { return name == other.name && args == other.args; }
};
// Prints a call as "gluLookAt(0, 2.5, 5, ...)", each number in its shortest
// exact form, so a failing comparison reads like the code.
std::string format(const Call& call);
void PrintTo(const Call& call, std::ostream* os);

// What one pass of the main loop finds: the events its drain takes, the keys
// held while it runs, and, if given, where the pointer has been moved to.
struct Pass {
    std::vector<SDL_Event> events = {};
    std::vector<SDLKey> held = {};
    std::optional<std::pair<int, int>> pointer = std::nullopt;
};

SDL_Event keyDown(SDLKey key);
SDL_Event keyUp(SDLKey key);
SDL_Event quit();
SDL_Event mouseMotion(int x, int y);
SDL_Event mouseButtonDown(int x, int y);
SDL_Event focusChange();

// Results the fake gives to the two start-up calls that the viewer tests.
struct StartUp {
    int init_result = 0;
    bool video_mode_fails = false;
    const char* error = "fake SDL error";
    // Also write every call to standard error as it happens, so a child
    // process that exits mid-way still shows what it called.
    bool trace_to_stderr = false;
};

// Clears the record and the script, puts the pointer at the screen centre
// and releases every key.
void reset(const StartUp& start_up = StartUp());
void script(std::vector<Pass> passes);
// For calling keyboardInput or moveMouse directly, outside a scripted loop.
void holdKeys(std::initializer_list<SDLKey> keys);
void placePointer(int x, int y);

std::vector<Call> calls();
// The calls whose name is the given one, in order.
std::vector<Call> callsNamed(const std::string& name);
// True when the loop asked for more passes than the script had; the fake
// then queued a quit to end it.
bool scriptOverran();
// True when more calls came than the record holds.
bool recordOverflowed();
// Heap allocations made since the loop's first event poll.
long allocationsSinceLoopStart();

}  // namespace fake

#endif
