#include "model/textutils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/rating.h"
#include "platform/rtl/sysutils.h"

std::string PuntenToStr(double X) {
    std::string s = FloatToStrDec(X, 1);
    if (const int p = Pos(".0", s); p > 0) Delete(s, p, 2);
    if (s == "0.5") return "\xBD";
    if (const int p = Pos(".5", s); p > 0) {
        Delete(s, p, 2);
        s += "\xBD";
    }
    return s;
}

std::string RatingToStr(double R) {
    return IsValidRating(R) ? IntToStr(Round(R)) : "";
}

bool IsValidGebJaar(int Y) {
    return Y >= MinGebJaar && Y <= MaxGebJaar;
}

std::string GebJaarToStr(int Y) {
    return IsValidGebJaar(Y) ? IntToStr(Y) : "";
}

std::string WWeToStr(double X) {
    std::string s = FloatToStrDec(X, 3);
    if (X >= 0) s.insert(s.begin(), '+');
    return s;
}

std::string FloatToStrDec(double X, int Decimals) {
    return FloatToStrF(X, ffFixed, 15, std::clamp(Decimals, 0, 18));
}

namespace {

std::string ZeroPadded(std::string S, int Width) {
    if (static_cast<int>(S.size()) < Width) S.insert(0, static_cast<size_t>(Width) - S.size(), '0');
    return S;
}

} // namespace

std::string IntToZeroStr(int N, int Width) {
    return ZeroPadded(IntToStr(N), Width);
}

std::string IntToKey4(int N) {
    // Wide enough for the absolute value of the lowest int.
    return ZeroPadded(IntToStr(std::abs(int64_t{N})), 4);
}

int TrimStrToInt(const std::string& S) {
    int v;
    return TryStrToInt(Trim(S), v) ? v : 0;
}

double TrimStrToFloat(const std::string& S) {
    std::string t = Trim(S);
    // A lone comma is the Dutch decimal separator; read as a thousands
    // separator it would multiply the number.
    if (std::count(t.begin(), t.end(), ',') == 1 && t.find('.') == std::string::npos)
        t[t.find(',')] = '.';
    double v;
    if (!TryStrToFloat(t, v) || v < 0) return -1;
    return v;
}

int CountTabs(const std::string& S) {
    return static_cast<int>(std::count(S.begin(), S.end(), '\t'));
}

std::string CutTabField(std::string& Line) {
    const size_t p = Line.find('\t');
    if (p == std::string::npos) return "";
    std::string field = Trim(Line.substr(0, p));
    Line.erase(0, p + 1);
    return field;
}

int CutTabInt(std::string& Line) {
    return TrimStrToInt(CutTabField(Line));
}

TRegelMaten MeetRegels(std::string_view Text, char Delimiter) {
    TRegelMaten m;
    size_t lengte = 0, velden = 1;
    bool gevuld = false;
    const auto sluit = [&] {
        m.LangsteRegel = std::max(m.LangsteRegel, lengte);
        m.MeesteVelden = std::max(m.MeesteVelden, velden);
        if (gevuld) ++m.GevuldeRegels;
        lengte = 0;
        velden = 1;
        gevuld = false;
    };
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            sluit();
            continue;
        }
        ++lengte;
        if (c == Delimiter)
            ++velden;
        else if (c != ' ' && c != '\t')
            gevuld = true;
    }
    if (lengte > 0) sluit();
    return m;
}

std::string RegelMatenFout(const TRegelMaten& Maten, const TRegelGrenzen& Grenzen,
                           const std::string& Bestand, const std::string& Soort) {
    const auto getal = [](size_t N) {
        return IntToStr(static_cast<int>(std::min<size_t>(N, 2000000000)));
    };
    const auto boven = [](size_t Maat, size_t Grens) { return Grens > 0 && Maat > Grens; };
    if (boven(Maten.LangsteRegel, Grenzen.Lengte))
        return Bestand + " heeft een regel van " + getal(Maten.LangsteRegel) +
               " tekens; een regel van " + Soort + " heeft er hoogstens " + getal(Grenzen.Lengte) +
               ".";
    if (boven(Maten.MeesteVelden, Grenzen.Velden))
        return Bestand + " heeft een regel met " + getal(Maten.MeesteVelden) + " kolommen; " +
               Soort + " heeft er hoogstens " + getal(Grenzen.Velden) + ".";
    if (boven(Maten.GevuldeRegels, Grenzen.Regels))
        return Bestand + " heeft " + getal(Maten.GevuldeRegels) + " regels; " + Soort +
               " heeft er hoogstens " + getal(Grenzen.Regels) + ".";
    return "";
}
