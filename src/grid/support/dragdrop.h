#pragma once
// The rules of the grid's drag and drop between windows and programs: which
// kinds of data a drop target accepts, what a drop hands to which operation,
// the formats a dragged grid offers, and how a drag source ends. The visual
// layer carries the data between programs; these classes decide.

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/stringlist.h"
#include "platform/rtl/types.h"

// Drop effects and the answers of a drag source.
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
constexpr long S_OK = 0;
constexpr long DRAGDROP_S_DROP = 0x00040100;
constexpr long DRAGDROP_S_CANCEL = 0x00040101;
constexpr long DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// The data formats, as the platform names them when data leaves the program.
inline constexpr char MimeText[] = "text/plain";
inline constexpr char MimeRichText[] = "text/rtf";
inline constexpr char MimeFiles[] = "text/uri-list";
inline constexpr char MimeGridColumn[] = "application/x-grid-column"; // "Grid Column"

// Kinds of data present in a drag, as bits.
enum TDragFormat : unsigned { dfText = 1, dfFiles = 2, dfColumn = 4, dfRichText = 8 };

// Rich text in drags of every target and source; off at start.
void SetRTFDragDrop(bool Flag);
bool RTFDragDrop();

// What a drag carries, read from the data another window or program offers.
struct TDragData {
    bool HasText = false;
    std::string Text;
    bool HasRichText = false;
    std::string RichText;
    int Column = -1; // a dragged grid column; -1 for none
    std::vector<std::string> Files;
    unsigned Formats() const;
};

class TXSGDropTarget {
public:
    TXSGDropTarget() = default;
    virtual ~TXSGDropTarget() = default;

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool Accepting() const { return FAccepting; }
    unsigned FormatsPresent() const { return FFormats; }

    // The drag enters: accepted when it carries a kind the target takes. A
    // column drag is a column drag: without AcceptCols it is refused, whatever
    // text it offers besides.
    int DragEnter(const TDragData& Data, unsigned KeyState);
    // Copy with Ctrl, else move (files are always copied); none while refused.
    int DragOver(const TPoint& Point, unsigned KeyState);
    void DragLeave() { DragMouseLeave(); }
    // The column, else the rich text, else the text; files besides.
    int Drop(const TDragData& Data, const TPoint& Point, unsigned KeyState);

protected:
    virtual void DropText(const TPoint& Point, const std::string& Text) {}
    virtual void DropCol(const TPoint& Point, int Column) {}
    virtual void DropRTF(const TPoint& Point, const std::string& RTF) {}
    virtual void DropFiles(const TPoint& Point, const TStrings& Files) {}
    virtual void DragMouseMove(const TPoint& Point, bool& Allow, unsigned Formats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

private:
    int EffectFor(unsigned KeyState) const;
    bool FAccepting = false;
    unsigned FFormats = 0;
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

private:
    std::string FText;
    int FColumn;
    std::string FRTF;
};

// Runs the platform's drag loop for the data and answers its result and effect.
using TDragRunner =
    std::function<long(const TSourceDataObject& Data, int AllowedEffects, int& Effect)>;

class TXSGDropSource {
public:
    explicit TXSGDropSource(TDragRunner Runner) : FRunner(std::move(Runner)) {}
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
