#include "model/berger.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "model/group.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

std::string TMyBergerObj::GetPairingStr() const {
    return IntToStr(Wit) + "-" + IntToStr(Zwart);
}

TMyBergerList::TMyBergerList() {
    OwnsObjects = true;
    SetCaseSensitive(true);
}

void TMyBergerList::AddPairing(int Ronde, int Wit, int Zwart, const std::string& Key) {
    auto p = std::make_unique<TMyBergerObj>(Ronde, Wit, Zwart);
    AddObject(Key, p.get());
    p.release();
}

void TMyBergerList::SetAantalSpelers(int N) {
    AantalSpelers = N;
    MakeBergerTable();
}

void TMyBergerList::MakeBergerTable() {
    Clear();
    if (AantalSpelers < 0) AantalSpelers = 0;
    // An odd count gets an extra draw number without player: its partner sits out.
    if (AantalSpelers % 2 != 0) ++AantalSpelers;
    const int n = AantalSpelers;
    const int h = n / 2;
    for (int i = 1; i <= h; ++i)
        AddPairing(1, i, n + 1 - i, "1");
    struct Pair {
        int w, z;
    };
    std::vector<Pair> prev(static_cast<size_t>(h));
    for (int i = 0; i < h; ++i)
        prev[static_cast<size_t>(i)] = {i + 1, n - i};
    for (int r = 2; r <= n - 1; ++r) {
        const bool even = r % 2 == 0;
        const auto P = [&prev](int j) { return prev[static_cast<size_t>(j)]; };
        std::vector<Pair> next;
        next.reserve(static_cast<size_t>(h));
        for (int k = 1; k <= h; ++k) {
            Pair p;
            if (k == 1) {
                p = even ? Pair{P(0).z, P(h - 1).z} : Pair{P(h - 1).z, P(0).w};
            } else if (k == h && even) {
                p = {P(0).w, P(1).w};
            } else {
                const int j = h - k;
                p = {P(j).z, P(j + 1).w};
            }
            next.push_back(p);
            AddPairing(r, p.w, p.z, IntToStr(r));
        }
        prev.swap(next);
    }
}

int TMyBergerList::GetLastRoundNr() const {
    int last = 0;
    for (int i = 0; i < Count(); ++i)
        last = std::max(last, Pairing(i)->Ronde);
    return last;
}

TKleur TMyBergerList::GetKleur(int N, int Ronde) const {
    for (int i = 0; i < Count(); ++i) {
        const TMyBergerObj* p = Pairing(i);
        if (p->Ronde != Ronde) continue;
        if (p->Wit == N) return kWit;
        if (p->Zwart == N) return kZwart;
    }
    return kGeen;
}

void TMyBergerList::DraaiRonden(int Stap) {
    const int last = GetLastRoundNr();
    if (last < 1) return;
    for (int i = 0; i < Count(); ++i) {
        TMyBergerObj* p = Pairing(i);
        // Wrap into 1..last whatever the step, so that no round number leaves the table.
        p->Ronde = ((p->Ronde - 1 - Stap) % last + last) % last + 1;
        Put(i, IntToKey4(p->Ronde) + IntToKey4(i));
    }
    Sort();
}

void TMyBergerList::WisselRonden(int A, int B) {
    for (int i = 0; i < Count(); ++i) {
        TMyBergerObj* p = Pairing(i);
        if (p->Ronde == A)
            p->Ronde = B;
        else if (p->Ronde == B)
            p->Ronde = A;
        Put(i, IntToZeroStr(p->Ronde, 6));
    }
    Sort();
}

void TMyBergerList::MakeDubbelRondig() {
    const int last = GetLastRoundNr();
    const int n = Count();
    int nieuw = last;
    for (int i = 0; i < n; ++i) {
        const TMyBergerObj* p = Pairing(i);
        if (i == 0 || p->Ronde != Pairing(i - 1)->Ronde) ++nieuw;
        AddPairing(nieuw, p->Zwart, p->Wit, IntToStr(nieuw));
    }
}

void TMyBergerList::MakeLines() {
    Lines.Clear();
    std::string line;
    for (int i = 0; i < Count(); ++i) {
        const TMyBergerObj* p = Pairing(i);
        if (i == 0 || p->Ronde != Pairing(i - 1)->Ronde) {
            if (i > 0) Lines.Add(line);
            line.assign(1, 'r');
            line += IntToStr(p->Ronde);
            line += '\t';
        }
        line += p->GetPairingStr() + "\t";
    }
    if (Count() > 0) Lines.Add(line);
}

void TMyBergerList::FreeAll() {
    Clear();
    Lines.Clear();
}

void MakeBergerGames(TGroep& Groep) {
    Groep.Games.Clear();
    TMyBergerList tabel;
    tabel.SetAantalSpelers(Groep.Spelers.Count());
    if (Groep.Rec.DubbelRondig) tabel.MakeDubbelRondig();
    const TBergerNrIndex spelers(Groep.Spelers);
    for (int k = 0; k < tabel.Count(); ++k) {
        const TMyBergerObj* p = tabel.Pairing(k);
        TGameRec rec;
        InitGameRec(rec);
        rec.GameId = Groep.Games.Count() + 100;
        rec.Ronde = p->Ronde;
        rec.Datum = Groep.Rec.DatumEersteRonde;
        rec.Slots[0].BergerNr = p->Wit;
        rec.Slots[1].BergerNr = p->Zwart;
        for (TGameSlot& s : rec.Slots)
            if (const TSp* sp = spelers.Find(s.BergerNr)) s.Relnr = sp->Rec.Relnr;
        Groep.AddGame(rec, IntToZeroStr(p->Ronde * 1000 + k, 6));
    }
    Groep.Games.Sort();
}
