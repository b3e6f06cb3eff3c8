#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace ui {

class Form;

// The GUI application: COM for the GUI thread, the title, the main form and
// the message loop. One exists per process, owned by the start-up code and
// passed to whoever needs it.
class Application {
  public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Initialises COM for this thread as a single-threaded apartment; it is
    // released when the application goes away.
    void Initialize();
    bool initialized() const { return com_.has_value(); }

    // The main form owns the taskbar button; the hidden application window
    // then has no caption and no button.
    void SetMainFormOnTaskBar(bool value) { mainFormOnTaskBar_ = value; }
    bool mainFormOnTaskBar() const { return mainFormOnTaskBar_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& title() const { return title_; }

    // The form whose closing ends the message loop.
    void SetMainForm(Form& form);
    Form* mainForm() const { return mainForm_; }

    // Shows the main form and dispatches messages until Terminate.
    void Run();
    void Terminate();
    bool terminated() const { return terminated_; }
    // Dispatches every waiting message, then returns.
    void ProcessMessages();
    // A wait that keeps the windows alive: while `done` answers false, it
    // dispatches what is waiting, asks again, and otherwise sleeps until the
    // next message arrives, so a long wait costs no processor time. Nothing
    // is dispatched when `done` holds at once. It also ends once the
    // application is terminated, since no message would come any more.
    void ProcessMessagesUntil(const std::function<bool()>& done);
    // A quit message was taken from the queue (backends call this): the loop
    // ends as after Terminate, without posting another one.
    void QuitReceived() { terminated_ = true; }

    // Shows an error that escaped an event handler, captioned with the title.
    void ShowException(const std::exception& error);

  private:
    std::optional<platform::ComApartment> com_;
    bool mainFormOnTaskBar_ = false;
    std::string title_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
};

// The application of this process, while one exists (event dispatch in the
// backends reports escaped exceptions through it).
Application* CurrentApplication();

}  // namespace ui
