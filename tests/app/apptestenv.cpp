#include "apptestenv.h"

#include "model_fixtures.h"

#include <gtest/gtest.h>

#include "vz_test_support.h"

#include "model/berger.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/threads.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/messages.h"

namespace {

struct TClubLid {
    const char* Achternaam;
    const char* Tussenvoegsel;
    const char* Voornaam;
    int Knsb, Fide, GebJaar;
    char Sexe;
};

const TClubLid ClubLeden[] = {
    {"Jansen", "", "Pieter", 1912, 1880, 1978, 'M'},
    {"Berg", "van den", "Anna", 1745, 0, 1990, 'V'},
    {"Dijkstra", "", "Kees", 1688, 1702, 1965, 'M'},
    {"Bakker", "de", "Sanne", 1603, 0, 2004, 'V'},
    {"Visser", "", "Henk", 1850, 1811, 1959, 'M'},
    {"Meijer", "", "Jeroen", 0, 0, 2011, 'M'},
    {"Mulder", "", "Thijs", 1520, 0, 1983, 'M'},
    {"Smit", "", "Bram", 1777, 1790, 1971, 'M'},
};

} // namespace

std::unique_ptr<TGroep> MakeClubGroep(bool DubbelRondig, bool WithResults) {
    TGroepRec rec;
    rec.Naam = "Clubkampioenschap A";
    rec.DubbelRondig = DubbelRondig ? 1 : 0;
    auto g = std::make_unique<TGroep>(rec);
    int nr = 0;
    for (const TClubLid& l : ClubLeden) {
        ++nr;
        TSpRec r;
        InitSpRec(r);
        r.BergerNr = nr;
        r.Relnr = 7000000 + nr;
        r.Achternaam = l.Achternaam;
        r.Tussenvoegsel = l.Tussenvoegsel;
        r.Voornaam = l.Voornaam;
        r.Voorletters = std::string(1, l.Voornaam[0]) + ".";
        r.Ratings[rtKNSB] = l.Knsb;
        r.Ratings[rtFIDE] = l.Fide;
        r.GebJaar = l.GebJaar;
        r.Sexe = l.Sexe;
        g->AddSpeler(r, IntToZeroStr(nr, 3));
    }
    MakeBergerGames(*g);
    g->LinkSpelers();
    if (WithResults) {
        // Seen from the first draw number: mostly the stronger player wins.
        const int codes[] = {1, 3, 1, 2, 1, 6, 3, 2, 1, 1, 3, 1, 2, 8};
        int k = 0;
        for (int a = 1; a <= 8; ++a)
            for (int b = a + 1; b <= 8; ++b)
                EnterResult(*g, a, b, codes[k++ % 14]);
    }
    FillRondeRecs(*g);
    return g;
}

TCurGroepScope::TCurGroepScope(TGroep* Groep) : FPrevious(CurGroep), FPreviousRating(RatingType) {
    CurGroep = Groep;
    if (Groep) RatingType = Groep->Rec.RatingType;
}

TCurGroepScope::~TCurGroepScope() {
    CurGroep = FPrevious;
    RatingType = FPreviousRating;
}

int RunModal(TCustomForm& Form, const std::function<void()>& WhileShown) {
    TThread::StaticQueue([&Form, WhileShown] {
        WhileShown();
        if (Form.ModalResult() == mrNone) Form.Close();
    });
    // The loop sleeps until a message comes; this one wakes it for the queue.
    PostMessage(&Form, WM_NULL, 0, 0);
    return Form.ShowModal();
}

std::string SavePicture(TControl& Control, const std::string& Name) {
    TBitmap Picture;
    PaintControlTo(Control, Picture);
    const std::string File = ArtifactsDir() + "/" + Name;
    Picture.SaveToFile(File);
    return File;
}

std::vector<std::string> SplitCrLf(const std::string& Text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t p = Text.find("\r\n"); p != std::string::npos; p = Text.find("\r\n", start)) {
        lines.push_back(Text.substr(start, p - start));
        start = p + 2;
    }
    EXPECT_EQ(Text.size(), start) << "the last line ends with CR LF";
    return lines;
}

std::string Pad(const std::string& S, size_t N) {
    std::string r = S.substr(0, N);
    r.resize(N, ' ');
    return r;
}
