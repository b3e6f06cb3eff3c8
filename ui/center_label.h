#pragma once

namespace ui {
class Control;
}

// Centres a label horizontally in its parent: its left edge becomes (parent
// width - label width) div 2, truncating toward zero; top and size stay. The
// label's current width counts, so set an auto-sized label's text first.
void CenterLabel(ui::Control& label);
