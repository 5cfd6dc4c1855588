// The presenter's geometry (where the picture lies in a window of any size, and which picture pixel
// the mouse is over) and its tracking of what changed on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

Letterbox nearest(int width, int height) {
    return Letterbox(width, height, ScaleFilter::Nearest, false);
}

Letterbox wholeMultiples(int width, int height) {
    return Letterbox(width, height, ScaleFilter::Nearest, true);
}

}  // namespace

TEST(Letterbox, CentresTheLargestPictureOfExactlyFourByThreeOrOfAWholeMultiple) {
    expectRect(nearest(1920, 1080).picture(), 240, 0, 1440, 1080);
    expectRect(nearest(1280, 1024).picture(), 0, 32, 1280, 960);
    expectRect(nearest(640, 480).picture(), 0, 0, 640, 480);
    expectRect(nearest(1000, 700).picture(), 34, 0, 932, 699);
    expectRect(wholeMultiples(1920, 1080).picture(), 320, 60, 1280, 960);
    expectRect(wholeMultiples(3840, 2160).picture(), 640, 120, 2560, 1920);
    expectRect(wholeMultiples(1000, 700).picture(), 180, 110, 640, 480);
    expectRect(wholeMultiples(600, 400).picture(), -20, -40, 640, 480);
}

TEST(Letterbox, GivesThePicturePixelDrawnUnderAWindowPixelAndTheNearestEdgeFromTheBars) {
    Letterbox full = nearest(1920, 1080);
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
    Letterbox whole = wholeMultiples(1920, 1080);
    whole.toScreen(320 + 2 * 58 + 1, 60 + 2 * 365, x, y);
    EXPECT_EQ(x, 58);
    EXPECT_EQ(y, 365);
    whole.toScreen(319, 1020, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 479);
    for (Letterbox same : {nearest(640, 480), wholeMultiples(1000, 700)}) {
        for (int i = 0; i < 640; ++i)
            ASSERT_EQ(pictureX(same, same.picture().x + i), i);
    }
}

// Only the sharp filter draws the picture larger first, by the largest whole multiple that fits, and
// only a picture drawn at another size than that is blended.
TEST(Letterbox, PrescalesBySharpFiltersWholeMultipleAndBlendsAtAnyOtherSize) {
    struct Case {
        int width, height;
        ScaleFilter filter;
        bool integer;
        int prescale;
        bool blends;
    };
    for (Case c : {Case{1920, 1080, ScaleFilter::Sharp, false, 2, true},
                   Case{3840, 2160, ScaleFilter::Sharp, false, 4, true},
                   Case{1279, 960, ScaleFilter::Sharp, false, 1, true},
                   Case{600, 400, ScaleFilter::Sharp, false, 1, true},
                   Case{1280, 960, ScaleFilter::Sharp, false, 2, false},
                   Case{3840, 2160, ScaleFilter::Sharp, true, 4, false},
                   Case{3840, 2160, ScaleFilter::Smooth, true, 1, true},
                   Case{640, 480, ScaleFilter::Smooth, false, 1, false},
                   Case{1920, 1080, ScaleFilter::Nearest, false, 1, false}}) {
        Letterbox box(c.width, c.height, c.filter, c.integer);
        EXPECT_EQ(box.prescale(), c.prescale) << c.width << " " << static_cast<int>(c.filter);
        EXPECT_EQ(box.blends(), c.blends) << c.width << " " << static_cast<int>(c.filter);
    }
}

// A part drawn alone covers exactly the window pixels that show it when the whole picture is drawn,
// with the margin asked for around it.
TEST(Letterbox, WidensAPartToEdgesOnWholeWindowPixels) {
    for (auto size : {std::pair{1920, 1080}, {1366, 768}, {1000, 700}, {640, 480}}) {
        for (bool integer : {false, true}) {
            Letterbox box(size.first, size.second, ScaleFilter::Sharp, integer);
            for (int margin : {0, 2}) {
                for (PixelRect part :
                     {PixelRect{16, 400, 20, 27}, PixelRect{0, 0, 1, 1}, PixelRect{639, 479, 1, 1}}) {
                    SCOPED_TRACE(std::to_string(size.first) + " " + std::to_string(part.x) + " integer " +
                                 std::to_string(integer) + " margin " + std::to_string(margin));
                    PixelRect source = part;
                    PixelRect drawn = box.widenToWholePixels(source, margin);
                    EXPECT_LE(source.x, std::max(0, part.x - margin));
                    EXPECT_GE(source.x + source.width, std::min(640, part.x + part.width + margin));
                    EXPECT_LE(source.y, std::max(0, part.y - margin));
                    EXPECT_GE(source.y + source.height, std::min(480, part.y + part.height + margin));
                    expectSpan(pictureX, box, drawn.x, drawn.width, source.x, source.width, 640);
                    expectSpan(pictureY, box, drawn.y, drawn.height, source.y, source.height, 480);
                }
            }
            PixelRect whole = {0, 0, 640, 480};
            PixelRect drawn = box.widenToWholePixels(whole, 2);
            expectRect(whole, 0, 0, 640, 480);
            expectRect(drawn, box.picture().x, box.picture().y, box.picture().width, box.picture().height);
        }
    }
}

// The largest multiple whose picture takes at most three quarters of the desktop and whose window,
// with its frame, still fits on it.
TEST(Letterbox, FitsTheFirstWindowInThreeQuartersOfTheDesktop) {
    struct Case {
        int width, height, scale;
    };
    for (Case c : {Case{1920, 1080, 2}, Case{1920, 1040, 2}, Case{1280, 1024, 1}, Case{2560, 1440, 2},
                   Case{2560, 1600, 3}, Case{3840, 2160, 4}, Case{1366, 768, 1}, Case{600, 400, 1},
                   Case{15360, 8640, 8}}) {
        EXPECT_EQ(fittingWindowScale(c.width, c.height), c.scale) << c.width << "x" << c.height;
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
