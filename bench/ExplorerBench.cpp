// The Account Explorer's refresh without a display: both trees of the pane
// filled from a list of many accounts, laid out and painted on the offscreen
// platform, as after a Save or a Delete once the accounts are loaded. Beside it,
// the two parts that are not the pane's own (the ordering passes the fill runs
// first) and its floor: a bare QTreeView over a trivial model of as many rows,
// reset, laid out and painted the same way.
#include "core/platform/TextConversion.h"
#include "core/store/AccountList.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/toolkit/CommandRouter.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QTreeView>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

constexpr QSize kPaneSize(260, 700);

// `count` listed accounts with names and use counts spread like a real store's.
std::unique_ptr<lk::AccountList> ListOf(int count)
{
    auto list = std::make_unique<lk::AccountList>();
    for (int i = 0; i < count; ++i) {
        auto record = std::make_unique<lk::AccountRecord>();
        record->AccountName =
            u"Account " + std::u16string(1, static_cast<char16_t>(u'A' + (i * 7) % 26)) + lk::Wide(std::to_string(i));
        record->FileStem = std::to_string(1000000 + i);
        record->UseCount = static_cast<std::uint32_t>(i % 17);
        record->Kind = lk::kKindSaved;
        record->SlotCount = 3;
        list->Add(std::move(record));
    }
    return list;
}

// Lays out and paints what the last change left to do, as the event loop would
// before the user sees it.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Both trees of the pane, filled and shown: what the window does after the
// document has loaded its accounts.
void BM_ExplorerFillBothTrees(benchmark::State& state)
{
    const auto list = ListOf(static_cast<int>(state.range(0)));
    lk::CommandRouter router;
    lk::CExplorerBar pane(router);
    pane.OnCreate();
    pane.resize(kPaneSize);
    pane.show();
    Settle();
    for (auto _ : state) {
        pane.FillAlphabetTree(*list);
        pane.FillFrequencyTree(*list);
        Settle();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The ordering passes alone, as the fill runs them: not the pane's own work.
void BM_ExplorerOrderingPasses(benchmark::State& state)
{
    const auto list = ListOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        list->SortByName();
        list->SortByFrequency();
        benchmark::DoNotOptimize(list->GetAt(0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A model of `rows` rows, each the same short text.
class TrivialModel final : public QAbstractListModel
{
public:
    void Reset(int rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_rows; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole && index.isValid() ? QVariant(QStringLiteral("Account A1234")) : QVariant();
    }

private:
    int m_rows = 0;
};

// The floor: two bare views over as many rows, reset and shown the same way.
void BM_BareTreeViewFloor(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    QWidget window;
    window.resize(kPaneSize);
    std::array<TrivialModel, 2> models;
    std::array<QTreeView*, 2> views{};
    for (std::size_t i = 0; i < views.size(); ++i) {
        views[i] = new QTreeView(&window);
        views[i]->setUniformRowHeights(true);
        views[i]->setHeaderHidden(true);
        views[i]->setModel(&models[i]);
        views[i]->resize(kPaneSize);
    }
    views[1]->hide(); // the other tab
    window.show();
    Settle();
    for (auto _ : state) {
        for (TrivialModel& model : models) {
            model.Reset(rows);
        }
        Settle();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_ExplorerFillBothTrees)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplorerOrderingPasses)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareTreeViewFloor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

namespace {
QtMessageHandler g_standardHandler = nullptr;
} // namespace

// The window's benchmarks need an application object, on the offscreen platform
// unless another is asked for.
int main(int argc, char** argv)
{
    // The offscreen platform says, for every window shown, that it cannot pass
    // size hints on; that says nothing about what is measured.
    g_standardHandler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("propagateSizeHints"))) {
                g_standardHandler(type, context, message);
            }
        });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
