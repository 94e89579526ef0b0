#pragma once
// Text routines of the grids: positions, cell references, links, line breaks,
// quoting for the clipboard and CSV, and name capitalisation.
// Positions are 1-based and 0 means absent, as in the rest of the text code.

#include <string>

#include "platform/rtl/types.h"

// Min = Max: Value; a bound of 0 or less is no bound.
int ClampToRange(int Value, int Min, int Max);
int Min(int A, int B);
int Max(int A, int B);
// (X, Y) inside (Left, Top, Right, Bottom), bounds included.
bool IsCellInRect(int X, int Y, const TRect& R);

int FindInUpperCase(const std::string& Sub, const std::string& S);
// P is set only when C is found.
int FindCharPos(char C, const std::string& S, int& P);
int CharPos(char C, const std::string& S);
int FindTextPos(const std::string& Sub, const std::string& S, int& P);

// "R<row>C<col>", any case. False with Col and Row untouched when it is not one.
bool ParseRCCellRef(const std::string& Text, int& Col, int& Row);

bool IsURL(const std::string& Text);
void StripURLProtocol(std::string& Text);

std::string ExpandNewLineEscapes(const std::string& Text); // "\n" -> CR
void FillWithChar(std::string& Text, char C);
void ConvertOemToAnsi(std::string& Text); // OEM code page 437 to Windows-1252
// A doubled C becomes one, a single C is dropped.
std::string CollapseDoubledChar(const std::string& Text, char C);
// Multi-line text as one quoted field: CR LF becomes LF, inner quotes unchanged.
std::string QuoteMultiLineText(const std::string& Text);
std::string ExpandLineFeeds(const std::string& Text); // lone LF -> CR LF
std::string ExpandTildes(const std::string& Text);    // '~' -> CR LF
// Line = Text up to the first CR (a following LF dropped too); the rest stays in
// Text when KeepRest, else Text is emptied.
void ExtractFirstLine(std::string& Text, bool KeepRest, std::string& Line);
int CountLines(const std::string& Text, bool MultiLine);

// Doubled characters are escapes (as in CSV quoting): a C is unpaired when it
// ends a run of odd length.
int FindUnpairedChar(const std::string& Text, char C);
int CountUnpairedChars(const std::string& Text, char C);
int CountChar(const std::string& Text, char C);
std::string StripCarriageReturns(const std::string& Text);

// o'brien-smith jr. -> O'Brien-Smith Jr.; mcdonald -> McDonald; henry iii -> Henry III.
std::string CapitalizeWords(const std::string& Text);
