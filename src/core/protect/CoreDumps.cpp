#include "core/protect/CoreDumps.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace lk {
namespace {

struct SavedSettings
{
    int holders = 0;
    int dumpable = 1;
#ifndef _WIN32
    rlimit core{};
    bool coreSaved = false;
#endif
};

SavedSettings& Saved()
{
    static SavedSettings saved;
    return saved;
}

} // namespace

CoreDumpBlock::CoreDumpBlock()
{
    SavedSettings& saved = Saved();
    if (saved.holders++ > 0) {
        return;
    }
#ifdef __linux__
    saved.dumpable = ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0);
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
#ifndef _WIN32
    saved.coreSaved = ::getrlimit(RLIMIT_CORE, &saved.core) == 0;
    // Only the soft limit goes down, so that it can be raised again afterwards.
    rlimit none = saved.core;
    none.rlim_cur = 0;
    if (!saved.coreSaved) {
        none.rlim_max = 0;
    }
    ::setrlimit(RLIMIT_CORE, &none);
#endif
}

CoreDumpBlock::~CoreDumpBlock()
{
    SavedSettings& saved = Saved();
    if (--saved.holders > 0) {
        return;
    }
#ifndef _WIN32
    if (saved.coreSaved) {
        ::setrlimit(RLIMIT_CORE, &saved.core);
    }
#endif
#ifdef __linux__
    if (saved.dumpable > 0) {
        ::prctl(PR_SET_DUMPABLE, saved.dumpable, 0, 0, 0);
    }
#endif
}

bool CoreDumpBlock::Blocked()
{
    bool blocked = true;
#ifdef __linux__
    blocked = blocked && ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0;
#endif
#ifndef _WIN32
    rlimit core{};
    blocked = blocked && ::getrlimit(RLIMIT_CORE, &core) == 0 && core.rlim_cur == 0;
#endif
    return blocked;
}

} // namespace lk
