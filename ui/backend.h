#pragma once

// What each GUI backend (ui/win32, ui/headless) provides to the portable
// toolkit. Only the toolkit includes this header.

#include <memory>
#include <string>

#include "ui/window_host.h"

namespace ui {

class Application;
class Container;
class Form;

// A top-level window's host, with what only forms have.
class FormHost : public WindowHost {
  public:
    virtual void SyncCaption() = 0;
    // Asks the window system to close the window (as its close box would).
    virtual void RequestClose() = 0;
};

namespace backend {

std::unique_ptr<FormHost> CreateFormHost(Form& form);
// The window of a windowed container below a form, inside the window of its
// nearest windowed ancestor (which exists already).
std::unique_ptr<WindowHost> CreateChildHost(Container& control);

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
