#pragma once
// The progress window of a file operation: its title, the item at hand (left
// out for simple progress) and a bar of the items done.

#include <string>

#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

class TdkProgressWindow : public TForm {
public:
    TdkProgressWindow(const std::string& Title, bool Simple);
    std::string ClassName() const override { return "TdkProgressWindow"; }
    // Shows Done of Total items done, the next being Item, and lets the
    // window thread draw it.
    void Step(int Done, int Total, const std::string& Item);
    int Done() const { return FDone; }
    int Total() const { return FTotal; }
    std::string ItemText() const { return FItem->Caption(); }

private:
    void BarPaint(TObject* Sender);
    bool FSimple;
    TLabel* FItem;
    TPaintBox* FBar;
    int FDone = 0, FTotal = 0;
};
