# Language level and warnings of every target of the project, the host tools
# included (tools/ is also built as a project of its own in cross builds).
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -msse2)
# Doubles in SSE2 registers on 32-bit x86 as in the 64-bit build, not in the
# x87 unit's 80-bit ones (the i686 compiler's default), so both builds paint
# the same bytes. Set here rather than in the toolchain's initial flags, which
# an existing build folder would keep from before.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  add_compile_options(-mfpmath=sse)
endif()
