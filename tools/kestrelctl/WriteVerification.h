#pragma once

#include "config/ConfigImage.h"
#include "device/FeatureProtocol.h"

#include <ostream>

namespace kestrel::ctl {

// After a write: reads the image back from the mouse into `image` and
// compares it with what `image` held, the image just sent. Prints "verified",
// or each byte that came back otherwise; the exit code, 1 on any difference.
int verifyWrite(FeatureProtocol& protocol, ConfigImage& image, std::ostream& out, std::ostream& err);

} // namespace kestrel::ctl
