#include "platform/rtl/compstream.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/classes.h"

namespace {

constexpr char ComponentMark = 'C';

[[noreturn]] void Damaged() {
    throw EReadError("Invalid stream format");
}

} // namespace

// --- the record ------------------------------------------------------------------------

const TStreamedProperty* TStreamedComponent::Find(const std::string& Name) const {
    for (const TStreamedProperty& p : Props)
        if (p.Name == Name) return &p;
    return nullptr;
}

int64_t TStreamedComponent::Integer(const std::string& Name, int64_t Default) const {
    const TStreamedProperty* p = Find(Name);
    return p && p->Type == pvInteger ? p->Int : Default;
}

double TStreamedComponent::Float(const std::string& Name, double Default) const {
    const TStreamedProperty* p = Find(Name);
    return p && p->Type == pvFloat ? p->Float : Default;
}

bool TStreamedComponent::Boolean(const std::string& Name, bool Default) const {
    const TStreamedProperty* p = Find(Name);
    return p && p->Type == pvBoolean ? p->Int != 0 : Default;
}

std::string TStreamedComponent::String(const std::string& Name, const std::string& Default) const {
    const TStreamedProperty* p = Find(Name);
    return p && (p->Type == pvString || p->Type == pvBinary) ? p->Str : Default;
}

std::vector<std::string> TStreamedComponent::Strings(const std::string& Name) const {
    const TStreamedProperty* p = Find(Name);
    return p && p->Type == pvStrings ? p->List : std::vector<std::string>{};
}

std::vector<std::u16string> TStreamedComponent::WideStrings(const std::string& Name) const {
    std::vector<std::u16string> out;
    const TStreamedProperty* p = Find(Name);
    if (!p || (p->Type != pvStrings && p->Type != pvWideStrings)) return out;
    for (const std::string& item : p->List) {
        if (p->Type == pvStrings) {
            out.push_back(Cp1252ToUtf16(item));
            continue;
        }
        std::u16string w(item.size() / 2, u'\0');
        for (size_t i = 0; i < w.size(); ++i)
            w[i] = static_cast<char16_t>(static_cast<unsigned char>(item[2 * i]) |
                                         (static_cast<unsigned char>(item[2 * i + 1]) << 8));
        out.push_back(std::move(w));
    }
    return out;
}

// --- writing ---------------------------------------------------------------------------

void TComponentWriter::Bytes(const void* Data, size_t Count) {
    FStream.WriteBuffer(Data, static_cast<int64_t>(Count));
}

void TComponentWriter::U32(uint32_t Value) {
    unsigned char b[4];
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<unsigned char>(Value >> (8 * i));
    Bytes(b, 4);
}

void TComponentWriter::Counted(const std::string& Value) {
    U32(static_cast<uint32_t>(Value.size()));
    Bytes(Value.data(), Value.size());
}

void TComponentWriter::BeginComponent(const std::string& ClassName) {
    const unsigned char mark = ComponentMark;
    const auto len = static_cast<unsigned char>(std::min<size_t>(ClassName.size(), 255));
    Bytes(&mark, 1);
    Bytes(&len, 1);
    Bytes(ClassName.data(), len);
}

void TComponentWriter::Header(TPropValueType Type, const std::string& Name) {
    const auto type = static_cast<unsigned char>(Type);
    const auto len = static_cast<unsigned char>(std::min<size_t>(Name.size(), 255));
    Bytes(&type, 1);
    Bytes(&len, 1);
    Bytes(Name.data(), len);
}

void TComponentWriter::WriteInteger(const std::string& Name, int64_t Value) {
    Header(pvInteger, Name);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(static_cast<uint64_t>(Value) >> (8 * i));
    Bytes(b, 8);
}

void TComponentWriter::WriteFloat(const std::string& Name, double Value) {
    Header(pvFloat, Name);
    uint64_t bits;
    std::memcpy(&bits, &Value, 8);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(bits >> (8 * i));
    Bytes(b, 8);
}

