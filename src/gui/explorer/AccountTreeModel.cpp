#include "gui/explorer/AccountTreeModel.h"

#include "core/store/AccountRecord.h"

#include <QFont>
#include <algorithm>

namespace lk {

namespace {

// What an index's internal id tells: the root sits at the top, the accounts
// under it.
constexpr quintptr kRootId = 0;
constexpr quintptr kAccountId = 1;

} // namespace

AccountTreeModel::AccountTreeModel(QObject* parent)
    : QAbstractItemModel(parent), m_rootIcon(":/ledgerkeeper/icons/root.png"),
      m_accountIcon(":/ledgerkeeper/icons/account.png")
{
    m_accountIcon.addFile(":/ledgerkeeper/icons/account-selected.png", QSize(), QIcon::Selected);
}

QString AccountTreeModel::RootText()
{
    return QStringLiteral("Account List");
}

void AccountTreeModel::Fill(const std::vector<AccountRecord*>& listed)
{
    beginResetModel();
    m_hasRoot = true;
    m_records = listed;
    m_names.clear();
    m_nameEnds.clear();
    m_nameEnds.reserve(listed.size());
    // One pass over the records, each read once: they lie far apart in memory,
    // and reading them again would cost as much as the first time. The block
    // starts at a typical name's length per row and grows as appending needs.
    constexpr qsizetype kTypicalName = 16;
    m_names.reserve(static_cast<qsizetype>(listed.size()) * kTypicalName);
    for (const AccountRecord* record : listed) {
        const std::u16string_view name = record->AccountName.view();
        m_names.append(QStringView(name.data(), static_cast<qsizetype>(name.size())));
        m_nameEnds.push_back(m_names.size());
    }
    endResetModel();
}

void AccountTreeModel::ForgetRecords()
{
    std::fill(m_records.begin(), m_records.end(), nullptr);
}

QModelIndex AccountTreeModel::RootIndex() const
{
    return m_hasRoot ? createIndex(0, 0, kRootId) : QModelIndex();
}

QModelIndex AccountTreeModel::AccountIndex(int row) const
{
    return row >= 0 && row < AccountCount() ? createIndex(row, 0, kAccountId) : QModelIndex();
}

QModelIndex AccountTreeModel::IndexOf(const AccountRecord* record) const
{
    if (record == nullptr) {
        return {};
    }
    const auto found = std::find(m_records.begin(), m_records.end(), record);
    return found == m_records.end() ? QModelIndex() : AccountIndex(static_cast<int>(found - m_records.begin()));
}

AccountRecord* AccountTreeModel::RecordAt(const QModelIndex& index) const
{
    return IsAccount(index) ? m_records[static_cast<std::size_t>(index.row())] : nullptr;
}

bool AccountTreeModel::IsAccount(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.internalId() == kAccountId && index.row() >= 0 &&
           index.row() < AccountCount();
}

QString AccountTreeModel::NameAt(int row) const
{
    const qsizetype begin = row == 0 ? 0 : m_nameEnds[static_cast<std::size_t>(row) - 1];
    return m_names.mid(begin, m_nameEnds[static_cast<std::size_t>(row)] - begin);
}

QModelIndex AccountTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0) {
        return {};
    }
    if (!parent.isValid()) {
        return row == 0 ? RootIndex() : QModelIndex();
    }
    return parent.internalId() == kRootId ? AccountIndex(row) : QModelIndex();
}

QModelIndex AccountTreeModel::parent(const QModelIndex& child) const
{
    return child.isValid() && child.internalId() == kAccountId ? RootIndex() : QModelIndex();
}

int AccountTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid()) {
        return m_hasRoot ? 1 : 0;
    }
    return parent.internalId() == kRootId ? AccountCount() : 0;
}

int AccountTreeModel::columnCount(const QModelIndex& /*parent*/) const
{
    return 1;
}

QVariant AccountTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const bool root = index.internalId() == kRootId;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return root ? RootText() : NameAt(index.row());
    case Qt::DecorationRole:
        return root ? m_rootIcon : m_accountIcon;
    case Qt::FontRole:
        if (root) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags AccountTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // The view need not ask an account whether it has rows under it.
    return index.internalId() == kAccountId ? flags | Qt::ItemNeverHasChildren : flags;
}

} // namespace lk
