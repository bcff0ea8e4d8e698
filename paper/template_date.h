#pragma once

#include <ctime>
#include <string>

namespace bowlyn {

// When a template was made: the day printed on its pages and the instant its
// PDF records as the creation date.
struct TemplateDate {
    std::string day;      // "2024-05-01"
    std::string instant;  // ISO 8601, "2024-05-01T13:45:00Z" or with the local offset
};

// The instant `t` in UTC or in local time.
TemplateDate templateDateAt(std::time_t t, bool utc);

// Now, in local time; or, when SOURCE_DATE_EPOCH holds a whole number of
// seconds, that instant in UTC, so that the same design makes the same file
// byte for byte (for reproducible builds and for tests).
TemplateDate templateDateNow();

}  // namespace bowlyn
