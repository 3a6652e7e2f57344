#include "AppFixture.h"

#include "platform/UserName.h"
#include "shell/toolkit/CommandRouter.h"
#include "shell/toolkit/QtText.h"
#include "store/CReaderDoc.h"

#include <QApplication>
#include <QMdiArea>
#include <QSettings>

namespace lk::test {

AccountRecord MakeRecord(const AccountSpec& spec)
{
    AccountRecord record;
    record.AccountName = spec.name;
    record.Url = spec.url;
    record.SlotCount = spec.slotCount;
    record.Slots[kPasswordSlot].Value = spec.password;
    record.Slots[kPasswordSlot].Label = spec.passwordLabel;
    record.Slots[kUserNameSlot].Value = spec.userName;
    record.Slots[kUserNameSlot].Label = spec.userNameLabel;
    record.Slots[kAccountIdSlot].Value = spec.accountId;
    record.Slots[kAccountIdSlot].Label = spec.accountIdLabel;
    record.UseCount = spec.useCount;
    record.Comment = spec.comment;
    record.Kind = spec.kind;
    return record;
}

AppFixture::AppFixture()
{
    // Settings of the framework and the update check stay inside the test's folder.
    const QString settings = QString::fromStdString((temp.path() / "settings").string());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
    qputenv("XDG_CONFIG_HOME", settings.toUtf8());
}

AppFixture::~AppFixture()
{
    app.reset();
    Settle();
}

void AppFixture::WriteAccount(const AccountSpec& spec)
{
    // A document of its own writes the file, exactly as the program's store does.
    const bool appRunning = app != nullptr;
    CReaderDoc* previous = g_pDocument;
    {
        CReaderDoc writer(DocumentContext{folders, CurrentUserName(), &desktop, nullptr});
        AccountRecord record = MakeRecord(spec);
        ASSERT_TRUE(writer.SaveAccount(record));
    }
    if (appRunning) {
        ASSERT_EQ(g_pDocument, previous);
    }
}

void AppFixture::StartApp()
{
    AppOptions options;
    options.desktop = &desktop;
    options.folders = folders;
    options.updateCheck = [this](DesktopPort&) {
        ++updateChecks;
        return updateCheckAnswer;
    };
    app = std::make_unique<CReaderApp>(std::move(options));
    ASSERT_TRUE(app->InitInstance());
    Settle();
}

void AppFixture::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

CMainFrame& AppFixture::Frame() const
{
    return *app->MainFrame();
}

CExplorerBar& AppFixture::Pane() const
{
    return *Frame().ExplorerBar();
}

CChildFrame* AppFixture::ActiveChild() const
{
    return Frame().ActiveChild();
}

CReaderView& AppFixture::Form() const
{
    return ActiveChild()->View();
}

CReaderDoc& AppFixture::Document() const
{
    return ActiveChild()->Document();
}

QLineEdit* AppFixture::Box(int id) const
{
    return Form().findChild<QLineEdit*>(QString::number(id));
}

QPlainTextEdit* AppFixture::CommentBox() const
{
    return Form().findChild<QPlainTextEdit*>("1037");
}

QLabel* AppFixture::Label(int id) const
{
    return Form().findChild<QLabel*>(QString::number(id));
}

QPushButton* AppFixture::Button(int id) const
{
    return Form().findChild<QPushButton*>(QString::number(id));
}

bool AppFixture::Command(int id) const
{
    return Frame().Router().Route(id);
}

std::vector<std::u16string> AppFixture::ItemNames(const CAccountTree& tree)
{
    std::vector<std::u16string> names;
    for (QTreeWidgetItem* item : tree.AccountItems()) {
        names.push_back(ToU16(item->text(0)));
    }
    return names;
}

QTreeWidgetItem* AppFixture::ItemNamed(const CAccountTree& tree, std::u16string_view name)
{
    for (QTreeWidgetItem* item : tree.AccountItems()) {
        if (item->text(0) == ToQString(name)) {
            return item;
        }
    }
    return nullptr;
}

void AppFixture::SelectInTab(int tab, std::u16string_view name)
{
    Pane().Tabs()->setCurrentIndex(tab);
    CAccountTree* tree = tab == 0 ? Pane().FrequencyTree() : Pane().AlphabetTree();
    QTreeWidgetItem* item = name == u"Account List" ? tree->Root() : ItemNamed(*tree, name);
    ASSERT_NE(item, nullptr) << "no item " << ToQString(name).toStdString();
    tree->setCurrentItem(item);
}

void AppFixture::CloseAllAccountWindows()
{
    Frame().MdiArea()->closeAllSubWindows();
    Settle();
}

} // namespace lk::test
