// Encode and decode of whole catalogues, and the search of type-to-find.
// Items per second should stay flat from 1,000 to 10,000 items: each is
// linear in the item count.
#include <benchmark/benchmark.h>

#include <string>

#include "catalogue/CatalogueFile.h"
#include "ui/TypeToFind.h"

namespace {

qd::ItemTable tableOf(int count) {
    qd::ItemTable table;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        qd::IconImage icon;
        for (int p = 0; p < qd::IconSize * qd::IconSize; ++p)
            if ((p + i) % 7 != 0) // some transparency, as real icons have
                icon.pixels[p] = static_cast<std::uint32_t>(p * 0x010305 + i) & 0xFFFFFF;
        table.addItem({"Item " + n, "tools\\item" + n + "\\item.exe", "item.exe", "0",
                       "--profile \"work " + n + "\"", "0", std::string(40, 'C'), "0"},
                      icon);
    }
    return table;
}

void EncodeCatalogue(benchmark::State& state) {
    const qd::ItemTable table = tableOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(qd::encodeCatalogue(table));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(EncodeCatalogue)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void DecodeCatalogue(benchmark::State& state) {
    const std::string bytes = qd::encodeCatalogue(tableOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        qd::ItemTable table;
        qd::decodeCatalogue(bytes, table);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(DecodeCatalogue)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One keystroke of type-to-find: every title is matched again.
void SearchKeystroke(benchmark::State& state) {
    qd::ItemTable table = tableOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(qd::applySearch(table, "em 12"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SearchKeystroke)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
