// Camera: the viewpoint every frame is drawn from, and the moves, strafes and
// turns that walk it over the grid, mouse look included.
#ifndef GRIDWALK_CAMERA_H
#define GRIDWALK_CAMERA_H

#include "vector3.h"

// The display the viewer opens, in pixels. Mouse look pins the pointer to its
// centre, so the two must agree.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

class Camera {
public:
    tVector3 position;  // the eye, a point
    tVector3 view;      // the point looked at, not a direction
    tVector3 upVector;  // the up direction handed to the view transform

    // Stores the nine values unchanged (world units): nothing is normalised
    // and nothing checks that the eye and the point looked at differ.
    void setCameraPosition(float pos_x, float pos_y, float pos_z, float view_x, float view_y, float view_z, float up_x,
                           float up_y, float up_z);

    // Slides eye and target together by speed times the horizontal part of
    // view - position; positive speed walks towards the target. The heights
    // never change.
    void moveCamera(float speed);

    // Slides eye and target together square to the line of sight, by speed
    // times the horizontal eye-to-target distance; positive speed steps to
    // the viewer's right.
    void strafeCamera(float speed);

    // Swings the target about the vertical line through the eye by angle
    // radians; positive turns right (clockwise seen from above), so facing -z
    // a quarter turn faces +x. The eye and view.y stay put.
    void rotateCamera(float angle);

    // Mouse look, once per frame: reads the pointer's offset from the screen
    // centre in pixels, warps it back, raises or lowers the target (0.002
    // world units per pixel up, within 8 units of the eye's height) and turns
    // the view (0.001 radian per pixel, right of centre turns right).
    void moveMouse();
};

#endif
