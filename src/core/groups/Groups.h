#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ItemTable.h"
#include "shell/Profile.h"

namespace qd {

// The group list: entry 0 is the built-in "Main", which shows every item and
// is never stored; entry k is the user's group k, stored under the key named
// k + 1 with "Groups" holding the count. The entries are the menu captions:
// a name added in this run keeps any "&" it was typed with.
using GroupList = std::vector<std::string>;

constexpr char MainGroupName[] = "Main";
// The options panel's name field holds at most this many characters.
constexpr int GroupNameLimit = 10;
// A damaged "Groups" count must not stall the start-up reading keys that were
// never written: the list stops here.
constexpr int MaxGroups = 1000;

// "Main", then the names of keys "2" ... "Groups" (a missing key is ""), up
// to the last key that is stored.
GroupList readGroups(ProfileStore& store);

// Main is recognised by its caption: a menu may have added its own "&".
bool isMainCaption(std::string_view caption);
std::string withoutAmpersands(std::string_view text);

// The name field for browse position `position` (1-based, clamped to the list).
std::string browsedGroupName(const GroupList& groups, int position);

// Selects group `index` and filters the rows: Main shows every row and keeps
// the current row; another group shows only the rows whose Group cell is its
// number and makes the first of them current (no such row: the current row
// stays). An index outside the list selects Main. Returns the selected index.
int selectGroup(ItemTable& table, const GroupList& groups, int index);

// Adds `typed` as a new last group unless it is empty, already a caption, or
// the list is full. Writes "Groups" and then the name without "&" under the
// new last key; the list grows only once both writes went through. Returns
// whether the group was added.
bool addGroup(ProfileStore& store, GroupList& groups, const std::string& typed);

// Deletes the group at browse position `position` unless the name field reads
// "Main" or is empty, or the position is Main's or outside the list. The
// stored names after it move down one key, "Groups" drops by one and the old
// last key is removed. Items keep belonging to their group: those of the
// deleted group go to Main, those of later groups follow their group down one
// number. Returns whether the group was deleted; the caller selects Main.
bool deleteGroup(ProfileStore& store, GroupList& groups, ItemTable& table, int position,
                 const std::string& nameField);

} // namespace qd
