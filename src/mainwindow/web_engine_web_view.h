#pragma once

#include "web_view.h"

class QWebEngineView;

class WebEngineWebView : public WebView {
    Q_OBJECT
public:
    // folder: whose HOSTIP.INI names the search page.
    explicit WebEngineWebView(const WorkFolder &folder, QWidget *parent = nullptr);

    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void GoSearch() override;
    QString title() const override;
    QString LocationURL() const override;

    static WebViewFactory factory(const WorkFolder &folder);

private:
    WorkFolder m_folder;
    QWebEngineView *m_view;
};
