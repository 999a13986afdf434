#pragma once

#include "views/ColumnControlView.h"

/** The modulation wheel: its channel, controller number, range and MIDI-to-DIN flag. */
class ModWheelView : public ColumnControlView
{
public:
    explicit ModWheelView (ZKEditorEngine::Ptr engine);
};
