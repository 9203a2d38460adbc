#pragma once

#include "VCard.h"

#include <functional>
#include <string_view>
#include <vector>

// Reads every card of a vCard file of version 2.1, 3.0 or 4.0: folded lines, grouped properties,
// each version's parameter style, quoted-printable values with soft line breaks and a CHARSET
// (UTF-8, Windows-1252, ISO-8859-1), base64 values (skipped), CRLF or LF line ends and a UTF-8
// byte-order mark. Text that is neither declared nor valid UTF-8 is read as Windows-1252. Lines
// outside BEGIN:VCARD ... END:VCARD and lines that are not properties are passed over; a card that
// is not closed at the end of the file still counts. Never fails: a file with no cards gives none.
std::vector<VCard> ReadVCards(std::string_view bytes);

// The same, handing each card to `take` as soon as it is read, so that a file of a million cards
// never stands in memory as cards at once. Answers how many there were.
int ForEachVCard(std::string_view bytes, const std::function<void(const VCard&)>& take);
