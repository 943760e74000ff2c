#pragma once

#include "caption.h"

#include <QString>

// The design's language table: the 28 captions that follow the interface language. A caption beyond the
// design's that follows the language too is a Caption constant of its own next to SpokenName's; one that
// does not goes into FixedCaption.
namespace CaptionTable {
// The rows in the table's order, each named after the control whose caption it is.
// clang-format off
enum Row : int {
    LBHEAD, lbfbid, lbmbid, lbhbid, lbLbid, lbinc, lbUBid, lbAuc, MP, MN, MFT, MPW, MPPS, MFV,
    MSNews, MSFAQ, MSS, MSCOMP, MPA, MSSALE, MSHELP, MFF, MFP1, MFP2, MCUS, MFPB, MaxBid, MCT,
    rowCount
};
// clang-format on

const Caption &caption(Row row);

// "T" chooses Thai (exact comparison); anything else English.
int column(const QString &code);
} // namespace CaptionTable

// What assistive technology speaks for the controls that show no caption of their own.
namespace SpokenName {
inline constexpr Caption but_Regis{u"เข้าสู่ระบบ", u"Login"};
inline constexpr Caption but_HelpMe{u"ช่วยเหลือ", u"Help"};
inline constexpr Caption but_Cal{u"เครื่องคิดเลข", u"Calculator"};
inline constexpr Caption but_basket{u"ตะกร้าของคุณ", u"Your basket"};
inline constexpr Caption webspn{u"โฆษณา", u"Advertisement"};
inline constexpr Caption logo{u"Gavora.Com", u"Gavora.Com"};
inline constexpr Caption webBid{u"รายละเอียดสินค้า", u"Product description"};
inline constexpr Caption webgalley{u"หมวดสินค้า", u"Categories"};
inline constexpr Caption pageProgress{u"ความคืบหน้าการโหลดหน้า", u"Page loading progress"};
inline constexpr Caption msgchat{u"ข้อความสนทนา", u"Chat"};
inline constexpr Caption txtSend{u"พิมพ์ข้อความสนทนา", u"Chat message"};
inline constexpr Caption PFInfo{u"ข้อมูลการประมูล", u"Auction information"};
inline constexpr Caption countDown{u"นับถอยหลัง", u"Countdown"};
inline constexpr Caption GOBID{u"เคาะเสนอราคา", u"Bid"};
inline constexpr Caption stbPanel1{u"คำแนะนำ", u"Hint"};
inline constexpr Caption stbPanel2{u"ผู้ใช้", u"User"};
inline constexpr Caption stbAutoBid{u"ประมูลอัตโนมัติ", u"Auto-bid"};
inline constexpr Caption stbConnection{u"การเชื่อมต่อ", u"Connection"};
} // namespace SpokenName

// The texts of the features added to the design: the Setting menu's group of its own, the status bar's
// auto-bid panel and connection indicator, and the boxes (the notifications' own are AlertText's). %1 is
// filled in when shown, an amount as the panel shows it.
namespace AddedCaption {
inline constexpr Caption MAutoBid{u"ประมูลอัตโนมัติถึงราคาพอใจซื้อสูงสุด", u"Auto-bid up to Max. Bid"};
inline constexpr Caption MNotify{u"แจ้งเตือนบนเดสก์ท็อป", u"Desktop notifications"};
inline constexpr Caption MMute{u"ปิดเสียง", u"Mute sounds"};
inline constexpr Caption MReconnect{u"เชื่อมต่อใหม่อัตโนมัติ", u"Reconnect automatically"};

inline constexpr Caption autoBidArmed{u"ประมูลอัตโนมัติถึง %1", u"Auto-bid up to %1"};
inline constexpr Caption maximumNotAboveLastBid{u"กรุณากำหนดราคาพอใจซื้อสูงสุดให้สูงกว่าราคาล่าสุดก่อน",
                                                u"Set Max. Bid above the last bid first."};
inline constexpr Caption biddingClosed{u"ขณะนี้ยังไม่เปิดให้เสนอราคา", u"Bidding is not open now."};

inline constexpr Caption connected{u"เชื่อมต่อแล้ว", u"Connected"};
inline constexpr Caption connecting{u"กำลังเชื่อมต่อ", u"Connecting"};
inline constexpr Caption notConnected{u"ไม่ได้เชื่อมต่อ", u"Not connected"};
// %1: the median round trip of the last bids taken, in milliseconds.
inline constexpr Caption connectedRoundTrip{u"เชื่อมต่อแล้ว · %1 ms", u"Connected · %1 ms"};
// %1: whole seconds, rounded up.
inline constexpr Caption reconnectingIn{u"จะเชื่อมต่อใหม่ใน %1 วินาที", u"Reconnecting in %1 s"};
} // namespace AddedCaption

// Captions and tooltips that read the same in both languages.
namespace FixedCaption {
inline constexpr char16_t MLG[] = u"Login";
inline constexpr char16_t MNU[] = u"&New user";
inline constexpr char16_t MLN[] = u"&Login";
inline constexpr char16_t DLP[] = u"&Display Last Bid";
inline constexpr char16_t MA[] = u"&About..";
inline constexpr char16_t MCC[] = u"&Chat";
inline constexpr char16_t ML[] = u"&ไทย | Eng";
inline constexpr char16_t MLT[] = u"&ไทย";
inline constexpr char16_t MLE[] = u"&English";
inline constexpr char16_t ButSend[] = u"&Send";
inline constexpr char16_t descriptionTab[] = u"&Product Description";
inline constexpr char16_t categoriesTab[] = u"&Categories";
inline constexpr char16_t but_RegisTip[] = u"Login";
inline constexpr char16_t but_HelpMeTip[] = u"Help";
inline constexpr char16_t but_CalTip[] = u"Calculator";
inline constexpr char16_t but_basketTip[] = u"Your basket";
inline constexpr char16_t GOBIDTip[] = u"เคาะเสนอราคา";
} // namespace FixedCaption
