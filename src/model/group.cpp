#include "model/group.h"

#include <memory>
#include <unordered_map>

#include "platform/rtl/sysutils.h"

TGroep* CurGroep = nullptr;
TRatingType RatingType = rtKNSB;
std::string DataMap;

namespace {

bool IsVrijIn(const TGameRec& Game, const TBergerNrIndex& Spelers) {
    for (const TGameSlot& s : Game.Slots) {
        const TSp* sp = Spelers.Find(s.BergerNr);
        if (!sp || !sp->IsNotVrij()) return true;
    }
    return false;
}

// The choices of the players page that the group file keeps (of the tie-breaks
// the switched-on ones in their order): a director who changed only these must
// still be asked to save them. The tournament's facts are typed in the rating
// report, which marks the group modified itself.
bool SameFileSettings(const TGroepRec& A, const TGroepRec& B) {
    return SortCriteria(A.SortAr) == SortCriteria(B.SortAr) && A.MyUseZVPoints == B.MyUseZVPoints &&
           A.DubbelRondig == B.DubbelRondig;
}

} // namespace

TGroep::TGroep(const TGroepRec& ARec) : Rec(ARec) {
    Spelers.OwnsObjects = true;
    Games.OwnsObjects = true;
}

TSp* TGroep::AddSpeler(const TSpRec& SpRec, const std::string& Key) {
    auto sp = std::make_unique<TSp>(SpRec);
    Spelers.AddObject(Key, sp.get());
    return sp.release();
}

TGame* TGroep::AddGame(const TGameRec& GameRec, const std::string& Key) {
    auto game = std::make_unique<TGame>(GameRec);
    Games.AddObject(Key, game.get());
    return game.release();
}

void TGroep::SetUitslag(TGame& Game, TInvoerCode InvoerCode, TKleur Kleur) {
    Game.SetUitslag(InvoerCode, Kleur);
    // By draw number: a side need not be linked yet.
    for (const TGameSlot& s : Game.Rec.Slots)
        if (TSp* sp = Spelers.GetSpelerOnBergerNr(s.BergerNr))
            sp->SetUitslag(Game.Rec.Ronde, s.Uitslag);
}

bool TGroep::IsVrijGame(const TGame& Game) const {
    return IsVrijIn(Game.Rec, TBergerNrIndex(Spelers));
}

int TGroep::GetNrEmptyGames() const {
    const TBergerNrIndex spelers(Spelers);
    int n = 0;
    for (int i = 0; i < Games.Count(); ++i) {
        const TGameRec& g = Games.Game(i)->Rec;
        if (!IsVrijIn(g, spelers) && (g.Slots[0].Uitslag == ucGeen || g.Slots[1].Uitslag == ucGeen))
            ++n;
    }
    return n;
}

void TGroep::Clear() {
    FreeAll();
    Rec.GroepNr = 0;
}

void TGroep::FreeAll() {
    Games.Clear();
    Spelers.Clear();
}

void TGroep::AddSortItem(TSortId SortId, bool On) {
    Rec.SortAr.push_back({SortId, static_cast<uint8_t>(On ? 1 : 0)});
}

void TGroep::SetSortItem(TSortId SortId, bool On) {
    for (TMyStSortItem& item : Rec.SortAr)
        if (item.SortId == SortId) item.Aan = On ? 1 : 0;
}

void TGroep::LinkSpelers() {
    const int last = Games.GetLastRoundNr();
    const TBergerNrIndex spelers(Spelers);
    for (int i = 0; i < Games.Count(); ++i) {
        TGameRec& g = Games.Game(i)->Rec;
        g.EersteHelft = EersteHelftOf(g.Ronde, last, Rec.DubbelRondig != 0);
        for (TGameSlot& s : g.Slots) {
            s.Sp = spelers.Find(s.BergerNr);
            if (s.Sp) s.Relnr = s.Sp->Rec.Relnr;
        }
    }
}

bool TGroep::IsEmpty() const {
    return Trim(Rec.Naam).empty() && Games.Count() == 0;
}

std::string TGroep::GetInfoStr() const {
    std::string s =
        IntToStr(Spelers.Count()) + " spelers; " + IntToStr(Games.Count()) + " partijen;";
    if (Rec.DubbelRondig) s += " (Dubbelrondig);";
    if (Spelers.HasRatings()) s += " " + RatingTypeToStr(RatingType) + " rating";
    return s;
}

bool TGroep::SwapBergerNrs(int N, int Stap) {
    Spelers.SorteerOpBergerNr();
    const int other = N - Stap;
    if (!Spelers.GetSpelerOnBergerNr(N) || !Spelers.GetSpelerOnBergerNr(other)) return false;
    Spelers.SwapBergerNrs(N, other);
    Games.SwapBergerNrs(N, other);
    Spelers.SorteerOpBergerNr();
    return true;
}

void CopyGroep(const TGroep& Src, TGroep& Dst) {
    if (&Src == &Dst) return;
    Dst.Clear();
    Dst.Rec = Src.Rec;
    std::unordered_map<const TSp*, TSp*> copyOf;
    for (int i = 0; i < Src.Spelers.Count(); ++i) {
        const TSp* sp = Src.Spelers.Sp(i);
        TSp* copy = Dst.AddSpeler(sp->Rec);
        copy->Rondes = sp->Rondes;
        copyOf[sp] = copy;
    }
    // References into the source's players would dangle once the source is cleared.
    auto remap = [&copyOf](TSp* sp) -> TSp* {
        if (!sp) return nullptr;
        const auto it = copyOf.find(sp);
        return it == copyOf.end() ? nullptr : it->second;
    };
    for (int i = 0; i < Src.Games.Count(); ++i) {
        TGame* copy = Dst.AddGame(Src.Games.Game(i)->Rec);
        for (TGameSlot& s : copy->Rec.Slots)
            s.Sp = remap(s.Sp);
    }
    for (TKolomRec& k : Dst.Rec.Kolommen)
        k.Sp = remap(k.Sp);
}

bool GroepIsSame(const TGroep& A, const TGroep& B, std::string& Msg) {
    Msg.clear();
    if (A.Spelers.Count() != B.Spelers.Count() || A.Rec.GroepNr != B.Rec.GroepNr ||
        A.Rec.Naam != B.Rec.Naam || A.Rec.RatingType != B.Rec.RatingType ||
        A.Rec.DatumEersteRonde != B.Rec.DatumEersteRonde || !SameFileSettings(A.Rec, B.Rec)) {
        Msg = "- Groep gegevens";
        return false;
    }
    if (!A.Spelers.IsSame(B.Spelers)) {
        Msg = "- Spelers";
        return false;
    }
    if (!A.Games.IsSame(B.Games)) {
        Msg = "- Partijen";
        return false;
    }
    return true;
}
