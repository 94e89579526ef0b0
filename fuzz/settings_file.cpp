// The program's settings file on any bytes: every key the main window reads from
// the "Last" section and the window sections, read through the ini-file object and
// taken through the checks the program applies before it uses a value. Nothing
// may fail, and every value used must lie within its bounds.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "model/dates.h"
#include "platform/rtl/dateutils.h"
#include "platform/rtl/inifiles.h"

namespace {

// One scratch file per process, removed when the run ends.
const std::string& TempFile() {
    struct TScratch {
        std::string Name = "/tmp/vz_fuzz_settings_" + std::to_string(getpid()) + ".ini";
        ~TScratch() { unlink(Name.c_str()); }
    };
    static const TScratch scratch;
    return scratch.Name;
}

// The window keys as the program applies them to a window on a 1920 x 1080 screen.
void ReadWindow(const TIniFile& Ini, const std::string& Section) {
    const int schermH = 1080, schermB = 1920;
    int top = 10, height = 400, width = 600;
    if (Ini.ReadInteger(Section, "WindowState", 0) != 0) return; // maximised
    const int t = Ini.ReadInteger(Section, "Top", top);
    if (t >= 0) top = t;
    const int h = Ini.ReadInteger(Section, "Height", height);
    if (h > 100 && h <= schermH) height = h;
    const int w = Ini.ReadInteger(Section, "Width", width);
    if (w > 100 && w <= schermB) width = w;
    if (top < 0 || height < 101 || height > schermH || width < 101 || width > schermB)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    {
        std::ofstream out(TempFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    }
    TIniFile ini(TempFile());
    const std::string last = "Last";
    for (const char* key :
         {"DataMap", "FileName", "JRatFileName", "KRatFileName", "NJRLedenFileName",
          "KnsbLedenFileName", "Plaats", "Arbiter", "Speeltempo"}) {
        const std::string v = ini.ReadString(last, key, "");
        // A value is one line of the file.
        if (v.size() > Size || v.find('\n') != std::string::npos) __builtin_trap();
    }
    // The first round's date: before 1904 (or unreadable) means today.
    TDateTime datum = StrToDatum(doJMD, ini.ReadString(last, "DateFirstRound", ""));
    if (!(datum >= EncodeDate(1904, 1, 1))) datum = Date();
    if (!std::isfinite(datum)) __builtin_trap();
    uint16_t y, m, d;
    DecodeDate(datum, y, m, d);

    const int radio = ini.ReadInteger(last, "RatingRadio", 0);
    const int combo = ini.ReadInteger(last, "KiesLijstCombo", 0);
    const int naam = ini.ReadInteger(last, "SpNaam", 0);
    const int mask = ini.ReadInteger(last, "StandSettings", 0);
    (void)radio, (void)combo, (void)naam, (void)mask;
    // The member panel's share: applied only when it rounds into 35..75, which
    // must be checked before rounding (a stored 1e300 rounds to nothing sane).
    const double splitter = ini.ReadFloat(last, "Splitter", 50);
    if (!std::isfinite(splitter)) __builtin_trap();
    if (splitter > -1e9 && splitter < 1e9) {
        const long pct = std::lround(splitter);
        if (pct >= 35 && pct <= 75) {
            const long breedte = std::lround(1000 * splitter * 0.01);
            if (breedte < 340 || breedte > 760) __builtin_trap();
        }
    }
    for (const char* section :
         {"MainForm", "UitslagForm", "StandForm", "SpInfoForm", "RaRapportForm"})
        ReadWindow(ini, section);
    return 0;
}
