// Writes (or with "-" as the value deletes) one registry key's value from a
// process of its own: dk_registry_writer <key> <name> <value>.

#include <string>

#include "platform/rtl/registry.h"

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    TRegistry Reg;
    if (std::string(argv[3]) == "-") return Reg.DeleteKey(argv[1]) ? 0 : 1;
    if (!Reg.OpenKey(argv[1], true)) return 1;
    Reg.WriteString(argv[2], argv[3]);
    return 0;
}
