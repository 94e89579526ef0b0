#pragma once
// Opening a web or mail address with the desktop's own handler (the browser,
// the mail program).

#include <string>

// Whether the text is an address that may be handed to the desktop: only
// "http:", "https:" and "mailto:" (any case) with something after the scheme.
// A file path, a program or any other scheme is not: text shown in a program
// can come from files and the clipboard, and must never start programs.
bool IsOpenableURL(const std::string& Url);

// Hands an openable address to the desktop's handler; false (nothing done)
// for any other text or when the desktop refused it.
bool OpenURL(const std::string& Url);
