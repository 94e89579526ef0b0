// Program entry. Until the windows stand, the program reports its version.
#include <cstdio>

#include "platform/rtl/sysutils.h"

int main() {
    const std::string caption =
        "ZV Vivazozodi versie: v" + FloatToStrF(0.7, ffFixed, 15, 2) + " (" + "2016-09-23" + ")";
    std::puts(Cp1252ToUtf8(caption).c_str());
    return 0;
}
