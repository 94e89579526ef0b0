#include "gridtestenv.h"

#include <QEvent>
#include <QString>

void GridFixture::Activate() {
    ShowActive(Form.get());
    Grid->SetFocus();
    ProcessUntil([this] { return Grid->Focused(); });
}

void GridFixture::Press(int X, int Y, Qt::KeyboardModifiers Mods) {
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseButtonPress, X + b, Y + b, Qt::LeftButton, Mods);
}

void GridFixture::Drag(int X, int Y) {
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseMove, X + b, Y + b, Qt::LeftButton);
}

void GridFixture::Release(int X, int Y) {
    const int b = Grid->BorderOffset();
    SendMouse(Grid, QEvent::MouseButtonRelease, X + b, Y + b, Qt::LeftButton);
}

TPoint GridFixture::CellCenter(int ACol, int ARow) const {
    const TRect r = Grid->CellRect(ACol, ARow);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void GridFixture::Key(int QtKey, Qt::KeyboardModifiers Mods) {
    SendKey(Grid, QtKey, QString(), Mods);
}

void GridFixture::Type(TControl* Target, const std::string& Text) {
    for (char ch : Text) {
        const int key = ch >= 'a' && ch <= 'z' ? Qt::Key_A + (ch - 'a') : 0;
        SendKey(Target, key, QString(QChar(ch)));
    }
}
