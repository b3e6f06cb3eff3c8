#include "ui/center_label.h"

#include "ui/control.h"

void CenterLabel(ui::Control& label) {
    if (label.parent() == nullptr) {
        return;
    }
    label.SetLeft((label.parent()->width() - label.width()) / 2);
}
