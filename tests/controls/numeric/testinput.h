#pragma once
// Input and pictures for the controls' tests.

#include <string>

#include "platform/vcl/synthinput.h"

// Where pictures made by tests go: $VZ_ARTIFACTS, else the build's artifacts folder.
std::string ArtifactsDir();
