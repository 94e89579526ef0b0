#include "platform/vcl/editalign.h"

#include <QLineEdit>

void SetEditAlignment(TCustomEdit& Edit, TAlignment Value) {
    auto* edit = qobject_cast<QLineEdit*>(Edit.Widget());
    if (!edit) return;
    const Qt::Alignment horizontal = Value == taRightJustify ? Qt::AlignRight
                                     : Value == taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
    edit->setAlignment(horizontal | Qt::AlignVCenter);
}

TAlignment EditAlignment(const TCustomEdit& Edit) {
    const auto* edit = qobject_cast<const QLineEdit*>(Edit.Widget());
    if (!edit) return taLeftJustify;
    const Qt::Alignment a = edit->alignment();
    if (a & Qt::AlignRight) return taRightJustify;
    if (a & Qt::AlignHCenter) return taCenter;
    return taLeftJustify;
}
