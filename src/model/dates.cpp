#include "model/dates.h"

#include "model/textutils.h"
#include "platform/rtl/sysutils.h"

TDateTime EncodeValidDate(int D, int M, int Y) {
    if (Y < 1904 || Y > 2098 || M < 1 || M > 12 || D < 1 || D > DaysInAMonth(Y, M)) return 0;
    return EncodeDate(Y, M, D);
}

TDateTime CheckDatum(TDateTime Datum) {
    if (Datum < EncodeDate(2000, 1, 1)) return 0;
    uint16_t y, m, d;
    DecodeDate(Datum, y, m, d);
    return EncodeValidDate(d, m, y);
}

TDateTime StrToDatum(int Order, const std::string& S) {
    std::string line = Trim(S);
    for (char& c : line)
        if (c == '-' || c == '.' || c == '/') c = '\t';
    line += '\t';
    const int a = CutTabInt(line);
    const int b = CutTabInt(line);
    const int c = CutTabInt(line);
    switch (Order) {
    case doJMD:
        return EncodeValidDate(c, b, a);
    case doDMJ:
        return EncodeValidDate(a, b, c);
    case doMDJ:
        return EncodeValidDate(b, a, c);
    default:
        return 0;
    }
}
