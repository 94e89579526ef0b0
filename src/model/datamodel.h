#pragma once
// The whole tournament model in one include.

#include "model/berger.h"
#include "model/codes.h"
#include "model/dates.h"
#include "model/fileutils.h"
#include "model/game.h"
#include "model/group.h"
#include "model/groupfile.h"
#include "model/names.h"
#include "model/objects.h"
#include "model/player.h"
#include "model/rating.h"
#include "model/records.h"
#include "model/stand.h"
#include "model/textutils.h"
