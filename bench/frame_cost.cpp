// The cost of one frame on the real display: the viewer's DrawScene, after
// the viewer's init, against the platform's floor (clear and swap, nothing
// drawn) in the same context. The two alternate batch by batch, so noise from
// other work on the machine falls on both. Prints key=value lines for bench.sh.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "SDL.h"
#include "median.h"
#include "viewer.h"

namespace {

// Many short rounds rather than a few long ones: on a shared machine a burst
// of other work then spoils a few rounds, which the median sets aside.
constexpr int kRounds = 25;
// Frames per timed batch: enough that the clock's reads and the glFinish at
// each end weigh little against the batch.
constexpr int kFramesPerBatch = 40;
// Frames of each kind before timing, so llvmpipe has compiled its shaders and
// the first swaps' set-up is out of the figures.
constexpr int kWarmUpFrames = 30;
// The viewer's colour depth, in bits (kScreenBitsPerPixel in main.cpp).
constexpr int kBitsPerPixel = 32;

SDL_Surface* g_screen = nullptr;

void viewerFrame() { DrawScene(g_screen); }

void floorFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
}

// Milliseconds per frame over one batch. glFinish on both sides: llvmpipe
// draws when flushed, so without it a batch could end with work still in hand.
double batchMsPerFrame(void (*frame)())
{
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFramesPerBatch; ++i) frame();
    glFinish();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / kFramesPerBatch;
}

}  // namespace

int main()
{
    // The display opened as SDL_main opens it, audio included.
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
        std::fprintf(stderr, "frame_cost: SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    g_screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kBitsPerPixel, options);
    if (g_screen == nullptr) {
        std::fprintf(stderr, "frame_cost: SDL_SetVideoMode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    init();

    for (int i = 0; i < kWarmUpFrames; ++i) {
        viewerFrame();
        floorFrame();
    }

    std::vector<double> viewer_ms;
    std::vector<double> floor_ms;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        // Pending X events are handled between batches, as the viewer's loop
        // would, but outside the timing.
        SDL_PumpEvents();
        double viewer = 0.0;
        double floor = 0.0;
        // Alternate which goes first, so neither always follows the other.
        if (round % 2 == 0) {
            viewer = batchMsPerFrame(viewerFrame);
            floor = batchMsPerFrame(floorFrame);
        } else {
            floor = batchMsPerFrame(floorFrame);
            viewer = batchMsPerFrame(viewerFrame);
        }
        std::fprintf(stderr, "round %d: viewer %.3f ms, floor %.3f ms\n", round, viewer, floor);
        viewer_ms.push_back(viewer);
        floor_ms.push_back(floor);
        ratios.push_back(viewer / floor);
    }

    const SDL_version* sdl = SDL_Linked_Version();
    std::printf("sdl_version=%d.%d.%d\n", sdl->major, sdl->minor, sdl->patch);
    std::printf("renderer=%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("gl_version=%s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::printf("rounds=%d\n", kRounds);
    std::printf("frames_per_batch=%d\n", kFramesPerBatch);
    std::printf("viewer_ms=%.3f\n", median(viewer_ms));
    std::printf("floor_ms=%.3f\n", median(floor_ms));
    std::printf("ratio=%.3f\n", median(ratios));
    std::printf("ratio_min=%.3f\n", *std::min_element(ratios.begin(), ratios.end()));
    std::printf("ratio_max=%.3f\n", *std::max_element(ratios.begin(), ratios.end()));
    SDL_Quit();
    return 0;
}
