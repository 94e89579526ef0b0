#include "platform/vcl/richedit.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/qtapp.h"
#include "platform/vcl/qthost.h"

namespace {

// The RTF size and font name a run came with, kept beside Qt's pixel size and
// family (which may differ: a Windows font name maps to a family present
// here), so that what goes in comes out unchanged.
constexpr int HalfPointsProperty = QTextFormat::UserProperty + 1;
constexpr int FontNameProperty = QTextFormat::UserProperty + 2;
constexpr int DefaultColorProperty = QTextFormat::UserProperty + 3;

// Screens are measured at 96 pixels per inch: a half point is 2/3 pixel.
int HalfPointsToPixels(int HalfPoints) {
    return std::max(1, static_cast<int>(std::lround(HalfPoints * 96.0 / 144.0)));
}

QTextCharFormat ToCharFormat(const TRtfCharFormat& F, const QFont& Default, TColor DefaultColor) {
    QTextCharFormat cf;
    QFont font = Default;
    if (!F.FontName.empty()) font.setFamily(ToQString(F.FontName));
    if (F.HalfPoints > 0) font.setPixelSize(HalfPointsToPixels(F.HalfPoints));
    font.setBold(F.Bold);
    font.setItalic(F.Italic);
    font.setUnderline(F.Underline);
    font.setStrikeOut(F.StrikeOut);
    cf.setFont(font, QTextCharFormat::FontPropertiesAll);
    if (F.Color != clNone) {
        cf.setForeground(ToQColor(F.Color));
    } else {
        cf.setForeground(ToQColor(DefaultColor));
        cf.setProperty(DefaultColorProperty, true);
    }
    if (F.HalfPoints > 0) cf.setProperty(HalfPointsProperty, F.HalfPoints);
    if (!F.FontName.empty()) cf.setProperty(FontNameProperty, ToQString(F.FontName));
    return cf;
}

TRtfCharFormat FromCharFormat(const QTextCharFormat& CF, const QFont& Default) {
    TRtfCharFormat f;
    const QFont font = CF.font();
    if (CF.hasProperty(FontNameProperty))
        f.FontName = FromQString(CF.stringProperty(FontNameProperty));
    else if (font.family() != Default.family())
        f.FontName = FromQString(font.family());
    if (CF.hasProperty(HalfPointsProperty))
        f.HalfPoints = CF.intProperty(HalfPointsProperty);
    else if (font.pixelSize() > 0 && font.pixelSize() != Default.pixelSize())
        f.HalfPoints = static_cast<int>(std::lround(font.pixelSize() * 144.0 / 96.0));
    else if (font.pointSizeF() > 0 && font.pixelSize() <= 0)
        f.HalfPoints = static_cast<int>(std::lround(font.pointSizeF() * 2));
    f.Bold = font.bold();
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.StrikeOut = font.strikeOut();
    if (CF.hasProperty(QTextFormat::ForegroundBrush) && !CF.boolProperty(DefaultColorProperty))
        f.Color = FromQColor(CF.foreground().color());
    return f;
}

Qt::Alignment ToQtAlign(TRtfAlign A) {
    switch (A) {
    case raCenter:
        return Qt::AlignHCenter;
    case raRight:
        return Qt::AlignRight;
    case raJustify:
        return Qt::AlignJustify;
    default:
        return Qt::AlignLeft;
    }
}

TRtfAlign FromQtAlign(Qt::Alignment A) {
    if (A & Qt::AlignHCenter) return raCenter;
    if (A & Qt::AlignRight) return raRight;
    if (A & Qt::AlignJustify) return raJustify;
    return raLeft;
}

void FillDocument(QTextDocument& Q, const TRtfDocument& Doc, const QFont& Default,
                  TColor DefaultColor) {
    Q.clear();
    Q.setDefaultFont(Default);
    QTextCursor cursor(&Q);
    for (size_t i = 0; i < Doc.Paragraphs.size(); ++i) {
        const TRtfParagraph& p = Doc.Paragraphs[i];
        QTextBlockFormat bf;
        bf.setAlignment(ToQtAlign(p.Align));
        const QTextCharFormat first = ToCharFormat(
            p.Runs.empty() ? TRtfCharFormat{} : p.Runs.front().Format, Default, DefaultColor);
        if (i == 0) {
            cursor.setBlockFormat(bf);
            cursor.setBlockCharFormat(first);
        } else {
            cursor.insertBlock(bf, first);
        }
        for (const TRtfRun& r : p.Runs)
            cursor.insertText(
                QString::fromUtf16(r.Text.data(), static_cast<qsizetype>(r.Text.size())),
                ToCharFormat(r.Format, Default, DefaultColor));
    }
}

TRtfDocument ReadDocument(const QTextDocument& Q) {
    TRtfDocument doc;
    const QFont def = Q.defaultFont();
    for (QTextBlock b = Q.begin(); b.isValid(); b = b.next()) {
        TRtfParagraph p;
        p.Align = FromQtAlign(b.blockFormat().alignment());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const QString text = frag.text();
            p.Runs.push_back({FromCharFormat(frag.charFormat(), def),
                              std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<size_t>(text.size()))});
        }
        doc.Paragraphs.push_back(std::move(p));
    }
    doc.Normalize();
    return doc;
}

} // namespace

