// A small program on the Win32 window backend, to look at and to drive with qexctl: a main
// window (class Tqex_ulm_frm, so qexctl finds it) with drawn pictures, labels, a link, a shape,
// a list view with icons, a timer, a popup menu, the tray icon and a message box; a modal window
// with a memo and edit fields; a borderless popup that fades in.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/windowed.h"
#include "ui/win32/run.h"

namespace {

constexpr ui::Color kPale = ui::rgb(215, 227, 243);
constexpr unsigned kTrayMessage = 2025;

ui::Bitmap warningIcon() {
  ui::Bitmap b(16, 16, ui::kWhite);
  for (int y = 1; y < 15; ++y) {
    const int half = y / 2;
    for (int x = 8 - half - 1; x <= 8 + half; ++x)
      if (x >= 0 && x < 16) b.setPixel(x, y, ui::rgb(250, 200, 0));
  }
  for (int y = 5; y < 11; ++y) b.setPixel(8, y, ui::kBlack);
  b.setPixel(8, 12, ui::kBlack);
  b.transparent = true;
  return b;
}

ui::Bitmap buttonPicture(ui::Application& app, const std::string& text, ui::Color face) {
  ui::Bitmap b(120, 32, ui::rgb(40, 60, 110));
  ui::Canvas c(b, &app.text());
  c.brush = face;
  c.pen = ui::kWhite;
  c.roundRect(ui::Rect{0, 0, 120, 32}, 12, 12);
  c.font = ui::Font::pixels("Verdana", 12, true, ui::kWhite);
  const ui::Size s = c.textExtent(text);
  c.textOut((120 - s.width) / 2, (32 - s.height) / 2, text);
  return b;
}

int systemIcon(const char* path) {
  SHFILEINFOA info{};
  SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  return info.iIcon;
}

class NotifyForm : public ui::Form {
 public:
  explicit NotifyForm(ui::Application& app) : Form(app, "Tdemonotifyfrm", "notifyfrm", 220, 90) {
    borderStyle = ui::BorderStyle::None;
    stayOnTop = true;
    showInTaskbar = false;
    color = ui::rgb(255, 250, 220);
    setPosition(app.screenWidth() - 230, app.screenHeight() - 130);
    Fade.onTimer = [this] {
      alpha_ = std::min(255, alpha_ + 25);
      setAlpha(static_cast<uint8_t>(alpha_));
      if (alpha_ >= 255) Fade.stop();
    };
    Text.setWordWrap(true);
    Text.setFont(ui::Font::pixels("Verdana", 11, false, ui::kNavy));
    Text.setBounds(ui::Rect{10, 10, 210, 50});
    Close.cursor = ui::Cursor::Hand;
    Close.setFont(ui::Font::pixels("Verdana", 11, true, ui::kBlue));
    Close.onClick = [this] { hide(); };
  }
  void FormShow() override {
    alpha_ = 0;
    if (layeredSupported()) {
      setLayered(true);
      setAlpha(0);
    }
    Fade.start();
  }
  void FormPaint(ui::Canvas& c) override {
    c.pen = ui::kNavy;
    c.frameRect(ui::Rect{0, 0, clientWidth(), clientHeight()});
  }

 private:
  int alpha_ = 0;
  ui::Label Text{*this, "Text", ui::Rect{10, 10, 210, 50}, "A change was found in the Windows folder."};
  ui::Label Close{*this, "Close", ui::Rect{10, 62, 100, 80}, "Close"};
  ui::Timer Fade{*this, "Fade", 50};
};

class MemoForm : public ui::Form {
 public:
  explicit MemoForm(ui::Application& app) : Form(app, "Tdemomemofrm", "memofrm", 400, 300) {
    setCaption("Memo and edit fields");
    font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
    color = ui::rgb(60, 90, 150);
    for (ui::Label* l : {&L1, &L2, &Echo, &Toggle}) l->setFont(font);
    for (ui::WindowedControl* w : {static_cast<ui::WindowedControl*>(&Memo1), static_cast<ui::WindowedControl*>(&Edit1),
                                   static_cast<ui::WindowedControl*>(&Edit2)}) {
      w->setFont(ui::Font::pixels("Verdana", 9, false, ui::kNavy));
      w->setColor(kPale);
    }
    Memo1.readOnly = true;
    Memo1.parent = &Panel1;
    Panel1.setColor(ui::rgb(40, 60, 110));
    Toggle.cursor = ui::Cursor::Hand;
    Toggle.onClick = [this] { Panel1.setVisible(!Panel1.visible()); };
    for (int i = 1; i <= 40; ++i)
      Memo1.addLine("Line " + std::to_string(i) + ": a report line long enough to show that the memo wraps its words.");
    Edit2.passwordChar = '*';
    Edit2.maxLength = 12;
    Edit1.onKeyDown = [this](int key) {
      if (key == 13) application().messageBox(this, "You typed: " + Edit1.text(), "Edit", ui::kMbOk | ui::kMbIconInformation);
    };
    Edit1.onChange = [this] { Echo.setCaption("Length: " + std::to_string(Edit1.text().size())); };
  }
  void FormShow() override { Memo1.scrollToTop(); }

