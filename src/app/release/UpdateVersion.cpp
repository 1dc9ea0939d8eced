#include "release/UpdateVersion.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// "a.b.c.d": the length of the version in the version file.
constexpr int kVersionLength = 7;

} // namespace

TVersion ParseVersion(const QString &text)
{
    const auto bad = [&text] {
        return EConvertError(
            QCoreApplication::translate("UpdateVersion", "Неверный номер версии: \"%1\"").arg(text));
    };
    if (text.size() != kVersionLength)
        throw bad();
    TVersion version{};
    for (int i = 0; i < 4; ++i) {
        const QChar digit = text[2 * i];
        if (digit < u'0' || digit > u'9' || (i < 3 && text[2 * i + 1] != u'.'))
            throw bad();
        version[i] = digit.unicode() - u'0';
    }
    return version;
}

bool IsNewerVersion(const TVersion &server, const TVersion &own)
{
    return std::lexicographical_compare(own.begin(), own.end(), server.begin(), server.end());
}

TUpdateAnswer ReadUpdateAnswer(const QString &body, const TVersion &own)
{
    TUpdateAnswer answer;
    const qsizetype equals = body.indexOf(u'=');
    if (equals >= 0)
        answer.ServerVersion = body.mid(equals + 1, kVersionLength);
    answer.Readable = body.contains(QStringLiteral("version="));
    if (!answer.Readable)
        return answer;
    answer.Changes = body.mid(equals + 1 + kVersionLength);
    try {
        answer.Newer = IsNewerVersion(ParseVersion(answer.ServerVersion), own);
    } catch (const EError &e) {
        answer.Error = e.Message();
    }
    return answer;
}
