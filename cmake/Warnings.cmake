# Project-wide warning flags; STEREO_WERROR turns them into errors (CI does).
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2)
if(STEREO_WERROR)
  add_compile_options(-Werror)
endif()
