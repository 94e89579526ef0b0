#pragma once
// Small objects that windows keep with list lines, grid cells and tree nodes.

#include <cstdint>
#include <string>
#include <vector>

#include "model/codes.h"
#include "platform/rtl/classes.h"

class TGame;

// A line of the sort-criteria check list.
class TStandSortObj : public TObject {
public:
    explicit TStandSortObj(TSortId ASortId) : SortId(ASortId) {}
    TSortId SortId;
};

// A result cell of the crosstable; Game is not owned.
class TGameCell : public TObject {
public:
    TGameCell(TGame* AGame, int AGameId, int ACol, int ARow, TKleur AKleur)
        : GameId(AGameId), Kleur(AKleur), Col(ACol), Row(ARow), Game(AGame) {}
    int32_t GameId;
    TKleur Kleur;
    int32_t Col;
    int32_t Row;
    TGame* Game;
};

struct TCellRec {
    uint8_t Id = 0;
    std::string Kop; // upper-cased
    int32_t Kolom = -1;
};

// Maps field ids to the grid columns of a list layout.
class TGridId : public TObject {
public:
    std::vector<TCellRec> Ids;
    void AddId(uint8_t Id, const std::string& Kop, int Kolom);
    void Clear() { Ids.clear(); }
    // Column of the first entry with that id, -1 when none.
    int GetKolom(uint8_t Id) const;
    void FreeAll() { Ids.clear(); }
};

// A file node of a list tree.
class TFileTreeView : public TObject {
public:
    explicit TFileTreeView(const std::string& AFileName) : FileName(AFileName) {}
    std::string FileName;
};

// A line of the result-code list.
class TIntegerObj : public TObject {
public:
    explicit TIntegerObj(int32_t AValue) : Value(AValue) {}
    int32_t Value;
};
