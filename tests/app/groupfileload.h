#pragma once
// Loads a group data file the way the main window does: every line into a row of a
// grid without fixed cells, with the delimiter the file's first byte gives (else
// the one the grid's loader finds), then the group read from the grid's cells.

#include <memory>
#include <string>

#include "model/groupfile.h"

class TExtStringGrid;
class TGroep;

std::unique_ptr<TGroep> LoadGroepFile(TExtStringGrid& Grid, const std::string& File,
                                      TGroepFileKolommen* K = nullptr);
