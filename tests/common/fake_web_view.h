#pragma once

#include "web_view.h"

#include <QStringList>

// A web view without an engine: records the addresses it is asked to show. Tests raise its events
// themselves.
class FakeWebView : public WebView {
    Q_OBJECT
public:
    using WebView::WebView;

    void Navigate(const QString &url) override { navigations.append(url); }
    void GoBack() override {}
    void GoForward() override {}
    void Stop() override {}
    void Refresh() override {}
    void GoSearch() override { Navigate(searchPageUrl()); }
    QString title() const override { return pageTitle; }
    QString LocationURL() const override { return navigations.value(navigations.size() - 1); }

    static WebViewFactory factory()
    {
        return [](QWidget *parent) -> WebView * { return new FakeWebView(parent); };
    }

    QStringList navigations;
    QString pageTitle;
};
