#include "ui/windowed.h"

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

WindowedControl::~WindowedControl() { form().application().backend().controlDestroyed(*this); }

void WindowedControl::notify(Change what, int index) {
  if (peer) peer->update(what, index);
}

void WindowedControl::setFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  notify(Change::Look);
}

void WindowedControl::setColor(Color c) {
  if (c == color_) return;
  color_ = c;
  notify(Change::Look);
}

void WindowedControl::setFocus() { notify(Change::Focus); }

ListView::ListView(Form& owner, std::string name, Rect bounds)
    : WindowedControl(owner, std::move(name), bounds) {}

void ListView::setColumns(std::vector<ListColumn> c) {
  columns_ = std::move(c);
  notify(Change::Columns);
}

void ListView::setColumnWidth(size_t column, int width) {
  if (column >= columns_.size() || columns_[column].width == width) return;
  columns_[column].width = width;
  notify(Change::Columns);
}

int ListView::addRow(ListRow row) {
  rows_.push_back(std::move(row));
  const int index = rowCount() - 1;
  notify(Change::RowAdded, index);
  return index;
}

void ListView::addRows(std::vector<ListRow> rows) {
  if (rows.empty()) return;
  const int first = rowCount();
  for (ListRow& row : rows) rows_.push_back(std::move(row));
  notify(Change::RowsAdded, first);
}

void ListView::setRow(int index, ListRow row) {
  if (index < 0 || index >= rowCount()) return;
  rows_[index] = std::move(row);
  notify(Change::RowChanged, index);
}

void ListView::deleteRow(int index) {
  if (index < 0 || index >= rowCount()) return;
  rows_.erase(rows_.begin() + index);
  if (selected_ == index) selected_ = -1;
  else if (selected_ > index) --selected_;
  notify(Change::RowRemoved, index);
}

void ListView::clear() {
  if (rows_.empty() && selected_ < 0) return;
  rows_.clear();
  selected_ = -1;
  notify(Change::Rows);
}

void ListView::setRows(std::vector<ListRow> rows) {
  rows_ = std::move(rows);
  selected_ = -1;
  notify(Change::Rows);
}

void ListView::select(int index) {
  if (index < -1 || index >= rowCount()) index = -1;
  if (index == selected_) return;
  selected_ = index;
  notify(Change::Selection, index);
}

void ListView::userSelected(int index) {
  if (index < -1 || index >= rowCount()) index = -1;
  selected_ = index;
  if (onSelectItem) onSelectItem();
}

std::optional<std::string> ListView::property(const std::string& name) const {
  if (name == "selected") return std::to_string(selected_);
  if (name == "rows") {
    std::string out;
    for (const ListRow& r : rows_) {
      out += r.caption;
      for (const std::string& s : r.subItems) out += '\t' + s;
      out += '\n';
    }
    return out;
  }
  return Control::property(name);
}

Memo::Memo(Form& owner, std::string name, Rect bounds) : WindowedControl(owner, std::move(name), bounds) {}

void Memo::setText(const std::string& t) {
  text_ = t;
  notify(Change::Text);
}

void Memo::addLine(const std::string& line) {
  if (!text_.empty()) text_ += "\r\n";
  text_ += line;
  notify(Change::Text);
}

std::vector<std::string> Memo::lines() const {
  std::vector<std::string> out;
  if (text_.empty()) return out;
  size_t start = 0;
  while (true) {
    const size_t end = text_.find("\r\n", start);
    out.push_back(text_.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return out;
}

void Memo::scrollToTop() { notify(Change::Selection, 0); }

std::optional<std::string> Memo::property(const std::string& name) const {
  if (name == "text") return text_;
  return Control::property(name);
}

Edit::Edit(Form& owner, std::string name, Rect bounds) : WindowedControl(owner, std::move(name), bounds) {}

void Edit::setText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  notify(Change::Text);
  if (onChange) onChange();
}

void Edit::userEdited(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  if (onChange) onChange();
}

std::optional<std::string> Edit::property(const std::string& name) const {
  if (name == "text") return text_;
  return Control::property(name);
}

}  // namespace ui
