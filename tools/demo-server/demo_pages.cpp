#include "demo_pages.h"

#include "amount.h"
#include "auction_protocol.h"
#include "cp874.h"
#include "demo_site.h"

#include <utility>

namespace {
enum class Charset { Utf8, Windows874 };

const char *const styleSheet = R"(
body { font-family: Tahoma, Loma, "Noto Sans Thai", sans-serif; margin: 0; background: #f6f3ec; color: #222; }
header { background: linear-gradient(90deg, #b3131b, #e8730c); color: #fff; padding: 5px 12px;
         white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
header a { color: #fff; font-weight: bold; text-decoration: none; font-size: 18px; }
header span { font-size: 12px; }
nav { background: #3b2a1a; padding: 3px 12px; line-height: 20px; }
nav a { display: inline-block; color: #ffd98a; margin-right: 10px; font-size: 12px; text-decoration: none; white-space: nowrap; }
nav a:hover { color: #fff; }
main { padding: 8px 12px; }
h1 { font-size: 20px; margin: 4px 0; color: #7a1010; }
h2 { font-size: 14px; margin: 2px 0 8px; color: #555; font-weight: normal; }
table.info td { padding: 3px 10px 3px 0; }
table.info td:first-child { color: #666; }
.grid { display: flex; flex-wrap: wrap; gap: 12px; }
.card { background: #fff; border: 1px solid #d8cfbd; border-radius: 6px; padding: 8px; width: 180px; }
.card a { text-decoration: none; color: #222; }
.price { color: #b3131b; font-weight: bold; }
footer { color: #888; font-size: 11px; padding: 10px 12px; }
form label { display: block; margin-top: 6px; }
)";

QString navigation()
{
    using Protocol::Web::Page, Protocol::Web::path;
    QString links = QStringLiteral("<nav><a href=\"/\">หน้าแรก Home</a><a href=\"%1\">สินค้า Gallery</a>")
                        .arg(DemoSite::galleryPath);
    for (const auto &[page, name] :
         {std::pair{Page::News, "ข่าว News"}, std::pair{Page::Faq, "คำถาม FAQ"},
          std::pair{Page::Search, "ค้นหา Search"}, std::pair{Page::Help, "วิธีใช้ Help"},
          std::pair{Page::Contact, "ติดต่อ Contact"}})
        links += QStringLiteral("<a href=\"%1\">%2</a>").arg(path(page), QString::fromUtf8(name));
    return links + QStringLiteral("</nav>");
}

HttpResponse htmlPage(const QString &title, const QString &content, Charset charset, int status = 200)
{
    const bool utf8 = charset == Charset::Utf8;
    const QString meta = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") +
                         (utf8 ? QStringLiteral("utf-8") : QStringLiteral("windows-874")) +
                         QStringLiteral("\">");
    const QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"th\"><head>") + meta + QStringLiteral("<title>") +
        title.toHtmlEscaped() + QStringLiteral("</title><style>") + QLatin1String(styleSheet) +
        QStringLiteral("</style></head><body><header><a href=\"/\">Gavora.Com</a> &nbsp;<span>ประมูลสดออนไลน์ "
                       "&middot; Live online auctions</span></header>") +
        navigation() + QStringLiteral("<main>") + content +
        QStringLiteral("</main><footer>Gavora.Com demo service &mdash; ข้อมูลทั้งหมดเป็นตัวอย่าง "
                       "(all data is made up)</footer></body></html>\n");
    HttpResponse response;
    response.status = status;
    response.contentType = utf8 ? "text/html; charset=utf-8" : "text/html; charset=windows-874";
    response.body = utf8 ? html.toUtf8() : Cp874::encode(html);
    return response;
}

QString money(qint64 value, const Product &p)
{
    return FormatAmount(value) + QLatin1Char(' ') + p.currency;
}

QString drawing(const Product &p, int width)
{
    const QString c = p.colour;
    QString shapes;
    switch (p.drawing) {
    case Product::Drawing::Watch:
        shapes = QStringLiteral("<rect x='68' y='2' width='24' height='116' rx='6' fill='#6b4f2a'/>"
                                "<circle cx='80' cy='60' r='34' fill='%1'/><circle cx='80' cy='60' r='27' "
                                "fill='#fdfdf8'/><line x1='80' y1='60' x2='80' y2='40' stroke='#222' "
                                "stroke-width='3'/><line x1='80' y1='60' x2='95' y2='66' stroke='#222' "
                                "stroke-width='2'/>");
        break;
    case Product::Drawing::Cloth:
        shapes = QStringLiteral("<path d='M20 20 Q80 0 140 20 L140 100 Q80 80 20 100 Z' fill='%1'/>"
                                "<path d='M20 45 Q80 25 140 45 M20 70 Q80 50 140 70' stroke='#f2c14e' "
                                "stroke-width='5' fill='none'/>");
        break;
    case Product::Drawing::Camera:
        shapes = QStringLiteral("<rect x='20' y='30' width='120' height='70' rx='8' fill='%1'/>"
                                "<rect x='30' y='20' width='30' height='14' fill='%1'/>"
                                "<circle cx='80' cy='65' r='26' fill='#999'/><circle cx='80' cy='65' r='16' "
                                "fill='#123'/><rect x='110' y='38' width='20' height='10' fill='#ddd'/>");
        break;
    case Product::Drawing::Bicycle:
        shapes =
            QStringLiteral("<circle cx='40' cy='80' r='28' fill='none' stroke='#333' stroke-width='5'/>"
                           "<circle cx='120' cy='80' r='28' fill='none' stroke='#333' stroke-width='5'/>"
                           "<path d='M40 80 L70 40 L110 40 L120 80 M70 40 L80 80 L40 80 M105 28 L112 40' "
                           "stroke='%1' stroke-width='5' fill='none'/>");
        break;
    case Product::Drawing::Ring:
        shapes = QStringLiteral("<ellipse cx='80' cy='75' rx='40' ry='30' fill='none' stroke='%1' "
                                "stroke-width='10'/><polygon points='80,20 95,38 80,52 65,38' fill='#bfe9ff' "
                                "stroke='#7aa' stroke-width='2'/>");
        break;
    case Product::Drawing::TeaSet:
        shapes =
            QStringLiteral("<ellipse cx='60' cy='70' rx='38' ry='30' fill='%1'/><path d='M95 65 L125 45' "
                           "stroke='%1' stroke-width='8'/><rect x='50' y='32' width='20' height='10' "
                           "fill='#d4a017'/><rect x='112' y='80' width='30' height='24' rx='4' fill='%1'/>"
                           "<path d='M22 70 Q60 55 98 70' stroke='#d4a017' stroke-width='3' fill='none'/>");
        break;
    case Product::Drawing::Headphones:
        shapes = QStringLiteral("<path d='M35 80 Q35 20 80 20 Q125 20 125 80' stroke='#333' stroke-width='8' "
                                "fill='none'/><rect x='22' y='70' width='28' height='40' rx='8' fill='%1'/>"
                                "<rect x='110' y='70' width='28' height='40' rx='8' fill='%1'/>");
        break;
    }
    return QStringLiteral(
               "<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2' viewBox='0 0 160 120'>")
               .arg(width)
               .arg(width * 3 / 4) +
           shapes.arg(c) + QStringLiteral("</svg>");
}

QString productCard(const Product &p)
{
    return QStringLiteral("<div class=\"card\"><a href=\"%1\">%2<br><b>%3</b><br>%4<br>"
                          "<span class=\"price\">%5</span></a></div>")
        .arg(p.pagePath(), drawing(p, 160), p.nameTh.toHtmlEscaped(), p.nameEn.toHtmlEscaped(),
             money(p.firstBid, p));
}

QString cards(const QList<const Product *> &products)
{
    if (products.isEmpty())
        return QStringLiteral("<p>ไม่พบสินค้า &mdash; Nothing found.</p>");
    QString out = QStringLiteral("<div class=\"grid\">");
    for (const Product *p : products)
        out += productCard(*p);
    return out + QStringLiteral("</div>");
}

QList<const Product *> allProducts()
{
    QList<const Product *> list;
    for (const Product &p : Catalogue::products())
        list.append(&p);
    return list;
}

QString categoryLinks()
{
    QString out = QStringLiteral("<p>หมวดสินค้า Categories: ");
    for (const Category &c : Catalogue::categories())
        out += QStringLiteral("<a href=\"%1\">%2 / %3</a> &nbsp; ")
                   .arg(c.pagePath(), c.nameTh.toHtmlEscaped(), c.nameEn.toHtmlEscaped());
    return out + QStringLiteral("</p>");
}
} // namespace

HttpResponse DemoPages::product(const Product &p)
{
    QString content = QStringLiteral("<h1>%1</h1><h2>%2</h2>%3")
                          .arg(p.nameTh.toHtmlEscaped(), p.nameEn.toHtmlEscaped(), drawing(p, 240));
    content += QStringLiteral("<table class=\"info\">"
                              "<tr><td>รหัสสินค้า / Product ID</td><td>%1</td></tr>"
                              "<tr><td>ราคาเปิดประมูล / Opening bid</td><td class=\"price\">%2</td></tr>"
                              "<tr><td>ราคาขั้นต่ำ / Minimum bid</td><td>%3</td></tr>"
                              "<tr><td>เพิ่มครั้งละ / Bid increment</td><td>%4</td></tr>"
                              "<tr><td>จำนวน / Quantity</td><td>%5</td></tr>"
                              "<tr><td>ผู้ขาย / Seller</td><td>%6</td></tr>"
                              "<tr><td>สกุลเงิน / Currency</td><td>%7 (บาท)</td></tr></table>")
                   .arg(p.id, money(p.firstBid, p), money(p.minBid, p), money(p.increment, p),
                        QString::number(p.quantity), p.seller.toHtmlEscaped(), p.currency);
    content += QStringLiteral("<p>%1</p><p lang=\"en\">%2</p>")
                   .arg(p.detailTh.toHtmlEscaped(), p.detailEn.toHtmlEscaped());
    content += QStringLiteral("<p>ประมูลได้ที่หน้าต่างประมูลของโปรแกรม &mdash; bid in the auction window.</p>");
    return htmlPage(p.nameTh + QStringLiteral(" - ") + p.nameEn, content,
                    p.pageInUtf8 ? Charset::Utf8 : Charset::Windows874);
}

HttpResponse DemoPages::banner()
{
    // The banner pane is 407 x 49 pixels: no header, navigation or footer, and nothing that could scroll.
    const QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"th\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=windows-874\"><title>Gavora.Com โฆษณา</title><style>"
        "html, body { margin: 0; width: 100%; height: 100%; overflow: hidden; }"
        "body { font-family: Tahoma, Loma, \"Noto Sans Thai\", sans-serif; }"
        ".box { display: flex; align-items: center; box-sizing: border-box; width: 100%; height: 100%; "
        "padding: 0 10px; color: #fff; "
        "background: linear-gradient(90deg, #0b5394, #2f8fd0 60%, #f1c232); }"
        ".text { flex: 1; min-width: 0; white-space: nowrap; overflow: hidden; }"
        ".th { font-size: 17px; font-weight: bold; line-height: 23px; }"
        ".en { font-size: 11px; line-height: 14px; opacity: 0.9; }"
        ".go { flex: none; margin-left: 8px; padding: 3px 9px; border-radius: 12px; background: #b3131b; "
        "font-size: 12px; font-weight: bold; line-height: 16px; box-shadow: 0 1px 2px rgba(0,0,0,0.35); }"
        "</style></head><body><div class=\"box\"><div class=\"text\">"
        "<div class=\"th\">ประมูลสด ทุกวัน ตลอด 24 ชั่วโมง</div>"
        "<div class=\"en\">Live auctions, every day, around the clock</div></div>"
        "<span class=\"go\">ร่วมประมูล &raquo;</span></div></body></html>\n");
    HttpResponse r;
    r.contentType = "text/html; charset=windows-874";
    r.body = Cp874::encode(html);
    return r;
}

HttpResponse DemoPages::search(const QString &query)
{
    QString content = QStringLiteral("<h1>ค้นหาสินค้า</h1><h2>Search the auctions</h2>"
                                     "<form action=\"%2\" method=\"get\"><input name=\"q\" value=\"%1\" "
                                     "size=\"30\"> <button type=\"submit\">ค้นหา Search</button></form>")
                          .arg(query.toHtmlEscaped(), Protocol::Web::path(Protocol::Web::Page::Search));
    if (!query.trimmed().isEmpty()) {
        QList<const Product *> found;
        for (const Product &p : Catalogue::products()) {
            for (const QString &text : {p.nameTh, p.nameEn, p.detailTh, p.detailEn, p.id}) {
                if (text.contains(query.trimmed(), Qt::CaseInsensitive)) {
                    found.append(&p);
                    break;
                }
            }
        }
        content += QStringLiteral("<p>ผลการค้นหา &ldquo;%1&rdquo; &mdash; %2 results</p>")
                       .arg(query.toHtmlEscaped())
                       .arg(found.size());
        content += cards(found);
    }
    return htmlPage(QStringLiteral("ค้นหา - Search"), content, Charset::Utf8);
}

HttpResponse DemoPages::category(const Category &c)
{
    QList<const Product *> inCategory;
    for (const Product &p : Catalogue::products()) {
        if (p.category == c.slug)
            inCategory.append(&p);
    }
    return htmlPage(
        c.nameTh + QStringLiteral(" - ") + c.nameEn,
        QStringLiteral("<h1>%1</h1><h2>%2</h2>").arg(c.nameTh.toHtmlEscaped(), c.nameEn.toHtmlEscaped()) +
            categoryLinks() + cards(inCategory),
        Charset::Utf8);
}

HttpResponse DemoPages::home()
{
    return htmlPage(QStringLiteral("Gavora.Com - ประมูลสดออนไลน์"),
                    QStringLiteral("<h1>ยินดีต้อนรับสู่ Gavora.Com</h1><h2>Welcome to live online auctions</h2>"
                                   "<p>เข้าสู่ระบบด้วยโปรแกรมประมูล แล้วเสนอราคาแข่งกับผู้ประมูลทั่วประเทศ "
                                   "สินค้าใหม่ขึ้นประมูลทุกนาที</p><p lang=\"en\">Sign in with the auction "
                                   "program and bid against people all over the country; a new product "
                                   "goes up every minute or two.</p>") +
                        categoryLinks() + cards(allProducts()),
                    Charset::Utf8);
}

HttpResponse DemoPages::gallery()
{
    return htmlPage(QStringLiteral("แกลเลอรีสินค้า - Product gallery"),
                    QStringLiteral("<h1>สินค้าที่จะเปิดประมูล</h1><h2>Products up for auction</h2>") +
                        categoryLinks() + cards(allProducts()),
                    Charset::Windows874);
}

HttpResponse DemoPages::news()
{
    return htmlPage(
        QStringLiteral("ข่าวสาร - News"),
        QStringLiteral("<h1>ข่าวสารจาก Gavora</h1><h2>News</h2><ul>"
                       "<li><b>เปิดให้บริการรุ่นทดลอง</b> &mdash; ระบบประมูลสดเปิดทดลองใช้แล้ว "
                       "ขอบคุณสมาชิกทุกท่าน<br>The live auction beta is open. Thank you for joining.</li>"
                       "<li><b>หมวดหัตถกรรมใหม่</b> &mdash; ผ้าไหมและเครื่องเบญจรงค์จากผู้ขายทั่วประเทศ"
                       "<br>New crafts category: silk and Benjarong ware from sellers nationwide.</li>"
                       "<li><b>ปิดปรับปรุงระบบ</b> &mdash; วันอาทิตย์ 02:00&ndash;04:00 น.<br>Maintenance "
                       "window on Sundays, 02:00&ndash;04:00.</li></ul>"),
        Charset::Windows874);
}

HttpResponse DemoPages::faq()
{
    return htmlPage(
        QStringLiteral("คำถามที่พบบ่อย - FAQ"),
        QStringLiteral("<h1>คำถามที่พบบ่อย</h1><h2>Frequently asked questions</h2><dl>"
                       "<dt><b>ประมูลอย่างไร? How do I bid?</b></dt><dd>กดปุ่มเคาะเสนอราคา "
                       "ราคาที่เสนอต้องสูงกว่าราคาล่าสุด<br>Press the bid button; your offer must be above "
                       "the last bid.</dd><dt><b>การนับถอยหลังคืออะไร? What is the countdown?</b></dt><dd>"
                       "เมื่อไม่มีผู้เสนอราคาสักพัก ระบบจะนับ 1, 2, 3 แล้วปิดการขาย ถ้ามีผู้เสนอราคา"
                       "ระหว่างนับ การนับจะยกเลิก<br>When bidding goes quiet the server counts 1, 2, 3 and "
                       "sells; a bid during the count cancels it.</dd><dt><b>ชำระเงินอย่างไร? How do I "
                       "pay?</b></dt><dd>ผู้ขายจะติดต่อผู้ชนะการประมูลภายใน 24 ชั่วโมง<br>The seller "
                       "contacts the winner within 24 hours.</dd></dl>"),
        Charset::Utf8);
}

HttpResponse DemoPages::help()
{
    return htmlPage(QStringLiteral("วิธีใช้โปรแกรม - How to use the program"),
                    QStringLiteral("<h1>วิธีใช้โปรแกรมประมูล</h1><h2>Using the auction program</h2><ol>"
                                   "<li>คลิกรูป Login แล้วเลือก Login ใส่ชื่อผู้ใช้และรหัสผ่าน<br>Click the "
                                   "Login picture, choose Login, type your name and password.</li>"
                                   "<li>ดูรายละเอียดสินค้าในแท็บด้านซ้าย<br>Read about the product in the "
                                   "left-hand tab.</li><li>ใส่ราคาแล้วกดปุ่มเคาะเสนอราคา หรือกด Enter<br>"
                                   "Type an amount and press the bid button, or Enter.</li>"
                                   "<li>ตั้งราคาสูงสุดที่พอใจไว้ เพื่อไม่ให้เสนอราคาเกิน<br>Set your "
                                   "maximum price so you never bid above it.</li></ol>"),
                    Charset::Windows874);
}

HttpResponse DemoPages::contact()
{
    return htmlPage(QStringLiteral("ติดต่อเรา - Contact us"),
                    QStringLiteral("<h1>ติดต่อเรา</h1><h2>Contact us</h2><p>ฝ่ายบริการสมาชิก "
                                   "โทร 02-000-0000 (ตัวอย่าง) ทุกวัน 9:00&ndash;18:00 น.</p><p>Member "
                                   "services: 02-000-0000 (example number), daily 9:00&ndash;18:00.</p>"
                                   "<p>อีเมล / e-mail: %1</p>")
                        .arg(Protocol::Web::contactAddress),
                    Charset::Utf8);
}

HttpResponse DemoPages::registration()
{
    return htmlPage(QStringLiteral("สมัครสมาชิก - Register"),
                    QStringLiteral("<h1>สมัครสมาชิกใหม่</h1><h2>New member registration</h2>"
                                   "<form action=\"%1\" method=\"get\">"
                                   "<label>ชื่อผู้ใช้ / User name <input name=\"user\"></label>"
                                   "<label>รหัสผ่าน / Password <input name=\"pwd\" type=\"password\"></label>"
                                   "<label>อีเมล / E-mail <input name=\"mail\"></label>"
                                   "<p><button type=\"button\" disabled>สมัคร Register</button> "
                                   "(รุ่นสาธิตไม่รับสมัครจริง &mdash; the demo takes no registrations; use "
                                   "a demo account)</p></form>")
                        .arg(Protocol::Web::path(Protocol::Web::Page::Register)),
                    Charset::Windows874);
}

HttpResponse DemoPages::productsOfInterest()
{
    return htmlPage(QStringLiteral("สินค้าที่น่าสนใจ - Products of interest"),
                    QStringLiteral("<h1>สินค้าที่น่าสนใจ</h1><h2>Products of interest</h2>") +
                        cards({&Catalogue::products().at(0), &Catalogue::products().at(4)}),
                    Charset::Utf8);
}

HttpResponse DemoPages::posting()
{
    return htmlPage(QStringLiteral("ลงประกาศขายสินค้า - Offer goods for auction"),
                    QStringLiteral("<h1>ลงประกาศขายสินค้า</h1><h2>Offer goods for auction</h2>"
                                   "<form action=\"%1\" method=\"get\">"
                                   "<label>ชื่อสินค้า / Product name <input name=\"name\" size=\"40\"></label>"
                                   "<label>ราคาเปิด / Opening bid (THB) <input name=\"first\"></label>"
                                   "<label>เพิ่มครั้งละ / Increment (THB) <input name=\"inc\"></label>"
                                   "<p><button type=\"button\" disabled>ส่ง Submit</button> (รุ่นสาธิต "
                                   "&mdash; demo only)</p></form>")
                        .arg(Protocol::Web::path(Protocol::Web::Page::Posting)),
                    Charset::Windows874);
}

HttpResponse DemoPages::cancelled()
{
    return htmlPage(QStringLiteral("ยกเลิกการประมูล - Auction cancelled"),
                    QStringLiteral("<h1>การประมูลสินค้านี้ถูกยกเลิก</h1><h2>This auction has been "
                                   "cancelled</h2><p>ผู้ขายถอนสินค้าออกจากการประมูล สินค้าชิ้นต่อไปจะขึ้น"
                                   "ประมูลในไม่ช้า<br>The seller withdrew the product; the next one goes up "
                                   "shortly.</p>"),
                    Charset::Utf8);
}

HttpResponse DemoPages::error(int status)
{
    QString text;
    switch (status) {
    case 404:
        text = QStringLiteral("ไม่พบหน้าที่ต้องการ &mdash; Page not found");
        break;
    case 405:
        text = QStringLiteral("ใช้ได้เฉพาะ GET &mdash; Only GET is supported");
        break;
    case 431:
        text = QStringLiteral("คำขอยาวเกินไป &mdash; Request too large");
        break;
    case 408:
        text = QStringLiteral("หมดเวลา &mdash; Request timed out");
        break;
    default:
        text = QStringLiteral("คำขอไม่ถูกต้อง &mdash; Bad request");
        break;
    }
    const QString title =
        QString::number(status) + QLatin1Char(' ') + QString::fromLatin1(HttpResponse::reasonPhrase(status));
    return htmlPage(title,
                    QStringLiteral("<h1>") + title.toHtmlEscaped() + QStringLiteral("</h1><p>") + text +
                        QStringLiteral("</p><p><a href=\"/\">Gavora.Com</a></p>"),
                    Charset::Utf8, status);
}
