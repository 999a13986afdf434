#include "app/GetPresetWindow.h"

GetPresetWindow::GetPresetWindow (ZKEditorEngine::Ptr engineToUse)
    : juce::ResizableWindow ("Get Preset From Hardware", true)
    , engine (std::move (engineToUse))
{
    // The native title bar first: the window then fits the content without a border of its own.
    setUsingNativeTitleBar (true);
    setResizable (false, false);
    setContentOwned (new GetPresetComponent (this), true); // the window owns its content
    centreWithSize (getContentComponent()->getWidth(), getContentComponent()->getHeight());
    setAlwaysOnTop (false);
    setVisible (true);
}

GetPresetWindow::~GetPresetWindow() { clearContentComponent(); }

//==============================================================================
void GetPresetWindow::buttonClicked (juce::Button* button)
{
    if (button->getName() == "Get")
        engine->startGet (static_cast<juce::uint8> (getPresetComponent().getSelectedSlot() - 1));

    // The button belongs to this window: nothing of either is touched after this.
    delete this;
}

GetPresetComponent& GetPresetWindow::getPresetComponent() const
{
    return *static_cast<GetPresetComponent*> (getContentComponent());
}
