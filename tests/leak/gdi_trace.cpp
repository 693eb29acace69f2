#include "gdi_trace.h"

#include <cstdlib>
#include <set>
#include <sstream>

namespace leak {
namespace {

struct Event {
    bool alloc;
    std::string type;
    std::string handle;
    int count;
};

// "0030:0034:trace:gdi:alloc_gdi_handle allocated NTGDI_OBJ_BRUSH 0x1100020 1/65536"
// "0030:0034:trace:gdi:free_gdi_handle freed NTGDI_OBJ_MEMDC 0x141003d 31/65536"
bool ParseEvent(const std::string& line, unsigned long processId, Event* event) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) return false;
    char* end = nullptr;
    const unsigned long pid = std::strtoul(line.c_str(), &end, 16);
    if (end != line.c_str() + colon || pid != processId) return false;
    const bool alloc = line.find(":trace:gdi:alloc_gdi_handle ") != std::string::npos;
    const bool free = line.find(":trace:gdi:free_gdi_handle ") != std::string::npos;
    if (!alloc && !free) return false;
    std::istringstream words(line.substr(line.find("_gdi_handle ") + 12));
    std::string verb, count;
    if (!(words >> verb >> event->type >> event->handle >> count)) return false;
    event->alloc = alloc;
    event->count = std::atoi(count.c_str());
    return true;
}

}  // namespace

std::map<std::string, Snapshot> SnapshotsAtMarks(const std::vector<std::string>& traceLines,
                                                 unsigned long processId) {
    std::map<std::string, Snapshot> marks;
    int live = -1;
    std::set<std::string> fonts;
    const auto snapshot = [&] {
        Snapshot s;
        s.liveObjects = live;
        s.liveFonts = static_cast<int>(fonts.size());
        return s;
    };
    const std::string marker = "tessivar-mark ";
    for (const std::string& line : traceLines) {
        if (const std::size_t at = line.find(marker); at != std::string::npos) {
            marks[line.substr(at + marker.size())] = snapshot();
            continue;
        }
        Event event;
        if (!ParseEvent(line, processId, &event)) continue;
        live = event.count;
        if (event.type != "NTGDI_OBJ_FONT") continue;
        if (event.alloc) {
            fonts.insert(event.handle);
        } else {
            fonts.erase(event.handle);
        }
    }
    marks["end"] = snapshot();
    return marks;
}

}  // namespace leak
