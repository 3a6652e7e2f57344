#pragma once

#include <QModelIndex>
#include <QTreeView>
#include <vector>

namespace lk {

class AccountRecord;
class AccountTreeModel;

// One of the explorer's two trees: the root "Account List" and a row per
// listed account, each carrying a reference to its record in the document's
// list. Every change of its selection asks the pane to open what is selected.
// The rows are a model of the listed records rather than an item object each,
// so that filling the tree costs next to nothing however many accounts there are.
class CAccountTree : public QTreeView
{
    Q_OBJECT

public:
    CAccountTree(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // Shows the root and an account row for each of `listed`, the root expanded
    // and current but nothing selected.
    void Fill(const std::vector<AccountRecord*>& listed);
    // Drops the record of every row; the names stay on show.
    void ForgetRecords();

    // The row the tree shows as selected, or an invalid index.
    QModelIndex SelectedItem() const;
    // The record a row carries; null for the root, for forgotten records and
    // for an index of no account tree.
    static AccountRecord* RecordOf(const QModelIndex& item);

    QModelIndex Root() const;
    // The account rows under the root, top to bottom.
    QModelIndexList AccountItems() const;
    int AccountCount() const;
    // The account row at `row` under the root, or an invalid index.
    QModelIndex AccountItem(int row) const;
    // The row of this very record, or an invalid index.
    QModelIndex ItemOf(const AccountRecord* record) const;
    void ClearTreeSelection();
    // Makes the root the current item without selecting it: the arrow keys then
    // move on from the root (Down opens the first account) instead of selecting
    // the root, which would blank the form and clear the selection again.
    void ParkOnRoot();

    // The name of the row at a point of the viewport when the tree's width cuts
    // it, else nothing: such a row shows its whole name as a tooltip.
    QString CutNameAt(const QPoint& point) const;

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void OnSelectionChanged();

    int m_controlId = 0;
    AccountTreeModel* m_model = nullptr;
};

} // namespace lk
