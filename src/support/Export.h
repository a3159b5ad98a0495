#pragma once
// The component library shows hosts only what its headers declare: it is built with hidden
// symbol visibility, and every header of the component wraps its declarations in
// QUINDEL_API_BEGIN / QUINDEL_API_END. A single function is exported with QUINDEL_API.
#define QUINDEL_API __attribute__((visibility("default")))
#define QUINDEL_API_BEGIN _Pragma("GCC visibility push(default)")
#define QUINDEL_API_END _Pragma("GCC visibility pop")
