#pragma once

#include "views/ColumnControlView.h"

/** The roll mode (note repeat): how it is switched, its time division, gate and swing. */
class RollModeControlView : public ColumnControlView
{
public:
    explicit RollModeControlView (ZKEditorEngine::Ptr engine);

    //==============================================================================
    /** "Swing" is shown 50 to this value, stored 0 to 24. */
    static constexpr int swingMaximum = 74;
};
