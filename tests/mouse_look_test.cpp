// Mouse look: the pointer's offset from the screen centre turns the view and
// raises or lowers the target, within the tilt limit, and the pointer is put
// back at the centre.
#include <gtest/gtest.h>

#include "camera.h"
#include "fake_platform.h"
#include "pose.h"

namespace {

using fake::Call;

class MouseLookTest : public testing::Test {
protected:
    void SetUp() override { fake::reset(); }
};

TEST_F(MouseLookTest, OffsetTurnsAndTilts)
{
    struct Case {
        const char* name;
        float view_y;  // the target's height before; the eye is at y = 2.5
        int pointer_x, pointer_y;
        Xyz want_view;
    };
    const Case cases[] = {
        {"right of centre turns right", 2.5f, 650, 512, {0.049999166f, 2.5f, 0.000249997916f}},
        {"left of centre turns left", 2.5f, 630, 512, {-0.049999166f, 2.5f, 0.000249997916f}},
        {"above centre raises the target", 2.5f, 640, 500, {0, 2.524f, 0}},
        {"below centre lowers it", 2.5f, 640, 524, {0, 2.476f, 0}},
        // 2.5 + 1.024 falls halfway between two floats and rounds to even.
        {"the top row, in one frame", 2.5f, 640, 0, {0, 3.52400017f, 0}},
        {"just inside the limit above", 10.0f, 640, 412, {0, 10.2f, 0}},
        {"just inside the limit below", -5.0f, 640, 662, {0, -5.3f, 0}},
        {"up to exactly the limit", 10.0f, 640, 262, {0, 10.5f, 0}},
        {"past the limit above stops at 8 over the eye", 10.0f, 640, 212, {0, 10.5f, 0}},
        {"past the limit below stops at 8 under the eye", -5.0f, 640, 812, {0, -5.5f, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::reset();
        Camera camera;
        camera.setCameraPosition(0, 2.5f, 5, 0, c.view_y, 0, 0, 1, 0);
        fake::placePointer(c.pointer_x, c.pointer_y);

        camera.moveMouse();

        expectVector("view", camera.view, c.want_view);
        expectVector("position", camera.position, {0, 2.5f, 5});
        const std::vector<Call> want = {{"SDL_GetMouseState", {}}, {"SDL_WarpMouse", {640, 512}}};
        EXPECT_EQ(fake::calls(), want);
    }
}

TEST_F(MouseLookTest, PointerAtCentreTouchesNothing)
{
    // A target already beyond the limit shows that the limit is not applied.
    Camera camera;
    camera.setCameraPosition(0, 2.5f, 5, 0, 20, 0, 0, 1, 0);
    camera.moveMouse();
    expectVector("view", camera.view, {0, 20, 0});
    const std::vector<Call> want = {{"SDL_GetMouseState", {}}};
    EXPECT_EQ(fake::calls(), want);
}

TEST_F(MouseLookTest, OffsetIsTakenOnceThenTheViewRests)
{
    Camera camera;
    camera.setCameraPosition(0, 2.5f, 5, 0, 2.5f, 0, 0, 1, 0);
    fake::placePointer(650, 500);
    camera.moveMouse();
    const tVector3 after_first = camera.view;
    camera.moveMouse();
    camera.moveMouse();
    expectVector("view", camera.view, {after_first.x, after_first.y, after_first.z});
    EXPECT_EQ(fake::callsNamed("SDL_WarpMouse").size(), 1u);
}

TEST_F(MouseLookTest, TiltLimitHoldsOverManyLargeMoves)
{
    Camera camera;
    camera.setCameraPosition(0, 2.5f, 5, 0, 2.5f, 0, 0, 1, 0);
    for (int frame = 0; frame < 20; ++frame) {
        fake::placePointer(640, 0);
        camera.moveMouse();
        ASSERT_LE(camera.view.y, 10.5f) << "frame " << frame;
    }
    EXPECT_EQ(camera.view.y, 10.5f);
    for (int frame = 0; frame < 20; ++frame) {
        fake::placePointer(640, 1023);
        camera.moveMouse();
    }
    EXPECT_EQ(camera.view.y, -5.5f);
}

// A purely vertical move still turns, by zero. The zero turn is seen where
// it rounds: with the target 1e-8 from the eye's z, view - position rounds to
// -1 and the turn puts the target's z back at exactly 0.
TEST_F(MouseLookTest, VerticalMoveStillTurnsByZero)
{
    Camera camera;
    camera.setCameraPosition(0, 2.5f, 1, 0, 2.5f, 1e-8f, 0, 1, 0);
    fake::placePointer(640, 500);
    camera.moveMouse();
    expectVector("view", camera.view, {0, 2.524f, 0});
}

}  // namespace
