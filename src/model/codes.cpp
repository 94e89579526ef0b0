#include "model/codes.h"

#include "platform/rtl/sysutils.h"

std::string UitslagToStr(TUitslagCode U) {
    switch (U & 0x7F) {
    case ucWinst:
        return "1";
    case ucRemise:
        return HalfStr;
    case ucVerlies:
        return "0";
    case ucReglWinst:
        return "1r";
    case ucReglRemise:
        return std::string(HalfStr) + "r";
    case ucReglVerlies:
        return "0r";
    default:
        return " ";
    }
}

double UitslagToScore(TUitslagCode U) {
    switch (U) {
    case ucWinst:
    case ucReglWinst:
        return 1.0;
    case ucRemise:
    case ucReglRemise:
        return 0.5;
    default:
        return 0.0;
    }
}

double GetWPSBScore(TUitslagCode U) {
    switch (U) {
    case ucWinst:
    case ucRemise:
    case ucVerlies:
        return UitslagToScore(U);
    case ucReglWinst:
    case ucReglRemise:
    case ucReglVerlies:
        return 0.5;
    default:
        return 0.0;
    }
}

std::string InvoerCodeToStr(TInvoerCode I) {
    static const char* const texts[MaxInvoerCode + 1] = {
        "..-..",     "1-0",       "0-1",       "\xBD-\xBD",      "0-0",
        "0-0 Regl.", "1-0 Regl.", "0-1 Regl.", "\xBD-\xBD Regl."};
    return I <= MaxInvoerCode ? texts[I] : "";
}

std::string InvoerToUitslagStr(TInvoerCode I) {
    switch (I) {
    case 1:
        return "1";
    case 2:
    case 4:
        return "0";
    case 3:
        return HalfStr;
    case 5:
    case 7:
        return "0r";
    case 6:
        return "1r";
    case 8:
        return std::string(HalfStr) + "r";
    default:
        return "";
    }
}

TUitslagCode StrToUitslag(const std::string& S) {
    const std::string t = Trim(S);
    if (t.empty()) return ucGeen;
    TUitslagCode u = ucGeen;
    if (Pos(HalfStr, t) > 0)
        u = ucRemise;
    else if (Pos("1", t) > 0)
        u = ucWinst;
    else if (Pos("0", t) > 0)
        u = ucVerlies;
    if (u != ucGeen && Pos("r", t) > 0) u = static_cast<TUitslagCode>(u + 3);
    return u;
}

TKleur GetOtherKleur(TKleur K) {
    if (K == kWit) return kZwart;
    if (K == kZwart) return kWit;
    return kGeen;
}

std::string RatingTypeToStr(TRatingType R) {
    static const char* const names[RatingTypeCount] = {"KNSB", "Jeugd", "FIDE", "NJR"};
    return R < RatingTypeCount ? names[R] : "";
}

std::string SortIdToStr(TSortId Id) {
    static const char* const names[] = {"Onderling resultaat", "WP",  "SB", "W-We",
                                        "Lootnummer",          "Geen"};
    return Id <= siGeen ? names[Id] : "";
}

std::string SortIdToCode(TSortId Id) {
    static const char* const codes[] = {"OR", "WP", "SB", "WW", "LT", "NO"};
    return Id <= siGeen ? codes[Id] : "";
}

std::vector<TSortId> SortCriteria(const TMyStSortAr& SortAr) {
    std::vector<TSortId> ids;
    for (const TMyStSortItem& item : SortAr)
        if (item.Aan && item.SortId < siGeen) ids.push_back(item.SortId);
    return ids;
}

std::string SortArToStr(const TMyStSortAr& SortAr) {
    static const char* const labels[] = {"OR (Onderling Resultaat)", "WP", "SB", "W-We", "Lootnr."};
    std::string s = "Gesorteerd op: ";
    for (const TMyStSortItem& item : SortAr) {
        if (!item.Aan) continue;
        s += item.SortId < siGeen ? labels[item.SortId] : "?";
        s += "; ";
    }
    return s;
}
