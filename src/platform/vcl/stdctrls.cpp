#include "platform/vcl/stdctrls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <utility>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qthost.h"

// --- TLabel -------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout Value) {
    FLayout = Value;
    Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
    FAutoSize = Value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool Value) {
    FTransparent = Value;
    SetControlStyle(Value ? ControlStyle() + csOpaque : ControlStyle() - csOpaque);
    Invalidate();
}

void TLabel::SetShowAccelChar(bool Value) {
    FShowAccelChar = Value;
    Invalidate();
}

unsigned TLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!FAutoSize) return;
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect r{0, 0, FWordWrap ? Width() : 10000, 0};
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    DrawText(*measure.Canvas(), text, r, TextFlags() | DT_CALCRECT);
    int left = Left();
    if (!FWordWrap && FAlignment == taRightJustify) left += Width() - r.Width();
    if (!FWordWrap && FAlignment == taCenter) left += (Width() - r.Width()) / 2;
    SetBounds(left, Top(), FWordWrap ? Width() : r.Width(), r.Height());
}

void TLabel::CMDialogChar(TMessage& Message) {
    if (FocusControl && FShowAccelChar &&
        IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && FocusControl->CanFocus()) {
        FocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(Message);
}

void TLabel::CMTextChanged(TMessage& Message) {
    AdjustBounds();
    TGraphicControl::CMTextChanged(Message);
}

void TLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TLabel::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    unsigned flags = TextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        DrawText(*canvas, Caption(), calc, flags | DT_CALCRECT);
        const int room = r.Height() - calc.Height();
        r.Top += FLayout == tlCenter ? room / 2 : room;
    }
    if (!Enabled()) {
        canvas->Font()->SetColor(clBtnHighlight);
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        DrawText(*canvas, Caption(), shadow, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(*canvas, Caption(), r, flags);
}

// --- TCustomEdit ----------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, MakeHost<QLineEdit>()) {}

TCustomEdit::TCustomEdit(TComponent* AOwner, QWidget* Widget) : TWinControl(AOwner, Widget) {
    SetControlStyle(ControlStyle() + csNativeWidget - csSetCaption);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    if (Edit()) Connect();
}

QLineEdit* TCustomEdit::Edit() const {
    return qobject_cast<QLineEdit*>(Widget());
}

namespace {

bool FitsCp1252(QChar C) {
    const char16_t c = C.unicode();
    return Utf16ToCp1252(std::u16string(1, c), '\0') != std::string(1, '\0') || c == 0;
}

// The nearest letters the program's text can hold: a letter with an accent
// the code page lacks loses the accent, a few letters without a decomposition
// get their usual plain form, anything else is left out.
QString ToCp1252Letters(const QString& Text) {
    QString out;
    for (const QChar c : Text) {
        if (FitsCp1252(c)) {
            out += c;
            continue;
        }
        // Letters with a stroke or without a dot have no decomposition.
        static constexpr std::pair<char16_t, char16_t> Plain[] = {{u'\u0141', u'L'},
                                                                  {u'\u0142', u'l'},
                                                                  {u'\u0110', u'D'},
                                                                  {u'\u0111', u'd'},
                                                                  {u'\u0131', u'i'}};
        const auto plain = std::find_if(std::begin(Plain), std::end(Plain),
                                        [c](const auto& p) { return p.first == c.unicode(); });
        if (plain != std::end(Plain)) {
            out += QChar(plain->second);
            continue;
        }
        for (const QChar d : QString(c).normalized(QString::NormalizationForm_KD))
            if (!d.isMark() && FitsCp1252(d)) out += d;
    }
    return out;
}

} // namespace

void TCustomEdit::Connect() {
    QObject::connect(Edit(), &QLineEdit::textChanged, [this] { Notify(EN_CHANGE); });
    // Only what the user types or pastes; text the program sets fits already.
    QObject::connect(Edit(), &QLineEdit::textEdited, [this](const QString& Text) {
        if (!CodePageLetters) return;
        const QString fitted = ToCp1252Letters(Text);
        if (fitted == Text) return;
        const int cursor = Edit()->cursorPosition() - static_cast<int>(Text.size() - fitted.size());
        Edit()->setText(fitted);
        Edit()->setCursorPosition(std::max(0, cursor));
        if (OnTextAdjusted) OnTextAdjusted(this);
    });
}

void TCustomEdit::CNCommand(TMessage& Message) {
    if (Message.WParamHi() == EN_CHANGE)
        Change();
    else
        TWinControl::CNCommand(Message);
}

void TCustomEdit::Change() {
    Perform(CM_TEXTCHANGED);
    if (OnChange) OnChange(this);
}

std::string TCustomEdit::GetText() const {
    return FromQString(Edit()->text());
}

void TCustomEdit::SetTextValue(const std::string& Value) {
    Edit()->setText(ToQString(Value));
}

int TCustomEdit::SelStart() const {
    return Edit()->hasSelectedText() ? Edit()->selectionStart() : Edit()->cursorPosition();
}

int TCustomEdit::CharFromPos(const TPoint& P) const {
    return Edit()->cursorPositionAt(QPoint(P.X, P.Y));
}

void TCustomEdit::SetSelStart(int Value) {
    Edit()->deselect();
    Edit()->setCursorPosition(Value);
}

int TCustomEdit::SelLength() const {
    return static_cast<int>(Edit()->selectedText().size());
}

void TCustomEdit::SetSelLength(int Value) {
    Edit()->setSelection(SelStart(), Value);
}

std::string TCustomEdit::SelText() const {
    return FromQString(Edit()->selectedText());
}

void TCustomEdit::SetSelText(const std::string& Value) {
    Edit()->insert(ToQString(Value));
}

void TCustomEdit::SelectAll() {
    Edit()->selectAll();
}

void TCustomEdit::SetMaxLength(int Value) {
    FMaxLength = Value;
    Edit()->setMaxLength(Value > 0 ? Value : 32767);
}

bool TCustomEdit::ReadOnly() const {
    return Edit()->isReadOnly();
}

void TCustomEdit::SetReadOnly(bool Value) {
    Edit()->setReadOnly(Value);
}

void TCustomEdit::SetPasswordChar(char Value) {
    FPasswordChar = Value;
    Edit()->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
}

bool TCustomEdit::Modified() const {
    return Edit()->isModified();
}

void TCustomEdit::SetModified(bool Value) {
    Edit()->setModified(Value);
}

void TCustomEdit::SetMargins(int Left, int Right) {
    const QMargins m = Edit()->textMargins();
    Edit()->setTextMargins(Left, m.top(), Right, m.bottom());
}

void TCustomEdit::CutToClipboard() {
    Edit()->cut();
}
void TCustomEdit::CopyToClipboard() {
    Edit()->copy();
}
void TCustomEdit::PasteFromClipboard() {
    Edit()->paste();
}
void TCustomEdit::Undo() {
    Edit()->undo();
}

void TCustomEdit::DoEnter() {
    // A click places the caret where it lands; the keyboard selects it all.
    if (AutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

LRESULT TCustomEdit::PosFromChar(int Index) const {
    // Measured from the caret, which knows where the text stands (margins,
    // alignment, horizontal scrolling), without moving it.
    const QString shown = Edit()->displayText();
    if (Index < 0 || Index >= shown.size()) return -1;
    const QFontMetrics metrics(Edit()->font());
    const int caret = Edit()->cursorPosition();
    const QRect caretRect = Edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caretRect.center().x() + metrics.horizontalAdvance(shown.left(Index)) -
                  metrics.horizontalAdvance(shown.left(caret));
    return MakeLParam(x, caretRect.top());
}

void TCustomEdit::WndProc(TMessage& M) {
    switch (M.Msg) {
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_CLEAR:
        ClearSelection();
        return;
    case WM_UNDO:
        Undo();
        return;
    case WM_GETTEXTLENGTH:
        M.Result = static_cast<LRESULT>(GetText().size());
        return;
    case EM_SETSEL: {
        const int start = static_cast<int>(M.WParam), end = static_cast<int>(M.LParam);
        if (start == -1)
            Edit()->deselect();
        else if (end == -1)
            Edit()->setSelection(start, static_cast<int>(Edit()->text().size()));
        else
            Edit()->setSelection(start, end - start);
        return;
    }
    case EM_GETSEL:
        M.Result = MakeLParam(SelStart(), SelStart() + SelLength());
        return;
    case EM_SETPASSWORDCHAR:
        SetPasswordChar(static_cast<char>(M.WParam));
        return;
    case EM_SETMARGINS:
        SetMargins(LoWord(M.LParam), HiWord(M.LParam));
        return;
    case EM_GETRECT:
        if (auto* r = reinterpret_cast<TRect*>(M.LParam)) {
            const QMargins m = Edit()->textMargins();
            *r = {m.left(), m.top(), Width() - m.right(), Height() - m.bottom()};
        }
        return;
    case EM_SETRECT:
    case EM_SETRECTNP:
        // The formatting rectangle becomes margins around the text.
        if (auto* r = reinterpret_cast<const TRect*>(M.LParam)) {
            FEditRect = *r;
            Edit()->setTextMargins(std::max(0, r->Left), std::max(0, r->Top),
                                   std::max(0, Width() - r->Right),
                                   std::max(0, Height() - r->Bottom));
        }
        return;
    case EM_CHARFROMPOS:
        M.Result = CharFromPos({SignedLo(M.LParam), SignedHi(M.LParam)});
        return;
    case EM_POSFROMCHAR:
        M.Result = PosFromChar(static_cast<int>(M.WParam));
        return;
    default:
        TWinControl::WndProc(M);
    }
}

void TCustomEdit::CMCtl3DChanged(TMessage& Message) {
    // Only a framed edit changes its frame; a frameless one (a grid's
    // in-place editor) stays as it is.
    if (!Ctl3D() && Edit()->hasFrame()) {
        Edit()->setFrame(false);
        Edit()->setContentsMargins(1, 1, 1, 1);
        FFlatFrame = true;
    } else if (Ctl3D() && FFlatFrame) {
        Edit()->setContentsMargins(0, 0, 0, 0);
        Edit()->setFrame(true);
        FFlatFrame = false;
    }
    TWinControl::CMCtl3DChanged(Message);
}

void TCustomEdit::WMPaint(TMessage& Message) {
    TWinControl::WMPaint(Message);
    if (!FFlatFrame) return;
    QPainter painter(Widget());
    painter.setPen(ToQColor(clWindowFrame));
    painter.drawRect(0, 0, Width() - 1, Height() - 1);
}

// --- buttons --------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner, QWidget* Widget) : TWinControl(AOwner, Widget) {
    SetControlStyle(ControlStyle() + csNativeWidget - csClickEvents);
    SetTabStop(true);
}

void TButtonControl::CMDialogChar(TMessage& Message) {
    if (IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        AccelPressed();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

void TButtonControl::WMPaint(TMessage& Message) {
    TWinControl::WMPaint(Message);
    TCanvas* canvas = ControlCanvas();
    if (!Focused() || canvas->Painting()) return;
    canvas->BeginPaint(Widget());
    DrawFocusRect(*canvas, FocusRect());
    canvas->EndPaint();
}

void TButtonControl::WMSetFocus(TMessage& Message) {
    TWinControl::WMSetFocus(Message);
    Invalidate();
}

void TButtonControl::WMKillFocus(TMessage& Message) {
    TWinControl::WMKillFocus(Message);
    Invalidate();
}

namespace {

// The style's description of a button as it paints it now.
QStyleOptionButton ButtonOption(const QAbstractButton& Button) {
    QStyleOptionButton option;
    option.initFrom(&Button);
    option.text = Button.text();
    option.icon = Button.icon();
    option.iconSize = Button.iconSize();
    return option;
}

TRect FromStyleRect(const QRect& R) {
    return {R.left(), R.top(), R.right() + 1, R.bottom() + 1};
}

} // namespace

TRect TButtonControl::FocusRect() const {
    auto* button = static_cast<QAbstractButton*>(Widget());
    if (qobject_cast<QPushButton*>(button)) {
        TRect r = ClientRect();
        InflateRect(r, -4, -4);
        return r;
    }
    const QStyleOptionButton option = ButtonOption(*button);
    const QStyle::SubElement element = qobject_cast<QRadioButton*>(button)
                                           ? QStyle::SE_RadioButtonFocusRect
                                           : QStyle::SE_CheckBoxFocusRect;
    return FromStyleRect(button->style()->subElementRect(element, &option, button));
}

TRect TButtonControl::CaptionRect() const {
    auto* button = static_cast<QAbstractButton*>(Widget());
    const QStyleOptionButton option = ButtonOption(*button);
    const bool push = qobject_cast<QPushButton*>(button) != nullptr;
    const QStyle::SubElement element = push ? QStyle::SE_PushButtonContents
                                       : qobject_cast<QRadioButton*>(button)
                                           ? QStyle::SE_RadioButtonContents
                                           : QStyle::SE_CheckBoxContents;
    TRect r = FromStyleRect(button->style()->subElementRect(element, &option, button));
    // The style centres glyph and text as one, the glyph first, with a fixed
    // gap of 4 between them.
    constexpr int GlyphGap = 4;
    if (push && !button->icon().isNull()) r.Left += button->iconSize().width() + GlyphGap;
    return r;
}

std::string TButtonControl::GetText() const {
    return FromQString(static_cast<QAbstractButton*>(Widget())->text());
}

void TButtonControl::SetTextValue(const std::string& Value) {
    // '&' marks the accelerator on both sides.
    static_cast<QAbstractButton*>(Widget())->setText(ToQString(Value));
}

TButton::TButton(TComponent* AOwner) : TButton(AOwner, MakeHost<QPushButton>()) {}

TButton::TButton(TComponent* AOwner, QWidget* Widget) : TButtonControl(AOwner, Widget) {
    SetBounds(0, 0, 75, 25);
    auto* button = static_cast<QPushButton*>(Widget);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this] { Click(); });
}

void TButton::Click() {
    if (TCustomForm* form = ParentForm(); form && ModalResult != mrNone)
        form->SetModalResult(ModalResult);
    TButtonControl::Click();
}

bool TButton::Active() const {
    // The focused button takes Enter; else the default one, unless another
    // button has the focus.
    if (Focused()) return true;
    const TCustomForm* form = ParentForm();
    return Default && !(form && dynamic_cast<TButton*>(form->ActiveControl()) &&
                        form->ActiveControl()->Focused());
}

void TButton::CMDialogKey(TMessage& Message) {
    const WORD key = static_cast<WORD>(Message.WParam);
    if (((key == VK_RETURN && Active()) || (key == VK_ESCAPE && Cancel)) &&
        KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner, MakeHost<QCheckBox>()) {
    SetBounds(0, 0, 97, 17);
    auto* box = static_cast<QCheckBox*>(Widget());
    QObject::connect(box, &QCheckBox::stateChanged, [this](int state) {
        const TCheckBoxState now = state == Qt::Checked            ? cbChecked
                                   : state == Qt::PartiallyChecked ? cbGrayed
                                                                   : cbUnchecked;
        if (now == FState) return;
        FState = now;
        Click();
    });
}

void TCheckBox::SetState(TCheckBoxState Value) {
    if (Value == FState) return;
    auto* box = static_cast<QCheckBox*>(Widget());
    if (Value == cbGrayed) box->setTristate(true);
    box->setCheckState(Value == cbChecked  ? Qt::Checked
                       : Value == cbGrayed ? Qt::PartiallyChecked
                                           : Qt::Unchecked);
}

void TCheckBox::AccelPressed() {
    SetChecked(!Checked());
}

void TCheckBox::SetAllowGrayed(bool Value) {
    FAllowGrayed = Value;
    static_cast<QCheckBox*>(Widget())->setTristate(Value);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, MakeHost<QRadioButton>()) {
    SetBounds(0, 0, 113, 17);
    // Tab stops at a group of buttons once, on the one checked (SetChecked);
    // the arrows move between them.
    SetTabStop(false);
    auto* radio = static_cast<QRadioButton*>(Widget());
    radio->setAutoExclusive(false); // the siblings are unchecked here, by parent
    QObject::connect(radio, &QRadioButton::clicked, [this] { SetChecked(true); });
}

void TRadioButton::AccelPressed() {
    SetChecked(true);
}

void TRadioButton::WndProc(TMessage& Message) {
    if (Message.Msg == BM_CLICK) {
        SetChecked(true);
        return;
    }
    TButtonControl::WndProc(Message);
}

void TRadioButton::SetChecked(bool Value) {
    auto* radio = static_cast<QRadioButton*>(Widget());
    if (Value == FChecked) {
        radio->setChecked(Value);
        return;
    }
    FChecked = Value;
    SetTabStop(Value);
    radio->setChecked(Value);
    if (!Value) return;
    if (Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
                other && other != this)
                other->SetChecked(false);
    Click();
}

// --- TGroupBox --------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetClickFocus(false);
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TGroupBox::AdjustClientRect(TRect& R) const {
    InflateRect(R, -2, -2);
    R.Top += 13;
}

void TGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const int h = canvas->TextHeight("0");
    TRect frame{0, h / 2, Width(), Height()};
    DrawEdge(*canvas, frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return;
    TRect text{CaptionIndent, 0, 0, h};
    DrawText(*canvas, Caption(), text, DT_CALCRECT | DT_SINGLELINE);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    DrawText(*canvas, Caption(), text, DT_SINGLELINE);
}
