#include "design_window.h"

#include "design_units.h"
#include "palette.h"

#include <QMainWindow>
#include <QMenuBar>

namespace Design {
namespace {
void nameAndFont(QWidget *window, const Form &form)
{
    window->setObjectName(QString::fromLatin1(form.name.data(), qsizetype(form.name.size())));
    window->setWindowTitle(QString::fromUtf16(form.caption.data(), qsizetype(form.caption.size())));
    if (form.designFont)
        window->setFont(sansFont(8.25));
}

void size(QWidget *window, const Form &form, int extraHeight)
{
    const QSize pixels(toPixels(form.width), toPixels(form.height) + extraHeight);
    if (form.fixedSize)
        window->setFixedSize(pixels);
    else
        window->resize(pixels);
}
} // namespace

void setUpForm(QWidget *window, const Form &form)
{
    nameAndFont(window, form);
    if (form.backColor)
        setFormColor(window, fromBgr(*form.backColor));
    size(window, form, 0);
}

void setUpForm(QMainWindow *window, const Form &form)
{
    nameAndFont(window, form);
    if (form.backColor)
        setBackColor(window->centralWidget(), fromBgr(*form.backColor));
    size(window, form, window->menuBar()->sizeHint().height());
}
} // namespace Design
