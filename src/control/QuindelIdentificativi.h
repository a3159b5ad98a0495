#pragma once
// The identifiers of the component: its one class, the class's two interfaces, the type library,
// the program id. Fixed for good: hosts and registries keep them.
#include <string_view>

#include "runtime/Guid.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::identificativi {

inline constexpr std::string_view kProgId = "OCX_Pilonda2.Quindel";
inline constexpr std::string_view kNomeLibreria = "OCX_Pilonda2";
inline constexpr std::string_view kNomeClasse = "Quindel";
inline constexpr std::string_view kVersioneLibreria = "1.0";

constexpr Guid kLibreria{
    0x5E1A6C21, 0x7B4D, 0x4F0E, {0x9C, 0x3A, 0x2D, 0x8B, 0x61, 0xF0, 0xA0, 0x01}};
constexpr Guid kInterfaccia{
    0x5E1A6C21, 0x7B4D, 0x4F0E, {0x9C, 0x3A, 0x2D, 0x8B, 0x61, 0xF0, 0xA0, 0x02}};  // _Quindel
constexpr Guid kEventi{
    0x5E1A6C21, 0x7B4D, 0x4F0E, {0x9C, 0x3A, 0x2D, 0x8B, 0x61, 0xF0, 0xA0, 0x03}};  // __Quindel
constexpr Guid kClasse{
    0x5E1A6C21, 0x7B4D, 0x4F0E, {0x9C, 0x3A, 0x2D, 0x8B, 0x61, 0xF0, 0xA0, 0x04}};

}  // namespace quindel::identificativi

QUINDEL_API_END
