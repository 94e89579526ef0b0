// The component reader under the grid's cell stream on any bytes. A read
// either ends cleanly or raises EReadError; what it keeps is bounded by the
// bytes it read, and every record it accepts writes back byte for byte as it
// was read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/compstream.h"
#include "platform/rtl/streams.h"

namespace {

void WriteBack(TComponentWriter& W, const TStreamedComponent& C) {
    W.BeginComponent(C.ClassName);
    for (const TStreamedProperty& p : C.Props) {
        switch (p.Type) {
        case pvInteger:
            W.WriteInteger(p.Name, p.Int);
            break;
        case pvFloat:
            W.WriteFloat(p.Name, p.Float);
            break;
        case pvBoolean:
            W.WriteBoolean(p.Name, p.Int != 0);
            break;
        case pvString:
            W.WriteString(p.Name, p.Str);
            break;
        case pvBinary:
            W.WriteBinary(p.Name, p.Str);
            break;
        case pvStrings:
            W.WriteStrings(p.Name, p.List);
            break;
        case pvWideStrings: {
            // The reader keeps each wide item as its little-endian bytes.
            std::vector<std::u16string> wide;
            for (const std::string& bytes : p.List) {
                std::u16string w;
                for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                    w += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                               static_cast<uint8_t>(bytes[i + 1]) << 8);
                wide.push_back(std::move(w));
            }
            W.WriteWideStrings(p.Name, wide);
            break;
        }
        }
    }
    W.EndComponent();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TMemoryStream in;
    in.WriteBuffer(Data, static_cast<int64_t>(Size));
    in.SetPosition(0);
    TComponentReader reader(in);
    TMemoryStream out;
    TComponentWriter writer(out);
    TStreamedComponent c;
    try {
        while (reader.ReadComponent(c)) {
            size_t kept = c.ClassName.size();
            for (const TStreamedProperty& p : c.Props) {
                kept += p.Name.size() + p.Str.size();
                for (const std::string& s : p.List)
                    kept += s.size();
            }
            if (c.Props.size() > TComponentReader::MaxProperties) __builtin_trap();
            if (kept > Size) __builtin_trap();
            WriteBack(writer, c);
            // Everything accepted so far writes back as the bytes it came from.
            if (out.Size() != in.Position() ||
                std::memcmp(out.Memory(), Data, static_cast<size_t>(out.Size())) != 0)
                __builtin_trap();
        }
        if (in.Position() != static_cast<int64_t>(Size)) __builtin_trap();
    } catch (const EReadError&) {
        // A damaged record is a clean end.
    }
    return 0;
}
