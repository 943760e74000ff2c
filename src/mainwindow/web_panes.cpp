#include "web_panes.h"

#include "frm2bid_design.h"
#include "frm2bid_ui.h"
#include "prompter.h"

#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>

namespace PaneRules {
namespace {
const QString windowTitle = QString::fromUtf16(Frm2BidDesign::caption);
} // namespace

QString titleAfterTabChange(const QString &pageTitle)
{
    return windowTitle + QStringLiteral(" - [") + pageTitle + QLatin1Char(']');
}

QString titleAfterDescriptionLoaded(const QString &pageTitle)
{
    return windowTitle + QStringLiteral("  - [") + pageTitle + QLatin1Char(']');
}

QString galleryTabCaption(const QString &pageTitle)
{
    QString start = pageTitle.left(25);
    // Never half a character.
    if (start.size() == 25 && start.back().isHighSurrogate())
        start.chop(1);
    // A page's "&" is text, not a keyboard accelerator of the tab.
    start.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return start + QStringLiteral("...");
}

Progress progressChanged(int progress, int progressMax, int currentMaximum)
{
    const int maximum = progressMax > 0 ? progressMax : currentMaximum;
    return {maximum, progress > 0 && progress <= maximum ? progress : 0};
}
} // namespace PaneRules

namespace {
// Qt takes "[*]" in a window title for its modified marker and drops it; this window has no such marker, so
// each one is doubled, which Qt shows as one.
void showTitle(QWidget *window, QString title)
{
    window->setWindowTitle(title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}
} // namespace

WebPanes::WebPanes(const Frm2BidUi &ui, QWidget *window, Prompter &prompter)
    : QObject(window), m_ui(ui), m_window(window), m_prompter(prompter)
{
    connect(ui.ssTab_Bid, &QTabWidget::currentChanged, this, &WebPanes::ssTab_Bid_Click);
    connect(ui.ssTab_Bid, &QTabWidget::tabBarDoubleClicked, this, &WebPanes::ssTab_Bid_DblClick);
    connect(ui.webBid, &WebView::ProgressChange, this, &WebPanes::webBid_ProgressChange);
    connect(ui.webBid, &WebView::DownloadComplete, this, &WebPanes::webBid_DownloadComplete);
    connect(ui.webgalley, &WebView::DownloadBegin, this, &WebPanes::webgalley_DownloadBegin);
    connect(ui.webgalley, &WebView::ProgressChange, this, &WebPanes::webgalley_ProgressChange);
    connect(ui.webgalley, &WebView::DownloadComplete, this, &WebPanes::webgalley_DownloadComplete);
    connect(ui.webgalley, &WebView::DocumentComplete, this, &WebPanes::webgalley_DocumentComplete);
}

void WebPanes::ssTab_Bid_Click()
{
    emit toolWindowWanted();
    const int tab = m_ui.ssTab_Bid->currentIndex();
    emit tabViewToFit(tab);
    const WebView *view = tab == 1 ? m_ui.webgalley : m_ui.webBid;
    showTitle(m_window, PaneRules::titleAfterTabChange(view->title()));
}

void WebPanes::ssTab_Bid_DblClick()
{
    if (m_ui.ssTab_Bid->currentIndex() != 0)
        return;
    const Prompter::Answer answer = m_prompter.ask(
        Box::question(QStringLiteral("Do you want to receive Product Description"), Box::Title::Service));
    if (answer == Prompter::Answer::Ok)
        emit productDescriptionWanted();
}

namespace {
void showProgress(QProgressBar *bar, int progress, int progressMax)
{
    const auto step = PaneRules::progressChanged(progress, progressMax, bar->maximum());
    bar->setMaximum(step.maximum);
    bar->setValue(step.value);
}
} // namespace

void WebPanes::webBid_ProgressChange(int progress, int progressMax)
{
    showProgress(m_ui.pload1, progress, progressMax);
}

void WebPanes::webBid_DownloadComplete()
{
    showTitle(m_window, PaneRules::titleAfterDescriptionLoaded(m_ui.webBid->title()));
    m_ui.pload1->setValue(0);
}

void WebPanes::webgalley_DownloadBegin()
{
    m_ui.ssTab_Bid->setTabText(1, PaneRules::galleryTabCaption(m_ui.webgalley->title()));
}

void WebPanes::webgalley_ProgressChange(int progress, int progressMax)
{
    showProgress(m_ui.pload2, progress, progressMax);
}

void WebPanes::webgalley_DownloadComplete()
{
    emit galleryAddressChanged(m_ui.webgalley->LocationURL());
    m_ui.ssTab_Bid->setTabText(1, PaneRules::galleryTabCaption(m_ui.webgalley->title()));
}

void WebPanes::webgalley_DocumentComplete()
{
    emit galleryAddressChanged(m_ui.webgalley->LocationURL());
}

int WebPanes::currentTab() const
{
    return m_ui.ssTab_Bid->currentIndex();
}

WebView *WebPanes::descriptionView() const
{
    return m_ui.webBid;
}

WebView *WebPanes::galleryView() const
{
    return m_ui.webgalley;
}
