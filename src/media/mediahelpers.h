// What the media commands share: whether this machine can make a sound at all
// (the user is told once per run when it cannot: the players stay usable,
// only silent), and handing a file to the system's program for its type.
#pragma once

#include "ui/context.h"

#include <functional>

namespace zorvik {

bool hasAudioOutput();
// Replaces the look at the machine's sound outputs (tests); an empty probe
// restores it.
void setAudioOutputProbe(std::function<bool()> probe);

// Before playing: without a sound output the user is told so, once per run.
void reportMissingAudioOnce(AppContext& ctx, QWidget* parent);

// Opens `path` with the system's program for its type (never as a program of
// its own); tells the user when nothing opened it.
bool openInSystem(AppContext& ctx, QWidget* parent, const QString& path);

} // namespace zorvik
