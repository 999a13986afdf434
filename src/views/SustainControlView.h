#pragma once

#include "views/ColumnControlView.h"

/** The sustain pedal: its channel, controller number and the values sent when it goes down and up.
    Its MIDI-to-DIN button belongs to the sustain bank. */
class SustainControlView : public ColumnControlView
{
public:
    explicit SustainControlView (ZKEditorEngine::Ptr engine);
};
