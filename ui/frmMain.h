// The program's only window: eleven option groups, the switch rows, the two
// buttons, the maker's contact block and the version label.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "Module1.h"
#include "dpi.h"
#include "frmMain_layout.h"
#include "win32.h"

namespace tessivar {

// The version label's text, "Version 1.0.4", written into `text`.
inline constexpr std::size_t kVersionLabelSize = 32;
const wchar_t* FormatVersionLabel(wchar_t (&text)[kVersionLabelSize]);

class frmMain {
  public:
    // The contact clicks make their shell requests through `shell`, which
    // must outlive the window.
    frmMain(HINSTANCE instance, ShellLibrary& shell);
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window and its controls, hidden, and runs Form_Load. False
    // if the window could not be made.
    bool Load();
    // Shows the window, which Load made at its final size and place.
    void Show();
    // Keyboard navigation between the controls; true if msg was used.
    bool PreTranslateMessage(MSG& msg);

    HWND hwnd() const { return hwnd_; }

    // Dispatches this thread's messages, with the window's keyboard
    // navigation, until the window is gone.
    void RunUntilClosed();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's events.
    void Form_Load();
    void cmdCalculate_Click();
    void cmdExit_Click();
    void Label3_Click(std::int16_t Index);

    void OnCommand(int position, UINT code);
    void OnActivate(bool active);
    LRESULT OnControlColour(UINT message, HDC dc, HWND control);
    void OnDpiChanged(Dpi dpi, const RECT& suggested);

    // Building the window (frmMain_controls.cpp).
    void CreateFonts();
    // True if every caption in `font` keeps its room at the window's density
    // when drawn in `candidate`; `asDrawn` is the font at 96 DPI.
    bool CaptionsFit(FontId font, HFONT candidate, HFONT asDrawn, HDC measuring) const;
    // Where a control goes, in client pixels; auto-size labels are measured
    // with `measuring`.
    RECT PlaceOf(std::size_t position, HDC measuring) const;
    void CreateControls();
    void MoveControls();
    void LoadIcons();
    void CreateToolTip();

    // Option groups (frmMain_keyboard.cpp): a frame's options are
    // exclusive, and only the selected one is a tab stop.
    void SelectOption(int position);
    bool MoveInOptionGroup(int position, bool forward);
    bool IsSelected(int position) const;

    HWND Control(int position) const;
    int PositionOfWindow(HWND control) const;

    HINSTANCE instance_;
    ShellLibrary& shell_;
    Dpi dpi_{96};
    // An owned window stays out of the taskbar; the owner is never shown.
    UniqueWindow owner_;
    HWND hwnd_ = nullptr;
    HWND toolTip_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    std::array<UniqueFont, static_cast<std::size_t>(FontId::Count)> fonts_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    bool enableMessageShowing_ = false;

    // Working array of the calculation; owned for the window's life.
    std::array<std::int16_t, 16> SettingBit{};
};

}  // namespace tessivar
