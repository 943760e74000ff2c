#pragma once

#include <QString>

// What a successful sign-in hands over to the main window.
class SignInTarget {
public:
    virtual ~SignInTarget() = default;
    virtual void showMemberStatus(const QString &text) = 0;
    virtual void ConnectAuctionSocket(const QString &host, int port) = 0;
};