// --- TRichTextLayout -----------------------------------------------------------------------

TRichTextLayout::TRichTextLayout() {
    // Fonts need the application, even for a text that is only measured.
    EnsureQtApplication();
    FDoc = std::make_unique<QTextDocument>();
    FDoc->setDocumentMargin(0);
    FDoc->setUndoRedoEnabled(false);
}

TRichTextLayout::~TRichTextLayout() = default;

void TRichTextLayout::Load(const TRtfDocument& Doc, const TFont& DefaultFont) {
    FillDocument(*FDoc, Doc, ToQFont(DefaultFont), DefaultFont.Color());
}

TRtfDocument TRichTextLayout::Document() const {
    return ReadDocument(*FDoc);
}

namespace {

// A new width lays the text out again, even the same one: only a change may.
void SetLayoutWidth(QTextDocument& Doc, qreal Width) {
    if (Doc.textWidth() != Width) Doc.setTextWidth(Width);
}

} // namespace

TSize TRichTextLayout::ContentSize(int Width) const {
    SetLayoutWidth(*FDoc, Width > 0 ? Width : -1);
    const QSizeF s = Width > 0 ? FDoc->size() : QSizeF(FDoc->idealWidth(), FDoc->size().height());
    return {static_cast<int>(std::ceil(s.width())), static_cast<int>(std::ceil(s.height()))};
}

void TRichTextLayout::Draw(TCanvas& Canvas, const TRect& R, TColor Color) const {
    QPainter* painter = Canvas.Painter();
    if (!painter || R.Width() <= 0 || R.Height() <= 0) return;
    SetLayoutWidth(*FDoc, R.Width());
    const TPoint org = Canvas.WindowOrg();
    const TRect clip = Canvas.ClipRect();
    const int left = std::max(R.Left, clip.Left), top = std::max(R.Top, clip.Top);
    const int right = std::min(R.Right, clip.Right), bottom = std::min(R.Bottom, clip.Bottom);
    if (right <= left || bottom <= top) return;
    painter->save();
    painter->setClipRect(QRect(left - org.X, top - org.Y, right - left, bottom - top));
    painter->translate(R.Left - org.X, R.Top - org.Y);
    QAbstractTextDocumentLayout::PaintContext ctx;
    if (Color != clNone) {
        // The selection colours every character, its own colour or not.
        QAbstractTextDocumentLayout::Selection all;
        all.cursor = QTextCursor(FDoc.get());
        all.cursor.select(QTextCursor::Document);
        all.format.setForeground(ToQColor(Color));
        ctx.selections.append(all);
    }
    ctx.clip = QRectF(0, 0, R.Width(), R.Height());
    FDoc->documentLayout()->draw(painter, ctx);
    painter->restore();
}

