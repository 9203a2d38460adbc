#pragma once

#include <QString>

#include <optional>

// Passwords in the desktop's secret store (Secret Service or KWallet through QtKeychain), filed
// under the program's name and a key. Never a plain-text fallback: where no store answers, the
// password is not kept and the caller asks for it each time.
class SecretStore {
public:
    struct Result {
        bool ok = false;
        QString error; // the store's reason when it could not read or keep the password
    };

    // The password, or nothing when none is kept or the store cannot be reached (`error` tells why).
    std::optional<QString> Read(const QString& key, QString* error = nullptr) const;
    Result Write(const QString& key, const QString& password) const;
};
