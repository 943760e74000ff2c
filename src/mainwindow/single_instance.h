#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One client per work folder and user. The first start in a folder holds a lock and listens on a local
// socket; a later start there asks it to come forward and ends. Both are named after a hash of the folder's
// canonical path and the user, since a socket's path has a small limit. A client that crashed leaves a lock
// whose process is gone and a socket nobody listens on: the next start takes both over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Needs the application object. Says nothing, and sends nothing but the request to come forward.
    explicit SingleInstance(const QString &folder, QObject *parent = nullptr);

    // Another client runs in the folder and has been asked to come forward: this one should end.
    bool handedOver() const { return m_handedOver; }

signals:
    // A later start in the same folder asks this client to come forward.
    void forwardWanted();

private:
    bool claim();
    bool askRunningClient() const;

    QString m_name;
    QLockFile m_lock;
    QLocalServer m_server;
    bool m_handedOver = false;
};
