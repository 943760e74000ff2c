#pragma once

#include "catalogue.h"
#include "http_response.h"

#include <QString>

// The demo service's pages, in Thai and English, some in windows-874 and some in UTF-8 as the service's own
// are.
namespace DemoPages {
HttpResponse home();
HttpResponse gallery();
HttpResponse product(const Product &product);
HttpResponse category(const Category &category);
HttpResponse search(const QString &query);
HttpResponse banner();
HttpResponse news();
HttpResponse faq();
HttpResponse help();
HttpResponse contact();
HttpResponse registration();
HttpResponse productsOfInterest();
HttpResponse posting();
// Where a cancelled auction sends the description pane.
HttpResponse cancelled();
HttpResponse error(int status);
} // namespace DemoPages
