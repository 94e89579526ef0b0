// Makes the example archive "Voorbeeld.zip" that a first start offers to unpack.
//
//   vz_make_examples <archive path>
#include <cstdio>
#include <exception>

#include "app/examples.h"
#include "platform/rtl/files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "gebruik: %s <pad van Voorbeeld.zip>\n", argv[0]);
        return 2;
    }
    try {
        const std::string zip = ExpandFileName(ProgramName(argv[1]));
        for (const std::string& naam : MakeVoorbeeldZip(zip, ExtractFileDir(zip)))
            std::printf("%s\n", DiskName(naam).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
