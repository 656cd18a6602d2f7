// The camera model behind the end-to-end checks: the grid's lines through
// gluLookAt and gluPerspective into window coordinates, in double precision.
#include "grid_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace e2e {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFieldOfViewDeg = 45.0;
constexpr double kAspect = 1.0;
constexpr double kNear = 0.1;
constexpr double kFar = 100.0;
constexpr int kViewportWidth = 1280;
constexpr int kViewportHeight = 1024;
constexpr double kEyeHeight = 2.5;
constexpr double kEyeZ = 5.0;
constexpr double kTargetDistance = 5.0;
constexpr double kStep = 0.75;
constexpr double kGridExtent = 500.0;
constexpr double kGridSpacing = 5.0;
// How far, in pixels, a lit pixel's centre may lie from the projected line.
// OpenGL lights pixels within half a pixel across the line; the rest is room
// for the program's single-precision pose against this double-precision model.
constexpr double kLineTolerancePx = 1.0;
// A line must show on a probe only where it crosses it clearly: both ends
// this many pixels off the probe, and the crossing this far inside the screen.
constexpr double kCrossingMarginPx = 2.0;

// The rows and columns compared: across the near lines, the crowded ones
// near the horizon, and both sides of the centre.
constexpr int kProbeRows[] = {548, 600, 700, 850, 1000};
constexpr int kProbeColumns[] = {100, 400, 880, 1180};

