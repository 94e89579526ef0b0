#include "platform/vcl/listctrls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextBlock>

#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qthost.h"

#include <map>
#include <utility>

void TControlItems::Changing() {
    TStringList::Changing();
    if (FChangePending || !FOnChanging) return;
    FChangePending = true;
    FOnChanging();
}

void TControlItems::Changed() {
    TStringList::Changed();
    if (UpdateCount() != 0) return;
    FChangePending = false;
    if (FOnChanged) FOnChanged();
}

// --- TMemo --------------------------------------------------------------------

namespace {

// The memo's lines, read from and written to the editor's text.
class TMemoLines : public TStrings {
public:
    explicit TMemoLines(TMemo* Memo) : FMemo(Memo) {}
    int Count() const override {
        const std::string text = FMemo->Text();
        if (text.empty()) return 0;
        return static_cast<int>(Split().size());
    }
    std::string Get(int Index) const override {
        const auto lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size()))
            Error("List index out of bounds (%d)", Index);
        return lines[static_cast<size_t>(Index)];
    }
    void Put(int Index, const std::string& S) override {
        auto lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size()))
            Error("List index out of bounds (%d)", Index);
        lines[static_cast<size_t>(Index)] = S;
        Join(lines);
    }
    void Insert(int Index, const std::string& S) override {
        auto lines = Split();
        if (Index < 0 || Index > static_cast<int>(lines.size()))
            Error("List index out of bounds (%d)", Index);
        lines.insert(lines.begin() + Index, S);
        Join(lines);
    }
    void Delete(int Index) override {
        auto lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size()))
            Error("List index out of bounds (%d)", Index);
        lines.erase(lines.begin() + Index);
        Join(lines);
    }
    void Clear() override { FMemo->SetText(""); }

private:
    std::vector<std::string> Split() const {
        std::vector<std::string> lines;
        const std::string text = FMemo->Text();
        if (text.empty()) return lines;
        size_t start = 0;
        for (;;) {
            const size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                if (start < text.size()) lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    void Join(const std::vector<std::string>& Lines) {
        std::string text;
        for (size_t i = 0; i < Lines.size(); ++i)
            text += (i ? "\r\n" : "") + Lines[i];
        FMemo->SetText(text);
    }
    TMemo* FMemo;
};

} // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, MakeHost<QPlainTextEdit>()) {
    SetControlStyle(ControlStyle() + csNativeWidget - csSetCaption);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    FLines = std::make_unique<TMemoLines>(this);
    TInnerEventForwarder::Watch(this, Editor()->viewport());
    QObject::connect(Editor(), &QPlainTextEdit::textChanged, [this] {
        Perform(CM_TEXTCHANGED);
        if (OnChange) OnChange(this);
    });
}

TMemo::~TMemo() = default;

QPlainTextEdit* TMemo::Editor() const {
    return static_cast<QPlainTextEdit*>(Widget());
}

std::string TMemo::GetText() const {
    // Lines end in CR LF inside the program.
    return StringReplace(FromQString(Editor()->toPlainText()), "\n", "\r\n", rfReplaceAll);
}

void TMemo::SetTextValue(const std::string& Value) {
    std::string text = StringReplace(Value, "\r\n", "\n", rfReplaceAll);
    Editor()->setPlainText(ToQString(text));
}

bool TMemo::ReadOnly() const {
    return Editor()->isReadOnly();
}
void TMemo::SetReadOnly(bool Value) {
    Editor()->setReadOnly(Value);
}

void TMemo::SetWordWrap(bool Value) {
    FWordWrap = Value;
    Editor()->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
    const bool h = Value == ssHorizontal || Value == ssBoth;
    const bool v = Value == ssVertical || Value == ssBoth;
    Editor()->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    Editor()->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int TMemo::SelStart() const {
    return Editor()->textCursor().selectionStart();
}

void TMemo::SetSelStart(int Value) {
    QTextCursor cursor = Editor()->textCursor();
    cursor.setPosition(Value);
    Editor()->setTextCursor(cursor);
}

void TMemo::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (WantTabs ? DLGC_WANTTAB : 0) |
                     (WantReturns ? DLGC_WANTALLKEYS : 0);
}

