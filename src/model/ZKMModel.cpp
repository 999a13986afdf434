#include "model/ZKMModel.h"

#include "BinaryData.h"

const char* const ZKMModel::filePattern = "*.zkp";
const char* const ZKMModel::modelName = "ZKM";

juce::Array<juce::uint8> ZKMModel::getDefaultPresetDump()
{
    return juce::Array<juce::uint8> (reinterpret_cast<const juce::uint8*> (BinaryData::ZKM_DefaultPreset_zkp),
                                     BinaryData::ZKM_DefaultPreset_zkpSize);
}
