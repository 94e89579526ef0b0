// Every window of the program at its smallest size and at the size it is
// made with: each shown control lies inside its parent's client area and no
// two shown controls of one parent overlap, and each shows its whole caption.
// Pictures go to the artifacts.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "apptestenv.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/stdctrls.h"
#include "road_testenv.h"

namespace {

// Whether a control of fixed size shows its whole caption, measured with its
// own font as it draws it ('&' marks no width).
bool CaptionFits(const TControl& C) {
    TBitmap measure(1, 1);
    TCanvas& canvas = *measure.Canvas();
    canvas.Font()->Assign(C.Font());
    const auto extent = [&](unsigned Flags, int Width) {
        TRect r{0, 0, Width, 0};
        DrawText(canvas, C.Caption(), r, Flags | DT_CALCRECT);
        return r;
    };
    if (const auto* label = dynamic_cast<const TLabel*>(&C)) {
        if (label->AutoSize()) return true;
        const unsigned flags = DT_EXPANDTABS | (label->ShowAccelChar() ? 0 : DT_NOPREFIX) |
                               (label->WordWrap() ? DT_WORDBREAK : 0);
        const TRect r = extent(flags, label->WordWrap() ? C.Width() : 0);
        return r.Width() <= C.Width() && r.Height() <= C.Height();
    }
    if (const auto* button = dynamic_cast<const TButtonControl*>(&C))
        return extent(DT_SINGLELINE, 0).Width() <= button->CaptionRect().Width();
    if (dynamic_cast<const TGroupBox*>(&C)) // the heading ends inside the frame
        return TGroupBox::CaptionIndent + extent(DT_SINGLELINE, 0).Width() <= C.Width() - 2;
    return true;
}

// What is wrong with the layout under Parent, one line per fault.
void CheckLayout(const TWinControl& Parent, std::ostringstream& Faults) {
    const TRect client = Parent.ClientRect();
    std::vector<const TControl*> shown;
    for (int i = 0; i < Parent.ControlCount(); ++i)
        if (const TControl* c = Parent.Controls(i); c->Visible()) shown.push_back(c);
    for (size_t i = 0; i < shown.size(); ++i) {
        const TControl* c = shown[i];
        const TRect r = c->BoundsRect();
        const std::string name = c->ClassName() + " \"" + c->Caption() + "\"";
        if (r.Left < client.Left || r.Top < client.Top || r.Right > client.Right ||
            r.Bottom > client.Bottom || r.Width() <= 0 || r.Height() <= 0)
            Faults << name << " outside " << Parent.ClassName() << " \"" << Parent.Caption()
                   << "\"\n";
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const TRect o = shown[j]->BoundsRect();
            if (r.Left < o.Right && o.Left < r.Right && r.Top < o.Bottom && o.Top < r.Bottom)
                Faults << name << " overlaps " << shown[j]->ClassName() << " \""
                       << shown[j]->Caption() << "\"\n";
        }
        if (!CaptionFits(*c)) Faults << name << " cuts its caption\n";
        if (const auto* w = dynamic_cast<const TWinControl*>(c)) CheckLayout(*w, Faults);
        // A status panel shows its whole text.
        if (const auto* bar = dynamic_cast<const TStatusBar*>(c)) {
            TCanvas& canvas = *bar->Canvas();
            canvas.Font()->Assign(bar->Font());
            for (int p = 0; p < bar->PanelCount(); ++p)
                if (canvas.TextWidth(bar->Panels(p)->Text) + TStatusBar::PanelTextMargin >
                    bar->PanelRect(p).Width())
                    Faults << "status panel " << p << " cuts \"" << bar->Panels(p)->Text << "\"\n";
        }
    }
}

class WindowLayout : public RoadTest {};

TEST_F(WindowLayout, NothingClippedOrOverlappingAtTheSmallestSize) {
    // With a group shown, so that the windows' status bars hold their texts.
    TMainForm& m = StartWithClubChosen();
    WhenShown(*StandForm, [] {});
    m.FileListBoxDblClick(m.FileListBox);
    // A long group name, which the main window's status bar shows whole.
    m.GroepNaamEdit->SetText("Weerdenburg-Oosterhuis Kampioenschap 2026 groep A");
    m.EditGroepBitBtnClick(nullptr);
    TCustomForm* const forms[] = {MainForm,   RaRapportForm, StandForm,     SpInfoForm,
                                  BergerForm, UitslagForm,   ZVNewGroepForm};
    for (TCustomForm* f : forms) {
        // Each page of each page control, shown with the pages around it.
        std::vector<TTabSheet*> pages{nullptr};
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (auto* pc = dynamic_cast<TPageControl*>(f->Components(i)))
                for (int p = 0; p < pc->PageCount(); ++p)
                    pages.push_back(pc->Pages(p));
        const TRect design = f->BoundsRect();
        for (const bool smallest : {false, true}) {
            // The settings file may ask for 101 pixels; the window keeps its limits.
            if (smallest) f->SetBounds(design.Left, design.Top, 101, 101);
            for (TTabSheet* page : pages) {
                for (TControl* c = page; c; c = c->Parent())
                    if (auto* sheet = dynamic_cast<TTabSheet*>(c))
                        sheet->PageControl()->SetActivePage(sheet);
                std::ostringstream faults;
                CheckLayout(*f, faults);
                const std::string picture = f->ClassName() +
                                            (page ? "_" + page->Caption() : std::string()) +
                                            (smallest ? "_smallest" : "_made") + ".png";
                SavePicture(*f, "layout_" + picture);
                EXPECT_EQ("", faults.str()) << picture << " " << f->Width() << "x" << f->Height();
            }
        }
        f->SetBoundsRect(design);
    }
}

} // namespace
