# Language level and warnings of every target of the project, the host tools
# included (tools/ is also built as a project of its own in cross builds).
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -msse2)
