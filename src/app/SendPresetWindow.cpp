#include "app/SendPresetWindow.h"

#include "app/ContentWindow.h"

SendPresetWindow::SendPresetWindow (ZKEditorEngine::Ptr engineToUse, bool sendWholePreset)
    : juce::ResizableWindow (sendWholePreset ? "Send Whole Preset To Hardware" : "Send Preset To Hardware", true)
    , engine (std::move (engineToUse))
    , sendWhole (sendWholePreset)
{
    ContentWindow::show (*this, new SendPresetComponent (this), false);
}

SendPresetWindow::~SendPresetWindow() { clearContentComponent(); }

//==============================================================================
void SendPresetWindow::buttonClicked (juce::Button* button)
{
    bool done = false;

    if (button->getName() == "Send" && confirmSend != nullptr)
    {
        const juce::Component::SafePointer<SendPresetWindow> self (this);
        const auto confirm = confirmSend; // a member of a dialog that may go during the question

        if (! confirm() || self == nullptr)
            return;
    }

    const auto slot = static_cast<juce::uint8> (getPresetComponent().getSelectedSlot() - 1);

    if (button->getName() == "Send" && sendWhole)
        done = engine->startSend (slot, engine->getPresetImage(),
                                  ZKEditorEngine::SendOptions{ engine->getVerifyAfterSend(), false, false })
               != 0;
    else if (button->getName() == "Send")
        done = engine->startSend (slot) != 0;
    else
        done = button->getName() == "Cancel";

    // When the send could not start, the engine has told the document window, which shows the
    // MIDI error notice; the dialog stays so that the user can try again.
    if (done)
        delete this; // nothing of this window is touched after this
}

SendPresetComponent& SendPresetWindow::getPresetComponent() const
{
    return *static_cast<SendPresetComponent*> (getContentComponent());
}
