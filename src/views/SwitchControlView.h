#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/DoubleParamterControllerNumberBox.h"
#include "widgets/GenericControlView.h"

/** One switch: its mode and the settings of that mode. */
class SwitchControlView : public GenericControlView
{
public:
    SwitchControlView (ZKEditorEngine::Ptr engine, juce::uint8 switchIndex);
    ~SwitchControlView() override;

    //==============================================================================
    void createControlGroups() override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    juce::OwnedArray<DoubleParamterControllerNumberBox> numberBoxes;
    std::unique_ptr<DoubleParameterControllerComboBox> modeBox;
    juce::uint8 index;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SwitchControlView)
};
