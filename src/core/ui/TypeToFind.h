#pragma once
#include <string>
#include <string_view>

#include "catalogue/ItemTable.h"

namespace qd {

// Shown under the list while nothing matches the typed text.
constexpr char NoMatchText[] = "No item matches";

// Whether a title holds the typed text, ASCII letters compared without
// regard to case; other bytes must be equal.
bool titleMatches(std::string_view title, std::string_view text);

// Leaves out the rows whose title does not hold `text` (none for an empty
// text); the group filter's row heights stay as they are. Returns the number
// of rows shown afterwards.
int applySearch(ItemTable& table, std::string_view text);

// A key typed into the list: letters, digits and spaces extend the text,
// Backspace shortens it. False for any other character.
bool editSearchText(std::string& text, char typed);

} // namespace qd
