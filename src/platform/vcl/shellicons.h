#pragma once
// Icons of files, folders and file types as the desktop shows them: taken from
// the desktop's icon theme, with a plain page or folder drawn where the theme
// has nothing.

#include <string>

class TBitmap;

// The side of a small (16) or large (32) icon.
int ShellIconSize(bool Large);

// The icon for Source into Bitmap: a square of ShellIconSize(Large) with an
// alpha channel. Source is
// - a number: one of the desktop's standard icons (0 unknown file, 1 text,
//   2 program, 3 folder, 4 open folder, 5/6 floppy, 7 removable drive,
//   8 hard disk, 9/10 network drive, 11 optical disc, 12 memory disk,
//   13 network, 15 computer, 16 printer; others the unknown file);
// - an existing file or folder: the icon of what it is;
// - any other name: the icon of its file type, told by its extension.
// There is always an icon: the generic one when nothing better is found.
void LoadShellIcon(TBitmap& Bitmap, const std::string& Source, bool Large);
