#pragma once

#include "platform/PhoneDialer.h"

#include <QStringList>

// Stands in for the desktop's dialer: records every number and answers with the result it is given.
class FakePhoneDialer : public platform::PhoneDialer {
public:
    platform::DialResult dial(const QString& number) override {
        dialled.append(number);
        return result;
    }

    platform::DialResult result = platform::DialResult::Placed;
    QStringList dialled;
};
