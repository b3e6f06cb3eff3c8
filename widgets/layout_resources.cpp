#include "widgets/layout_resources.h"

#include "platform/platform.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "util/errors.h"
#include "util/inflate_buffer.h"
#include "util/path_helpers.h"
#include "widgets/widget_kinds.h"

ui::Layout LoadLayoutResource(const std::string& formName) {
    const std::string name = "LAYOUT_" + UpperAscii(formName);
    const auto text = platform::FindRcData(name);
    if (!text) {
        throw EResNotFound(name);
    }
    return ui::ParseLayout(InflateBuffer(text->data(), text->size(), 0));
}

const ui::ComponentKinds& InstallerComponentKinds() {
    static const ui::ComponentKinds kinds = [] {
        ui::ComponentKinds all;
        ui::AddLabelKind(all);
        ui::AddImageKind(all);
        ui::AddEditKind(all);
        ui::AddPageControlKinds(all);
        widgets::AddWidgetKinds(all);
        return all;
    }();
    return kinds;
}
