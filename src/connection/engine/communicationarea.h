#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace quoll::connection {

// The SQL communication area of the last statement, as the server fills it:
// 116 bytes in its binary layout.
struct CommunicationArea
{
    std::int32_t code = 0;                    // the statement's result code
    std::array<char, 72> messageParameters{}; // text that fills the message's %s
    std::array<char, 8> reserved{};
    std::int32_t estimatedRows = 0;
    std::int32_t serialOrSecondary = 0;       // serial value after an insert, else the secondary error code
    std::int32_t rowsProcessed = 0;
    std::int32_t estimatedCost = 0;
    std::int32_t errorOffset = 0;             // position of the failing token in the statement, from 1; 0 none
    std::int32_t rowId = 0;
    std::array<char, 8> warnings{};           // 'W' or blank/zero per flag; [0] set when any other is

    // The warning characters as text, ending at the first zero byte.
    QString warningText() const;
};

static_assert(sizeof(CommunicationArea) == 116, "the communication area is 116 bytes");

} // namespace quoll::connection
