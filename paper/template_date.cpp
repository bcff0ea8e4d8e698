#include "paper/template_date.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace bowlyn {

TemplateDate templateDateAt(std::time_t t, bool utc) {
    std::tm parts{};
    if (utc ? gmtime_r(&t, &parts) == nullptr : localtime_r(&t, &parts) == nullptr)
        return {};
    char day[32], time[32], zone[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", &parts);
    std::strftime(time, sizeof time, "T%H:%M:%S", &parts);
    if (utc) {
        std::strcpy(zone, "Z");
    } else {
        // strftime's %z gives +hhmm; ISO 8601 as cairo reads it wants +hh:mm.
        char offset[16];
        std::strftime(offset, sizeof offset, "%z", &parts);
        if (std::strlen(offset) == 5)
            std::snprintf(zone, sizeof zone, "%.3s:%.2s", offset, offset + 3);
        else
            std::strcpy(zone, "Z");
    }
    return {day, std::string(day) + time + zone};
}

TemplateDate templateDateNow() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        long long seconds = 0;
        const char* end = epoch + std::strlen(epoch);
        const auto r = std::from_chars(epoch, end, seconds);
        if (r.ec == std::errc() && r.ptr == end && *epoch != '\0' && seconds >= 0)
            return templateDateAt(static_cast<std::time_t>(seconds), true);
    }
    return templateDateAt(std::time(nullptr), false);
}

}  // namespace bowlyn
