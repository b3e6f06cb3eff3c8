#pragma once

// What each GUI backend (ui/win32, ui/headless) provides to the portable
// toolkit. Only the toolkit includes this header.

#include <memory>
#include <string>

#include "ui/accessibility.h"
#include "ui/dpi.h"
#include "ui/window_host.h"

namespace ui {

class Application;
class Container;
class Edit;
class Form;

// A top-level window's host, with what only forms have.
class FormHost : public WindowHost {
  public:
    FormHost* AsFormHost() override { return this; }
    virtual void SyncCaption() = 0;
    // The pixels per inch of the monitor the window is on.
    virtual int Dpi() const { return kDesignDpi; }
    // Asks the window system to close the window (as its close box would).
    virtual void RequestClose() = 0;
    // Gives the window itself the keyboard focus (a windowless control of
    // it has the form's).
    virtual void FocusWindow() {}
    // Asks the window system to show the keyboard cues, which then tells
    // the form (Form::SetKeyboardCues); false where the form sets them itself.
    virtual bool RequestKeyboardCues() { return false; }
    // Tells screen readers that something about a control of the form changed.
    virtual void NotifyAccessible(Control&, AccessibleEvent) {}
};

// The window of an edit box (on Windows the system's own edit control),
// which holds the text while it exists.
class EditHost : public WindowHost {
  public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // The font, the colour or the case mode changed.
    virtual void SyncStyle() = 0;
    virtual void TakeFocus() = 0;
};

namespace backend {

std::unique_ptr<FormHost> CreateFormHost(Form& form);
// The window of a windowed container below a form, inside the window of its
// nearest windowed ancestor (which exists already).
std::unique_ptr<WindowHost> CreateChildHost(Container& control);

// The window of an edit box inside the window of its nearest windowed
// ancestor (which exists already).
std::unique_ptr<EditHost> CreateEditHost(Edit& edit);

// The message loop: dispatches until the application is terminated.
void RunMessageLoop(Application& application);
// Dispatches every waiting message and returns.
void ProcessPendingMessages(Application& application);
// Sleeps until a message is waiting (returns at once if one is).
void WaitForMessage();
// Wakes a waiting message loop after Terminate.
void PostQuit();

}  // namespace backend
}  // namespace ui
