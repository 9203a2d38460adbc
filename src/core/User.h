#pragma once

#include <string>

// The owner's own name and address; one per document.
struct User {
    virtual ~User() = default;
    User() = default;
    User(const User&) = default;
    User& operator=(const User&) = default;
    User(User&&) noexcept = default;
    User& operator=(User&&) noexcept = default;
    bool operator==(const User&) const = default;

    std::string LName;
    std::string FName;
    std::string Addr1;
    std::string Addr2;
    std::string City;
    std::string State;
    std::string Zip;
    std::string Position;
    std::string Company;
};
