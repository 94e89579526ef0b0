#include "zamasks.h"

#include <algorithm>

#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "zalocale.h"

int ZACompareStrN(const std::string& A, const std::string& B, size_t N, bool IgnoreCase) {
    return ZACompareStrN(A, B, N, IgnoreCase, ZALocaleTables());
}

namespace {

using TChars = std::vector<TZAChar>;

bool SameChar(TZAChar a, TZAChar b, bool IgnoreCase, const TZALocaleTables& t) {
    return a == b || (IgnoreCase && ZAUpperChar(a, t) == ZAUpperChar(b, t));
}

// Walks name and mask character by character ('?' takes one character,
// also one held escaped in the name).
bool MatchFrom(const TChars& n, size_t i, const TChars& m, size_t j, bool ic,
               const TZALocaleTables& t) {
    for (;;) {
        if (j + 1 == m.size() && m[j] == '*') return true;
        if (i >= n.size()) return j >= m.size();
        if (j >= m.size()) return false;
        if (m[j] == '*') {
            // Each start from here up to the last character (not past it).
            for (size_t k = i; k < n.size(); ++k)
                if (MatchFrom(n, k, m, j + 1, ic, t)) return true;
            return false;
        }
        if (m[j] != '?' && !SameChar(m[j], n[i], ic, t)) return false;
        ++i;
        ++j;
    }
}

std::string ToBackslash(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

std::string FolderOf(const std::string& path) {
    const size_t p = path.find_last_of("/\\");
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

std::string FilePart(const std::string& path) {
    const size_t p = path.find_last_of("/\\");
    return p == std::string::npos ? path : path.substr(p + 1);
}

bool HasDrive(const std::string& s) {
    return s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
}

} // namespace

bool ZAMatchesMask(const std::string& Name, const std::string& Mask, bool IgnoreCase) {
    if (Mask == "*.*") return true;
    // A name ending before a lone '*' fails: "*" needs at least nothing after a
    // character; an empty name matches only an empty mask or "*".
    return MatchFrom(ZANameChars(Name), 0, ZANameChars(Mask), 0, IgnoreCase, ZALocaleTables());
}

bool ZAMaskTest(std::string Name, const std::string& MaskIn) {
    if (MaskIn.empty()) return false;
    std::string mask = MaskIn;
    if (const size_t p = mask.find("*.*"); p != std::string::npos) mask.replace(p, 3, "*");
    const bool wantsNoExt = !MaskIn.empty() && MaskIn.back() == '.';
    if (!mask.empty() && mask.back() == '.') mask.pop_back();
    if (!Name.empty() && Name.back() == '.') Name.pop_back();
    if (!ZAMatchesMask(Name, mask, true)) return false;
    if (!wantsNoExt) return true;
    const std::string ext = ExtractFileExt(FilePart(Name));
    return ext.empty() || ext == ".";
}

TInternalSearchRec ZAMakeSelection(const std::string& FileMask, int32_t SearchAttr,
                                   const std::string& ExclusionMask, TZAStorePathMode StorePath) {
    TInternalSearchRec s;
    std::string m = FileMask;
    if (StorePath != spFullPathWithDrive && HasDrive(m)) m.erase(0, 2);
    std::replace(m.begin(), m.end(), '\\', '/');
    s.Mask = m;
    s.Wildcards = m.find_first_of("*?") != std::string::npos;
    s.SearchAttr = SearchAttr;
    s.ExclusionMask = ExclusionMask;
    return s;
}

bool ZAItemMatches(const TDirItem& Item, const TInternalSearchRec& Sel, bool Recurse) {
    std::string name = Item.Name;
    if (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.pop_back();
    if (!Recurse) {
        const std::string itemDir = AnsiLowerCase(ToBackslash(FolderOf(name)));
        const std::string maskDir = AnsiLowerCase(ToBackslash(FolderOf(Sel.Mask)));
        if (itemDir != maskDir) return false;
    }
    // The whole name, or failing that its file-name part, against the whole
    // mask: a mask with a folder ("sub/*.txt") never takes items of other folders.
    const std::string mask = ToBackslash(Sel.Mask);
    bool ok = ZAMaskTest(ToBackslash(name), mask) || ZAMaskTest(FilePart(name), mask);
    if (ok && !Sel.ExclusionMask.empty())
        ok = !(ZAMaskTest(ToBackslash(name), ToBackslash(Sel.ExclusionMask)) ||
               ZAMaskTest(FilePart(name), Sel.ExclusionMask));
    const uint32_t attr = Item.Header.ExternalAttributes & 0xFF;
    return ok && (attr & ~static_cast<uint32_t>(Sel.SearchAttr) & ZASearchedAttrBits) == 0;
}

bool ZAItemMatchesLists(const TDirItem& Item, const TStrings& FileMasks,
                        const TStrings& ExclusionMasks) {
    const std::string name = ToBackslash(Item.Name);
    bool taken = false;
    for (int i = 0; i < FileMasks.Count() && !taken; ++i)
        taken = ZAMaskTest(name, ToBackslash(FileMasks[i]));
    for (int i = 0; i < ExclusionMasks.Count() && taken; ++i)
        taken = !ZAMaskTest(name, ToBackslash(ExclusionMasks[i]));
    return taken;
}

bool ZAFindNext(const TZADirArray& Items, TZAArchiveItem& F, const TStrings& FileMasks,
                const TStrings& ExclusionMasks, bool Recurse) {
    TInternalSearchRec& r = F.FindData;
    for (; r.Index >= 0 && r.Index < Items.Count(); ++r.Index) {
        const TDirItem& item = Items.Item(r.Index);
        if (r.UseMaskLists ? ZAItemMatchesLists(item, FileMasks, ExclusionMasks)
                           : ZAItemMatches(item, r, Recurse)) {
            F.ItemIndex = r.Index++;
            F.FileName = item.Name;
            return true;
        }
    }
    F.ItemIndex = -1;
    F.FileName.clear();
    return false;
}

std::string ZAStoredName(const std::string& FileName, const std::string& BaseDir,
                         TZAStorePathMode Mode) {
    const std::string base =
        ExcludeTrailingPathDelimiter(ExpandFileName(BaseDir.empty() ? GetCurrentDir() : BaseDir));
    std::string f = FileName;
    std::replace(f.begin(), f.end(), '\\', '/');
    if (HasDrive(f)) f.erase(0, 2); // no drives on this system: the path from its root
    std::string full = !f.empty() && f[0] == '/' ? f : base + "/" + f;
    full = ExpandFileName(full);
    while (full.size() > 1 && (full.back() == '/' || full.back() == '\\'))
        full.pop_back();
    // A trailing "." is a name of its own here ("two." is not "two"); only a
    // "." part naming the folder itself goes, which expanding has done.
    std::string name;
    switch (Mode) {
    case spNoPath:
        name = FilePart(full);
        break;
    case spRelativePath:
        if (full.compare(0, base.size() + 1, base + "/") == 0)
            name = full.substr(base.size() + 1);
        else
            name = full;
        break;
    case spFullPath:
    case spFullPathWithDrive:
        name = full;
        break;
    }
    if (Mode != spFullPathWithDrive) {
        if (HasDrive(name))
            name.erase(0, 2);
        else if (name.size() >= 2 && (name[0] == '/' || name[0] == '\\') &&
                 (name[1] == '/' || name[1] == '\\')) {
            const size_t p = name.find_first_of("/\\", 2);
            name = p == std::string::npos ? std::string() : name.substr(p);
        }
        if (!name.empty() && (name[0] == '/' || name[0] == '\\')) name.erase(0, 1);
    }
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

bool ZAConfineName(const std::string& Name, std::string& Out, bool* EmptyFolder) {
    if (EmptyFolder) *EmptyFolder = false;
    std::string n = Name;
    std::replace(n.begin(), n.end(), '\\', '/');
    if (n.size() >= 2 && n[1] == ':') n.erase(0, 2);
    std::string out;
    size_t i = 0;
    while (i <= n.size()) {
        size_t j = n.find('/', i);
        if (j == std::string::npos) j = n.size();
        const std::string part = n.substr(i, j - i);
        if (part == "..") return false;
        if (part.find('\0') != std::string::npos) return false;
        // An empty part between two others names a folder without a name.
        if (part.empty() && !out.empty() && j < n.size() && EmptyFolder) *EmptyFolder = true;
        if (!part.empty() && part != ".") out += (out.empty() ? "" : "/") + part;
        i = j + 1;
    }
    if (!n.empty() && n.back() == '/' && !out.empty()) out += '/';
    Out = out;
    return true;
}
