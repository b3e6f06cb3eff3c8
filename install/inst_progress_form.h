#pragma once

#include <cstdint>
#include <string>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/layout.h"

namespace ui {
class Application;
}
namespace widgets {
class GradientButton;
class GradientPanel;
class LevelProgressBar;
}  // namespace widgets

// The window an installation run shows while it writes the payload: stage,
// product name, file, file count, bytes done and a bar, with Pause/Resume
// and Cancel, and at the end an OK button it waits for. It does no work of
// its own; the run drives it and polls Cancelled after every file. Clicks
// and close attempts are handled inside the message pumps of SetBytesDone,
// the pause and the final wait, nested on the run's own stack.
class TInstProgressForm : public ui::Form {
  public:
    explicit TInstProgressForm(ui::Application& application);

    // Operations of the run, in the order it calls them.
    void SetProgramName(const std::string& text);
    void SetStage(const std::string& text);
    void SetTotalBytes(std::uint32_t total);
    void SetCurrentFile(const std::string& path);
    void SetBytesDone(std::uint32_t done);
    // Hides Pause, turns Cancel into OK and, unless the run was cancelled,
    // waits for OK or a close attempt. The stage reads "Installation
    // Successful." after a run that wrote every file, else that the run
    // failed. Cancelled has its earlier value again on return.
    void FinishProgress(bool succeeded = true);

    bool Paused() const { return Paused_; }
    bool Cancelled() const { return Cancelled_; }

    // Event handlers, bound by name from the layout.
    // The file count right-aligned, after the first file.
    void PlaceFileCount();
    // What the window places itself, placed again at its dpi.
    void PlaceAtDpi();
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void btnCancelClick();
    void btnPauseClick();
    void AltPauseClick();

  private:
    ui::HandlerTable Handlers();
    void BindComponents();
    void SetPaused(bool value);
    void SetCancelled(bool value);
    void ShowStatus(std::uint32_t done);

    ui::Application& application_;
    bool Paused_ = false;
    bool Cancelled_ = false;
    std::uint32_t TotalBytes_ = 0;
    // Wider than the byte count, so that -1 (nothing shown yet) is never a
    // count.
    std::int64_t LastShownBytes_ = -1;
    int FileCount_ = 0;

    widgets::GradientPanel* GradPanel1_ = nullptr;
    widgets::GradientButton* btnPause_ = nullptr;
    widgets::GradientButton* btnCancel_ = nullptr;
    widgets::LevelProgressBar* pbar_ = nullptr;
    ui::Label* lbStage_ = nullptr;
    ui::Label* lbProgramName_ = nullptr;
    ui::Label* lbFileName_ = nullptr;
    ui::Label* lbStatus_ = nullptr;
    ui::Label* lbFiles_ = nullptr;
};
