// Links that come from the network (the headline file's headline, gallery, news and advert
// links) go to the shell's "open", which would as gladly run a local program or open a share
// as show a page. Only web addresses are handed on.
#pragma once

#include <string>

namespace online {

// "http://" or "https://" (in any letter case) followed by a host, with no blank, control
// byte or quotation mark anywhere that could split the browser's command line.
bool isWebLink(const std::string& link);

}  // namespace online
