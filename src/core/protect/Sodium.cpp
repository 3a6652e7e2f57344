#include "core/protect/Sodium.h"

#include <sodium.h>

namespace lk {

bool SodiumReady()
{
    // sodium_init is safe to call again, but its answer is the same for the whole run.
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace lk
