// The grid's light green as src/main.cpp draws it (kGridRed, kGridGreen,
// kGridBlue there): the first-frame observer takes this colour on screen as
// the sign of a frame, and the floor window clears to it. Keep the two files
// in step.
#ifndef GRIDWALK_BENCH_GRID_COLOUR_H
#define GRIDWALK_BENCH_GRID_COLOUR_H

constexpr int kGridColourRed = 150;
constexpr int kGridColourGreen = 190;
constexpr int kGridColourBlue = 150;

#endif
