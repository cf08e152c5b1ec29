// The Startup Wizard window: the programs Windows starts at logon, from the Run keys of the
// registry and from the all-users Startup folder, listed and deleted on request.
#pragma once

#include <string>
#include <vector>

#include "app/window.h"
#include "frame/listheader.h"
#include "frame/sectionlinks.h"
#include "frame/standardbutton.h"

class Tstartfrm : public app::Window {
 public:
  explicit Tstartfrm(app::App& app);

  // The Startup folder as last read from the registry.
  std::string StartupFolder;
  // Root name and key label of each registry row, parallel to the rows.
  std::vector<std::string> RowRoots, RowKeyLabels;
  // The registry rows' value names, as the rows show them without their view.
  std::vector<std::string> RowNames;
  // Root name and key label of the row last selected.
  std::string SelectedRoot, SelectedKeyLabel;

  // The highlight bar, under the section links.
  ui::Image Image1{*this, "Image1"};
  ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label10{*this, "Label10"};
  // Section title; its text is the open section.
  ui::Label Label5{*this, "Label5"};
  // The header frame and its texts.
  ui::Shape Shape2{*this, "Shape2"};
  ui::Label Label6{*this, "Label6"}, Label7{*this, "Label7"};
  ui::ListView ListView1{*this, "ListView1"};
  // Description, details of the selected row under a separator, count line.
  ui::Label Label3{*this, "Label3"};
  ui::Image Image3{*this, "Image3"};
  ui::Label Label9{*this, "Label9"};
  ui::Label Label4{*this, "Label4"};
  // The Delete button: face and caption.
  ui::Image Image2{*this, "Image2"};
  ui::Label Label8{*this, "Label8"};
  ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};

  static constexpr const char* kRegistrySection = "Windows Registry";
  static constexpr const char* kStartupSection = "Windows Startup";

 private:
  frame::SectionLinks sections_;
  frame::ListHeader header_;
  frame::StandardButton delete_;
  // Moves on with every section opened and when the window closes: a Startup-folder listing,
  // which lets messages in after each row, ends when it no longer matches.
  unsigned listing_ = 0;

  bool registrySection() const { return Label5.caption() == kRegistrySection; }
  void openSection(const ui::Label& link, const std::string& title, const std::string& text);
  void openRegistry();
  void openStartupFolder();
  void setColumnWidths();
  void selectRow();
  void deleteItem();
  void deleteRegistryValue(int row);
  void deleteStartupFile(int row);
  void removeRow(int row);
  void viewFolder();
  void goToForum();
  void warn(const std::string& text, const std::string& caption);

  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  void FormMouseMove(int x, int y) override;
};
