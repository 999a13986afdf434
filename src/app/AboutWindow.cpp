#include "app/AboutWindow.h"

AboutWindow::AboutWindow (juce::Image aboutImage)
    : juce::ResizableWindow (juce::String(), true)
{
    setContentOwned (new AboutComponent (aboutImage), true); // the window owns its content
    setUsingNativeTitleBar (false);
    setResizable (false, false);
    centreWithSize (getWidth(), getHeight());
    setAlwaysOnTop (false);
    setVisible (true);
}

AboutWindow::~AboutWindow() { clearContentComponent(); }

AboutComponent* AboutWindow::getAboutComponent() const { return dynamic_cast<AboutComponent*> (getContentComponent()); }
