// Where the skin's pictures expect the windows' controls. Positions the windows are given
// elsewhere are repeated here only where a background is decorated around them; positions
// nobody else fixes (most of the main window) are chosen here, and the windows take them from
// this header so that picture and control stay together.
#pragma once

#include "ui/bitmap.h"

namespace skin::layout {

constexpr ui::Rect at(int x, int y, int w, int h) { return ui::Rect{x, y, x + w, y + h}; }

namespace main_form {
constexpr int kWidth = 700, kHeight = 450;
constexpr ui::Rect kHeader = at(0, 0, 700, 52);
constexpr ui::Rect kAboutArea = at(0, 0, 145, 35);  // Image31
constexpr int kLinkTop = 20, kLinkHeight = 16;      // forum links, news and download links
constexpr ui::Rect kNews = at(540, kLinkTop, 70, kLinkHeight);      // Image27
constexpr ui::Rect kNewsSplitter = at(613, kLinkTop, 3, kLinkHeight);  // Image29
constexpr ui::Rect kFreeware = at(619, kLinkTop, 64, kLinkHeight);  // Image30

constexpr ui::Rect kSystemPanel = at(10, 62, 230, 378);
constexpr ui::Rect kToolsPanel = at(250, 62, 202, 378);
constexpr ui::Rect kMonitorPanel = at(462, 62, 228, 378);
constexpr int kPanelTitleHeight = 20;

constexpr ui::Rect kUserLine = at(20, 90, 210, 14);      // Label1
constexpr ui::Rect kOsBadge = at(20, 112, 52, 18);       // Image8
constexpr ui::Rect kConnection = at(78, 112, 64, 18);    // Image1
constexpr ui::Rect kBrowserBadge = at(148, 112, 40, 18); // Image15
constexpr ui::Rect kFoldersCaption = at(20, 144, 210, 13);  // Label5
constexpr ui::Rect kFolderLinks[3] = {at(20, 162, 210, 13), at(20, 178, 210, 13), at(20, 194, 210, 13)};
constexpr ui::Rect kFolderInfo = at(20, 216, 113, 169);  // Label9
constexpr ui::Rect kBrowse = at(142, 216, 84, 26);       // Image28

constexpr ui::Rect kToolButtons[3] = {at(260, 92, 64, 56), at(260, 156, 64, 56), at(260, 220, 64, 56)};
constexpr int kToolTextLeft = 332;
constexpr int kChecksTop = 300;  // Image5, Image6, Image7, 18 pixels apart
constexpr ui::Rect kChecks[3] = {at(258, kChecksTop, 188, 16), at(258, kChecksTop + 18, 188, 16),
                                 at(258, kChecksTop + 36, 188, 16)};
constexpr ui::Rect kSoftware = at(260, 362, 88, 70);  // Image22
constexpr ui::Rect kHardware = at(356, 362, 88, 70);  // Image23

constexpr ui::Rect kMemoryBar = at(476, 100, 200, 8);  // Image9
constexpr int kTotalTop = 118, kUsedTop = 134;         // Image10 / Image12 rows
constexpr int kUnitLeft = 639;                         // Image13 / Image14
constexpr ui::Rect kDiskCaption = at(476, 182, 200, 13);  // Label8
constexpr ui::Rect kDiskBar = at(476, 198, 177, 17);      // the disk bar picture
constexpr ui::Rect kFreeSpace = at(476, 222, 210, 13);    // Label7
constexpr ui::Rect kProcesses = at(476, 270, 210, 13);    // Label3
}  // namespace main_form

// The four tool windows of 566 × 365: section links on the left, list and text on the right.
namespace tool_form {
constexpr int kWidth = 566, kHeight = 365;
constexpr ui::Rect kTitleBand = at(0, 0, 566, 18);
constexpr ui::Rect kSidebar = at(8, 28, 215, 248);
constexpr ui::Rect kListWell = at(234, 34, 317, 156);      // around the list and its header frame
constexpr ui::Rect kList = at(240, 57, 305, 127);          // the list, under its header frame
constexpr ui::Rect kDescription = at(236, 196, 313, 80);   // navy description text inside
constexpr ui::Rect kDescriptionText = at(244, 201, 299, 72);
constexpr ui::Rect kFooter = at(0, 334, 566, 31);
}  // namespace tool_form

// The startup manager's section title stands above its list, which sits lower therefore.
namespace start_form {
constexpr ui::Rect kListWell = at(234, 44, 317, 146);
constexpr ui::Rect kList = at(240, 67, 305, 117);
}  // namespace start_form

namespace soft_form {
constexpr ui::Rect kSidebar = at(8, 28, 215, 200);
constexpr ui::Rect kActions = at(8, 262, 215, 64);       // the three links at 272, 288, 304
constexpr ui::Rect kDescription = at(232, 64, 313, 64);  // Label4
constexpr ui::Rect kMemoWell = at(236, 244, 309, 81);    // Memo1 at 240,248
}  // namespace soft_form

namespace scanner_form {
constexpr ui::Rect kListWell = at(26, 24, 517, 183);  // list at 32,48 and its header frame above
constexpr ui::Rect kFileCounter = at(36, 212, 24, 24);   // Image4; Label10 at 66,218, Label8 at 128,218
constexpr ui::Rect kKeyCounter = at(36, 242, 24, 24);    // Image5; Label11 at 66,248, Label9 at 128,248
constexpr ui::Rect kButtons[3] = {at(232, 216, 97, 24), at(336, 216, 97, 24), at(440, 216, 97, 24)};
constexpr ui::Rect kStatus = at(32, 274, 505, 56);  // Label2, Label1, Label7
}  // namespace scanner_form

// The three small dialogs of 335 × 254 share a header with the product name.
namespace dialog_form {
constexpr int kWidth = 335, kHeight = 254;
constexpr ui::Rect kHeader = at(0, 0, 335, 56);
}  // namespace dialog_form

namespace progress_form {
constexpr ui::Rect kBarWell = at(14, 150, 306, 29);  // ProgressBar at 16,152
}

namespace login_form {
constexpr ui::Rect kUserCaption = at(40, 84, 80, 13);
constexpr ui::Rect kUserEdit = at(130, 82, 160, 16);  // Edit1
constexpr ui::Rect kPasswordCaption = at(40, 112, 80, 13);
constexpr ui::Rect kPasswordEdit = at(130, 110, 160, 16);  // Edit2
constexpr ui::Rect kStatus = at(40, 150, 255, 13);         // Label5
constexpr ui::Rect kButtons[2] = {at(64, 208, 97, 24), at(174, 208, 97, 24)};  // Login, Register
}  // namespace login_form

namespace prefform {
constexpr int kWidth = 450, kHeight = 266;
constexpr ui::Rect kHeader = at(0, 0, 450, 44);
constexpr ui::Rect kSwitchPanel = at(118, 50, 330, 136);  // switches at x 129, y 59 to 177
}  // namespace prefform

namespace notify {
constexpr int kWidth = 192, kHeight = 250;
constexpr ui::Rect kHeader = at(0, 0, 192, 46);
}

namespace news_today {
constexpr int kWidth = 566, kHeight = 365;
constexpr ui::Rect kHeadlines = at(12, 26, 212, 186);  // rows from y 59
constexpr ui::Rect kMoreNews = at(32, 218, 121, 25);   // Image3
constexpr ui::Rect kGallery = at(228, 24, 156, 204);
constexpr ui::Rect kGalleryTab = at(248, 28, 125, 25);  // Image4
constexpr ui::Rect kStory = at(392, 24, 162, 222);
constexpr ui::Rect kAdvertise = at(16, 272, 17, 57);    // Image2
constexpr ui::Rect kBannerWell = at(45, 268, 474, 66);  // AdvertImage at 48,271
}  // namespace news_today

}  // namespace skin::layout
