#include "gui/toolkit/ToolPage.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>
#include <QVBoxLayout>

namespace lk {

ToolPage::ToolPage(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName("MiniToolBar");
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_layout->addWidget(m_toolBar);
}

QAction* ToolPage::AddButton(const QIcon& icon, int commandId, const QString& tooltip)
{
    QAction* action = m_toolBar->addAction(icon, QString());
    action->setToolTip(tooltip);
    action->setData(commandId);
    connect(action, &QAction::triggered, this, [this, commandId] { emit CommandIssued(commandId); });
    return action;
}

void ToolPage::SetWindow(QWidget* window)
{
    if (m_window != nullptr) {
        m_layout->removeWidget(m_window);
    }
    m_window = window;
    m_layout->addWidget(window, 1);
}

} // namespace lk
