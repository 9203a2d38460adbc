#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace platform {

// An address from the address book becomes one of the only three kinds of URL the program hands to
// the desktop. Each URL is built from its parts, so text from a record can add no header, recipient,
// attachment, scheme or local file. Text that makes no such address gives nothing.

// "mailto:" with the address as its path: a "?", "#" or "%" in it stays part of the address.
std::optional<QUrl> mailtoUrl(const QString& address);

// An http or https URL that has a host. An address without a scheme is taken as http; any other
// scheme, and anything without a host, is refused.
std::optional<QUrl> webPageUrl(const QString& address);

// "tel:" with digits, "*", "#" and at most one leading "+"; spaces, dashes, dots and brackets are
// dropped first. Letters, a "+" elsewhere, or any other character refuse the number.
std::optional<QUrl> telUrl(const QString& number);

} // namespace platform