 private:
  ui::Panel Panel1{*this, "Panel1", ui::Rect{5, 5, 395, 205}};
  ui::Memo Memo1{*this, "Memo1", ui::Rect{10, 10, 390, 200}};
  ui::Label Toggle{*this, "Toggle", ui::Rect{300, 270, 390, 286}, "Toggle"};
  ui::Label L1{*this, "L1", ui::Rect{10, 214, 100, 230}, "User Name:"};
  ui::Edit Edit1{*this, "Edit1", ui::Rect{110, 212, 300, 230}};
  ui::Label L2{*this, "L2", ui::Rect{10, 240, 100, 256}, "Password:"};
  ui::Edit Edit2{*this, "Edit2", ui::Rect{110, 238, 300, 256}};
  ui::Label Echo{*this, "Echo", ui::Rect{10, 270, 200, 286}, "Length: 0"};
};

class MainForm : public ui::Form {
 public:
  explicit MainForm(ui::Application& app) : Form(app, "Tqex_ulm_frm", "qex_ulm_frm", 700, 450) {
    setCaption("Orvanta Kestrel");
    font = ui::Font::pixels("Verdana", 11, true, ui::kWhite);
    Title.setFont(ui::Font::pixels("Verdana", 20, true, ui::kWhite));
    Link.setFont(ui::Font::pixels("Verdana", 11, false, ui::rgb(255, 255, 160)));
    Link.cursor = ui::Cursor::Hand;
    Link.hint = "Shows a message box";
    Link.showHint = true;
    Link.onMouseMove = [this](int, int) { Link.setUnderline(true); };
    Link.onClick = [this] {
      application().messageBox(this, "This is the message box of the demo.", "Orvanta Kestrel", ui::kMbOkCancel | ui::kMbIconQuestion);
    };
    for (ui::Label* l : {&Dimmed, &Wrapped, &Ticks, &Status, &Selection}) l->setFont(font);
    Dimmed.setEnabled(false);
    Wrapped.setWordWrap(true);
    Wrapped.setAlignment(ui::Align::Center);
    Wrapped.setBounds(ui::Rect{24, 128, 250, 190});
    Button.setPicture(buttonPicture(app, "Memo...", ui::rgb(70, 120, 200)), "memo_btn_1");
    Button.cursor = ui::Cursor::Hand;
    Button.onClick = [this] { memo->showModal(); };
    Button.popupMenu = &PopupMenu1;
    Popup.setPicture(buttonPicture(app, "Popup", ui::rgb(200, 120, 70)), "popup_btn_1");
    Popup.cursor = ui::Cursor::Hand;
    Popup.onClick = [this] { notify->show(); };
    Busy.setPicture(buttonPicture(app, "Busy", ui::rgb(90, 160, 90)), "busy_btn_1");
    Busy.cursor = ui::Cursor::Hourglass;
    Frame.setColors(ui::rgb(50, 75, 130), ui::kWhite);

    ListView1.setFont(ui::Font::pixels("Verdana", 9, false, ui::kNavy));
    ListView1.setColor(kPale);
    // An empty and a wide picture must still take one cell each.
    ListView1.smallImages = {warningIcon(), ui::Bitmap(), ui::Bitmap(32, 16, ui::kBlue)};
    ListView1.setColumns({{"Filename", 300}, {"Time stamp", 140}});
    const char* files[] = {"C:\\windows\\system32\\evil.dll", "C:\\windows\\temp\\dropper.exe", "HKLM\\Software\\Run\\Bad"};
    for (const char* f : files) ListView1.addRow(ui::ListRow{f, {"2026-12-08  03:00"}, 0});
    ListView1.addRow(ui::ListRow{"Blue square, third picture", {"no time"}, 2});
    ListView1.addRow(ui::ListRow{"No picture", {}, -1});
    ListView1.onSelectItem = [this] {
      Status.setCaption("Selected row " + std::to_string(ListView1.selected()));
      Selection.setCaption("Row " + std::to_string(ListView1.selected()));
    };
    ListView1.popupMenu = &PopupMenu1;

    Files.viewStyle = ui::ViewStyle::Icon;
    Files.systemImages = true;
    Files.setFont(ListView1.font());
    Files.setColor(ui::kWhite);
    Files.addRow(ui::ListRow{"C:", {}, systemIcon("C:\\")});
    Files.addRow(ui::ListRow{"windows", {}, systemIcon("C:\\windows")});
    ui::ListRow ghost{"hidden.txt", {}, systemIcon("C:\\windows\\win.ini"), true};
    Files.addRow(ghost);
    ui::ListRow link{"notepad", {}, systemIcon("C:\\windows\\notepad.exe"), false, 2};
    Files.addRow(link);

    Timer1.onTimer = [this] { Ticks.setCaption("Ticks: " + std::to_string(++ticks_)); };
    Timer1.start();

    PopupMenu1.add("SystemScan1", "System Scan", [this] { Status.setCaption("System Scan chosen"); }).isDefault = true;
    PopupMenu1.addSeparator();
    PopupMenu1.add("Save1", "Save As...", [this] {
      ui::SaveDialogOptions o{"Save the log", "Text Documents (*.txt)|*.txt", "*.txt", true};
      auto file = application().saveDialog(this, o);
      Status.setCaption(file ? "Save to " + *file : "Save cancelled");
    });
    PopupMenu1.add("Disabled1", "Not now", nullptr).enabled = false;
    PopupMenu1.addSeparator();
    PopupMenu1.add("Quit1", "Quit", [this] { application().terminate(); });

    appendSystemMenuItem(0, "");
    appendSystemMenuItem(60, "About the demo");
    ui::TrayIcon tray;
    tray.id = 1;
    tray.callbackMessage = kTrayMessage;
    tray.tip = "Orvanta Kestrel";
    tray.owner = this;
    app.setTray(tray);
  }

