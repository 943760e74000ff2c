#pragma once

#include "auction_receiver.h"
#include "work_folder.h"

#include <QObject>
#include <functional>

class AuctionBoard;
class AuctionSocket;
class Prompter;
class SoundPlayer;
struct Frm2BidUi;

// The auction column of the main window: the connection, the board that holds what the panel shows, the
// widgets bound to it, and the user's bids and chat lines.
class AuctionPanel : public QObject {
    Q_OBJECT
public:
    // The connection's state as the user sees it: connecting from the connect step until the connection is up
    // or has failed.
    enum class Link { NotConnected, Connecting, Connected };

    // Sales are recorded and sounds found in folder.
    AuctionPanel(const Frm2BidUi &ui, Prompter &prompter, std::function<void()> beep,
                 const WorkFolder &folder, QObject *parent);
    ~AuctionPanel() override;

    AuctionBoard &board() { return *m_board; }
    AuctionSocket *socket() const { return wsk_tcp; }
    SoundPlayer &sounds() const { return *m_sounds; }
    const QString &CurrentProductID() const;
    Link link() const { return m_link; }

    // Connects as userId, the name the sign-in has just checked: the connection's identity from then on.
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId);
    void wsk_tcp_Connect();
    void wsk_tcp_Close();
    void wsk_tcp_Error(int number, const QString &description);
    void wsk_tcp_DataArrival();

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
    // The connection ended; the user signs in again to reconnect.
    void connectionLost();
    // A countdown stage changed the large last bid: the window centres it over the description.
    void lastBidDisplayChanged();
    void linkChanged(AuctionPanel::Link link);
    // A bid went out, from the bid button, Enter or auto-bid.
    void bidSent();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showBoard(unsigned what);
    void showBidList();
    void showStage();
    void setLink(Link link);

    AuctionSocket *wsk_tcp;
    const Frm2BidUi &m_ui;
    Prompter &m_prompter;
    std::function<void()> m_beep;
    AuctionBoard *m_board;
    AuctionReceiver m_receiver;
    SoundPlayer *m_sounds;
    Link m_link = Link::NotConnected;
};
