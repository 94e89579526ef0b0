#include "platform/vcl/mask.h"

#include <QLineEdit>

#include "platform/vcl/gfx/qtconvert.h"

std::string QtInputMask(const std::string& EditMask) {
    if (EditMask.empty()) return {};
    // Fields: picture ; keep literals ; blank character.
    const size_t first = EditMask.find(';');
    const std::string picture = EditMask.substr(0, first);
    char blank = '_';
    if (first != std::string::npos) {
        const size_t second = EditMask.find(';', first + 1);
        if (second != std::string::npos && second + 1 < EditMask.size())
            blank = EditMask[second + 1];
    }
    std::string out;
    for (size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        switch (c) {
        case '!':
            break; // trimming of blanks: Qt keeps the text as typed
        case '0':
            out += '9';
            break; // a digit that must be there
        case '9':
            out += '0';
            break; // a digit that may be left out
        case '#':
            out += '#';
            break;
        case 'L':
            out += 'A';
            break;
        case 'l':
            out += 'a';
            break;
        case 'A':
            out += 'N';
            break;
        case 'a':
            out += 'n';
            break;
        case 'C':
            out += 'X';
            break;
        case 'c':
            out += 'x';
            break;
        case '>':
        case '<':
            if (c == '<' && i + 1 < picture.size() && picture[i + 1] == '>') {
                out += '!';
                ++i;
            } else {
                out += c;
            }
            break;
        case '\\':
            if (i + 1 < picture.size()) out += std::string("\\") + picture[++i];
            break;
        default:
            // A literal: escaped when Qt would read it as a mask character.
            if (std::string("AaNnXx90Dd#HhBb><!{}[]").find(c) != std::string::npos) out += '\\';
            out += c;
            break;
        }
    }
    return out + ";" + blank;
}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
    FEditMask = Value;
    Edit()->setInputMask(ToQString(QtInputMask(Value)));
}
