#include "app/MidiMonitorCommand.h"

#include "app/WindowManager.h"

MidiMonitorCommand::MidiMonitorCommand (MidiManager& managerToUse, std::function<WindowManager*()> windowManagerGetter,
                                        int numKeysToUse)
    : manager (managerToUse)
    , getWindowManager (std::move (windowManagerGetter))
    , numKeys (numKeysToUse)
{
}

// The window's describer calls back into this object: the window goes first.
MidiMonitorCommand::~MidiMonitorCommand() { close(); }

void MidiMonitorCommand::show()
{
    if (window != nullptr)
    {
        window->toFront (true);
        return;
    }

    window = new MidiMonitorWindow (manager); // deletes itself when closed
    window->getMonitor().setDescriber ([this] (const juce::MidiMessage& message) { return describe (message); });
}

void MidiMonitorCommand::close() { delete window.get(); }

juce::String MidiMonitorCommand::describe (const juce::MidiMessage& message)
{
    const auto now = juce::Time::getMillisecondCounter();

    if (! frontPresetRead || now - frontPresetReadAt >= presetRefreshMs)
    {
        frontPresetRead = true;
        frontPresetReadAt = now;
        auto* windows = getWindowManager != nullptr ? getWindowManager() : nullptr;
        auto* front = windows != nullptr ? windows->getFrontWindow() : nullptr;
        const auto image = front != nullptr ? front->getEngine()->getPresetImage() : juce::Array<juce::uint8>();

        if (image.isEmpty())
            frontPreset.reset();
        else if (frontPreset == nullptr || image != frontImage)
            frontPreset = std::make_unique<PresetMessages> (image, numKeys);

        frontImage = image;
    }

    return frontPreset != nullptr ? frontPreset->describe (message) : MidiMonitorComponent::describePlainly (message);
}
