#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QtGlobal>

// The demo's pages of products and categories: folder, name, suffix.
inline constexpr QLatin1StringView productFolder("/product/");
inline constexpr QLatin1StringView categoryFolder("/category/");
inline constexpr QLatin1StringView pageSuffix(".htm");

// One article the demo service puts up for auction, with what its pages and the auction messages show.
struct Product {
    enum class Drawing { Watch, Cloth, Camera, Bicycle, Ring, TeaSet, Headphones };

    QString id;
    QString nameTh;
    QString nameEn;
    QString detailTh;
    QString detailEn;
    qint64 quantity = 1;
    qint64 firstBid = 0;
    qint64 minBid = 0;
    qint64 increment = 1;
    QString seller;
    QString currency = QStringLiteral("THB");
    QString category; // slug of its category page
    QString colour;   // main colour of its drawing
    Drawing drawing = Drawing::Watch;
    bool pageInUtf8 = false; // the rest are served in windows-874

    // The text the auction messages carry as the product description.
    QString description() const { return nameTh + QStringLiteral(" (") + nameEn + QLatin1Char(')'); }
    QString pagePath() const { return productFolder + id + pageSuffix; }
};

struct Category {
    QString slug;
    QString nameTh;
    QString nameEn;
    QString pagePath() const { return categoryFolder + slug + pageSuffix; }
};

namespace Catalogue {
const QList<Product> &products();
const QList<Category> &categories();
const Product *findProduct(const QString &id);
const Category *findCategory(const QString &slug);
} // namespace Catalogue
