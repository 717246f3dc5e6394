#pragma once
// The balloons that follow a switch decision, worded from the string table.
#include <windows.h>

#include <cstddef>
#include <string>

#include "configuration/CIme.h"
#include "configuration/CNotify.h"
#include "engine/Balloon.h"
#include "target/TargetWindowInfo.h"

namespace Engine {

// The facts about `target` that the notification settings ask for, one line each
// in a fixed order, without a line break after the last, in at most `limit`
// characters: long paths, names and titles are shortened so that every line
// shows. `is64BitSystem` picks the architecture label.
std::wstring NotificationDetails(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                                 const TargetWindowInfo& target, std::size_t limit);

// The IME of `slot` was selected: its name in the title, the details as text,
// each within what the shell shows.
void NotifySwitch(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                  const TargetWindowInfo& target, const Configuration::CIme& slot, const BalloonSink& balloons);

// The system refused some of the key events (a window of higher integrity, for
// one): the user is told instead of being shown a switch that did not happen.
void NotifyKeysNotSent(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                       const TargetWindowInfo& target, const BalloonSink& balloons);

// The send type has no sending method; shown whatever the notification settings say.
void NotifyNoSendMethod(HINSTANCE instance, const BalloonSink& balloons);

} // namespace Engine
