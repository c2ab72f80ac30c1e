#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Owner.h"

namespace vk {

// Where a paint handler draws; the form's own surface, or a recorder in tests.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void FillRect(const RECT& rect, COLORREF color) = 0;
};

enum class BorderStyle { None, Dialog, ToolWindow, Single };
enum class WindowState { Normal, Maximized };

// A top-level window built from a layout description. Subclasses declare their
// controls with Field() and their handlers with On(), by the names the layout uses.
class TForm : public Control {
public:
    TForm();
    ~TForm() override;

    void Show();
    void Hide();
    // Runs the close query and the close handler, then hides the window.
    void Close();
    void SetCaption(const std::string& caption) { SetText(caption); }
    std::string Caption() const { return Text(); }
    int ClientWidth() const;
    int ClientHeight() const;
    // Invalidates the whole window and paints it now, without the message queue.
    void Repaint();
    bool Active() const;
    void Activate();
    void SetBorderStyle(BorderStyle style);
    void SetWindowState(WindowState state);
    bool StaysOnTop() const { return topmost_; }
    int Dpi() const { return dpi_; }
    int Scale(int v) const { return MulDiv(v, dpi_, 96); }

    // Fills a rectangle of the client area with a solid colour (inside a paint
    // handler on the paint's DC, elsewhere on the window's DC).
    Canvas& Surface();

    bool HasEvent(const std::string& e) const override;
    // A solid brush owned by the form, made once per colour.
    HBRUSH Brush(COLORREF color);

    // Layout loading (used by the application object).
    void Load(const std::string& layoutText);
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    Control* FindControl(const std::string& name) const;
    // Destroys the window without running any close handler.
    void Destroy();

    // Focus bookkeeping: runs Enter handlers of the containers the focus moved into.
    void TrackFocus();
    // Makes the windows the control waits for: the form's own, and those of the page it lies on.
    void MakeWindowsOf(const Control& control);

protected:
    template <class T>
    void Field(const char* name, T*& slot) {
        fields_[name] = [&slot](Control* c) {
            auto* typed = dynamic_cast<T*>(c);
            if (typed) slot = typed;
            return typed != nullptr;
        };
    }
    void On(const char* handlerName, std::function<void()> fn) {
        handlers_[handlerName] = [fn = std::move(fn)](EventArgs&) { fn(); };
    }
    void OnQuery(const char* handlerName, Handler fn) { handlers_[handlerName] = std::move(fn); }

private:
    friend class FormBuilder;
    class PaintCanvas;
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void EraseBackground(HDC dc);
    void Paint();
    // A size change the form did not make itself is put to its CanResize handler.
    void AskCanResize(WINDOWPOS& pos);
    void KeepAnchors();
    // Takes the monitor's new DPI: the suggested window rectangle, then the
    // fonts and every control's geometry again from the 96-DPI design.
    void Rescale(int dpi, const RECT& suggested);

    std::map<std::string, std::function<bool(Control*)>> fields_;
    std::map<std::string, Handler> handlers_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<GdiObject> gdi_;  // fonts made for the controls, freed with the form
    HFONT font_ = nullptr;        // the form's own, for the controls that name none
    std::map<COLORREF, vk::Brush> brushes_;
    COLORREF color_ = CLR_INVALID;
    HDC paintDc_ = nullptr;
    std::unique_ptr<Canvas> canvas_;
    WindowState state_ = WindowState::Normal;
    bool topmost_ = false;
    bool hasPaint_ = false;
    bool rescaling_ = false;  // a size change no resize handler is asked about
    int dpi_ = 96;
    RECT frame_{};           // where the window is made, at dpi_
    SIZE designedClient_{};  // inside the layout's own frame, at dpi_: what anchors measure from
    HWND lastFocus_ = nullptr;
};

}  // namespace vk
