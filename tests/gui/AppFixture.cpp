#include "AppFixture.h"

#include "core/document/CReaderDoc.h"
#include "core/platform/UserName.h"
#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/QtText.h"

#include <QApplication>
#include <QMdiArea>
#include <QSettings>

namespace lk::test {

AccountRecord MakeRecord(const AccountFixture& account)
{
    AccountRecord record;
    record.AccountName = account.name;
    record.Url = account.url;
    record.SlotCount = account.slotCount;
    record.Slots[kPasswordSlot].Value = account.password;
    record.Slots[kPasswordSlot].Label = account.passwordLabel;
    record.Slots[kUserNameSlot].Value = account.userName;
    record.Slots[kUserNameSlot].Label = account.userNameLabel;
    record.Slots[kAccountIdSlot].Value = account.accountId;
    record.Slots[kAccountIdSlot].Label = account.accountIdLabel;
    record.UseCount = account.useCount;
    record.Comment = account.comment;
    record.Kind = account.kind;
    return record;
}

AppFixture::AppFixture()
{
    // The program's settings and the update check's stay inside the test's folder.
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

void AppFixture::WriteAccount(const AccountFixture& account)
{
    // A document of its own writes the file, exactly as the program's store does.
    const bool appRunning = app != nullptr;
    CReaderDoc* previous = g_pDocument;
    {
        CReaderDoc writer(DocumentContext{folders, CurrentUserName(), &desktop, nullptr});
        AccountRecord record = MakeRecord(account);
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
    for (const QModelIndex& item : tree.AccountItems()) {
        names.push_back(ToU16(item.data().toString()));
    }
    return names;
}

QModelIndex AppFixture::ItemNamed(const CAccountTree& tree, std::u16string_view name)
{
    for (const QModelIndex& item : tree.AccountItems()) {
        if (item.data().toString() == ToQString(name)) {
            return item;
        }
    }
    return {};
}

void AppFixture::SelectInTab(int tab, std::u16string_view name)
{
    Pane().Tabs()->setCurrentIndex(tab);
    CAccountTree* tree = tab == 0 ? Pane().FrequencyTree() : Pane().AlphabetTree();
    const QModelIndex item = name == u"Account List" ? tree->Root() : ItemNamed(*tree, name);
    ASSERT_TRUE(item.isValid()) << "no item " << ToQString(name).toStdString();
    tree->setCurrentIndex(item);
}

void AppFixture::CloseAllAccountWindows()
{
    Frame().MdiArea()->closeAllSubWindows();
    Settle();
}

} // namespace lk::test
