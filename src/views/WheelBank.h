#pragma once

#include "views/BankView.h"
#include "views/ModWheelView.h"
#include "views/PitchWheelView.h"

/** The mod and pitch wheels on one bank; each wheel view has its own MIDI-to-DIN button. */
class WheelBank : public BankView
{
public:
    explicit WheelBank (ZKEditorEngine::Ptr engine)
    {
        // Made one after the other, in the order in which they stand.
        auto modWheel = std::make_unique<ModWheelView> (engine);
        setUpBanks (viewsPerBank, std::move (modWheel), std::make_unique<PitchWheelView> (engine));
    }

private:
    static constexpr int viewsPerBank = 2;
};
