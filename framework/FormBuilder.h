#pragma once
#include <optional>
#include <string>

#include "Form.h"
#include "Layout.h"

namespace vk {

// Creates a form's window and controls from its layout description and binds
// fields and handlers by name. Any unknown kind, property, control or handler
// name is an error, so a layout and its form class cannot drift apart silently.
class FormBuilder {
public:
    explicit FormBuilder(TForm& form) : form_(form) {}
    void Build(const std::string& layoutText);

private:
    void CreateFormWindow(const LayoutNode& node);
    void CreateChildren(const LayoutNode& node, Control* parent, HWND parentHwnd);
    Control* CreateControl(const LayoutNode& node, Control* parent, HWND parentHwnd, bool groupStart);
    RECT Bounds(const LayoutNode& node, PropReader& props, Control& c, HWND parentHwnd);
    // Font, colours and anchors from the layout.
    void ApplyLooks(Control& c, PropReader& props, const LayoutNode& node, HWND parentHwnd, const RECT& bounds);
    void ShowFirstPage(PageControl& pages, const std::optional<std::string>& active, const LayoutNode& node);
    void BindEvents(Control& control, PropReader& props, const LayoutNode& node);
    // The control's font: its own when the layout gives one (remembered on the
    // control, to be made again at another DPI), else the form's.
    HFONT MakeFont(PropReader& props, Control& control, bool& own);
    [[noreturn]] void Fail(const LayoutNode& node, const std::string& what) const;

    TForm& form_;
    HFONT formFont_ = nullptr;
    int nextId_ = 100;
};

}  // namespace vk