// --- TComboBox ------------------------------------------------------------------

namespace {

class TComboWidget : public QComboBox {
public:
    std::function<void()> OnPopup, OnHidePopup;
    void showPopup() override {
        if (OnPopup) OnPopup();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (OnHidePopup) OnHidePopup();
    }
};

} // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner, MakeHost<TComboWidget>()) {
    // Clicks come from choosing an item, not from the mouse.
    SetControlStyle(ControlStyle() + csNativeWidget - TControlStyle{csSetCaption, csClickEvents});
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    FItems = std::make_unique<TControlItems>([this] { ItemsChanged(); });
    // A combo box lists what it is given, equal items too, sorted or not.
    FItems->Duplicates = TDuplicates::dupAccept;
    auto* combo = static_cast<TComboWidget*>(Widget());
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->OnPopup = [this] { Notify(CBN_DROPDOWN); };
    combo->OnHidePopup = [this] { Notify(CBN_CLOSEUP); };
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), [this](int) {
        if (!FSyncing) Notify(CBN_SELCHANGE);
    });
    SetStyle(csDropDown);
}

TComboBox::~TComboBox() = default;

QComboBox* TComboBox::Combo() const {
    return static_cast<QComboBox*>(Widget());
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
    FStyle = Value;
    QLineEdit* oldEdit = Combo()->lineEdit();
    Combo()->setEditable(Value != csDropDownList);
    if (oldEdit && Combo()->lineEdit() != oldEdit) {
        // Qt deletes the dropped edit field only later, and that field hands
        // its focus on to the box: going then, it would take the box's focus
        // along, whoever holds the box by then. It goes now, without it.
        oldEdit->setFocusProxy(nullptr);
        delete oldEdit;
    }
    if (QLineEdit* edit = Combo()->lineEdit(); edit && TInnerEventForwarder::Watch(this, edit))
        QObject::connect(edit, &QLineEdit::textEdited, [this] {
            if (!FSyncing) Notify(CBN_EDITCHANGE);
        });
}

void TComboBox::ItemsChanged() {
    const std::string text = GetText();
    FSyncing = true;
    Combo()->clear();
    for (int i = 0; i < FItems->Count(); ++i)
        Combo()->addItem(ToQString(FItems->Get(i)));
    Combo()->setCurrentIndex(FItems->IndexOf(text));
    if (FStyle != csDropDownList) Combo()->setEditText(ToQString(text));
    FSyncing = false;
}

int TComboBox::ItemIndex() const {
    return Combo()->currentIndex();
}

void TComboBox::SetItemIndex(int Value) {
    FSyncing = true;
    Combo()->setCurrentIndex(Value >= 0 && Value < FItems->Count() ? Value : -1);
    if (Value < 0 && FStyle != csDropDownList) Combo()->setEditText(QString());
    FSyncing = false;
}

std::string TComboBox::GetText() const {
    if (FStyle != csDropDownList) return FromQString(Combo()->currentText());
    return ItemIndex() >= 0 ? FItems->Get(ItemIndex()) : std::string();
}

void TComboBox::SetTextValue(const std::string& Value) {
    if (FStyle != csDropDownList) {
        Combo()->setEditText(ToQString(Value));
        const int index = FItems->IndexOf(Value);
        FSyncing = true;
        if (index >= 0) Combo()->setCurrentIndex(index);
        FSyncing = false;
        return;
    }
    SetItemIndex(FItems->IndexOf(Value));
}

void TComboBox::SetDropDownCount(int Value) {
    FDropDownCount = Value;
    Combo()->setMaxVisibleItems(std::max(1, Value));
}

bool TComboBox::DroppedDown() const {
    return Combo()->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool Value) {
    if (Value)
        Combo()->showPopup();
    else
        Combo()->hidePopup();
}

