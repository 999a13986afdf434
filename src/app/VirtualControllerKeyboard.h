#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The keyboard strip of the virtual controller's panel: its keys from a C on the left, each a
    component named "Key 1" to "Key n" from the left, played by clicking. */
class VirtualControllerKeyboard : public juce::Component
{
public:
    explicit VirtualControllerKeyboard (int numKeys);
    ~VirtualControllerKeyboard() override;

    /** Called with the key, 0 to numKeys - 1 from the left, when it goes down and when it comes up. */
    std::function<void (int key, bool down)> onKey;

    int getNumKeys() const noexcept { return keys.size(); }

    /** Lets go of every key that is down, as the mouse would. */
    void releaseAll();

    //==============================================================================
    void resized() override;

private:
    class Key;

    juce::OwnedArray<Key> keys;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerKeyboard)
};
