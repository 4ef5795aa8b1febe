// The main window's integrity commands: the start-up pass over all items and
// "Reset Security *".
#include "shell/QuillDeck1.h"

#include "integrity/FileDigest.h"
#include "integrity/Fingerprint.h"
#include "integrity/Validation.h"
#include "integrity/Win32ValidationEnvironment.h"
#include "ui/MessageDialog.h"

namespace qd {

namespace {

// Holds a flag up for one scope, whichever way the scope ends.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

} // namespace

void TForm1::ValidateItems() {
    const ScopedFlag validating(validating_);
    Win32ValidationEnvironment environment(
        Handle(), [this](const std::string& path) { return ResolveItemPath(path); }, SecHash1,
        *StringGrid1);
    qd::ValidateItems(table_, {CheckSafe, KeepDeleted}, environment);
    StringGrid1Click();
    StringGrid1->TableChanged();
}

// A file that cannot be digested is not caught here: its error reaches the
// application's error box and the item stays disabled.
void TForm1::Pop1_ResetSecurityClick() {
    if (MessageDlg(Handle(), ResetSecurityQuestion, TMsgDlgType::Error,
                   {TMsgDlgBtn::OK, TMsgDlgBtn::Abort}, TMsgDlgBtn::OK) == IDABORT)
        return;
    const int row = table_.currentRow();
    const std::string path = ResolveItemPath(table_.cell(ColRelativePath, row));
    table_.setCell(ColFingerprint, row, makeItemFingerprint(DigestFile(SecHash1, path)));
    StringGrid1->TableChanged();
    StringGrid1Click();
}

} // namespace qd
