// Windowed controls: list views, memos and edit fields. The model holds their content; a
// backend peer (a real child window in the Win32 backend) shows it and reports the user's
// changes back into the model.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// What changed in a windowed control, so a peer need not rebuild everything.
enum class Change { All, RowAdded, RowsAdded, RowRemoved, RowChanged, Rows, Selection, Columns, Text, Look, Focus };

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void update(Change what, int index) = 0;
};

class WindowedControl : public Control {
 public:
  using Control::Control;
  ~WindowedControl() override;
  bool windowed() const override { return true; }
  const Font& font() const { return font_; }
  void setFont(const Font& f);
  // Background colour of the control's area.
  Color color() const { return color_; }
  void setColor(Color c);
  void setFocus();
  // Set by the backend that shows this control; null in the headless backend.
  Peer* peer = nullptr;

 protected:
  void notify(Change what, int index = -1);

 private:
  Font font_;
  Color color_ = kWhite;
};

struct ListColumn {
  std::string caption;
  int width = 50;
};

struct ListRow {
  std::string caption;
  std::vector<std::string> subItems;
  int imageIndex = -1;
  bool ghosted = false;
  int overlay = 0;  // shell overlay mark: 0 none, 1 shared, 2 link
};

enum class ViewStyle { Report, Icon };

class ListView : public WindowedControl {
 public:
  ListView(Form& owner, std::string name, Rect bounds = {});
  ViewStyle viewStyle = ViewStyle::Report;
  bool showColumnHeaders = false;
  bool rowSelect = true;
  // Icons: small pictures (16 × 16) of the list itself, or the system's image lists.
  std::vector<Bitmap> smallImages;
  bool systemImages = false;

  const std::vector<ListColumn>& columns() const { return columns_; }
  void setColumns(std::vector<ListColumn> c);
  void setColumnWidth(size_t column, int width);

  const std::vector<ListRow>& rows() const { return rows_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  int addRow(ListRow row);
  // Appends rows in one change of the control, which then updates its scroll bar only once.
  void addRows(std::vector<ListRow> rows);
  void setRow(int index, ListRow row);
  void deleteRow(int index);
  void clear();
  // Replaces every row at once (one peer update).
  void setRows(std::vector<ListRow> rows);

  int selected() const { return selected_; }
  void select(int index);  // -1 clears the selection

  // Called by the peer when the user selects a row; the model then fires onSelectItem.
  void userSelected(int index);
  std::function<void()> onSelectItem;
  // Before a popup menu opens on the list (right click).
  std::function<void()> onContextPopup;
  void contextPopup() override {
    if (onContextPopup) onContextPopup();
  }

  std::optional<std::string> property(const std::string& name) const override;

 private:
  std::vector<ListColumn> columns_;
  std::vector<ListRow> rows_;
  int selected_ = -1;
};

class Memo : public WindowedControl {
 public:
  Memo(Form& owner, std::string name, Rect bounds = {});
  bool readOnly = false;
  bool verticalScrollBar = true;
  bool wordWrap = true;
  const std::string& text() const { return text_; }
  void setText(const std::string& t);
  // Appends a line; lines are kept with CR LF between them, as the edit control holds them.
  void addLine(const std::string& line);
  void clear() { setText({}); }
  std::vector<std::string> lines() const;
  // Caret to the start and the first line into view.
  void scrollToTop();
  void userEdited(const std::string& t) { text_ = t; }
  std::optional<std::string> property(const std::string& name) const override;

 private:
  std::string text_;
};

class Edit : public WindowedControl {
 public:
  Edit(Form& owner, std::string name, Rect bounds = {});
  char passwordChar = 0;
  int maxLength = 0;
  const std::string& text() const { return text_; }
  void setText(const std::string& t);
  void userEdited(const std::string& t);
  std::function<void()> onChange;
  // Key pressed in the field (virtual-key code); return key is 13.
  std::function<void(int key)> onKeyDown;
  std::optional<std::string> property(const std::string& name) const override;

 private:
  std::string text_;
};

}  // namespace ui
