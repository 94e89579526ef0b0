#include "grid/support/dragdrop.h"

#include <cstdint>

#include "platform/vcl/messages.h"

namespace {
bool RTFFlag = false; // the process-wide rich-text switch of drags

std::string ColumnBytes(int Column) {
    const auto v = static_cast<uint32_t>(Column);
    std::string bytes(4, '\0');
    for (size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}
} // namespace

void SetRTFDragDrop(bool Flag) {
    RTFFlag = Flag;
}
bool RTFDragDrop() {
    return RTFFlag;
}

int DropColumn(const TDropData& Data) {
    const auto it = Data.Custom.find(MimeGridColumn);
    if (it == Data.Custom.end() || it->second.size() < 4) return -1;
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(it->second[i])) << (8 * i);
    return static_cast<int>(v);
}

void SetDropColumn(TDropData& Data, int Column) {
    if (Column == -1)
        Data.Custom.erase(MimeGridColumn);
    else
        Data.Custom[MimeGridColumn] = ColumnBytes(Column);
}

TDragFormats DragFormats(const TDropData& Data) {
    TDragFormats f;
    if (Data.HasText) f.Include(dfText);
    if (!Data.Files.empty()) f.Include(dfFiles);
    if (DropColumn(Data) != -1) f.Include(dfColumn);
    if (Data.HasRichText) f.Include(dfRichText);
    return f;
}

// --- TXSGDropTarget -------------------------------------------------------------

int TXSGDropTarget::EffectFor(unsigned KeyState) const {
    if (!FAccepting) return DROPEFFECT_NONE;
    // Files dropped from elsewhere are copied: a move would let the other
    // program delete them.
    if (FFormats.Contains(dfFiles) &&
        (FFormats * TDragFormats{dfText, dfColumn, dfRichText}).Empty())
        return DROPEFFECT_COPY;
    return (KeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

int TXSGDropTarget::DragEnter(const TDropData& Data, unsigned KeyState) {
    FFormats = DragFormats(Data);
    if (FFormats.Contains(dfColumn))
        FAccepting = AcceptCols;
    else
        FAccepting = (FFormats.Contains(dfText) && AcceptText) ||
                     (FFormats.Contains(dfFiles) && AcceptFiles) ||
                     (FFormats.Contains(dfRichText) && RTFFlag && AcceptText);
    const int effect = EffectFor(KeyState);
    DragMouseEnter();
    return effect;
}

int TXSGDropTarget::DragOver(const TPoint& Point, unsigned KeyState) {
    int effect = EffectFor(KeyState);
    bool allow = true;
    DragMouseMove(Point, allow, FFormats);
    if (!allow) effect = DROPEFFECT_NONE;
    return effect;
}

int TXSGDropTarget::Drop(const TDropData& Data, const TPoint& Point, unsigned KeyState) {
    if (!FAccepting) return DROPEFFECT_NONE;
    const TDragFormats formats = DragFormats(Data);
    if (formats.Contains(dfColumn)) {
        if (AcceptCols) DropCol(Point, DropColumn(Data));
    } else if (formats.Contains(dfRichText) && RTFFlag && AcceptText) {
        DropRTF(Point, Data.RichText);
    } else if (formats.Contains(dfText) && AcceptText) {
        DropText(Point, Data.Text);
    }
    if (formats.Contains(dfFiles) && AcceptFiles) {
        TStringList files;
        for (const std::string& f : Data.Files)
            files.Add(f);
        DropFiles(Point, files);
    }
    const int effect = EffectFor(KeyState);
    FAccepting = false;
    return effect;
}

// --- TSourceDataObject ----------------------------------------------------------

std::vector<std::string> TSourceDataObject::Formats() const {
    std::vector<std::string> f;
    if (FColumn == -1 || !FText.empty()) f.push_back(MimeText);
    if (RTFFlag && !FRTF.empty()) f.push_back(MimeRichText);
    if (FColumn != -1) f.push_back(MimeGridColumn);
    return f;
}

bool TSourceDataObject::QueryGetData(const std::string& Format) const {
    for (const std::string& f : Formats())
        if (f == Format) return true;
    return false;
}

std::string TSourceDataObject::GetData(const std::string& Format) const {
    if (!QueryGetData(Format)) return {};
    if (Format == MimeText) return FText;
    if (Format == MimeRichText) return FRTF;
    return ColumnBytes(FColumn);
}

TDropData TSourceDataObject::DropData() const {
    TDropData d;
    d.HasText = QueryGetData(MimeText);
    if (d.HasText) d.Text = FText;
    d.HasRichText = QueryGetData(MimeRichText);
    if (d.HasRichText) d.RichText = FRTF;
    if (QueryGetData(MimeGridColumn)) SetDropColumn(d, FColumn);
    return d;
}

// --- TXSGDropSource -------------------------------------------------------------

long TXSGDropSource::QueryContinueDrag(bool EscapePressed, bool LeftButtonDown) const {
    if (EscapePressed) return DRAGDROP_S_CANCEL;
    if (!LeftButtonDown) return DRAGDROP_S_DROP;
    return S_OK;
}

long TXSGDropSource::GiveFeedback(int Effect) {
    FNoDrop = Effect == DROPEFFECT_NONE;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

long TXSGDropSource::Run(const TSourceDataObject& Data, int AllowedEffects, int& Effect) {
    FNoDrop = false;
    Effect = DROPEFFECT_NONE;
    const long result = FRunner ? FRunner(Data, AllowedEffects, Effect) : DRAGDROP_S_CANCEL;
    return FNoDrop ? DRAGDROP_S_CANCEL : result;
}

long TXSGDropSource::StartTextDrag(const std::string& Text, const std::string& RTF,
                                   int AllowedEffects, int& Effect) {
    return Run(TSourceDataObject(Text, -1, RTF), AllowedEffects, Effect);
}

long TXSGDropSource::StartColumnDrag(int Column, int AllowedEffects, int& Effect) {
    return Run(TSourceDataObject("", Column, ""), AllowedEffects, Effect);
}

TDragRunner ControlDragRunner(TControl& Source) {
    return [&Source](const TSourceDataObject& Data, int AllowedEffects, int& Effect) -> long {
        return DoDragDrop(Source, Data.DropData(), AllowedEffects, Effect) == drDropped
                   ? DRAGDROP_S_DROP
                   : DRAGDROP_S_CANCEL;
    };
}
