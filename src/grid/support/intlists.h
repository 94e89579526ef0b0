#pragma once
// Integer lists of the grid (selected rows and columns, sort columns) that tell
// their owner of changes, with the two numbers given at creation.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"

using TIntListChangeEvent = std::function<void(TObject* Sender, int Param1, int Param2)>;

class TIntList : public TObject {
public:
    TIntList(int Param1, int Param2) : FParam1(Param1), FParam2(Param2) {}
    std::string ClassName() const override { return "TIntList"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    int Items(int Index) const;
    void SetItems(int Index, int Value); // fires OnChange
    int Add(int Value);                  // fires OnChange
    void Delete(int Index);              // fires OnChange
    void Insert(int Index, int Value);   // silent
    void Clear() { FItems.clear(); }
    int IndexOf(int Value) const;

    // Decimal numbers joined by ','; empty for an empty list.
    std::string CommaText() const;
    // Every number is read first: on a text that is not a list of integers
    // (EConvertError) the list is left as it was. Then the list is cleared and
    // each number added, firing OnChange per number.
    void SetCommaText(const std::string& Value);

    TIntListChangeEvent OnChange;

protected:
    void Changed();

private:
    void CheckIndex(int Index) const;
    std::vector<int> FItems;
    int FParam1;
    int FParam2;
};

// Sort columns: the low 31 bits of an entry are the column, bit 31 set is the
// second (descending) direction.
class TSortIndexList : public TIntList {
public:
    TSortIndexList(int Param1, int Param2) : TIntList(Param1, Param2) {}
    std::string ClassName() const override { return "TSortIndexList"; }

    static constexpr uint32_t DirectionBit = 0x80000000u;

    void AddIndex(int Column, bool Ascending);
    int FindIndex(int Column) const; // position, -1 when absent
    void ToggleIndex(int Column);    // nothing when absent
    int SortColumn(int Position) const;
    bool SortAscending(int Position) const;
};
