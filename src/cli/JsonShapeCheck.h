#pragma once

#include <juce_core/juce_core.h>

/** Checks a JSON text for what JUCE's JSON reader lets pass or cannot survive, before the text is
    read: the reader recurses once per bracket (so a document nested a hundred thousand deep
    overflows the stack), gathers the digits of a number in a fixed-size integer (so a long run
    overflows it), keeps the last of two equal keys, stops at the end of the first value and allows
    a comma before a closing bracket. Brackets that do not match and other broken syntax are left
    to the reader, which names them.

    A failed result names the first problem in one line, as a clause ("it is not UTF-8 text"). */
class JsonShapeCheck
{
public:
    /** The bytes of a file: not empty, UTF-8 text (JUCE's strings and its JSON reader assume valid
        UTF-8 and read past the end of a broken sequence) without a zero byte or a byte-order mark. */
    static juce::Result checkBytes (const juce::MemoryBlock& data);

    /** The text: no deeper than that many brackets, whole numbers of at most nine digits, no key
        twice in one object, nothing after the first value, no comma before a closing bracket, no
        escaped zero character and no byte-order mark. */
    static juce::Result checkText (const juce::String& text, size_t deepestNesting);

private:
    //==============================================================================
    /** One object or list of the document while it is scanned: its keys so far, and whether a key
        or a value comes next. */
    struct OpenContainer;

    static bool isEscapedZero (juce::String::CharPointerType escapeLetter);
};
