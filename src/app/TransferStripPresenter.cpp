#include "app/TransferStripPresenter.h"

namespace
{
// How long the strip shows how a transfer ended.
constexpr int endMessageMs = 4000;
} // namespace

//==============================================================================
TransferStripPresenter::TransferStripPresenter (ZKEditorEngine::Ptr engineToUse,
                                                std::function<void()> visibilityChangedToUse)
    : engine (std::move (engineToUse))
    , visibilityChanged (std::move (visibilityChangedToUse))
    , bar (std::make_unique<TransferStatusBar>())
{
    bar->onCancel = [this] { engine->cancelTransfer(); };
}

TransferStripPresenter::~TransferStripPresenter() { stopTimer(); }

void TransferStripPresenter::transferProgressed()
{
    stopTimer();

    // The small writes of Live Edit come and go with every step of a knob: the strip keeps
    // saying that the slot is live rather than flicker.
    if (liveSlot >= 0 && engine->getTransferStatus().kind == ZKEditorEngine::TransferStatus::Kind::liveEdit)
        bar->showLive ((juce::uint8) liveSlot);

    setBarVisible (true);
}

void TransferStripPresenter::transferEnded()
{
    if (! engine->isTransferInProgress() && ! isTimerRunning())
        showIdle();
}

void TransferStripPresenter::setLiveSlot (int slot)
{
    liveSlot = slot;

    if (! engine->isTransferInProgress())
    {
        stopTimer();
        showIdle();
    }
}

void TransferStripPresenter::showEndMessage (const juce::String& message)
{
    bar->showMessage (message);
    setBarVisible (true);
    startTimer (endMessageMs);
}

void TransferStripPresenter::timerCallback()
{
    stopTimer();

    if (! engine->isTransferInProgress())
        showIdle();
}

void TransferStripPresenter::showIdle()
{
    if (liveSlot >= 0)
        bar->showLive ((juce::uint8) liveSlot);

    setBarVisible (liveSlot >= 0);
}

void TransferStripPresenter::setBarVisible (bool shouldBeVisible)
{
    if (bar->isVisible() == shouldBeVisible)
        return;

    bar->setVisible (shouldBeVisible);

    if (visibilityChanged != nullptr)
        visibilityChanged();
}