// --- TRichEdit ---------------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner, MakeHost<QTextEdit>()) {
    SetControlStyle(ControlStyle() + csNativeWidget - csSetCaption);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    Editor()->document()->setDocumentMargin(2);
    TInnerEventForwarder::Watch(this, Editor()->viewport());
    QObject::connect(Editor(), &QTextEdit::textChanged, [this] {
        Perform(CM_TEXTCHANGED);
        if (OnChange) OnChange(this);
    });
    QObject::connect(Editor(), &QTextEdit::selectionChanged, [this] {
        if (OnSelectionChange) OnSelectionChange(this);
    });
}

TRichEdit::~TRichEdit() = default;

QTextEdit* TRichEdit::Editor() const {
    return static_cast<QTextEdit*>(Widget());
}

void TRichEdit::SetFramed(bool Value) {
    Editor()->setFrameShape(Value ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TRichEdit::LoadRTF(const std::string& RTF) {
    const TRtfDocument doc = IsRTFText(RTF) ? ReadRTF(RTF) : ReadRTF(std::string());
    FillDocument(*Editor()->document(), doc, ToQFont(*Font()), Font()->Color());
    if (!IsRTFText(RTF) && !RTF.empty()) Editor()->insertPlainText(ToQString(RTF));
    Editor()->moveCursor(QTextCursor::End);
}

TRtfDocument TRichEdit::Document() const {
    return ReadDocument(*Editor()->document());
}

std::string TRichEdit::RTF() const {
    return WriteRTF(Document());
}

std::string TRichEdit::GetText() const {
    return RTFPlainText(Document());
}

void TRichEdit::SetTextValue(const std::string& Value) {
    LoadRTF(Value);
}

TSize TRichEdit::ContentSize() const {
    QTextDocument* doc = Editor()->document();
    const QSizeF s = doc->size();
    return {static_cast<int>(std::ceil(doc->idealWidth())),
            static_cast<int>(std::ceil(s.height()))};
}

int TRichEdit::SelStart() const {
    return Editor()->textCursor().selectionStart();
}

int TRichEdit::SelLength() const {
    const QTextCursor c = Editor()->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::SetSelection(int Start, int Length) {
    QTextCursor c = Editor()->textCursor();
    c.setPosition(std::max(0, Start));
    c.setPosition(std::max(0, Start + Length), QTextCursor::KeepAnchor);
    Editor()->setTextCursor(c);
}

void TRichEdit::SelectAll() {
    Editor()->selectAll();
}

bool TRichEdit::SelBold() const {
    return Editor()->currentCharFormat().font().bold();
}
bool TRichEdit::SelItalic() const {
    return Editor()->currentCharFormat().font().italic();
}
bool TRichEdit::SelUnderline() const {
    return Editor()->currentCharFormat().font().underline();
}

void TRichEdit::SetSelBold(bool Value) {
    QTextCharFormat f;
    f.setFontWeight(Value ? QFont::Bold : QFont::Normal);
    Editor()->mergeCurrentCharFormat(f);
}
void TRichEdit::SetSelItalic(bool Value) {
    QTextCharFormat f;
    f.setFontItalic(Value);
    Editor()->mergeCurrentCharFormat(f);
}
void TRichEdit::SetSelUnderline(bool Value) {
    QTextCharFormat f;
    f.setFontUnderline(Value);
    Editor()->mergeCurrentCharFormat(f);
}
void TRichEdit::SetSelColor(TColor Value) {
    QTextCharFormat f;
    f.setForeground(ToQColor(Value));
    // A colour of its own, no longer the control's.
    f.setProperty(DefaultColorProperty, false);
    Editor()->mergeCurrentCharFormat(f);
}

void TRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0 || !Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
    switch (Key) {
    case 'B':
        SetSelBold(!SelBold());
        break;
    case 'I':
        SetSelItalic(!SelItalic());
        break;
    case 'U':
        SetSelUnderline(!SelUnderline());
        break;
    default:
        return;
    }
    Key = 0;
}

void TRichEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
}
