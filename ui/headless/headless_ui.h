#pragma once

// Test-side control of the headless GUI backend: render a form into pixels,
// feed it mouse input, queue the events the message loop runs, and answer
// message boxes from a script.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <optional>

#include "ui/edit.h"
#include "ui/folder_browser.h"
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
// The middle of a control, in its form's client coordinates (for Click).
Point CentreOf(Control& control);

// The user replaces an edit box's text by typing or pasting; the box's case
// mode applies as it does to anything typed.
void TypeInto(Edit& edit, const std::string& text);

// The form of that name whose window exists, or nothing; lets a scripted
// event reach a window that the code under test makes for itself.
Form* FindForm(const std::string& name);

// The screen-reader events the forms raised (the control's name and the
// event), oldest first; tests clear it as they like.
struct AccessibleEventRecord {
    std::string control;
    AccessibleEvent event;
    bool operator==(const AccessibleEventRecord&) const = default;
};
std::vector<AccessibleEventRecord>& AccessibleEvents();

// Whether the desktop's visual styles count as on (ui/theme.h); on at first.
void SetVisualStyles(bool active);
// The pixels per inch of the screen that forms made from now on open on
// (96 unless set).
void SetScreenDpi(int dpi);

// How often the window system was asked to paint a window (a form or a
// windowed container such as a panel) at once.
int SynchronousPaints(Control& window);

// Events for the message loop, run in order by Run and ProcessMessages.
// An exception from an event is shown by the application and the loop goes
// on. A loop whose queue runs dry returns, so a test never hangs.
void Post(std::function<void()> event);
void ClearPosted();

// The scripted message pump. While a script exists, every pass that
// dispatches waiting messages (Application::ProcessMessages, also inside a
// wait) is one pump, numbered from 1 in the order they start; the events
// given for a pump are posted as it starts, so they run in it, or in a pump
// nested inside their own handlers. A blocking wait returns at once while
// an event is queued or a later pump has one; a wait for which nothing is
// left to come throws NothingToWaitFor, so a test never hangs.
class PumpScript {
  public:
    PumpScript();
    ~PumpScript();
    PumpScript(const PumpScript&) = delete;
    PumpScript& operator=(const PumpScript&) = delete;

    void At(int pump, std::function<void()> event);
    // Pumps started so far.
    int pumps() const { return pumps_; }

    // Backend side: a pump starts; is anything left for a later one?
    void StartPump();
    bool HasLaterEvents() const;

  private:
    std::multimap<int, std::function<void()>> events_;
    int pumps_ = 0;
    PumpScript* previous_;
};

// Thrown by a wait that would never end; no std::exception, so the
// toolkit's own handlers let it through to the test.
struct NothingToWaitFor {};

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

// Answers the folder browsers shown while it exists, in order: a folder the
// user chose, or nothing for Cancel; a browser beyond the script is
// cancelled. Every request is recorded.
class FolderScript {
  public:
    explicit FolderScript(std::vector<std::optional<std::string>> answers = {});
    ~FolderScript();
    FolderScript(const FolderScript&) = delete;
    FolderScript& operator=(const FolderScript&) = delete;

    const std::vector<FolderBrowseRequest>& shown() const { return shown_; }
    std::optional<std::string> Answer(const FolderBrowseRequest& request);

  private:
    std::deque<std::optional<std::string>> answers_;
    std::vector<FolderBrowseRequest> shown_;
    FolderScript* previous_;
};

}  // namespace ui::headless
