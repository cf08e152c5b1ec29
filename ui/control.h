// Controls of the window model. Graphic controls (labels, images, shapes, panels) are painted
// by their form and have no window of their own; windowed controls (list views, memos, edit
// fields) are real child windows in the Win32 backend. Every control has a name that handlers
// and the automation protocol use.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ui/bitmap.h"
#include "ui/canvas.h"
#include "ui/font.h"

namespace ui {

class Form;
class PopupMenu;

// Screen cursors; the hand cursor "hacursor" sits in the program's custom slot 5.
enum class Cursor { Default = 0, Hand = 5, Hourglass = -11 };
// "default", "hand" or "hourglass", as the automation protocol names them.
const char* cursorName(Cursor c);

class Control {
 public:
  Control(Form& owner, std::string name, Rect bounds);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  const std::string& name() const { return name_; }
  Form& form() const { return form_; }

  const Rect& bounds() const { return bounds_; }
  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width(); }
  int height() const { return bounds_.height(); }
  // False when the control already had these bounds; a change repaints the old and new area.
  bool setBounds(const Rect& r);
  void setLeft(int x) { setBounds(Rect{x, bounds_.top, x + width(), bounds_.bottom}); }
  void setTop(int y) { setBounds(Rect{bounds_.left, y, bounds_.right, y + height()}); }
  void setWidth(int w) { setBounds(Rect{bounds_.left, bounds_.top, bounds_.left + w, bounds_.bottom}); }
  void setHeight(int h) { setBounds(Rect{bounds_.left, bounds_.top, bounds_.right, bounds_.top + h}); }

  bool visible() const { return visible_; }
  void setVisible(bool v);
  bool enabled() const { return enabled_; }
  void setEnabled(bool e);
  // Visible, and every container it lies in too.
  bool showing() const;
  Control* parent = nullptr;

  Cursor cursor = Cursor::Default;
  std::string hint;
  bool showHint = false;
  PopupMenu* popupMenu = nullptr;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void(int x, int y)> onMouseMove;
  std::function<void(int x, int y)> onMouseDown;
  std::function<void(int x, int y)> onMouseUp;

  virtual bool windowed() const { return false; }
  // A right click is about to open the control's popup menu: a control that prepares the
  // menu first (a list view selecting its row) does so here.
  virtual void contextPopup() {}
  virtual void paint(Canvas&) {}
  // Properties read by the automation protocol; nullopt for an unknown name.
  virtual std::optional<std::string> property(const std::string& name) const;

 protected:
  // The model changed: repaint a graphic control, or bring a windowed control's peer up to date.
  void changed();

 private:
  Form& form_;
  std::string name_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A line or block of text. Every property that changes its extent or look goes through a
// setter, which re-fits an auto-sized label and repaints it.
// The caption is shown as it is, "&" included: most captions come from outside (file, process,
// folder and member names, headlines), and no label of the program marks an access key.
class Label : public Control {
 public:
  Label(Form& owner, std::string name, Rect bounds = {}, std::string caption = {});
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& c);
  const Font& font() const { return font_; }
  void setFont(const Font& f);
  void setUnderline(bool u);
  // Background colour, painted when the label is not transparent.
  Color color() const { return color_; }
  void setColor(Color c);
  bool transparent() const { return transparent_; }
  void setTransparent(bool t);
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool w);
  // An auto-sized label that does not wrap takes the size of its text.
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool a);
  Align alignment() const { return alignment_; }
  void setAlignment(Align a);
  void paint(Canvas& canvas) override;
  std::optional<std::string> property(const std::string& name) const override;

 private:
  std::string caption_;
  Font font_;
  Color color_ = kWhite;
  bool transparent_ = true;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  Align alignment_ = Align::Left;
  // Re-fits the bounds to the text and repaints.
  void refit();
};

class Image : public Control {
 public:
  Image(Form& owner, std::string name, Rect bounds = {});
  const Bitmap& picture() const { return picture_; }
  // Replaces the picture; name is the skin name it came from (empty for a drawn picture).
  void setPicture(const Bitmap& b, const std::string& name = {});
  void clearPicture();
  const std::string& pictureName() const { return pictureName_; }
  bool transparent() const { return transparent_; }
  void setTransparent(bool t);
  bool stretch() const { return stretch_; }
  void setStretch(bool s);
  // An auto-sized image takes the size of each picture it is given.
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool a);
  bool center() const { return center_; }
  void setCenter(bool c);
  void paint(Canvas& canvas) override;
  std::optional<std::string> property(const std::string& name) const override;

 private:
  Bitmap picture_;
  std::string pictureName_;
  bool transparent_ = false;
  bool stretch_ = false;
  bool autoSize_ = false;
  bool center_ = false;
  // Sizes an auto-sized image to its picture; true when that changed its bounds.
  bool fitPicture();
};

enum class ShapeKind { Rectangle, RoundRect };

class Shape : public Control {
 public:
  Shape(Form& owner, std::string name, Rect bounds = {}, ShapeKind kind = ShapeKind::RoundRect);
  // Fill and outline colours.
  void setColors(Color brush, Color pen);
  void paint(Canvas& canvas) override;

 private:
  ShapeKind kind_;
  Color brush_ = kWhite;
  Color pen_ = kBlack;
};

// A plain filled area that other controls may lie in (their parent).
class Panel : public Control {
 public:
  Panel(Form& owner, std::string name, Rect bounds = {});
  Color color() const { return color_; }
  void setColor(Color c);
  void paint(Canvas& canvas) override;

 private:
  Color color_ = kWhite;
};

}  // namespace ui