void TComponentWriter::WriteBoolean(const std::string& Name, bool Value) {
    Header(pvBoolean, Name);
    const unsigned char b = Value ? 1 : 0;
    Bytes(&b, 1);
}

void TComponentWriter::WriteString(const std::string& Name, const std::string& Value) {
    Header(pvString, Name);
    Counted(Value);
}

void TComponentWriter::WriteBinary(const std::string& Name, const std::string& Value) {
    Header(pvBinary, Name);
    Counted(Value);
}

void TComponentWriter::WriteStrings(const std::string& Name,
                                    const std::vector<std::string>& Value) {
    Header(pvStrings, Name);
    U32(static_cast<uint32_t>(Value.size()));
    for (const std::string& s : Value)
        Counted(s);
}

void TComponentWriter::WriteWideStrings(const std::string& Name,
                                        const std::vector<std::u16string>& Value) {
    Header(pvWideStrings, Name);
    U32(static_cast<uint32_t>(Value.size()));
    for (const std::u16string& w : Value) {
        std::string bytes;
        bytes.reserve(w.size() * 2);
        for (const char16_t c : w) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>(c >> 8);
        }
        Counted(bytes);
    }
}

void TComponentWriter::EndComponent() {
    const unsigned char end = 0;
    Bytes(&end, 1);
}

// --- reading ---------------------------------------------------------------------------

int64_t TComponentReader::Left() {
    return FStream.Size() - FStream.Position();
}

uint8_t TComponentReader::U8() {
    uint8_t b;
    if (FStream.Read(&b, 1) != 1) Damaged();
    return b;
}

uint32_t TComponentReader::U32() {
    unsigned char b[4];
    if (FStream.Read(b, 4) != 4) Damaged();
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

std::string TComponentReader::Counted(uint64_t Length) {
    // Never more than the stream still holds.
    if (static_cast<int64_t>(Length) > Left()) Damaged();
    std::string s(static_cast<size_t>(Length), '\0');
    if (Length > 0 &&
        FStream.Read(s.data(), static_cast<int64_t>(Length)) != static_cast<int64_t>(Length))
        Damaged();
    return s;
}

bool TComponentReader::ReadComponent(TStreamedComponent& Component) {
    Component.ClassName.clear();
    Component.Props.clear();
    if (Left() <= 0) return false;
    if (U8() != ComponentMark) Damaged();
    Component.ClassName = Counted(U8());
    for (;;) {
        const uint8_t type = U8();
        if (type == 0) return true;
        if (type < pvInteger || type > pvWideStrings) Damaged();
        if (Component.Props.size() >= MaxProperties) Damaged();
        TStreamedProperty p;
        p.Type = static_cast<TPropValueType>(type);
        p.Name = Counted(U8());
        switch (p.Type) {
        case pvInteger:
        case pvFloat: {
            const std::string raw = Counted(8);
            uint64_t bits = 0;
            for (int i = 7; i >= 0; --i)
                bits = (bits << 8) | static_cast<unsigned char>(raw[static_cast<size_t>(i)]);
            if (p.Type == pvInteger)
                p.Int = static_cast<int64_t>(bits);
            else
                std::memcpy(&p.Float, &bits, 8);
            break;
        }
        case pvBoolean: {
            const uint8_t b = U8();
            if (b > 1) Damaged();
            p.Int = b;
            break;
        }
        case pvString:
        case pvBinary:
            p.Str = Counted(U32());
            break;
        case pvStrings:
        case pvWideStrings: {
            const uint32_t count = U32();
            // Each item takes at least its 4 length bytes.
            if (count > MaxListItems || static_cast<int64_t>(count) * 4 > Left()) Damaged();
            p.List.reserve(count);
            for (uint32_t i = 0; i < count; ++i) {
                p.List.push_back(Counted(U32()));
                if (p.Type == pvWideStrings && p.List.back().size() % 2 != 0) Damaged();
            }
            break;
        }
        }
        Component.Props.push_back(std::move(p));
    }
}
