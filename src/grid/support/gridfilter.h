#pragma once
// Filter expressions of the grid's row filter, its find and the column filters.
// An expression is a row of conditions joined by '&' (and) or ';', '^', '|'
// (or), evaluated strictly left to right: A&B|C is ((A and B) or C).
// A condition is a comparison (">", ">=", "<", "<=" with a number, date or text
// operand) or a wildcard pattern ('*', '?', '!' to negate).

#include <string>

#include "platform/rtl/dateutils.h"

bool MatchFilter(const std::string& Expression, const std::string& Value, bool CaseSensitive);
bool MatchCondition(const std::string& Condition, const std::string& Value, bool CaseSensitive);

// Wildcard match of the whole Value: '*' any run, '?' one character, '"' is
// skipped, a '!' anywhere negates the result.
bool MatchWildcard(const std::string& Pattern, const std::string& Value);

// Day, month and year in the order of the short date format, split at the date
// separator. False (Date untouched) unless three numbers make a valid date.
bool ParseLocaleDate(const std::string& Text, TDateTime& Date);
