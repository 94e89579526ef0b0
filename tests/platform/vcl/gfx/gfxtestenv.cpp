#include "gfxtestenv.h"
#include "vz_test_support.h"

#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// Fonts need a GUI application; the tests run with the offscreen platform.
class TGuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QGuiApplication::instance()) return;
        static int Argc = 1;
        static char Name[] = "gfx_tests";
        static char* Argv[] = {Name, nullptr};
        FApp = std::make_unique<QGuiApplication>(Argc, Argv);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QGuiApplication> FApp;
};

[[maybe_unused]] auto* const Registered =
    ::testing::AddGlobalTestEnvironment(new TGuiEnvironment); // gtest owns it
} // namespace

std::unique_ptr<TBitmap> WhiteBitmap(int Width, int Height) {
    return std::make_unique<TBitmap>(Width, Height);
}

int CountColor(const TBitmap& B, const TRect& R, TColor C) {
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X)
            if (B.Pixel(X, Y) == C) ++N;
    return N;
}

TRect InkBounds(const TBitmap& B, TColor Background) {
    TRect R{B.Width(), B.Height(), 0, 0};
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X)
            if (B.Pixel(X, Y) != Background) {
                R.Left = std::min(R.Left, X);
                R.Top = std::min(R.Top, Y);
                R.Right = std::max(R.Right, X + 1);
                R.Bottom = std::max(R.Bottom, Y + 1);
            }
    return IsRectEmpty(R) ? TRect{} : R;
}

void SaveArtifact(const TBitmap& B, const std::string& Name) {
    B.SaveToFile(ArtifactsDir() + "/" + Name);
}
