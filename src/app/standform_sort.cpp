// Ranking of the standings window and the series points typed into it.

#include "app/standform.h"
#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "model/group.h"
#include "model/ranking.h"
#include "model/stand.h"
#include "model/textutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/listctrls.h"

void TStandForm::SortStand() {
    TGroep* groep = CurGroep;
    if (!FStandList) FStandList = std::make_unique<TSpList>();
    FStandList->Clear();
    if (!groep) return;
    const std::vector<TSp*> stand = RankGroep(*groep, FLastRound);
    for (TSp* sp : stand) {
        if (sp->GetRating() >= 5) FHasRatings = true;
        FStandList->AddObject("", sp);
    }
    CalcGroepZVPoints(*groep, stand, FLastRound);

    // Without ratings the rating columns cannot be chosen.
    if (!FHasRatings)
        for (int i = StandItem::Rating; i <= StandItem::WWe; ++i)
            if (CheckBox->Checked(i)) CheckBox->SetItemEnabled(i, false);
}

void TStandForm::StoreZVPoints() {
    if (FZVKolom < 0 || !FGevuld) return;
    for (int r = 1; r < StandGrid->RowCount(); ++r) {
        TSp* sp = StandRowSpeler(*StandGrid, r);
        if (!sp || !sp->IsNotVrij()) continue;
        const double value = TrimStrToFloat(StandGrid->Cells(FZVKolom, r));
        sp->Rec.ZVPunten = value > 0 ? value : 0;
    }
}
