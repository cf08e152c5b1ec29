// The Software Wizard: a plain-text system report to copy into a forum post, five help topics
// that each lead to a section of the community forum, and the report handed to the user's
// e-mail program.
#pragma once

#include <array>
#include <string>

#include "app/window.h"
#include "frame/hoverlink.h"
#include "frame/sectionlinks.h"
#include "sysinfo/inventoryreport.h"
#include "ui/windowed.h"

class Tsoftwarefrm : public app::Window {
 public:
  explicit Tsoftwarefrm(app::App& app);

  // The selection bar behind the chosen topic; it comes first so the links are painted on it.
  ui::Image Image2{*this, "Image2"};
  // The five topics.
  ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label10{*this, "Label10"};
  ui::Label Label3{*this, "Label3"}, Label6{*this, "Label6"};
  // The chosen section's title and description, and the note above the report.
  ui::Label Label7{*this, "Label7"}, Label4{*this, "Label4"}, Label5{*this, "Label5"};
  ui::Memo Memo1{*this, "Memo1"};
  // Post a question, read the section's topics, mail the report.
  ui::Label Label8{*this, "Label8"}, Label9{*this, "Label9"}, Label11{*this, "Label11"};

  // The chosen topic's section page and its new-topic page.
  std::string SectionUrl, NewThreadUrl;

 private:
  // What does not change while the program runs, read once at creation.
  sysinfo::InstalledSoftware software_;
  frame::SectionLinks topics_;
  std::array<frame::HoverLink, 3> actions_;

  void selectTopic(size_t topic);
  void buildReport();
  void openPage(const std::string& address);
  void Label8Click();
  void Label11Click();

  void FormShow() override;
  void FormMouseMove(int x, int y) override;
};
