#pragma once
// What the shared test entry gives every test program.

#include <string>

// The folder where tests save the pictures they render, for anyone to look at.
std::string ArtifactsDir();
