#pragma once

// Text between the program's UTF-8 and the UTF-16 of the Windows interfaces. Included by the
// Windows back end and Windows twin files only.

#include <string>
#include <string_view>

namespace zk {

/// `utf8` in UTF-16. False when it is not well-formed UTF-8 and `strict`; otherwise each
/// malformed sequence becomes U+FFFD.
bool to_utf16(std::string_view utf8, std::wstring& wide, bool strict);

/// `wide` in UTF-8, an unpaired surrogate as U+FFFD.
std::string to_utf8(std::wstring_view wide);

} // namespace zk
