// The start-up floor: the least an SDL 1.2 OpenGL program does to show a
// frame on the viewer's display. It opens the same 1280x1024 full-screen
// OpenGL mode the viewer opens, clears to the grid's colour (so the observer
// sees the frame), swaps once and waits for a quit. With --audio it also
// brings up SDL's audio at start, as the viewer does.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "SDL.h"
#include "camera.h"
#include "grid_colour.h"

namespace {

// The viewer's colour depth, in bits (kScreenBitsPerPixel in main.cpp).
constexpr int kBitsPerPixel = 32;
constexpr GLclampf kChannelMax = 255.0f;

}  // namespace

int main(int argc, char* argv[])
{
    Uint32 subsystems = SDL_INIT_VIDEO;
    if (argc > 1 && std::strcmp(argv[1], "--audio") == 0) subsystems |= SDL_INIT_AUDIO;
    if (SDL_Init(subsystems) < 0) {
        std::fprintf(stderr, "floor_window: SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    if (SDL_SetVideoMode(kScreenWidth, kScreenHeight, kBitsPerPixel, SDL_FULLSCREEN | SDL_OPENGL) == nullptr) {
        std::fprintf(stderr, "floor_window: SDL_SetVideoMode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    glClearColor(static_cast<GLclampf>(kGridColourRed) / kChannelMax,
                 static_cast<GLclampf>(kGridColourGreen) / kChannelMax,
                 static_cast<GLclampf>(kGridColourBlue) / kChannelMax, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers();

    // Held until the observer ends it: SDL turns its SIGTERM into a quit.
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT) {
    }
    SDL_Quit();
    return 0;
}
