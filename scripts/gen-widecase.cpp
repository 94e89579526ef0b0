// Prints the case key table of src/platform/rtl/widecase.cpp: for every code
// point c whose key upper(folded(c)) differs from c, runs of
// (first, last, delta, step). Build: g++ -std=c++20 -fPIC gen-widecase.cpp $(pkg-config --cflags
// --libs Qt6Core)
#include <QChar>
#include <cstdio>
#include <vector>
int main() {
    struct R {
        unsigned first, last;
        int delta;
        unsigned step;
    };
    std::vector<std::pair<unsigned, int>> m;
    for (unsigned c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const unsigned k = QChar::toUpper(QChar::toCaseFolded(c));
        if (k != c) m.push_back({c, int(k) - int(c)});
    }
    std::vector<R> runs;
    for (auto [c, d] : m) {
        if (!runs.empty()) {
            R& r = runs.back();
            if (r.delta == d) {
                if (r.first == r.last && (c - r.last == 1 || c - r.last == 2)) {
                    r.step = c - r.last;
                    r.last = c;
                    continue;
                }
                if (r.first != r.last && c - r.last == r.step) {
                    r.last = c;
                    continue;
                }
            }
        }
        runs.push_back({c, c, d, 1});
    }
    for (auto& r : runs)
        std::printf("    {0x%05X, 0x%05X, %d, %u},\n", r.first, r.last, r.delta, r.step);
    std::fprintf(stderr, "%zu mappings, %zu runs\n", m.size(), runs.size());
}
