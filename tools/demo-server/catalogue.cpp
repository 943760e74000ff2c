#include "catalogue.h"

namespace {
Product make(QString id, QString th, QString en, QString detailTh, QString detailEn, qint64 qty, qint64 first,
             qint64 minBid, qint64 inc, QString seller, QString category, QString colour,
             Product::Drawing drawing, bool utf8)
{
    Product p;
    p.id = std::move(id);
    p.nameTh = std::move(th);
    p.nameEn = std::move(en);
    p.detailTh = std::move(detailTh);
    p.detailEn = std::move(detailEn);
    p.quantity = qty;
    p.firstBid = first;
    p.minBid = minBid;
    p.increment = inc;
    p.seller = std::move(seller);
    p.category = std::move(category);
    p.colour = std::move(colour);
    p.drawing = drawing;
    p.pageInUtf8 = utf8;
    return p;
}
} // namespace

namespace Catalogue {
const QList<Product> &products()
{
    using D = Product::Drawing;
    static const QList<Product> list = {
        make(QStringLiteral("P1001"), QStringLiteral("นาฬิกาข้อมือออโตเมติก"),
             QStringLiteral("Automatic wristwatch"),
             QStringLiteral("ตัวเรือนสแตนเลส กระจกแซฟไฟร์ กันน้ำ 100 เมตร พร้อมกล่องและใบรับประกัน"),
             QStringLiteral(
                 "Stainless steel case, sapphire crystal, water resistant to 100 m, box and papers."),
             1, 2500, 3000, 100, QStringLiteral("chaiwat_shop"), QStringLiteral("jewellery"),
             QStringLiteral("#3a6ea5"), D::Watch, false),
        make(QStringLiteral("P1002"), QStringLiteral("ผ้าไหมไทยทอมือ"), QStringLiteral("Hand-woven Thai silk"),
             QStringLiteral("ผ้าไหมมัดหมี่จากสุรินทร์ ยาว 4 เมตร สีย้อมธรรมชาติ"),
             QStringLiteral("Mudmee silk from Surin, 4 metres, natural dyes."), 2, 1200, 1500, 50,
             QStringLiteral("silkhouse_kk"), QStringLiteral("crafts"), QStringLiteral("#a0256e"), D::Cloth,
             true),
        make(QStringLiteral("P1003"), QStringLiteral("กล้องฟิล์มเรนจ์ไฟนเดอร์"),
             QStringLiteral("Rangefinder film camera"),
             QStringLiteral("กล้องฟิล์ม 35 มม. เลนส์ 50 มม. f/2 ชัตเตอร์ทำงานปกติ ผ่านการล้างทำความสะอาดแล้ว"),
             QStringLiteral("35 mm film camera with a 50 mm f/2 lens; shutter works, recently serviced."), 1,
             4000, 4500, 200, QStringLiteral("retro_cam"), QStringLiteral("electronics"),
             QStringLiteral("#444444"), D::Camera, false),
        make(QStringLiteral("P1004"), QStringLiteral("จักรยานแม่บ้าน"), QStringLiteral("City bicycle"),
             QStringLiteral("ล้อ 26 นิ้ว มีตะกร้าหน้าและเบาะซ้อนท้าย สภาพดี"),
             QStringLiteral("26-inch wheels, front basket and rear seat, good condition."), 1, 1800, 2000,
             100, QStringLiteral("bike_bangna"), QStringLiteral("home"), QStringLiteral("#2e8b57"),
             D::Bicycle, true),
        make(QStringLiteral("P1005"), QStringLiteral("แหวนทองคำ 1 สลึง"), QStringLiteral("Gold ring, 3.8 g"),
             QStringLiteral("ทองคำแท้ 96.5% น้ำหนัก 1 สลึง พร้อมใบรับประกันจากร้านทอง"),
             QStringLiteral("96.5% gold, one salueng (3.8 g), with the gold shop's certificate."), 1, 7500,
             8000, 250, QStringLiteral("yaowarat_gold"), QStringLiteral("jewellery"),
             QStringLiteral("#d4a017"), D::Ring, false),
        make(QStringLiteral("P1006"), QStringLiteral("ชุดน้ำชาเบญจรงค์"), QStringLiteral("Benjarong tea set"),
             QStringLiteral("กาน้ำชาและถ้วย 6 ใบ ลายเบญจรงค์เขียนมือ ตัดขอบทอง"),
             QStringLiteral("Teapot and six cups, hand-painted five-colour pattern with gold rims."), 1, 3200,
             3500, 100, QStringLiteral("ceramic_lampang"), QStringLiteral("crafts"),
             QStringLiteral("#1f7a8c"), D::TeaSet, true),
        make(QStringLiteral("P1007"), QStringLiteral("หูฟังไร้สาย"), QStringLiteral("Wireless headphones"),
             QStringLiteral("ตัดเสียงรบกวน ใช้งานได้ 30 ชั่วโมง ของใหม่ยังไม่แกะกล่อง"),
             QStringLiteral("Noise cancelling, 30 hours of battery, new and still sealed."), 3, 900, 1000, 50,
             QStringLiteral("gadget_siam"), QStringLiteral("electronics"), QStringLiteral("#c0392b"),
             D::Headphones, false),
    };
    return list;
}

const QList<Category> &categories()
{
    static const QList<Category> list = {
        {QStringLiteral("jewellery"), QStringLiteral("นาฬิกาและเครื่องประดับ"),
         QStringLiteral("Watches & jewellery")},
        {QStringLiteral("electronics"), QStringLiteral("เครื่องใช้ไฟฟ้าและกล้อง"),
         QStringLiteral("Electronics & cameras")},
        {QStringLiteral("crafts"), QStringLiteral("หัตถกรรมและของสะสม"),
         QStringLiteral("Crafts & collectibles")},
        {QStringLiteral("home"), QStringLiteral("บ้านและกีฬา"), QStringLiteral("Home & sport")},
    };
    return list;
}

const Product *findProduct(const QString &id)
{
    for (const Product &p : products()) {
        if (p.id.compare(id, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

const Category *findCategory(const QString &slug)
{
    for (const Category &c : categories()) {
        if (c.slug.compare(slug, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}
} // namespace Catalogue