namespace {

// Items of one fixed height in the dropped-down list.
class TItemHeightDelegate : public QStyledItemDelegate {
public:
    TItemHeightDelegate(int Height, QObject* Parent)
        : QStyledItemDelegate(Parent), FHeight(Height) {}
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), FHeight};
    }

private:
    int FHeight;
};

} // namespace

int TComboBox::ItemHeight() const {
    return FItemHeight > 0 ? FItemHeight : QFontMetrics(Combo()->font()).height();
}

void TComboBox::SetItemHeight(int Value) {
    if (Value < 0 || Value == FItemHeight) return;
    FItemHeight = Value;
    // Delegates are children of the box; one replaced by a height of ours goes.
    QAbstractItemDelegate* old = Combo()->itemDelegate();
    if (Value > 0)
        Combo()->setItemDelegate(new TItemHeightDelegate(Value, Combo()));
    else
        Combo()->setItemDelegate(new QStyledItemDelegate(Combo()));
    if (dynamic_cast<TItemHeightDelegate*>(old)) delete old;
}

void TComboBox::SetDroppedWidth(int Value) {
    FDroppedWidth = Value;
    Combo()->view()->setMinimumWidth(Value);
}

void TComboBox::SetMaxLength(int Value) {
    if (QLineEdit* edit = Combo()->lineEdit()) edit->setMaxLength(Value > 0 ? Value : 32767);
}

void TComboBox::SelectAll() {
    if (QLineEdit* edit = Combo()->lineEdit()) edit->selectAll();
}

void TComboBox::SetEditSelection(int Start, int Length) {
    if (QLineEdit* edit = Combo()->lineEdit()) edit->setSelection(Start, Length);
}

int TComboBox::EditSelStart() const {
    QLineEdit* edit = Combo()->lineEdit();
    if (!edit) return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int TComboBox::EditSelLength() const {
    QLineEdit* edit = Combo()->lineEdit();
    return edit ? static_cast<int>(edit->selectedText().size()) : 0;
}

void TComboBox::Change() {
    if (FSyncing) return;
    Perform(CM_TEXTCHANGED);
    if (OnChange) OnChange(this);
}

void TComboBox::Select() {
    if (FSyncing) return;
    if (OnSelect) OnSelect(this);
    Change();
}

void TComboBox::CNCommand(TMessage& Message) {
    switch (Message.WParamHi()) {
    case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        break;
    case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        break;
    case CBN_SELCHANGE:
        Select();
        break;
    case CBN_EDITCHANGE:
        Change();
        break;
    default:
        TWinControl::CNCommand(Message);
        break;
    }
}

void TComboBox::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TComboBox::WndProc(TMessage& M) {
    switch (M.Msg) {
    case CB_GETCURSEL:
        M.Result = ItemIndex();
        return;
    case CB_SETCURSEL:
        SetItemIndex(static_cast<int>(M.WParam));
        M.Result = ItemIndex();
        return;
    case CB_GETLBTEXTLEN: {
        const int i = static_cast<int>(M.WParam);
        M.Result = i >= 0 && i < FItems->Count() ? static_cast<LRESULT>(FItems->Get(i).size()) : -1;
        return;
    }
    case CB_GETLBTEXT: {
        // LParam points at a std::string that receives the item (our buffer form).
        const int i = static_cast<int>(M.WParam);
        if (i < 0 || i >= FItems->Count()) {
            M.Result = -1;
            return;
        }
        if (auto* out = reinterpret_cast<std::string*>(M.LParam)) *out = FItems->Get(i);
        M.Result = static_cast<LRESULT>(FItems->Get(i).size());
        return;
    }
    case CB_ADDSTRING:
        M.Result = FItems->Add(reinterpret_cast<const char*>(M.LParam));
        return;
    case CB_INSERTSTRING: {
        const int i = static_cast<int>(M.WParam);
        const int at = i < 0 ? FItems->Count() : i;
        FItems->Insert(at, reinterpret_cast<const char*>(M.LParam));
        M.Result = at;
        return;
    }
    case CB_RESETCONTENT:
        FItems->Clear();
        return;
    case CB_FINDSTRINGEXACT: {
        const std::string s = reinterpret_cast<const char*>(M.LParam);
        M.Result = -1;
        for (int i = 0; i < FItems->Count(); ++i)
            if (AnsiCompareText(FItems->Get(i), s) == 0) {
                M.Result = i;
                break;
            }
        return;
    }
    case CB_SHOWDROPDOWN:
        SetDroppedDown(M.WParam != 0);
        return;
    case CB_SETDROPPEDWIDTH:
        SetDroppedWidth(static_cast<int>(M.WParam));
        return;
    case CB_SETITEMHEIGHT:
        return;
    default:
        TWinControl::WndProc(M);
    }
}

// --- list boxes ---------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner, MakeHost<QListWidget>()) {
    // Clicks come from the selection moving, not from the mouse.
    SetControlStyle(ControlStyle() + csNativeWidget - TControlStyle{csSetCaption, csClickEvents});
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    FItems =
        std::make_unique<TControlItems>([this] { ItemsChanged(); }, [this] { ItemsChanging(); });
    TInnerEventForwarder::Watch(this, List()->viewport());
    QObject::connect(List(), &QListWidget::itemSelectionChanged, [this] {
        if (!FSyncing) UserSelected();
    });
}

