#pragma once
// What the window tests share: a realistic club group, the current group set for
// one test, modal windows driven from inside their own message loop, pictures.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/group.h"

class TControl;
class TCustomForm;

// Eight club members (Dutch names, member numbers from 7000001, KNSB and FIDE
// ratings, birth years, two women) in group "Clubkampioenschap A", single round
// (or double), games from the Berger table, linked. With results: every game of
// the first cycle has one, among them a draw, a "1-0 Regl." and a "½-½ Regl.";
// the second cycle of a double group stays open.
std::unique_ptr<TGroep> MakeClubGroep(bool DubbelRondig = false, bool WithResults = true);

// Makes Groep the current group (and its rating kind the current kind) for the
// lifetime of the scope; the previous ones come back after.
class TCurGroepScope {
public:
    explicit TCurGroepScope(TGroep* Groep);
    ~TCurGroepScope();
    TCurGroepScope(const TCurGroepScope&) = delete;
    TCurGroepScope& operator=(const TCurGroepScope&) = delete;

private:
    TGroep* FPrevious;
    TRatingType FPreviousRating;
};

// Shows Form modally and runs WhileShown from inside its message loop once it
// shows; WhileShown ends the modal loop (SetModalResult or Close). Should it not,
// the form is closed after it returns. Answers the modal result.
int RunModal(TCustomForm& Form, const std::function<void()>& WhileShown);

// Paints Control into <artifacts>/<Name> (a .png) and answers the path.
std::string SavePicture(TControl& Control, const std::string& Name);

// S cut or padded with spaces to N characters: a field of a fixed-width list.
std::string Pad(const std::string& S, size_t N);

// The lines of a text written with CR LF; a failure when the last line has no
// CR LF of its own.
std::vector<std::string> SplitCrLf(const std::string& Text);