struct Vec {
    double x, y, z;
};
Vec operator-(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec normalised(const Vec& v)
{
    const double length = std::sqrt(dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

// A grid line on the screen: window coordinates in pixels, y from the top.
struct ScreenLine {
    std::string name;
    double x0, y0, x1, y1;
};

// The eye's axes as gluLookAt builds them: side, up, forward.
struct EyeAxes {
    Vec side, up, forward;
};
EyeAxes axesOf(const Pose& pose)
{
    const Vec forward = normalised(pose.target - pose.eye);
    const Vec side = normalised(cross(forward, Vec{0, 1, 0}));
    return {side, cross(side, forward), forward};
}

double focal() { return 1.0 / std::tan(kFieldOfViewDeg * kPi / 360.0); }

// Projects a point given in eye axes (depth > 0 in front) to the window.
void toWindow(double side, double up, double depth, double* x, double* y)
{
    *x = (focal() * side / (kAspect * depth) + 1.0) * kViewportWidth / 2.0;
    *y = kViewportHeight - (focal() * up / depth + 1.0) * kViewportHeight / 2.0;
}

// Every grid line's part between the near and far planes, on the screen.
std::vector<ScreenLine> projectGrid(const Pose& pose)
{
    const EyeAxes axes = axesOf(pose);
    std::vector<ScreenLine> lines;
    auto add = [&](const std::string& name, const Point3& a, const Point3& b) {
        const Vec va = a - pose.eye;
        const Vec vb = b - pose.eye;
        const double da = dot(va, axes.forward);
        const double db = dot(vb, axes.forward);
        // Clip the segment's parameter range to near <= depth <= far.
        double t0 = 0.0;
        double t1 = 1.0;
        for (const double plane : {kNear, kFar}) {
            const double sign = plane == kNear ? 1.0 : -1.0;  // keep depth >= near, <= far
            const double fa = sign * (da - plane);
            const double fb = sign * (db - plane);
            if (fa < 0 && fb < 0) {
                return;
            }
            if (fa < 0) {
                t0 = std::max(t0, fa / (fa - fb));
            } else if (fb < 0) {
                t1 = std::min(t1, fa / (fa - fb));
            }
        }
        if (t0 >= t1) {
            return;
        }
        ScreenLine line{name, 0, 0, 0, 0};
        auto at = [&](double t, double* x, double* y) {
            const Vec v{va.x + t * (vb.x - va.x), va.y + t * (vb.y - va.y), va.z + t * (vb.z - va.z)};
            toWindow(dot(v, axes.side), dot(v, axes.up), dot(v, axes.forward), x, y);
        };
        at(t0, &line.x0, &line.y0);
        at(t1, &line.x1, &line.y1);
        lines.push_back(line);
    };
    for (double i = -kGridExtent; i <= kGridExtent; i += kGridSpacing) {
        char name[32];
        std::snprintf(name, sizeof name, "z = %g", i);
        add(name, {-kGridExtent, 0, i}, {kGridExtent, 0, i});
        std::snprintf(name, sizeof name, "x = %g", i);
        add(name, {i, 0, -kGridExtent}, {i, 0, kGridExtent});
    }
    return lines;
}

double distanceToLine(double px, double py, const ScreenLine& l)
{
    const double dx = l.x1 - l.x0;
    const double dy = l.y1 - l.y0;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - l.x0) * dx + (py - l.y0) * dy) / length2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    const double ex = l.x0 + t * dx - px;
    const double ey = l.y0 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

// Where along a probe (a row when is_row, else a column, with its pixel
// centres at `across`) the line clearly crosses it: both ends well off the
// probe and the crossing well inside the screen. nullopt otherwise.
std::optional<double> clearCrossing(const ScreenLine& line, bool is_row, double across, int length)
{
    const double off0 = (is_row ? line.y0 : line.x0) - across;
    const double off1 = (is_row ? line.y1 : line.x1) - across;
    const bool crosses = (off0 > kCrossingMarginPx && off1 < -kCrossingMarginPx) ||
                         (off0 < -kCrossingMarginPx && off1 > kCrossingMarginPx);
    if (!crosses) {
        return std::nullopt;
    }
    const double t = off0 / (off0 - off1);
    const double along = is_row ? line.x0 + t * (line.x1 - line.x0) : line.y0 + t * (line.y1 - line.y0);
    if (along <= kCrossingMarginPx || along >= length - kCrossingMarginPx) {
        return std::nullopt;
    }
    return along;
}

// One probe: a screen row (along x) or a screen column (along y).
std::string compareProbe(const Frame& frame, const std::vector<ScreenLine>& lines, bool is_row, int index)
{
    const int length = is_row ? frame.width : frame.height;
    const double across = index + 0.5;
    auto centre = [&](int i, double* x, double* y) {
        *x = is_row ? i + 0.5 : across;
        *y = is_row ? across : i + 0.5;
    };
    auto lit = [&](int i) { return is_row ? frame.isGrid(i, index) : frame.isGrid(index, i); };
    char where[64];
    std::snprintf(where, sizeof where, "%s %d", is_row ? "row" : "column", index);

    std::vector<bool> explained(static_cast<std::size_t>(length), false);
    for (const ScreenLine& line : lines) {
        bool shown = false;
        for (int i = 0; i < length; ++i) {
            double x = 0;
            double y = 0;
            centre(i, &x, &y);
            if (distanceToLine(x, y, line) <= kLineTolerancePx) {
                explained[static_cast<std::size_t>(i)] = true;
                shown = shown || lit(i);
            }
        }
        const std::optional<double> along = clearCrossing(line, is_row, across, length);
        if (!shown && along) {
            char text[160];
            std::snprintf(text, sizeof text, "%s: line %s should cross at %.1f, not drawn", where, line.name.c_str(),
                          *along);
            return text;
        }
    }
    for (int i = 0; i < length; ++i) {
        if (lit(i) && !explained[static_cast<std::size_t>(i)]) {
            char text[160];
            std::snprintf(text, sizeof text, "%s: grid pixel at %d where no line passes", where, i);
            return text;
        }
    }
    return "";
}

}  // namespace

Pose startPose() { return {{0, kEyeHeight, kEyeZ}, {0, kEyeHeight, kEyeZ - kTargetDistance}}; }

Pose walked(int steps)
{
    Pose pose = startPose();
    pose.eye.z -= kStep * steps;
    pose.target.z -= kStep * steps;
    return pose;
}

Pose strafed(int steps)
{
    Pose pose = startPose();
    pose.eye.x += kStep * steps;
    pose.target.x += kStep * steps;
    return pose;
}

Pose looked(double right_rad, double up)
{
    Pose pose = startPose();
    pose.target.x = pose.eye.x + kTargetDistance * std::sin(right_rad);
    pose.target.z = pose.eye.z - kTargetDistance * std::cos(right_rad);
    pose.target.y += up;
    return pose;
}

std::string compareWithGrid(const Frame& frame, const Pose& pose)
{
    if (frame.width != kViewportWidth || frame.height != kViewportHeight) {
        return "frame is " + std::to_string(frame.width) + "x" + std::to_string(frame.height) +
               ", not the viewport's 1280x1024";
    }
    const std::vector<ScreenLine> lines = projectGrid(pose);
    for (const int row : kProbeRows) {
        std::string difference = compareProbe(frame, lines, true, row);
        if (!difference.empty()) {
            return difference;
        }
    }
    for (const int column : kProbeColumns) {
        std::string difference = compareProbe(frame, lines, false, column);
        if (!difference.empty()) {
            return difference;
        }
    }
    return "";
}

double horizonRow(const Pose& pose)
{
    // A direction along the ground, infinitely far: its projection is the
    // horizon, whatever the heading.
    const EyeAxes axes = axesOf(pose);
    const Vec level = normalised(Vec{axes.forward.x, 0, axes.forward.z});
    double x = 0;
    double y = 0;
    toWindow(dot(level, axes.side), dot(level, axes.up), dot(level, axes.forward), &x, &y);
    return y;
}

double groundRowAhead(const Pose& pose, double depth)
{
    double x = 0;
    double y = 0;
    toWindow(0, -pose.eye.y, depth, &x, &y);
    return y;
}

}  // namespace e2e
