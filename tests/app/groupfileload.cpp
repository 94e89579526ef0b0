#include "groupfileload.h"

#include "grid/extgrid.h"
#include "model/group.h"
#include "platform/rtl/files.h"

std::unique_ptr<TGroep> LoadGroepFile(TExtStringGrid& Grid, const std::string& File,
                                      TGroepFileKolommen* K) {
    Grid.SetColCount(1);
    Grid.SetRowCount(1);
    Grid.SetFixedRows(0);
    Grid.SetFixedCols(0);
    Grid.Delimiter = GroepFileDelimiter(ReadFileBytes(File));
    Grid.LoadFromCSV(File);
    Grid.Delimiter = '\0';
    TGroepFileRows rows(static_cast<size_t>(Grid.RowCount()));
    for (int r = 0; r < Grid.RowCount(); ++r)
        for (int c = 0; c < Grid.ColCount(); ++c)
            rows[static_cast<size_t>(r)].push_back(Grid.Cells(c, r));
    auto g = std::make_unique<TGroep>();
    const TGroepFileKolommen k = ReadGroepFromRows(*g, File, rows, 0);
    if (K) *K = k;
    return g;
}
