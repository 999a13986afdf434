#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/DoubleParamterControllerNumberBox.h"
#include "widgets/GenericControlView.h"

/** One knob: its mode and the settings of that mode. */
class KnobControlView : public GenericControlView
{
public:
    KnobControlView (ZKEditorEngine::Ptr engine, juce::uint8 knobIndex);
    ~KnobControlView() override;

    //==============================================================================
    void createControlGroups() override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    juce::OwnedArray<DoubleParamterControllerNumberBox> numberBoxes;
    std::unique_ptr<DoubleParameterControllerComboBox> modeBox;
    juce::uint8 index;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KnobControlView)
};
