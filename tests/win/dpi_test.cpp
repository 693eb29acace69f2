// The window on a denser screen. ctest runs this in a copy of the Wine prefix
// set to TESSIVAR_EXPECTED_DPI (144, 150 %): everything scales with the
// screen, the client area becomes 1014 x 797 (10140 x 7965 twips at 144 DPI,
// within rounding) and no controls of one container run into each other.
#include <string>

#include "app_test.h"
#include "layout_checks.h"

namespace harness {
namespace {

class DpiTest : public AppTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(ScreenDpi(), ExpectedDpi()) << "the screen is not at the density asked for";
        StartApp();
    }
};

TEST_F(DpiTest, ClientAreaScalesWithTheScreen) {
    ExpectClientSize(app_.form(), ExpectedDpi());
}

TEST_F(DpiTest, EveryControlScalesWithTheScreen) {
    ExpectControlRects(app_.form(), ExpectedDpi());
    MoveMouseTo(POINT{0, 0});
    SaveBmp(CaptureSettled(app_.form()),
            CapturePath(L"window-" + std::to_wstring(ExpectedDpi()) + L"dpi.bmp"));
}

TEST_F(DpiTest, ControlsOfOneContainerDoNotOverlap) {
    ExpectNoOverlapWithinContainers(app_);
}

TEST_F(DpiTest, WindowIsStillCentredAndWithinTheScreen) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(
        GetMonitorInfoW(MonitorFromWindow(app_.form(), MONITOR_DEFAULTTONEAREST), &monitor));
    RECT window{};
    ASSERT_TRUE(GetWindowRect(app_.form(), &window));
    const RECT& work = monitor.rcWork;
    EXPECT_LE(std::abs((window.left - work.left) - (work.right - window.right)), 1);
    EXPECT_LE(std::abs((window.top - work.top) - (work.bottom - window.bottom)), 1);
}

}  // namespace
}  // namespace harness
