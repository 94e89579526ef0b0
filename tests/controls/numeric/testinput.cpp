#include "testinput.h"

#include <cstdlib>

std::string ArtifactsDir() {
    const char* dir = std::getenv("VZ_ARTIFACTS");
    return dir && *dir ? dir : VZ_ARTIFACTS_DIR;
}
