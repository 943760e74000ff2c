#include "frm_tool.h"

#include "design_window.h"
#include "host_config.h"
#include "palette.h"
#include "pictures.h"
#include "tool_target.h"
#include "web_view.h"

#include <QAction>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QToolBar>
#include <QUrl>

namespace {
// Button keys (also their tooltips), left to right.
const QStringList buttonKeys = {QStringLiteral("Back"), QStringLiteral("Forward"),
                                QStringLiteral("Stop"), QStringLiteral("Refresh"),
                                QStringLiteral("Home"), QStringLiteral("Search")};
} // namespace

frmTool::frmTool(ToolTarget &target, const WorkFolder &folder, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_target(target), m_folder(folder)
{
    setAttribute(Qt::WA_DeleteOnClose);
    Design::setUpForm(this, {.name = "frmTool", .caption = u"Toolbar", .width = 2805, .height = 795});

    QToolBar *tbToolBar = m_ui.tbToolBar = Design::place(new QToolBar(this), "tbToolBar", {0, 0, 2820, 510});
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->layout()->setContentsMargins(0, 0, 0, 0);
    tbToolBar->layout()->setSpacing(0);
    for (int i = 0; i < buttonKeys.size(); ++i) {
        QAction *button = tbToolBar->addAction(QIcon(Pictures::toolbarIcon(i + 1)), QString());
        button->setObjectName(buttonKeys[i]);
        button->setData(buttonKeys[i]);
        button->setToolTip(buttonKeys[i]);
        tbToolBar->widgetForAction(button)->setAccessibleName(buttonKeys[i]);
        // Six buttons share the design's width exactly, with no room left for an overflow arrow.
        tbToolBar->widgetForAction(button)->setFixedSize(tbToolBar->width() / int(buttonKeys.size()),
                                                         tbToolBar->height());
    }
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction *button) { tbToolBar_ButtonClick(button->data().toString()); });

    QLineEdit *txtURL = m_ui.txtURL = Design::place(new QLineEdit(this), "txtURL", {0, 510, 2805, 285});
    txtURL->setAccessibleName(QStringLiteral("Address"));
    Design::setBackColor(txtURL, QColor(224, 224, 224));
    txtURL->installEventFilter(this);
    setTabOrder(tbToolBar, txtURL);

    // Placed at the top of the screen whatever the system would choose.
    move(550, 0);
}

void frmTool::setAddress(const QString &url)
{
    m_ui.txtURL->setText(url);
}

void frmTool::tbToolBar_ButtonClick(const QString &key)
{
    const int tab = m_target.currentTab();
    WebView *view = tab == 0 ? m_target.descriptionView() : tab == 1 ? m_target.galleryView() : nullptr;
    if (!view)
        return;
    if (key == QLatin1String("Back")) {
        view->GoBack();
    } else if (key == QLatin1String("Forward")) {
        view->GoForward();
    } else if (key == QLatin1String("Refresh")) {
        view->Refresh();
    } else if (key == QLatin1String("Home")) {
        // On the description tab too: Home acts on the page the user sees.
        view->Navigate(HostConfig::website(m_folder) + QLatin1Char('/'));
    } else if (key == QLatin1String("Search")) {
        view->GoSearch();
    } else if (key == QLatin1String("Stop")) {
        view->Stop();
    }
}

void frmTool::txtURL_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (keyCode != Qt::Key_Return && keyCode != Qt::Key_Enter)
        return;
    // Read as a browser's address bar reads it: a bare host or path opens over http.
    if (WebView *gallery = m_target.galleryView())
        gallery->Navigate(QUrl::fromUserInput(m_ui.txtURL->text()).toString(QUrl::FullyEncoded));
}

bool frmTool::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.txtURL && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        txtURL_KeyDown(key->key(), key->modifiers());
        // Enter is the box's own business: nothing else (a default button, a shortcut) may take it.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
