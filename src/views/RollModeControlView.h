#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

/** The roll mode (note repeat): how it is switched, its time division, gate and swing. */
class RollModeControlView : public juce::Component
{
public:
    explicit RollModeControlView (ZKEditorEngine::Ptr engine);
    ~RollModeControlView() override;

    //==============================================================================
    /** "Swing" is shown 50 to this value, stored 0 to 24. */
    static constexpr int swingMaximum = 74;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<juce::Label> title;
    juce::OwnedArray<SingleParameterControllerNumberBox> numberBoxes;
    std::unique_ptr<SingleParameterControllerComboBox> timeDivisionBox;
    std::unique_ptr<SingleParameterControllerComboBox> functionBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RollModeControlView)
};
