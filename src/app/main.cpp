#include "frm2bid.h"
#include "message_box_prompter.h"
#include "pictures.h"
#include "web_engine_setup.h"
#include "web_engine_web_view.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QIcon>
#include <QLoggingCategory>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    // The web engine refuses to start as root with its sandbox on; ordinary users keep the sandbox.
    const bool sandboxOff = geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX");
    if (sandboxOff)
        std::fputs("gavora: running as root, web page sandbox turned off\n", stderr);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            WebEngineSetup::chromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), sandboxOff,
                                          WebEngineSetup::gpuUsable()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The web engine describes its start-up on the console; a user has no use for it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gavora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("gavora"));
    QApplication::setWindowIcon(QIcon(Pictures::appIcon()));

    MessageBoxPrompter prompter;
    frm2Bid window({&prompter, WebEngineWebView::factory(), {}, std::chrono::seconds(60)});
    const QString failure = window.Form_Load();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "gavora: cannot start: %s\n", qPrintable(failure));
        return 1;
    }
    // The load step asked for a maximised window; show it so.
    window.show();
    const int result = app.exec();
    // The toolkit's sample cache deadlocks at exit while a sound is still being read in: let it finish first.
    const QDeadlineTimer deadline(2000);
    while (window.soundLoading() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return result;
}
