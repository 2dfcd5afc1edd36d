#pragma once

#include <string>
#include <string_view>

#include "text/text_encoding.h"

namespace zb {

// Text for a page, also fit for a quoted attribute value: & < > " become
// entities; a character that the page's code page cannot carry back (see
// TextEncoding::RoundTrips), a control character or a malformed UTF-8 byte
// becomes a numeric character reference (the latter as U+FFFD), so that the
// browser shows the very character and the writer never puts "?".
std::string EscapeHtmlText(std::string_view utf8, TextEncoding& encoding);

// A relative link ("/" separators) for an href or src attribute. Characters
// that would change the link's meaning (% # ? : space, control characters)
// and characters the code page cannot carry back are percent-encoded as
// UTF-8, so that distinct names never share a link; & < > " become entities.
std::string EscapeLink(std::string_view utf8, TextEncoding& encoding);

}  // namespace zb
