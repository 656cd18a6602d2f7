// Fakes of every SDL, GL and GLU function the viewer calls, with the real
// signatures from the real headers, plus a heap-allocation counter. Nothing
// here allocates while the loop runs: the record is a fixed array.
#include "fake_platform.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

namespace fake {
namespace {

constexpr int kMaxArgs = 9;
// About 45 frames of 1413 calls each: ample for any scripted run.
constexpr std::size_t kRecordCapacity = 1 << 16;

struct Record {
    const char* name;
    int argc;
    double args[kMaxArgs];
};

Record g_record[kRecordCapacity];
std::size_t g_recorded = 0;
bool g_overflowed = false;

StartUp g_start_up;
std::vector<Pass> g_passes;
std::size_t g_next_pass = 0;
const Pass* g_current = nullptr;
std::size_t g_next_event = 0;
bool g_in_drain = false;
bool g_overran = false;
Pass g_overrun_pass;  // a lone quit, played when the script runs out

Uint8 g_keys[SDLK_LAST];
int g_pointer_x = 0;
int g_pointer_y = 0;
SDL_Surface g_surface;

long g_allocations = 0;
long g_allocations_at_loop_start = -1;

std::size_t formatInto(char* out, std::size_t capacity, const char* name, const double* args, int argc)
{
    char* p = out;
    char* end = out + capacity - 1;
    auto put = [&](const char* text) {
        while (*text && p < end) *p++ = *text++;
    };
    put(name);
    put("(");
    for (int i = 0; i < argc; ++i) {
        if (i > 0) put(", ");
        // The shortest text that reads back as exactly this double.
        p = std::to_chars(p, end, args[i]).ptr;
    }
    put(")");
    *p = '\0';
    return static_cast<std::size_t>(p - out);
}

void record(const char* name, std::initializer_list<double> args = {})
{
    if (g_recorded == kRecordCapacity) {
        g_overflowed = true;
        return;
    }
    Record& r = g_record[g_recorded++];
    r.name = name;
    r.argc = 0;
    for (double a : args) r.args[r.argc++] = a;
    if (g_start_up.trace_to_stderr) {
        char line[512];
        std::size_t n = formatInto(line, sizeof line - 1, r.name, r.args, r.argc);
        line[n++] = '\n';
        fwrite(line, 1, n, stderr);
    }
}

double pointerArg(const void* p) { return p == nullptr ? 0 : 1; }

void startNextPass()
{
    if (g_next_pass < g_passes.size()) {
        g_current = &g_passes[g_next_pass++];
    } else {
        g_overran = true;
        g_current = &g_overrun_pass;
    }
    std::memset(g_keys, 0, sizeof g_keys);
    for (SDLKey key : g_current->held) g_keys[key] = 1;
    if (g_current->pointer) {
        g_pointer_x = g_current->pointer->first;
        g_pointer_y = g_current->pointer->second;
    }
    g_next_event = 0;
    g_in_drain = true;
}

}  // namespace

std::string format(const Call& call)
{
    char text[512];
    formatInto(text, sizeof text, call.name.c_str(), call.args.data(), static_cast<int>(call.args.size()));
    return text;
}

void PrintTo(const Call& call, std::ostream* os) { *os << format(call); }

namespace {

SDL_Event keyEvent(Uint8 type, Uint8 state, SDLKey key)
{
    SDL_Event e{};
    e.type = type;
    e.key.state = state;
    e.key.keysym.sym = key;
    return e;
}

}  // namespace

SDL_Event keyDown(SDLKey key) { return keyEvent(SDL_KEYDOWN, SDL_PRESSED, key); }
SDL_Event keyUp(SDLKey key) { return keyEvent(SDL_KEYUP, SDL_RELEASED, key); }

SDL_Event quit()
{
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

SDL_Event mouseMotion(int x, int y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    return e;
}

SDL_Event mouseButtonDown(int x, int y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    return e;
}

SDL_Event focusChange()
{
    SDL_Event e{};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = 0;
    e.active.state = SDL_APPINPUTFOCUS;
    return e;
}

void reset(const StartUp& start_up)
{
    g_recorded = 0;
    g_overflowed = false;
    g_start_up = start_up;
    g_passes.clear();
    g_next_pass = 0;
    g_current = nullptr;
    g_next_event = 0;
    g_in_drain = false;
    g_overran = false;
    g_overrun_pass = Pass{{quit()}, {}, std::nullopt};
    std::memset(g_keys, 0, sizeof g_keys);
    g_pointer_x = 640;
    g_pointer_y = 512;
    g_allocations_at_loop_start = -1;
}

void script(std::vector<Pass> passes) { g_passes = std::move(passes); }

void holdKeys(std::initializer_list<SDLKey> keys)
{
    std::memset(g_keys, 0, sizeof g_keys);
    for (SDLKey key : keys) g_keys[key] = 1;
}

void placePointer(int x, int y)
{
    g_pointer_x = x;
    g_pointer_y = y;
}

std::vector<Call> calls()
{
    std::vector<Call> out;
    out.reserve(g_recorded);
    for (std::size_t i = 0; i < g_recorded; ++i) {
        const Record& r = g_record[i];
        out.push_back(Call{r.name, std::vector<double>(r.args, r.args + r.argc)});
    }
    return out;
}

std::vector<Call> callsNamed(const std::string& name)
{
    const std::vector<Call> all = calls();
    std::vector<Call> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [&](const Call& call) { return call.name == name; });
    return out;
}

bool scriptOverran() { return g_overran; }
bool recordOverflowed() { return g_overflowed; }

long allocationsSinceLoopStart()
{
    return g_allocations_at_loop_start < 0 ? 0 : g_allocations - g_allocations_at_loop_start;
}

}  // namespace fake

