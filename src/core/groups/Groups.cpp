#include "groups/Groups.h"

#include <algorithm>

#include "common/AnsiText.h"
#include "ui/RowNavigation.h"

namespace qd {

namespace {

constexpr char CountKey[] = "Groups";

std::string nameKey(int group) {
    return std::to_string(group + 1);
}

// The deleted group's items go to Main; later groups' items follow their group.
void renumberItems(ItemTable& table, int deletedGroup) {
    if (table.isEmpty()) return;
    for (int row = 0; row < table.rowCount(); ++row) {
        int group;
        if (!parseDecimal(table.cell(ColGroup, row), group) || group < deletedGroup) continue;
        table.setCell(ColGroup, row, std::to_string(group == deletedGroup ? 0 : group - 1));
    }
}

} // namespace

GroupList readGroups(ProfileStore& store) {
    GroupList groups{MainGroupName};
    const int count = std::min(store.readInteger(CountKey, 1), MaxGroups);
    // A count beyond the last stored name names no groups that exist (a
    // damaged or hand-edited file): the list ends with the last stored name.
    // No stored value can be a line break, so it marks a missing key.
    constexpr char Absent[] = "\n";
    std::size_t stored = 1;
    for (int group = 1; group < count; ++group) {
        const std::string name = store.readString(nameKey(group), Absent);
        if (name == Absent) {
            groups.emplace_back();
        } else {
            groups.push_back(name);
            stored = groups.size();
        }
    }
    groups.resize(stored);
    return groups;
}

bool isMainCaption(std::string_view caption) {
    return caption == "Main" || caption == "&Main";
}

std::string withoutAmpersands(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '&') out += c;
    return out;
}

std::string browsedGroupName(const GroupList& groups, int position) {
    const int index = std::clamp(position, 1, static_cast<int>(groups.size())) - 1;
    return withoutAmpersands(groups[index]);
}

int selectGroup(ItemTable& table, const GroupList& groups, int index) {
    if (index < 0 || index >= static_cast<int>(groups.size())) index = 0;
    if (isMainCaption(groups[index])) {
        for (int row = 0; row < table.rowCount(); ++row)
            table.setRowHeight(row, DefaultRowHeight);
        return index;
    }
    const std::string number = std::to_string(index);
    for (int row = 0; row < table.rowCount(); ++row)
        table.setRowHeight(row, table.cell(ColGroup, row) == number ? DefaultRowHeight
                                                                    : HiddenRowHeight);
    table.setCurrentRow(firstShownRow(table, table.currentRow()));
    return index;
}

bool addGroup(ProfileStore& store, GroupList& groups, const std::string& typed) {
    if (typed.empty() || std::find(groups.begin(), groups.end(), typed) != groups.end() ||
        static_cast<int>(groups.size()) >= MaxGroups)
        return false;
    const int group = static_cast<int>(groups.size());
    store.writeInteger(CountKey, group + 1);
    store.writeString(nameKey(group), withoutAmpersands(typed));
    groups.push_back(typed);
    return true;
}

bool deleteGroup(ProfileStore& store, GroupList& groups, ItemTable& table, int position,
                 const std::string& nameField) {
    const int count = static_cast<int>(groups.size());
    if (nameField == MainGroupName || nameField.empty() || position < 2 || position > count)
        return false;
    // Key j takes the name of key j + 1, for every key after the deleted one.
    for (int key = position; key < count; ++key)
        store.writeString(std::to_string(key), store.readString(std::to_string(key + 1), ""));
    store.writeInteger(CountKey, count - 1);
    store.deleteKey(std::to_string(count));
    const int deleted = position - 1;
    groups.erase(groups.begin() + deleted);
    renumberItems(table, deleted);
    return true;
}

} // namespace qd
