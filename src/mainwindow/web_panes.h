#pragma once

#include "tool_target.h"

#include <QObject>
#include <QString>

struct Frm2BidUi;
class Prompter;
class QWidget;

// The rules of the tabbed web pane, without widgets.
namespace PaneRules {
QString titleAfterTabChange(const QString &pageTitle);
QString titleAfterDescriptionLoaded(const QString &pageTitle);
// The gallery tab shows the start of its page's title.
QString galleryTabCaption(const QString &pageTitle);

struct Progress {
    int maximum;
    int value;
};
// A progress report against a bar whose maximum is currentMaximum.
Progress progressChanged(int progress, int progressMax, int currentMaximum);
} // namespace PaneRules

// The left pane: the two tabs, their web views and progress bars, the window title that follows them and the
// product description request. The toolbar window drives the view of the tab shown.
class WebPanes : public QObject, public ToolTarget {
    Q_OBJECT
public:
    WebPanes(const Frm2BidUi &ui, QWidget *window, Prompter &prompter);

    // ToolTarget
    int currentTab() const override;
    WebView *descriptionView() const override;
    WebView *galleryView() const override;

    void ssTab_Bid_Click();
    void ssTab_Bid_DblClick();
    void webBid_ProgressChange(int progress, int progressMax);
    void webBid_DownloadComplete();
    void webgalley_DownloadBegin();
    void webgalley_ProgressChange(int progress, int progressMax);
    void webgalley_DownloadComplete();
    void webgalley_DocumentComplete();

signals:
    void toolWindowWanted();
    // The tab that became current wants its view to follow the tab control's width.
    void tabViewToFit(int tab);
    // The gallery's page address, for the toolbar window's address box.
    void galleryAddressChanged(const QString &url);
    // The user asked for the product description and confirmed.
    void productDescriptionWanted();

private:
    const Frm2BidUi &m_ui;
    QWidget *m_window;
    Prompter &m_prompter;
};
