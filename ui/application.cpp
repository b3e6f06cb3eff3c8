#include "ui/application.h"

#include "ui/backend.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace ui {

namespace {
Application* current = nullptr;
}

Application::Application() {
    current = this;
}

Application::~Application() {
    if (current == this) {
        current = nullptr;
    }
}

Application* CurrentApplication() {
    return current;
}

void Application::Initialize() {
    if (!com_) {
        com_.emplace();
    }
}

void Application::SetMainForm(Form& form) {
    mainForm_ = &form;
    form.SetOwnsTaskbarButton(mainFormOnTaskBar_);
    auto previous = form.onClosed;
    form.onClosed = [this, previous] {
        if (previous) {
            previous();
        }
        Terminate();
    };
}

void Application::Run() {
    if (mainForm_ != nullptr && !terminated_) {
        mainForm_->ShowBeforeHiddenHandles();
    }
    backend::RunMessageLoop(*this);
}

void Application::Terminate() {
    if (terminated_) {
        return;
    }
    terminated_ = true;
    backend::PostQuit();
}

void Application::ProcessMessages() {
    backend::ProcessPendingMessages(*this);
}

void Application::ProcessMessagesUntil(const std::function<bool()>& done) {
    while (!done() && !terminated_) {
        ProcessMessages();
        if (done() || terminated_) {
            return;
        }
        backend::WaitForMessage();
    }
}

void Application::ShowException(const std::exception& error) {
    MessageBoxSpec box;
    box.caption = title_;
    box.text = error.what();
    box.icon = BoxIcon::Error;
    box.standardButtons = kButtonOk;
    ShowMessageBox(box);
}

}  // namespace ui
