#include "platform/vcl/comctrls.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTabBar>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qthost.h"

// --- TTabSheet ------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetClickFocus(false);
    SetParentColor(true);
    SetVisibleState(false);
    UpdateWidgetVisibility();
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    if (Value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    if (Value) Value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetTextValue(const std::string& Value) {
    TWinControl::SetTextValue(Value);
    if (FPageControl) FPageControl->UpdateTabs();
}

// --- TPageControl ------------------------------------------------------------------

namespace {

// The row of tabs, with whatever its page control draws over the native face.
class PageTabBar : public QTabBar {
public:
    PageTabBar(QWidget* Parent, std::function<void(QTabBar*)> PaintOver)
        : QTabBar(Parent), FPaintOver(std::move(PaintOver)) {}

protected:
    void paintEvent(QPaintEvent* Event) override {
        QTabBar::paintEvent(Event);
        FPaintOver(this);
    }

private:
    std::function<void(QTabBar*)> FPaintOver;
};

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetTabStop(true);
    // owned by our widget
    FTabBar = new PageTabBar(Widget(), [this](QTabBar* Bar) { PaintTabFocus(Bar); });
    FTabBar->setDrawBase(true);
    FTabBar->setExpanding(false);
    FTabBar->show();
    QObject::connect(FTabBar, &QTabBar::tabBarClicked, [this](int index) { TabClicked(index); });
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
}

void TPageControl::InsertPage(TTabSheet* Page) {
    Page->FPageControl = this;
    FPages.push_back(Page);
    Page->SetParent(this);
    Page->SetAlign(alClient);
    UpdateTabs();
    if (!FActivePage) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
    std::erase(FPages, Page);
    Page->FPageControl = nullptr;
    if (FActivePage == Page) {
        FActivePage = nullptr;
        if (!FPages.empty()) SetActivePage(FPages.front());
    }
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    FSyncing = true;
    while (FTabBar->count() > 0)
        FTabBar->removeTab(0);
    for (TTabSheet* page : FPages)
        if (page->TabVisible()) FTabBar->addTab(ToQString(page->Caption()));
    int tab = 0;
    for (TTabSheet* page : FPages) {
        if (page == FActivePage) break;
        if (page->TabVisible()) ++tab;
    }
    if (FActivePage && FActivePage->TabVisible()) FTabBar->setCurrentIndex(tab);
    FTabBar->setGeometry(0, 0, Width(), FTabBar->sizeHint().height());
    FSyncing = false;
    Realign();
}

void TPageControl::SetActivePage(TTabSheet* Page) {
    if (Page && Page->FPageControl != this) return;
    if (Page == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = Page;
    if (old) {
        old->Hide();
        if (old->OnHide) old->OnHide(old);
    }
    if (Page) {
        Page->Show();
        Page->BringToFront();
        if (Page->OnShow) Page->OnShow(Page);
    }
    UpdateTabs();
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < PageCount() ? Pages(Value) : nullptr);
}

void TPageControl::SetTabStyle(TTabStyle Value) {
    FTabStyle = Value;
    // Buttons show as a tab row without the frame under it.
    FTabBar->setDrawBase(Value == tsTabs);
    FTabBar->setDocumentMode(Value != tsTabs);
}

std::vector<TTabSheet*> TPageControl::VisiblePages() const {
    std::vector<TTabSheet*> visible;
    for (TTabSheet* page : FPages)
        if (page->TabVisible()) visible.push_back(page);
    return visible;
}

void TPageControl::TabClicked(int TabIndex) {
    if (FSyncing || TabIndex < 0) return;
    const std::vector<TTabSheet*> visible = VisiblePages();
    if (TabIndex >= static_cast<int>(visible.size()) || visible[TabIndex] == FActivePage) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) {
        UpdateTabs();
        return;
    }
    SetActivePage(visible[static_cast<size_t>(TabIndex)]);
    if (OnChange) OnChange(this);
}

void TPageControl::KeyboardTab(int TabIndex) {
    TabClicked(TabIndex);
    // The focus must not stay behind on a page that is no longer shown; where
    // the page's OnChange put it on the page, it stays there.
    if (!FActivePage || !FActivePage->Showing()) return;
    const TCustomForm* form = ParentForm();
    const TWinControl* now = form ? form->ActiveControl() : nullptr;
    if (!now || !FActivePage->ContainsControl(now)) FActivePage->SelectNext(nullptr, true, true);
}

