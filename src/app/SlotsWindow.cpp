#include "app/SlotsWindow.h"

#include "app/ContentWindow.h"

SlotsWindow::SlotsWindow (ZKEditorEngine::Ptr engine, juce::PropertySet& settings)
    : juce::DocumentWindow ("Slots", juce::Colour (0xff16181b), juce::DocumentWindow::closeButton)
{
    setResizeLimits (820, 480, 2000, 1400);
    ContentWindow::show (*this, new SlotsComponent (engine, settings), true);
}

SlotsComponent& SlotsWindow::getSlotsComponent() const { return *static_cast<SlotsComponent*> (getContentComponent()); }

void SlotsWindow::closeButtonPressed()
{
    // The job under way stops with the window, as its Cancel stops it. A swap stopped between its
    // writes leaves one slot's old preset in a file alone: the user is told where, after the window.
    auto& jobs = getSlotsComponent().getJobs();

    if (jobs.isBusy())
    {
        jobs.cancel();

        if (jobs.getSlotOfPresetNoSlotHolds() >= 0)
            juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, getClosedTitle(),
                                                    jobs.getSummary(), "OK");
    }

    delete this;
}
