#pragma once
#include <optional>
#include <string>

#include "Form.h"
#include "Layout.h"

namespace vk {

// Creates a form's window and controls from its layout description and binds
// fields and handlers by name. Any unknown kind, property, control or handler
// name is an error, so a layout and its form class cannot drift apart silently.
// The layout is read whole at once; the windows are made when first needed.
class FormBuilder {
public:
    explicit FormBuilder(TForm& form) : form_(form) {}
    // Reads and checks the whole layout; no window is made yet.
    void Build(const std::string& layoutText);
    // The form's window and the controls it shows first.
    void MakeForm();
    // The windows of a page's controls, held back until the page is first shown.
    void MakePage(Page& page);

private:
    void ReadForm(const LayoutNode& node);
    // Reading: every property of every control, checked now; fields and handlers bound.
    void ReadChildren(const LayoutNode& node, Control* parent);
    void ReadControl(const LayoutNode& node, Control* parent, bool groupStart);
    void ReadBounds(const LayoutNode& node, PropReader& props, Control& c);
    // Font, colours and anchors.
    void ReadLooks(Control& c, PropReader& props, const LayoutNode& node);
    void BindEvents(Control& control, PropReader& props, const LayoutNode& node);
    // Making the windows of what was read.
    void MakeChildren(Control& parent);
    void MakeControl(Control& c);
    void ShowFirstPage(PageControl& pages);
    // The control's own font when the layout gives one (remembered on the control,
    // to be made again at another DPI), else the form's.
    HFONT MakeFont(const Control& control);
    [[noreturn]] void Fail(const LayoutNode& node, const std::string& what) const;

    TForm& form_;
    int nextId_ = 100;
};

}  // namespace vk
