#pragma once
// Small objects the advanced string grid creates and owns: the arrow windows
// shown while a column or row is dragged, the floating caption button, the list
// of controls placed in cells, and a picture that refers to an image file.

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/forms.h"

// The seven outline points of an arrow window (0 up, 1 down, 2 right, 3 left);
// empty for any other direction.
std::vector<TPoint> ArrowOutline(int Direction);

// A small green arrow in a pop-up window; the grid shows and moves it.
class TArrowWindow : public THintWindow {
public:
    TArrowWindow(TComponent* AOwner, int Direction);
    std::string ClassName() const override { return "TArrowWindow"; }
    int Direction() const { return FDirection; }
    const std::vector<TPoint>& Outline() const { return FOutline; }

protected:
    void Paint() override;

private:
    int FDirection;
    std::vector<TPoint> FOutline;
};

// Draws the arrow's outline filled in Color on the button face (the window's
// region keeps the face outside the arrow from showing).
void PaintArrow(TCanvas& Canvas, const TRect& R, const std::vector<TPoint>& Outline, TColor Color);

// The grid's floating caption: a disabled top-most pop-up with a caption over
// an optional vertical gradient.
class TPopupButton : public THintWindow {
public:
    explicit TPopupButton(TComponent* AOwner);
    std::string ClassName() const override { return "TPopupButton"; }

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor GradFrom() const { return FGradFrom; }
    void SetGradFrom(TColor Value);
    TColor GradTo() const { return FGradTo; }
    void SetGradTo(TColor Value);

protected:
    void Paint() override;

private:
    bool FFlat = false;
    TColor FGradFrom = clNone;
    TColor FGradTo = clNone;
};

// Unless Flat, a 3-D frame (white top-left, grey bottom-right); the gradient
// from GradFrom to GradTo in 64 steps when GradFrom is set; then the caption,
// centred, with an ellipsis when it does not fit.
void PaintPopupButton(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Flat,
                      TColor GradFrom, TColor GradTo, TColor Face, const TFont& Font);

// The controls placed in cells. The list owns them: a control added here leaves
// its owner, so that only the list frees it.
class TControlList {
public:
    TControlList() = default;
    TControlList(const TControlList&) = delete;
    TControlList& operator=(const TControlList&) = delete;
    ~TControlList(); // frees every control, from the front

    int Count() const { return static_cast<int>(FItems.size()); }
    TControl* Items(int Index) const;
    int Add(TControl* Control);
    void Delete(int Index); // frees the control
    int IndexOf(const TControl* Control) const;

private:
    std::vector<std::unique_ptr<TControl>> FItems;
};

// A picture kept as the name of its image file: Width and Height are read from
// the file when the name is set; Draw loads the file again and stretches it.
class TFilePicture : public TPersistent {
public:
    std::string ClassName() const override { return "TFilePicture"; }
    void Assign(const TPersistent* Source) override;

    const std::string& Filename() const { return FFilename; }
    void SetFilename(const std::string& Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void Draw(TCanvas& Canvas, const TRect& R) const;

private:
    std::string FFilename;
    int FWidth = 0;
    int FHeight = 0;
};
