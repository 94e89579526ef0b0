#pragma once
// Rich text as cells and the clipboard carry it (RTF), read into a plain
// model of paragraphs and formatted runs, and written back from it. The
// model holds what a rich edit shows: fonts, sizes, bold, italic, underline,
// strike-out, colours, paragraph alignment, tabs and every character (Unicode
// inside). Anything else in the RTF (pictures, style sheets, document info,
// fields' instructions, unknown destinations) is skipped, never shown as text.
// No Qt here: the reader runs on any input, hostile ones too, in time and
// memory linear in the input.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/vcl/gfx/colors.h"

enum TRtfAlign { raLeft, raCenter, raRight, raJustify };

// The look of a run of characters. Empty font name, size 0 and clNone mean
// "the document's default" (the control's font and colour).
struct TRtfCharFormat {
    std::string FontName; // Windows-1252
    int HalfPoints = 0;
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    TColor Color = clNone;
    bool operator==(const TRtfCharFormat&) const = default;
};

struct TRtfRun {
    TRtfCharFormat Format;
    std::u16string Text; // '\t' for tabs, U+2028 for a line break inside a paragraph
    bool operator==(const TRtfRun&) const = default;
};

struct TRtfParagraph {
    TRtfAlign Align = raLeft;
    std::vector<TRtfRun> Runs;
    bool operator==(const TRtfParagraph&) const = default;
};

struct TRtfDocument {
    std::vector<TRtfParagraph> Paragraphs;
    bool operator==(const TRtfDocument&) const = default;
    // Merges neighbouring runs of one format and drops empty runs, so that two
    // documents that show the same compare equal.
    void Normalize();
};

// Reads RTF text (or plain text, which becomes one paragraph per line). A
// truncated document ends where its text ends; groups left open are closed.
TRtfDocument ReadRTF(const std::string& Text);
// Writes the document as RTF 1 with a font and a colour table; characters of
// Windows-1252 as themselves or \'hh, others as \uN.
std::string WriteRTF(const TRtfDocument& Doc);
// The characters of the document: paragraphs joined by CR LF, line breaks as
// CR LF too.
std::u16string RTFWideText(const TRtfDocument& Doc);
// The same in Windows-1252 ('?' for characters it lacks).
std::string RTFPlainText(const TRtfDocument& Doc);
inline std::string RTFToPlainText(const std::string& RTF) {
    return RTFPlainText(ReadRTF(RTF));
}
// Whether a cell text is rich text: it starts a group with a control word.
bool IsRTFText(const std::string& Text);
