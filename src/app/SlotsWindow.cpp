#include "app/SlotsWindow.h"

SlotsWindow::SlotsWindow (ZKEditorEngine::Ptr engine, juce::PropertySet& settings)
    : juce::DocumentWindow ("Slots", juce::Colour (0xff16181b), juce::DocumentWindow::closeButton)
{
    setUsingNativeTitleBar (true);
    setContentOwned (new SlotsComponent (engine, settings), true);
    setResizable (true, false);
    setResizeLimits (820, 480, 2000, 1400);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

SlotsWindow::~SlotsWindow() = default;

SlotsComponent& SlotsWindow::getSlotsComponent() const { return *static_cast<SlotsComponent*> (getContentComponent()); }

void SlotsWindow::closeButtonPressed()
{
    // The job under way stops with the window, as its Cancel stops it.
    delete this;
}
