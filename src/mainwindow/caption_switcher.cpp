#include "caption_switcher.h"

#include "caption_table.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace {
// Controls without a caption of their own, named by their role.
struct RoleName {
    const char *control;
    const char16_t *thai;
    const char16_t *english;
};
// clang-format off
constexpr RoleName roleNames[] = {
    {"but_Regis",   u"เข้าสู่ระบบ",            u"Login"},
    {"but_HelpMe",  u"ช่วยเหลือ",             u"Help"},
    {"but_Cal",     u"เครื่องคิดเลข",          u"Calculator"},
    {"but_basket",  u"ตะกร้าของคุณ",          u"Your basket"},
    {"webspn",      u"โฆษณา",               u"Advertisement"},
    {"Pict_Auc",    u"Gavora.Com",          u"Gavora.Com"},
    {"ImgContain",  u"Gavora.Com",          u"Gavora.Com"},
    {"webBid",      u"รายละเอียดสินค้า",       u"Product description"},
    {"webgalley",   u"หมวดสินค้า",            u"Categories"},
    {"pload1",      u"ความคืบหน้าการโหลดหน้า",  u"Page loading progress"},
    {"pload2",      u"ความคืบหน้าการโหลดหน้า",  u"Page loading progress"},
    {"msgchat",     u"ข้อความสนทนา",          u"Chat"},
    {"txtSend",     u"พิมพ์ข้อความสนทนา",       u"Chat message"},
    {"PFInfo",      u"ข้อมูลการประมูล",         u"Auction information"},
    {"countDown",   u"นับถอยหลัง",            u"Countdown"},
    {"GOBID",       u"เคาะเสนอราคา",          u"Bid"},
    {"stbPanel1",   u"คำแนะนำ",              u"Hint"},
    {"stbPanel2",   u"ผู้ใช้",                 u"User"},
};
// clang-format on

// Figures and entry boxes, named after the caption beside them. A figure's own text is its value, so the
// caption goes into its description; an entry box takes it as its name.
struct CaptionedBy {
    const char *control;
    const char *caption;
    bool isEntry;
};
constexpr CaptionedBy captionedBy[] = {
    {"fbidat", "lbfbid", false}, {"MinBid", "lbmbid", false},      {"Hi_Bid", "lbhbid", false},
    {"Lb_bid", "lbLbid", false}, {"displastbid", "lbLbid", false}, {"bid_Inc", "lbinc", false},
    {"MMax", "MaxBid", true},    {"lbYourBid", "lbUBid", true},    {"aucList", "lbAuc", true},
};

QString withoutAccelerators(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.trimmed();
}

int rowOf(const char *control)
{
    const auto &rows = CaptionTable::rows();
    for (int row = 0; row < CaptionTable::rowCount; ++row) {
        if (qstrcmp(rows[std::size_t(row)].control, control) == 0)
            return row;
    }
    return -1;
}
} // namespace

CaptionSwitcher::CaptionSwitcher(QObject *window)
{
    for (const CaptionTable::Row &row : CaptionTable::rows())
        m_captions.push_back(resolve(window, row.control));

    for (const RoleName &role : roleNames) {
        auto *widget = window->findChild<QWidget *>(QString::fromLatin1(role.control));
        if (!widget) {
            m_unresolved << QString::fromLatin1(role.control);
            continue;
        }
        m_accessibleNames.push_back([widget, role](int column) {
            widget->setAccessibleName(QString::fromUtf16(column == 0 ? role.thai : role.english));
        });
    }
    for (const CaptionedBy &pair : captionedBy) {
        auto *widget = window->findChild<QWidget *>(QString::fromLatin1(pair.control));
        const int row = rowOf(pair.caption);
        if (!widget || row < 0) {
            m_unresolved << QString::fromLatin1(widget ? pair.caption : pair.control);
            continue;
        }
        m_accessibleNames.push_back([widget, row, entry = pair.isEntry](int column) {
            const QString caption = withoutAccelerators(CaptionTable::caption(row, column));
            if (entry)
                widget->setAccessibleName(caption);
            else
                widget->setAccessibleDescription(caption);
        });
    }
}

CaptionSwitcher::Setter CaptionSwitcher::resolve(QObject *window, const char *name)
{
    const QString objectName = QString::fromLatin1(name);
    if (auto *label = window->findChild<QLabel *>(objectName))
        return [label](const QString &text) { label->setText(text); };
    if (auto *menu = window->findChild<QMenu *>(objectName))
        return [menu](const QString &text) { menu->setTitle(text); };
    if (auto *action = window->findChild<QAction *>(objectName))
        return [action](const QString &text) { action->setText(text); };
    m_unresolved << objectName;
    return [](const QString &) {};
}

void CaptionSwitcher::SetLanguage(const QString &code)
{
    const int column = CaptionTable::column(code);
    for (int row = 0; row < CaptionTable::rowCount; ++row)
        m_captions[std::size_t(row)](CaptionTable::caption(row, column));
    for (const auto &apply : m_accessibleNames)
        apply(column);
}