TCustomListBox::~TCustomListBox() = default;

QListWidget* TCustomListBox::List() const {
    return static_cast<QListWidget*>(Widget());
}

void TCustomListBox::ItemsChanged() {
    const int index = ItemIndex();
    FSyncing = true;
    List()->clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        auto* item = new QListWidgetItem(ToQString(FItems->Get(i)), List()); // the list owns it
        if (FItemHeight > 0) item->setSizeHint(QSize(0, FItemHeight));
    }
    if (index >= 0 && index < FItems->Count()) List()->setCurrentRow(index);
    FSyncing = false;
}

void TCustomListBox::UserSelected() {
    Click();
}

int TCustomListBox::ItemIndex() const {
    return List()->currentRow();
}

void TCustomListBox::SetItemIndex(int Value) {
    FSyncing = true;
    if (Value < 0 || Value >= FItems->Count()) {
        List()->setCurrentRow(-1);
        List()->clearSelection();
    } else {
        List()->setCurrentRow(Value);
    }
    FSyncing = false;
}

void TCustomListBox::SetMultiSelect(bool Value) {
    FMultiSelect = Value;
    List()->setSelectionMode(Value ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
}

bool TCustomListBox::Selected(int Index) const {
    const QListWidgetItem* item = List()->item(Index);
    return item && item->isSelected();
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    if (QListWidgetItem* item = List()->item(Index)) {
        FSyncing = true;
        item->setSelected(Value);
        FSyncing = false;
    }
}

int TCustomListBox::SelCount() const {
    return FMultiSelect ? static_cast<int>(List()->selectedItems().size()) : -1;
}

void TCustomListBox::ClearSelection() {
    FSyncing = true;
    List()->clearSelection();
    FSyncing = false;
}

int TCustomListBox::TopIndex() const {
    const QModelIndex top = List()->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TCustomListBox::SetTopIndex(int Value) {
    if (QListWidgetItem* item = List()->item(Value))
        List()->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemHeight() const {
    if (FItemHeight > 0) return FItemHeight;
    return List()->count() > 0 ? List()->visualItemRect(List()->item(0)).height()
                               : List()->fontMetrics().height();
}

void TCustomListBox::SetItemHeight(int Value) {
    FItemHeight = Value;
    ItemsChanged();
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
    const QModelIndex index = List()->indexAt(List()->viewport()->mapFrom(List(), ToQPoint(Pos)));
    if (index.isValid()) return index.row();
    return Existing ? -1 : FItems->Count();
}

void TCustomListBox::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
    QObject::connect(List(), &QListWidget::itemChanged, [this](QListWidgetItem* item) {
        if (Syncing()) return;
        const int row = List()->row(item);
        if (row < 0 || row >= static_cast<int>(FChecked.size())) return;
        const bool now = item->checkState() == Qt::Checked;
        if (now == FChecked[static_cast<size_t>(row)]) return;
        FChecked[static_cast<size_t>(row)] = now;
        ClickCheck();
    });
}

void TCheckListBox::ItemsChanging() {
    FOldItems.clear();
    for (int i = 0; i < Items()->Count(); ++i) {
        const auto at = static_cast<size_t>(i);
        FOldItems.push_back({Items()->Get(i), Items()->GetObject(i),
                             at < FChecked.size() && FChecked[at],
                             at >= FEnabled.size() || FEnabled[at]});
    }
    FHaveOldItems = true;
}

void TCheckListBox::FollowItems() {
    // Each item finds its old self by text and object (equal ones in their old
    // order), so inserting, deleting, moving and sorting carry the marks
    // along; an item whose text changed in place keeps the marks of its place.
    const size_t n = static_cast<size_t>(Items()->Count());
    std::map<std::pair<std::string, TObject*>, std::vector<size_t>> byKey;
    for (size_t i = FOldItems.size(); i-- > 0;)
        byKey[{FOldItems[i].Text, FOldItems[i].Object}].push_back(i); // first old one last
    std::vector<bool> used(FOldItems.size(), false);
    std::vector<int> from(n, -1);
    for (size_t i = 0; i < n; ++i) {
        auto it = byKey.find(
            {Items()->Get(static_cast<int>(i)), Items()->GetObject(static_cast<int>(i))});
        if (it == byKey.end() || it->second.empty()) continue;
        from[i] = static_cast<int>(it->second.back());
        it->second.pop_back();
        used[static_cast<size_t>(from[i])] = true;
    }
    if (n == FOldItems.size())
        for (size_t i = 0; i < n; ++i)
            if (from[i] < 0 && !used[i]) from[i] = static_cast<int>(i);
    FChecked.assign(n, false);
    FEnabled.assign(n, true);
    for (size_t i = 0; i < n; ++i) {
        if (from[i] < 0) continue;
        FChecked[i] = FOldItems[static_cast<size_t>(from[i])].Checked;
        FEnabled[i] = FOldItems[static_cast<size_t>(from[i])].Enabled;
    }
    FOldItems.clear();
    FHaveOldItems = false;
}

void TCheckListBox::ItemsChanged() {
    const size_t n = static_cast<size_t>(Items()->Count());
    if (FHaveOldItems) FollowItems();
    FChecked.resize(n, false);
    FEnabled.resize(n, true);
    TCustomListBox::ItemsChanged();
    for (size_t i = 0; i < n; ++i) {
        QListWidgetItem* item = List()->item(static_cast<int>(i));
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (FEnabled[i])
            flags |= Qt::ItemIsUserCheckable;
        else
            flags &= ~Qt::ItemIsEnabled;
        const QSignalBlocker block(List());
        item->setFlags(flags);
        item->setCheckState(FChecked[i] ? Qt::Checked : Qt::Unchecked);
    }
}

void TCheckListBox::ClickCheck() {
    if (OnClickCheck) OnClickCheck(this);
}

bool TCheckListBox::Checked(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FChecked.size()))
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FChecked[static_cast<size_t>(Index)];
}

void TCheckListBox::SetChecked(int Index, bool Value) {
    Checked(Index); // checks the index
    FChecked[static_cast<size_t>(Index)] = Value;
    const QSignalBlocker block(List());
    List()->item(Index)->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
}

bool TCheckListBox::ItemEnabled(int Index) const {
    Checked(Index);
    return FEnabled[static_cast<size_t>(Index)];
}

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
    Checked(Index);
    FEnabled[static_cast<size_t>(Index)] = Value;
    ItemsChanged();
}
