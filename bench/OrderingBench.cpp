// The two ordering passes over a large list, reshuffled before every run.
#include "core/store/AccountList.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kNames = 5000;

void Fill(lk::AccountList& list, int count)
{
    std::mt19937 random(42);
    for (int i = 0; i < count; ++i) {
        auto record = std::make_unique<lk::AccountRecord>();
        record->AccountName = lk::Wide("Account " + std::to_string(random() % kNames));
        record->UseCount = random() % 50;
        record->Kind = random() % 20 == 0 ? lk::kKindHidden : lk::kKindSaved;
        record->SlotCount = 3;
        list.Add(std::move(record));
    }
}

void Shuffle(lk::AccountList& list, std::mt19937& random)
{
    std::vector<std::unique_ptr<lk::AccountRecord>> records;
    while (list.GetCount() > 0) {
        records.push_back(list.RemoveAt(list.GetCount() - 1));
    }
    std::shuffle(records.begin(), records.end(), random);
    for (auto& record : records) {
        list.Add(std::move(record));
    }
}

template <void (lk::AccountList::*Pass)()> void BM_Pass(benchmark::State& state)
{
    lk::AccountList list;
    Fill(list, static_cast<int>(state.range(0)));
    std::mt19937 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        Shuffle(list, random);
        state.ResumeTiming();
        (list.*Pass)();
        benchmark::DoNotOptimize(list.GetAt(0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortByName(benchmark::State& state)
{
    BM_Pass<&lk::AccountList::SortByName>(state);
}

void BM_SortByFrequency(benchmark::State& state)
{
    BM_Pass<&lk::AccountList::SortByFrequency>(state);
}

// Both passes one after the other on a shuffled list, as a refresh orders it.
void BM_SortByNameThenFrequency(benchmark::State& state)
{
    lk::AccountList list;
    Fill(list, static_cast<int>(state.range(0)));
    std::mt19937 random(9);
    for (auto _ : state) {
        state.PauseTiming();
        Shuffle(list, random);
        state.ResumeTiming();
        list.SortByName();
        list.SortByFrequency();
        benchmark::DoNotOptimize(list.GetAt(0));
    }
}

} // namespace

BENCHMARK(BM_SortByName)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByFrequency)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByNameThenFrequency)->Arg(100000)->Unit(benchmark::kMillisecond);
