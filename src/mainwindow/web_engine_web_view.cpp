#include "web_engine_web_view.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

// The engine's signals as the four events the windows rely on: a load's start is DownloadBegin, its progress
// ProgressChange (out of 100, and -1 once it has ended), its end DownloadComplete followed by
// DocumentComplete. A move within the same page also completes a document, so that the address shown follows
// it.
WebEngineWebView::WebEngineWebView(const WorkFolder &folder, QWidget *parent)
    : WebView(parent), m_folder(folder), m_view(new QWebEngineView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    connect(m_view, &QWebEngineView::loadStarted, this, &WebView::DownloadBegin);
    connect(m_view, &QWebEngineView::loadProgress, this,
            [this](int progress) { emit ProgressChange(progress, 100); });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool) {
        emit ProgressChange(-1, 100);
        emit DownloadComplete();
        emit DocumentComplete(LocationURL());
    });
    connect(m_view, &QWebEngineView::urlChanged, this, [this](const QUrl &url) {
        if (!url.isEmpty())
            emit DocumentComplete(LocationURL());
    });
}

void WebEngineWebView::Navigate(const QString &url)
{
    // As typed: an address the engine cannot take changes nothing.
    const QUrl address(url, QUrl::StrictMode);
    if (url.isEmpty() || !address.isValid() || address.isRelative())
        return;
    m_view->load(address);
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
    Navigate(searchPageUrl(m_folder));
}

QString WebEngineWebView::title() const
{
    return m_view->title();
}

QString WebEngineWebView::LocationURL() const
{
    return m_view->url().toString();
}

WebViewFactory WebEngineWebView::factory(const WorkFolder &folder)
{
    return [folder](QWidget *parent) -> WebView * { return new WebEngineWebView(folder, parent); };
}
