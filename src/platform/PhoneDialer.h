#pragma once

#include <QString>

namespace platform {

enum class DialResult {
    Placed,        // the dialer took the request
    InvalidNumber, // the number cannot be dialled as it stands
    QueueFull,     // the dialer is busy with earlier requests
    NoDialer,      // no dialer is registered to take requests
    Failed,        // anything else, also a desktop without the means to ask for a dialer
};

// Asks the desktop's phone dialer to place a call.
class PhoneDialer {
public:
    virtual ~PhoneDialer() = default;
    virtual DialResult dial(const QString& number) = 0;
};

} // namespace platform
