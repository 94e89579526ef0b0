#pragma once
// Input and pictures for the controls' tests.

#include "platform/vcl/synthinput.h"
#include "vz_test_support.h"
