#pragma once
// Loads a group data file the way the main window does: every line into a row of a
// grid without fixed cells (the delimiter found by the grid's loader), then the
// group read from the grid's cells.

#include <memory>
#include <string>

#include "model/groupfile.h"

class TExtStringGrid;
class TGroep;

std::unique_ptr<TGroep> LoadGroepFile(TExtStringGrid& Grid, const std::string& File,
                                      TGroepFileKolommen* K = nullptr);
