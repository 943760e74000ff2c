#include "frm2bid_menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction *addCheckItem(QMenu *menu, const char *name, const QString &caption, bool checked)
{
    QAction *action = addItem(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu *makeMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}
} // namespace

Frm2BidMenus Frm2BidMenus::build(QMainWindow *window)
{
    Frm2BidMenus m;
    m.MLG = makeMenu(window, "MLG", QStringLiteral("Login"));
    m.MNU = addItem(m.MLG, "MNU", QStringLiteral("&New user"));
    m.MLN = addItem(m.MLG, "MLN", QStringLiteral("&Login"));
    m.bl = addSeparator(m.MLG, "bl");
    m.DLP = addCheckItem(m.MLG, "DLP", QStringLiteral("&Display Last Bid"), true);
    m.MA = addItem(m.MLG, "MA", QStringLiteral("&About.."));

    QMenuBar *bar = window->menuBar();
    m.MP = makeMenu(window, "MP", QStringLiteral("Set&ting"));
    m.MPW = addItem(m.MP, "MPW", QStringLiteral("&Options"));
    m.MPW->setEnabled(false);
    m.MPPS = addItem(m.MP, "MPPS", QStringLiteral("&Product List"));
    m.BK1 = addSeparator(m.MP, "BK1");
    m.MFV = addCheckItem(m.MP, "MFV", QStringLiteral("&Wide View"), false);
    bar->addMenu(m.MP);

    m.MN = makeMenu(window, "MN", QStringLiteral("&Services"));
    m.MSNews = addItem(m.MN, "MSNews", QStringLiteral("&News"));
    m.MSFAQ = addItem(m.MN, "MSFAQ", QStringLiteral("&FAQ"));
    m.MSS = addItem(m.MN, "MSS", QStringLiteral("Se&arch"));
    m.MSCOMP = addItem(m.MN, "MSCOMP", QStringLiteral("Price &Lines"));
    m.MSCOMP->setVisible(false);
    m.MCC = addItem(m.MN, "MCC", QStringLiteral("&Chat"));
    m.MCT = addItem(m.MN, "MCT", QStringLiteral("Contact"));
    m.BK4 = addSeparator(m.MN, "BK4");
    m.BK4->setVisible(false);
    m.MPA = addItem(m.MN, "MPA", QStringLiteral("&Alarm"));
    m.MPA->setVisible(false);
    m.BK3 = addSeparator(m.MN, "BK3");
    m.MSSALE = addItem(m.MN, "MSSALE", QStringLiteral("Product &Auction"));
    m.BK2 = addSeparator(m.MN, "BK2");
    m.MSHELP = addItem(m.MN, "MSHELP", QStringLiteral("&Help"));
    bar->addMenu(m.MN);

    m.MFT = makeMenu(window, "MFT", QStringLiteral("&Format"));
    m.MFF = makeMenu(m.MFT, "MFF", QStringLiteral("&Background Image"));
    m.MFP1 = addItem(m.MFF, "MFP1", QStringLiteral("Picture &1"));
    m.MFP2 = addItem(m.MFF, "MFP2", QStringLiteral("Picture &2"));
    m.MCUS = addItem(m.MFF, "MCUS", QStringLiteral("&Select background image"));
    m.BKK = addSeparator(m.MFF, "BKK");
    m.MFPB = addItem(m.MFF, "MFPB", QStringLiteral("&Disable "));
    m.MFT->addMenu(m.MFF);
    bar->addMenu(m.MFT);

    m.ML = makeMenu(window, "ML", QStringLiteral("&ไทย | Eng"));
    m.MLT = addCheckItem(m.ML, "MLT", QStringLiteral("&ไทย"), true);
    m.MLE = addCheckItem(m.ML, "MLE", QStringLiteral("&English"), false);
    bar->addMenu(m.ML);
    return m;
}
