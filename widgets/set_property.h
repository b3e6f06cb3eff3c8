#pragma once

namespace widgets {

// Stores a property's new value and says whether it changed, so that a
// setter can return early (no repaint, no rebuild) when given the value it
// already has.
template <typename T>
bool StoreIfChanged(T& field, const T& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

}  // namespace widgets