using namespace fake;

// ---- SDL ----

int SDL_Init(Uint32 flags)
{
    record("SDL_Init", {static_cast<double>(flags)});
    return g_start_up.init_result;
}

void SDL_Quit(void) { record("SDL_Quit"); }

char* SDL_GetError(void)
{
    record("SDL_GetError");
    return const_cast<char*>(g_start_up.error);
}

SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    record("SDL_SetVideoMode", {static_cast<double>(width), static_cast<double>(height), static_cast<double>(bpp),
                                static_cast<double>(flags)});
    return g_start_up.video_mode_fails ? nullptr : &g_surface;
}

int SDL_GL_SetAttribute(SDL_GLattr attr, int value)
{
    record("SDL_GL_SetAttribute", {static_cast<double>(attr), static_cast<double>(value)});
    return 0;
}

int SDL_EnableKeyRepeat(int delay, int interval)
{
    record("SDL_EnableKeyRepeat", {static_cast<double>(delay), static_cast<double>(interval)});
    return 0;
}

int SDL_ShowCursor(int toggle)
{
    record("SDL_ShowCursor", {static_cast<double>(toggle)});
    return 1;
}

int SDL_PollEvent(SDL_Event* event)
{
    if (g_allocations_at_loop_start < 0) g_allocations_at_loop_start = g_allocations;
    record("SDL_PollEvent", {pointerArg(event)});
    if (!g_in_drain) startNextPass();
    if (g_next_event < g_current->events.size()) {
        *event = g_current->events[g_next_event++];
        return 1;
    }
    g_in_drain = false;
    return 0;
}

Uint8* SDL_GetKeyState(int* numkeys)
{
    record("SDL_GetKeyState", {pointerArg(numkeys)});
    if (numkeys != nullptr) *numkeys = SDLK_LAST;
    return g_keys;
}

Uint8 SDL_GetMouseState(int* x, int* y)
{
    record("SDL_GetMouseState");
    if (x != nullptr) *x = g_pointer_x;
    if (y != nullptr) *y = g_pointer_y;
    return 0;
}

void SDL_WarpMouse(Uint16 x, Uint16 y)
{
    record("SDL_WarpMouse", {static_cast<double>(x), static_cast<double>(y)});
    g_pointer_x = x;
    g_pointer_y = y;
}

void SDL_GL_SwapBuffers(void) { record("SDL_GL_SwapBuffers"); }

// ---- GL ----

void glShadeModel(GLenum mode) { record("glShadeModel", {static_cast<double>(mode)}); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { record("glClearColor", {r, g, b, a}); }
void glClearDepth(GLclampd depth) { record("glClearDepth", {depth}); }
void glEnable(GLenum cap) { record("glEnable", {static_cast<double>(cap)}); }
void glDepthFunc(GLenum func) { record("glDepthFunc", {static_cast<double>(func)}); }
void glHint(GLenum target, GLenum mode) { record("glHint", {static_cast<double>(target), static_cast<double>(mode)}); }
void glMatrixMode(GLenum mode) { record("glMatrixMode", {static_cast<double>(mode)}); }
void glLoadIdentity(void) { record("glLoadIdentity"); }
void glClear(GLbitfield mask) { record("glClear", {static_cast<double>(mask)}); }
void glBegin(GLenum mode) { record("glBegin", {static_cast<double>(mode)}); }
void glColor3ub(GLubyte r, GLubyte g, GLubyte b) { record("glColor3ub", {double(r), double(g), double(b)}); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { record("glVertex3f", {x, y, z}); }
void glEnd(void) { record("glEnd"); }
void glFlush(void) { record("glFlush"); }

// ---- GLU ----

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble z_near, GLdouble z_far)
{
    record("gluPerspective", {fovy, aspect, z_near, z_far});
}

void gluLookAt(GLdouble eye_x, GLdouble eye_y, GLdouble eye_z, GLdouble center_x, GLdouble center_y, GLdouble center_z,
               GLdouble up_x, GLdouble up_y, GLdouble up_z)
{
    record("gluLookAt", {eye_x, eye_y, eye_z, center_x, center_y, center_z, up_x, up_y, up_z});
}

// ---- Heap counter ----
// Every C++ allocation, and every malloc family call from code linked into
// the test binary (the viewer's own objects among it, through --wrap), counts.

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __real_calloc(std::size_t count, std::size_t size);
extern "C" void* __real_realloc(void* p, std::size_t size);

extern "C" void* __wrap_malloc(std::size_t size)
{
    ++g_allocations;
    return __real_malloc(size);
}

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size)
{
    ++g_allocations;
    return __real_calloc(count, size);
}

extern "C" void* __wrap_realloc(void* p, std::size_t size)
{
    ++g_allocations;
    return __real_realloc(p, size);
}

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = __real_malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t /*size*/) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t /*size*/) noexcept { std::free(p); }
