#include "web_engine_web_view.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

WebEngineWebView::WebEngineWebView(QWidget *parent) : WebView(parent), m_view(new QWebEngineView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::loadStarted, this, &WebView::DownloadBegin);
    connect(m_view, &QWebEngineView::loadProgress, this,
            [this](int progress) { emit ProgressChange(progress, 100); });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool) {
        emit DownloadComplete();
        emit DocumentComplete(LocationURL());
    });
}

void WebEngineWebView::Navigate(const QString &url)
{
    const QString trimmed = url.trimmed();
    m_view->load(trimmed.isEmpty() ? QUrl(QStringLiteral("about:blank")) : QUrl::fromUserInput(trimmed));
}

void WebEngineWebView::GoBack()
{
    if (m_view->history()->canGoBack())
        m_view->back();
}

void WebEngineWebView::GoForward()
{
    if (m_view->history()->canGoForward())
        m_view->forward();
}

void WebEngineWebView::Stop()
{
    m_view->stop();
}

void WebEngineWebView::Refresh()
{
    m_view->reload();
}

void WebEngineWebView::GoSearch()
{
    Navigate(searchPageUrl());
}

QString WebEngineWebView::title() const
{
    return m_view->title();
}

QString WebEngineWebView::LocationURL() const
{
    return m_view->url().toString();
}

WebViewFactory WebEngineWebView::factory()
{
    return [](QWidget *parent) -> WebView * { return new WebEngineWebView(parent); };
}
