#pragma once
// File-system steps of the file operation on disk paths (UTF-8); each answers
// 0 or an errno value, and none ever replaces an existing file unless told to.

#include <string>

// Renames From to To; EEXIST when To exists. Across file systems the item is
// copied and the source removed once the copy is whole.
int dkMoveNoReplace(const std::string& From, const std::string& To);
// Copies a file or a folder tree; with Replace an existing file To is
// overwritten, else EEXIST.
int dkCopyItem(const std::string& From, const std::string& To, bool Replace);
// Removes a file or a folder tree.
int dkRemoveItem(const std::string& Path);
// True when Inner is Outer or lies inside it (after resolving both).
bool dkIsSameOrInside(const std::string& Inner, const std::string& Outer);
