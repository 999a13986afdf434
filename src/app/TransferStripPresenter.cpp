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
    setBarVisible (true);
}

void TransferStripPresenter::transferEnded()
{
    if (! engine->isTransferInProgress() && ! isTimerRunning())
        setBarVisible (false);
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
        setBarVisible (false);
}

void TransferStripPresenter::setBarVisible (bool shouldBeVisible)
{
    if (bar->isVisible() == shouldBeVisible)
        return;

    bar->setVisible (shouldBeVisible);

    if (visibilityChanged != nullptr)
        visibilityChanged();
}
