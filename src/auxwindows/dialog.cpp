#include "dialog.h"

#include "design_units.h"
#include "palette.h"
#include "pictures.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

const QString Dialog::noticeOfRights = QStringLiteral("สงวนลิขสิทธิ์ตามกฎหมาย © Gavora.Com");
const QString Dialog::contactAddress = QStringLiteral("info@gavora.example");

namespace {
QLabel *picture(QWidget *parent, const char *name, const Design::TwipsRect &rect, const QPixmap &pixmap)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(Design::toPixels(rect));
    // At its own size, from the top left corner.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(pixmap);
    return label;
}

QLabel *text(QWidget *parent, const char *name, const Design::TwipsRect &rect, const QString &caption,
             const QFont &font)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    // The faces that carry Thai are taller than the design's: the label grows about its middle rather than
    // clip the text.
    QRect geometry = Design::toPixels(rect);
    const int missing = QFontMetrics(font).height() - geometry.height();
    if (missing > 0)
        geometry.adjust(0, -missing / 2, 0, missing - missing / 2);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    return label;
}
} // namespace

Dialog::Dialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Gavora.Com"));
    setWindowIcon(QIcon(Pictures::appIcon()));
    setFont(Design::sansFont(8.25));
    Design::setFormColor(this, Qt::white);
    setFixedSize(Design::toPixels(clientWidth), Design::toPixels(clientHeight));

    Image1 = picture(this, "Image1", {690, 60, 5340, 1590}, Pictures::aboutLogo());
    Label2 = text(this, "Label2", {180, 1710, 6075, 525}, noticeOfRights, Design::sansFont(12, true));
    Image2 = picture(this, "Image2", {1830, 2280, 2880, 390}, Pictures::aboutCredit());
    lbName = text(this, "lbName", {1860, 2730, 2775, 285}, contactAddress, Design::serifFont(14.25));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(Design::toPixels(Design::TwipsRect{2580, 3150, 1215, 375}));
    OKButton->setDefault(true);
    OKButton->setFocus();
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
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
