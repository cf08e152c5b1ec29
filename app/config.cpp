#include "app/config.h"

namespace app {

void Config::load(Settings& settings) {
  communityHost = settings.readString(kSection, "CommunityHost", communityHost);
  downloadSite = settings.readString(kSection, "DownloadSite", downloadSite);
  vendorSite = settings.readString(kSection, "VendorSite", vendorSite);
  partnerSite1 = settings.readString(kSection, "PartnerSite1", partnerSite1);
  partnerSite2 = settings.readString(kSection, "PartnerSite2", partnerSite2);
  connectionTest = settings.readString(kSection, "ConnectionTest", connectionTest);
}

}  // namespace app
