#include "app/GetPresetWindow.h"

#include "app/ContentWindow.h"

GetPresetWindow::GetPresetWindow (ZKEditorEngine::Ptr engineToUse)
    : juce::ResizableWindow ("Get Preset From Hardware", true)
    , engine (std::move (engineToUse))
{
    ContentWindow::show (*this, new GetPresetComponent (this), false);
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
