#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <vector>

namespace lk {

class AccountRecord;

// The rows of one explorer tree: the root "Account List" and under it a row
// for each listed account, in the order it was filled with. A row makes no
// object of its own: the names are copied into one block when the tree is
// filled, and a row's text is cut from it when the view asks. So a tree of a
// hundred thousand accounts fills at once, and a row never reads its record:
// the records may be freed while the document reloads, before the next fill.
class AccountTreeModel final : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit AccountTreeModel(QObject* parent = nullptr);

    // The root's text.
    static QString RootText();

    // Replaces every row with the root and the accounts of `listed`.
    void Fill(const std::vector<AccountRecord*>& listed);
    // Drops the record of every row; the names stay on show.
    void ForgetRecords();

    // The root, or an invalid index before the first fill.
    QModelIndex RootIndex() const;
    int AccountCount() const { return static_cast<int>(m_records.size()); }
    // The row of the account at `row` under the root, or an invalid index.
    QModelIndex AccountIndex(int row) const;
    // The row of this very record under the root, or an invalid index.
    QModelIndex IndexOf(const AccountRecord* record) const;
    // The record of a row of this model; null for the root, for forgotten
    // records and for any other index.
    AccountRecord* RecordAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool IsAccount(const QModelIndex& index) const;
    QString NameAt(int row) const;

    // No row at all until the first fill, as the trees are before a document fills them.
    bool m_hasRoot = false;
    // The records of the rows under the root, top to bottom; null once forgotten.
    std::vector<AccountRecord*> m_records;
    // Every row's name, one after the other; m_nameEnds[row] is where the
    // name of `row` ends.
    QString m_names;
    std::vector<qsizetype> m_nameEnds;
    QIcon m_rootIcon;
    QIcon m_accountIcon;
};

} // namespace lk