void TPageControl::SelectNextPage(bool GoForward) {
    const std::vector<TTabSheet*> visible = VisiblePages();
    if (visible.size() < 2) return;
    const auto at = std::find(visible.begin(), visible.end(), FActivePage);
    const int n = static_cast<int>(visible.size());
    const int from =
        at == visible.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(at - visible.begin());
    KeyboardTab((from + (GoForward ? 1 : n - 1)) % n);
}

void TPageControl::CMDialogChar(TMessage& Message) {
    const std::vector<TTabSheet*> visible = VisiblePages();
    for (size_t i = 0; i < visible.size(); ++i)
        if (IsAccel(static_cast<unsigned>(Message.WParam), visible[i]->Caption())) {
            KeyboardTab(static_cast<int>(i));
            Message.Result = 1;
            return;
        }
    TWinControl::CMDialogChar(Message);
}

void TPageControl::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
}

void TPageControl::KeyDown(WORD& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0 || !Shift.Empty()) return;
    const int n = static_cast<int>(VisiblePages().size());
    const int current = FTabBar->currentIndex();
    if (n == 0) return;
    int target = -1;
    switch (Key) {
    case VK_LEFT:
        target = std::max(current - 1, 0);
        break;
    case VK_RIGHT:
        target = std::min(current + 1, n - 1);
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = n - 1;
        break;
    default:
        return;
    }
    Key = 0;
    // The focus stays on the tab row, so the next arrow goes on from here.
    TabClicked(target);
}

void TPageControl::WMSetFocus(TMessage& Message) {
    TWinControl::WMSetFocus(Message);
    FTabBar->update();
}

void TPageControl::WMKillFocus(TMessage& Message) {
    TWinControl::WMKillFocus(Message);
    FTabBar->update();
}

void TPageControl::PaintTabFocus(QTabBar* Bar) {
    const int current = Bar->currentIndex();
    if (!Focused() || current < 0) return;
    const QRect tab = Bar->tabRect(current);
    TRect r{tab.left(), tab.top(), tab.right() + 1, tab.bottom() + 1};
    InflateRect(r, -3, -3);
    TCanvas canvas;
    canvas.BeginPaint(Bar);
    DrawFocusRect(canvas, r);
    canvas.EndPaint();
}

void TPageControl::AdjustClientRect(TRect& R) const {
    R.Top += FTabBar->sizeHint().height();
    InflateRect(R, -2, -2);
}

void TPageControl::WMSize(TMessage& Message) {
    FTabBar->setGeometry(0, 0, Width(), FTabBar->sizeHint().height());
    TWinControl::WMSize(Message);
}

// --- TStatusBar ---------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetClickFocus(false);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
    SetColor(clBtnFace);
}

TStatusPanel* TStatusBar::AddPanel() {
    FPanels.push_back(std::make_unique<TStatusPanel>());
    Invalidate();
    return FPanels.back().get();
}

void TStatusBar::ClearPanels() {
    FPanels.clear();
    Invalidate();
}

void TStatusBar::SetPanelText(int Index, const std::string& Text) {
    Panels(Index)->Text = Text;
    Invalidate();
}

TRect TStatusBar::PanelRect(int Index) const {
    int x = 0;
    for (int i = 0; i < Index; ++i)
        x += Panels(i)->Width + 2;
    const int right = Index + 1 == PanelCount() ? Width() : x + Panels(Index)->Width;
    return {x, 2, right, Height()};
}

void TStatusBar::SetSimpleText(const std::string& Value) {
    FSimpleText = Value;
    Invalidate();
}

void TStatusBar::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    auto drawPanel = [&](TRect r, const std::string& text, TAlignment alignment) {
        DrawEdge(*canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        InflateRect(r, -(PanelTextMargin - 2) / 2, 0); // the edge took 1 on each side
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if (alignment == taCenter) flags |= DT_CENTER;
        if (alignment == taRightJustify) flags |= DT_RIGHT;
        canvas->Brush()->SetStyle(bsClear);
        DrawText(*canvas, text, r, flags);
        canvas->Brush()->SetStyle(bsSolid);
    };
    const int height = Height();
    if (SimplePanel || FPanels.empty()) {
        drawPanel({0, 2, Width(), height}, FSimpleText, taLeftJustify);
        return;
    }
    for (int i = 0; i < PanelCount(); ++i)
        drawPanel(PanelRect(i), Panels(i)->Text, Panels(i)->Alignment);
}

