// The presenter's geometry (where the picture lies in a window of any size, and which picture pixel
// the mouse is over) and its tracking of what changed on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/letterbox.h"
#include "platform/window/shown_screen.h"

namespace {

void expectRect(const PixelRect& rect, int x, int y, int width, int height) {
    EXPECT_EQ(rect.x, x);
    EXPECT_EQ(rect.y, y);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

int pictureX(const Letterbox& box, int windowX) {
    int x = 0, y = 0;
    box.toScreen(windowX, box.picture().y, x, y);
    return x;
}

int pictureY(const Letterbox& box, int windowY) {
    int x = 0, y = 0;
    box.toScreen(box.picture().x, windowY, x, y);
    return y;
}

// The window pixels from start to start + length show exactly the picture pixels from first to
// first + count: the edge pixels show the edge pixels, and those just beyond show their neighbours.
void expectSpan(int (*toPicture)(const Letterbox&, int), const Letterbox& box, int start, int length,
                int first, int count, int limit) {
    EXPECT_EQ(toPicture(box, start), first);
    EXPECT_EQ(toPicture(box, start + length - 1), first + count - 1);
    EXPECT_EQ(toPicture(box, start - 1), first > 0 ? first - 1 : 0);
    EXPECT_EQ(toPicture(box, start + length), first + count < limit ? first + count : limit - 1);
}

}  // namespace

TEST(Letterbox, CentresTheLargestPictureOfExactlyFourByThree) {
    expectRect(Letterbox(1920, 1080).picture(), 240, 0, 1440, 1080);
    expectRect(Letterbox(1280, 1024).picture(), 0, 32, 1280, 960);
    expectRect(Letterbox(640, 480).picture(), 0, 0, 640, 480);
    expectRect(Letterbox(1000, 700).picture(), 34, 0, 932, 699);
}

TEST(Letterbox, GivesThePicturePixelDrawnUnderAWindowPixelAndTheNearestEdgeFromTheBars) {
    Letterbox full(1920, 1080);
    int x = 0, y = 0;
    full.toScreen(240 + 9 * 7 + 4, 9 * 5 + 8, x, y);  // 9 window pixels to every 4 picture pixels
    EXPECT_EQ(x, 4 * 7 + 2);
    EXPECT_EQ(y, 4 * 5 + 3);
    full.toScreen(100, 2000, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 479);
    full.toScreen(1919, -5, x, y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 0);
    Letterbox same(640, 480);
    for (int i = 0; i < 640; ++i)
        ASSERT_EQ(pictureX(same, i), i);
}

// A part drawn alone covers exactly the window pixels that show it when the whole picture is drawn.
TEST(Letterbox, WidensAPartToEdgesOnWholeWindowPixels) {
    for (auto size : {std::pair{1920, 1080}, {1366, 768}, {1000, 700}, {640, 480}}) {
        Letterbox box(size.first, size.second);
        for (PixelRect part :
             {PixelRect{16, 400, 20, 27}, PixelRect{0, 0, 1, 1}, PixelRect{639, 479, 1, 1}}) {
            SCOPED_TRACE(std::to_string(size.first) + " " + std::to_string(part.x));
            PixelRect source = part;
            PixelRect drawn = box.widenToWholePixels(source);
            EXPECT_LE(source.x, part.x);
            EXPECT_GE(source.x + source.width, part.x + part.width);
            EXPECT_LE(source.y, part.y);
            EXPECT_GE(source.y + source.height, part.y + part.height);
            expectSpan(pictureX, box, drawn.x, drawn.width, source.x, source.width, 640);
            expectSpan(pictureY, box, drawn.y, drawn.height, source.y, source.height, 480);
        }
        PixelRect whole = {0, 0, 640, 480};
        PixelRect drawn = box.widenToWholePixels(whole);
        expectRect(drawn, box.picture().x, box.picture().y, box.picture().width, box.picture().height);
    }
}

TEST(ShownScreen, FindsTheSmallestRectangleAroundWhatChanged) {
    const int pitch = 700;  // slots may be wider than the screen; what lies beyond it is never shown
    std::vector<uint8_t> pixels(pitch * 480, 3), palette(1024, 9);
    ScreenSource screen = {pixels.data(), pitch, palette.data()};
    ShownScreen shown;
    expectRect(shown.takeChanges(screen), 0, 0, 640, 480);
    EXPECT_TRUE(shown.takeChanges(screen).empty());
    pixels[200 * pitch + 119] = 4;
    pixels[226 * pitch + 100] = 5;
    pixels[300 * pitch + 650] = 6;
    expectRect(shown.takeChanges(screen), 100, 200, 20, 27);
    EXPECT_TRUE(shown.takeChanges(screen).empty());
    pixels[479 * pitch + 639] = 7;
    expectRect(shown.takeChanges(screen), 639, 479, 1, 1);
    palette[5] = 1;
    expectRect(shown.takeChanges(screen), 0, 0, 640, 480);
    EXPECT_TRUE(shown.takeChanges(screen).empty());
    shown.forget();
    expectRect(shown.takeChanges(screen), 0, 0, 640, 480);
    EXPECT_TRUE(ShownScreen().takeChanges(ScreenSource()).empty());
}
