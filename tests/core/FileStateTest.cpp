#include "integrity/FileState.h"

#include <gtest/gtest.h>

#include <string>

namespace qd {
namespace {

TEST(FileState, OnlyANotThereAnswerMeansMissing) {
    struct Case {
        LookupOutcome outcome;
        bool rootReachable;
        FileState expected;
    };
    const Case cases[] = {
        {LookupOutcome::File, false, FileState::Exists},
        {LookupOutcome::Folder, true, FileState::Missing},
        {LookupOutcome::FileNotFound, true, FileState::Missing},
        {LookupOutcome::FileNotFound, false, FileState::Unknown},
        {LookupOutcome::PathNotFound, true, FileState::Missing},
        // A drive or share that is not attached says nothing about the file.
        {LookupOutcome::PathNotFound, false, FileState::Unknown},
        {LookupOutcome::OtherError, true, FileState::Unknown},
        {LookupOutcome::OtherError, false, FileState::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(judgeLookup(c.outcome, c.rootReachable), c.expected)
            << static_cast<int>(c.outcome) << " " << c.rootReachable;
}

TEST(FileState, RootOfAPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\kit\\tool.exe", "C:\\"},
        {"q:\\tool.exe", "q:\\"},
        {"\\\\server\\share\\dir\\tool.exe", "\\\\server\\share\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},
        {"\\\\server", ""},
        {"\\\\server\\\\x", ""},
        {"\\\\?\\C:\\tool.exe", ""},
        {"C:tool.exe", ""},
        {"tool.exe", ""},
        {"", ""},
    };
    for (const auto& [path, root] : cases)
        EXPECT_EQ(pathRoot(path), root) << path;
}

TEST(FileState, ExtendedLengthFormFromMaxPathOn) {
    const std::string tail(250, 'x');
    const std::string longDrive = "C:\\" + tail + "\\tool.exe";   // 263 characters
    const std::string justShort = "C:\\" + std::string(256, 'x'); // 259 characters
    const std::string atLimit = justShort + "y";
    const std::string longUnc = "\\\\server\\share\\" + tail;
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\tool.exe", "C:\\tool.exe"},
        {justShort, justShort},
        {atLimit, "\\\\?\\" + atLimit},
        {longDrive, "\\\\?\\" + longDrive},
        {longUnc, "\\\\?\\UNC\\server\\share\\" + tail},
        {"\\\\?\\" + longDrive, "\\\\?\\" + longDrive}, // already extended
        {tail + tail, tail + tail},                     // not a full path
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(extendedLengthPath(path), expected) << path.size();
}

} // namespace
} // namespace qd
