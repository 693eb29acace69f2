// Reads Wine's GDI trace (WINEDEBUG=+pid,trace+gdi): allocations and
// releases of GDI objects, each with the process that made it and the number
// of objects that process holds afterwards, and marker lines that the test
// writes into the same stream. A line may appear more than once.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace leak {

struct Snapshot {
    int liveObjects = -1;  // the process's count after its last change, -1 if none
    int liveFonts = 0;     // fonts allocated in the trace and not yet freed
};

// The state of one process at each marker line "tessivar-mark NAME" in the
// trace, and at the end of the trace as "end".
std::map<std::string, Snapshot> SnapshotsAtMarks(const std::vector<std::string>& traceLines,
                                                 unsigned long processId);

}  // namespace leak