// --- tree view -----------------------------------------------------------------------

TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent) {
    return Parent ? Parent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Data) {
    return AddChildObject(Sibling ? Sibling->FParent : nullptr, S, Data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Data) {
    auto node = std::make_unique<TTreeNode>();
    node->FTree = FTree;
    node->FParent = Parent;
    node->FText = S;
    node->Data = Data;
    FTree->FSyncing = true;
    node->FItem = Parent ? new QTreeWidgetItem(Parent->FItem) // owned by the widget
                         : new QTreeWidgetItem(FTree->Tree());
    node->FItem->setText(0, ToQString(S));
    node->FItem->setData(0, Qt::UserRole, QVariant::fromValue<void*>(node.get()));
    FTree->FSyncing = false;
    TTreeNode* result = node.get();
    SiblingsOf(Parent).push_back(std::move(node));
    return result;
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node) return;
    auto& siblings = SiblingsOf(Node->FParent);
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [Node](const auto& p) { return p.get() == Node; });
    if (it == siblings.end()) return;
    FTree->FSyncing = true;
    delete Node->FItem; // takes its child items along
    FTree->FSyncing = false;
    siblings.erase(it);
}

void TTreeNodes::Clear() {
    FTree->FSyncing = true;
    FTree->Tree()->clear();
    FTree->FSyncing = false;
    FRoots.clear();
}

void TTreeNodes::Flatten(std::vector<TTreeNode*>& Out) const {
    std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> walk =
        [&](const std::vector<std::unique_ptr<TTreeNode>>& nodes) {
            for (const auto& n : nodes) {
                Out.push_back(n.get());
                walk(n->FChildren);
            }
        };
    walk(FRoots);
}

int TTreeNodes::Count() const {
    std::vector<TTreeNode*> all;
    Flatten(all);
    return static_cast<int>(all.size());
}

TTreeNode* TTreeNodes::Item(int Index) const {
    std::vector<TTreeNode*> all;
    Flatten(all);
    return all.at(static_cast<size_t>(Index));
}

void TTreeNode::SetText(const std::string& Value) {
    FText = Value;
    FItem->setText(0, ToQString(Value));
}

int TTreeNode::Index() const {
    const auto& siblings = FTree->Items()->SiblingsOf(FParent);
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    return FParent ? FParent->Level() + 1 : 0;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = FTree->Items()->SiblingsOf(FParent);
    const int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(siblings.size()) ? siblings[i + 1].get() : nullptr;
}

bool TTreeNode::Expanded() const {
    return FItem->isExpanded();
}
void TTreeNode::SetExpanded(bool Value) {
    FItem->setExpanded(Value);
}

void TTreeNode::Expand(bool Recurse) {
    SetExpanded(true);
    if (Recurse)
        for (auto& c : FChildren)
            c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
    SetExpanded(false);
    if (Recurse)
        for (auto& c : FChildren)
            c->Collapse(true);
}

bool TTreeNode::Selected() const {
    return FTree->Selected() == this;
}

void TTreeNode::SetSelected(bool Value) {
    if (Value)
        FTree->SetSelected(this);
    else if (Selected())
        FTree->SetSelected(nullptr);
}

void TTreeNode::Delete() {
    FTree->Items()->Delete(this);
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner, MakeHost<QTreeWidget>()) {
    SetControlStyle(ControlStyle() + csNativeWidget - csSetCaption);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
    FItems = std::make_unique<TTreeNodes>(this);
    Tree()->setHeaderHidden(true);
    Tree()->setColumnCount(1);
    TInnerEventForwarder::Watch(this, Tree()->viewport());
    QObject::connect(Tree(), &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* item) {
        if (!FSyncing && OnChange) OnChange(this, NodeOf(item));
    });
}

TTreeView::~TTreeView() {
    FSyncing = true;
    FItems.reset();
}

QTreeWidget* TTreeView::Tree() const {
    return static_cast<QTreeWidget*>(Widget());
}

