#include "frm2bid.h"
#include "message_box_prompter.h"
#include "pictures.h"
#include "sound_player.h"
#include "web_engine_setup.h"
#include "web_engine_web_view.h"

#include <QApplication>
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
    Frm2BidServices services;
    services.prompter = &prompter;
    services.webViewFactory = WebEngineWebView::factory();
    frm2Bid window(services);
    const QString failure = window.Form_Load();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "gavora: cannot start: %s\n", qPrintable(failure));
        return 1;
    }
    // The program ends when the main window unloads, but not while a sound is still being read in: the
    // toolkit's sample cache deadlocks at exit then.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &frm2Bid::unloaded, &app, [&window] {
        window.sounds().whenSettled(std::chrono::seconds(2), [] { QCoreApplication::quit(); });
    });
    // The load step asked for a maximised window; show it so.
    window.show();
    return app.exec();
}
