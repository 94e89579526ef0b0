#include "zarecords.h"

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "zacrypt.h"

void Put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void Put32(std::string& s, uint32_t v) {
    Put16(s, static_cast<uint16_t>(v));
    Put16(s, static_cast<uint16_t>(v >> 16));
}
void Put64(std::string& s, uint64_t v) {
    Put32(s, static_cast<uint32_t>(v));
    Put32(s, static_cast<uint32_t>(v >> 32));
}

namespace {

// The fields from version needed to extra length stand in the same order in
// local and central headers.
template <typename H> void ParseCommon(const uint8_t* b, H& h) {
    h.VersionNeeded = Get16(b);
    h.Flags = Get16(b + 2);
    h.Method = Get16(b + 4);
    h.DosTime = Get16(b + 6);
    h.DosDate = Get16(b + 8);
    h.Crc32 = Get32(b + 10);
    h.CompressedSize = Get32(b + 14);
    h.UncompressedSize = Get32(b + 18);
    h.NameLength = Get16(b + 22);
    h.ExtraLength = Get16(b + 24);
}

template <typename H> void PutCommon(std::string& s, const H& h) {
    Put16(s, h.VersionNeeded);
    Put16(s, h.Flags);
    Put16(s, h.Method);
    Put16(s, h.DosTime);
    Put16(s, h.DosDate);
    Put32(s, h.Crc32);
    Put32(s, h.CompressedSize);
    Put32(s, h.UncompressedSize);
    Put16(s, h.NameLength);
    Put16(s, h.ExtraLength);
}

} // namespace

TZALocalHeader ParseLocalHeader(const uint8_t* b) {
    TZALocalHeader h;
    h.Signature = Get32(b);
    ParseCommon(b + 4, h);
    return h;
}

TZACentralHeader ParseCentralHeader(const uint8_t* b) {
    TZACentralHeader h;
    h.Signature = Get32(b);
    h.VersionMadeBy = Get16(b + 4);
    ParseCommon(b + 6, h);
    h.CommentLength = Get16(b + 32);
    h.DiskNumberStart = Get16(b + 34);
    h.InternalAttributes = Get16(b + 36);
    h.ExternalAttributes = Get32(b + 38);
    h.LocalHeaderOffset = Get32(b + 42);
    return h;
}

TZAEndRecord ParseEndRecord(const uint8_t* b) {
    TZAEndRecord e;
    e.Signature = Get32(b);
    e.ThisDisk = Get16(b + 4);
    e.CentralDirDisk = Get16(b + 6);
    e.EntriesOnDisk = Get16(b + 8);
    e.TotalEntries = Get16(b + 10);
    e.CentralDirSize = Get32(b + 12);
    e.CentralDirOffset = Get32(b + 16);
    e.CommentLength = Get16(b + 20);
    return e;
}

TZAZip64End ParseZip64End(const uint8_t* b) {
    TZAZip64End e;
    e.RecordSize = Get64(b + 4);
    e.VersionMadeBy = Get16(b + 12);
    e.VersionNeeded = Get16(b + 14);
    e.ThisDisk = Get32(b + 16);
    e.CentralDirDisk = Get32(b + 20);
    e.EntriesOnDisk = Get64(b + 24);
    e.TotalEntries = Get64(b + 32);
    e.CentralDirSize = Get64(b + 40);
    e.CentralDirOffset = Get64(b + 48);
    return e;
}

std::string LocalHeaderBytes(const TZALocalHeader& h) {
    std::string s;
    Put32(s, h.Signature);
    PutCommon(s, h);
    return s;
}

std::string CentralHeaderBytes(const TZACentralHeader& h) {
    std::string s;
    Put32(s, h.Signature);
    Put16(s, h.VersionMadeBy);
    PutCommon(s, h);
    Put16(s, h.CommentLength);
    Put16(s, h.DiskNumberStart);
    Put16(s, h.InternalAttributes);
    Put32(s, h.ExternalAttributes);
    Put32(s, h.LocalHeaderOffset);
    return s;
}

