#pragma once
// Unicode text kept in a single-byte grid cell: the prefix "|\" followed by two
// characters per UTF-16 code unit, high byte first.

#include <string>

inline constexpr char WideCellPrefix[] = "|\\";

bool IsWideCell(const std::string& S);
void EncodeWideCell(const std::u16string& W, std::string& S);
// A text without the prefix is ordinary single-byte text and is converted as such.
void DecodeWideCell(const std::string& S, std::u16string& W);
std::string EncodeWideCell(const std::u16string& W);
std::u16string DecodeWideCell(const std::string& S);
// The cell text that holds W: single-byte text where the code page holds
// every character, else a wide cell. A text that itself starts with the
// prefix is kept wide too, or the cell would read its letters as code units.
std::string WideToCellText(const std::u16string& W);
// 1-based position of Sub in S; 0 when absent or when Sub is empty.
int WidePos(const std::u16string& Sub, const std::u16string& S);
