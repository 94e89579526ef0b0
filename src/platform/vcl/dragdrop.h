#pragma once
// Drag and drop between windows and programs. A control registers a drop
// target on its window; a drag arriving there is read into plain data (text,
// rich text, data in the program's own formats, file names) and handed to the
// target, whose answer
// (the drop effect) goes back to the program the drag came from. A drag that
// starts here offers exactly the data it is given.
//
// Key states are the MK_ flags of mouse messages; points are client
// coordinates of the control that holds the target.

#include <map>
#include <string>
#include <vector>

#include "platform/rtl/types.h"
#include "platform/vcl/messages.h"

class TControl;

// Drop effects, the platform's numbers, and the answers of a drag source.
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
constexpr long S_OK = 0;
constexpr long DRAGDROP_S_DROP = 0x00040100;
constexpr long DRAGDROP_S_CANCEL = 0x00040101;
constexpr long DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// What a drag carries. Text is Windows-1252 (characters outside it read as
// '?'); file names are the program's names of the files.
struct TDropData {
    bool HasText = false;
    std::string Text;
    bool HasRichText = false;
    std::string RichText;
    // Data in formats of the program's own, as bytes by format name.
    std::map<std::string, std::string> Custom;
    std::vector<std::string> Files;
};

// The format names under which the data travels.
inline constexpr char MimeText[] = "text/plain";
inline constexpr char MimeRichText[] = "text/rtf";
inline constexpr char MimeFiles[] = "text/uri-list";
std::string DropTextFormat();     // plain text
std::string DropRichTextFormat(); // "Rich Text Format"
std::string DropFilesFormat();    // a list of file locations
// The formats that data would be offered in: text, rich text, the program's
// own formats, files (only those it holds).
std::vector<std::string> DropFormats(const TDropData& Data);

// The receiving side, implemented by the program; every answer is an effect.
class TOleDropTarget {
public:
    virtual ~TOleDropTarget() = default;
    virtual int DragEnter(const TDropData& Data, const TPoint& Point, unsigned KeyState) = 0;
    virtual int DragOver(const TPoint& Point, unsigned KeyState) = 0;
    virtual void DragLeave() = 0;
    virtual int Drop(const TDropData& Data, const TPoint& Point, unsigned KeyState) = 0;
    // The program's own formats this target reads out of a drag.
    virtual std::vector<std::string> CustomFormats() const { return {}; }
};

// Drops on the control's window go to Target (not owned) until revoked or
// until the control is destroyed. Registering again replaces the target.
void RegisterDragDrop(TControl& Control, TOleDropTarget* Target);
void RevokeDragDrop(TControl& Control);
bool DragDropRegistered(const TControl& Control);

enum TDragResult { drDropped, drCancelled };
// Runs the drag loop from the control's window with AllowedEffects
// (DROPEFFECT_COPY, DROPEFFECT_MOVE or both). Effect receives what the target did; a release where
// no target showed an effect, or Escape, cancels.
TDragResult DoDragDrop(TControl& Source, const TDropData& Data, int AllowedEffects, int& Effect);
