// The viewer's main file as the tests reach it: its globals and free
// functions, declared as they are defined there.
#ifndef GRIDWALK_TESTS_VIEWER_H
#define GRIDWALK_TESTS_VIEWER_H

#include "SDL.h"
#include "camera.h"
#include "player.h"

extern Camera objCamera;
extern Player objPlayer;
extern SDL_Event event;
extern Uint32 options;

int SDL_main(int argc, char* argv[]);
void init();
void keyboardInput(float speed);
void DrawScene(SDL_Surface* screen);
void drawGrid();

#endif
