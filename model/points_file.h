#pragma once

#include <cstddef>
#include <string>

namespace bowlyn {

// A points file holds at most a hundred useful lines; these bounds keep any
// other file a user may name (a log, a disk image) from filling the memory.
constexpr std::size_t POINTS_FILE_MAX_BYTES = 16u << 20;
constexpr std::size_t POINTS_FILE_MAX_LINES = 100000;

enum class PointsFileResult { Read, NotFound, NotRegularFile, TooLarge, ReadError };

// Reads at most `maxBytes` of a plain file into `bytes`, the same way: opened
// without blocking, refused unless it is a regular file, refused whole
// (TooLarge) beyond the bound.
PointsFileResult readBoundedFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// The bytes of a points file as text with LF line ends (from CR LF, CR or
// LF); false when it has more lines than POINTS_FILE_MAX_LINES.
bool normalisedPointsText(const std::string& bytes, std::string& text);

// Reads a file of transcription points as the points dialog would hold its
// text: every line end (CR LF, CR or LF) becomes LF. The file is opened
// without blocking and checked before anything is read, so a pipe or device
// never holds the program; files beyond the bounds above are refused whole.
// `text` is set only when the result is Read.
PointsFileResult readPointsFile(const std::string& path, std::string& text);

}  // namespace bowlyn
