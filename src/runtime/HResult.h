#pragma once
// The result codes the library's entry points and the class factory return: the classic values,
// so a host that knows them reads ours without a table. Negative means failure.
#include <cstdint>

namespace quindel {

using HResult = std::int32_t;

namespace hr {
constexpr HResult S_OK = 0;
constexpr HResult S_FALSE = 1;
constexpr HResult E_NOTIMPL = HResult(0x80004001);
constexpr HResult E_NOINTERFACE = HResult(0x80004002);
constexpr HResult E_POINTER = HResult(0x80004003);
constexpr HResult E_FAIL = HResult(0x80004005);
constexpr HResult E_UNEXPECTED = HResult(0x8000FFFF);
constexpr HResult E_OUTOFMEMORY = HResult(0x8007000E);
constexpr HResult E_INVALIDARG = HResult(0x80070057);
constexpr HResult E_ACCESSDENIED = HResult(0x80070005);
constexpr HResult CLASS_E_CLASSNOTAVAILABLE = HResult(0x80040111);
constexpr HResult SELFREG_E_TYPELIB = HResult(0x80040200);
constexpr HResult SELFREG_E_CLASS = HResult(0x80040201);
}  // namespace hr

constexpr bool Succeeded(HResult r) {
    return r >= 0;
}

}  // namespace quindel
