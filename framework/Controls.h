#pragma once
#include <windows.h>

#include "Layout.h"
#include "Owner.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vk {

class Control;
class TForm;

// What a control asks of CreateWindowEx, beyond what every child window gets.
struct CreateArgs {
    const char* windowClass = "Static";
    DWORD style = 0;
    DWORD exStyle = 0;
    bool container = false;  // its children come from the layout too
};

struct EventArgs {
    Control* Sender = nullptr;
    bool Allow = true;  // answer of a query event (close query, page changing, resize)
};
using Handler = std::function<void(EventArgs&)>;

// A standard Windows control, created from a layout description.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    // The window; a control of a page not shown yet gets its page's windows made now.
    HWND Handle() const { return hwnd_ ? hwnd_ : Window(); }
    const std::string& Name() const { return name_; }
    Control* Parent() const { return parent_; }
    TForm* Form() const { return form_; }
    // Geometry as designed at 96 DPI, relative to the parent.
    const RECT& DesignBounds() const { return design_; }

    std::string Text() const;
    virtual void SetText(const std::string& text);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetFocus();

    static Control* FromHandle(HWND hwnd);

    // Event names a control of this kind can bind ("Click", "Enter" ...).
    virtual bool HasEvent(const std::string&) const { return false; }
    void BindEvent(const std::string& event, Handler handler) { events_[event] = std::move(handler); }
    // Runs the bound handler, if any; returns the handler's answer.
    bool Fire(const std::string& event);

    // Messages the form routes to the control it came from.
    virtual void OnCommand(int) {}
    virtual bool OnNotify(NMHDR*, LRESULT&) { return false; }
    // Brush for WM_CTLCOLOR*, or nullptr for the default look.
    virtual HBRUSH OnCtlColor(HDC) { return nullptr; }
    // Paints an owner-drawn control; false when the control is not one.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT&) { return false; }

protected:
    // How its window is made: the class and styles of its kind, with what the
    // layout's properties add (groupStart: first of a run of radio buttons). Every
    // property is read here, when the layout is loaded, even if the window comes later.
    virtual CreateArgs Creating(PropReader& props, bool groupStart);
    // What the window needs once it exists.
    virtual void Created() {}
    HWND Window() const;

    friend class FormBuilder;
    friend class TForm;
    void Attach(HWND hwnd);
    HWND hwnd_ = nullptr;
    CreateArgs create_;
    std::string caption_;
    int id_ = 0;
    std::string name_;
    TForm* form_ = nullptr;
    Control* parent_ = nullptr;
    RECT design_{};
    bool fillsParent_ = false;  // aligned to the parent's whole client area
    // Its own font as designed (face, pixel height at 96 DPI); empty: the form's.
    std::string fontFace_;
    int fontSize_ = 0;
    // Anchored to the parent's right and bottom edges: the margins kept on resize.
    bool anchorRight_ = false, anchorBottom_ = false;
    int marginRight_ = 0, marginBottom_ = 0;
    COLORREF textColor_ = CLR_INVALID;
    COLORREF backColor_ = CLR_INVALID;  // CLR_NONE: transparent
    std::map<std::string, Handler> events_;
    // Text and background colours from the layout (CLR_NONE background: transparent).
    HBRUSH ColorBrush(HDC dc);
    HBRUSH backBrush_ = nullptr;
};

class Button : public Control {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;

public:
    bool HasEvent(const std::string& e) const override { return e == "Click"; }
    void OnCommand(int code) override;
    void Click();
};

class CheckBox : public Button {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
    void Created() override;

public:
    bool Checked() const;
    // A change of state runs the Click handler, as a click by the user does.
    void SetChecked(bool checked);

private:
    bool checked_ = false;  // as designed
};

class RadioButton : public Button {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
    void Created() override;

public:
    bool Checked() const;
    // Selecting a button unchecks the others of its group and runs its Click handler.
    void SetChecked(bool checked);
    void OnCommand(int code) override;

private:
    bool checked_ = false;  // as designed
};

// A control drawn in the text and background colours its layout gives.
class Coloured : public Control {
public:
    HBRUSH OnCtlColor(HDC dc) override { return ColorBrush(dc); }
};

class Label : public Coloured {
public:
    void SetText(const std::string& text) override;
    bool AutoSize = false;

protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
    void Created() override;
};

// Fixed size, wrapping its text.
class StaticText : public Label {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
};
class GroupBox : public Coloured {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
};
// A line along the top of its box; the rest of the box stays empty.
class Bevel : public Control {
public:
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
};
class Edit : public Coloured {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
};
class Memo : public Edit {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
};
class ScrollBox : public Control {
protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
};
class Image : public Control {
public:
    // Takes the bitmap over.
    void SetPicture(HBITMAP bitmap);

protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
    void Created() override;

private:
    Bitmap bitmap_;
    std::string picture_;  // the resource it shows first
};

class ProgressBar : public Control {
public:
    int Position() const;
    void SetPosition(int position);

protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;
    void Created() override;

private:
    int min_ = 0, max_ = 100;
};

// Its window and its controls' windows are made when it is first shown: the
// pages behind the first one cost nothing until the user comes to them.
class Page : public Control {
public:
    bool HasEvent(const std::string& e) const override { return e == "Enter"; }

protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;

private:
    friend class FormBuilder;
    friend class TForm;
    friend class PageControl;
    bool made_ = false;  // it and its controls have their windows
};

// A page control: the program may set the active page at any time; a change the
// control would start itself (a click on a tab, Ctrl+Tab) is put to its Changing handler.
class PageControl : public Control {
public:
    bool HasEvent(const std::string& e) const override { return e == "Changing" || e == "Enter"; }
    // The page shown; the windows are made first if they are still waiting.
    Page* ActivePage() const { return Handle() ? active_ : nullptr; }
    void SetActivePage(Page* page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    Page* PageAt(int i) const { return pages_[i]; }
    // A change asked for by the user; happens only when the Changing handler allows it.
    bool SelectNextPage(bool forward);
    bool OnNotify(NMHDR* hdr, LRESULT& result) override;

protected:
    CreateArgs Creating(PropReader& props, bool groupStart) override;

private:
    friend class FormBuilder;
    friend class TForm;
    // One tab per page, in the layout's order; the pages joined pages_ when the layout was read.
    void Created() override;
    // Where a page lies in the control's client area.
    RECT PageArea() const;
    // Keeps the made pages in the layout's order below the control, whatever order they were made in.
    void PlacePage(const Page& page) const;
    void LayoutPages();
    // Makes the page's controls if they wait for their first showing, then shows it.
    void ShowPage(Page* page);
    std::vector<Page*> pages_;
    Page* active_ = nullptr;
    std::optional<std::string> first_;  // the page shown first, as designed
};

}  // namespace vk
