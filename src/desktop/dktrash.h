#pragma once
// The desktop's trash (the freedesktop.org trash folder under the user's data
// folder): files moved there can be put back where they were.

#include <string>

// The trash folder ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash).
std::string dkTrashFolder();
// Moves a file or folder to the trash with a record of where it was; 0 or an
// errno value.
int dkMoveToTrash(const std::string& FileName);
// Puts the item last trashed from FileName back; 0 or an errno value
// (ENOENT when the trash holds none, EEXIST when the place is taken again).
int dkRestoreFromTrash(const std::string& FileName);
