// The forum's login cookie in the two cookie stores the program reads: the text of an Internet
// Explorer cookie file and of a Firefox cookies.txt. Both are written by other programs, so
// any bytes are taken: lines end at CR LF, LF or a lone CR, and nothing is assumed about
// their length or content.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace online {

struct CookieFind {
  // The member id of the forum's cookie; 0 when no valid one was found.
  int32_t memberId = 0;
  // The forum's cookie was there but its value is no member id.
  bool invalidCode = false;
};

// Called after each line the walk has passed, so the window can handle its messages while a
// long file is read.
using AfterLine = std::function<void()>;

// A member id as the forum writes it: decimal digits with an optional sign and nothing around
// them. Only ids from 1 to 2147483647 name a member; anything else, an id too long for 32 bits
// included, is not valid.
std::optional<int32_t> parseMemberId(std::string_view text);

// Internet Explorer keeps each cookie as its name on one line and its value on the next. The
// first line reading "bbuserid" (in any letter case) that has a valid value after it gives the
// member id; a key with an invalid value is noted and the walk goes on with the line after
// the key.
CookieFind readIeCookies(std::string_view text, const AfterLine& afterLine);

// cookies.txt holds one cookie per line in tab-separated fields: host first, name and value
// last. Only lines whose host field is exactly host (lower case, as cookieHost gives it) are
// looked at; the first of them that holds "bbuserid" (in any letter case) ends the walk, with
// everything from the second character after the key on taken as the value.
CookieFind readFirefoxCookies(std::string_view text, std::string_view host,
                              const AfterLine& afterLine);

}  // namespace online
