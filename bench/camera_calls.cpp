// The cost of the camera's work per input: one move, strafe, turn and mouse
// look, under Google Benchmark, to set against the cost of a frame. The two
// SDL calls moveMouse makes are faked here at next to no cost, so what is
// timed is the camera's own arithmetic.
#include <benchmark/benchmark.h>

#include "SDL.h"
#include "camera.h"

namespace {

// The pointer position the fake reports, in screen pixels.
int g_pointer_x = kScreenWidth / 2;
int g_pointer_y = kScreenHeight / 2;

// A walking step's fraction, as the viewer's key-downs use (kWalkSpeed in
// main.cpp), and one pixel of mouse turn, in radians.
constexpr float kStep = 0.15f;
constexpr float kTurn = 0.001f;

// init's pose: 2.5 units up, 5 out along +z, looking at the point above the
// origin.
Camera startPose()
{
    Camera camera;
    camera.setCameraPosition(0, 2.5f, 5, 0, 2.5f, 0, 0, 1, 0);
    return camera;
}

// Steps alternate forward and back, so the pose stays near the start and the
// figures never come from huge or degenerate coordinates.
void BM_moveCamera(benchmark::State& state)
{
    Camera camera = startPose();
    float speed = kStep;
    for (auto _ : state) {
        camera.moveCamera(speed);
        speed = -speed;
        benchmark::DoNotOptimize(camera);
    }
}
BENCHMARK(BM_moveCamera);

void BM_strafeCamera(benchmark::State& state)
{
    Camera camera = startPose();
    float speed = kStep;
    for (auto _ : state) {
        camera.strafeCamera(speed);
        speed = -speed;
        benchmark::DoNotOptimize(camera);
    }
}
BENCHMARK(BM_strafeCamera);

void BM_rotateCamera(benchmark::State& state)
{
    Camera camera = startPose();
    for (auto _ : state) {
        camera.rotateCamera(kTurn);
        benchmark::DoNotOptimize(camera);
    }
}
BENCHMARK(BM_rotateCamera);

// The argument is the pointer's offset from the centre, in pixels, right and
// up: 0 is a pointer at rest (the early return), otherwise every call turns,
// tilts and warps. The fake warp leaves the pointer where it is, like a mouse
// moving steadily; the tilt soon sits at its limit, which is still the full
// path.
void BM_moveMouse(benchmark::State& state)
{
    const int offset = static_cast<int>(state.range(0));
    g_pointer_x = kScreenWidth / 2 + offset;
    g_pointer_y = kScreenHeight / 2 - offset;
    Camera camera = startPose();
    for (auto _ : state) {
        camera.moveMouse();
        benchmark::DoNotOptimize(camera);
    }
}
BENCHMARK(BM_moveMouse)->ArgName("offset_px")->Arg(0)->Arg(3);

}  // namespace

Uint8 SDL_GetMouseState(int* x, int* y)
{
    if (x != nullptr) *x = g_pointer_x;
    if (y != nullptr) *y = g_pointer_y;
    return 0;
}

void SDL_WarpMouse(Uint16 /*x*/, Uint16 /*y*/) {}

BENCHMARK_MAIN();
