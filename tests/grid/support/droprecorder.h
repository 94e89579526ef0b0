#pragma once
// A grid drop target for tests: it writes down what each drop operation
// received, where, and lets a test refuse places.

#include <string>
#include <vector>

#include "grid/support/dragdrop.h"

class TRecordingDropTarget : public TXSGDropTarget {
public:
    std::vector<std::string> Calls;
    TPoint Last{-1, -1};
    bool Allow = true;

protected:
    void DropText(const TPoint& P, const std::string& Text) override { Note(P, "text:" + Text); }
    void DropCol(const TPoint& P, int Column) override { Note(P, "col:" + std::to_string(Column)); }
    void DropRTF(const TPoint& P, const std::string& RTF) override { Note(P, "rtf:" + RTF); }
    void DropFiles(const TPoint& P, const TStrings& Files) override {
        std::string names;
        for (int i = 0; i < Files.Count(); ++i)
            names += (i ? "," : "") + Files.Get(i);
        Note(P, "files:" + names);
    }
    void DragMouseMove(const TPoint& P, bool& A, TDragFormats) override {
        Last = P;
        A = Allow;
    }
    void DragMouseEnter() override { Calls.push_back("enter"); }
    void DragMouseLeave() override { Calls.push_back("leave"); }

private:
    void Note(const TPoint& P, const std::string& What) {
        Last = P;
        Calls.push_back(What);
    }
};

struct RTFScope {
    explicit RTFScope(bool On) { SetRTFDragDrop(On); }
    ~RTFScope() { SetRTFDragDrop(false); }
};
