#pragma once
// Routines of the tagged-text renderer: colour names and hexadecimal colours,
// escaping, attributes of tags, the CONTROL tag, and plain text from tagged text.

#include <string>

#include "platform/vcl/gfx/colors.h"

// Colour of a lower-case name ("clred", "clbtnface", ...); any other name gives 0.
TColor ColorFromName(const std::string& Name);
// Value of the first two characters as hexadecimal digits (either case); 0 when
// the text is shorter than two characters, -1 when they are not both hexadecimal.
int HexByteValue(const std::string& Text);
// "#RRGGBB" as a colour with red in the low byte. False (Color untouched) for a
// text that is not '#' and six hexadecimal digits.
bool TryColorFromHex(const std::string& Text, TColor& Color);
// As TryColorFromHex; black for a text that is no hexadecimal colour.
TColor ColorFromHex(const std::string& Text);
// A colour attribute value: "#RRGGBB" or a colour name in any case.
TColor ColorFromAttribute(const std::string& Value);

int PosIgnoreCase(const std::string& Sub, const std::string& Text);
int TextToInt(const std::string& Text); // 0 when not a number
// Removes the first "<#" and the first '>' after it.
std::string StripTemplateTag(const std::string& Text);
// Appends Text without CR and LF; with BreakLines every CR becomes "<BR>".
void LinesToHTML(const std::string& Text, bool BreakLines, std::string& Result);
int FindText(const std::string& Sub, const std::string& Text, int& Pos);
int FindUpperText(const std::string& Sub, const std::string& Text, int& Pos);
bool ReplaceFirstIgnoreCase(const std::string& Find, const std::string& Replace, std::string& Text);

std::string UnescapeAngles(const std::string& Text); // "&lt;" "&gt;" -> '<' '>'
std::string EscapeAngles(const std::string& Text);   // '<' '>' -> "&lt;" "&gt;"
// A control's value inside a double-quoted attribute: angles and quotes escaped.
std::string EscapeControlValue(const std::string& Text);
std::string UnescapeControlValue(const std::string& Text);

// The value of NAME="value" in a tag: the name is matched ignoring case, as a
// whole word outside quoted values (so COLOR does not match BGCOLOR). False when
// the tag has no such attribute.
bool FindTagAttribute(const std::string& Tag, const std::string& Name, std::string& Value);

// TYPE (upper-cased), ID, WIDTH and VALUE of a CONTROL tag; missing ones are left.
void ParseControlTag(const std::string& Tag, std::string& Type, std::string& ID, std::string& Width,
                     std::string& Value);
// Rewrites the VALUE of the CONTROL tag whose ID is ID; false (HTML unchanged)
// when there is none.
bool SetControlTagValue(std::string& HTML, const std::string& ID, const std::string& Value);

bool IsDirectory(const std::string& Path);

// Plain text of tagged text: <BR> and <HR> become CR LF, other tags go, the text
// between them is kept as it is. From a '<' without '>' on the text is kept.
std::string StripHTML(const std::string& Text);

// The entities of cell text, decoded in one pass: &amp; &quot; &lt; &gt; &nbsp;
// &sect; &permil; &reg; &copy; &para; &trade; &euro; (Windows-1252 characters).
// Anything else, and a '&' on its own, stays as it is.
std::string DecodeHTMLEntities(const std::string& Text);
