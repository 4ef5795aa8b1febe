#pragma once
#include <string>

#include "catalogue/ItemTable.h"
#include "integrity/FileState.h"
#include "integrity/SecHash.h"

namespace qd {

// Caption of the box that reports a changed executable.
constexpr char SecurityErrorCaption[] = "Security error !";

// Asked before "Reset Security *" accepts a changed executable; only "&Abort"
// keeps the item disabled.
constexpr char ResetSecurityQuestion[] = "This application has been changed !\r\n"
                                         "Could be just a diferent file version, or\r\n"
                                         "a virus of some kind has changed it...\r\n"
                                         "\r\n"
                                         "Are you sure to proceed ?";

// Text of the "Security error !" box for a row whose executable changed.
std::string changedFileText(const ItemTable& table, int row);

// What the start-up pass needs from the platform: Windows implements it, tests fake it.
class ValidationEnvironment {
  public:
    virtual ~ValidationEnvironment() = default;
    // Full path of a RelativePath, expanded against the launcher folder itself:
    // a launch run between two rows may have moved the current directory.
    virtual std::string resolve(const std::string& relativePath) = 0;
    // Exists only for an existing file (a folder is not one); Missing only
    // when the file system says it is not there.
    virtual FileState fileState(const std::string& fullPath) = 0;
    // Throws when the file cannot be opened or read.
    virtual TSecHashDigest digest(const std::string& fullPath) = 0;
    // Lets waiting window messages run, once per row. Returns false when the
    // pass must stop here (the program is closing).
    virtual bool pumpMessages() = 0;
    // A row was disabled or removed (rows below it moved up): drawn at once,
    // before the message that names it.
    virtual void showRowChange(int row, bool removed) = 0;
    // The asterisk sound, then an error box captioned SecurityErrorCaption.
    virtual void showSecurityError(const std::string& text) = 0;
    // The standard warning dialog, one OK button.
    virtual void showWarning(const std::string& text) = 0;
};

struct ValidationOptions {
    bool checkSafe = false;   // compare each executable with its fingerprint
    bool keepDeleted = false; // keep items whose executable is gone, disabled
};

// The start-up check of every item, last row first: a changed executable
// disables its item, a missing one disables or removes it, a file that cannot
// be read or checked is only reported. Messages quote titles shortened. Every row that remains gets
// its tray entry, so the entries end up in row order. The empty table is left alone. A pass told to
// stop leaves the rows it has not visited exactly as they were.
void ValidateItems(ItemTable& table, const ValidationOptions& options, ValidationEnvironment& env);

} // namespace qd
