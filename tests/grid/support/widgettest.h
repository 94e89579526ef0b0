#pragma once
// Fixture of the grid support tests that make controls: the widget application
// comes first (and goes after the last test), with small pixel helpers.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/vcl/gfx/graphics.h"

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override;
    static std::unique_ptr<TBitmap> WhiteBitmap(int Width, int Height);
    static int CountColor(const TBitmap& B, const TRect& R, TColor C);
    // Into the artifacts folder.
    static void SaveArtifact(const TBitmap& B, const std::string& Name);
};
