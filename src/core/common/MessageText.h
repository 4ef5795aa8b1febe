#pragma once
#include <string>

namespace qd {

// Longest piece of a user's text (a title, a file name) that a message quotes.
constexpr std::size_t MaxQuotedLength = 200;

// The text as a message quotes it: whole up to MaxQuotedLength characters,
// otherwise its beginning cut with "..." to that length, so a huge title can
// neither stall the box nor make it wider than the screen.
std::string quotedInMessage(const std::string& text);

} // namespace qd
