#pragma once

#include <QString>

// The maker's contact data, shown in the about box and used by the error
// report: kept in this one place.

/// The web site.
inline QString WebSite()
{
    return QStringLiteral("https://ravlin.example/");
}

/// The support address error reports go to.
inline QString SupportEmail()
{
    return QStringLiteral("support@ravlin.example");
}

/// The postal address.
inline QString PostalAddress()
{
    return QStringLiteral("Россия, 101000, Москва, Примерный пер., 1");
}
