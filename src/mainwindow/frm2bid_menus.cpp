#include "frm2bid_menus.h"

#include "caption_switcher.h"
#include "service_pages.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <utility>
#include <variant>

namespace {
using CaptionTable::Row;
using ServicePages::Command;

// A caption that stays as designed, a row of the language table, or a caption beyond the table that follows
// the language as well.
using Text = std::variant<const char16_t *, Row, Caption>;

struct Builder {
    CaptionSwitcher &captions;

    QAction *named(QAction *action, const char *name, Text text)
    {
        action->setObjectName(QString::fromLatin1(name));
        if (const auto *fixed = std::get_if<const char16_t *>(&text))
            action->setText(QString::fromUtf16(*fixed));
        else if (const auto *row = std::get_if<Row>(&text))
            captions.follow(action, CaptionTable::caption(*row));
        else
            captions.follow(action, std::get<Caption>(text));
        return action;
    }

    QAction *item(QMenu *menu, const char *name, Text text)
    {
        return named(menu->addAction(QString()), name, text);
    }

    QAction *page(QMenu *menu, const char *name, Text text, Command command)
    {
        QAction *action = item(menu, name, text);
        action->setData(QVariant::fromValue(command));
        return action;
    }

    QAction *checkItem(QMenu *menu, const char *name, Text text, bool checked)
    {
        QAction *action = item(menu, name, text);
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    }

    QAction *separator(QMenu *menu, const char *name)
    {
        QAction *action = menu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    }

    // A menu's title is the text of its menu action.
    QMenu *menu(QWidget *parent, const char *name, Text text)
    {
        auto *menu = new QMenu(parent);
        menu->setObjectName(QString::fromLatin1(name));
        named(menu->menuAction(), name, text);
        return menu;
    }
};
} // namespace

Frm2BidMenus Frm2BidMenus::build(QMainWindow *window, CaptionSwitcher &captions)
{
    Builder b{captions};
    Frm2BidMenus m;
    m.MLG = b.menu(window, "MLG", FixedCaption::MLG);
    m.MNU = b.page(m.MLG, "MNU", FixedCaption::MNU, Command::MNU);
    m.MLN = b.item(m.MLG, "MLN", FixedCaption::MLN);
    b.separator(m.MLG, "bl");
    m.DLP = b.checkItem(m.MLG, "DLP", FixedCaption::DLP, true);
    m.MA = b.item(m.MLG, "MA", FixedCaption::MA);

    QMenuBar *bar = window->menuBar();
    m.MP = b.menu(window, "MP", Row::MP);
    m.MPW = b.item(m.MP, "MPW", Row::MPW);
    m.MPW->setEnabled(false);
    m.MPPS = b.page(m.MP, "MPPS", Row::MPPS, Command::MPPS);
    b.separator(m.MP, "BKAdded");
    m.MAutoBid = b.checkItem(m.MP, "MAutoBid", AddedCaption::MAutoBid, false);
    m.MNotify = b.checkItem(m.MP, "MNotify", AddedCaption::MNotify, true);
    m.MMute = b.checkItem(m.MP, "MMute", AddedCaption::MMute, false);
    m.MReconnect = b.checkItem(m.MP, "MReconnect", AddedCaption::MReconnect, false);
    b.separator(m.MP, "BK1");
    m.MFV = b.checkItem(m.MP, "MFV", Row::MFV, false);
    bar->addMenu(m.MP);

    m.MN = b.menu(window, "MN", Row::MN);
    m.MSNews = b.page(m.MN, "MSNews", Row::MSNews, Command::MSNews);
    m.MSFAQ = b.page(m.MN, "MSFAQ", Row::MSFAQ, Command::MSFAQ);
    m.MSS = b.page(m.MN, "MSS", Row::MSS, Command::MSS);
    m.MSCOMP = b.item(m.MN, "MSCOMP", Row::MSCOMP);
    m.MSCOMP->setVisible(false);
    m.MCC = b.item(m.MN, "MCC", FixedCaption::MCC);
    m.MCT = b.page(m.MN, "MCT", Row::MCT, Command::MCT);
    m.BK4 = b.separator(m.MN, "BK4");
    m.BK4->setVisible(false);
    m.MPA = b.item(m.MN, "MPA", Row::MPA);
    m.MPA->setVisible(false);
    b.separator(m.MN, "BK3");
    m.MSSALE = b.page(m.MN, "MSSALE", Row::MSSALE, Command::MSSALE);
    b.separator(m.MN, "BK2");
    m.MSHELP = b.page(m.MN, "MSHELP", Row::MSHELP, Command::MSHELP);
    bar->addMenu(m.MN);

    m.MFT = b.menu(window, "MFT", Row::MFT);
    m.MFF = b.menu(m.MFT, "MFF", Row::MFF);
    m.MFP1 = b.item(m.MFF, "MFP1", Row::MFP1);
    m.MFP2 = b.item(m.MFF, "MFP2", Row::MFP2);
    m.MCUS = b.item(m.MFF, "MCUS", Row::MCUS);
    b.separator(m.MFF, "BKK");
    m.MFPB = b.item(m.MFF, "MFPB", Row::MFPB);
    m.MFT->addMenu(m.MFF);
    bar->addMenu(m.MFT);

    m.ML = b.menu(window, "ML", FixedCaption::ML);
    m.MLT = b.checkItem(m.ML, "MLT", FixedCaption::MLT, true);
    m.MLE = b.checkItem(m.ML, "MLE", FixedCaption::MLE, false);
    bar->addMenu(m.ML);
    return m;
}

void Frm2BidMenus::connectCommands(QObject *context, const Commands &c) const
{
    using Entry = std::pair<QAction *, std::function<void()>>;
    for (const Entry &entry : {Entry{MLN, c.MLN}, Entry{MA, c.MA}, Entry{MCC, c.MCC}, Entry{MFP1, c.MFP1},
                               Entry{MFP2, c.MFP2}, Entry{MCUS, c.MCUS}, Entry{MFPB, c.MFPB}})
        QObject::connect(entry.first, &QAction::triggered, context, entry.second);
    // The toolkit toggles a check item before telling of it: undone, so that the handler decides.
    for (const Entry &entry : {Entry{DLP, c.DLP}, Entry{MFV, c.MFV}, Entry{MLT, c.MLT}, Entry{MLE, c.MLE},
                               Entry{MAutoBid, c.MAutoBid}}) {
        QAction *item = entry.first;
        QObject::connect(item, &QAction::triggered, context, [item, command = entry.second](bool checked) {
            item->setChecked(!checked);
            command();
        });
    }
    for (QAction *item : {MNU, MPPS, MSSALE, MSNews, MSFAQ, MSS, MSHELP, MCT}) {
        QObject::connect(item, &QAction::triggered, context,
                         [item, page = c.page] { page(item->data().value<Command>()); });
    }
}

void Frm2BidMenus::followSettings(QObject *context, UserSettings &settings) const
{
    using Entry = std::pair<QAction *, UserSettings::Key>;
    for (const Entry &entry :
         {Entry{MNotify, UserSettings::Key::Notifications}, Entry{MMute, UserSettings::Key::Muted},
          Entry{MReconnect, UserSettings::Key::Reconnect}}) {
        QAction *item = entry.first;
        const UserSettings::Key key = entry.second;
        item->setChecked(settings.value(key));
        QObject::connect(item, &QAction::triggered, context, [&settings, key] { settings.toggle(key); });
        QObject::connect(&settings, &UserSettings::changed, item,
                         [item, &settings, key](UserSettings::Key changed) {
                             if (changed == key)
                                 item->setChecked(settings.value(key));
                         });
    }
}
