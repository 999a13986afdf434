#pragma once

#include "views/BankView.h"
#include "views/RollModeControlView.h"

/** The roll mode on a single bank; the roll mode has no MIDI-to-DIN flag. */
class RollModeBank : public BankView
{
public:
    explicit RollModeBank (ZKEditorEngine::Ptr engine)
    {
        setUpBanks (viewsPerBank, std::make_unique<RollModeControlView> (engine));
    }

private:
    static constexpr int viewsPerBank = 1;
};
