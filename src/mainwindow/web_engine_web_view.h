#pragma once

#include "web_view.h"

class QWebEngineView;

class WebEngineWebView : public WebView {
    Q_OBJECT
public:
    explicit WebEngineWebView(QWidget *parent = nullptr);

    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void GoSearch() override;
    QString title() const override;
    QString LocationURL() const override;

    static WebViewFactory factory();

private:
    QWebEngineView *m_view;
};
