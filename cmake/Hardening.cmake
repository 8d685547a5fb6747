# Debian's hardening flags, as `dpkg-buildflags` gives them with hardening=+all: format strings
# checked, the stack protected, buffer functions checked where the optimiser knows the sizes, a
# position-independent program, and relocations made read-only once resolved at start. The
# sanitizer and fuzzing builds go without: their instrumentation does these checks its own way.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-Wformat -Werror=format-security -fstack-protector-strong)
# The checked buffer functions need the optimiser.
add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
