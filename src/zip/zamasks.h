#pragma once
// Wildcard masks over stored names, item selection and the names under which
// files are stored.

#include <cstdint>
#include <string>

#include "zatypes.h"

class TStrings;

// Compares at most N characters in the collation of the user's locale
// (zalocale.h).
int ZACompareStrN(const std::string& A, const std::string& B, size_t N, bool IgnoreCase);
// '*' any run, '?' one character; "*.*" matches everything.
bool ZAMatchesMask(const std::string& Name, const std::string& Mask, bool IgnoreCase = true);
// The engine's mask test: "*.*" means "*", a mask ending in '.' wants a name
// without extension.
bool ZAMaskTest(std::string Name, const std::string& Mask);

// What a search looks for, and the item it goes on from.
struct TInternalSearchRec {
    int32_t Index = 0;
    std::string Mask; // '/' separators
    bool Wildcards = false;
    int32_t SearchAttr = 0;
    std::string ExclusionMask;
    bool UseMaskLists = false; // the component's FileMasks and ExclusionMasks instead
};

// An item a search found, with the search record that goes on after it.
struct TZAArchiveItem {
    int32_t ItemIndex = -1;
    std::string FileName; // as stored
    TInternalSearchRec FindData;
};

// Whether the item passes the single-mask search (folder rule, mask, attributes).
bool ZAItemMatches(const TDirItem& Item, const TInternalSearchRec& Sel, bool Recurse);
// Whether the item passes the list form: any of FileMasks, none of ExclusionMasks.
bool ZAItemMatchesLists(const TDirItem& Item, const TStrings& FileMasks,
                        const TStrings& ExclusionMasks);
// Prepares the search record for a mask given by the caller.
TInternalSearchRec ZAMakeSelection(const std::string& FileMask, int32_t SearchAttr,
                                   const std::string& ExclusionMask, TZAStorePathMode StorePath);
// Finds the next item from F.FindData.Index on (the list form by FileMasks
// and ExclusionMasks when the record asks for it); false when none is left.
bool ZAFindNext(const TZADirArray& Items, TZAArchiveItem& F, const TStrings& FileMasks,
                const TStrings& ExclusionMasks, bool Recurse);

// The stored name of FileName by Mode, relative to BaseDir where the mode asks.
std::string ZAStoredName(const std::string& FileName, const std::string& BaseDir,
                         TZAStorePathMode Mode);

// A stored name made safe to place under a base folder: '\' as '/', a drive
// and leading separators dropped (the name is confined, not refused), "."
// and empty parts dropped. False when a part is ".." or holds a NUL.
// EmptyFolder tells whether an empty part stood inside the name ("a//b").
bool ZAConfineName(const std::string& Name, std::string& Out, bool* EmptyFolder = nullptr);
