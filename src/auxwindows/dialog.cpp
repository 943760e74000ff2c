#include "dialog.h"

#include "auction_protocol.h"
#include "design_units.h"
#include "design_window.h"
#include "pictures.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
const QString noticeOfRights = QStringLiteral("สงวนลิขสิทธิ์ตามกฎหมาย © Gavora.Com");

using Design::place;
using Design::TwipsRect;

QLabel *picture(QWidget *parent, std::string_view name, const TwipsRect &rect, const QPixmap &pixmap)
{
    auto *label = place(new QLabel(parent), name, rect);
    // At its own size, from the top left corner.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(pixmap);
    return label;
}

QLabel *text(QWidget *parent, std::string_view name, const TwipsRect &rect, const QString &caption,
             const QFont &font)
{
    auto *label = place(new QLabel(caption, parent), name, rect);
    // The faces that carry Thai are taller than the design's: the label grows about its middle rather than
    // clip the text.
    const int missing = QFontMetrics(font).height() - label->height();
    if (missing > 0)
        label->setGeometry(label->geometry().adjusted(0, -missing / 2, 0, missing - missing / 2));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    return label;
}
} // namespace

Dialog::Dialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    Design::setUpForm(
        this,
        {.name = "Dialog", .caption = u"Gavora.Com", .width = 6330, .height = 3570, .backColor = 0x00FFFFFF});

    picture(this, "Image1", {690, 60, 5340, 1590}, Pictures::aboutLogo());
    m_ui.Label2 = text(this, "Label2", {180, 1710, 6075, 525}, noticeOfRights, Design::sansFont(12, true));
    picture(this, "Image2", {1830, 2280, 2880, 390}, Pictures::aboutCredit());
    m_ui.lbName = text(this, "lbName", {1860, 2730, 2775, 285}, Protocol::Web::contactAddress,
                       Design::serifFont(14.25));
    m_ui.OKButton = place(new QPushButton(QStringLiteral("OK"), this), "OKButton", {2580, 3150, 1215, 375});
    m_ui.OKButton->setDefault(true);
    m_ui.OKButton->setFocus();
    connect(m_ui.OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void Dialog::showAbout(QWidget *owner)
{
    Dialog box(owner);
    box.exec();
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    // There is no cancel button, so Escape does not close the box.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
