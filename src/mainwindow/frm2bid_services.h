#pragma once

#include "background_picture.h"
#include "external_programs.h"
#include "web_view.h"
#include "work_folder.h"

#include <QDBusConnection>
#include <chrono>
#include <functional>
#include <optional>

class Prompter;
class Timeline;

// What the main window needs from outside, so tests can supply their own.
struct Frm2BidServices {
    Prompter *prompter = nullptr;
    WebViewFactory webViewFactory{};
    std::function<void()> beep{};
    std::chrono::milliseconds signInTimeout{60000};
    // Starts the chat program and the calculator; the system's own when none is given.
    ProgramLauncher *launcher = nullptr;
    // Asks for a background picture file; the open-file dialog when none is given.
    PictureFileChooser choosePictureFile{};
    // Where the program's files are; the load step refuses an empty one.
    WorkFolder workFolder{};
    // The file that keeps the user's settings between runs; none: they last for this run only.
    QString settingsFile{};
    // The bus of the desktop's notification service; none: no desktop notifications.
    std::optional<QDBusConnection> notificationBus{};
    // What bids are timed and reconnections paced on; the system's clock when none is given.
    Timeline *timeline = nullptr;

    // The system's beep and the open-file dialog where none was given.
    Frm2BidServices withDefaults() &&;
};
