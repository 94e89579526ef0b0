#pragma once
// Sets the process's decimal and thousand separators for one test and puts the
// previous ones back afterwards.

#include "platform/rtl/sysutils.h"

class SeparatorScope {
public:
    SeparatorScope(char Decimal, char Thousand)
        : FDecimal(FormatSettings().DecimalSeparator),
          FThousand(FormatSettings().ThousandSeparator) {
        FormatSettings().DecimalSeparator = Decimal;
        FormatSettings().ThousandSeparator = Thousand;
    }
    ~SeparatorScope() {
        FormatSettings().DecimalSeparator = FDecimal;
        FormatSettings().ThousandSeparator = FThousand;
    }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;

private:
    char FDecimal;
    char FThousand;
};
