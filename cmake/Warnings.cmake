# Warnings for every target of the project. Conversions and shadowing are
# where bench code hides its bugs (a part index that goes negative, a level
# that loses its fraction), so they are on as well.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
                    -Wnon-virtual-dtor -Woverloaded-virtual)
if(RX041_WERROR)
  add_compile_options(-Werror)
endif()
