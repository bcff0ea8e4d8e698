#pragma once

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "model/design.h"

namespace bowlyn {

// The entry of `field` that has steppers, as the table declares it.
inline const Control& steppedEntry(int field) {
    for (const Control& c : controls()) {
        if (c.field == field && c.stepClass != StepClass::None)
            return c;
    }
    throw std::logic_error("a field without steppers");
}

// The `k`-th pair of radio buttons that shows the choice `field`.
inline size_t choicePair(int field, size_t k = 0) {
    for (size_t p = 0; p < choicePairs().size(); ++p) {
        if (choicePairs()[p].field == field && k-- == 0)
            return p;
    }
    throw std::logic_error("no such pair of radio buttons");
}

// The same value, a blank field (no value) matching a blank one.
inline bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bowlyn-test-XXXXXX");
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace bowlyn
