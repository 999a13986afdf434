#include "views/AssignableBank.h"

#include "views/AssignableControlView.h"

//==============================================================================
AssignableBank::AssignableBank (ZKEditorEngine::Ptr engine, int controlType, int numControls)
{
    const auto& kind = AssignableControlKind::of (controlType);
    const auto count = juce::jmin (numControls, engine->getControls (controlType).size());
    juce::OwnedArray<juce::Component> controlViews;

    for (int index = 0; index < count; ++index)
        controlViews.add (std::make_unique<AssignableControlView> (engine, controlType, (juce::uint8) index));

    setUpBanks (controlViews, kind.viewsPerBank);
    addDinButton (engine, kind.dinFlagName, kind.dinButtonPosition);
}
