#pragma once

#include <string>
#include <string_view>

// The text of the exchange formats is UTF-8; records hold UTF-8 or the Windows-1252 bytes of older
// files. These convert between the two.
namespace exchangetext {

// Bytes in the named character set (empty: undeclared) as UTF-8. UTF-8, Windows-1252 and
// ISO-8859-1 are read as declared; undeclared or unknown text stays as it is when it is valid
// UTF-8 and is read as Windows-1252 otherwise.
std::string ToUtf8(std::string_view bytes, std::string_view charset = {});

} // namespace exchangetext
