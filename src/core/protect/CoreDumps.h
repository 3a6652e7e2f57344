#pragma once

namespace lk {

// While a store is unlocked its keys are in this process's memory, and a core
// dump would write them to the disk in the clear. Holding a CoreDumpBlock keeps
// the process from dumping core (and from being read by other processes of the
// same user through ptrace); when the last block goes, the earlier settings
// come back. Not for use from several threads at once.
class CoreDumpBlock
{
public:
    CoreDumpBlock();
    ~CoreDumpBlock();
    CoreDumpBlock(const CoreDumpBlock&) = delete;
    CoreDumpBlock& operator=(const CoreDumpBlock&) = delete;

    // Whether core dumps are blocked right now (both the process's dumpable
    // flag and its core size limit say so).
    static bool Blocked();
};

} // namespace lk
