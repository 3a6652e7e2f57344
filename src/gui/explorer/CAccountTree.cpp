#include "gui/explorer/CAccountTree.h"

#include "gui/explorer/AccountTreeModel.h"
#include "gui/explorer/CExplorerBar.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

namespace lk {

CAccountTree::CAccountTree(int controlId, QWidget* parent)
    : QTreeView(parent), m_controlId(controlId), m_model(new AccountTreeModel(this))
{
    setProperty("controlId", controlId);
    setModel(m_model);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of the same font's height (the root's bold face
    // included), so the view need not measure the rows one by one.
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setIndentation(16);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CAccountTree::OnSelectionChanged);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (g_pExplorerBar != nullptr) {
            g_pExplorerBar->ShowItemMenu(*this, indexAt(pos), viewport()->mapToGlobal(pos));
        }
    });
}

void CAccountTree::Fill(const std::vector<AccountRecord*>& listed)
{
    m_model->Fill(listed);
    expand(Root());
    ParkOnRoot();
}

void CAccountTree::ForgetRecords()
{
    m_model->ForgetRecords();
}

QString CAccountTree::CutNameAt(const QPoint& point) const
{
    const QModelIndex item = indexAt(point);
    if (!item.isValid()) {
        return {};
    }
    // The text's room: from after the icon to the visible edge of the tree.
    const QRect place = visualRect(item);
    const int textLeft = place.left() + iconSize().width() + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
    const int room = std::min(place.right(), viewport()->width()) - textLeft;
    const QString text = item.data(Qt::DisplayRole).toString();
    const int needed = QFontMetrics(item.data(Qt::FontRole).value<QFont>()).horizontalAdvance(text);
    return needed > room ? text : QString();
}

bool CAccountTree::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QTreeView::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const QString name = CutNameAt(help->pos()); !name.isEmpty()) {
        QToolTip::showText(help->globalPos(), name, viewport(), visualRect(indexAt(help->pos())));
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

QModelIndex CAccountTree::SelectedItem() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.front();
}

AccountRecord* CAccountTree::RecordOf(const QModelIndex& item)
{
    const auto* model = qobject_cast<const AccountTreeModel*>(item.model());
    return model == nullptr ? nullptr : model->RecordAt(item);
}

QModelIndex CAccountTree::Root() const
{
    return m_model->RootIndex();
}

QModelIndexList CAccountTree::AccountItems() const
{
    QModelIndexList items;
    items.reserve(m_model->AccountCount());
    for (int row = 0; row < m_model->AccountCount(); ++row) {
        items << m_model->AccountIndex(row);
    }
    return items;
}

int CAccountTree::AccountCount() const
{
    return m_model->AccountCount();
}

QModelIndex CAccountTree::AccountItem(int row) const
{
    return m_model->AccountIndex(row);
}

QModelIndex CAccountTree::ItemOf(const AccountRecord* record) const
{
    return m_model->IndexOf(record);
}

void CAccountTree::ClearTreeSelection()
{
    clearSelection();
    ParkOnRoot();
}

void CAccountTree::ParkOnRoot()
{
    if (const QModelIndex root = Root(); root.isValid()) {
        selectionModel()->setCurrentIndex(root, QItemSelectionModel::NoUpdate);
    } else {
        setCurrentIndex(QModelIndex());
    }
}

} // namespace lk
