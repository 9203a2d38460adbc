#include "ContactUrls.h"

#include <QRegularExpression>

namespace platform {

namespace {

bool hasControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

// Drops a leading "scheme:" when it is the given one, in any letter case.
QString withoutScheme(const QString& text, QLatin1StringView scheme) {
    if (text.size() > scheme.size() && text.startsWith(scheme, Qt::CaseInsensitive) && text.at(scheme.size()) == u':')
        return text.mid(scheme.size() + 1);
    return text;
}

} // namespace

std::optional<QUrl> mailtoUrl(const QString& address) {
    // A stored "mailto:" is not a second scheme but the first one written out.
    const QString path = withoutScheme(address.trimmed(), QLatin1StringView("mailto"));
    if (path.isEmpty() || hasControlCharacter(path))
        return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(path, QUrl::DecodedMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

std::optional<QUrl> webPageUrl(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty() || hasControlCharacter(text))
        return std::nullopt;

    QString scheme = QStringLiteral("http");
    QString rest = text;
    static const QRegularExpression schemePrefix(QStringLiteral("\\A([A-Za-z][A-Za-z0-9+.-]*):(.*)\\z"),
                                                 QRegularExpression::DotMatchesEverythingOption);
    // "example.com:8080/" is a host with a port, not a scheme.
    static const QRegularExpression portThenPath(QStringLiteral("\\A[0-9]+(?:[/?#].*)?\\z"),
                                                 QRegularExpression::DotMatchesEverythingOption);
    if (const QRegularExpressionMatch match = schemePrefix.match(text); match.hasMatch()) {
        const QString named = match.captured(1).toLower();
        const QString afterColon = match.captured(2);
        if (named == u"http" || named == u"https") {
            if (!afterColon.startsWith(u"//"))
                return std::nullopt;
            scheme = named;
            rest = afterColon.mid(2);
        } else if (!portThenPath.match(afterColon).hasMatch()) {
            return std::nullopt;
        }
    }

    qsizetype authorityEnd = 0;
    while (authorityEnd < rest.size() && !QStringView(u"/?#").contains(rest.at(authorityEnd)))
        ++authorityEnd;
    const QString authority = rest.left(authorityEnd);
    QString tail = rest.mid(authorityEnd);
    const qsizetype hash = tail.indexOf(u'#');
    const QString fragment = hash < 0 ? QString() : tail.mid(hash + 1);
    if (hash >= 0)
        tail.truncate(hash);
    const qsizetype question = tail.indexOf(u'?');
    const QString query = question < 0 ? QString() : tail.mid(question + 1);
    if (question >= 0)
        tail.truncate(question);

    QUrl url;
    url.setScheme(scheme);
    url.setAuthority(authority, QUrl::StrictMode);
    url.setPath(tail, QUrl::TolerantMode);
    if (question >= 0)
        url.setQuery(query, QUrl::TolerantMode);
    if (hash >= 0)
        url.setFragment(fragment, QUrl::TolerantMode);
    // An authority that does not parse leaves the host empty.
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

std::optional<QUrl> telUrl(const QString& number) {
    QString digits;
    digits.reserve(number.size());
    for (const QChar c : number) {
        if (c == u' ' || c == u'-' || c == u'.' || c == u'(' || c == u')' || c == u'[' || c == u']')
            continue;
        digits.append(c);
    }
    static const QRegularExpression dialable(QStringLiteral("\\A\\+?[0-9*#]+\\z"));
    if (!dialable.match(digits).hasMatch())
        return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("tel"));
    url.setPath(digits, QUrl::DecodedMode);
    return url;
}

} // namespace platform
