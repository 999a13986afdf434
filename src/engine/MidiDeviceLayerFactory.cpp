#include "engine/MidiDeviceLayerFactory.h"

#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/SystemMidiDeviceLayer.h"
#include "engine/VirtualController.h"

namespace
{
const char* const virtualControllerInMemory = "1";
} // namespace

juce::File getVirtualControllerSlotFile (const juce::String& virtualControllerSetting)
{
    const auto setting = virtualControllerSetting.trim();

    if (setting.isEmpty() || setting == virtualControllerInMemory)
        return {};

    return juce::File::getCurrentWorkingDirectory().getChildFile (setting);
}

std::unique_ptr<MidiDeviceLayer> createMidiDeviceLayer (const juce::String& virtualControllerSetting)
{
    const auto setting = virtualControllerSetting.trim();

    if (setting.isEmpty())
        return std::make_unique<SystemMidiDeviceLayer>();

    auto composite = std::make_unique<CompositeMidiDeviceLayer>();
    composite->addLayer (std::make_unique<SystemMidiDeviceLayer>());

    if (setting == virtualControllerInMemory)
        composite->addLayer (std::make_unique<VirtualController>());
    else
        composite->addLayer (std::make_unique<VirtualController> (getVirtualControllerSlotFile (setting)));

    return composite;
}

VirtualController* findVirtualController (MidiDeviceLayer& layer)
{
    if (auto* controller = dynamic_cast<VirtualController*> (&layer))
        return controller;

    if (auto* composite = dynamic_cast<CompositeMidiDeviceLayer*> (&layer))
        for (int i = 0; i < composite->getNumLayers(); ++i)
            if (auto* controller = findVirtualController (*composite->getLayer (i)))
                return controller;

    return nullptr;
}
