#pragma once

#include "config/Outcome.h"

#include <string>
#include <system_error>

namespace kestrel {

// The exchange with the mouse that an operation stopped at.
enum class ProtocolExchange {
    StatusSet,       // a status request the platform refused
    StatusGet,       // a status reply that did not arrive
    StatusSignature, // a status reply without the mouse's signature
    DataSet,         // a data report the platform refused
    DataGet,         // a data report that did not arrive
};

// Where an operation stopped: its name, the page it was at (0 before the
// first page), the exchange that failed, what went wrong in words, and the
// system's error when the platform gave one.
struct ProtocolFailure {
    std::string operation;
    int page = 0;
    ProtocolExchange exchange = ProtocolExchange::StatusSet;
    std::string problem;
    std::error_code error;
};

using ProtocolResult = Outcome<ProtocolFailure>;

} // namespace kestrel
