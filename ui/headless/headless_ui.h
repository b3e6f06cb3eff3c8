#pragma once

// Test-side control of the headless GUI backend: render a form into pixels,
// feed it mouse input, queue the events the message loop runs, and answer
// message boxes from a script.

#include <deque>
#include <functional>
#include <vector>

#include "ui/form.h"
#include "ui/headless/pixel_canvas.h"
#include "ui/message_box.h"

namespace ui::headless {

// The whole form, every descendant included, drawn into a buffer of its size.
PixelBuffer Render(Form& form);

// Mouse input in the form's client coordinates, delivered to the window
// (form or panel) under the point, or to the one holding the capture.
void MouseMove(Form& form, Point at);
void MouseDown(Form& form, Point at, MouseButton button = MouseButton::Left);
void MouseUp(Form& form, Point at, MouseButton button = MouseButton::Left);
void MouseLeave(Form& form);
// Press and release at one point, with the move that precedes them.
void Click(Form& form, Point at);

// How often the window system was asked to paint a window (a form or a
// windowed container such as a panel) at once.
int SynchronousPaints(Control& window);

// Events for the message loop, run in order by Run and ProcessMessages.
// An exception from an event is shown by the application and the loop goes
// on. A loop whose queue runs dry returns, so a test never hangs.
void Post(std::function<void()> event);
void ClearPosted();

// Answers the message boxes shown while it exists, in order; a box beyond
// the script gets its default button (or 1). Every box is recorded.
class BoxScript {
  public:
    explicit BoxScript(std::vector<int> answers = {});
    ~BoxScript();
    BoxScript(const BoxScript&) = delete;
    BoxScript& operator=(const BoxScript&) = delete;

    void Add(int answer) { answers_.push_back(answer); }
    // Runs when the box is shown, before it is answered (e.g. to look at
    // windows behind it).
    void OnShow(std::function<void(const MessageBoxSpec&)> hook) { hook_ = std::move(hook); }
    const std::vector<MessageBoxSpec>& shown() const { return shown_; }
    int Answer(const MessageBoxSpec& spec);

  private:
    std::deque<int> answers_;
    std::vector<MessageBoxSpec> shown_;
    std::function<void(const MessageBoxSpec&)> hook_;
    BoxScript* previous_;
};

}  // namespace ui::headless
