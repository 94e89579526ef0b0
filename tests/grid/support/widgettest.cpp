#include "widgettest.h"
#include "vz_test_support.h"

#include <cstdlib>

#include "platform/vcl/qtapp.h"

namespace {

// Taken down after the last test, so that the font libraries give back what they hold.
class TWidgetApplication : public ::testing::Environment {
public:
    void TearDown() override { ShutdownQtApplication(); }
};
[[maybe_unused]] auto* const Registered =
    ::testing::AddGlobalTestEnvironment(new TWidgetApplication); // gtest owns it

} // namespace

void WidgetTest::SetUp() {
    EnsureQtApplication();
}

std::unique_ptr<TBitmap> WidgetTest::WhiteBitmap(int Width, int Height) {
    return std::make_unique<TBitmap>(Width, Height);
}

int WidgetTest::CountColor(const TBitmap& B, const TRect& R, TColor C) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            n += B.Pixel(x, y) == C;
    return n;
}

void WidgetTest::SaveArtifact(const TBitmap& B, const std::string& Name) {
    B.SaveToFile(ArtifactsDir() + "/" + Name);
}