TTreeNode* TTreeView::NodeOf(QTreeWidgetItem* Item) const {
    return Item ? static_cast<TTreeNode*>(Item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

TTreeNode* TTreeView::Selected() const {
    return NodeOf(Tree()->currentItem());
}

void TTreeView::SetSelected(TTreeNode* Node) {
    Tree()->setCurrentItem(Node ? Node->FItem : nullptr);
}

void TTreeView::FullExpand() {
    Tree()->expandAll();
}
void TTreeView::FullCollapse() {
    Tree()->collapseAll();
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
    return NodeOf(Tree()->itemAt(Tree()->viewport()->mapFrom(Tree(), QPoint(X, Y))));
}

void TTreeView::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// --- TDateTimePicker --------------------------------------------------------------------

namespace {

// The platform's date pattern ("yyyy/mm/dd", '/' the separator) in Qt's words.
QString QtDateFormat(const std::string& Format, char Separator) {
    QString out;
    for (size_t i = 0; i < Format.size();) {
        const char c = Format[i];
        size_t run = 1;
        while (i + run < Format.size() && std::tolower(Format[i + run]) == std::tolower(c))
            ++run;
        const char lower = static_cast<char>(std::tolower(c));
        if (lower == 'd')
            out += QString(static_cast<int>(std::min<size_t>(run, 4)), 'd');
        else if (lower == 'm')
            out += QString(static_cast<int>(std::min<size_t>(run, 4)), 'M');
        else if (lower == 'y')
            out += run <= 2 ? "yy" : "yyyy";
        else if (c == '/')
            out += QString(QChar(static_cast<unsigned char>(Separator)));
        else
            out += QString("'") + QChar(static_cast<unsigned char>(c)) + "'";
        i += run;
    }
    return out;
}

QDate ToQDate(TDateTime Value) {
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(Value)));
}

TDateTime FromQDate(const QDate& Value) {
    return static_cast<TDateTime>(QDate(1899, 12, 30).daysTo(Value));
}

// A click on a section of the date (day, month, year) selects the whole
// section, as Tab does, so that typed digits replace it: with only the caret
// placed inside a full section Qt refuses every digit.
class SectionClick : public QObject {
public:
    explicit SectionClick(QDateTimeEdit* Edit) : QObject(Edit), FEdit(Edit) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() != QEvent::MouseButtonRelease ||
            static_cast<QMouseEvent*>(Event)->button() != Qt::LeftButton)
            return false;
        // The press has placed the caret; a drag that selected text keeps it.
        const auto* line = qobject_cast<QLineEdit*>(Watched);
        if (line && !line->hasSelectedText() && FEdit->currentSection() != QDateTimeEdit::NoSection)
            FEdit->setSelectedSection(FEdit->currentSection());
        return false;
    }

private:
    QDateTimeEdit* FEdit;
};

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner)
    : TWinControl(AOwner, MakeHost<QDateTimeEdit>()) {
    SetControlStyle(ControlStyle() + csNativeWidget - csSetCaption);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 186, 21);
    Edit()->setCalendarPopup(true);
    Edit()->setMinimumDate(QDate(1753, 1, 1));
    if (QLineEdit* line = Edit()->findChild<QLineEdit*>())
        line->installEventFilter(new SectionClick(Edit())); // owned by the edit
    ApplyFormat();
    SetDate(::Date());
    QObject::connect(Edit(), &QDateTimeEdit::dateTimeChanged, [this] {
        if (!FSyncing && OnChange) OnChange(this);
    });
    if (QCalendarWidget* calendar = Edit()->calendarWidget()) {
        QObject::connect(calendar, &QCalendarWidget::clicked, [this] {
            if (OnCloseUp) OnCloseUp(this);
        });
    }
}

QDateTimeEdit* TDateTimePicker::Edit() const {
    return static_cast<QDateTimeEdit*>(Widget());
}

TDateTime TDateTimePicker::Date() const {
    return FromQDate(Edit()->date());
}

void TDateTimePicker::SetDate(TDateTime Value) {
    FSyncing = true;
    Edit()->setDate(ToQDate(Value));
    FSyncing = false;
}

TDateTime TDateTimePicker::Time() const {
    return Edit()->time().msecsSinceStartOfDay() / 86400000.0;
}

void TDateTimePicker::SetTime(TDateTime Value) {
    const double frac = Value - std::floor(Value);
    FSyncing = true;
    Edit()->setTime(QTime::fromMSecsSinceStartOfDay(
        std::clamp(static_cast<int>(std::lround(frac * 86400000.0)), 0, 86399999)));
    FSyncing = false;
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
    SetDate(Value);
    SetTime(Value);
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    FKind = Value;
    ApplyFormat();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
    FDateFormat = Value;
    ApplyFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
    FDateMode = Value;
    ApplyFormat();
}