std::string EndRecordBytes(const TZAEndRecord& e) {
    std::string s;
    Put32(s, e.Signature);
    Put16(s, e.ThisDisk);
    Put16(s, e.CentralDirDisk);
    Put16(s, e.EntriesOnDisk);
    Put16(s, e.TotalEntries);
    Put32(s, e.CentralDirSize);
    Put32(s, e.CentralDirOffset);
    Put16(s, e.CommentLength);
    return s;
}

std::string Zip64EndBytes(const TZAZip64End& e) {
    std::string s;
    Put32(s, sigZip64End);
    Put64(s, 44);
    Put16(s, 45);
    Put16(s, 45);
    Put32(s, e.ThisDisk);
    Put32(s, e.CentralDirDisk);
    Put64(s, e.EntriesOnDisk);
    Put64(s, e.TotalEntries);
    Put64(s, e.CentralDirSize);
    Put64(s, e.CentralDirOffset);
    return s;
}

std::string Zip64LocatorBytes(uint64_t Zip64EndOffset, uint32_t Disk) {
    std::string s;
    Put32(s, sigZip64Locator);
    Put32(s, Disk);
    Put64(s, Zip64EndOffset);
    Put32(s, Disk + 1);
    return s;
}

void ParseExtra(TDirItem& Item) {
    Item.ExtraBlocks.clear();
    const std::string& x = Item.Extra;
    size_t p = 0;
    while (p + 4 <= x.size()) {
        TZAExtraBlock b;
        b.Id = Get16(x.data() + p);
        const size_t size = Get16(x.data() + p + 2);
        if (p + 4 + size > x.size()) break; // a block running past the field is dropped
        b.Data = x.substr(p + 4, size);
        p += 4 + size;
        if (b.Id == zip64ExtraId) {
            size_t q = 0;
            auto take64 = [&](uint64_t& v) {
                if (q + 8 <= b.Data.size()) v = Get64(b.Data.data() + q), q += 8;
            };
            if (Item.Header.UncompressedSize == 0xFFFFFFFFu) take64(Item.Zip64UncompressedSize);
            if (Item.Header.CompressedSize == 0xFFFFFFFFu) take64(Item.Zip64CompressedSize);
            if (Item.Header.LocalHeaderOffset == 0xFFFFFFFFu) take64(Item.Zip64LocalHeaderOffset);
            if (Item.Header.DiskNumberStart == 0xFFFF && q + 4 <= b.Data.size())
                Item.Zip64DiskNumber = Get32(b.Data.data() + q);
            Item.Zip64 = true;
            continue; // written again from the values when needed
        }
        Item.ExtraBlocks.push_back(std::move(b));
    }
}

std::string Zip64ExtraBytes(const TDirItem& Item) {
    std::string d;
    if (Item.Header.UncompressedSize == 0xFFFFFFFFu) Put64(d, Item.Zip64UncompressedSize);
    if (Item.Header.CompressedSize == 0xFFFFFFFFu) Put64(d, Item.Zip64CompressedSize);
    if (Item.Header.LocalHeaderOffset == 0xFFFFFFFFu) Put64(d, Item.Zip64LocalHeaderOffset);
    if (Item.Header.DiskNumberStart == 0xFFFF) Put32(d, Item.Zip64DiskNumber);
    if (d.empty()) return d;
    std::string s;
    Put16(s, zip64ExtraId);
    Put16(s, static_cast<uint16_t>(d.size()));
    return s + d;
}

std::string CentralExtraBytes(const TDirItem& Item) {
    std::string s = Zip64ExtraBytes(Item);
    for (const auto& b : Item.ExtraBlocks) {
        if (s.size() + 4 + b.Data.size() > 0xFFFF) break;
        Put16(s, b.Id);
        Put16(s, static_cast<uint16_t>(b.Data.size()));
        s += b.Data;
    }
    return s;
}

