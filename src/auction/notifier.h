#pragma once

#include <QObject>
#include <QString>

// Where the program's desktop notifications go. The alerts decide what to say; a notifier only delivers it.
class Notifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Shows body as one of the program's notifications.
    virtual void notify(const QString &body) = 0;

signals:
    // The user clicked one of the program's notifications.
    void activated();
};
