#pragma once
// A small component streaming: a component is written as its class name and
// its published properties, each by name and type in declaration order, and
// read back as such a record. The reader trusts nothing: every length and
// count is checked against the bytes that are left and against fixed limits
// before anything is allocated, and a damaged record raises EReadError.
//
// Record: 'C', class name (u8 length + bytes), then per property a type byte
// (never 0), its name (u8 length + bytes) and its value; a 0 byte ends the
// record. Values: integer (8 bytes little-endian), float (IEEE 754 double,
// 8 bytes), boolean (1 byte, 0 or 1), string and binary (u32 length + bytes),
// list of strings (u32 count, then per item u32 length + bytes), list of wide
// strings (the same, each item's bytes UTF-16 little-endian).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/streams.h"

enum TPropValueType : uint8_t {
    pvInteger = 1,
    pvFloat = 2,
    pvBoolean = 3,
    pvString = 4,
    pvBinary = 5,
    pvStrings = 6,
    pvWideStrings = 7
};

struct TStreamedProperty {
    std::string Name;
    TPropValueType Type = pvInteger;
    int64_t Int = 0;
    double Float = 0;
    std::string Str;               // string and binary
    std::vector<std::string> List; // wide items as their UTF-16LE bytes
};

struct TStreamedComponent {
    std::string ClassName;
    std::vector<TStreamedProperty> Props;
    const TStreamedProperty* Find(const std::string& Name) const;
    // A property of the wrong type counts as missing: Default.
    int64_t Integer(const std::string& Name, int64_t Default = 0) const;
    double Float(const std::string& Name, double Default = 0) const;
    bool Boolean(const std::string& Name, bool Default = false) const;
    std::string String(const std::string& Name, const std::string& Default = "") const;
    std::vector<std::string> Strings(const std::string& Name) const;
    // A list of wide strings, or of single-byte strings converted.
    std::vector<std::u16string> WideStrings(const std::string& Name) const;
};

class TComponentWriter {
public:
    explicit TComponentWriter(TStream& Stream) : FStream(Stream) {}
    void BeginComponent(const std::string& ClassName);
    void WriteInteger(const std::string& Name, int64_t Value);
    void WriteFloat(const std::string& Name, double Value);
    void WriteBoolean(const std::string& Name, bool Value);
    void WriteString(const std::string& Name, const std::string& Value);
    void WriteBinary(const std::string& Name, const std::string& Value);
    void WriteStrings(const std::string& Name, const std::vector<std::string>& Value);
    void WriteWideStrings(const std::string& Name, const std::vector<std::u16string>& Value);
    void EndComponent();

private:
    void Header(TPropValueType Type, const std::string& Name);
    void Bytes(const void* Data, size_t Count);
    void U32(uint32_t Value);
    void Counted(const std::string& Value);
    TStream& FStream;
};

class TComponentReader {
public:
    static constexpr size_t MaxProperties = 512;
    static constexpr size_t MaxListItems = 65536;

    explicit TComponentReader(TStream& Stream) : FStream(Stream) {}
    // The next component; false at the end of the stream. Raises EReadError
    // on a damaged or cut record.
    bool ReadComponent(TStreamedComponent& Component);

private:
    int64_t Left();
    uint8_t U8();
    uint32_t U32();
    std::string Counted(uint64_t Length);
    TStream& FStream;
};
