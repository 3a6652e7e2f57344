#include "gui/explorer/CAccountTree.h"

#include "gui/explorer/CExplorerBar.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

namespace lk {

CAccountTree::CAccountTree(int controlId, QWidget* parent) : QTreeWidget(parent), m_controlId(controlId)
{
    setProperty("controlId", controlId);
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setIndentation(16);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CAccountTree::OnSelectionChanged);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (g_pExplorerBar != nullptr) {
            g_pExplorerBar->ShowItemMenu(*this, itemAt(pos), viewport()->mapToGlobal(pos));
        }
    });
}

QString CAccountTree::CutNameAt(const QPoint& point) const
{
    const QTreeWidgetItem* item = itemAt(point);
    if (item == nullptr) {
        return {};
    }
    // The text's room: from after the icon to the visible edge of the tree.
    const QRect place = visualItemRect(item);
    const int textLeft = place.left() + iconSize().width() + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
    const int room = std::min(place.right(), viewport()->width()) - textLeft;
    const int needed = QFontMetrics(item->font(0)).horizontalAdvance(item->text(0));
    return needed > room ? item->text(0) : QString();
}

bool CAccountTree::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QTreeWidget::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const QString name = CutNameAt(help->pos()); !name.isEmpty()) {
        QToolTip::showText(help->globalPos(), name, viewport(), visualItemRect(itemAt(help->pos())));
    } else {
        QToolTip::hideText();
    }
    return true;
}

void CAccountTree::OnSelectionChanged()
{
    if (g_pExplorerBar != nullptr) {
        g_pExplorerBar->OpenSelected();
    }
}

QTreeWidgetItem* CAccountTree::SelectedItem() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

AccountRecord* CAccountTree::RecordOf(const QTreeWidgetItem* item)
{
    if (item == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<AccountRecord*>(item->data(0, Qt::UserRole).value<quintptr>());
}

void CAccountTree::SetRecord(QTreeWidgetItem* item, AccountRecord* record)
{
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
}

QTreeWidgetItem* CAccountTree::Root() const
{
    return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
}

QList<QTreeWidgetItem*> CAccountTree::AccountItems() const
{
    QList<QTreeWidgetItem*> items;
    if (QTreeWidgetItem* root = Root()) {
        for (int i = 0; i < root->childCount(); ++i) {
            items << root->child(i);
        }
    }
    return items;
}

void CAccountTree::ClearTreeSelection()
{
    clearSelection();
    ParkOnRoot();
}

void CAccountTree::ParkOnRoot()
{
    if (QTreeWidgetItem* root = Root()) {
        setCurrentItem(root, 0, QItemSelectionModel::NoUpdate);
    } else {
        setCurrentItem(nullptr);
    }
}

} // namespace lk
