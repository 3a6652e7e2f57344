// The explorer's quick filter over 10,000 listed accounts: what one keystroke in
// the Find box costs before the trees are rebuilt.
#include "core/explorer/AccountFilter.h"
#include "core/store/AccountRecord.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

constexpr int kAccounts = 10000;

std::vector<std::unique_ptr<lk::AccountRecord>> MakeAccounts()
{
    std::mt19937 random(42);
    const std::vector<std::u16string> words = {u"Mail",        u"Bank",     u"Shop",   u"Forum", u"Cloud",
                                               u"Stra\u00DFe", u"Z\u00D6E", u"Travel", u"News",  u"Games"};
    std::vector<std::unique_ptr<lk::AccountRecord>> accounts;
    for (int i = 0; i < kAccounts; ++i) {
        auto record = std::make_unique<lk::AccountRecord>();
        const std::u16string& word = words[random() % words.size()];
        std::u16string name = word + u" account ";
        for (const char c : std::to_string(random() % 100000)) {
            name.push_back(static_cast<char16_t>(c));
        }
        record->AccountName = name;
        record->Url = "https://www.site" + std::to_string(random() % 5000) + ".example/login";
        record->Slots[lk::kUserNameSlot].Value = "user" + std::to_string(random() % 9000) + "@mail.example";
        record->SlotCount = 3;
        record->Kind = lk::kKindSaved;
        accounts.push_back(std::move(record));
    }
    return accounts;
}

// Argument 0: how many characters of the typed text "strasse account 42" the
// box holds, as the user types it.
void BM_FilterKeystroke(benchmark::State& state)
{
    const auto accounts = MakeAccounts();
    std::vector<lk::AccountRecord*> listed;
    listed.reserve(accounts.size());
    for (const auto& record : accounts) {
        listed.push_back(record.get());
    }
    const std::u16string typed =
        std::u16string(u"strasse account 42").substr(0, static_cast<std::size_t>(state.range(0)));
    std::size_t shown = 0;
    for (auto _ : state) {
        const lk::AccountFilter filter(typed);
        const auto matching = filter.Apply(listed);
        shown = matching.size();
        benchmark::DoNotOptimize(matching.data());
    }
    state.counters["shown"] = static_cast<double>(shown);
    state.SetItemsProcessed(state.iterations() * kAccounts);
}

} // namespace

BENCHMARK(BM_FilterKeystroke)->Arg(1)->Arg(3)->Arg(7)->Arg(18)->Unit(benchmark::kMillisecond);
