#pragma once
// Drag and drop between windows and programs. A control registers a drop
// target on its window; a drag arriving there is read into plain data (text,
// rich text, a grid column, file names) and handed to the target, whose answer
// (the drop effect) goes back to the program the drag came from. A drag that
// starts here offers exactly the data it is given.
//
// Effects are the platform's numbers (none 0, copy 1, move 2); key states are
// the MK_ flags of mouse messages; points are client coordinates of the
// control that holds the target.

#include <string>
#include <vector>

#include "platform/rtl/types.h"
#include "platform/vcl/messages.h"

class TControl;

// What a drag carries. Text is Windows-1252 (characters outside it read as
// '?'); file names are the program's names of the files.
struct TDropData {
    bool HasText = false;
    std::string Text;
    bool HasRichText = false;
    std::string RichText;
    int Column = -1; // a dragged grid column, -1 for none
    std::vector<std::string> Files;
};

// The format names under which the data travels.
std::string DropTextFormat();     // plain text
std::string DropRichTextFormat(); // "Rich Text Format"
std::string DropColumnFormat();   // "Grid Column": one 32-bit index
std::string DropFilesFormat();    // a list of file locations
// The formats that data would be offered in, in that order (only those it holds).
std::vector<std::string> DropFormats(const TDropData& Data);

// The receiving side, implemented by the program; every answer is an effect.
class TOleDropTarget {
public:
    virtual ~TOleDropTarget() = default;
    virtual int DragEnter(const TDropData& Data, const TPoint& Point, unsigned KeyState) = 0;
    virtual int DragOver(const TPoint& Point, unsigned KeyState) = 0;
    virtual void DragLeave() = 0;
    virtual int Drop(const TDropData& Data, const TPoint& Point, unsigned KeyState) = 0;
};

// Drops on the control's window go to Target (not owned) until revoked or
// until the control is destroyed. Registering again replaces the target.
void RegisterDragDrop(TControl& Control, TOleDropTarget* Target);
void RevokeDragDrop(TControl& Control);
bool DragDropRegistered(const TControl& Control);

enum TDragResult { drDropped, drCancelled };
// Runs the drag loop from the control's window with AllowedEffects (copy 1,
// move 2, both 3). Effect receives what the target did; a release where no
// target showed an effect, or Escape, cancels.
TDragResult DoDragDrop(TControl& Source, const TDropData& Data, int AllowedEffects, int& Effect);
