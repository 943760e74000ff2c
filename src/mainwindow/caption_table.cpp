#include "caption_table.h"

#include <array>

namespace CaptionTable {
namespace {
constexpr std::array<Caption, rowCount> table{{
    {u"ข้อมูลการประมูล", u"Auction"},
    {u"ราคาเริ่มต้น", u"First bid at"},
    {u"ราคาขายต่ำสุด", u"Mimimum bid"},
    {u"ผู้ประมูลสูงสุด", u"High Bid"},
    {u"ราคาสูงสุด ณ ขณะนี้", u"Last Bid"},
    {u"อัตราเพิ่ม", u"Increment"},
    {u"ราคาที่ต้องเสนอขั้นต่ำ", u"Your Bid"},
    {u"ประวัติการประมูล", u"Auction History"},
    {u"กำหนด", u"Set&ting"},
    {u"บริการ", u"&Services"},
    {u"รูปแบบ", u"&Format"},
    {u"รูปแบบหน้าจอเวบ", u"&Options"},
    {u"สินค้าที่สนใจ", u"&Product List"},
    {u"แสดงเวบแบบเต็มความกว้าง", u"&Wide View"},
    {u"ข่าว", u"&News"},
    {u"FAQ", u"&FAQ"},
    {u"ค้นหาข้อมูล", u"Se&arch"},
    {u"เปรียบเทียบราคา", u"Price &Lines"},
    {u"ระบบเตือน", u"&Alarm"},
    {u"นำสินค้ามาประมูล", u"Product &Auction"},
    {u"ช่วยเหลือ", u"&Help"},
    {u"ภาพหลัง", u"&Background Image"},
    {u"รูปแบบที่ 1", u"Picture &1"},
    {u"รูปแบบที่ 2", u"Picture &2"},
    {u"กำหนดเอง", u"&Select background image"},
    {u"ไม่แสดง", u"&Disable "},
    {u"ราคาพอใจซื้อสูงสุด", u"Max. Bid"},
    {u"ติดต่อสอบถาม", u"Contact"},
}};
} // namespace

const Caption &caption(Row row)
{
    return table[std::size_t(row)];
}

int column(const QString &code)
{
    return code == QLatin1String("T") ? 0 : 1;
}
} // namespace CaptionTable
