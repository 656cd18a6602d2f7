// What the viewer should show from a given pose: every grid line projected
// the way OpenGL does it (45 degree vertical field of view, aspect 1.0, near
// 0.1, far 100, a 1280x1024 viewport), compared with a frame along a few
// probe rows and columns.
#pragma once

#include <string>

#include "frame.h"

namespace e2e {

// World coordinates: y up, the grid on y = 0, in world units.
struct Point3 {
    double x;
    double y;
    double z;
};

// The camera's eye and the point it looks at; up is always +y.
struct Pose {
    Point3 eye;
    Point3 target;
};

// 2.5 above the ground at z = 5, looking level along -z at a target 5 away.
Pose startPose();
// The start pose after this many steps of 0.75 forward (negative: back).
Pose walked(int steps);
// The start pose after this many steps of 0.75 to the right (negative: left).
Pose strafed(int steps);
// The start pose turned right by right_rad radians (negative: left), its
// target raised by up world units (negative: lowered).
Pose looked(double right_rad, double up);

// "" when the frame shows the grid as seen from the pose along every probe;
// otherwise the first difference, in words with pixel positions. Colours
// are not judged here, only which probe pixels are the grid's colour.
std::string compareWithGrid(const Frame& frame, const Pose& pose);

// The screen row, from the top, where the ground's horizon lies for the pose.
double horizonRow(const Pose& pose);
// The screen row, from the top, of the ground point straight ahead of a
// level pose at this depth in world units.
double groundRowAhead(const Pose& pose, double depth);

}  // namespace e2e
