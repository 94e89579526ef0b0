#include "model/records.h"

void InitSpRec(TSpRec& Rec) {
    Rec = TSpRec{};
}

void InitRondeRec(TRondeRec& Rec) {
    Rec = TRondeRec{};
}

void InitGameRec(TGameRec& Rec) {
    Rec = TGameRec{};
}

void InitGroepRec(TGroepRec& Rec, bool All) {
    Rec.GroepNr = 0;
    if (!All) return;
    Rec.Naam.clear();
    ClearToernooiInfo(Rec);
    Rec.FileName.clear();
    Rec.DatumEersteRonde = 0;
    Rec.OrKolom = 0;
    Rec.HasOnderling = 0;
    Rec.MyUseZVPoints = 1;
    Rec.RatingType = rtKNSB;
    Rec.DubbelRondig = 0;
    Rec.NaamMode = nmVoornaamEerst;
    Rec.Kolommen.clear();
    Rec.SortAr.clear();
    Rec.KolomNrAr.fill(TKolomNr{});
}

void ClearToernooiInfo(TGroepRec& Rec) {
    Rec.Plaats.clear();
    Rec.Arbiter.clear();
    Rec.Speeltempo.clear();
    Rec.ToernooiType.clear();
}

bool HasToernooiInfo(const TGroepRec& Rec) {
    return !Rec.Plaats.empty() || !Rec.Arbiter.empty() || !Rec.Speeltempo.empty() ||
           !Rec.ToernooiType.empty();
}
