#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "util/format.h"

// Every message the installer shows goes through these. Each call shows one
// modal box and returns when the user has closed it.

// An information box with one OK button, captioned with the executable's name.
void ShowMessageText(const std::string& text);
// The same with a caption of its own.
void ShowMessageCaption(const std::string& caption, const std::string& text);
// ShowMessageText with a printf-style format filled in.
void ShowMessageFmt(const std::string& format, std::initializer_list<FormatArg> values);

// A box from Win32 message-box flags; returns the Win32 button id. The owner
// is accepted for the convention's sake and not used.
int MessageBoxTask(const void* owner, const std::string& text, const std::string& caption,
                   std::uint32_t flags);

// A box from a message-dialog type and button set; returns the modal result.
// The help context is carried for the convention; the installer passes 0.
int MessageDialogTask(const std::string& text, int dialogType, std::uint16_t buttons,
                      int helpContext);
