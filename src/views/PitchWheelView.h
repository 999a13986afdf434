#pragma once

#include "views/ColumnControlView.h"

/** The pitch wheel: its channel and its MIDI-to-DIN flag. */
class PitchWheelView : public ColumnControlView
{
public:
    explicit PitchWheelView (ZKEditorEngine::Ptr engine);
};
