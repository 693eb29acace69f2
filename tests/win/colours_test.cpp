// Text colours as they reach the screen: pixels read from a capture of the
// window's client area. Glyph cores carry the exact text colour; antialiased
// edges blend into the background, so each check counts pixels close to the
// colour rather than expecting every pixel of a glyph to match.
#include <cstdlib>
#include <functional>

#include "app_test.h"

namespace harness {
namespace {

struct Rgb {
    int r, g, b;
};

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRust{192, 64, 0};
constexpr Rgb kTeal{0, 128, 128};

bool Near(std::uint32_t pixel, Rgb colour, int tolerance = 40) {
    return std::abs(Red(pixel) - colour.r) <= tolerance &&
           std::abs(Green(pixel) - colour.g) <= tolerance &&
           std::abs(Blue(pixel) - colour.b) <= tolerance;
}

bool Dark(std::uint32_t pixel) {
    return Red(pixel) < 70 && Green(pixel) < 70 && Blue(pixel) < 70;
}

int Count(const Image& image, const RECT& region,
          const std::function<bool(std::uint32_t)>& matches) {
    int count = 0;
    for (int y = std::max(0L, region.top); y < std::min<LONG>(image.height, region.bottom); ++y) {
        for (int x = std::max(0L, region.left); x < std::min<LONG>(image.width, region.right);
             ++x) {
            if (matches(image.At(x, y))) ++count;
        }
    }
    return count;
}

RECT Inset(RECT rect, int by) {
    return RECT{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

class ColoursTest : public AppTest {
  protected:
    void SetUp() override {
        StartApp();
        MoveMouseTo(POINT{0, 0});  // no tooltip, no hot control
    }

    RECT Area(int position) const { return RectInParent(C(position)); }
    // A frame's caption sits in the top line of its rectangle.
    RECT CaptionStrip(int frame) const {
        RECT rect = Area(frame);
        rect.bottom = rect.top + 16;
        return rect;
    }
    int CountNear(const Image& image, const RECT& region, Rgb colour) const {
        return Count(image, region, [&](std::uint32_t p) { return Near(p, colour); });
    }
};

TEST_F(ColoursTest, HeadingIsRed) {
    const Image image = CaptureSettled(app_.form());
    SaveBmp(image, CapturePath(L"colours.bmp"));
    const RECT heading = Area(kLabel1Pos);
    EXPECT_GE(CountNear(image, heading, kRed), 20);
    EXPECT_EQ(CountNear(image, heading, kBlue), 0);
}

TEST_F(ColoursTest, FrameCaptionsAreBlueAndSwitchSettingIsRust) {
    const Image image = CaptureSettled(app_.form());
    std::vector<int> blueFrames{kFrame3Pos, kFrame5Pos, kFrame7Pos};
    for (int k = 0; k < 8; ++k) blueFrames.push_back(Frame2Pos(k));
    for (int frame : blueFrames) {
        SCOPED_TRACE(Narrow(TextAt(frame)));
        const RECT strip = CaptionStrip(frame);
        EXPECT_GE(CountNear(image, strip, kBlue), 10);
        EXPECT_EQ(CountNear(image, strip, kRust), 0);
        EXPECT_EQ(CountNear(image, strip, kRed), 0);
    }
    const RECT switchSetting = CaptionStrip(kFrame6Pos);
    EXPECT_GE(CountNear(image, switchSetting, kRust), 10);
    EXPECT_EQ(CountNear(image, switchSetting, kBlue), 0);
    EXPECT_EQ(CountNear(image, switchSetting, kRed), 0);
}

TEST_F(ColoursTest, ContactBlockIsTeal) {
    const Image image = CaptureSettled(app_.form());
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("Label3(" + std::to_string(i) + ")");
        const RECT line = Area(Label3Pos(i));
        EXPECT_GE(CountNear(image, line, kTeal), 10);
        EXPECT_EQ(CountNear(image, line, kRed), 0);
        EXPECT_EQ(CountNear(image, line, kBlue), 0);
    }
}

TEST_F(ColoursTest, TitlesNotesAndVersionUseTheDefaultTextColour) {
    const Image image = CaptureSettled(app_.form());
    std::vector<std::pair<int, RECT>> areas;
    // Inside the boxes' sunken borders, which are dark themselves.
    for (int i = 0; i < 5; ++i) areas.emplace_back(Text1Pos(i), Inset(Area(Text1Pos(i)), 3));
    for (int position : {Label2Pos(0), Label2Pos(1), kVersionPos})
        areas.emplace_back(position, Area(position));
    for (const auto& [position, area] : areas) {
        SCOPED_TRACE(Narrow(TextAt(position)));
        EXPECT_GE(Count(image, area, Dark), 5);
        for (Rgb colour : {kRed, kBlue, kRust, kTeal}) {
            EXPECT_EQ(CountNear(image, area, colour), 0);
        }
    }
}

TEST_F(ColoursTest, SwitchValuesAreRedAndCentred) {
    ASSERT_TRUE(Click(C(Label3Pos(0))));
    ASSERT_TRUE(Barrier());
    ASSERT_TRUE(Click(C(kCalculatePos)));
    ASSERT_TRUE(Barrier());
    ASSERT_EQ(TextAt(TxtSWPos(0)), L"0B62");
    // Away from the focused box, whose caret would blink in the capture.
    ASSERT_TRUE(ClickAndFocus(Text1Pos(4)));
    MoveMouseTo(POINT{0, 0});
    const Image image = CaptureSettled(app_.form());
    SaveBmp(image, CapturePath(L"colours-calculated.bmp"));
    for (int i : {0, 1, 4}) {
        SCOPED_TRACE("txtSW(" + std::to_string(i) + ") " + Narrow(TextAt(TxtSWPos(i))));
        const RECT box = Inset(Area(TxtSWPos(i)), 3);
        EXPECT_GE(CountNear(image, box, kRed), 3);
        EXPECT_EQ(CountNear(image, box, kBlue), 0);
        // Centred: the red pixels are spread evenly about the box's middle.
        int left = box.right;
        int right = box.left;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                if (Near(image.At(x, y), kRed)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        ASSERT_LE(left, right);
        EXPECT_LE(std::abs((left + right) / 2 - (box.left + box.right) / 2), 3)
            << "text from " << left << " to " << right << " in " << box.left << ".." << box.right;
    }
}

}  // namespace
}  // namespace harness
