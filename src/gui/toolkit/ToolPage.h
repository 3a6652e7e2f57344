#pragma once

#include <QWidget>

class QAction;
class QIcon;
class QToolBar;
class QVBoxLayout;

namespace lk {

// A page of a tabbed pane: a small toolbar of image buttons above one window
// (a tree, for the explorer). A button press reports the button's command id.
class ToolPage : public QWidget
{
    Q_OBJECT

public:
    explicit ToolPage(QWidget* parent = nullptr);

    // Appends an image button without caption; its tooltip names it.
    QAction* AddButton(const QIcon& icon, int commandId, const QString& tooltip);
    // The window below the toolbar; the page lays it out and keeps it.
    void SetWindow(QWidget* window);

    QToolBar* ToolBar() const { return m_toolBar; }
    QWidget* Window() const { return m_window; }

signals:
    void CommandIssued(int commandId);

private:
    QVBoxLayout* m_layout = nullptr;
    QToolBar* m_toolBar = nullptr;
    QWidget* m_window = nullptr;
};

} // namespace lk
