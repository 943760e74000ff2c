#pragma once

#include "sign_in_target.h"
#include "work_folder.h"

#include <QObject>
#include <functional>

class AuctionBoard;
class AuctionConnection;
class BidReceipts;
class ConnectionNotes;
class Timeline;
class Prompter;
class SoundPlayer;
class UserSettings;
struct Frm2BidUi;

// The auction column of the main window: the board that holds what the panel shows and the connection that
// feeds it, the widgets bound to both, and the user's bids and chat lines. A successful sign-in hands over to
// it.
class AuctionPanel : public QObject, public SignInTarget {
    Q_OBJECT
public:
    // Sales are recorded and sounds found in folder; the sounds and reconnecting follow the settings. Bids
    // are timed and reconnections paced on timeline.
    AuctionPanel(const Frm2BidUi &ui, Prompter &prompter, std::function<void()> beep,
                 const WorkFolder &folder, const UserSettings &settings, Timeline &timeline, QObject *parent);
    ~AuctionPanel() override;

    AuctionBoard &board() { return *m_board; }
    const AuctionBoard &board() const { return *m_board; }
    AuctionConnection &connection() const { return *m_connection; }
    SoundPlayer &sounds() const { return *m_sounds; }
    BidReceipts &receipts() const { return *m_receipts; }
    ConnectionNotes &notes() const { return *m_notes; }

    // SignInTarget: the member's status in the status bar, then the connect step.
    void showMemberStatus(const QString &text) override;
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId) override;

    void GOBID_Click();
    // Your Bid goes out as the bid button sends it once its checks have passed: auto-bid's bids.
    void sendYourBid();
    void MMax_LostFocus();
    void ButSend_Click();
    // The large last-bid display goes away until the next countdown stage.
    void hideLastBidDisplay();
    // Asks the server for the product description; nothing when not connected.
    void requestProductDescription();

signals:
    // A countdown stage changed the large last bid: the window centres it over the description.
    void lastBidDisplayChanged();
    // A bid went out, from the bid button, Enter or auto-bid.
    void bidSent();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showBoard(unsigned what);
    void showBidList();
    void showStage();

    const Frm2BidUi &m_ui;
    Prompter &m_prompter;
    AuctionBoard *m_board;
    AuctionConnection *m_connection;
    SoundPlayer *m_sounds;
    BidReceipts *m_receipts;
    ConnectionNotes *m_notes;
};
