#pragma once

#include "work_folder.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

// An embedded web view with the operations and events the windows rely on, whatever engine draws the pages.
class WebView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Starts loading the address as given and returns at once. One the engine refuses (empty, relative,
    // malformed) changes nothing.
    virtual void Navigate(const QString &url) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    virtual void GoSearch() = 0;
    virtual QString title() const = 0;
    virtual QString LocationURL() const = 0;

signals:
    void ProgressChange(int progress, int progressMax);
    void DownloadBegin();
    void DownloadComplete();
    void DocumentComplete(const QString &url);
};

// Makes the window's web views, so tests can do without a web engine.
using WebViewFactory = std::function<WebView *(QWidget *parent)>;

// The address of the service's search page.
QString searchPageUrl(const WorkFolder &folder);
