#pragma once

#include <chrono>
#include <filesystem>

namespace kestrel {

// The temporary files a save writes beside its target (".config.bin.Ab12Cd"
// here, ".config.bin.<digits>" on Windows) and renames over it. A save that
// is killed between the two leaves its temporary behind; the next save of
// the same target removes such leftovers.
class StaleTemporaries {
public:
    // A save keeps its temporary for as long as one write, one flush to disk
    // and one rename take: well under a second, or a few seconds on a slow
    // or busy disk. Ten minutes leaves a save still running far more time
    // than it can need, so its live temporary is never taken from it, while
    // leftovers still go at the next save after a short while. A temporary
    // removed in error would only make that save fail and report it; the
    // target itself is never touched.
    static constexpr std::chrono::minutes kStaleAge{10};

    // True when `candidate` is a name a save of `target` gives its temporary.
    static bool isTemporaryNameFor(const std::filesystem::path& target, const std::filesystem::path& candidate);

    // Removes the regular files beside `target` that carry its temporary
    // names, belong to this user and were last written more than kStaleAge
    // ago. Links and anything else are left alone; failures are ignored, as
    // the save goes on regardless.
    static void removeBeside(const std::filesystem::path& target);
};

} // namespace kestrel
