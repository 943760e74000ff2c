#include "caption_table.h"

namespace CaptionTable {
namespace {
constexpr std::array<Row, rowCount> table{{
    {"LBHEAD", u"ข้อมูลการประมูล", u"Auction"},
    {"lbfbid", u"ราคาเริ่มต้น", u"First bid at"},
    {"lbmbid", u"ราคาขายต่ำสุด", u"Mimimum bid"},
    {"lbhbid", u"ผู้ประมูลสูงสุด", u"High Bid"},
    {"lbLbid", u"ราคาสูงสุด ณ ขณะนี้", u"Last Bid"},
    {"lbinc", u"อัตราเพิ่ม", u"Increment"},
    {"lbUBid", u"ราคาที่ต้องเสนอขั้นต่ำ", u"Your Bid"},
    {"lbAuc", u"ประวัติการประมูล", u"Auction History"},
    {"MP", u"กำหนด", u"Set&ting"},
    {"MN", u"บริการ", u"&Services"},
    {"MFT", u"รูปแบบ", u"&Format"},
    {"MPW", u"รูปแบบหน้าจอเวบ", u"&Options"},
    {"MPPS", u"สินค้าที่สนใจ", u"&Product List"},
    {"MFV", u"แสดงเวบแบบเต็มความกว้าง", u"&Wide View"},
    {"MSNews", u"ข่าว", u"&News"},
    {"MSFAQ", u"FAQ", u"&FAQ"},
    {"MSS", u"ค้นหาข้อมูล", u"Se&arch"},
    {"MSCOMP", u"เปรียบเทียบราคา", u"Price &Lines"},
    {"MPA", u"ระบบเตือน", u"&Alarm"},
    {"MSSALE", u"นำสินค้ามาประมูล", u"Product &Auction"},
    {"MSHELP", u"ช่วยเหลือ", u"&Help"},
    {"MFF", u"ภาพหลัง", u"&Background Image"},
    {"MFP1", u"รูปแบบที่ 1", u"Picture &1"},
    {"MFP2", u"รูปแบบที่ 2", u"Picture &2"},
    {"MCUS", u"กำหนดเอง", u"&Select background image"},
    {"MFPB", u"ไม่แสดง", u"&Disable "},
    {"MaxBid", u"ราคาพอใจซื้อสูงสุด", u"Max. Bid"},
    {"MCT", u"ติดต่อสอบถาม", u"Contact"},
}};
} // namespace

const std::array<Row, rowCount> &rows()
{
    return table;
}

int column(const QString &code)
{
    return code == QLatin1String("T") ? 0 : 1;
}

QString caption(int row, int column)
{
    if (row < 0 || row >= rowCount)
        return {};
    const Row &r = table[std::size_t(row)];
    return QString::fromUtf16(column == 0 ? r.thai : r.english);
}
} // namespace CaptionTable
