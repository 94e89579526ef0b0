#include "platform/vcl/widetext.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/listctrls.h"

namespace {

QString ToQ(const std::u16string& Text) {
    return QString::fromStdU16String(Text);
}

QComboBox* ComboOf(const TComboBox& Combo) {
    return qobject_cast<QComboBox*>(Combo.Widget());
}

} // namespace

std::u16string ControlWideText(const TControl& Control) {
    QWidget* w = Control.Widget();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toStdU16String();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText().toStdU16String();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text().toStdU16String();
    return Cp1252ToUtf16(Control.Text());
}

void SetControlWideText(TControl& Control, const std::u16string& Text) {
    QWidget* w = Control.Widget();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(ToQ(Text));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const int index = combo->findText(ToQ(Text), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (combo->isEditable()) {
            if (index >= 0) combo->setCurrentIndex(index);
            combo->setEditText(ToQ(Text));
        } else {
            combo->setCurrentIndex(index);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(ToQ(Text));
    } else {
        Control.SetText(Utf16ToCp1252(Text));
    }
}

int ComboItemCount(const TComboBox& Combo) {
    return ComboOf(Combo)->count();
}

std::u16string ComboItemWideText(const TComboBox& Combo, int Index) {
    QComboBox* combo = ComboOf(Combo);
    if (Index < 0 || Index >= combo->count()) return {};
    return combo->itemText(Index).toStdU16String();
}

void SetComboItemWideText(TComboBox& Combo, int Index, const std::u16string& Text) {
    QComboBox* combo = ComboOf(Combo);
    if (Index >= 0 && Index < combo->count()) combo->setItemText(Index, ToQ(Text));
}
