#pragma once
// Where an edit's text stands between its margins: left (the usual), right
// (numbers) or centred. The native edit keeps the setting through every
// change of its text.

#include "platform/vcl/stdctrls.h"

void SetEditAlignment(TCustomEdit& Edit, TAlignment Value);
TAlignment EditAlignment(const TCustomEdit& Edit);
