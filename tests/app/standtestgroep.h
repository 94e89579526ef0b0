#pragma once
// Small groups with hand-chosen players and results, for the standings tests.

#include <memory>
#include <string>
#include <vector>

#include "model/group.h"

struct TTestSpeler {
    std::string Achternaam;
    int Knsb = 0;
    bool Vrij = false; // the bye
};

// Players numbered 1.. in the given order, games from the Berger table, linked;
// no results yet.
std::unique_ptr<TGroep> MakeTestGroep(const std::vector<TTestSpeler>& Spelers,
                                      bool DubbelRondig = false);
// The result of A against B (entry code seen from A) in the given cycle; the
// group's round records and statistics are rebuilt after.
TGame* SetTestResult(TGroep& G, int A, int B, TInvoerCode Code, int EersteHelft = 1);

// A result of the first cycle: A against B, entry code seen from A.
struct TTestResult {
    int A, B;
    TInvoerCode Code;
};
// Each result in turn, as SetTestResult; a game that is not there fails the test.
void SetTestResults(TGroep& G, const std::vector<TTestResult>& Results);
