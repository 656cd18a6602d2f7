// gridwalk's shell: start-up, the one-time scene set-up, the main loop,
// walking on key-downs and drawing each frame. Owns the process-wide objects.
#include <cstdio>
#include <cstdlib>

#include <GL/gl.h>
#include <GL/glu.h>

#include "SDL.h"
#include "camera.h"
#include "player.h"

// The step of one key-down, as a fraction of a body's eye-to-target vector:
// 0.75 world units for the camera, which keeps 5 units to its target.
constexpr float kWalkSpeed = 0.15f;
// Key repeat in milliseconds: walking is paced by it, there is no timer.
constexpr int kKeyRepeatDelay = 10;
constexpr int kKeyRepeatInterval = 30;
// The video mode's colour depth, and the depth buffer asked for, in bits.
constexpr int kScreenBitsPerPixel = 32;
constexpr int kDepthBufferBits = 32;
// Vertical field of view in degrees, and the clip planes in world units. The
// aspect stays 1.0 on the 1.25 display, so the picture is stretched sideways.
// The near plane is a float like every other distance here, widened for GLU:
// 0.10000000149011612, not the double 0.1. The far plane cuts the grid off at
// 100 units.
constexpr double kFieldOfView = 45.0;
constexpr double kAspect = 1.0;
constexpr double kNearPlane = static_cast<double>(0.1f);
constexpr double kFarPlane = 100.0;
// The ground grid: its square from -kGridExtent to +kGridExtent in x and z,
// a line every kGridSpacing world units, in light green.
constexpr float kGridExtent = 500.0f;
constexpr float kGridSpacing = 5.0f;
constexpr GLubyte kGridRed = 150;
constexpr GLubyte kGridGreen = 190;
constexpr GLubyte kGridBlue = 150;
// Where both bodies start, in world units: the eye this high above the
// ground, and this far out along +z from the point it looks at.
constexpr float kStartHeight = 2.5f;
constexpr float kStartDistance = 5.0f;
// The player's health at start-up, in points; nothing reads it.
constexpr int32_t kStartHealth = 100;

// Zeroed static storage: both bodies stay all zero until init places them.
Camera objCamera;
Player objPlayer;
SDL_Event event;
Uint32 options = SDL_FULLSCREEN | SDL_OPENGL;

// One step for each of W, S, A, D held right now, whatever key the event was
// for. speed is the step's fraction (see kWalkSpeed); camera first, then
// player, with the same argument.
void keyboardInput(float speed)
{
    const Uint8* keys = SDL_GetKeyState(NULL);
    if (keys[SDLK_w]) {
        objCamera.moveCamera(speed);
        objPlayer.movePlayer(speed);
    }
    if (keys[SDLK_s]) {
        objCamera.moveCamera(-speed);
        objPlayer.movePlayer(-speed);
    }
    if (keys[SDLK_a]) {
        objCamera.strafeCamera(-speed);
        objPlayer.strafePlayer(-speed);
    }
    if (keys[SDLK_d]) {
        objCamera.strafeCamera(speed);
        objPlayer.strafePlayer(speed);
    }
}

// The ground: 201 lines each way at y = 0, both borders included. The float
// loop variable only ever holds multiples of 5, all exact, so it never drifts.
void drawGrid()
{
    for (float i = -kGridExtent; i <= kGridExtent; i += kGridSpacing) {
        glBegin(GL_LINES);
        glColor3ub(kGridRed, kGridGreen, kGridBlue);
        glVertex3f(-kGridExtent, 0, i);
        glVertex3f(kGridExtent, 0, i);
        glVertex3f(i, 0, -kGridExtent);
        glVertex3f(i, 0, kGridExtent);
        glEnd();
    }
}

// One frame from objCamera's pose. The surface is not used: drawing goes
// through the OpenGL context SDL made current, so any pointer, null included,
// draws the same frame.
void DrawScene(SDL_Surface* /*screen*/)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(objCamera.position.x, objCamera.position.y, objCamera.position.z, objCamera.view.x, objCamera.view.y,
              objCamera.view.z, objCamera.upVector.x, objCamera.upVector.y, objCamera.upVector.z);
    drawGrid();
    glFlush();
    SDL_GL_SwapBuffers();
}

// The one-time scene set-up, after the display is open. No result is tested.
void init()
{
    // Asked for after the mode is set: the context already exists, so these
    // only apply if a mode is ever set again. The frame gets the driver's
    // default depth and double buffer.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, kDepthBufferBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_EnableKeyRepeat(kKeyRepeatDelay, kKeyRepeatInterval);

    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // Mouse look pins the pointer to the centre; a visible cursor would show it.
    SDL_ShowCursor(SDL_DISABLE);

    // The projection is set once; the model-view matrix stays current and each
    // frame rebuilds it.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, kAspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Both looking level at the point above the origin, up being +y.
    objCamera.setCameraPosition(0, kStartHeight, kStartDistance, 0, kStartHeight, 0, 0, 1, 0);
    objPlayer.setPlayerPosition(0, kStartHeight, kStartDistance, 0, kStartHeight, 0);
    objPlayer.setHealth(kStartHealth);
}

// The program. Arguments are accepted and ignored. Returns 0 after a quit;
// a start-up failure prints one line and ends the process with status 1.
int SDL_main(int /*argc*/, char* /*argv*/[])
{
    // --- Start-up. Audio is brought up too, though nothing plays sound.
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
        printf("Unable to init SDL: %s\n", SDL_GetError());
        fflush(stdout);
        exit(1);
    }
    // From here on every exit, the failure below included, shuts SDL down.
    atexit(SDL_Quit);

    SDL_Surface* screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenBitsPerPixel, options);
    if (screen == NULL) {
        printf("Unable to set 1280x1024 video: %s\n", SDL_GetError());
        fflush(stdout);
        exit(1);
    }
    int done = 0;

    // --- Scene set-up.
    init();

    // --- The loop: no timer, each pass follows the last at once.
    while (!done) {
        // Drain: always the whole queue, so a quit still lets the key-downs
        // behind it walk, and the pass finishes with its frame.
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                done = 1;
            }
            if (event.type == SDL_KEYDOWN) {
                if (event.key.keysym.sym == SDLK_ESCAPE) {
                    done = 1;
                }
                keyboardInput(kWalkSpeed);
            }
        }

        // Look.
        objCamera.moveMouse();

        // Draw.
        DrawScene(screen);
    }
    return 0;
}
