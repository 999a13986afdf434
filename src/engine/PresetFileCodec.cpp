#include "engine/PresetFileCodec.h"

#include "engine/ZKSysEx.h"
#include "model/ZKMModel.h"

#include <iterator>

PresetFileCodec::PresetFileCodec (juce::uint8 deviceIdToUse, int imageLengthToUse)
    : deviceId (deviceIdToUse)
    , imageLength (imageLengthToUse)
{
}

PresetFileCodec PresetFileCodec::forZKM() { return { ZKMModel::deviceId, ZKMModel::imageLength }; }

int PresetFileCodec::getDumpLength() const noexcept { return imageLength + ZKSysEx::dumpFrameLength; }

//==============================================================================
juce::Array<juce::uint8> PresetFileCodec::createDump (juce::uint8 slot, const juce::Array<juce::uint8>& image) const
{
    auto dump = ZKSysEx::createHead (deviceId, ZKSysEx::presetDumpCommand, ZKSysEx::presetDumpTail);
    dump.add (slot);
    dump.addArray (image);
    dump.add (ZKSysEx::endOfExclusive);
    return dump;
}

juce::Array<juce::uint8> PresetFileCodec::getImageOfDump (const juce::Array<juce::uint8>& dump)
{
    juce::Array<juce::uint8> image (dump);
    image.removeRange (0, ZKSysEx::dumpImageOffset);

    if (! image.isEmpty())
        image.removeLast();

    return image;
}

juce::Array<juce::uint8> PresetFileCodec::readPresetFileImage (const juce::File& file) const
{
    const auto dumpLength = getDumpLength();

    // The size decides before anything is read, so a large file is never loaded into memory.
    if (! file.existsAsFile() || file.getSize() != dumpLength)
        return {};

    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        return {};

    juce::Array<juce::uint8> data;
    data.insertMultiple (0, 0, dumpLength);

    if (stream.read (data.getRawDataPointer(), dumpLength) != dumpLength)
        return {};

    // A byte above 127 cannot travel in a SysEx message, so such a preset could never be sent.
    const auto* image = data.begin() + ZKSysEx::dumpImageOffset;

    if (! ZKSysEx::areDataBytes (image, image + imageLength))
        return {};

    return getImageOfDump (data);
}

juce::Result PresetFileCodec::checkPresetFileFrame (const juce::File& file) const
{
    const auto dumpLength = getDumpLength();
    juce::MemoryBlock data;

    if (! file.existsAsFile() || file.getSize() != dumpLength || ! file.loadFileAsData (data)
        || (int) data.getSize() != dumpLength)
        return juce::Result::fail ("it is not a file of " + juce::String (dumpLength) + " bytes");

    const auto* bytes = static_cast<const juce::uint8*> (data.getData());
    const auto head = ZKSysEx::createHead (deviceId, ZKSysEx::presetDumpCommand, ZKSysEx::presetDumpTail);
    const auto hexOf = [&head] (int start, int end)
    {
        juce::StringArray hex;

        for (int i = start; i < end; ++i)
            hex.add (juce::String::toHexString ((int) head[i]).paddedLeft ('0', 2).toUpperCase());

        return hex.joinIntoString (" ");
    };

    constexpr int makerStart = 1;
    const auto makerEnd = makerStart + (int) std::size (ZKSysEx::manufacturerId);

    if (bytes[0] != ZKSysEx::startOfExclusive)
        return juce::Result::fail ("it does not begin with F0");

    if (! std::equal (head.begin() + makerStart, head.begin() + makerEnd, bytes + makerStart))
        return juce::Result::fail ("its maker's bytes are not " + hexOf (makerStart, makerEnd));

    // The embedded default preset carries another command byte; files made from it are presets too.
    auto modelBytes = juce::Array<juce::uint8> (bytes + makerEnd, head.size() - makerEnd);
    const auto commandIndex = ZKSysEx::commandPosition - makerEnd;

    if (modelBytes[commandIndex] == ZKSysEx::defaultPresetDumpCommand)
        modelBytes.set (commandIndex, ZKSysEx::presetDumpCommand);

    if (! std::equal (head.begin() + makerEnd, head.end(), modelBytes.begin()))
        return juce::Result::fail ("its model's bytes are not " + hexOf (makerEnd, head.size())
                                   + " (those of this model's preset dump)");

    if (bytes[dumpLength - 1] != ZKSysEx::endOfExclusive)
        return juce::Result::fail ("it does not end with F7");

    return juce::Result::ok();
}