  void FormPaint(ui::Canvas& c) override {
    for (int y = 0; y < clientHeight(); ++y) {
      c.brush = ui::rgb(30 + y / 10, 50 + y / 8, 100 + y / 5);
      c.fillRect(ui::Rect{0, y, clientWidth(), y + 1});
    }
  }
  void FormMouseMove(int, int) override { Link.setUnderline(false); }
  void FormSysCommand(int id) override {
    if (id == 60) application().messageBox(this, "A demo of the window backend.", "About", ui::kMbOk | ui::kMbIconInformation);
  }
  void FormTrayMessage(ui::TrayEvent event) override {
    if (event == ui::TrayEvent::DoubleClick) show();
    if (event == ui::TrayEvent::RightButtonUp) {
      bringToFront();
      const ui::Point p = application().cursorPos();
      PopupMenu1.popup(p.x, p.y);
    }
  }
  void FormClose(ui::CloseAction& action) override {
    action = ui::CloseAction::None;
    application().terminate();
  }

 MemoForm* memo = nullptr;
  NotifyForm* notify = nullptr;

 private:
  int ticks_ = 0;
  ui::Shape Frame{*this, "Frame", ui::Rect{10, 10, 690, 60}};
  ui::Label Title{*this, "Title", ui::Rect{24, 20, 400, 50}, "Orvanta Kestrel"};
  ui::Label Link{*this, "Link", ui::Rect{24, 80, 300, 96}, "Show a message box"};
  ui::Label Dimmed{*this, "Dimmed", ui::Rect{24, 104, 300, 120}, "A disabled label"};
  ui::Label Wrapped{*this, "Wrapped", ui::Rect{24, 128, 250, 190},
                    "A label that wraps its words across lines inside its bounds, centred."};
  ui::Image Button{*this, "Button", ui::Rect{300, 80, 420, 112}};
  ui::Image Popup{*this, "Popup", ui::Rect{430, 80, 550, 112}};
  ui::Image Busy{*this, "Busy", ui::Rect{560, 80, 680, 112}};
  ui::ListView ListView1{*this, "ListView1", ui::Rect{24, 200, 524, 353}};
  ui::ListView Files{*this, "Files", ui::Rect{540, 200, 690, 353}};
  ui::Label Ticks{*this, "Ticks", ui::Rect{24, 370, 200, 386}, "Ticks: 0"};
  ui::Label Status{*this, "Status", ui::Rect{24, 394, 600, 410}, "Ready"};
  // Where the modal memo window lies over this one.
  ui::Label Selection{*this, "Selection", ui::Rect{320, 130, 560, 146}, ""};
  ui::Timer Timer1{*this, "Timer1", 500};
  ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
};

}  // namespace

int main() {
  return ui::win32::withApplication([](ui::Application& app) {
    app.setTitle("Orvanta Kestrel");
    // The main window is the first form made, as in the program.
    MainForm main(app);
    MemoForm memo(app);
    NotifyForm notify(app);
    main.memo = &memo;
    main.notify = &notify;
    app.setFormsReady(true);
    main.show();
    app.run();
    app.setFormsReady(false);
    app.removeTray();
    return 0;
  });
}
