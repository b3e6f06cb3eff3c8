#include "install/inst_progress_form.h"

#include "ui/application.h"
#include "ui/center_label.h"
#include "util/format.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/layout_resources.h"
#include "widgets/level_progress_bar.h"

TInstProgressForm::TInstProgressForm(ui::Application& application)
    : ui::Form("InstProgressForm"), application_(application) {
    onCloseQuery = [this] { return FormCloseQuery(); };
    ui::ApplyLayout(*this, LoadLayoutResource(name()), InstallerComponentKinds(), Handlers());
}

ui::HandlerTable TInstProgressForm::Handlers() {
    return {
        // The creation handler runs once the layout is built: the components
        // can be found then.
        {"FormCreate",
         [this] {
             BindComponents();
             FormCreate();
         }},
        {"FormShow", [this] { FormShow(); }},
        {"btnCancelClick", [this] { btnCancelClick(); }},
        {"btnPauseClick", [this] { btnPauseClick(); }},
    };
}

void TInstProgressForm::BindComponents() {
    GradPanel1_ = ui::Component<widgets::GradientPanel>(*this, "GradPanel1");
    btnPause_ = ui::Component<widgets::GradientButton>(*this, "btnPause");
    btnCancel_ = ui::Component<widgets::GradientButton>(*this, "btnCancel");
    pbar_ = ui::Component<widgets::LevelProgressBar>(*this, "pbar");
    lbStage_ = ui::Component<ui::Label>(*this, "lbStage");
    lbProgramName_ = ui::Component<ui::Label>(*this, "lbProgramName");
    lbFileName_ = ui::Component<ui::Label>(*this, "lbFileName");
    lbStatus_ = ui::Component<ui::Label>(*this, "lbStatus");
    lbFiles_ = ui::Component<ui::Label>(*this, "lbFiles");
}

void TInstProgressForm::SetProgramName(const std::string& text) {
    lbProgramName_->SetCaption(text);
    CenterLabel(*lbProgramName_);
}

void TInstProgressForm::SetStage(const std::string& text) {
    lbStage_->SetCaption(text);
}

void TInstProgressForm::SetTotalBytes(std::uint32_t total) {
    TotalBytes_ = total;
    pbar_->SetMax(static_cast<int>(total));
    // The status and file name are set before they appear, so that neither
    // the show handler's '0 of 0 bytes' nor the design's file name flashes
    // up before the first file.
    ShowStatus(0);
    lbFileName_->SetCaption("");
    pbar_->Show();
    lbFileName_->Show();
    lbStatus_->Show();
    SetBytesDone(0);
    FileCount_ = 0;
    pbar_->Repaint();
}

void TInstProgressForm::SetCurrentFile(const std::string& path) {
    lbFileName_->SetCaption(path);
    ++FileCount_;
    lbFiles_->SetCaption(Format("Files: %d", {FileCount_}));
    PlaceFileCount();
}

void TInstProgressForm::PlaceFileCount() {
    lbFiles_->SetLeft(GradPanel1_->width() - lbFiles_->width() -
                      ui::MeasureText(lbFiles_->font(), "##").width);
}

void TInstProgressForm::PlaceAtDpi() {
    CenterLabel(*lbProgramName_);
    CenterLabel(*lbStatus_);
    if (FileCount_ > 0) {
        PlaceFileCount();
    }
    if (!btnPause_->visible()) {
        CenterLabel(*btnCancel_);  // OK, alone at the end
    }
}

void TInstProgressForm::ShowStatus(std::uint32_t done) {
    lbStatus_->SetCaption(Format("%.0n of %.0n bytes",
                                 {static_cast<double>(done), static_cast<double>(TotalBytes_)}));
    CenterLabel(*lbStatus_);
}

void TInstProgressForm::SetBytesDone(std::uint32_t done) {
    pbar_->SetPosition(static_cast<int>(done));
    if (done != LastShownBytes_) {
        ShowStatus(done);
        application_.ProcessMessages();
    }
    LastShownBytes_ = done;
}

void TInstProgressForm::FinishProgress(bool succeeded) {
    const bool wasCancelled = Cancelled_;
    btnPause_->Hide();
    btnCancel_->SetCaption("OK");
    btnCancel_->SetAccessKey('O');
    btnCancel_->SetDefault(true);  // the only button: Return and Escape both press it
    CenterLabel(*btnCancel_);
    lbStage_->SetCaption(succeeded ? "Installation Successful." : "Installation failed.");
    lbFileName_->Hide();
    application_.ProcessMessagesUntil([this] { return Cancelled_; });
    SetCancelled(wasCancelled);
}

void TInstProgressForm::SetPaused(bool value) {
    Paused_ = value;
    btnPause_->SetCaption(value ? "Resume" : "Pause");
    btnPause_->SetAccessKey(value ? 'R' : 'P');
}

void TInstProgressForm::SetCancelled(bool value) {
    SetPaused(false);
    Cancelled_ = value;
}

void TInstProgressForm::FormCreate() {
    SetPaused(false);
    LastShownBytes_ = -1;
    onDpiChanged = [this] { PlaceAtDpi(); };
}

void TInstProgressForm::FormShow() {
    SetCancelled(false);
    SetBytesDone(0);
    pbar_->Hide();
    lbFileName_->Hide();
    lbStatus_->Hide();
    // The pump above painted them; nothing pumps while the run loads its
    // items, so the panel is painted again now, without them.
    GradPanel1_->Repaint();
}

bool TInstProgressForm::FormCloseQuery() {
    // The first attempt stops the run (or acknowledges its end); only one
    // that comes after that may close, and closing only hides the window.
    const bool canClose = Cancelled_;
    SetCancelled(true);
    return canClose;
}

void TInstProgressForm::btnCancelClick() {
    SetCancelled(true);
}

void TInstProgressForm::btnPauseClick() {
    // The next click on the same button resumes. The run stays held inside
    // this handler (and the SetBytesDone pump that called it) until then.
    btnPause_->onClick = [this] { AltPauseClick(); };
    SetPaused(true);
    application_.ProcessMessagesUntil([this] { return !Paused_ || Cancelled_; });
}

void TInstProgressForm::AltPauseClick() {
    SetPaused(false);
    btnPause_->onClick = [this] { btnPauseClick(); };
}
