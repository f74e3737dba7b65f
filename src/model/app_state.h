// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the windows share for the whole run: the radio image, the scratch
// buffers of the codecs and serial exchanges, the model catalogue, the tone list,
// the band edges in force and the program-wide settings. One instance is made at
// start-up and handed to every window; nothing else is global.

#include <array>
#include <cstdint>
#include <string>

#include "model/radio_image.h"

namespace zt {

// Which windows are loaded; the language switch reloads every open one.
struct WindowFlags {
    bool AboutIsOpen = false;
    bool OptionIsOpen = false;
    bool ChannIsOpen = false;
    bool SetupIsOpen = false;
    bool TypeIsOpen = false;
    bool SaveChannIsOpen = false;
    bool OpenChannIsOpen = false;
    bool CommReadIsOpen = false;
    bool CommWriteIsOpen = false;
    bool TestIsOpen = false;
    bool MessageIsOpen = false;
    bool AdjustIsOpen = false;
};

inline constexpr int kCommPackets = 301;      // packets 0..300
inline constexpr int kCommPacketBytes = 71;   // positions 0..70
inline constexpr int kNameBufferSize = 1001;  // indices 0..1000
inline constexpr int kModelCount = 7;
inline constexpr int kToneListSize = 301;

struct AppState {
    // Radio image and buffers.
    Image ChannelTable{};
    std::array<std::array<std::uint8_t, kCommPacketBytes>, kCommPackets> CommBuffer{};
    std::array<std::uint8_t, kNameBufferSize> NameBuffer{};
    std::array<std::uint8_t, 4> FreqBytes{};  // most significant byte first

    // Model catalogue and band edges in force.
    std::array<std::string, kModelCount> ModelNames{};
    std::array<std::int16_t, 2 * kModelCount> BandLimits{};
    std::int16_t ModelIndex = 0;
    double BandLowMHz = 0;
    double BandHighMHz = 0;

    // Tone list: 0 off, 1..50 CTCSS, 51..157 DCS normal, 158..264 DCS inverted.
    std::array<std::string, kToneListSize> ToneList{};
    std::int16_t ToneCtcssEnd = 0;
    std::int16_t ToneDcsNEnd = 0;
    std::int16_t ToneDcsIEnd = 0;

    // Program-wide settings.
    bool LanguageChinese = false;
    std::int16_t ComPort = 1;
    // A device path chosen in the port dialog instead of a number; empty when
    // ComPort selects the port.
    std::string ComDevice;
    bool PortOpenFailed = false;
    std::int16_t CurrentChannel = 0;
    std::string SoftwareVersion;

    WindowFlags Windows{};

    // Beyond the radio's own settings: where the history of radio memories is
    // kept (empty keeps none), and the write window's two safeguards, which
    // the desktop program remembers between runs.
    std::string HistoryFolder;
    bool WriteKeepsBackup = true;
    bool WriteReadsBack = true;
};

}  // namespace zt
