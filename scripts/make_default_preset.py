#!/usr/bin/env python3
"""Writes src/resources/ZKM_DefaultPreset.zkp, the preset every new document starts from.

The dump is the factory preset of the controller: a ten-byte head (command 0x63, slot 0), the
465-byte preset image block by block, and the closing 0xF7. Run it from anywhere:
    python3 scripts/make_default_preset.py
"""
import os

HEAD = [0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x63, 0x03, 0x51, 0x00]
END_OF_EXCLUSIVE = 0xF7

def image():
    data = []
    data += [0x30] * 16                                           # preset name: sixteen "0"
    data += [12, 5, 0, 4, 1, 0, 12, 5, 0, 4, 12, 5, 0, 4]         # keybed and zones
    data += [0, 0, 49, 0]                                         # roll mode
    for cc in (116, 117, 118, 119, 115, 114):                     # transport buttons 1 to 6
        data += [0, cc]
    data += [0, 0, 1, 0, 127]                                     # wheels
    data += [64, 127, 0, 0]                                       # sustain pedal
    knob_ccs = [19 + i for i in range(1, 13)] + [35, 41, 46, 47]
    for cc in knob_ccs:                                           # knobs 1 to 16
        data += [0, cc, 0, 127, 0]
    for note in (48, 49, 50, 51, 44, 45, 46, 47, 40, 41, 42, 43, 36, 37, 38, 39):
        data += [0, note, 0, 0, 0]                                # pads 1 to 16
    for i in range(1, 49):                                        # switches 1 to 48
        data += [0, 47 + i, 127, 0, 0]
    data += [1] * 10                                              # MIDI-to-DIN flags
    assert len(data) == 465
    return data

def main():
    dump = bytes(HEAD + image() + [END_OF_EXCLUSIVE])
    assert len(dump) == 476
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources",
                          "ZKM_DefaultPreset.zkp")
    with open(target, "wb") as f:
        f.write(dump)

if __name__ == "__main__":
    main()
