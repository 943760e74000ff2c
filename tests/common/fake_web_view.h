#pragma once

#include "web_view.h"

#include <QStringList>

// A web view without an engine: records the operations it is asked for and the addresses it is sent to.
// Tests raise its events themselves.
class FakeWebView : public WebView {
    Q_OBJECT
public:
    using WebView::WebView;

    void Navigate(const QString &url) override
    {
        calls.append(QStringLiteral("Navigate"));
        navigations.append(url);
    }
    void GoBack() override { calls.append(QStringLiteral("GoBack")); }
    void GoForward() override { calls.append(QStringLiteral("GoForward")); }
    void Stop() override { calls.append(QStringLiteral("Stop")); }
    void Refresh() override { calls.append(QStringLiteral("Refresh")); }
    void GoSearch() override
    {
        calls.append(QStringLiteral("GoSearch"));
        navigations.append(searchPageUrl(folder));
    }
    QString title() const override { return pageTitle; }
    QString LocationURL() const override { return navigations.value(navigations.size() - 1); }

    static WebViewFactory factory(const WorkFolder &folder)
    {
        return [folder](QWidget *parent) -> WebView * {
            auto *view = new FakeWebView(parent);
            view->folder = folder;
            return view;
        };
    }

    // Whose HOSTIP.INI names the search page.
    WorkFolder folder;
    QStringList calls;
    QStringList navigations;
    QString pageTitle;
};
