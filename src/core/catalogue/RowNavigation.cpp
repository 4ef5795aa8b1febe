#include "catalogue/RowNavigation.h"

namespace qd {

int nextShownRow(const ItemTable& table, int from, int step) {
    for (int r = from + step; r >= 0 && r < table.rowCount(); r += step)
        if (table.isShown(r)) return r;
    return from;
}

int firstShownRow(const ItemTable& table, int from) {
    for (int r = 0; r < table.rowCount(); ++r)
        if (table.isShown(r)) return r;
    return from;
}

int lastShownRow(const ItemTable& table, int from) {
    for (int r = table.rowCount() - 1; r >= 0; --r)
        if (table.isShown(r)) return r;
    return from;
}

int pageShownRows(const ItemTable& table, int from, int step, int page) {
    int row = from;
    for (int i = 0; i < page; ++i) {
        const int next = nextShownRow(table, row, step);
        if (next == row) break;
        row = next;
    }
    return row;
}

} // namespace qd
