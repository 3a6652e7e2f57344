#pragma once

#include <QTreeWidget>

namespace lk {

class AccountRecord;

// One of the explorer's two trees: the root "Account List" and an item per
// listed account, each carrying a reference to its record in the document's
// list. Every change of its selection asks the pane to open what is selected.
class CAccountTree : public QTreeWidget
{
    Q_OBJECT

public:
    CAccountTree(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // The item the tree shows as selected, or null.
    QTreeWidgetItem* SelectedItem() const;
    // The record an item carries; null for the root and for forgotten records.
    static AccountRecord* RecordOf(const QTreeWidgetItem* item);
    static void SetRecord(QTreeWidgetItem* item, AccountRecord* record);

    QTreeWidgetItem* Root() const;
    // The account items under the root, top to bottom.
    QList<QTreeWidgetItem*> AccountItems() const;
    void ClearTreeSelection();
    // Makes the root the current item without selecting it: the arrow keys then
    // move on from the root (Down opens the first account) instead of selecting
    // the root, which would blank the form and clear the selection again.
    void ParkOnRoot();

    // The name of the item at a point of the viewport when the tree's width cuts
    // it, else nothing: such an item shows its whole name as a tooltip.
    QString CutNameAt(const QPoint& point) const;

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void OnSelectionChanged();

    int m_controlId = 0;
};

} // namespace lk
