#include <cstdlib>

#include "platform/vcl/gfx/graphics.h"

namespace {
constexpr int PointsPerInch = 72;
constexpr int ScreenPixelsPerInch = 96;

// Rounds half away from zero, as the platform's MulDiv.
int MulDiv(int Number, int Numerator, int Denominator) {
    const long long P = static_cast<long long>(Number) * Numerator;
    const long long Q = Denominator;
    const long long R = (std::llabs(P) + std::llabs(Q) / 2) / std::llabs(Q);
    return static_cast<int>(((P < 0) != (Q < 0)) ? -R : R);
}
} // namespace

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// --- TFont -------------------------------------------------------------------

TFont::TFont() = default;

void TFont::Assign(const TPersistent* Source) {
    if (const auto* F = dynamic_cast<const TFont*>(Source)) {
        if (*F == *this) return;
        FName = F->FName;
        FHeight = F->FHeight;
        FStyle = F->FStyle;
        FColor = F->FColor;
        FCharset = F->FCharset;
        FPitch = F->FPitch;
        FOrientation = F->FOrientation;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

bool TFont::operator==(const TFont& Other) const {
    return FName == Other.FName && FHeight == Other.FHeight && FStyle == Other.FStyle &&
           FColor == Other.FColor && FCharset == Other.FCharset && FPitch == Other.FPitch &&
           FOrientation == Other.FOrientation;
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, PointsPerInch, ScreenPixelsPerInch);
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, ScreenPixelsPerInch, PointsPerInch));
}

void TFont::SetHeight(int Value) {
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FCharset) return;
    FCharset = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == FPitch) return;
    FPitch = Value;
    Changed();
}

void TFont::SetOrientation(int Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    Changed();
}

// --- TPen --------------------------------------------------------------------

void TPen::Assign(const TPersistent* Source) {
    if (const auto* P = dynamic_cast<const TPen*>(Source)) {
        if (P->FColor == FColor && P->FWidth == FWidth && P->FStyle == FStyle && P->FMode == FMode)
            return;
        FColor = P->FColor;
        FWidth = P->FWidth;
        FStyle = P->FStyle;
        FMode = P->FMode;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode) return;
    FMode = Value;
    Changed();
}

// --- TBrush ------------------------------------------------------------------

void TBrush::Assign(const TPersistent* Source) {
    if (const auto* B = dynamic_cast<const TBrush*>(Source)) {
        if (B->FColor == FColor && B->FStyle == FStyle) return;
        FColor = B->FColor;
        FStyle = B->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}
