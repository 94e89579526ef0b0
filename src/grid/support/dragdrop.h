#pragma once
// The rules of the grid's drag and drop between windows and programs: which
// kinds of data a drop target accepts, what a drop hands to which operation,
// the formats a dragged grid offers, and how a drag source ends. The visual
// layer carries the data between programs; these classes decide.

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/sets.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/types.h"
#include "platform/vcl/dragdrop.h"

class TControl;

// The grid's own data format, as it travels between programs.
inline constexpr char MimeGridColumn[] = "application/x-grid-column"; // "Grid Column"

// The column a drag carries ("Grid Column": one 32-bit index, low byte first),
// -1 for none; setting -1 takes the column out.
int DropColumn(const TDropData& Data);
void SetDropColumn(TDropData& Data, int Column);

// Kinds of data present in a drag.
enum TDragFormat { dfText, dfFiles, dfColumn, dfRichText };
using TDragFormats = TSet<TDragFormat>;

// Rich text in drags of every target and source; off at start.
void SetRTFDragDrop(bool Flag);
bool RTFDragDrop();

// The kinds of data present.
TDragFormats DragFormats(const TDropData& Data);

// What a drag carries, read from the data another window or program offers.
struct TDragData : TDropData {
    TDragFormats Formats() const { return DragFormats(*this); }
};

// Registered on a control's window (RegisterDragDrop(Control, &Target)), it
// receives the drags of other windows and programs; whoever owns it revokes
// the registration before freeing it.
class TXSGDropTarget : public TOleDropTarget {
public:
    TXSGDropTarget() = default;
    ~TXSGDropTarget() override = default;

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool Accepting() const { return FAccepting; }
    TDragFormats FormatsPresent() const { return FFormats; }

    // The drag enters: accepted when it carries a kind the target takes. A
    // column drag is a column drag: without AcceptCols it is refused, whatever
    // text it offers besides.
    int DragEnter(const TDropData& Data, unsigned KeyState);
    int DragEnter(const TDropData& Data, const TPoint& Point, unsigned KeyState) override {
        return DragEnter(Data, KeyState);
    }
    // Copy with Ctrl, else move (files are always copied); none while refused.
    int DragOver(const TPoint& Point, unsigned KeyState) override;
    // The drag has gone elsewhere: nothing of it can be dropped here any more.
    void DragLeave() override {
        FAccepting = false;
        DragMouseLeave();
    }
    // The column, else the rich text, else the text; files besides.
    int Drop(const TDropData& Data, const TPoint& Point, unsigned KeyState) override;
    std::vector<std::string> CustomFormats() const override { return {MimeGridColumn}; }

protected:
    virtual void DropText(const TPoint& Point, const std::string& Text) {}
    virtual void DropCol(const TPoint& Point, int Column) {}
    virtual void DropRTF(const TPoint& Point, const std::string& RTF) {}
    virtual void DropFiles(const TPoint& Point, const TStrings& Files) {}
    virtual void DragMouseMove(const TPoint& Point, bool& Allow, TDragFormats Formats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    int EffectFor(unsigned KeyState) const;
    bool FAccepting = false;
    TDragFormats FFormats;
};

// The data of a drag that starts in a grid: a text (with its rich text) or a
// column index. It offers only the formats it really holds.
class TSourceDataObject {
public:
    TSourceDataObject(const std::string& Text, int Column, const std::string& RTF)
        : FText(Text), FColumn(Column), FRTF(RTF) {}
    // The formats offered, in order: text, rich text (with the flag), column.
    std::vector<std::string> Formats() const;
    bool QueryGetData(const std::string& Format) const;
    // The bytes of a format ("Grid Column": one 32-bit index); empty when not offered.
    std::string GetData(const std::string& Format) const;
    // What goes out to other windows and programs: exactly the formats offered.
    TDropData DropData() const;

private:
    std::string FText;
    int FColumn;
    std::string FRTF;
};

// Runs the platform's drag loop for the data and answers its result and effect.
using TDragRunner =
    std::function<long(const TSourceDataObject& Data, int AllowedEffects, int& Effect)>;

// The drag loop of the visual layer, started from the control's window.
TDragRunner ControlDragRunner(TControl& Source);

class TXSGDropSource {
public:
    explicit TXSGDropSource(TDragRunner Runner) : FRunner(std::move(Runner)) {}
    // Drags go out from the control's window to other windows and programs.
    explicit TXSGDropSource(TControl& Source) : FRunner(ControlDragRunner(Source)) {}
    long QueryContinueDrag(bool EscapePressed, bool LeftButtonDown) const;
    long GiveFeedback(int Effect);
    bool NoDrop() const { return FNoDrop; }

    // A release over a target that showed no effect answers DRAGDROP_S_CANCEL.
    long StartTextDrag(const std::string& Text, const std::string& RTF, int AllowedEffects,
                       int& Effect);
    long StartColumnDrag(int Column, int AllowedEffects, int& Effect);

private:
    long Run(const TSourceDataObject& Data, int AllowedEffects, int& Effect);
    TDragRunner FRunner;
    bool FNoDrop = false;
};
