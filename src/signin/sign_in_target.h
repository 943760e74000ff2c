#pragma once

#include <QString>

// What a successful sign-in hands over to the main window.
class SignInTarget {
public:
    virtual ~SignInTarget() = default;
    virtual void showMemberStatus(const QString &text) = 0;
    // userId: the name the server has just accepted; the new connection announces it and acts under it.
    virtual void ConnectAuctionSocket(const QString &host, int port, const QString &userId) = 0;
};
