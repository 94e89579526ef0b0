#include "model/objects.h"

#include "platform/rtl/sysutils.h"

void TGridId::AddId(uint8_t Id, const std::string& Kop, int Kolom) {
    Ids.push_back({Id, AnsiUpperCase(Kop), Kolom});
}

int TGridId::GetKolom(uint8_t Id) const {
    for (const TCellRec& c : Ids)
        if (c.Id == Id) return c.Kolom;
    return -1;
}
