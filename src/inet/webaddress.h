#pragma once

#include "status.h"

#include <QString>
#include <QUrl>

namespace zel {

// Turns the address a user typed into the URL to fetch. Only http and https
// are accepted. An address without a scheme, such as "example.com/news",
// is taken as http, the way a browser's address bar does.
class WebAddress final
{
public:
    static Status parse(const QString &typed, QUrl &url);
};

} // namespace zel
