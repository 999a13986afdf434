#pragma once

#include "views/BankView.h"

/** The six transport buttons on two banks, with the transport's MIDI-to-DIN button. */
class TransportBank : public BankView
{
public:
    explicit TransportBank (ZKEditorEngine::Ptr engine);
};
