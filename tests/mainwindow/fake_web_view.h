#pragma once

#include "web_view.h"

#include <QStringList>

// A web view without an engine: records what it is asked to do; tests raise its events by hand.
class FakeWebView : public WebView {
    Q_OBJECT
public:
    using WebView::WebView;

    void Navigate(const QString &url) override
    {
        navigations.append(url);
        m_location = url;
    }
    void GoBack() override { operations.append(QStringLiteral("GoBack")); }
    void GoForward() override { operations.append(QStringLiteral("GoForward")); }
    void Stop() override { operations.append(QStringLiteral("Stop")); }
    void Refresh() override { operations.append(QStringLiteral("Refresh")); }
    void GoSearch() override { Navigate(searchPageUrl()); }
    QString title() const override { return pageTitle; }
    QString LocationURL() const override { return m_location; }

    // Plays a whole page load.
    void finishLoad(const QString &title)
    {
        pageTitle = title;
        emit DownloadBegin();
        emit ProgressChange(100, 100);
        emit DownloadComplete();
        emit DocumentComplete(m_location);
    }

    static WebViewFactory factory()
    {
        return [](QWidget *parent) -> WebView * { return new FakeWebView(parent); };
    }

    QStringList navigations;
    QStringList operations;
    QString pageTitle;

private:
    QString m_location;
};
