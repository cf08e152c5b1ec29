// The backend of the unit tests: no windows, timers on a virtual clock, message boxes and save
// dialogs answered from queues that a test fills, and a record of every box, tray change and
// popup menu. Text is measured with a fixed metric: each character is (height + 1) / 2 pixels
// wide (one more when bold) and a line is the font height tall.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/backend.h"
#include "ui/callqueue.h"

namespace ui::headless {

class FixedText : public TextRenderer {
 public:
  Size measure(const Font& font, const std::string& text) override;
  void draw(Bitmap&, const Rect&, const Rect&, const Font&, const std::string&, Align, bool) override {}
};

struct BoxRecord {
  std::string owner;  // the owner form's name, empty for none
  std::string text;
  std::string caption;
  unsigned flags = 0;
  int answer = 0;
};

struct PopupRecord {
  std::string menu;
  int x = 0, y = 0;
};

class HeadlessBackend : public Backend {
 public:
  // Virtual time in milliseconds; advance() fires every timer that falls due on the way, in
  // order, and runs queued calls between them. A timer's handler may advance the time itself
  // (a pause that handles messages): time never goes back.
  uint64_t now() const { return now_; }
  void advance(uint64_t ms);

  // Answers for the next message boxes, in order; with none queued the first button is taken.
  std::deque<int> boxAnswers;
  std::vector<BoxRecord> boxes;
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<SaveDialogOptions> saveDialogs;
  std::vector<PopupRecord> popups;
  std::vector<TrayIcon> trayHistory;
  bool layered = true;
  int screenW = 1024, screenH = 768;
  std::optional<Rect> taskbar;
  Point cursor;
  bool quitRequested = false;
  // Repaints asked for, counted, and the areas of those that asked for a part of the window.
  int invalidations = 0;
  std::vector<Rect> invalidatedAreas;
  // Calls queued for the user-interface thread, counted (from any thread).
  std::atomic<int> posts{0};
  // Runs after every processMessages, so a test can act in the middle of a long loop the way
  // a user's click arrives between two of its steps.
  std::function<void()> onProcessMessages;
  // Runs while a message box is open, before it is answered: a box's own loop dispatches the
  // other windows' messages, as a click in a modeless window.
  std::function<void()> whileBoxOpen;

  void attach(Application& app) override { app_ = &app; }
  void formCreated(Form&) override {}
  void formDestroyed(Form&) override {}
  void formChanged(Form&, FormChange) override {}
  void invalidate(Form&) override { ++invalidations; }
  void invalidateArea(Form&, const Rect& area) override {
    ++invalidations;
    invalidatedAreas.push_back(area);
  }
  void controlDestroyed(WindowedControl&) override {}
  void timerChanged(Timer& timer) override;
  void timerDestroyed(Timer& timer) override;
  void runModal(Form&) override {}
  void processMessages() override;
  // The time passes with the timers that fall due in it.
  void pause(uint32_t ms, const std::function<void()>& first) override {
    if (first) first();
    advance(ms);
  }
  void run() override;
  void quit() override { quitRequested = true; }
  void post(std::function<void()> fn) override;
  int messageBox(Form* owner, const std::string& text, const std::string& caption, unsigned flags) override;
  std::optional<std::string> saveDialog(Form* owner, const SaveDialogOptions& options) override;
  void trayChanged(const TrayIcon& tray) override { trayHistory.push_back(tray); }
  void popupMenu(PopupMenu& menu, int x, int y) override;
  Point cursorPos() override { return cursor; }
  int screenWidth() override { return screenW; }
  int screenHeight() override { return screenH; }
  std::optional<Rect> taskbarRect() override { return taskbar; }
  bool layeredSupported() override { return layered; }
  TextRenderer& text() override { return text_; }
  uintptr_t nativeHandle(const Form& form) override;

  bool timerRunning(const Timer& t) const { return due_.count(&t) != 0; }

 private:
  Application* app_ = nullptr;
  FixedText text_;
  uint64_t now_ = 0;
  std::map<const Timer*, uint64_t> due_;
  CallQueue queue_;
};

}  // namespace ui::headless
