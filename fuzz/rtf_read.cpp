// Rich text from anywhere (a cell, the clipboard, a drop) on any bytes: the
// reader ends on every input, truncated or nested however deep, and what it
// read survives the writer and the reader again unchanged. Small inputs are
// also laid out and drawn the way a rich cell is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gridhost.h"
#include "platform/vcl/richedit.h"
#include "platform/vcl/rtftext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    const TRtfDocument doc = ReadRTF(text);
    const std::string rtf = WriteRTF(doc);
    if (!(ReadRTF(rtf) == doc)) std::abort(); // the writer lost or changed something
    (void)RTFPlainText(doc);
    if (Size <= 4096) {
        TFont font;
        TRichTextLayout layout;
        layout.Load(doc, font);
        (void)layout.ContentSize(120);
        TBitmap bmp(120, 40);
        layout.Draw(*bmp.Canvas(), {2, 2, 118, 38}, clRed);
        if (!(layout.Document().Paragraphs.size() == doc.Paragraphs.size())) std::abort();
    }
    return 0;
}
