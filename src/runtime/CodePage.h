#pragma once
// The 8-bit code page boundary: files the component reads or writes as 8-bit text are
// converted here, and nowhere else, to and from the UTF-8 used inside. The conversions
// never throw: what cannot be converted is replaced.
#include <string>
#include <string_view>

namespace quindel {

// $QUINDEL_CODEPAGE when set and non-empty, else "CP1250". The files it is used for hold one byte
// a character, so a name iconv does not know, or a multibyte code page (UTF-8, UTF-16, Shift-JIS),
// is refused with run-time error 5 whose text names the variable.
std::string SystemCodePage();

// Why codePage cannot serve as the system code page, or "" when it can.
std::string CodePageProblem(std::string_view codePage);

// Code page bytes to UTF-8; an undecodable byte becomes U+FFFD, NULs are kept.
std::string DaCodePage(std::string_view bytes);
std::string DaCodePage(std::string_view bytes, std::string_view codePage);

// UTF-8 to code page bytes; a character the page lacks, or a bad UTF-8 byte, becomes '?'.
std::string ACodePage(std::string_view utf8);
std::string ACodePage(std::string_view utf8, std::string_view codePage);

}  // namespace quindel
