#pragma once

#include "app/TransferStatusBar.h"

#include <functional>

/** Decides what a document window's transfer strip shows and when: every transfer while it runs,
    then the line that says how it ended for a few seconds, and nothing (the strip hidden) once no
    transfer is left. Owns the strip; the window places it and makes room for it. Owned by the
    window, so its timer never fires for a window that is gone. */
class TransferStripPresenter : private juce::Timer
{
public:
    /** "Cancel" cancels the engine's transfer; visibilityChanged is told each time the strip shows
        or hides, so that the window grows or shrinks by it. */
    TransferStripPresenter (ZKEditorEngine::Ptr engine, std::function<void()> visibilityChanged);
    ~TransferStripPresenter() override;

    TransferStatusBar& getBar() const noexcept { return *bar; }

    /** The caller has put the transfer's state into the bar. */
    void transferProgressed();

    void transferEnded();

    /** For a few seconds. */
    void showEndMessage (const juce::String& message);

    /** While a slot (0 to 23) is written live, the strip says so whenever it has nothing else to
        show, and its own writes show as that line too; -1 when Live Edit ended. */
    void setLiveSlot (int slot);

private:
    void timerCallback() override;
    void setBarVisible (bool shouldBeVisible);

    /** The live line, or the strip hidden, once no transfer and no end message shows. */
    void showIdle();

    ZKEditorEngine::Ptr engine;
    std::function<void()> visibilityChanged;
    std::unique_ptr<TransferStatusBar> bar;
    int liveSlot = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransferStripPresenter)
};
