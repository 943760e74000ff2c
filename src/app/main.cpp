#include "desktop_notifier.h"
#include "frm2bid.h"
#include "message_box_prompter.h"
#include "single_instance.h"
#include "sound_player.h"
#include "start_up.h"
#include "user_settings.h"
#include "web_engine_web_view.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    StartUp::prepareProcess();
    QApplication app(argc, argv);
    StartUp::nameApplication();

    // Taken here, right before the load step: the program never changes its current folder.
    const WorkFolder workFolder = WorkFolder::current();
    // Before anything is built, so a second start in the folder shows nothing and reaches no server.
    SingleInstance instance(workFolder.path());
    if (instance.handedOver())
        return 0;

    MessageBoxPrompter prompter;
    Frm2BidServices services;
    services.prompter = &prompter;
    services.workFolder = workFolder;
    services.webViewFactory = WebEngineWebView::factory(services.workFolder);
    services.settingsFile = UserSettings::defaultFile();
    services.notificationBus = DesktopNotifier::sessionBus();
    frm2Bid window(services);
    QObject::connect(&instance, &SingleInstance::forwardWanted, &window, &frm2Bid::comeForward);
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
