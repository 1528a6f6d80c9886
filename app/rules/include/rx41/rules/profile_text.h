#pragma once
// Profile text without Qt: a profile file read within fixed bounds, refused
// when it is no profile text, and each line's value taken from its fixed
// character position. The windows' profile loaders all read through here.
//
// A profile is UTF-8 text (ASCII for everything this software writes) of at
// most 64 KiB with lines of at most 4 KiB. A file holding a NUL byte or any
// other control character than tab, CR and LF, or bytes that are no UTF-8, is
// binary and refused. A leading byte-order mark is skipped; lines end at LF
// and every CR is dropped.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rx41 {

inline constexpr std::size_t kProfileMaxBytes = 64 * 1024;
inline constexpr std::size_t kProfileMaxLineBytes = 4 * 1024;  // without its line end

// The numbers of the loaders' error message: those an operator knows from the
// original file layer, and those it would raise for an oversized or binary file.
namespace profile_error {
inline constexpr int kFileTooLarge = 7;  // "Out of memory"
inline constexpr int kTypeMismatch = 13;
inline constexpr int kLineTooLong = 14;  // "Out of string space"
inline constexpr int kFileNotFound = 53;
inline constexpr int kInputPastEnd = 62;   // fewer lines than the layout has
inline constexpr int kFileAccess = 75;     // no regular file, or unreadable
inline constexpr int kNotText = 321;       // "Invalid file format"
inline constexpr int kInvalidValue = 380;  // a number outside the choices of its control
}  // namespace profile_error

struct ProfileText {
  std::vector<std::string> values;  // of the lines read, in order
  int errorNumber = 0;              // 0, or why reading stopped after values
};

// valueColumns: for each line of the layout in order, the 1-based character
// position where its value starts; a shorter line gives an empty value.
ProfileText parseProfileText(std::string_view bytes, const std::vector<std::size_t>& valueColumns);

// Opens without waiting (a FIFO is refused, not waited on) and reads at most
// one byte more than a profile may have.
ProfileText readProfileText(const std::filesystem::path& path, const std::vector<std::size_t>& valueColumns);

// A whole number in a profile value (a list index, a check box), halves to
// even: none when the value is not a number or beyond 16 bits.
std::optional<int> profileInteger(std::string_view value);

// 0, or the error number of a value that is no whole number in 0 .. count - 1.
int profileChoiceError(std::string_view value, int count);

}  // namespace rx41