namespace {

// The upper half of the OEM code page (850) as Unicode code points.
constexpr char16_t Oem850[128] = {
    0xc7,   0xfc,   0xe9,   0xe2,   0xe4,   0xe0,   0xe5,   0xe7,   0xea,   0xeb,   0xe8,   0xef,
    0xee,   0xec,   0xc4,   0xc5,   0xc9,   0xe6,   0xc6,   0xf4,   0xf6,   0xf2,   0xfb,   0xf9,
    0xff,   0xd6,   0xdc,   0xf8,   0xa3,   0xd8,   0xd7,   0x192,  0xe1,   0xed,   0xf3,   0xfa,
    0xf1,   0xd1,   0xaa,   0xba,   0xbf,   0xae,   0xac,   0xbd,   0xbc,   0xa1,   0xab,   0xbb,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0xc1,   0xc2,   0xc0,   0xa9,   0x2563, 0x2551, 0x2557,
    0x255d, 0xa2,   0xa5,   0x2510, 0x2514, 0x2534, 0x252c, 0x251c, 0x2500, 0x253c, 0xe3,   0xc3,
    0x255a, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256c, 0xa4,   0xf0,   0xd0,   0xca,   0xcb,
    0xc8,   0x131,  0xcd,   0xce,   0xcf,   0x2518, 0x250c, 0x2588, 0x2584, 0xa6,   0xcc,   0x2580,
    0xd3,   0xdf,   0xd4,   0xd2,   0xf5,   0xd5,   0xb5,   0xfe,   0xde,   0xda,   0xdb,   0xd9,
    0xfd,   0xdd,   0xaf,   0xb4,   0xad,   0xb1,   0x2017, 0xbe,   0xb6,   0xa7,   0xf7,   0xb8,
    0xb0,   0xa8,   0xb7,   0xb9,   0xb3,   0xb2,   0x25a0, 0xa0};

bool HasHighBytes(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// The Unicode path block (Info-ZIP, 7-Zip): version 1, the CRC-32 of the
// name it stands for, then that name in UTF-8. Empty when there is none or it
// belongs to another name.
std::string UnicodePath(const std::string& Extra, const std::string& Raw) {
    size_t p = 0;
    while (p + 4 <= Extra.size()) {
        const uint16_t id = Get16(Extra.data() + p);
        const size_t size = Get16(Extra.data() + p + 2);
        if (p + 4 + size > Extra.size()) break;
        const char* d = Extra.data() + p + 4;
        if (id == ZAUnicodePathId && size > 5 && d[0] == 1 &&
            Get32(d + 1) == ZACrc32(Raw.data(), Raw.size()))
            return std::string(d + 5, size - 5);
        p += 4 + size;
    }
    return {};
}

void AppendUtf8(std::string& Out, char32_t C) {
    if (C < 0x80) {
        Out += static_cast<char>(C);
    } else if (C < 0x800) {
        Out += static_cast<char>(0xC0 | (C >> 6));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        Out += static_cast<char>(0xE0 | (C >> 12));
        Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (C & 0x3F));
    }
}

} // namespace

std::string NameFromArchive(const std::string& Raw, uint16_t VersionMadeBy, uint16_t Flags,
                            bool OEMFileNames, const std::string& Extra) {
    if (Flags & ZAUtf8NameFlag) return ProgramName(Raw);
    if (const std::string u = UnicodePath(Extra, Raw); !u.empty()) return ProgramName(u);
    if (!HasHighBytes(Raw)) return Raw;
    const int host = VersionMadeBy >> 8;
    if ((host == 0 || host == 6) && OEMFileNames) {
        std::string u;
        for (char c : Raw) {
            const auto b = static_cast<unsigned char>(c);
            AppendUtf8(u, b < 0x80 ? b : Oem850[b - 0x80]);
        }
        return ProgramName(u);
    }
    // Unix and OS X writers store the bytes of their names as they are on disk.
    if (host == 3 || host == 19) return ProgramName(Raw);
    return ProgramName(Cp1252ToUtf8(Raw)); // the writer's ANSI code page
}

TZANameBytes NameToArchive(const std::string& Name) {
    TZANameBytes n;
    n.Bytes = DiskName(Name);
    if (!HasHighBytes(n.Bytes)) return n;
    if (IsValidUtf8(n.Bytes))
        n.Flags = ZAUtf8NameFlag;
    else
        n.UnixHost = true;
    return n;
}
