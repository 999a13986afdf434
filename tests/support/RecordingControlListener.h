#pragma once

#include "model/Control.h"

#include <functional>
#include <vector>

/** Records every notification of the controls it listens to, in the order of arrival. An optional
    callback runs inside each notification, for tests that act while the listeners are walked. */
class RecordingControlListener : public Control::Listener
{
public:
    struct Call
    {
        juce::String name;
        int value;
    };

    void controlValueChanged (juce::String parameterName, juce::uint8 value) override
    {
        calls.push_back ({ parameterName, (int) value });

        if (onCall != nullptr)
            onCall (parameterName, value);
    }

    juce::StringArray getNames() const
    {
        juce::StringArray names;

        for (const auto& call : calls)
            names.add (call.name);

        return names;
    }

    int getNumCalls() const { return (int) calls.size(); }

    std::vector<Call> calls;
    std::function<void (const juce::String&, juce::uint8)> onCall;
};

/** Bytes as ints, so that failed comparisons print numbers rather than characters. */
inline std::vector<int> toInts (const juce::Array<juce::uint8>& bytes)
{
    return std::vector<int> (bytes.begin(), bytes.end());
}
