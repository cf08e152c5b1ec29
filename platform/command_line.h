// The command line cut into arguments the way the C runtime builds argv from it, so the
// program sees the same arguments whichever way it was started.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The program name first: up to the next blank, or between the quotes it starts with (no
// escapes; what follows the closing quote starts the next argument). Then arguments separated by blanks and tabs, where quotes group blanks,
// 2n backslashes before a quote give n backslashes and a quote that groups, 2n + 1 give n
// backslashes and a literal quote, other backslashes stand for themselves, and two quotes
// inside quotes give one literal quote and end the quoted part.
std::vector<std::string> splitCommandLine(const std::string& line);

}  // namespace platform
