// The camera's and the player's moves, strafes and turns, from the start pose
// and from poses that show rounding and degenerate cases.
#include <gtest/gtest.h>

#include "camera.h"
#include "player.h"
#include "pose.h"

namespace {

constexpr Xyz kStartPosition{0, 2.5f, 5};
constexpr Xyz kStartView{0, 2.5f, 0};
constexpr float kQuarterTurn = 1.5707964f;  // pi/2 in single precision

Camera cameraAt(Xyz position, Xyz view)
{
    Camera camera;
    camera.setCameraPosition(position.x, position.y, position.z, view.x, view.y, view.z, 0, 1, 0);
    return camera;
}

TEST(CameraTest, MovesStrafesAndTurns)
{
    struct Case {
        const char* name;
        Xyz view;  // the camera starts at kStartPosition looking at this point
        void (*act)(Camera&);
        Xyz want_position;
        Xyz want_view;
    };
    const Case cases[] = {
        {"forward: 0.15 of the 5 units to the target",
         kStartView,
         [](Camera& c) { c.moveCamera(0.15f); },
         {0, 2.5f, 4.25f},
         {0, 2.5f, -0.75f}},
        {"forward twice",
         kStartView,
         [](Camera& c) {
             c.moveCamera(0.15f);
             c.moveCamera(0.15f);
         },
         {0, 2.5f, 3.5f},
         {0, 2.5f, -1.5f}},
        {"back", kStartView, [](Camera& c) { c.moveCamera(-0.15f); }, {0, 2.5f, 5.75f}, {0, 2.5f, 0.75f}},
        {"strafe right", kStartView, [](Camera& c) { c.strafeCamera(0.15f); }, {0.75f, 2.5f, 5}, {0.75f, 2.5f, 0}},
        {"strafe left", kStartView, [](Camera& c) { c.strafeCamera(-0.15f); }, {-0.75f, 2.5f, 5}, {-0.75f, 2.5f, 0}},
        {"a raised target changes neither the step nor any height",
         {0, 10.5f, 0},
         [](Camera& c) { c.moveCamera(0.15f); },
         {0, 2.5f, 4.25f},
         {0, 10.5f, -0.75f}},
        {"quarter turn right faces +x",
         kStartView,
         [](Camera& c) { c.rotateCamera(kQuarterTurn); },
         kStartPosition,
         {5, 2.5f, 5}},
        {"quarter turn left faces -x",
         kStartView,
         [](Camera& c) { c.rotateCamera(-kQuarterTurn); },
         kStartPosition,
         {-5, 2.5f, 5}},
        {"turn 0.1 rad",
         kStartView,
         [](Camera& c) { c.rotateCamera(0.1f); },
         kStartPosition,
         {0.49916708f, 2.5f, 0.024979174f}},
        // Worked in single precision this lands at z = 2.3841858e-6.
        {"turn 0.001 rad keeps double precision",
         kStartView,
         [](Camera& c) { c.rotateCamera(0.001f); },
         kStartPosition,
         {0.0049999994f, 2.5f, 0.0000025f}},
        {"a turn pivots about the eye",
         kStartView,
         [](Camera& c) {
             c.moveCamera(0.15f);
             c.rotateCamera(kQuarterTurn);
         },
         {0, 2.5f, 4.25f},
         {5, 2.5f, 4.25f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera = cameraAt(kStartPosition, c.view);
        c.act(camera);
        expectVector("position", camera.position, c.want_position);
        expectVector("view", camera.view, c.want_view);
        expectVector("upVector", camera.upVector, {0, 1, 0});
    }
}

TEST(CameraTest, StoresItsPoseUnchanged)
{
    Camera camera;
    // An up vector of length 2 stays length 2: nothing is normalised.
    camera.setCameraPosition(1, 2, 3, 1, 2, 3, 0, 2, 0);
    expectVector("position", camera.position, {1, 2, 3});
    expectVector("view", camera.view, {1, 2, 3});
    expectVector("upVector", camera.upVector, {0, 2, 0});
}

TEST(PlayerTest, StepsTowardsAFixedPointShrinkAndGrow)
{
    struct Case {
        const char* name;
        void (*act)(Player&);
        Xyz want_after_one;
        Xyz want_after_two;
    };
    const Case cases[] = {
        {"forward: each step 0.15 of what is left",
         [](Player& p) { p.movePlayer(0.15f); },
         {0, 2.5f, 4.25f},
         {0, 2.5f, 3.6125f}},
        {"back: each step longer", [](Player& p) { p.movePlayer(-0.15f); }, {0, 2.5f, 5.75f}, {0, 2.5f, 6.6125f}},
        {"strafe right: around the point faced",
         [](Player& p) { p.strafePlayer(0.15f); },
         {0.75f, 2.5f, 5},
         {1.5f, 2.5f, 4.8875f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Player player;
        player.setPlayerPosition(0, 2.5f, 5, 0, 2.5f, 0);
        c.act(player);
        expectVector("position after one", player.position, c.want_after_one);
        c.act(player);
        expectVector("position after two", player.position, c.want_after_two);
        expectVector("view", player.view, kStartView);
    }
}

TEST(PlayerTest, PlacingKeepsHealthAndHealthIsKept)
{
    Player player;
    player.setHealth(100);
    player.upVector = tVector3(7, 8, 9);
    player.setPlayerPosition(1, 2, 3, 4, 5, 6);
    EXPECT_EQ(player.getHealth(), 100);
    expectVector("position", player.position, {1, 2, 3});
    expectVector("view", player.view, {4, 5, 6});
    expectVector("upVector", player.upVector, {7, 8, 9});
}

// With the target on the eye the direction is zero: every operation must
// leave the pose as it was, with nothing non-finite appearing.
TEST(BodiesTest, ViewOnPositionStaysPut)
{
    struct Case {
        const char* name;
        Xyz point;
    };
    const Case poses[] = {{"all zero, as before start-up", {0, 0, 0}}, {"start position", kStartPosition}};
    const float factors[] = {0.15f, -0.15f, kQuarterTurn};
    for (const Case& pose : poses) {
        for (float f : factors) {
            SCOPED_TRACE(testing::Message() << pose.name << ", argument " << f);
            const Xyz p = pose.point;
            Camera camera = cameraAt(p, p);
            camera.moveCamera(f);
            camera.strafeCamera(f);
            camera.rotateCamera(f);
            expectVector("camera position", camera.position, p);
            expectVector("camera view", camera.view, p);

            Player player;
            player.setPlayerPosition(p.x, p.y, p.z, p.x, p.y, p.z);
            player.movePlayer(f);
            player.strafePlayer(f);
            expectVector("player position", player.position, p);
        }
    }
}

}  // namespace
