#include "caption_switcher.h"

#include <QAction>
#include <QLabel>

namespace {
QString withoutAccelerators(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.trimmed();
}
} // namespace

void CaptionSwitcher::add(std::function<void(int column)> apply)
{
    apply(m_column);
    m_apply.push_back(std::move(apply));
}

void CaptionSwitcher::follow(std::function<void(int column)> show)
{
    add(std::move(show));
}

void CaptionSwitcher::follow(QLabel *label, const Caption &caption)
{
    add([label, caption](int column) { label->setText(caption.in(column)); });
}

void CaptionSwitcher::follow(QAction *action, const Caption &caption)
{
    add([action, caption](int column) { action->setText(caption.in(column)); });
}

void CaptionSwitcher::speak(QWidget *widget, const Caption &name)
{
    add([widget, name](int column) { widget->setAccessibleName(name.in(column)); });
}

void CaptionSwitcher::describe(QWidget *figure, const Caption &caption)
{
    add([figure, caption](int column) {
        figure->setAccessibleDescription(withoutAccelerators(caption.in(column)));
    });
}

void CaptionSwitcher::nameAfter(QWidget *entry, const Caption &caption)
{
    add([entry, caption](int column) { entry->setAccessibleName(withoutAccelerators(caption.in(column))); });
}

void CaptionSwitcher::markLanguage(QAction *thai, QAction *english)
{
    add([thai, english](int column) {
        thai->setChecked(column == 0);
        english->setChecked(column != 0);
    });
}

void CaptionSwitcher::SetLanguage(const QString &code)
{
    m_column = CaptionTable::column(code);
    for (const auto &apply : m_apply)
        apply(m_column);
}