void TDateTimePicker::ApplyFormat() {
    const TFormatSettings& fs = FormatSettings();
    if (FKind == dtkTime) {
        // hh:nn:ss in the platform's words: minutes are "n".
        std::string f = fs.LongTimeFormat;
        QString q;
        for (const char c : f) {
            if (c == 'n' || c == 'N')
                q += 'm';
            else if (c == ':')
                q += QChar(static_cast<unsigned char>(fs.TimeSeparator));
            else
                q += QChar(static_cast<unsigned char>(c));
        }
        Edit()->setDisplayFormat(q);
        Edit()->setCalendarPopup(false);
        return;
    }
    Edit()->setDisplayFormat(QtDateFormat(
        FDateFormat == dfShort ? fs.ShortDateFormat : "d mmmm yyyy", fs.DateSeparator));
    Edit()->setCalendarPopup(FDateMode == dmComboBox);
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
    FShowCheckbox = Value;
    if (Value && !FCheckbox) {
        FCheckbox = new QCheckBox(Edit()); // owned by the picker's widget
        // Clicks reach the picker, which toggles the box itself.
        FCheckbox->setAttribute(Qt::WA_TransparentForMouseEvents);
        FCheckbox->setFocusPolicy(Qt::NoFocus);
    }
    if (FCheckbox) {
        FCheckbox->setVisible(Value);
        const TRect r = CheckboxRect();
        FCheckbox->setGeometry(r.Left, r.Top, r.Width(), r.Height());
        FCheckbox->setChecked(FChecked);
    }
    if (QLineEdit* line = Edit()->findChild<QLineEdit*>())
        line->setTextMargins(Value ? 18 : 0, 0, 0, 0);
    SetChecked(FChecked);
}

void TDateTimePicker::SetChecked(bool Value) {
    const bool changed = FChecked != Value;
    FChecked = Value;
    if (FCheckbox) FCheckbox->setChecked(Value);
    // An unchecked picker shows its value greyed and takes no typing.
    if (QLineEdit* line = Edit()->findChild<QLineEdit*>()) line->setEnabled(Checked());
    if (changed && OnChange) OnChange(this);
}

TRect TDateTimePicker::CheckboxRect() const {
    if (!FShowCheckbox) return {};
    const int top = std::max(0, (Height() - 14) / 2);
    return {3, top, 17, top + 14};
}

bool TDateTimePicker::DroppedDown() const {
    QCalendarWidget* calendar = Edit()->calendarWidget();
    return calendar && calendar->isVisible();
}

void TDateTimePicker::SetDroppedDown(bool Value) {
    if (FKind != dtkDate || !Edit()->calendarPopup() || Value == DroppedDown()) return;
    if (Value) {
        // A press on the edit's own arrow opens its calendar.
        const QPoint arrow(Edit()->width() - 6, Edit()->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, arrow, Edit()->mapToGlobal(arrow),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, arrow, Edit()->mapToGlobal(arrow),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Edit(), &press);
        QCoreApplication::sendEvent(Edit(), &release);
        if (OnDropDown) OnDropDown(this);
    } else if (QCalendarWidget* calendar = Edit()->calendarWidget()) {
        calendar->window()->hide();
    }
}

void TDateTimePicker::WMMouseDown(TMessage& Message, TMouseButton Button) {
    const int x = static_cast<short>(Message.LParam & 0xFFFF);
    const TRect r = CheckboxRect();
    if (Button == mbLeft && FShowCheckbox && x >= r.Left - 2 && x < r.Right) {
        FCheckboxPressed = true;
        if (CanFocus() && !Focused()) SetFocus();
        SetChecked(!FChecked);
        Message.Result = 0;
        return;
    }
    TWinControl::WMMouseDown(Message, Button);
}

void TDateTimePicker::WMMouseUp(TMessage& Message, TMouseButton Button) {
    if (FCheckboxPressed && Button == mbLeft) {
        FCheckboxPressed = false;
        Message.Result = 0;
        return;
    }
    TWinControl::WMMouseUp(Message, Button);
}

void TDateTimePicker::KeyDown(WORD& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE && FShowCheckbox) {
        SetChecked(!FChecked);
        Key = 0;
    } else if (Key == VK_F4 && Shift.Empty()) {
        SetDroppedDown(!DroppedDown());
        Key = 0;
    }
}

void TDateTimePicker::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}
