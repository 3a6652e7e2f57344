// The GUI tests run real widgets on Qt's offscreen platform, inside one
// QApplication per test program.
#include <QApplication>
#include <QByteArray>
#include <gtest/gtest.h>

namespace {

// The offscreen platform says so whenever a window is sized; nothing the tests look at.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains("propagateSizeHints")) {
        return;
    }
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
