#pragma once
#include <stdexcept>
#include <string>

namespace qd {

// The one error type of the program. Its message is the text the user sees,
// in the program's own words ("Bitmap image is not valid", "Cannot open file ...").
class EQuillDeck : public std::runtime_error {
  public:
    explicit EQuillDeck(const std::string& message) : std::runtime_error(message) {}
};

// Text of the application's error box: a message whose last character sorts
// after "." (letters, digits) gets a full stop; one ending in "!" does not.
std::string errorBoxText(const std::string& message);

} // namespace qd
