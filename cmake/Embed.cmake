# Writes OUT: a C++ source holding each of FILES as a byte array, looked up by file name through
# quindel::RisorsaIncorporata (support/Risorse.h). Run as a script: cmake -DOUT=... -DFILES=a;b -P.
set(_body "")
set(_table "")
set(_i 0)
foreach(f ${FILES})
  get_filename_component(_name ${f} NAME)
  file(READ ${f} _hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
  string(APPEND _body "const unsigned char r${_i}[] = {${_bytes}};\n")
  string(APPEND _table "    {\"${_name}\", {reinterpret_cast<const char*>(r${_i}), sizeof r${_i}}},\n")
  math(EXPR _i "${_i} + 1")
endforeach()
file(WRITE ${OUT} "// Generated from resources/ by cmake/Embed.cmake; do not edit.
#include \"support/Risorse.h\"

#include <utility>

namespace quindel {
namespace {
${_body}
const std::pair<std::string_view, std::string_view> kRisorse[] = {
${_table}};
}  // namespace

std::string_view RisorsaIncorporata(std::string_view nome) {
    for (const auto& [n, dati] : kRisorse)
        if (n == nome) return dati;
    return {};
}

}  // namespace quindel
")
