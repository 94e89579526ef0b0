#include "grid/support/gridfilter.h"

#include <vector>

#include "platform/rtl/sysutils.h"

namespace {

bool IsJoinChar(char c) {
    return c == '&' || c == ';' || c == '^' || c == '|';
}

// Removes the blanks around the join characters and '=', then every '=' that
// does not belong to "<=" or ">=" (a condition "=abc" means "abc").
std::string NormalizeExpression(const std::string& Expression) {
    const std::string t = Trim(Expression);
    std::string out;
    out.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == ' ') {
            size_t k = i;
            while (k < t.size() && t[k] == ' ')
                ++k;
            const bool beforeOp = k < t.size() && (IsJoinChar(t[k]) || t[k] == '=');
            const bool afterOp = !out.empty() && (IsJoinChar(out.back()) || out.back() == '=');
            if (!beforeOp && !afterOp) out.append(k - i, ' ');
            i = k - 1;
            continue;
        }
        out += c;
    }
    std::string result;
    result.reserve(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '=' && !(i > 0 && (out[i - 1] == '<' || out[i - 1] == '>'))) continue;
        result += out[i];
    }
    return result;
}

struct TComparison {
    std::string Operand;
    bool OrEqual = false;
};

// The operand after the first Op: an '=' right after it makes the test
// inclusive; leading blanks skipped; it ends at a blank, '&', '|' or the end;
// one leading and one trailing double quote are dropped.
TComparison ReadOperand(const std::string& P, size_t opPos) {
    TComparison c;
    size_t i = opPos + 1;
    if (i < P.size() && P[i] == '=') {
        c.OrEqual = true;
        ++i;
    }
    while (i < P.size() && P[i] == ' ')
        ++i;
    size_t end = i;
    while (end < P.size() && P[end] != ' ' && P[end] != '&' && P[end] != '|')
        ++end;
    std::string op = P.substr(i, end - i);
    if (!op.empty() && op.front() == '"') op.erase(0, 1);
    if (!op.empty() && op.back() == '"') op.pop_back();
    c.Operand = op;
    return c;
}

// -1, 0 or 1 for Value against Operand: as numbers when both are numbers, else
// as dates when both are dates, else as texts of at most 255 characters.
int CompareOperand(const std::string& Value, const std::string& Operand) {
    double a = 0, b = 0;
    if (TryStrToFloat(Value, a) && TryStrToFloat(Operand, b)) return a < b ? -1 : (a > b ? 1 : 0);
    TDateTime da = 0, db = 0;
    if (ParseLocaleDate(Value, da) && ParseLocaleDate(Operand, db))
        return da < db ? -1 : (da > db ? 1 : 0);
    const int r = CompareStr(Value.substr(0, 255), Operand.substr(0, 255));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool WildcardTail(const std::string& p, const std::string& v) {
    // Greedy match with backtracking to the last '*': linear in practice and
    // never exponential, however many stars the pattern holds.
    size_t pi = 0, vi = 0;
    size_t starP = std::string::npos, starV = 0;
    while (vi < v.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == v[vi])) {
            ++pi;
            ++vi;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starV = vi;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            vi = ++starV;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

} // namespace

bool MatchWildcard(const std::string& Pattern, const std::string& Value) {
    bool negate = false;
    std::string p;
    p.reserve(Pattern.size());
    for (const char c : Pattern) {
        if (c == '!')
            negate = true;
        else if (c != '"')
            p += c;
    }
    return WildcardTail(p, Value) != negate;
}

bool MatchCondition(const std::string& Condition, const std::string& Value, bool CaseSensitive) {
    const std::string p = CaseSensitive ? Condition : AnsiUpperCase(Condition);
    const std::string v = CaseSensitive ? Value : AnsiUpperCase(Value);
    const size_t gt = p.find('>');
    if (gt != std::string::npos) {
        const TComparison c = ReadOperand(p, gt);
        const int r = CompareOperand(v, c.Operand);
        if (r > 0 || (c.OrEqual && r == 0)) return true;
    }
    const size_t lt = p.find('<');
    if (lt != std::string::npos) {
        const TComparison c = ReadOperand(p, lt);
        const int r = CompareOperand(v, c.Operand);
        if (r < 0 || (c.OrEqual && r == 0)) return true;
    }
    return MatchWildcard(p, v);
}

bool MatchFilter(const std::string& Expression, const std::string& Value, bool CaseSensitive) {
    const std::string e = NormalizeExpression(Expression);
    bool result = false;
    char join = 0; // none before the first piece
    size_t start = 0;
    for (size_t i = 0; i <= e.size(); ++i) {
        if (i < e.size() && !IsJoinChar(e[i])) continue;
        const bool m = MatchCondition(e.substr(start, i - start), Value, CaseSensitive);
        if (join == 0)
            result = m;
        else if (join == '&')
            result = result && m;
        else
            result = result || m;
        if (i < e.size()) join = e[i];
        start = i + 1;
    }
    return result;
}

bool ParseLocaleDate(const std::string& Text, TDateTime& Date) {
    const TFormatSettings& fs = FormatSettings();
    const std::string fmt = UpperCase(fs.ShortDateFormat);
    const size_t pd = fmt.find('D'), pm = fmt.find('M'), py = fmt.find('Y');
    if (pd == std::string::npos || pm == std::string::npos || py == std::string::npos) return false;
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= Text.size(); ++i) {
        if (i == Text.size() || Text[i] == fs.DateSeparator) {
            parts.push_back(Text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() != 3) return false;
    // Rank of each field in the format gives its place in the text.
    auto rank = [&](size_t p) {
        return static_cast<int>(p > pd) + static_cast<int>(p > pm) + static_cast<int>(p > py);
    };
    int day = 0, month = 0, year = 0;
    if (!TryStrToInt(Trim(parts[static_cast<size_t>(rank(pd))]), day) ||
        !TryStrToInt(Trim(parts[static_cast<size_t>(rank(pm))]), month) ||
        !TryStrToInt(Trim(parts[static_cast<size_t>(rank(py))]), year))
        return false;
    if (day >= 32 || month >= 13) return false;
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d)) return false;
    Date = d;
    return true;
}
